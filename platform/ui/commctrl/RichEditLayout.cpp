#include <algorithm>

#include "platform/gfx/UserDraw.h"
#include "platform/gfx/WinGdi.h"
#include "platform/ui/WinUser.h"
#include "platform/ui/commctrl/RichEditState.h"
#include "platform/ui/commctrl/detail/ControlCommon.h"

namespace kq::ui::commctrl {
namespace {

int FontKey(const RichEditState::Format& f) {
    return (f.bold ? 1 : 0) | (f.italic ? 2 : 0) | (f.underline ? 4 : 0);
}

bool IsBreak(char32_t c) {
    return c == U'\r' || c == U'\n';
}

}  // namespace

HFONT RichEditState::Font() const {
    return font ? font : DefaultControlFont();
}

HFONT RichEditState::FontFor(const Format& f) const {
    const int key = FontKey(f);
    if (key == 0)
        return Font();
    auto it = fonts_.find(key);
    if (it != fonts_.end())
        return it->second;
    LOGFONT lf{};
    GetObject(Font(), sizeof lf, &lf);
    if (f.bold)
        lf.lfWeight = FW_BOLD;
    lf.lfItalic = f.italic ? 1 : 0;
    lf.lfUnderline = f.underline ? 1 : 0;
    HFONT created = CreateFontIndirect(&lf);
    fonts_[key] = created;
    return created;
}

int RichEditState::CharWidth(const Format& f, char32_t c) const {
    if (IsBreak(c))
        return 0;
    const auto key = std::make_pair(FontKey(f), c);
    auto it = widths_.find(key);
    if (it != widths_.end())
        return it->second;
    std::string utf8;
    // One code point as UTF-8.
    if (c < 0x80) {
        utf8.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
        utf8 = {static_cast<char>(0xC0 | (c >> 6)), static_cast<char>(0x80 | (c & 0x3F))};
    } else if (c < 0x10000) {
        utf8 = {static_cast<char>(0xE0 | (c >> 12)), static_cast<char>(0x80 | ((c >> 6) & 0x3F)),
                static_cast<char>(0x80 | (c & 0x3F))};
    } else {
        utf8 = {static_cast<char>(0xF0 | (c >> 18)), static_cast<char>(0x80 | ((c >> 12) & 0x3F)),
                static_cast<char>(0x80 | ((c >> 6) & 0x3F)), static_cast<char>(0x80 | (c & 0x3F))};
    }
    const int w = TextWidth(FontFor(f), utf8);
    widths_[key] = w;
    return w;
}

RECT RichEditState::TextArea() const {
    RECT rc{};
    GetClientRect(hwnd_, &rc);
    return RECT{rc.left + 2, rc.top + 1, std::max(rc.left + 3, rc.right - 2), rc.bottom};
}

int RichEditState::LineHeight() const {
    return std::max(1, FontHeight(Font()));
}

int RichEditState::VisibleLines() const {
    const RECT area = TextArea();
    return std::max(1, static_cast<int>(area.bottom - area.top) / LineHeight());
}

void RichEditState::Relayout() {
    layoutDirty_ = true;
    widths_.clear();
    for (auto& [key, f] : fonts_)
        DeleteObject(f);
    fonts_.clear();
    ScrollTo(first_);
    Invalidate(hwnd_);
}

const std::vector<RichEditState::Line>& RichEditState::Lines() const {
    if (!layoutDirty_)
        return lines_;
    lines_.clear();
    const RECT area = TextArea();
    const int width = area.right - area.left;
    const int length = Length();
    int p = 0;
    while (true) {
        int e = p;
        while (e < length && !IsBreak(text_[static_cast<size_t>(e)]))
            ++e;
        // Wrap the paragraph [p, e) at spaces, or inside a word longer than the width.
        int lineStart = p;
        int x = 0;
        int lastSpace = -1;
        for (int j = p; j < e; ++j) {
            const char32_t c = text_[static_cast<size_t>(j)];
            const int w = CharWidth(FormatAt(j), c);
            if (x + w > width && j > lineStart && c != U' ') {
                const int breakAt = lastSpace >= lineStart ? lastSpace + 1 : j;
                lines_.push_back(Line{lineStart, breakAt});
                lineStart = breakAt;
                lastSpace = -1;
                x = 0;
                j = breakAt - 1;
                continue;
            }
            if (c == U' ')
                lastSpace = j;
            x += w;
        }
        lines_.push_back(Line{lineStart, e});
        if (e >= length)
            break;
        const bool crlf = text_[static_cast<size_t>(e)] == U'\r' && e + 1 < length &&
                          text_[static_cast<size_t>(e + 1)] == U'\n';
        p = e + (crlf ? 2 : 1);
    }
    layoutDirty_ = false;
    return lines_;
}

int RichEditState::LineFromChar(int cp) const {
    const auto& lines = Lines();
    int line = 0;
    for (size_t i = 0; i < lines.size(); ++i)
        if (lines[i].start <= cp)
            line = static_cast<int>(i);
    return line;
}

void RichEditState::ScrollTo(int line) {
    const int count = static_cast<int>(Lines().size());
    line = std::clamp(line, 0, std::max(0, count - VisibleLines()));
    if (line != first_) {
        first_ = line;
        Invalidate(hwnd_);
    }
}

void RichEditState::ScrollCaretIntoView() {
    const int line = LineFromChar(caret_);
    if (line < first_)
        ScrollTo(line);
    else if (line >= first_ + VisibleLines())
        ScrollTo(line - VisibleLines() + 1);
}

POINT RichEditState::PosFromChar(int cp) const {
    cp = std::clamp(cp, 0, Length());
    const int line = LineFromChar(cp);
    const Line& l = Lines()[static_cast<size_t>(line)];
    const RECT area = TextArea();
    int x = area.left;
    for (int i = l.start; i < std::min(cp, l.end); ++i)
        x += CharWidth(FormatAt(i), text_[static_cast<size_t>(i)]);
    return POINT{x, area.top + (line - first_) * LineHeight()};
}

int RichEditState::CharFromPoint(POINT pt) const {
    const auto& lines = Lines();
    const RECT area = TextArea();
    int line = first_ + (static_cast<int>(pt.y) - static_cast<int>(area.top)) / LineHeight();
    if (pt.y < area.top)
        line = first_ - 1;
    line = std::clamp(line, 0, static_cast<int>(lines.size()) - 1);
    const Line& l = lines[static_cast<size_t>(line)];
    int x = area.left;
    for (int i = l.start; i < l.end; ++i) {
        const int w = CharWidth(FormatAt(i), text_[static_cast<size_t>(i)]);
        if (pt.x < x + w / 2)
            return i;
        x += w;
    }
    return l.end;
}

void PaintRichEdit(const RichEditState& s, HDC hdc) {
    RECT client{};
    GetClientRect(s.hwnd(), &client);
    const int saved = SaveDC(hdc);
    HBRUSH bk = CreateSolidBrush(s.sysBk ? GetSysColor(COLOR_WINDOW) : s.bkColor);
    FillRect(hdc, &client, bk);
    DeleteObject(bk);
    const RECT area = s.TextArea();
    IntersectClipRect(hdc, area.left, area.top, area.right, area.bottom);
    SetBkMode(hdc, TRANSPARENT);
    const bool noHide = GetWindowLong(s.hwnd(), GWL_STYLE) & 0x0100;
    const bool showSel = (s.hasFocus || noHide) && !s.hideSelection && s.SelMin() != s.SelMax();
    const auto& lines = s.Lines();
    const int h = s.LineHeight();
    const int last =
        std::min(static_cast<int>(lines.size()), s.FirstVisible() + s.VisibleLines() + 1);
    for (int li = s.FirstVisible(); li < last; ++li) {
        const RichEditState::Line& line = lines[static_cast<size_t>(li)];
        const int y = area.top + (li - s.FirstVisible()) * h;
        int x = area.left;
        int i = line.start;
        while (i < line.end) {
            // A run: same format, same side of the selection.
            const RichEditState::Format f = s.FormatAt(i);
            const bool selected = showSel && i >= s.SelMin() && i < s.SelMax();
            int j = i + 1;
            while (j < line.end && s.FormatAt(j) == f &&
                   (showSel && j >= s.SelMin() && j < s.SelMax()) == selected)
                ++j;
            const std::string run = s.Utf8(i, j);
            int w = 0;
            for (int k = i; k < j; ++k)
                w += s.CharWidth(f, s.CharAt(k));
            SelectObject(hdc, s.FontFor(f));
            if (selected) {
                RECT sel{x, y, x + w, y + h};
                FillRect(hdc, &sel, GetSysColorBrush(COLOR_HIGHLIGHT));
                SetTextColor(hdc, GetSysColor(COLOR_HIGHLIGHTTEXT));
            } else {
                SetTextColor(hdc, f.autoColor ? GetSysColor(COLOR_WINDOWTEXT) : f.color);
            }
            TextOut(hdc, x, y, run.c_str(), static_cast<int>(run.size()));
            x += w;
            i = j;
        }
    }
    RestoreDC(hdc, saved);
}

}  // namespace kq::ui::commctrl
