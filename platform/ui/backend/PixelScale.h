// Integer scaling of the screen's pixels for a display with more pixels per inch than the
// program is drawn for: each pixel becomes a square of scale × scale pixels, as the desktop's
// own scaling of programs that know nothing of their screen's resolution does.
#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/ui/UiTypes.h"

namespace kq::ui::detail {

// Writes the block (rows `stride` pixels apart) into `out`, scaled: width × scale pixels a row,
// height × scale rows, `outStride` pixels apart.
void Upscale(const uint32_t* first, ptrdiff_t stride, int width, int height, int scale,
             uint32_t* out, ptrdiff_t outStride);
// A rectangle of the program's screen on the display, and a display rectangle as the smallest
// program rectangle that covers it.
RECT ScaledUp(const RECT& r, int scale);
RECT ScaledDown(const RECT& r, int scale);

}  // namespace kq::ui::detail
