// Conversions between COLORREF (0x00BBGGRR) and the surface pixel (0x00RRGGBB).
#pragma once

#include <cstdint>

#include "platform/base/WinTypes.h"

namespace kq::gfx {

constexpr uint32_t PixelFromColorRef(COLORREF c) {
    return ((c & 0xFFu) << 16) | (c & 0xFF00u) | ((c >> 16) & 0xFFu);
}
constexpr COLORREF ColorRefFromPixel(uint32_t p) {
    return ((p & 0xFFu) << 16) | (p & 0xFF00u) | ((p >> 16) & 0xFFu);
}
constexpr uint32_t kBlackPixel = 0x000000u;
constexpr uint32_t kWhitePixel = 0xFFFFFFu;

// The nearer of black and white, as a monochrome surface stores a colour.
constexpr uint32_t MonoPixel(uint32_t p) {
    const uint32_t sum = ((p >> 16) & 0xFF) + ((p >> 8) & 0xFF) + (p & 0xFF);
    return sum >= 383 ? kWhitePixel : kBlackPixel;
}

// Mixes two pixels channel by channel: a * (256 - w) / 256 + b * w / 256 (w in 0..256).
inline uint32_t MixPixels(uint32_t a, uint32_t b, uint32_t w) {
    const uint32_t rb = (((a & 0xFF00FFu) * (256 - w) + (b & 0xFF00FFu) * w) >> 8) & 0xFF00FFu;
    const uint32_t g = (((a & 0x00FF00u) * (256 - w) + (b & 0x00FF00u) * w) >> 8) & 0x00FF00u;
    return rb | g;
}

}  // namespace kq::gfx
