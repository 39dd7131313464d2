// Scrolling the contents of a window's client area. The pixels that show on the screen are
// copied; what the scroll uncovers, and whatever was to be copied from a hidden place, is
// reported and (SW_INVALIDATE) invalidated. The part of the update region inside the scrolled
// area moves along. Child windows move only with SW_SCROLLCHILDREN; the children whose pixels
// were moved are painted again either way.
#pragma once

#include "platform/ui/UiTypes.h"

constexpr UINT SW_SCROLLCHILDREN = 0x0001;
constexpr UINT SW_INVALIDATE = 0x0002;
constexpr UINT SW_ERASE = 0x0004;
constexpr UINT SW_SMOOTHSCROLL = 0x0010;

// scroll: the part of the client area that moves (null: all of it); clip: only pixels inside it
// change (null: the client area). The uncovered region goes to update and its bounds to
// updateRect (client coordinates). Returns its complexity (NULLREGION...) or ERROR.
int ScrollWindowEx(HWND hwnd, int dx, int dy, const RECT* scroll, const RECT* clip, HRGN update,
                   LPRECT updateRect, UINT flags);
// Invalidates and erases what is uncovered; without a scroll rectangle the children move too.
BOOL ScrollWindow(HWND hwnd, int dx, int dy, const RECT* scroll, const RECT* clip);
