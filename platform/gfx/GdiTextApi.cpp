// Text output and measurement.
#include <algorithm>
#include <cstring>
#include <string_view>

#include "platform/base/Utf8.h"
#include "platform/gfx/DeviceContext.h"
#include "platform/gfx/FontMatcher.h"
#include "platform/gfx/HandleTable.h"
#include "platform/gfx/RealizedFont.h"
#include "platform/gfx/WinGdi.h"

using namespace kq::gfx;

namespace {

std::string_view View(LPCSTR text, int length) {
    if (!text)
        return {};
    if (length < 0)
        return std::string_view(text);
    return std::string_view(text, static_cast<size_t>(length));
}

// The next tab stop after x (logical units, relative to the tab origin).
int NextTabStop(int x, int positions, const INT* stops, int defaultStep) {
    if (positions <= 0 || !stops) {
        const int step = std::max(1, defaultStep);
        return (x / step + 1) * step;
    }
    if (positions == 1) {
        const int step = std::max(1, std::abs(stops[0]));
        return (x / step + 1) * step;
    }
    for (int i = 0; i < positions; ++i)
        if (std::abs(stops[i]) > x)
            return std::abs(stops[i]);
    return x;
}

// Lays out tab-separated text; draws each part when dc output is wanted.
SIZE TabbedLayout(DeviceContext& dc, int x, int y, std::string_view text, int positions,
                  const INT* stops, int origin, bool draw) {
    TEXTMETRIC tm{};
    dc.GetTextMetrics(&tm);
    const int step = tm.tmAveCharWidth * 8;
    int pos = x;
    size_t start = 0;
    while (start <= text.size()) {
        const size_t tab = text.find('\t', start);
        const std::string_view part = text.substr(
            start, tab == std::string_view::npos ? std::string_view::npos : tab - start);
        if (draw && !part.empty())
            dc.ExtTextOut(pos, y, 0, nullptr, part, nullptr);
        pos += dc.TextExtent(part).cx;
        if (tab == std::string_view::npos)
            break;
        pos = origin + NextTabStop(pos - origin, positions, stops, step);
        start = tab + 1;
    }
    return SIZE{pos - x, tm.tmHeight};
}

}  // namespace

BOOL TextOut(HDC hdc, int x, int y, LPCSTR text, int length) {
    auto dc = LookupDc(hdc);
    if (!dc || length < 0 || (!text && length > 0))
        return FALSE;
    return dc->ExtTextOut(x, y, 0, nullptr, View(text, length), nullptr) ? TRUE : FALSE;
}

BOOL ExtTextOut(HDC hdc, int x, int y, UINT options, const RECT* rc, LPCSTR text, UINT length,
                const INT* dx) {
    auto dc = LookupDc(hdc);
    if (!dc || (!text && length > 0) || length > 0x7FFFFFFF)
        return FALSE;
    return dc->ExtTextOut(x, y, options, rc, View(text, static_cast<int>(length)), dx) ? TRUE
                                                                                       : FALSE;
}

BOOL GetTextExtentPoint32(HDC hdc, LPCSTR text, int length, LPSIZE size) {
    auto dc = LookupDc(hdc);
    if (!dc || !size || length < 0 || (!text && length > 0))
        return FALSE;
    *size = dc->TextExtent(View(text, length));
    return TRUE;
}

BOOL GetTextExtentExPoint(HDC hdc, LPCSTR text, int length, int maxExtent, LPINT fit,
                          LPINT partialExtents, LPSIZE size) {
    auto dc = LookupDc(hdc);
    if (!dc || !size || length < 0 || (!text && length > 0))
        return FALSE;
    const std::string_view s = View(text, length);
    auto font = dc->Font();
    const int64_t extra = dc->WidthToDevice(dc->State().textCharExtra);
    int count = 0;
    bool fitting = true;
    int64_t device = 0;
    for (const kq::CodePoint& cp : kq::DecodeUtf8(s)) {
        device += font->Advance(cp.value) + extra;
        const int extent = static_cast<int>(dc->WidthToLogical(device));
        if (fitting && extent <= maxExtent)
            count = cp.offset + cp.length;
        else
            fitting = false;
        if (partialExtents)
            for (int k = 0; k < cp.length; ++k)
                partialExtents[cp.offset + k] = extent;
    }
    if (fit)
        *fit = count;
    *size = dc->TextExtent(s);
    return TRUE;
}

BOOL GetTextMetrics(HDC hdc, LPTEXTMETRIC tm) {
    auto dc = LookupDc(hdc);
    return dc && dc->GetTextMetrics(tm) ? TRUE : FALSE;
}

BOOL GetCharWidth32(HDC hdc, UINT first, UINT last, LPINT widths) {
    auto dc = LookupDc(hdc);
    if (!dc || !widths || last < first || last > 0x10FFFF)
        return FALSE;
    auto font = dc->Font();
    for (UINT c = first; c <= last; ++c)
        widths[c - first] = static_cast<int>(dc->WidthToLogical(font->Advance(c)));
    return TRUE;
}

int GetTextFace(HDC hdc, int count, LPSTR face) {
    auto dc = LookupDc(hdc);
    if (!dc)
        return 0;
    const std::string name = dc->Font()->FaceName();
    if (!face)
        return static_cast<int>(name.size()) + 1;
    if (count <= 0)
        return 0;
    const size_t n = std::min(name.size(), static_cast<size_t>(count - 1));
    std::memcpy(face, name.data(), n);
    face[n] = '\0';
    return static_cast<int>(n) + 1;
}

LONG TabbedTextOut(HDC hdc, int x, int y, LPCSTR text, int length, int tabPositions,
                   const INT* tabStops, int tabOrigin) {
    auto dc = LookupDc(hdc);
    if (!dc || length < 0 || (!text && length > 0))
        return 0;
    const SIZE s =
        TabbedLayout(*dc, x, y, View(text, length), tabPositions, tabStops, tabOrigin, true);
    return static_cast<LONG>(MAKELONG(static_cast<DWORD>(s.cx), static_cast<DWORD>(s.cy)));
}

DWORD GetTabbedTextExtent(HDC hdc, LPCSTR text, int length, int tabPositions, const INT* tabStops) {
    auto dc = LookupDc(hdc);
    if (!dc || length < 0 || (!text && length > 0))
        return 0;
    const SIZE s = TabbedLayout(*dc, 0, 0, View(text, length), tabPositions, tabStops, 0, false);
    return MAKELONG(static_cast<DWORD>(s.cx), static_cast<DWORD>(s.cy));
}

int EnumFontFamiliesEx(HDC hdc, LPLOGFONT lf, FONTENUMPROC proc, LPARAM lParam, DWORD) {
    auto dc = LookupDc(hdc);
    if (!dc || !proc)
        return 0;
    const std::string wanted =
        lf ? std::string(lf->lfFaceName, strnlen(lf->lfFaceName, LF_FACESIZE)) : "";
    int result = 1;
    for (const std::string& family : EnumerableFamilies()) {
        if (!wanted.empty() && family != wanted)
            continue;
        LOGFONT f{};
        f.lfHeight = -12;
        f.lfWeight = FW_NORMAL;
        f.lfCharSet = IsMarlettFace(family.c_str()) ? SYMBOL_CHARSET : ANSI_CHARSET;
        std::strncpy(f.lfFaceName, family.c_str(), LF_FACESIZE - 1);
        const auto font = RealizedFont::Get(f);
        TEXTMETRIC tm = font->Metrics();
        result = proc(&f, &tm, TRUETYPE_FONTTYPE, lParam);
        if (result == 0)
            break;
    }
    return result;
}

int EnumFontFamilies(HDC hdc, LPCSTR family, FONTENUMPROC proc, LPARAM lParam) {
    LOGFONT lf{};
    if (family)
        std::strncpy(lf.lfFaceName, family, LF_FACESIZE - 1);
    return EnumFontFamiliesEx(hdc, &lf, proc, lParam, 0);
}
