#include "platform/ui/controls/detail/ControlPaint.h"

#include <string>

#include "platform/gfx/UserDraw.h"
#include "platform/gfx/WinGdi.h"
#include "platform/ui/WinUser.h"
#include "platform/ui/controls/detail/ControlSupport.h"
#include "platform/ui/paint/Painting.h"

namespace kq::ui::detail {

void PaintWith(HWND hwnd, WPARAM wParam, const std::function<void(HDC)>& paint) {
    if (HDC dc = reinterpret_cast<HDC>(wParam)) {
        paint(dc);
        return;
    }
    PAINTSTRUCT ps{};
    if (HDC dc = BeginPaint(hwnd, &ps))
        paint(dc);
    EndPaint(hwnd, &ps);
}

namespace {

// Every other pixel, shifted on each row; a monochrome tile that draws in the DC's text and
// background colours.
HBRUSH CheckerBrush() {
    static HBRUSH brush = [] {
        const WORD rows[8] = {0x5555, 0xAAAA, 0x5555, 0xAAAA, 0x5555, 0xAAAA, 0x5555, 0xAAAA};
        HBITMAP tile = CreateBitmap(8, 8, 1, 1, rows);
        HBRUSH b = CreatePatternBrush(tile);  // lives for the whole program
        DeleteObject(tile);
        return b;
    }();
    return brush;
}

}  // namespace

HBRUSH DefaultControlColor(UINT message, HDC dc) {
    SetBkMode(dc, OPAQUE);
    switch (message) {
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORLISTBOX:
            SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
            SetBkColor(dc, GetSysColor(COLOR_WINDOW));
            return GetSysColorBrush(COLOR_WINDOW);
        case WM_CTLCOLORSCROLLBAR:
            // A track in the face colour would not show: the classic look dithers the face
            // with the highlight instead, pixel by pixel.
            if (GetSysColor(COLOR_SCROLLBAR) == GetSysColor(COLOR_3DFACE)) {
                SetTextColor(dc, GetSysColor(COLOR_3DFACE));
                SetBkColor(dc, GetSysColor(COLOR_3DHILIGHT));
                return CheckerBrush();
            }
            SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
            SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
            return GetSysColorBrush(COLOR_SCROLLBAR);
        default:
            SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
            SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
            return GetSysColorBrush(COLOR_BTNFACE);
    }
}

HBRUSH ControlBackground(HWND control, UINT message, HDC dc) {
    HBRUSH fallback = DefaultControlColor(message, dc);
    HBRUSH chosen = ControlColorBrush(control, message, dc);
    if (!chosen)
        return fallback;
    if (chosen == static_cast<HBRUSH>(GetStockObject(NULL_BRUSH)))
        return nullptr;
    return chosen;
}

void FillBackground(HDC dc, const RECT& r, HBRUSH brush) {
    if (brush)
        FillRect(dc, &r, brush);
}

FontScope::FontScope(HDC dc, HFONT font)
    : dc_(dc),
      old_(SelectObject(dc, font ? static_cast<HGDIOBJ>(font) : GetStockObject(DEFAULT_GUI_FONT))) {
}

FontScope::~FontScope() {
    if (old_)
        SelectObject(dc_, old_);
}

void DrawControlText(HDC dc, std::string_view text, RECT r, UINT format, bool enabled) {
    const std::string s(text);
    const int mode = SetBkMode(dc, TRANSPARENT);
    if (enabled) {
        DrawText(dc, s.c_str(), static_cast<int>(s.size()), &r, format);
    } else {
        // Disabled text in the classic look: a white copy one pixel down and right, grey on top.
        const COLORREF old = SetTextColor(dc, GetSysColor(COLOR_BTNHIGHLIGHT));
        RECT shifted = r;
        OffsetRect(&shifted, 1, 1);
        DrawText(dc, s.c_str(), static_cast<int>(s.size()), &shifted, format);
        SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
        DrawText(dc, s.c_str(), static_cast<int>(s.size()), &r, format);
        SetTextColor(dc, old);
    }
    SetBkMode(dc, mode);
}

}  // namespace kq::ui::detail
