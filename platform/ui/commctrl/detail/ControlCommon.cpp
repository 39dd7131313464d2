#include "platform/ui/commctrl/detail/ControlCommon.h"

#include "platform/gfx/WinGdi.h"
#include "platform/ui/WinUser.h"

#include "platform/ui/paint/Painting.h"

namespace kq::ui::commctrl {

void* StateOf(HWND hwnd) {
    return reinterpret_cast<void*>(GetWindowLongPtr(hwnd, 0));
}

void SetStateOf(HWND hwnd, void* state) {
    SetWindowLongPtr(hwnd, 0, reinterpret_cast<LONG_PTR>(state));
}

LRESULT SendNotify(HWND from, UINT code, NMHDR* hdr) {
    hdr->hwndFrom = from;
    hdr->idFrom = static_cast<UINT_PTR>(GetDlgCtrlID(from));
    hdr->code = code;
    HWND parent = GetParent(from);
    if (!parent)
        return 0;
    return SendMessage(parent, WM_NOTIFY, hdr->idFrom, reinterpret_cast<LPARAM>(hdr));
}

LRESULT SendSimpleNotify(HWND from, UINT code) {
    NMHDR hdr{};
    return SendNotify(from, code, &hdr);
}

HFONT DefaultControlFont() {
    return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

namespace {

// A memory DC with the font selected, for measuring outside of painting.
class MeasureDc {
  public:
    explicit MeasureDc(HFONT font) : dc_(CreateCompatibleDC(nullptr)) {
        SelectObject(dc_, font ? font : DefaultControlFont());
    }
    ~MeasureDc() { DeleteDC(dc_); }
    MeasureDc(const MeasureDc&) = delete;
    MeasureDc& operator=(const MeasureDc&) = delete;
    HDC get() const { return dc_; }

  private:
    HDC dc_;
};

}  // namespace

int FontHeight(HFONT font) {
    MeasureDc dc(font);
    TEXTMETRIC tm{};
    GetTextMetrics(dc.get(), &tm);
    return tm.tmHeight;
}

int TextWidth(HFONT font, std::string_view text) {
    if (text.empty())
        return 0;
    MeasureDc dc(font);
    SIZE size{};
    GetTextExtentPoint32(dc.get(), text.data(), static_cast<int>(text.size()), &size);
    return size.cx;
}

HFONT CreateBoldFont(HFONT font) {
    LOGFONT lf{};
    GetObject(font ? font : DefaultControlFont(), sizeof lf, &lf);
    lf.lfWeight = FW_BOLD;
    return CreateFontIndirect(&lf);
}

int CopyText(std::string_view text, LPSTR buffer, int size) {
    if (!buffer || size <= 0)
        return 0;
    size_t n = text.size();
    if (n > static_cast<size_t>(size - 1)) {
        n = static_cast<size_t>(size - 1);
        // Step back over continuation bytes so no character is cut.
        while (n > 0 && (static_cast<unsigned char>(text[n]) & 0xC0) == 0x80)
            --n;
    }
    text.copy(buffer, n);
    buffer[n] = '\0';
    return static_cast<int>(n);
}

void FitScrollBars(HWND hwnd, const std::function<ScrollRanges(const RECT& client)>& ranges,
                   const std::function<void()>& relayout) {
    for (int round = 0; round < 3; ++round) {
        RECT before{};
        GetClientRect(hwnd, &before);
        ScrollRanges r = ranges(before);
        SetScrollInfo(hwnd, SB_VERT, &r.vert, TRUE);
        SetScrollInfo(hwnd, SB_HORZ, &r.horz, TRUE);
        RECT after{};
        GetClientRect(hwnd, &after);
        if (EqualRect(&before, &after))
            return;
        relayout();
    }
}

void Invalidate(HWND hwnd, const RECT* rc) {
    InvalidateRect(hwnd, rc, TRUE);
}

void PaintWith(HWND hwnd, WPARAM wParam, const std::function<void(HDC)>& paint) {
    if (wParam) {
        paint(reinterpret_cast<HDC>(wParam));
        return;
    }
    PAINTSTRUCT ps{};
    HDC dc = BeginPaint(hwnd, &ps);
    if (dc)
        paint(dc);
    EndPaint(hwnd, &ps);
}

}  // namespace kq::ui::commctrl
