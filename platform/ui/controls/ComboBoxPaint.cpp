// Painting combo boxes: the sunken field, the drop-down button and, for a drop-down list, the
// selected item (highlighted while the combo box has the focus and its list is closed).
#include <string>

#include "platform/gfx/UserDraw.h"
#include "platform/gfx/WinGdi.h"
#include "platform/ui/WinUser.h"
#include "platform/ui/controls/ComboBox.h"
#include "platform/ui/controls/OwnerDraw.h"
#include "platform/ui/controls/Utf8Text.h"
#include "platform/ui/controls/detail/ComboState.h"
#include "platform/ui/controls/detail/ControlPaint.h"
#include "platform/ui/controls/detail/ControlSupport.h"
#include "platform/ui/controls/detail/ListBoxState.h"

namespace kq::ui::detail {

void PaintComboBox(HWND hwnd, ComboState& c, HDC dc) {
    RECT client{};
    GetClientRect(hwnd, &client);
    const DWORD style = StyleOf(hwnd);
    const DWORD type = style & 3;
    const bool enabled = IsWindowEnabled(hwnd) != FALSE;
    HBRUSH brush = ControlBackground(hwnd, WM_CTLCOLOREDIT, dc);
    RECT frame{0, 0, client.right, c.fieldHeight};
    DrawEdge(dc, &frame, EDGE_SUNKEN, BF_RECT);
    RECT field = ComboFieldRect(hwnd, c);
    FillBackground(dc, field, enabled ? brush : GetSysColorBrush(COLOR_BTNFACE));
    RECT button = ComboButtonRect(hwnd, c);
    if (!IsRectEmpty(&button)) {
        UINT state = DFCS_SCROLLCOMBOBOX;
        if (c.dropped)
            state |= DFCS_PUSHED | DFCS_FLAT;
        if (!enabled)
            state |= DFCS_INACTIVE;
        DrawFrameControl(dc, &button, DFC_SCROLL, state);
    }
    if (type != CBS_DROPDOWNLIST)
        return;
    RECT text = ComboEditRect(hwnd, c);
    const bool highlight = c.focused && !c.dropped;
    auto ls = ListBoxStateOf(c.list);
    if (style & (CBS_OWNERDRAWFIXED | CBS_OWNERDRAWVARIABLE)) {
        UINT state = ODS_COMBOBOXEDIT | (highlight ? ODS_SELECTED | ODS_FOCUS : 0) |
                     (enabled ? 0 : ODS_DISABLED);
        const UINT id = static_cast<UINT>(GetDlgCtrlID(hwnd));
        const ULONG_PTR data = ls && ls->model.Valid(c.curSel) ? ls->model.At(c.curSel).data : 0;
        DRAWITEMSTRUCT dis{
            ODT_COMBOBOX, id,  static_cast<UINT>(c.curSel), ODA_DRAWENTIRE, state, hwnd, dc,
            text,         data};
        SendToParent(hwnd, WM_DRAWITEM, id, reinterpret_cast<LPARAM>(&dis));
        return;
    }
    FontScope font(dc, c.font);
    if (highlight) {
        FillRect(dc, &text, GetSysColorBrush(COLOR_HIGHLIGHT));
        SetTextColor(dc, GetSysColor(COLOR_HIGHLIGHTTEXT));
    }
    if (ls && ls->model.Valid(c.curSel)) {
        RECT inner = text;
        inner.left += 2;
        DrawControlText(dc, EncodeText(ls->model.At(c.curSel).text), inner,
                        DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX, enabled);
    }
    if (highlight)
        DrawFocusRect(dc, &text);
}

}  // namespace kq::ui::detail
