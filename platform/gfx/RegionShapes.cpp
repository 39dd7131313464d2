#include "platform/gfx/RegionShapes.h"

#include <algorithm>

#include "platform/gfx/PolygonRaster.h"

namespace kq::gfx {

Region PolygonRegion(const std::vector<std::vector<Point64>>& polygons, bool winding) {
    std::vector<Contour> contours;
    int64_t minY = INT64_MAX, maxY = INT64_MIN;
    for (const auto& poly : polygons) {
        Contour c;
        for (const Point64& p : poly) {
            c.push_back(FixedPoint{p.x, p.y});
            minY = std::min(minY, p.y);
            maxY = std::max(maxY, p.y);
        }
        contours.push_back(std::move(c));
    }
    if (contours.empty() || minY >= maxY)
        return Region();
    const int top = static_cast<int>(std::clamp<int64_t>(minY, -Region::kLimit, Region::kLimit));
    const int bottom = static_cast<int>(std::clamp<int64_t>(maxY, -Region::kLimit, Region::kLimit));
    std::vector<std::vector<int>> rows(static_cast<size_t>(std::max(0, bottom - top)));
    ScanPolygons(contours, 1, winding, top, bottom, -Region::kLimit, Region::kLimit,
                 [&](int y, int x0, int x1) {
                     auto& r = rows[static_cast<size_t>(y - top)];
                     r.push_back(x0);
                     r.push_back(x1);
                 });
    return Region::FromRows(top, rows);
}

namespace {

// The region of a closed outline: the pixels the filled outline covers plus those on it, so
// that the region matches the drawn shape with a one-pixel pen, less the right and bottom rows
// that a bounding box leaves out.
Region OutlineRegion(const std::vector<Point64>& outline) {
    return PolygonRegion({outline}, false);
}

}  // namespace

Region EllipseRegion(int left, int top, int right, int bottom) {
    if (left > right)
        std::swap(left, right);
    if (top > bottom)
        std::swap(top, bottom);
    if (right - left < 1 || bottom - top < 1)
        return Region();
    // The ellipse through the box's border pixels, filled: right and bottom stay outside.
    return OutlineRegion(EllipsePath(left, top, right + 1, bottom + 1));
}

}  // namespace kq::gfx
