// TrackPopupMenu(Ex) and EndMenu over the menu tracker.
#include "platform/ui/WinUser.h"
#include "platform/ui/menu/MenuTracker.h"

using kq::ui::menu::MenuTracker;

BOOL TrackPopupMenuEx(HMENU menu, UINT flags, int x, int y, HWND owner, LPTPMPARAMS params) {
    // One menu at a time per thread, as the user can only work one.
    if (!IsMenu(menu) || !IsWindow(owner) || MenuTracker::Current())
        return FALSE;
    MenuTracker tracker(owner, flags);
    const UINT chosen = tracker.Run(menu, POINT{x, y}, params ? &params->rcExclude : nullptr);
    if (flags & TPM_RETURNCMD)
        return static_cast<BOOL>(chosen);
    if (chosen != 0 && IsWindow(owner))
        PostMessage(owner, WM_COMMAND, MAKEWPARAM(chosen, 0), 0);
    return TRUE;
}

BOOL TrackPopupMenu(HMENU menu, UINT flags, int x, int y, int, HWND owner, const RECT*) {
    return TrackPopupMenuEx(menu, flags, x, y, owner, nullptr);
}

BOOL EndMenu() {
    MenuTracker* tracker = MenuTracker::Current();
    if (!tracker)
        return FALSE;
    tracker->Cancel();
    return TRUE;
}
