// Moving through the controls of a dialog: tab stops, groups, the focus and the default button.
#include <algorithm>

#include "platform/ui/WinUser.h"
#include "platform/ui/controls/Edit.h"
#include "platform/ui/dialog/Dialog.h"
#include "platform/ui/dialog/detail/DialogFocus.h"
#include "platform/ui/dialog/detail/DialogState.h"

using namespace kq::ui::detail;

namespace {

DWORD StyleOf(HWND hwnd) {
    return static_cast<DWORD>(GetWindowLong(hwnd, GWL_STYLE));
}

bool Usable(HWND hwnd) {
    return IsWindowVisible(hwnd) && IsWindowEnabled(hwnd);
}

}  // namespace

namespace kq::ui::detail {

std::vector<HWND> GroupOf(HWND control) {
    HWND parent = GetParent(control);
    std::vector<HWND> siblings;
    for (HWND c = GetWindow(parent, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
        siblings.push_back(c);
    auto at = std::find(siblings.begin(), siblings.end(), control);
    if (at == siblings.end())
        return {control};
    auto first = at;
    while (first != siblings.begin() && !(StyleOf(*first) & WS_GROUP))
        --first;
    auto last = at + 1;
    while (last != siblings.end() && !(StyleOf(*last) & WS_GROUP))
        ++last;
    return std::vector<HWND>(first, last);
}

void MoveFocusPastDisabled(HWND disabled) {
    HWND dialog = nullptr;
    for (HWND p = GetParent(disabled); p && IsDialogWindow(p); p = GetParent(p)) {
        dialog = p;
        const bool sharesTabOrder =
            (GetWindowLong(p, GWL_EXSTYLE) & WS_EX_CONTROLPARENT) && (StyleOf(p) & WS_CHILD);
        if (!sharesTabOrder)
            break;
    }
    if (!dialog)
        return;
    HWND next = GetNextDlgTabItem(dialog, disabled, FALSE);
    if (next && next != disabled && !IsChild(disabled, next))
        kq::ui::SetDialogFocus(dialog, next);
    else if (IsWindowEnabled(dialog))
        SetFocus(dialog);
}

void ControlFocused(HWND control) {
    HWND parent = GetParent(control);
    if (IsDialogWindow(parent))
        UpdateDefaultButton(parent, control);
}

}  // namespace kq::ui::detail

HWND GetNextDlgTabItem(HWND dialog, HWND control, BOOL previous) {
    std::vector<HWND> all = DialogControls(dialog, false);
    auto stops = [](HWND c) { return Usable(c) && (StyleOf(c) & WS_TABSTOP); };
    const int n = static_cast<int>(all.size());
    if (n == 0)
        return nullptr;
    int start = static_cast<int>(std::find(all.begin(), all.end(), control) - all.begin());
    if (start == n)
        start = previous ? 0 : n - 1;  // from the edge, so that the first step wraps round
    const int step = previous ? -1 : 1;
    for (int k = 1; k <= n; ++k) {
        const int i = ((start + step * k) % n + n) % n;
        if (stops(all[i]))
            return all[i];
    }
    return control;
}

HWND GetNextDlgGroupItem(HWND dialog, HWND control, BOOL previous) {
    if (!control || !IsChild(dialog, control))
        return GetNextDlgTabItem(dialog, nullptr, FALSE);
    std::vector<HWND> group = GroupOf(control);
    const int n = static_cast<int>(group.size());
    const int start =
        static_cast<int>(std::find(group.begin(), group.end(), control) - group.begin());
    const int step = previous ? -1 : 1;
    for (int k = 1; k < n; ++k) {
        const int i = ((start + step * k) % n + n) % n;
        if (Usable(group[i]))
            return group[i];
    }
    return control;
}

namespace kq::ui {

void SetDialogFocus(HWND dialog, HWND control) {
    (void)dialog;
    if (!control)
        return;
    if (SendMessage(control, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL)
        SendMessage(control, EM_SETSEL, 0, -1);
    SetFocus(control);
    // The standard controls move the default button when they get the focus; the common
    // controls do not, so the dialog does it for whatever control it gives the focus to.
    if (GetFocus() == control)
        detail::ControlFocused(control);
}

}  // namespace kq::ui
