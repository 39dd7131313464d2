// Picture files for display and printing: BMP, ICO, JPEG and GIF, recognised by their content
// (not by the name), made into a bitmap over a background colour as a picture loader renders
// them.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "platform/base/WinTypes.h"
#include "platform/gfx/Image.h"

namespace kq::gfx {

// The picture in a file: a BMP, JPEG or GIF image (the first frame), or the icon entry of an
// .ico file meant for 32 x 32 with its mask. An error when the content is none of them or is
// damaged.
ImageResult LoadPictureFile(const std::string& path);
// The same for a file's bytes already read.
ImageResult DecodePicture(std::span<const uint8_t> data);

// A 32-bit bitmap of the picture at its own size. Transparent parts (GIF transparency, icon
// masks, alpha) show the background; CLR_NONE (0xFFFFFFFF) leaves them black, as a new bitmap
// is. Null with the last error set when the file cannot be read or decoded.
HBITMAP LoadPictureBitmap(const std::string& path, COLORREF background);

}  // namespace kq::gfx
