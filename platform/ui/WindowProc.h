// The default window procedure and calling a (subclassed) procedure.
#pragma once

#include "platform/ui/UiTypes.h"

// What the system does with a message the window procedure does not handle: stores and
// returns the window text (WM_NCCREATE, WM_SETTEXT, WM_GETTEXT, WM_GETTEXTLENGTH), computes the
// non-client geometry (WM_NCCALCSIZE, WM_NCHITTEST), turns WM_WINDOWPOSCHANGED into WM_MOVE and
// WM_SIZE, takes the focus on activation, passes WM_MOUSEACTIVATE, WM_SETCURSOR and
// WM_MOUSEWHEEL to the parent first, destroys the window on WM_CLOSE, carries out the window
// commands of WM_SYSCOMMAND (close, minimise, maximise, restore), closes on ALT+F4 and
// releases the capture on WM_CANCELMODE. Painting and the frame have their defaults too
// (paint/DefPaint.h, nonclient/DefNonClient.h). Everything else returns 0.
LRESULT DefWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CallWindowProc(WNDPROC proc, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
