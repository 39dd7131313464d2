#include "platform/ui/WindowPlacement.h"

#include <mutex>

#include "platform/ui/WindowShow.h"
#include "platform/ui/detail/Window.h"

using namespace kq::ui::detail;

BOOL GetWindowPlacement(HWND hwnd, LPWINDOWPLACEMENT placement) {
    if (!placement)
        return FALSE;
    std::lock_guard lock(TreeMutex());
    Window* w = Lookup(hwnd);
    if (!w || w == &Desktop())
        return FALSE;
    const bool minimised = (w->style & WS_MINIMIZE) != 0;
    const bool maximised = (w->style & WS_MAXIMIZE) != 0;
    placement->length = sizeof(WINDOWPLACEMENT);
    placement->flags = 0;
    placement->showCmd =
        minimised ? SW_SHOWMINIMIZED : (maximised ? SW_SHOWMAXIMIZED : SW_SHOWNORMAL);
    placement->ptMinPosition = POINT{-1, -1};
    placement->ptMaxPosition = POINT{-1, -1};
    placement->rcNormalPosition = minimised || maximised ? w->normalRect : w->rect;
    return TRUE;
}
