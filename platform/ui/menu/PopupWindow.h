// The windows that show pop-up menus on the screen.
#pragma once

#include "platform/ui/menu/PopupLayout.h"

namespace kq::ui::menu {

// A hidden, topmost pop-up menu window showing `view` (which must outlive it) at the screen
// rectangle; null on failure.
HWND CreatePopupWindow(PopupView& view, HWND owner, RECT screen);
// Redraws the two items whose highlight changed (owner-drawn ones with ODA_SELECT); -1 for none.
void RepaintSelection(HWND popup, const PopupView& view, int oldIndex, int newIndex);

}  // namespace kq::ui::menu
