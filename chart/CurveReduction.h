// Turns a curve's points into the vertices it draws: per pixel column the first, lowest,
// highest and last point (at most four vertices, in the order they occur), so that a spike
// among many points in one column still shows. Points an axis cannot place break the line.
#pragma once

#include <vector>

#include "chart/XGraphAxis.h"
#include "chart/XGraphDataSerie.h"

namespace kq::chart {

struct ReducedCurve {
    std::vector<POINT> vertices;
    // Start index into vertices of every unbroken run.
    std::vector<size_t> runs;
};

// Points first..last (inclusive) of the curve through the two mappers.
void ReducePoints(const TDataPoint* points, int first, int last,
                  const CXGraphAxis::PixelMapper& xMap, const CXGraphAxis::PixelMapper& yMap,
                  ReducedCurve& out);

}  // namespace kq::chart
