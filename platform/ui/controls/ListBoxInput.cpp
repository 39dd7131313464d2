// Keyboard and mouse handling of list boxes, including the pop-up list of a combo box, which
// follows the mouse and reports the choice or a click elsewhere to its combo box.
#include <algorithm>

#include "platform/ui/WinUser.h"
#include "platform/ui/controls/ListBox.h"
#include "platform/ui/controls/Utf8Text.h"
#include "platform/ui/controls/detail/ControlSupport.h"
#include "platform/ui/controls/detail/ListBoxState.h"

namespace kq::ui::detail {
namespace {

bool IsExtended(HWND hwnd) {
    return (StyleOf(hwnd) & LBS_EXTENDEDSEL) != 0;
}

bool IsMultiple(HWND hwnd) {
    return (StyleOf(hwnd) & LBS_MULTIPLESEL) != 0 && !IsExtended(hwnd);
}

void SelectOnly(ListBoxState& s, int first, int last) {
    if (first > last)
        std::swap(first, last);
    for (int i = 0; i < s.model.Count(); ++i)
        s.model.At(i).selected = i >= first && i <= last;
}

// Selects as the user does: `fresh` for a press or a key, false while dragging.
void SelectByUser(HWND hwnd, ListBoxState& s, int index, bool fresh) {
    if (!s.model.Valid(index))
        return;
    if (!IsMultipleSelection(hwnd)) {
        s.curSel = index;
    } else if (IsMultiple(hwnd)) {
        if (fresh)
            s.model.At(index).selected = !s.model.At(index).selected;
    } else if (IsKeyDown(VK_CONTROL) && fresh) {
        s.model.At(index).selected = !s.model.At(index).selected;
        s.anchor = index;
    } else {
        if ((fresh && !IsKeyDown(VK_SHIFT)) || s.anchor < 0)
            s.anchor = index;
        SelectOnly(s, s.anchor, index);
    }
    s.caret = index;
    EnsureItemVisible(hwnd, s, index);
}

int Current(HWND hwnd, const ListBoxState& s) {
    if (!IsMultipleSelection(hwnd))
        return s.curSel;
    return s.model.Valid(s.caret) ? s.caret : -1;
}

}  // namespace

LRESULT ListKeyDown(HWND hwnd, ListBoxState& s, WPARAM vk) {
    const int n = s.model.Count();
    if (n == 0)
        return 0;
    const int current = Current(hwnd, s);
    const int page = std::max(1, VisibleItemCount(hwnd, s) - 1);
    int target = current;
    switch (vk) {
        case VK_UP:
        case VK_LEFT:
            target = current - 1;
            break;
        case VK_DOWN:
        case VK_RIGHT:
            target = current + 1;
            break;
        case VK_PRIOR:
            target = current - page;
            break;
        case VK_NEXT:
            target = current + page;
            break;
        case VK_HOME:
            target = 0;
            break;
        case VK_END:
            target = n - 1;
            break;
        case VK_SPACE:
            if (IsMultipleSelection(hwnd) && s.model.Valid(s.caret)) {
                s.model.At(s.caret).selected = !s.model.At(s.caret).selected;
                s.anchor = s.caret;
                NotifyList(hwnd, s, LBN_SELCHANGE);
            }
            return 0;
        default:
            return 0;
    }
    target = std::clamp(target, 0, n - 1);
    if (IsMultiple(hwnd) || (IsExtended(hwnd) && IsKeyDown(VK_CONTROL))) {
        s.caret = target;
        EnsureItemVisible(hwnd, s, target);
        return 0;
    }
    SelectByUser(hwnd, s, target, true);
    // Sent for every arrow key, even when the selection stays where it was.
    NotifyList(hwnd, s, LBN_SELCHANGE);
    return 0;
}

LRESULT ListChar(HWND hwnd, ListBoxState& s, WPARAM ch) {
    if (!HasStrings(hwnd) || ch < 0x20)
        return 0;
    const std::u32string prefix(1, static_cast<char32_t>(ch));
    const int found = s.model.Find(Current(hwnd, s), prefix, false);
    if (found < 0)
        return 0;
    SelectByUser(hwnd, s, found, true);
    NotifyList(hwnd, s, LBN_SELCHANGE);
    return 0;
}

void ListMouseDown(HWND hwnd, ListBoxState& s, POINT pt, bool doubleClick) {
    if (s.dropDown) {
        RECT client{};
        GetClientRect(hwnd, &client);
        if (!PtInRect(&client, pt)) {
            if (s.combo && IsWindow(s.combo))
                SendMessage(s.combo, ComboListMessage(), kComboListCancel, 0);
            return;
        }
        const int index = ItemAtPoint(hwnd, s, pt);
        if (index >= 0)
            s.curSel = s.caret = index;
        s.pressedInside = true;
        return;
    }
    if (GetFocus() != hwnd) {
        SetFocus(hwnd);
        if (!IsWindow(hwnd))
            return;
    }
    SetCapture(hwnd);
    s.mouseSelecting = true;
    s.doubleClicked = doubleClick;
    const int index = ItemAtPoint(hwnd, s, pt);
    s.pressedInside = index >= 0;
    if (index < 0)
        return;
    SelectByUser(hwnd, s, index, true);
    if (doubleClick)
        NotifyList(hwnd, s, LBN_DBLCLK);
}

void ListMouseMove(HWND hwnd, ListBoxState& s, POINT pt) {
    if (s.dropDown) {
        // The highlight follows the mouse; the combo box's selection changes on a choice.
        const int index = ItemAtPoint(hwnd, s, pt);
        if (index >= 0)
            s.curSel = s.caret = index;
        return;
    }
    if (!s.mouseSelecting || IsMultiple(hwnd) || s.model.Count() == 0)
        return;
    RECT client{};
    GetClientRect(hwnd, &client);
    int index;
    if (pt.y < 0)
        index = s.top - 1;
    else if (pt.y >= client.bottom)
        index = s.top + VisibleItemCount(hwnd, s);
    else
        index = s.top + static_cast<int>(pt.y) / std::max(1, s.itemHeight);
    index = std::clamp(index, 0, s.model.Count() - 1);
    SelectByUser(hwnd, s, index, false);
}

void ListMouseUp(HWND hwnd, ListBoxState& s, POINT pt) {
    if (s.dropDown) {
        const int index = ItemAtPoint(hwnd, s, pt);
        if (index >= 0 && s.combo && IsWindow(s.combo))
            SendMessage(s.combo, ComboListMessage(), kComboListChoose, index);
        return;
    }
    if (!s.mouseSelecting)
        return;
    s.mouseSelecting = false;
    if (GetCapture() == hwnd)
        ReleaseCapture();
    const bool afterDouble = s.doubleClicked;
    s.doubleClicked = false;
    if (!afterDouble && s.pressedInside && IsWindow(hwnd))
        NotifyList(hwnd, s, LBN_SELCHANGE);
}

}  // namespace kq::ui::detail
