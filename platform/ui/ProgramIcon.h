// The program's own icon, which the desktop shows for its windows (the x11 back end's
// _NET_WM_ICON): the icon of the first frame window's resource, as the framework loads it, at the
// sizes desktops show (16, 32 and 48 pixels).
#pragma once

#include <vector>

#include "platform/ui/UiTypes.h"

namespace kq::ui {

// Keeps the first icon resource set; later ones are ignored. Its icons live as long as the
// program.
void SetProgramIcon(HINSTANCE module, LPCSTR name);
// The icon at 16, 32 and 48 pixels (each the resource's closest entry, sized); empty until set.
std::vector<HICON> ProgramIcons();

}  // namespace kq::ui
