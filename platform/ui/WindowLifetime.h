// Creating and destroying windows.
//
// Creation sends, in order: WM_GETMINMAXINFO (overlapped and sizable top-level windows),
// WM_NCCREATE, WM_NCCALCSIZE, WM_CREATE, WM_SIZE, WM_MOVE, WM_PARENTNOTIFY to the parents of a
// child, and then, for WS_VISIBLE (and WS_MAXIMIZE/WS_MINIMIZE), what ShowWindow sends. A
// window is visible only after WM_CREATE. WM_NCCREATE returning FALSE or WM_CREATE returning
// -1 fails the creation (the window is destroyed, the result is null).
//
// Destruction first destroys the windows the window owns, hides it (activation and focus move
// elsewhere), notifies the parent (WM_PARENTNOTIFY), then sends WM_DESTROY to the window and
// its descendants parent first, then WM_NCDESTROY children first; after that the handle is
// dead: its posted messages and timers are gone and messages still being sent to it return 0.
#pragma once

#include "platform/ui/UiTypes.h"

HWND CreateWindowEx(DWORD exStyle, LPCSTR className, LPCSTR windowName, DWORD style, int x, int y,
                    int cx, int cy, HWND parent, HMENU menu, HINSTANCE instance, LPVOID param);
HWND CreateWindow(LPCSTR className, LPCSTR windowName, DWORD style, int x, int y, int cx, int cy,
                  HWND parent, HMENU menu, HINSTANCE instance, LPVOID param);
// Only the thread that created the window may destroy it; FALSE when already being destroyed.
BOOL DestroyWindow(HWND hwnd);
BOOL IsWindow(HWND hwnd);
