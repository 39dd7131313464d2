// The program's own icon, which the desktop shows for its windows (the x11 back end's
// _NET_WM_ICON): the icon of the first frame window's resource, as the framework loads it.
#pragma once

#include "platform/ui/UiTypes.h"

namespace kq::ui {

// Keeps the first icon set; later ones are ignored. The icon must live as long as the program.
void SetProgramIcon(HICON icon);
// Null until a frame has set it.
HICON ProgramIcon();

}  // namespace kq::ui
