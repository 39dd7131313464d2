// Sums of coordinates that stay within 32 bits: a far-away rectangle (x + width beyond the int
// range) ends at the limit instead of wrapping round.
#pragma once

#include <algorithm>
#include <cstdint>

#include "platform/base/WinTypes.h"

namespace kq::gfx {

inline LONG SaturatingSum(int64_t a, int64_t b) {
    return static_cast<LONG>(std::clamp<int64_t>(a + b, INT32_MIN, INT32_MAX));
}

}  // namespace kq::gfx
