// Scan conversion of polygons as GDI fills them: a pixel (x, y) is inside when the point (x, y)
// is, with left and top edges inside and right and bottom edges outside, so that the polygon
// (0,0) (10,0) (10,10) (0,10) fills 10 x 10 pixels. Vertices are fixed-point numbers with
// `scale` units per pixel; crossings are computed exactly in 128-bit arithmetic and only rows
// inside the clip are visited, so far-away vertices cost nothing.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "platform/gfx/Paint.h"

namespace kq::gfx {

struct FixedPoint {
    int64_t x;
    int64_t y;
};
using Contour = std::vector<FixedPoint>;

// One edge of a polygon as the scan conversion walks it row by row.
struct PolygonEdge {
    int yTop;     // first row
    int yBottom;  // row after the last
    int dir;      // +1 going down, -1 going up
    // Crossing at the current row as a pixel position q + r / den, 0 <= r < den; the first
    // pixel column at or right of it is X().
    int64_t q;
    int64_t r;
    int64_t den;
    int64_t stepQ;
    int64_t stepR;
    int64_t X() const { return r == 0 ? q : q + 1; }
    void Step() {
        q += stepQ;
        r += stepR;
        if (r >= den) {
            r -= den;
            ++q;
        }
    }
};

// Sets up the edge from a to b for rows rowMin..rowMax-1 (positioned at its first row);
// false when it covers none of them.
bool MakePolygonEdge(FixedPoint a, FixedPoint b, int scale, int rowMin, int rowMax, PolygonEdge& e);

// Calls span(y, x0, x1) for each run of inside pixels with rowMin <= y < rowMax and
// colMin <= x < colMax, in increasing y, spans of one row sorted and disjoint.
void ScanPolygons(const std::vector<Contour>& contours, int scale, bool winding, int rowMin,
                  int rowMax, int64_t colMin, int64_t colMax,
                  const std::function<void(int y, int x0, int x1)>& span);

// Fills the polygons into the target through the clip region.
void FillPolygons(const RasterTarget& target, const std::vector<Contour>& contours, int scale,
                  bool winding, const Paint& paint);

}  // namespace kq::gfx
