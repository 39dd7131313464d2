// The layout contract between a frame and its control bars: RepositionBars sends WM_SIZEPARENT
// with an AFX_SIZEPARENTPARAMS to each bar child; a bar takes its strip off `rect` (or adds
// its size to sizeTotal when not stretching) and records where it goes; the moves are carried
// out together at the end, and the left-over pane gets what remains.
#pragma once

#include <vector>

#include "platform/ui/WinUser.h"

namespace kq::fw {

struct WindowMove {
    HWND hWnd;
    RECT rect;                                   // in the parent's client coordinates
    UINT flags = SWP_NOACTIVATE | SWP_NOZORDER;  // SetWindowPos flags (show or hide too)
};
using DeferredMoves = std::vector<WindowMove>;

}  // namespace kq::fw

struct AFX_SIZEPARENTPARAMS {
    kq::fw::DeferredMoves* hDWP;  // null while only asking for the free rectangle
    RECT rect;                    // what is still free
    SIZE sizeTotal;               // the bars' total size when not stretching
    BOOL bStretch;                // bars stretch to the whole free width or height
};

// Moves a window to lpRect (parent's client coordinates) as part of the layout, or at once
// without a layout; nothing when it is already there.
void AfxRepositionWindow(AFX_SIZEPARENTPARAMS* lpLayout, HWND hWnd, LPCRECT lpRect);
