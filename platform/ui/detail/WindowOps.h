// Operations shared by the window functions: positioning, activation, focus, capture, freeing.
// None of them may be called with TreeMutex() held: they send messages.
#pragma once

#include "platform/ui/UiTypes.h"

namespace kq::ui::detail {

BOOL SetWindowPosImpl(HWND hwnd, HWND insertAfter, int x, int y, int cx, int cy, UINT flags);
// Default limits filled in, then WM_GETMINMAXINFO. ptMaxPosition is in the parent's client
// coordinates (screen for top-level windows, on the window's monitor).
MINMAXINFO QueryMinMaxInfo(HWND hwnd);

// Makes a top-level window the active one (null: none) with WM_NCACTIVATE, WM_ACTIVATE and,
// when the application changes between active and inactive, WM_ACTIVATEAPP. `raise` brings it
// to the top of the z-order first. Returns the previously active window.
HWND Activate(HWND hwnd, WORD how, bool raise);
HWND SetFocusImpl(HWND hwnd);
// The window inside the top-level window that had the focus when the focus last left it, while it
// can take the focus again (shown, and enabled whenever the top-level window is); null otherwise.
HWND FocusToGiveBack(HWND top);
HWND SetCaptureImpl(HWND hwnd);
// A window is being hidden, disabled or destroyed: capture, activation, focus and the caret
// leave it and its descendants.
void MoveInputAwayFrom(HWND hwnd, bool disabling);
void DestroyCaretOf(HWND hwnd);

// The window under a screen point (as WindowFromPoint) and its WM_NCHITTEST answer.
HWND WindowAndHitAt(POINT pt, LRESULT* hit);

// Gives a hidden window the maximised or minimised placement without showing it (a window
// created with WS_MAXIMIZE or WS_MINIMIZE but without WS_VISIBLE).
void PlaceHidden(HWND hwnd, bool maximize);

// Sends WM_PARENTNOTIFY up the parent chain for a child being created or destroyed.
void SendParentNotify(HWND child, UINT event);

}  // namespace kq::ui::detail
