// Device contexts for windows. A window DC draws on the virtual screen, clipped to what of the
// window shows there; it comes from a small cache and goes back with ReleaseDC (or EndPaint).
// Every DC handed out starts in the default drawing state (DCX_NORESETATTRS is not kept: the
// cache has no per-window DCs). GetDC(nullptr) gives a DC over the whole screen.
#pragma once

#include "platform/ui/UiTypes.h"

constexpr DWORD DCX_WINDOW = 0x00000001;
constexpr DWORD DCX_CACHE = 0x00000002;
constexpr DWORD DCX_NORESETATTRS = 0x00000004;
constexpr DWORD DCX_CLIPCHILDREN = 0x00000008;
constexpr DWORD DCX_CLIPSIBLINGS = 0x00000010;
constexpr DWORD DCX_PARENTCLIP = 0x00000020;
constexpr DWORD DCX_EXCLUDERGN = 0x00000040;
constexpr DWORD DCX_INTERSECTRGN = 0x00000080;
constexpr DWORD DCX_EXCLUDEUPDATE = 0x00000100;
constexpr DWORD DCX_INTERSECTUPDATE = 0x00000200;
constexpr DWORD DCX_LOCKWINDOWUPDATE = 0x00000400;
constexpr DWORD DCX_VALIDATE = 0x00200000;

// The client area, clipped as the window's WS_CLIPCHILDREN/WS_CLIPSIBLINGS styles say.
HDC GetDC(HWND hwnd);
// The whole window including its frame.
HDC GetWindowDC(HWND hwnd);
// clip is in screen coordinates; with DCX_INTERSECTRGN or DCX_EXCLUDERGN the DC takes it over
// and deletes it when released. DCX_INTERSECTUPDATE (with DCX_VALIDATE, which then validates)
// and DCX_EXCLUDEUPDATE use the window's update region.
HDC GetDCEx(HWND hwnd, HRGN clip, DWORD flags);
// 1 when the DC was a window DC handed out, else 0.
int ReleaseDC(HWND hwnd, HDC hdc);
HWND WindowFromDC(HDC hdc);

// Stops all drawing in a window and its descendants: their DCs clip everything (unless made
// with DCX_LOCKWINDOWUPDATE) while painting goes on as usual. Null ends the lock, and the
// window is then invalidated whole. One window at a time: FALSE while another one is locked.
BOOL LockWindowUpdate(HWND hwnd);
