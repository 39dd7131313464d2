// GIF decoding through giflib: the first frame of the file.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "platform/gfx/Image.h"

namespace kq::gfx {

// The first frame placed on the logical screen. Screen pixels the frame does not cover and the
// frame's transparent colour are transparent (0x00000000); interlaced frames are reordered.
ImageResult DecodeGif(std::span<const uint8_t> data);

}  // namespace kq::gfx
