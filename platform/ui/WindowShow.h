// Visibility, minimised/maximised state and enabling.
//
// ShowWindow sends WM_SHOWWINDOW when the visibility changes, then positions the window
// through SetWindowPos (so WM_WINDOWPOSCHANGING/CHANGED, WM_MOVE and WM_SIZE with SIZE_
// codes follow). Maximised top-level windows fill the work area of their monitor with the
// frame outside it; minimised ones move off the screen. A hidden, minimised or disabled
// window gives up activation, focus and capture.
#pragma once

#include "platform/ui/UiTypes.h"

// Returns whether the window was visible before. FALSE, doing nothing, on another thread than
// the window's.
BOOL ShowWindow(HWND hwnd, int cmd);
// The window and all its parents have WS_VISIBLE.
BOOL IsWindowVisible(HWND hwnd);
BOOL IsIconic(HWND hwnd);
BOOL IsZoomed(HWND hwnd);
// Sends WM_ENABLE when the state changes; returns whether the window was disabled before.
BOOL EnableWindow(HWND hwnd, BOOL enable);
BOOL IsWindowEnabled(HWND hwnd);

namespace kq::ui {

// The top-level window the operator sees in place of an owner, for a window that opens over
// it: the owner's top-level window or the nearest of its owners that shows (visible, not
// minimised), else the active top-level window, never `self`; null when none shows.
HWND OwnerInSight(HWND owner, HWND self = nullptr);
// The window a modal dialog opened from `parent` is modal for: parent's top-level window, or,
// where that is a pop-up without a caption (a picker, a drop-down list), the nearest of its
// owners that has one. Null for none.
HWND ModalOwnerOf(HWND parent);

}  // namespace kq::ui
