// Keyboard focus, activation and mouse capture. There is one active top-level window, one
// focus window inside it and at most one capture window for the whole program.
//
// Activating B while A is active sends A WM_NCACTIVATE(FALSE) and WM_ACTIVATE(WA_INACTIVE),
// then, if the program was inactive, WM_ACTIVATEAPP(TRUE) to every top-level window, then B
// WM_NCACTIVATE(TRUE) and WM_ACTIVATE(WA_ACTIVE); B's default WM_ACTIVATE handling gives B the
// focus. A focus change sends WM_KILLFOCUS to the old window, then WM_SETFOCUS to the new one.
#pragma once

#include "platform/ui/UiTypes.h"

// Activates the window's top-level window when needed. Returns the previous focus window, or
// null when hwnd is not a window or is disabled.
HWND SetFocus(HWND hwnd);
HWND GetFocus();
HWND SetActiveWindow(HWND hwnd);
HWND GetActiveWindow();
BOOL SetForegroundWindow(HWND hwnd);
// The active window; null while the program is not in the foreground.
HWND GetForegroundWindow();
// The previous capture window gets WM_CAPTURECHANGED with the new one in lParam.
HWND SetCapture(HWND hwnd);
BOOL ReleaseCapture();
HWND GetCapture();
