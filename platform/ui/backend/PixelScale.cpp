#include "platform/ui/backend/PixelScale.h"

#include <algorithm>
#include <cstring>

namespace kq::ui::detail {

void Upscale(const uint32_t* first, ptrdiff_t stride, int width, int height, int scale,
             uint32_t* out, ptrdiff_t outStride) {
    const size_t outWidth = static_cast<size_t>(width) * static_cast<size_t>(scale);
    for (int y = 0; y < height; ++y) {
        const uint32_t* row = first + y * stride;
        uint32_t* line = out + y * scale * outStride;
        if (scale == 1) {
            std::memcpy(line, row, outWidth * sizeof(uint32_t));
            continue;
        }
        uint32_t* to = line;
        for (int x = 0; x < width; ++x) {
            std::fill_n(to, scale, row[x]);
            to += scale;
        }
        // The other rows of the square are copies of the first.
        for (int copy = 1; copy < scale; ++copy)
            std::memcpy(line + copy * outStride, line, outWidth * sizeof(uint32_t));
    }
}

RECT ScaledUp(const RECT& r, int scale) {
    return RECT{r.left * scale, r.top * scale, r.right * scale, r.bottom * scale};
}

RECT ScaledDown(const RECT& r, int scale) {
    auto floorDiv = [scale](LONG v) { return v >= 0 ? v / scale : -((-v + scale - 1) / scale); };
    auto ceilDiv = [scale](LONG v) { return v >= 0 ? (v + scale - 1) / scale : -(-v / scale); };
    return RECT{floorDiv(r.left), floorDiv(r.top), ceilDiv(r.right), ceilDiv(r.bottom)};
}

}  // namespace kq::ui::detail
