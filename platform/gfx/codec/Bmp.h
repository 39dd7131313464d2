// BMP files and packed DIBs: reading at every depth and compression the format has, writing as
// 24- or 32-bit uncompressed bitmaps.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "platform/gfx/Image.h"

namespace kq::gfx {

// A .bmp file: the 14-byte file header ("BM", offset of the bits) followed by a DIB.
ImageResult DecodeBmp(std::span<const uint8_t> file);

// A packed DIB as a bitmap resource or the clipboard holds it: info header, bit-field masks,
// colour table and bits. bitsOffset counts from the start of the DIB; 0 means the bits follow
// the colour table.
ImageResult DecodeDib(std::span<const uint8_t> dib, size_t bitsOffset = 0);

ImageResult LoadBmpFile(const std::string& path);

// Uncompressed BI_RGB, rows bottom-up, 24 or 32 bits per pixel (the fourth byte of a 32-bit
// pixel is written as 0, as the format leaves it unused). Empty when the image is empty, the
// depth is not 24 or 32, or the image is too large for the format.
std::vector<uint8_t> EncodeDib(const Image& image, int bitsPerPixel = 24);
std::vector<uint8_t> EncodeBmp(const Image& image, int bitsPerPixel = 24);

// Writes atomically: the file appears complete or not at all.
bool SaveBmpFile(const std::string& path, const Image& image, int bitsPerPixel = 24,
                 std::string* error = nullptr);

}  // namespace kq::gfx
