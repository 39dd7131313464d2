// Writing a bitmap (a device-dependent one, as drawn on the screen) to a BMP file.
#pragma once

#include <string>

#include "platform/base/WinTypes.h"

namespace kq::gfx {

// Writes the bitmap as an uncompressed 24-bit BMP file (a monochrome bitmap in black and
// white), atomically: the file appears complete or not at all and an existing file is only
// replaced by a complete one. False with a message in `error` when the handle is not a bitmap
// or the file cannot be written.
bool SaveBitmapAsBmp(HBITMAP bitmap, const std::string& path, std::string& error);

}  // namespace kq::gfx
