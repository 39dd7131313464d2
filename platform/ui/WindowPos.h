// Window geometry: rectangles, positioning, z-order and coordinate mapping.
//
// SetWindowPos sends WM_GETMINMAXINFO (sizing a sizable or overlapped top-level window; the
// size is kept within the tracking limits), WM_WINDOWPOSCHANGING (unless SWP_NOSENDCHANGING;
// the handler may change the WINDOWPOS), WM_NCCALCSIZE (size or frame changed), the activation
// messages (a top-level window shown or moved without SWP_NOACTIVATE), and
// WM_WINDOWPOSCHANGED, whose default handling sends WM_MOVE and WM_SIZE. Only the thread that
// created a window may move or show it; other threads post it a message to ask.
#pragma once

#include "platform/ui/UiTypes.h"

BOOL SetWindowPos(HWND hwnd, HWND insertAfter, int x, int y, int cx, int cy, UINT flags);
BOOL MoveWindow(HWND hwnd, int x, int y, int cx, int cy, BOOL repaint);
// Raises the window to the top of its siblings; a top-level window is also activated.
BOOL BringWindowToTop(HWND hwnd);

// Screen coordinates.
BOOL GetWindowRect(HWND hwnd, LPRECT rect);
// Client coordinates: always (0, 0, width, height).
BOOL GetClientRect(HWND hwnd, LPRECT rect);
BOOL ScreenToClient(HWND hwnd, LPPOINT pt);
BOOL ClientToScreen(HWND hwnd, LPPOINT pt);
// Maps points from the client coordinates of one window to another's (null: the screen).
// Returns the horizontal offset in the low word and the vertical one in the high word.
int MapWindowPoints(HWND from, HWND to, LPPOINT points, UINT count);
// Grows a client rectangle to the window rectangle of the given styles (scroll bars excluded).
BOOL AdjustWindowRectEx(LPRECT rect, DWORD style, BOOL menu, DWORD exStyle);
