// The drop-down of a combo box: opening, choosing, cancelling, and the keys that move the
// selection.
#include <algorithm>

#include "platform/ui/WinUser.h"
#include "platform/ui/controls/ComboBox.h"
#include "platform/ui/controls/Edit.h"
#include "platform/ui/controls/ListBox.h"
#include "platform/ui/controls/Utf8Text.h"
#include "platform/ui/controls/detail/ComboState.h"
#include "platform/ui/controls/detail/ControlSupport.h"
#include "platform/ui/controls/detail/EditState.h"
#include "platform/ui/controls/detail/ListBoxState.h"

namespace kq::ui::detail {
namespace {

DWORD ComboType(HWND hwnd) {
    return StyleOf(hwnd) & 3;
}

void HighlightInList(ComboState& c, int index) {
    auto ls = ListBoxStateOf(c.list);
    if (!ls)
        return;
    ls->curSel = ls->model.Valid(index) ? index : -1;
    if (ls->model.Valid(index)) {
        ls->caret = index;
        EnsureItemVisible(c.list, *ls, index);
    }
}

int ItemCount(const ComboState& c) {
    auto ls = ListBoxStateOf(c.list);
    return ls ? ls->model.Count() : 0;
}

// The selection the arrow keys move to, -1 when they do not apply.
int KeyTarget(HWND hwnd, const ComboState& c, WPARAM vk) {
    const int n = ItemCount(c);
    if (n == 0)
        return -1;
    auto ls = ListBoxStateOf(c.list);
    const int page = c.dropped && ls ? std::max(1, VisibleItemCount(c.list, *ls) - 1) : 10;
    const int current = c.curSel;
    const bool editable = ComboType(hwnd) != CBS_DROPDOWNLIST;
    switch (vk) {
        case VK_UP:
            return std::max(0, current - 1);
        case VK_DOWN:
            return current < 0 ? 0 : std::min(n - 1, current + 1);
        case VK_PRIOR:
            return std::max(0, current - page);
        case VK_NEXT:
            return std::min(n - 1, std::max(0, current) + page);
        case VK_HOME:
            return editable && !c.dropped ? -1 : 0;
        case VK_END:
            return editable && !c.dropped ? -1 : n - 1;
        case VK_LEFT:
        case VK_RIGHT:
            if (editable || c.dropped)
                return -1;
            return vk == VK_LEFT ? std::max(0, current - 1) : std::min(n - 1, current + 1);
        default:
            return -1;
    }
}

void MoveByKey(HWND hwnd, ComboState& c, int target) {
    if (!SetComboSelection(hwnd, c, target))
        return;
    // While closed the change counts as a choice as well.
    if (!c.dropped) {
        NotifyParent(hwnd, CBN_SELENDOK);
        if (!IsWindow(hwnd))
            return;
    }
    NotifyParent(hwnd, CBN_SELCHANGE);
}

}  // namespace

void SetComboEditText(ComboState& c, const char* text) {
    if (!c.edit)
        return;
    c.settingText = true;
    SendMessage(c.edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
    c.settingText = false;
    SendMessage(c.edit, EM_SETSEL, 0, -1);
}

bool SetComboSelection(HWND hwnd, ComboState& c, int index) {
    auto ls = ListBoxStateOf(c.list);
    if (!ls || !ls->model.Valid(index) || index == c.curSel)
        return false;
    c.curSel = index;
    HighlightInList(c, index);
    SetComboEditText(c, EncodeText(ls->model.At(index).text).c_str());
    (void)hwnd;
    return true;
}

void OpenDropDown(HWND hwnd, ComboState& c) {
    if (c.dropped || !c.list || ComboType(hwnd) == CBS_SIMPLE)
        return;
    NotifyParent(hwnd, CBN_DROPDOWN);
    if (!IsWindow(hwnd) || !IsWindow(c.list))
        return;
    int highlight = c.curSel;
    if (highlight < 0 && c.edit) {
        char text[512];
        GetWindowText(c.edit, text, sizeof text);
        if (*text)
            highlight = static_cast<int>(SendMessage(c.list, LB_FINDSTRING, static_cast<WPARAM>(-1),
                                                     reinterpret_cast<LPARAM>(text)));
    }
    RECT r = ComboDroppedRect(hwnd, c);
    SetWindowPos(c.list, HWND_TOPMOST, r.left, r.top, r.right - r.left, r.bottom - r.top,
                 SWP_NOACTIVATE | SWP_SHOWWINDOW);
    HighlightInList(c, highlight);
    if (auto ls = ListBoxStateOf(c.list))
        ls->pressedInside = false;
    c.dropped = true;
    SetCapture(c.list);
}

void CloseDropDown(HWND hwnd, ComboState& c, bool notify) {
    if (!c.dropped)
        return;
    c.dropped = false;
    if (GetCapture() == c.list)
        ReleaseCapture();
    if (IsWindow(c.list))
        ShowWindow(c.list, SW_HIDE);
    HighlightInList(c, c.curSel);
    // The closed face differs from the dropped one, whatever closed it (a key, a choice or a
    // click in the list, a click elsewhere).
    if (IsWindow(hwnd))
        Redraw(hwnd);
    if (notify && IsWindow(hwnd))
        NotifyParent(hwnd, CBN_CLOSEUP);
}

void ChooseFromDropDown(HWND hwnd, ComboState& c, int index) {
    if (!c.dropped)
        return;
    const bool changed = SetComboSelection(hwnd, c, index);
    NotifyParent(hwnd, CBN_SELENDOK);
    if (!IsWindow(hwnd))
        return;
    CloseDropDown(hwnd, c, true);
    if (changed && IsWindow(hwnd))
        NotifyParent(hwnd, CBN_SELCHANGE);
}

void CancelDropDown(HWND hwnd, ComboState& c) {
    if (!c.dropped)
        return;
    NotifyParent(hwnd, CBN_SELENDCANCEL);
    if (IsWindow(hwnd))
        CloseDropDown(hwnd, c, true);
}

bool ComboIsDropped(HWND combo) {
    auto c = ComboStateOf(combo);
    return c && c->dropped;
}

bool ComboHandleKey(HWND hwnd, UINT message, WPARAM wParam) {
    auto c = ComboStateOf(hwnd);
    if (!c)
        return false;
    const bool simple = ComboType(hwnd) == CBS_SIMPLE;
    if (message == WM_SYSKEYDOWN) {
        if (wParam != VK_DOWN && wParam != VK_UP)
            return false;
        if (simple)
            return true;
        if (c->dropped) {
            auto ls = ListBoxStateOf(c->list);
            ChooseFromDropDown(hwnd, *c, ls ? ls->curSel : c->curSel);
        } else {
            OpenDropDown(hwnd, *c);
        }
        return true;
    }
    if (message == WM_CHAR) {
        // Enter and Escape belong to the drop-down while it is open.
        return c->dropped && (wParam == U'\r' || wParam == 0x1B);
    }
    if (message != WM_KEYDOWN)
        return false;
    switch (wParam) {
        case VK_F4:
            if (simple || c->extendedUI)
                return simple;
            if (c->dropped) {
                auto ls = ListBoxStateOf(c->list);
                ChooseFromDropDown(hwnd, *c, ls ? ls->curSel : c->curSel);
            } else {
                OpenDropDown(hwnd, *c);
            }
            return true;
        case VK_RETURN:
            if (!c->dropped)
                return false;
            if (auto ls = ListBoxStateOf(c->list))
                ChooseFromDropDown(hwnd, *c, ls->curSel);
            return true;
        case VK_ESCAPE:
            if (!c->dropped)
                return false;
            CancelDropDown(hwnd, *c);
            return true;
        case VK_DOWN:
            if (c->extendedUI && !c->dropped && !simple) {
                OpenDropDown(hwnd, *c);
                return true;
            }
            break;
        default:
            break;
    }
    const int target = KeyTarget(hwnd, *c, wParam);
    if (target < 0)
        return false;
    MoveByKey(hwnd, *c, target);
    return true;
}

void AttachEditToCombo(HWND edit, HWND combo) {
    if (auto e = EditStateOf(edit))
        e->combo = combo;
}

}  // namespace kq::ui::detail
