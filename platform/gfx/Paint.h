// What a fill puts into pixels: a solid colour or a repeating tile (a brush pattern), mixed with
// the destination by a binary raster operation; and the clipped span and rectangle fills that
// every shape ends in.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/gfx/Region.h"
#include "platform/gfx/Surface.h"

namespace kq::gfx {

struct Paint {
    bool none = false;  // a null brush or pen: paints nothing
    int rop2 = 13;      // R2_COPYPEN
    uint32_t color = 0;
    // A tile repeats from (originX, originY) in surface coordinates. tileMask, when not empty,
    // says per tile pixel whether it paints (hatch lines over a transparent background).
    bool tiled = false;
    int tileWidth = 0;
    int tileHeight = 0;
    std::vector<uint32_t> tile;
    std::vector<uint8_t> tileMask;
    int originX = 0;
    int originY = 0;

    static Paint Solid(uint32_t pixel, int rop2 = 13) {
        Paint p;
        p.color = pixel;
        p.rop2 = rop2;
        return p;
    }
};

// Where drawing goes: a surface and the clip region in surface coordinates (never reaching
// outside the surface).
struct RasterTarget {
    Surface* surface = nullptr;
    const Region* clip = nullptr;
};

// Paints x0 <= x < x1 of row y, which lie inside the surface.
void PaintSpan(Surface& surface, int y, int x0, int x1, const Paint& paint);
// Paints a span or a rectangle limited by the clip region; any coordinates are accepted.
void FillSpanClipped(const RasterTarget& target, int64_t y, int64_t x0, int64_t x1,
                     const Paint& paint);
void FillRectClipped(const RasterTarget& target, int64_t left, int64_t top, int64_t right,
                     int64_t bottom, const Paint& paint);

// Calls fn(y, x0, x1) for each part of the span x0 <= x < x1 of row y inside the region.
template <typename Fn>
void ForEachClippedSpan(const Region& clip, int64_t y, int64_t x0, int64_t x1, Fn&& fn) {
    if (x0 >= x1 || y < -Region::kLimit || y >= Region::kLimit)
        return;
    const Region::Band* band = clip.BandAt(static_cast<int>(y));
    if (!band)
        return;
    const std::vector<int>& s = band->spans;
    for (size_t i = 0; i < s.size(); i += 2) {
        if (s[i] >= x1)
            break;
        const int64_t a = x0 > s[i] ? x0 : s[i];
        const int64_t b = x1 < s[i + 1] ? x1 : s[i + 1];
        if (a < b)
            fn(static_cast<int>(y), static_cast<int>(a), static_cast<int>(b));
    }
}

}  // namespace kq::gfx
