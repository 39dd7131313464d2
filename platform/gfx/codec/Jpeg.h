// JPEG decoding through libjpeg.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "platform/gfx/Image.h"

namespace kq::gfx {

// Baseline and progressive; greyscale, YCbCr/RGB and CMYK/YCCK (Adobe) colour. Opaque result.
ImageResult DecodeJpeg(std::span<const uint8_t> data);

}  // namespace kq::gfx
