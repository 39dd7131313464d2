// Block transfers between surfaces: copies and stretches with any ternary raster operation,
// the monochrome/colour conversions of BitBlt, area-averaging (HALFTONE) stretching, alpha
// blending and colour-keyed copies. Coordinates are surface coordinates; destination pixels
// are limited by the clip region, source pixels by the source surface.
#pragma once

#include <cstdint>

#include "platform/gfx/Paint.h"

namespace kq::gfx {

// The most source pixels along each axis that one destination pixel of a shrinking stretch
// reads: beyond that, evenly spread samples stand for the pixels it covers.
constexpr int64_t kMaxStretchTaps = 4;

struct BlitSpec {
    int64_t dx = 0, dy = 0, dw = 0, dh = 0;  // destination, dw and dh > 0
    const Surface* src = nullptr;            // null when the operation takes no source
    int64_t sx = 0, sy = 0, sw = 0, sh = 0;  // source, sw and sh > 0
    bool mirrorX = false;
    bool mirrorY = false;
    enum class Convert { None, MonoToColor, ColorToMono } convert = Convert::None;
    uint32_t monoBlack = 0;  // MonoToColor: what source black becomes (text colour)
    uint32_t monoWhite = 0;  // MonoToColor: what source white becomes (background colour)
    uint32_t sourceBk = 0;   // ColorToMono: source pixels of this colour become white
    bool destMono = false;
    int stretchMode = 3;  // COLORONCOLOR
    uint8_t rop = 0xCC;
    const Paint* pattern = nullptr;  // the brush, for operations that use it
};

void Blit(const RasterTarget& target, const BlitSpec& blit);

struct AlphaSpec {
    int64_t dx = 0, dy = 0, dw = 0, dh = 0;
    const Surface* src = nullptr;
    int64_t sx = 0, sy = 0, sw = 0, sh = 0;
    uint8_t constantAlpha = 255;
    bool perPixelAlpha = false;  // source is premultiplied with alpha in the top byte
};
void AlphaBlit(const RasterTarget& target, const AlphaSpec& blit);

// Copies (stretching by nearest pixel) every source pixel whose colour is not `key`.
void KeyedBlit(const RasterTarget& target, int64_t dx, int64_t dy, int64_t dw, int64_t dh,
               const Surface& src, int64_t sx, int64_t sy, int64_t sw, int64_t sh, uint32_t key);

}  // namespace kq::gfx
