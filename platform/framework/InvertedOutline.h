// The inverted outline that drag loops draw over the screen: drawing the same outline again
// takes it away, so a loop erases the last one and draws the next without repainting.
#pragma once

#include "platform/base/Geometry.h"

class CDC;

namespace kq::fw {

// Inverts a frame of the given thickness just inside rect: with the halftone brush when
// halftone is set (the dithered outline), else every pixel. Empty rectangles draw nothing.
void InvertOutline(CDC& dc, const CRect& rect, CSize thickness, bool halftone);

}  // namespace kq::fw
