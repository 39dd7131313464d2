// The window system's drawing helpers that work on any DC: rectangles with brushes, the focus
// rectangle, three-dimensional edges and frame controls in the classic look, DrawState and
// DrawText. Text is UTF-8.
#pragma once

#include "platform/base/WinTypes.h"
#include "platform/gfx/GdiStructs.h"
#include "platform/gfx/SysColors.h"
#include "platform/gfx/UserDrawConstants.h"

// A brush argument may also be a system colour index plus one, as window classes give it.
int FillRect(HDC hdc, const RECT* rc, HBRUSH brush);
int FrameRect(HDC hdc, const RECT* rc, HBRUSH brush);
BOOL InvertRect(HDC hdc, const RECT* rc);
// Inverts a dotted frame; drawing it twice restores the pixels.
BOOL DrawFocusRect(HDC hdc, const RECT* rc);
BOOL DrawEdge(HDC hdc, LPRECT rc, UINT edge, UINT flags);
BOOL DrawFrameControl(HDC hdc, LPRECT rc, UINT type, UINT state);

using DRAWSTATEPROC = BOOL (*)(HDC hdc, LPARAM data, WPARAM wData, int cx, int cy);
BOOL DrawState(HDC hdc, HBRUSH brush, DRAWSTATEPROC proc, LPARAM data, WPARAM wData, int x, int y,
               int cx, int cy, UINT flags);

int DrawText(HDC hdc, LPCSTR text, int length, LPRECT rc, UINT format);
// Texts are UTF-8 here: the ANSI name is the same function.
inline int DrawTextA(HDC hdc, LPCSTR text, int length, LPRECT rc, UINT format) {
    return DrawText(hdc, text, length, rc, format);
}
int DrawTextEx(HDC hdc, LPSTR text, int length, LPRECT rc, UINT format, LPDRAWTEXTPARAMS params);
