// DrawText: lines, word breaks, alignment, tabs, '&' prefixes and ellipses, in logical units.
#include <algorithm>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "platform/base/Utf8.h"
#include "platform/gfx/ClassicLook.h"
#include "platform/gfx/UserDraw.h"
#include "platform/gfx/WinGdi.h"

namespace {

constexpr std::string_view kEllipsis = "...";

// A part of text with the byte offsets of its prefix-underlined characters.
struct Marked {
    std::string text;
    std::vector<int> marks;
};

class Layout {
  public:
    Layout(HDC hdc, UINT format, int tabLength) : hdc_(hdc), format_(format) {
        ::GetTextMetrics(hdc, &tm_);
        tabWidth_ = std::max(1, tm_.tmAveCharWidth * tabLength);
    }

    const TEXTMETRIC& Metrics() const { return tm_; }

    int Width(std::string_view s) const {
        if (!(format_ & DT_EXPANDTABS) || s.find('\t') == std::string_view::npos)
            return Extent(s);
        int x = 0;
        size_t start = 0;
        while (true) {
            const size_t tab = s.find('\t', start);
            x += Extent(s.substr(
                start, tab == std::string_view::npos ? std::string_view::npos : tab - start));
            if (tab == std::string_view::npos)
                return x;
            x = (x / tabWidth_ + 1) * tabWidth_;
            start = tab + 1;
        }
    }

    void Draw(int x, int y, std::string_view s) const {
        if (!(format_ & DT_EXPANDTABS) || s.find('\t') == std::string_view::npos) {
            ::TextOut(hdc_, x, y, s.data(), static_cast<int>(s.size()));
            return;
        }
        int pos = 0;
        size_t start = 0;
        while (true) {
            const size_t tab = s.find('\t', start);
            const std::string_view part = s.substr(
                start, tab == std::string_view::npos ? std::string_view::npos : tab - start);
            ::TextOut(hdc_, x + pos, y, part.data(), static_cast<int>(part.size()));
            pos += Extent(part);
            if (tab == std::string_view::npos)
                return;
            pos = (pos / tabWidth_ + 1) * tabWidth_;
            start = tab + 1;
        }
    }

  private:
    int Extent(std::string_view s) const {
        SIZE size{0, 0};
        ::GetTextExtentPoint32(hdc_, s.data(), static_cast<int>(s.size()), &size);
        return size.cx;
    }

    HDC hdc_;
    UINT format_;
    TEXTMETRIC tm_{};
    int tabWidth_ = 1;
};

// Removes '&' prefixes: "&x" underlines x, "&&" is one '&'.
Marked StripPrefixes(std::string_view text, bool process) {
    Marked m;
    for (size_t i = 0; i < text.size(); ++i) {
        if (process && text[i] == '&') {
            if (i + 1 < text.size() && text[i + 1] == '&') {
                m.text.push_back('&');
                ++i;
                continue;
            }
            if (i + 1 < text.size())
                m.marks.push_back(static_cast<int>(m.text.size()));
            continue;
        }
        m.text.push_back(text[i]);
    }
    return m;
}

Marked Slice(const Marked& m, size_t from, size_t to) {
    Marked out;
    out.text = m.text.substr(from, to - from);
    for (int mark : m.marks)
        if (mark >= static_cast<int>(from) && mark < static_cast<int>(to))
            out.marks.push_back(mark - static_cast<int>(from));
    return out;
}

// Byte offsets where code points start (plus the end).
std::vector<size_t> Boundaries(const std::string& s) {
    std::vector<size_t> b;
    for (const auto& cp : kq::DecodeUtf8(s))
        b.push_back(static_cast<size_t>(cp.offset));
    b.push_back(s.size());
    return b;
}

// The longest head (whole code points) that fits in width together with the ellipsis.
Marked EndEllipsis(const Layout& layout, const Marked& line, int width, bool wordEnd) {
    const std::vector<size_t> b = Boundaries(line.text);
    size_t lo = 0;
    size_t hi = b.size() - 1;
    // Binary search on the number of code points kept.
    while (lo < hi) {
        const size_t mid = (lo + hi + 1) / 2;
        if (layout.Width(line.text.substr(0, b[mid]) + std::string(kEllipsis)) <= width)
            lo = mid;
        else
            hi = mid - 1;
    }
    size_t keep = b[lo];
    if (wordEnd) {
        // Cut at the end of a word when one fits.
        const size_t space = line.text.rfind(' ', keep);
        if (space != std::string::npos && space > 0 && keep < line.text.size() &&
            line.text[keep] != ' ')
            keep = space;
    }
    Marked out = Slice(line, 0, keep);
    out.text += kEllipsis;
    return out;
}

Marked PathEllipsis(const Layout& layout, const Marked& line, int width) {
    const size_t sep = line.text.find_last_of("\\/");
    if (sep == std::string::npos || sep == 0)
        return EndEllipsis(layout, line, width, false);
    const Marked tail = Slice(line, sep, line.text.size());
    const std::vector<size_t> b = Boundaries(line.text.substr(0, sep));
    size_t keep = 0;
    for (size_t i = b.size(); i-- > 0;) {
        const std::string candidate =
            line.text.substr(0, b[i]) + std::string(kEllipsis) + tail.text;
        if (layout.Width(candidate) <= width) {
            keep = b[i];
            break;
        }
    }
    Marked out = Slice(line, 0, keep);
    const int shift = static_cast<int>(out.text.size() + kEllipsis.size());
    out.text += kEllipsis;
    out.text += tail.text;
    for (int mark : tail.marks)
        out.marks.push_back(mark + shift);
    if (keep == 0 && layout.Width(out.text) > width)
        return EndEllipsis(layout, out, width, false);
    return out;
}

// Splits into lines: at line ends unless single-line, and at spaces to fit the width when
// breaking words.
std::vector<Marked> BreakLines(const Layout& layout, const Marked& all, UINT format, int width) {
    std::vector<Marked> lines;
    std::vector<Marked> paragraphs;
    if (format & DT_SINGLELINE) {
        Marked one;
        for (size_t i = 0; i < all.text.size(); ++i)
            if (all.text[i] != '\r' && all.text[i] != '\n') {
                for (int mark : all.marks)
                    if (mark == static_cast<int>(i))
                        one.marks.push_back(static_cast<int>(one.text.size()));
                one.text.push_back(all.text[i]);
            }
        lines.push_back(std::move(one));
        return lines;
    }
    size_t start = 0;
    while (start <= all.text.size()) {
        const size_t end = all.text.find_first_of("\r\n", start);
        if (end == std::string::npos) {
            paragraphs.push_back(Slice(all, start, all.text.size()));
            break;
        }
        paragraphs.push_back(Slice(all, start, end));
        start =
            end + ((all.text[end] == '\r' && end + 1 < all.text.size() && all.text[end + 1] == '\n')
                       ? 2
                       : 1);
        if (start == all.text.size())
            break;
    }
    if (!(format & DT_WORDBREAK)) {
        return paragraphs;
    }
    for (const Marked& p : paragraphs) {
        size_t from = 0;
        if (p.text.empty()) {
            lines.push_back(p);
            continue;
        }
        while (from < p.text.size()) {
            // Extend word by word while the line fits; a line takes at least one word.
            size_t lineEnd = std::string::npos;
            size_t pos = from;
            while (true) {
                size_t next = p.text.find(' ', pos);
                if (next == std::string::npos)
                    next = p.text.size();
                const int w = layout.Width(std::string_view(p.text).substr(from, next - from));
                if (w <= width || lineEnd == std::string::npos)
                    lineEnd = next;
                if (w > width || next == p.text.size())
                    break;
                pos = next + 1;
            }
            if ((format & DT_EDITCONTROL) &&
                layout.Width(std::string_view(p.text).substr(from, lineEnd - from)) > width) {
                // An edit control breaks a word that is too long by itself.
                const std::vector<size_t> b = Boundaries(p.text.substr(from, lineEnd - from));
                size_t fit = b.size() > 1 ? b[1] : lineEnd - from;
                for (size_t i = 1; i < b.size(); ++i)
                    if (layout.Width(std::string_view(p.text).substr(from, b[i])) <= width)
                        fit = b[i];
                lineEnd = from + fit;
            }
            size_t trimmed = lineEnd;
            while (trimmed > from && p.text[trimmed - 1] == ' ')
                --trimmed;
            lines.push_back(Slice(p, from, trimmed));
            from = lineEnd;
            while (from < p.text.size() && p.text[from] == ' ')
                ++from;
        }
    }
    return lines;
}

int DrawTextImpl(HDC hdc, std::string_view text, RECT* rc, UINT format, int tabLength,
                 int leftMargin, int rightMargin, std::string* shownSingleLine) {
    if (!hdc || !rc)
        return 0;
    if (format & DT_TABSTOP)
        tabLength = static_cast<int>((format >> 8) & 0xFF);
    if (tabLength <= 0)
        tabLength = 8;
    if (format & DT_TABSTOP)
        format &= ~0xFF00u;
    Layout layout(hdc, format, tabLength);
    const TEXTMETRIC& tm = layout.Metrics();
    const int lineHeight = tm.tmHeight + ((format & DT_EXTERNALLEADING) ? tm.tmExternalLeading : 0);
    RECT area = *rc;
    area.left += leftMargin;
    area.right -= rightMargin;
    const int width = area.right - area.left;

    const Marked all = StripPrefixes(text, !(format & DT_NOPREFIX));
    std::vector<Marked> lines = BreakLines(layout, all, format, width);
    if (lines.empty())
        lines.emplace_back();
    const UINT ellipsis = format & (DT_END_ELLIPSIS | DT_PATH_ELLIPSIS | DT_WORD_ELLIPSIS);
    std::vector<int> widths;
    int maxWidth = 0;
    for (Marked& line : lines) {
        int w = layout.Width(line.text);
        if (ellipsis && w > width) {
            if (format & DT_PATH_ELLIPSIS)
                line = PathEllipsis(layout, line, width);
            else
                line = EndEllipsis(layout, line, width, (format & DT_WORD_ELLIPSIS) != 0);
            w = layout.Width(line.text);
        }
        widths.push_back(w);
        maxWidth = std::max(maxWidth, w);
    }
    if (shownSingleLine && lines.size() == 1)
        *shownSingleLine = lines[0].text;
    const int total = lineHeight * static_cast<int>(lines.size());
    const bool single = (format & DT_SINGLELINE) != 0;
    int y = area.top;
    if (single && (format & DT_VCENTER))
        y = area.top + (area.bottom - area.top - lineHeight) / 2;
    else if (single && (format & DT_BOTTOM))
        y = area.bottom - lineHeight;

    if (format & DT_CALCRECT) {
        rc->right = rc->left + leftMargin + maxWidth + rightMargin;
        rc->bottom = rc->top + total;
        return total;
    }

    const int saved = ::SaveDC(hdc);
    if (!(format & DT_NOCLIP))
        ::IntersectClipRect(hdc, rc->left, rc->top, rc->right, rc->bottom);
    ::SetTextAlign(hdc, TA_LEFT | TA_TOP | TA_NOUPDATECP);
    const bool underline = !(format & DT_HIDEPREFIX);
    const COLORREF ink = ::GetTextColor(hdc);
    for (size_t i = 0; i < lines.size(); ++i, y += lineHeight) {
        const Marked& line = lines[i];
        int x = area.left;
        if (format & DT_CENTER)
            x = area.left + (width - widths[i]) / 2;
        else if (format & DT_RIGHT)
            x = area.right - widths[i];
        if (!(format & DT_PREFIXONLY))
            layout.Draw(x, y, line.text);
        if (!underline)
            continue;
        for (int mark : line.marks) {
            const auto cps =
                kq::DecodeUtf8(std::string_view(line.text).substr(static_cast<size_t>(mark)));
            if (cps.empty())
                continue;
            const int from = x + layout.Width(std::string_view(line.text).substr(0, mark));
            const int to = x + layout.Width(std::string_view(line.text).substr(
                                   0, static_cast<size_t>(mark + cps[0].length)));
            const int uy = y + tm.tmAscent + 1;
            kq::gfx::FillSolid(hdc, RECT{from, uy, to, uy + 1}, ink);
        }
    }
    ::RestoreDC(hdc, saved);
    if (single && (format & (DT_VCENTER | DT_BOTTOM)))
        return y - rc->top;
    return total;
}

}  // namespace

int DrawText(HDC hdc, LPCSTR text, int length, LPRECT rc, UINT format) {
    if (!text)
        return 0;
    const std::string_view s =
        length < 0 ? std::string_view(text) : std::string_view(text, static_cast<size_t>(length));
    return DrawTextImpl(hdc, s, rc, format, 8, 0, 0, nullptr);
}

int DrawTextEx(HDC hdc, LPSTR text, int length, LPRECT rc, UINT format, LPDRAWTEXTPARAMS params) {
    if (!text)
        return 0;
    const size_t n = length < 0 ? std::strlen(text) : static_cast<size_t>(length);
    const std::string original(text, n);
    std::string shown;
    const int tab = params ? params->iTabLength : 8;
    const int left = params ? params->iLeftMargin : 0;
    const int right = params ? params->iRightMargin : 0;
    const int h = DrawTextImpl(hdc, original, rc, format, tab, left, right, &shown);
    if (params)
        params->uiLengthDrawn = static_cast<UINT>(n);
    // The shortened line is copied back when asked, never beyond the caller's text.
    if ((format & DT_MODIFYSTRING) && !shown.empty() && shown != original && length < 0 &&
        shown.size() <= n) {
        std::memcpy(text, shown.c_str(), shown.size() + 1);
    }
    return h;
}
