// Whole-image operations the image loaders need: resizing an icon or bitmap to the size a
// caller asks for, and laying an image with transparency onto a background.
#pragma once

#include <cstdint>

#include "platform/gfx/Image.h"

namespace kq::gfx {

// The image at another size, each pixel (and mask bit) taken from the nearest source pixel, as
// icons are stretched when they are drawn. Empty when a size is not positive or too large.
Image ScaleImage(const Image& image, int width, int height);

// The image drawn over an opaque background pixel (0xRRGGBB) with its alpha; the result is
// opaque and has no mask.
Image FlattenImage(const Image& image, uint32_t background);

}  // namespace kq::gfx
