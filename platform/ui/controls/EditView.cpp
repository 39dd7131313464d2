// Placing an edit control's text in its window: formatting rectangle, scrolling, caret.
#include <algorithm>

#include "platform/ui/Caret.h"
#include "platform/ui/WinUser.h"
#include "platform/ui/WindowPos.h"
#include "platform/ui/controls/Edit.h"
#include "platform/ui/controls/ScrollBar.h"
#include "platform/ui/controls/TextMetrics.h"
#include "platform/ui/controls/detail/ControlData.h"
#include "platform/ui/controls/detail/ControlSupport.h"
#include "platform/ui/controls/detail/EditState.h"

namespace kq::ui::detail {
namespace {

bool WrapsLines(HWND hwnd) {
    const DWORD style = StyleOf(hwnd);
    return (style & ES_MULTILINE) && !(style & (ES_AUTOHSCROLL | WS_HSCROLL));
}

bool ScrollsHorizontally(HWND hwnd) {
    const DWORD style = StyleOf(hwnd);
    return (style & (ES_AUTOHSCROLL | WS_HSCROLL)) != 0;
}

int FormatWidth(HWND hwnd, const EditState& e) {
    RECT r = FormatRect(hwnd, e);
    return std::max<int>(0, r.right - r.left);
}

}  // namespace

std::shared_ptr<EditState> EditStateOf(HWND hwnd) {
    return IsWindowOfClass(hwnd, "Edit") ? ControlOf<EditState>(hwnd) : nullptr;
}

bool IsMultiLine(HWND hwnd) {
    return (StyleOf(hwnd) & ES_MULTILINE) != 0;
}

RECT FormatRect(HWND hwnd, const EditState& e) {
    if (e.customRect)
        return e.rect;
    RECT r{};
    GetClientRect(hwnd, &r);
    r.left += e.leftMargin;
    r.right -= e.rightMargin;
    if (r.right < r.left)
        r.right = r.left;
    return r;
}

const EditLayout& CurrentLayout(HWND hwnd, EditState& e) {
    if (e.layoutDirty) {
        const bool password = (StyleOf(hwnd) & ES_PASSWORD) && !IsMultiLine(hwnd);
        e.layout.Build(e.model.Text(), IsMultiLine(hwnd),
                       WrapsLines(hwnd) ? FormatWidth(hwnd, e) : 0, e.font,
                       password ? e.passwordChar : 0);
        e.layoutDirty = false;
    }
    return e.layout;
}

int LineHeight(const EditState& e) {
    return std::max(1, MeasureFont(e.font).height);
}

size_t VisibleLines(HWND hwnd, const EditState& e) {
    RECT r = FormatRect(hwnd, e);
    return static_cast<size_t>(std::max(1, static_cast<int>(r.bottom - r.top) / LineHeight(e)));
}

int LineOrigin(HWND hwnd, EditState& e, size_t line) {
    const EditLayout& layout = CurrentLayout(hwnd, e);
    RECT r = FormatRect(hwnd, e);
    const int spare = std::max(0, static_cast<int>(r.right - r.left) - layout.Width(line));
    const DWORD align = StyleOf(hwnd) & (ES_CENTER | ES_RIGHT);
    int shift = align == ES_CENTER ? spare / 2 : align == ES_RIGHT ? spare : 0;
    return r.left + shift - e.xOffset;
}

POINT PositionOfChar(HWND hwnd, EditState& e, size_t pos) {
    const EditLayout& layout = CurrentLayout(hwnd, e);
    const size_t line = layout.LineOf(pos);
    RECT r = FormatRect(hwnd, e);
    const long row =
        static_cast<long>(line) - static_cast<long>(IsMultiLine(hwnd) ? e.firstLine : 0);
    return POINT{LineOrigin(hwnd, e, line) + layout.XOf(line, pos),
                 r.top + static_cast<LONG>(row * LineHeight(e))};
}

size_t CharAtPoint(HWND hwnd, EditState& e, POINT pt) {
    const EditLayout& layout = CurrentLayout(hwnd, e);
    RECT r = FormatRect(hwnd, e);
    size_t line = 0;
    if (IsMultiLine(hwnd)) {
        long row = pt.y >= r.top ? (pt.y - r.top) / LineHeight(e)
                                 : -1 - (r.top - pt.y - 1) / LineHeight(e);
        long index = static_cast<long>(e.firstLine) + row;
        line = static_cast<size_t>(
            std::clamp<long>(index, 0, static_cast<long>(layout.LineCount()) - 1));
    }
    return layout.PosAt(line, pt.x - LineOrigin(hwnd, e, line));
}

bool FitsWithoutForbiddenScroll(HWND hwnd, EditState& e, const EditModel& model) {
    const DWORD style = StyleOf(hwnd);
    const bool multi = (style & ES_MULTILINE) != 0;
    const bool hFree = (style & (ES_AUTOHSCROLL | WS_HSCROLL)) != 0;
    const bool vFree = (style & (ES_AUTOVSCROLL | WS_VSCROLL)) != 0;
    if ((!multi && hFree) || (multi && vFree))
        return true;
    EditLayout candidate;
    const bool password = (style & ES_PASSWORD) && !multi;
    candidate.Build(model.Text(), multi, WrapsLines(hwnd) ? FormatWidth(hwnd, e) : 0, e.font,
                    password ? e.passwordChar : 0);
    if (!multi)
        return candidate.Width(0) <= FormatWidth(hwnd, e);
    return candidate.LineCount() <= VisibleLines(hwnd, e);
}

void ClampScroll(HWND hwnd, EditState& e) {
    const EditLayout& layout = CurrentLayout(hwnd, e);
    if (IsMultiLine(hwnd))
        e.firstLine = std::min(e.firstLine, layout.LineCount() - 1);
    else
        e.firstLine = 0;
    const int limit = std::max(0, layout.MaxWidth() - FormatWidth(hwnd, e) + 1);
    e.xOffset = ScrollsHorizontally(hwnd) ? std::clamp(e.xOffset, 0, limit) : 0;
}

void ScrollCaretIntoView(HWND hwnd, EditState& e) {
    const EditLayout& layout = CurrentLayout(hwnd, e);
    const size_t caret = e.model.Caret();
    const size_t line = layout.LineOf(caret);
    if (IsMultiLine(hwnd)) {
        const size_t visible = VisibleLines(hwnd, e);
        if (line < e.firstLine)
            e.firstLine = line;
        else if (line >= e.firstLine + visible)
            e.firstLine = line - visible + 1;
    }
    if (ScrollsHorizontally(hwnd)) {
        const int width = FormatWidth(hwnd, e);
        const int x = layout.XOf(line, caret);
        if (x < e.xOffset)
            e.xOffset = std::max(0, x - width / 4);
        else if (x > e.xOffset + width - 1)
            e.xOffset = x - width + 1;
    }
    ClampScroll(hwnd, e);
    RefreshCaret(hwnd, e);
    RefreshScrollBars(hwnd, e);
}

void RefreshCaret(HWND hwnd, EditState& e) {
    if (!e.focused)
        return;
    POINT pt = PositionOfChar(hwnd, e, e.model.Caret());
    SetCaretPos(pt.x, pt.y);
}

void RefreshScrollBars(HWND hwnd, EditState& e) {
    const DWORD style = StyleOf(hwnd);
    if (!(style & ES_MULTILINE))
        return;
    const EditLayout& layout = CurrentLayout(hwnd, e);
    if (style & WS_VSCROLL) {
        SCROLLINFO info{sizeof(SCROLLINFO),
                        SIF_ALL | SIF_DISABLENOSCROLL,
                        0,
                        static_cast<int>(layout.LineCount()) - 1,
                        static_cast<UINT>(VisibleLines(hwnd, e)),
                        static_cast<int>(e.firstLine),
                        0};
        SetScrollInfo(hwnd, SB_VERT, &info, TRUE);
    }
    if (style & WS_HSCROLL) {
        SCROLLINFO info{sizeof(SCROLLINFO),
                        SIF_ALL | SIF_DISABLENOSCROLL,
                        0,
                        layout.MaxWidth(),
                        static_cast<UINT>(FormatWidth(hwnd, e)),
                        e.xOffset,
                        0};
        SetScrollInfo(hwnd, SB_HORZ, &info, TRUE);
    }
}

}  // namespace kq::ui::detail
