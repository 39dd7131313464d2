// The outline a drag loop shows (a bar on its way to docking or floating) where the screen the
// program paints into is not all the operator sees: on a window manager's desktop a back end
// lays it over everything as windows of its own, so that it follows the mouse past the
// program's windows. Elsewhere the loop inverts it into the screen itself.
#pragma once

#include <functional>

#include "platform/ui/UiTypes.h"

namespace kq::ui {

// Shows the outline: a frame of the thickness just inside the rectangle (screen coordinates),
// dithered with `halftone`; an empty rectangle takes it away. Runs on the GUI thread.
using DragOutlineShower = std::function<void(const RECT& rect, SIZE thickness, bool halftone)>;
// An empty function: the program draws outlines into its screen again.
void SetDragOutlineShower(DragOutlineShower shower);
// False where no back end shows outlines: the caller draws it into the screen.
bool ShowDragOutline(const RECT& rect, SIZE thickness, bool halftone);

}  // namespace kq::ui
