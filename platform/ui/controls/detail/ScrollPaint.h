// Painting one scroll bar in the classic look: arrow buttons, the track and the thumb. The
// scroll-bar control paints itself with it; the painting of a window's frame draws the
// window's own bars with it (WindowScrollBarRect gives where).
#pragma once

#include "platform/ui/controls/ScrollModel.h"

namespace kq::ui::detail {

// `pressed` shows a part held down by the mouse; the track is filled with `track`.
void PaintScrollBar(HDC dc, RECT bar, bool vertical, const ScrollState& state, bool enabled,
                    ScrollPart pressed, HBRUSH track);

}  // namespace kq::ui::detail
