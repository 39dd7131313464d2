// PNG through libpng: reading (icon entries) and writing (screenshots).
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "platform/gfx/Image.h"

namespace kq::gfx {

bool HasPngSignature(std::span<const uint8_t> data);

// Every colour type and depth; interlaced images too. The result keeps the file's alpha.
ImageResult DecodePng(std::span<const uint8_t> data);

// 8-bit RGB, or RGBA when withAlpha is set (otherwise the pixels' alpha is ignored). Empty on
// failure or for an empty image.
std::vector<uint8_t> EncodePng(const Image& image, bool withAlpha = false);

// Writes atomically: the file appears complete or not at all.
bool SavePngFile(const std::string& path, const Image& image, bool withAlpha = false,
                 std::string* error = nullptr);

}  // namespace kq::gfx
