// The check box that the list's cells and its header draw: a framed square and a seven-stroke
// tick, in the same colours in both places.
#pragma once

#include "platform/base/Geometry.h"
#include "platform/gfx/CDC.h"

namespace kq::xlist {

constexpr COLORREF kCheckFrameColor = 0x00996633;
constexpr COLORREF kCheckMarkColor = 0x00339933;
// The header's own box when it has no image list: a square of this side.
constexpr int kHeaderBoxSize = 13;

// Fills the box with COLOR_WINDOW and frames it one pixel wide.
void DrawCheckBoxFrame(CDC& dc, const CRect& box);
// The tick: seven vertical strokes of 3 pixels from (box left + 9, box top + 3) leftwards, the
// first four one pixel lower each, the last three one pixel higher each.
void DrawCheckMark(CDC& dc, const CRect& box, COLORREF color);

}  // namespace kq::xlist
