// Integer helpers of the page printer: coordinates that come from inch conversions may sit at
// the ends of the int range, so sums are taken in 64 bits and clamped.
#pragma once

#include <cstdint>

namespace kq::print {

int ClampToInt(int64_t value);
// A double truncated toward zero and clamped to the int range; NaN gives 0.
int TruncateToInt(double value);
// x moved by the page's horizontal offset.
int ShiftX(int x, int offset);

}  // namespace kq::print
