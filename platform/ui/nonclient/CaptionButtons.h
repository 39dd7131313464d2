// Pressing a caption button: the button is drawn pushed while the mouse holds it over it, and
// releasing it there sends the window its WM_SYSCOMMAND (SC_CLOSE, SC_MAXIMIZE or SC_RESTORE,
// SC_MINIMIZE). Disabled buttons do nothing. The mouse is followed by an input tracker
// (InputTracker.h): this returns at once.
#pragma once

#include "platform/ui/UiTypes.h"

namespace kq::ui::detail {

void TrackCaptionButton(HWND hwnd, LRESULT hit);

}  // namespace kq::ui::detail
