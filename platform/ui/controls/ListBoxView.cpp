// Geometry and scrolling of list boxes.
#include <algorithm>

#include "platform/ui/WinUser.h"
#include "platform/ui/controls/ListBox.h"
#include "platform/ui/controls/ScrollBar.h"
#include "platform/ui/controls/detail/ControlData.h"
#include "platform/ui/controls/detail/ControlSupport.h"
#include "platform/ui/controls/detail/ListBoxState.h"
#include "platform/ui/controls/detail/SystemClasses.h"

namespace kq::ui::detail {

std::shared_ptr<ListBoxState> ListBoxStateOf(HWND hwnd) {
    if (!IsWindowOfClass(hwnd, "ListBox") && !IsWindowOfClass(hwnd, kComboListClass))
        return nullptr;
    return ControlOf<ListBoxState>(hwnd);
}

void AttachListToCombo(HWND list, HWND combo, bool dropDown) {
    if (auto s = ListBoxStateOf(list)) {
        s->combo = combo;
        s->dropDown = dropDown;
    }
}

bool IsMultipleSelection(HWND hwnd) {
    return (StyleOf(hwnd) & (LBS_MULTIPLESEL | LBS_EXTENDEDSEL)) != 0;
}

bool HasStrings(HWND hwnd) {
    const DWORD style = StyleOf(hwnd);
    return !(style & (LBS_OWNERDRAWFIXED | LBS_OWNERDRAWVARIABLE)) || (style & LBS_HASSTRINGS);
}

int VisibleItemCount(HWND hwnd, const ListBoxState& s) {
    RECT client{};
    GetClientRect(hwnd, &client);
    return std::max(1, static_cast<int>(client.bottom) / std::max(1, s.itemHeight));
}

RECT ItemRect(HWND hwnd, const ListBoxState& s, int index) {
    RECT client{};
    GetClientRect(hwnd, &client);
    const int y = (index - s.top) * s.itemHeight;
    return RECT{0, y, std::max<LONG>(client.right, s.horizontalExtent), y + s.itemHeight};
}

int ItemAtPoint(HWND hwnd, const ListBoxState& s, POINT pt) {
    RECT client{};
    GetClientRect(hwnd, &client);
    if (!PtInRect(&client, pt))
        return -1;
    const int index = s.top + static_cast<int>(pt.y) / std::max(1, s.itemHeight);
    return s.model.Valid(index) ? index : -1;
}

void SetTopIndex(HWND hwnd, ListBoxState& s, int top) {
    const int maxTop = std::max(0, s.model.Count() - VisibleItemCount(hwnd, s));
    s.top = std::clamp(top, 0, maxTop);
    RefreshListScrollBar(hwnd, s);
}

void EnsureItemVisible(HWND hwnd, ListBoxState& s, int index) {
    if (!s.model.Valid(index))
        return;
    const int visible = VisibleItemCount(hwnd, s);
    if (index < s.top)
        SetTopIndex(hwnd, s, index);
    else if (index >= s.top + visible)
        SetTopIndex(hwnd, s, index - visible + 1);
}

void RefreshListScrollBar(HWND hwnd, ListBoxState& s) {
    if (!s.verticalBar)
        return;
    const DWORD style = StyleOf(hwnd);
    UINT mask = SIF_ALL;
    if (style & LBS_DISABLENOSCROLL)
        mask |= SIF_DISABLENOSCROLL;
    SCROLLINFO info{sizeof(SCROLLINFO),
                    mask,
                    0,
                    std::max(0, s.model.Count() - 1),
                    static_cast<UINT>(VisibleItemCount(hwnd, s)),
                    s.top,
                    0};
    SetScrollInfo(hwnd, SB_VERT, &info, TRUE);
}

void NotifyList(HWND hwnd, ListBoxState& s, WORD code) {
    if (s.combo) {
        if (IsWindow(s.combo))
            SendMessage(s.combo, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(hwnd), code),
                        reinterpret_cast<LPARAM>(hwnd));
        return;
    }
    const bool always = code == LBN_SETFOCUS || code == LBN_KILLFOCUS;
    if (always || (StyleOf(hwnd) & LBS_NOTIFY))
        NotifyParent(hwnd, code);
}

UINT ComboListMessage() {
    static const UINT message = RegisterWindowMessage("KqComboListEvent");
    return message;
}

}  // namespace kq::ui::detail
