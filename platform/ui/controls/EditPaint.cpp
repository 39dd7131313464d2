// Painting edit controls: the visible lines of the layout, the selection highlighted while
// the edit has the focus (always with ES_NOHIDESEL). The caret is the window system's.
#include <algorithm>
#include <string>

#include "platform/gfx/UserDraw.h"
#include "platform/gfx/WinGdi.h"
#include "platform/ui/WinUser.h"
#include "platform/ui/controls/Edit.h"
#include "platform/ui/controls/Utf8Text.h"
#include "platform/ui/controls/detail/ControlPaint.h"
#include "platform/ui/controls/detail/ControlSupport.h"
#include "platform/ui/controls/detail/EditState.h"

namespace kq::ui::detail {
namespace {

void Text(HDC dc, int x, int y, std::u32string_view text) {
    const std::string s = EncodeText(text);
    TextOut(dc, x, y, s.c_str(), static_cast<int>(s.size()));
}

}  // namespace

void PaintEdit(HWND hwnd, EditState& e, HDC dc) {
    RECT client{};
    GetClientRect(hwnd, &client);
    const DWORD style = StyleOf(hwnd);
    const bool enabled = IsWindowEnabled(hwnd) != FALSE;
    // Read-only and disabled edits look like statics.
    const UINT message = (style & ES_READONLY) || !enabled ? WM_CTLCOLORSTATIC : WM_CTLCOLOREDIT;
    HBRUSH brush = ControlBackground(hwnd, message, dc);
    FillBackground(dc, client, brush);
    if (!enabled)
        SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
    const COLORREF textColor = GetTextColor(dc);
    FontScope font(dc, e.font);
    const EditLayout& layout = CurrentLayout(hwnd, e);
    const RECT format = FormatRect(hwnd, e);
    const int saved = SaveDC(dc);
    IntersectClipRect(dc, format.left, format.top, format.right, format.bottom);
    SetBkMode(dc, TRANSPARENT);
    const int lineHeight = LineHeight(e);
    const size_t first = IsMultiLine(hwnd) ? e.firstLine : 0;
    const size_t last = std::min(layout.LineCount(), first + VisibleLines(hwnd, e) + 1);
    const bool showSelection = e.model.HasSelection() && (e.focused || (style & ES_NOHIDESEL));
    for (size_t i = first; i < last; ++i) {
        const EditLine& line = layout.Line(i);
        const int x = LineOrigin(hwnd, e, i);
        const int y = format.top + static_cast<int>(i - first) * lineHeight;
        const std::u32string shown = layout.Shown(i);
        SetTextColor(dc, textColor);
        Text(dc, x, y, shown);
        if (!showSelection)
            continue;
        const size_t from = std::max(e.model.SelStart(), line.start);
        const size_t to = std::min(e.model.SelEnd(), line.start + line.length);
        if (from >= to)
            continue;
        RECT band{x + layout.XOf(i, from), y, x + layout.XOf(i, to), y + lineHeight};
        FillRect(dc, &band, GetSysColorBrush(COLOR_HIGHLIGHT));
        SetTextColor(dc, GetSysColor(COLOR_HIGHLIGHTTEXT));
        Text(dc, band.left, y, std::u32string_view(shown).substr(from - line.start, to - from));
    }
    RestoreDC(dc, saved);
}

}  // namespace kq::ui::detail
