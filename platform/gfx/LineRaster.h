// One-pixel (cosmetic) lines as GDI draws them: the end point is left out, so a polyline
// paints each vertex once; styled lines keep their dash phase from segment to segment. Each
// segment is clipped against the clip rectangles before a pixel is stepped, in 64-bit (and
// 128-bit where products need it) arithmetic, so far-away end points cost nothing.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/gfx/Paint.h"

namespace kq::gfx {

struct LineStyle {
    // One entry per pixel along the line: 1 dash, 0 gap. Empty: a solid line.
    std::vector<uint8_t> pattern;
    // Gaps are painted with gapColor (opaque background mode).
    bool paintGaps = false;
    uint32_t gapColor = 0;
};

// The per-pixel dash patterns of the cosmetic pen styles PS_DASH..PS_DASHDOTDOT and
// PS_ALTERNATE; empty for other styles.
std::vector<uint8_t> CosmeticStylePattern(int penStyle);

class CosmeticLine {
  public:
    // pen must be a solid (not tiled) paint.
    CosmeticLine(const RasterTarget& target, const Paint& pen, const LineStyle* style = nullptr);

    // Draws from (x0, y0) towards (x1, y1), leaving out the end point. Coordinates are in the
    // surface's pixel grid and may lie anywhere.
    void Draw(int64_t x0, int64_t y0, int64_t x1, int64_t y1);
    // Position in the dash pattern, counted in pixels along the line.
    int64_t stylePos = 0;

  private:
    void DrawClipped(int64_t x0, int64_t y0, int64_t x1, int64_t y1, const RECT& clip);
    void Plot(uint32_t* p, int64_t t);

    RasterTarget target_;
    Paint pen_;
    const LineStyle* style_;
    bool solidCopy_;
};

}  // namespace kq::gfx
