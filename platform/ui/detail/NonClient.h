// Geometry of the non-client area: borders, edges, caption, menu bar and scroll bars.
#pragma once

#include "platform/ui/UiTypes.h"

namespace kq::ui::detail {

struct FrameInsets {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

// Thickness of the outer frame alone: sizing, dialog or thin border.
int FrameThickness(DWORD style, DWORD exStyle);
// Frame, edges, caption and menu bar; what AdjustWindowRectEx adds around a client area.
FrameInsets NonClientInsets(DWORD style, DWORD exStyle, bool menuBar);
// The default WM_NCCALCSIZE result: also takes room for the scroll bars; a minimised
// top-level window has no client area.
RECT DefaultClientRect(DWORD style, DWORD exStyle, bool menuBar, bool minimized, RECT window);
// The default WM_NCHITTEST result for a window with the given screen rectangle.
LRESULT DefaultHitTest(DWORD style, DWORD exStyle, bool menuBar, bool minimized, RECT window,
                       POINT pt);

}  // namespace kq::ui::detail
