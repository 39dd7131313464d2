// The outline of a wide (geometric) pen along a path, as polygons: one per segment, plus the
// joins and end caps of the pen. All polygons turn the same way, so filling them together with
// the winding rule paints their union, each pixel once.
#pragma once

#include <vector>

#include "platform/gfx/CurveGeometry.h"
#include "platform/gfx/PolygonRaster.h"

namespace kq::gfx {

enum class LineCap { Round, Square, Flat };
enum class LineJoin { Round, Bevel, Miter };

// Fixed-point scale of the contours StrokePolyline makes.
constexpr int kStrokeScale = 256;

// Appends the parts of the stroke to `out`. `width` is in pixels; a closed path joins its last
// point to the first.
void StrokePolyline(const std::vector<Point64>& points, bool closed, double width, LineCap cap,
                    LineJoin join, double miterLimit, std::vector<Contour>& out);

}  // namespace kq::gfx
