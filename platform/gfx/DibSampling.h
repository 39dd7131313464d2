// Reading a device-independent bitmap only where a shrinking stretch looks: a grid of pixels
// spread evenly over a source rectangle, so that a huge source costs what its destination does.
#pragma once

#include <cstdint>
#include <memory>

#include "platform/gfx/DibFormat.h"

namespace kq::gfx {

// The pixels of an uncompressed DIB at `columns` x `rows` points spread evenly over the
// rectangle (left, top, width, height) of its image (rows counted from the top; the rectangle
// lies within the image; 0 < columns <= width, 0 < rows <= height). Null for compressed bits.
std::unique_ptr<Surface> SampleDib(const DibLayout& dib, const void* bits, int64_t left,
                                   int64_t top, int64_t width, int64_t height, int64_t columns,
                                   int64_t rows);

}  // namespace kq::gfx
