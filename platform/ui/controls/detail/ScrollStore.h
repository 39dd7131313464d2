// The scroll-bar states of all windows, by window and bar (SB_HORZ, SB_VERT, SB_CTL). A window
// gets an entry the first time its bars are set or read.
#pragma once

#include <functional>

#include "platform/ui/controls/ScrollModel.h"

namespace kq::ui::detail {

ScrollState GetScrollState(HWND hwnd, int bar);
// Changes the state under the store's lock; returns the state after the change.
ScrollState UpdateScrollState(HWND hwnd, int bar, const std::function<void(ScrollState&)>& change);
void ForgetScrollStates(HWND hwnd);

// Where a window's own scroll bar lies, in screen coordinates (beside the client area). Empty
// when the window has no such bar.
RECT WindowScrollBarRect(HWND hwnd, int bar);

}  // namespace kq::ui::detail
