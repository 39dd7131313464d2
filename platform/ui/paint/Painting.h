// Update regions and painting.
//
// Each window keeps the part of its client area that needs painting. Invalidating adds to it
// (hidden windows ignore it); a thread whose queue holds nothing else gets WM_PAINT for its
// windows with a non-empty update region (after posted messages and input, before WM_TIMER),
// parents before their children, and WM_NCPAINT first where the frame needs drawing.
// BeginPaint sends WM_ERASEBKGND when an erase is owed, returns a DC clipped to the update
// region and validates it; EndPaint gives the DC back.
//
// Without RDW_ALLCHILDREN or RDW_NOCHILDREN, invalidating a window also invalidates the
// children it overlaps unless the window has WS_CLIPCHILDREN (it would paint over them).
#pragma once

#include "platform/gfx/GdiStructs.h"
#include "platform/ui/UiTypes.h"

constexpr UINT RDW_INVALIDATE = 0x0001;
constexpr UINT RDW_INTERNALPAINT = 0x0002;
constexpr UINT RDW_ERASE = 0x0004;
constexpr UINT RDW_VALIDATE = 0x0008;
constexpr UINT RDW_NOINTERNALPAINT = 0x0010;
constexpr UINT RDW_NOERASE = 0x0020;
constexpr UINT RDW_NOCHILDREN = 0x0040;
constexpr UINT RDW_ALLCHILDREN = 0x0080;
constexpr UINT RDW_UPDATENOW = 0x0100;
constexpr UINT RDW_ERASENOW = 0x0200;
constexpr UINT RDW_FRAME = 0x0400;
constexpr UINT RDW_NOFRAME = 0x0800;

// Rectangles and regions are in client coordinates. A null window means every window.
BOOL InvalidateRect(HWND hwnd, const RECT* rect, BOOL erase);
BOOL ValidateRect(HWND hwnd, const RECT* rect);
// The bounding rectangle of the update region; with `erase`, a WM_ERASEBKGND owed is sent now.
// FALSE when the update region is empty.
BOOL GetUpdateRect(HWND hwnd, LPRECT rect, BOOL erase);
// Copies the update region into rgn; returns its complexity (NULLREGION...) or ERROR.
int GetUpdateRgn(HWND hwnd, HRGN rgn, BOOL erase);
// rect and rgn null: the whole window. RDW_UPDATENOW sends WM_NCPAINT, WM_ERASEBKGND and
// WM_PAINT before returning; RDW_ERASENOW only the first two.
BOOL RedrawWindow(HWND hwnd, const RECT* rect, HRGN rgn, UINT flags);
// Paints the window and its children now if anything is invalid (WM_PAINT sent, not posted).
BOOL UpdateWindow(HWND hwnd);

HDC BeginPaint(HWND hwnd, LPPAINTSTRUCT ps);
BOOL EndPaint(HWND hwnd, const PAINTSTRUCT* ps);
