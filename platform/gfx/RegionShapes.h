// Regions of shapes: ellipses, rounded rectangles and polygons as scanline approximations, the
// same pixels the corresponding filled shape covers (with right and bottom edges outside).
#pragma once

#include <vector>

#include "platform/gfx/CurveGeometry.h"
#include "platform/gfx/Region.h"

namespace kq::gfx {

Region PolygonRegion(const std::vector<std::vector<Point64>>& polygons, bool winding);
Region EllipseRegion(int left, int top, int right, int bottom);

}  // namespace kq::gfx
