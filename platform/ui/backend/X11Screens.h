// The monitors of an X display, the desktop's work area and the scale its resolution asks for: the
// monitors RandR reports (the primary first), else Xinerama's screens, else the whole root window;
// the work area is the window manager's _NET_WORKAREA (of the current desktop) on each monitor, the
// whole monitor where there is none. Rectangles in root-window coordinates.
#pragma once

#include <vector>

#include "platform/ui/Screen.h"

struct _XDisplay;

namespace kq::ui::detail {

std::vector<MonitorConfig> ReadX11Monitors(_XDisplay* display);
// The monitors as a window at `origin` (root coordinates) of the given size shows them: moved
// into its coordinates, cut to it, and divided by the scale at which it shows the program;
// the window itself when it meets none of them.
std::vector<MonitorConfig> MonitorsInWindow(const std::vector<MonitorConfig>& monitors,
                                            POINT origin, SIZE size, int scale);
// The integer factor by which the program is scaled on the display: KQ7B_SCALE (1 to 8) where
// the operator sets it, else Xft.dpi / 96 rounded, from 144 dpi on, but no larger than leaves
// the program a screen of 1024 x 768; 1 otherwise.
int ReadX11Scale(_XDisplay* display);

}  // namespace kq::ui::detail
