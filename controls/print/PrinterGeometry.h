// Integer helpers of the page printer: coordinates that come from inch conversions may sit at
// the ends of the int range, so sums are taken in 64 bits and clamped.
#pragma once

#include <cstdint>

namespace kq::print {

int ClampToInt(int64_t value);
// x moved by the page's horizontal offset.
int ShiftX(int x, int offset);

}  // namespace kq::print
