#include "platform/gfx/Surface.h"

#include <algorithm>
#include <cstring>

namespace kq::gfx {

bool Surface::SizeAllowed(int64_t width, int64_t height) {
    return width > 0 && height > 0 && width <= kMaxSurfacePixels && height <= kMaxSurfacePixels &&
           width * height <= kMaxSurfacePixels;
}

Surface::Surface(int width, int height) {
    if (!SizeAllowed(width, height))
        return;
    storage_.assign(static_cast<size_t>(width) * static_cast<size_t>(height), 0u);
    base_ = storage_.data();
    stride_ = static_cast<ptrdiff_t>(width) * 4;
    width_ = width;
    height_ = height;
}

Surface::Surface(int width, int height, uint32_t* firstRow, ptrdiff_t strideBytes) {
    if (!firstRow || !SizeAllowed(width, height))
        return;
    base_ = firstRow;
    stride_ = strideBytes;
    width_ = width;
    height_ = height;
}

void Surface::Fill(uint32_t pixel) {
    for (int y = 0; y < height_; ++y)
        std::fill_n(Row(y), width_, pixel);
}

void Surface::CopyFrom(const Surface& other) {
    if (other.width_ != width_ || other.height_ != height_)
        return;
    for (int y = 0; y < height_; ++y)
        std::memcpy(Row(y), other.Row(y), static_cast<size_t>(width_) * 4);
}

std::vector<uint32_t> Surface::TopDownPixels() const {
    std::vector<uint32_t> out(static_cast<size_t>(width_) * static_cast<size_t>(height_));
    for (int y = 0; y < height_; ++y)
        std::memcpy(out.data() + static_cast<size_t>(y) * width_, Row(y),
                    static_cast<size_t>(width_) * 4);
    return out;
}

}  // namespace kq::gfx
