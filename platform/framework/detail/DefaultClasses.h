// The framework's standard window classes, registered on first use.
#pragma once

#include "platform/ui/WinUser.h"

namespace kq::fw::detail {

// Child windows without a class of their own.
LPCSTR DefaultWndClass();
// Frames and views: redrawn when sized, window background.
LPCSTR FrameOrViewClass();
// Control bars: button-face background, redrawn whole when sized (their borders and panes
// depend on the size), no double-clicks.
LPCSTR ControlBarClass();

}  // namespace kq::fw::detail
