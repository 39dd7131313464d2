// The mouse cursor drawn into screenshots: the classic arrow, and the I-beam for text.
#pragma once

#include "platform/gfx/Image.h"
#include "platform/ui/UiTypes.h"

namespace kq::ui::detail {

// Draws the current cursor at the cursor position into an image of the screen area `area`.
void OverlayCursor(kq::gfx::Image& image, const RECT& area);

}  // namespace kq::ui::detail
