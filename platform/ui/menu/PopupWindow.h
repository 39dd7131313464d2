// The windows that show pop-up menus on the screen.
#pragma once

#include "platform/ui/menu/PopupLayout.h"

namespace kq::ui::menu {

// A hidden, topmost pop-up menu window showing `view` (which must outlive it) at the screen
// rectangle; null on failure.
HWND CreatePopupWindow(PopupView& view, HWND owner, RECT screen);

}  // namespace kq::ui::menu
