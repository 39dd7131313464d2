// Painting list boxes: text items with the selection highlighted and the focus rectangle, or
// owner-drawn items through WM_DRAWITEM.
#include <algorithm>
#include <string>

#include "platform/gfx/UserDraw.h"
#include "platform/gfx/WinGdi.h"
#include "platform/ui/WinUser.h"
#include "platform/ui/controls/ListBox.h"
#include "platform/ui/controls/OwnerDraw.h"
#include "platform/ui/controls/Utf8Text.h"
#include "platform/ui/controls/detail/ControlPaint.h"
#include "platform/ui/controls/detail/ControlSupport.h"
#include "platform/ui/controls/detail/ListBoxState.h"

namespace kq::ui::detail {
namespace {

bool IsSelected(HWND hwnd, const ListBoxState& s, int index) {
    return IsMultipleSelection(hwnd) ? s.model.At(index).selected : s.curSel == index;
}

}  // namespace

void PaintListBox(HWND hwnd, ListBoxState& s, HDC dc) {
    RECT client{};
    GetClientRect(hwnd, &client);
    const DWORD style = StyleOf(hwnd);
    // A combo box's list takes its colours from the combo box's parent.
    HWND owner = s.combo ? GetParent(s.combo) : GetParent(hwnd);
    HBRUSH brush = DefaultControlColor(WM_CTLCOLORLISTBOX, dc);
    if (owner) {
        HBRUSH chosen = reinterpret_cast<HBRUSH>(SendMessage(owner, WM_CTLCOLORLISTBOX,
                                                             reinterpret_cast<WPARAM>(dc),
                                                             reinterpret_cast<LPARAM>(hwnd)));
        if (chosen)
            brush = chosen == static_cast<HBRUSH>(GetStockObject(NULL_BRUSH)) ? nullptr : chosen;
    }
    FillBackground(dc, client, brush);
    const COLORREF textColor = GetTextColor(dc);
    const bool enabled = IsWindowEnabled(hwnd) != FALSE;
    const bool ownerDrawn = (style & (LBS_OWNERDRAWFIXED | LBS_OWNERDRAWVARIABLE)) != 0;
    FontScope font(dc, s.font);
    const int last = std::min(s.model.Count(), s.top + VisibleItemCount(hwnd, s) + 1);
    for (int i = s.top; i < last; ++i) {
        RECT r = ItemRect(hwnd, s, i);
        const bool selected = IsSelected(hwnd, s, i);
        const bool focus = s.focused && s.caret == i;
        if (ownerDrawn) {
            UINT state = (selected ? ODS_SELECTED : 0) | (focus ? ODS_FOCUS : 0) |
                         (enabled ? 0 : ODS_DISABLED);
            const UINT type = s.combo ? ODT_COMBOBOX : ODT_LISTBOX;
            const UINT id = static_cast<UINT>(GetDlgCtrlID(s.combo ? s.combo : hwnd));
            DRAWITEMSTRUCT dis{
                type, id, static_cast<UINT>(i), ODA_DRAWENTIRE, state, s.combo ? s.combo : hwnd,
                dc,   r,  s.model.At(i).data};
            if (owner)
                SendMessage(owner, WM_DRAWITEM, id, reinterpret_cast<LPARAM>(&dis));
            continue;
        }
        if (selected) {
            FillRect(dc, &r, GetSysColorBrush(COLOR_HIGHLIGHT));
            SetTextColor(dc, GetSysColor(COLOR_HIGHLIGHTTEXT));
        } else {
            SetTextColor(dc, enabled ? textColor : GetSysColor(COLOR_GRAYTEXT));
        }
        RECT textRect = r;
        textRect.left += 2;
        UINT format = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX;
        if (style & LBS_USETABSTOPS)
            format |= DT_EXPANDTABS;
        const std::string text = EncodeText(s.model.At(i).text);
        SetBkMode(dc, TRANSPARENT);
        DrawText(dc, text.c_str(), static_cast<int>(text.size()), &textRect, format);
        if (focus && !s.dropDown)
            DrawFocusRect(dc, &r);
    }
}

}  // namespace kq::ui::detail
