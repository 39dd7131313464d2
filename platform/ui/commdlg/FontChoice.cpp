#include "platform/ui/commdlg/FontChoice.h"

#include <algorithm>
#include <cctype>
#include <cmath>

#include "platform/gfx/FontMatcher.h"
#include "platform/gfx/WinGdi.h"
#include "platform/ui/commdlg/DialogTexts.h"

namespace kq::ui::commdlg {

namespace {
constexpr int kMaxPoints = 1638;  // the largest size a LOGFONT height can carry

int ScreenPixelsPerInch() {
    HDC dc = CreateCompatibleDC(nullptr);
    const int dpi = dc ? GetDeviceCaps(dc, LOGPIXELSY) : 96;
    if (dc)
        DeleteDC(dc);
    return dpi > 0 ? dpi : 96;
}

bool SameName(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}
}  // namespace

std::vector<std::string> FontFamilies() {
    return kq::gfx::EnumerableFamilies();
}

const std::vector<int>& StandardFontSizes() {
    static const std::vector<int> sizes = {8,  9,  10, 11, 12, 14, 16, 18,
                                           20, 22, 24, 26, 28, 36, 48, 72};
    return sizes;
}

std::string FindFamily(const std::vector<std::string>& families, const std::string& name) {
    for (const std::string& f : families) {
        if (SameName(f, name))
            return f;
    }
    return {};
}

FontSelection InitialFontSelection(const CHOOSEFONT& cf, const std::vector<std::string>& families) {
    FontSelection s;
    LOGFONT lf{};
    if ((cf.Flags & CF_INITTOLOGFONTSTRUCT) && cf.lpLogFont)
        lf = *cf.lpLogFont;
    else
        GetObject(GetStockObject(DEFAULT_GUI_FONT), sizeof lf, &lf);
    lf.lfFaceName[LF_FACESIZE - 1] = '\0';
    s.face = FindFamily(families, lf.lfFaceName);
    if (s.face.empty())
        s.face = lf.lfFaceName;
    s.bold = lf.lfWeight >= FW_SEMIBOLD;
    s.italic = lf.lfItalic != 0;
    s.underline = lf.lfUnderline != 0;
    s.strikeOut = lf.lfStrikeOut != 0;
    const int height = std::abs(static_cast<int>(lf.lfHeight));
    if (cf.iPointSize > 0 && !(cf.Flags & CF_INITTOLOGFONTSTRUCT))
        s.pointSize = cf.iPointSize / 10;
    else if (height > 0)
        s.pointSize = static_cast<int>(std::lround(height * 72.0 / ScreenPixelsPerInch()));
    if (s.pointSize <= 0)
        s.pointSize = 10;
    s.color = cf.rgbColors;
    return s;
}

std::optional<std::string> CheckFontSelection(const CHOOSEFONT& cf, const FontSelection& s,
                                              const std::vector<std::string>& families) {
    if (s.face.empty() || ((cf.Flags & CF_FORCEFONTEXIST) && FindFamily(families, s.face).empty()))
        return std::string(Tr(Text::NoSuchFont));
    int low = 1, high = kMaxPoints;
    if ((cf.Flags & CF_LIMITSIZE) && cf.nSizeMin > 0 && cf.nSizeMax >= cf.nSizeMin) {
        low = cf.nSizeMin;
        high = cf.nSizeMax;
    }
    if (s.pointSize < low || s.pointSize > high)
        return TrWith(Text::SizeRange, low, high);
    return std::nullopt;
}

void StoreFontSelection(CHOOSEFONT& cf, const FontSelection& s) {
    const bool effects = (cf.Flags & CF_EFFECTS) != 0;
    if (cf.lpLogFont) {
        LOGFONT& lf = *cf.lpLogFont;
        lf = LOGFONT{};
        lf.lfHeight = -static_cast<LONG>(std::lround(s.pointSize * ScreenPixelsPerInch() / 72.0));
        lf.lfWeight = s.bold ? FW_BOLD : FW_NORMAL;
        lf.lfItalic = s.italic ? 1 : 0;
        lf.lfUnderline = effects && s.underline ? 1 : 0;
        lf.lfStrikeOut = effects && s.strikeOut ? 1 : 0;
        lf.lfCharSet = DEFAULT_CHARSET;
        lf.lfOutPrecision = OUT_DEFAULT_PRECIS;
        lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
        lf.lfQuality = DEFAULT_QUALITY;
        lf.lfPitchAndFamily = DEFAULT_PITCH | FF_DONTCARE;
        // The face is cut at a character boundary to fit the 32-byte field.
        size_t n = std::min<size_t>(s.face.size(), LF_FACESIZE - 1);
        while (n > 0 && n < s.face.size() && (static_cast<unsigned char>(s.face[n]) & 0xC0) == 0x80)
            --n;
        s.face.copy(lf.lfFaceName, n);
        lf.lfFaceName[n] = '\0';
    }
    cf.iPointSize = s.pointSize * 10;
    WORD type = SCREEN_FONTTYPE;
    type |= s.bold ? BOLD_FONTTYPE : 0;
    type |= s.italic ? ITALIC_FONTTYPE : 0;
    type |= (!s.bold && !s.italic) ? REGULAR_FONTTYPE : 0;
    cf.nFontType = type;
    if (effects)
        cf.rgbColors = s.color;
    if ((cf.Flags & CF_USESTYLE) && cf.lpszStyle) {
        const std::string style = StyleName(s.bold, s.italic);
        const size_t n = std::min<size_t>(style.size(), LF_FACESIZE - 1);
        style.copy(cf.lpszStyle, n);
        cf.lpszStyle[n] = '\0';
    }
}

std::string StyleName(bool bold, bool italic) {
    if (bold && italic)
        return Tr(Text::StyleBoldItalic);
    if (bold)
        return Tr(Text::StyleBold);
    if (italic)
        return Tr(Text::StyleItalic);
    return Tr(Text::StyleRegular);
}

}  // namespace kq::ui::commdlg
