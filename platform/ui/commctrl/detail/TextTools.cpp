#include "platform/ui/commctrl/detail/TextTools.h"

#include <algorithm>
#include <cstring>

#include "platform/gfx/WinGdi.h"

namespace kq::ui::commctrl {

int CopyText(std::string_view text, char* buffer, int size) {
    if (!buffer || size <= 0)
        return 0;
    size_t n = std::min(text.size(), static_cast<size_t>(size - 1));
    while (n > 0 && n < text.size() && (static_cast<unsigned char>(text[n]) & 0xC0) == 0x80)
        --n;
    std::memcpy(buffer, text.data(), n);
    buffer[n] = '\0';
    return static_cast<int>(n);
}

namespace {
// A DC for measuring, with the font selected for its lifetime.
class MeasureDC {
  public:
    explicit MeasureDC(HFONT font) : dc_(CreateCompatibleDC(nullptr)) {
        old_ = SelectObject(dc_, font ? font : GetStockObject(DEFAULT_GUI_FONT));
    }
    ~MeasureDC() {
        SelectObject(dc_, old_);
        DeleteDC(dc_);
    }
    MeasureDC(const MeasureDC&) = delete;
    MeasureDC& operator=(const MeasureDC&) = delete;
    HDC dc() const { return dc_; }

  private:
    HDC dc_;
    HGDIOBJ old_;
};
}  // namespace

SIZE MeasureText(HFONT font, std::string_view text) {
    MeasureDC dc(font);
    SIZE size{0, 0};
    GetTextExtentPoint32(dc.dc(), text.data(), static_cast<int>(text.size()), &size);
    if (size.cy == 0)
        size.cy = LineHeight(font);
    return size;
}

int LineHeight(HFONT font) {
    MeasureDC dc(font);
    TEXTMETRIC tm{};
    GetTextMetrics(dc.dc(), &tm);
    return tm.tmHeight;
}

}  // namespace kq::ui::commctrl
