#include "platform/ui/controls/GdiTextMetrics.h"

#include <algorithm>
#include <cstring>

#include "platform/gfx/Icons.h"
#include "platform/gfx/WinGdi.h"
#include "platform/ui/controls/Static.h"
#include "platform/ui/controls/Utf8Text.h"

namespace kq::ui {
namespace {

// A memory DC with the font (null: the default GUI font) selected.
class MeasuringDc {
  public:
    explicit MeasuringDc(HFONT font) : dc_(CreateCompatibleDC(nullptr)) {
        SelectObject(dc_, font ? static_cast<HGDIOBJ>(font) : GetStockObject(DEFAULT_GUI_FONT));
    }
    ~MeasuringDc() { DeleteDC(dc_); }
    MeasuringDc(const MeasuringDc&) = delete;
    MeasuringDc& operator=(const MeasuringDc&) = delete;
    HDC get() const { return dc_; }

  private:
    HDC dc_;
};

}  // namespace

FontMetrics GdiTextMetrics::Metrics(HFONT font) const {
    MeasuringDc dc(font);
    TEXTMETRIC tm{};
    if (!GetTextMetrics(dc.get(), &tm))
        return FontMetrics{};
    return FontMetrics{static_cast<int>(tm.tmHeight), static_cast<int>(tm.tmAscent),
                       static_cast<int>(tm.tmAveCharWidth), static_cast<int>(tm.tmExternalLeading)};
}

int GdiTextMetrics::TextWidth(HFONT font, std::string_view utf8) const {
    if (utf8.empty())
        return 0;
    MeasuringDc dc(font);
    SIZE size{};
    GetTextExtentPoint32(dc.get(), utf8.data(), static_cast<int>(utf8.size()), &size);
    return size.cx;
}

std::vector<int> GdiTextMetrics::CharacterOffsets(HFONT font, std::u32string_view text) const {
    std::vector<int> offsets{0};
    if (text.empty())
        return offsets;
    const std::string utf8 = EncodeText(text);
    std::vector<int> extents(utf8.size(), 0);
    MeasuringDc dc(font);
    int fit = 0;
    SIZE size{};
    if (!GetTextExtentExPoint(dc.get(), utf8.data(), static_cast<int>(utf8.size()), 0, &fit,
                              extents.data(), &size))
        return TextMetricsSource::CharacterOffsets(font, text);
    // The extent after the last byte of each character is where the next one starts.
    for (size_t i = 0; i < utf8.size(); ++i) {
        const bool lastByte =
            i + 1 == utf8.size() || (static_cast<unsigned char>(utf8[i + 1]) & 0xC0) != 0x80;
        if (lastByte)
            offsets.push_back(std::max(offsets.back(), extents[i]));
    }
    offsets.resize(text.size() + 1, offsets.back());
    return offsets;
}

HFONT GdiTextMetrics::CreateDialogFont(const kq::DialogFont& font) {
    LOGFONT lf{};
    lf.lfHeight = -MulDiv(font.pointSize, 96, 72);
    lf.lfWeight = font.weight ? font.weight : FW_NORMAL;
    lf.lfItalic = font.italic ? 1 : 0;
    lf.lfCharSet = font.charset;
    const size_t n = std::min<size_t>(font.face.size(), LF_FACESIZE - 1);
    std::memcpy(lf.lfFaceName, font.face.data(), n);
    return CreateFontIndirect(&lf);
}

void GdiTextMetrics::DeleteDialogFont(HFONT font) {
    if (font)
        DeleteObject(font);
}

SIZE GdiTextMetrics::ImageSize(HANDLE image, UINT type) const {
    if (!image)
        return SIZE{0, 0};
    if (type == IMAGE_BITMAP) {
        BITMAP bm{};
        if (GetObject(image, sizeof bm, &bm) != sizeof bm)
            return SIZE{0, 0};
        return SIZE{bm.bmWidth, std::abs(bm.bmHeight)};
    }
    ICONINFO info{};
    if (!GetIconInfo(static_cast<HICON>(image), &info))
        return SIZE{0, 0};
    SIZE size{0, 0};
    BITMAP bm{};
    if (info.hbmColor && GetObject(info.hbmColor, sizeof bm, &bm) == sizeof bm) {
        size = SIZE{bm.bmWidth, std::abs(bm.bmHeight)};
    } else if (info.hbmMask && GetObject(info.hbmMask, sizeof bm, &bm) == sizeof bm) {
        size = SIZE{bm.bmWidth, std::abs(bm.bmHeight) / 2};  // AND and XOR masks stacked
    }
    if (info.hbmColor)
        DeleteObject(info.hbmColor);
    if (info.hbmMask)
        DeleteObject(info.hbmMask);
    return size;
}

}  // namespace kq::ui
