// Painting through an off-screen image of an area of a target DC: the drawing routine gets a
// DC in the target's coordinates, and the image reaches the target in one copy at the end.
#pragma once

#include <functional>

#include "platform/gfx/CDC.h"

namespace kq::chart {

void PaintOffScreen(CDC& target, const CRect& area, const std::function<void(CDC&)>& draw);

}  // namespace kq::chart
