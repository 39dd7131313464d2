// Mouse tracking on a window's own scroll bars. The window procedure of the scrolled window
// may not see its mouse messages during the drag (an application handles WM_MOUSEMOVE for
// itself), so a hidden tracker window takes the capture, follows the mouse in screen
// coordinates and sends WM_HSCROLL/WM_VSCROLL to the scrolled window until the button is up.
#pragma once

#include "platform/ui/UiTypes.h"

namespace kq::ui::detail {

// From the default handling of WM_NCLBUTTONDOWN on HTHSCROLL or HTVSCROLL; pt in screen
// coordinates. False when the press hit nothing to track.
bool TrackWindowScrollBar(HWND hwnd, int bar, POINT pt);

}  // namespace kq::ui::detail
