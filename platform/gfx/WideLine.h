// Fast painting of wide solid polylines with round joins: each segment is a convex quad and
// each joint (and round end) a disc stamped from one precomputed span list. Overlaps are painted
// more than once, so this serves only mixes where that does not matter (Rop2Idempotent); the
// general stroke (StrokePath) paints the exact union for the others.
#pragma once

#include <vector>

#include "platform/gfx/CurveGeometry.h"
#include "platform/gfx/Paint.h"
#include "platform/gfx/StrokePath.h"

namespace kq::gfx {

void PaintWidePolyline(const RasterTarget& target, const std::vector<Point64>& points, bool closed,
                       double width, LineCap cap, const Paint& paint);

}  // namespace kq::gfx
