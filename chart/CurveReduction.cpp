// One pass over the points, O(n): a column is complete when the next placed point lies in
// another column; its vertices are emitted without repeating the previous one.
#include "chart/CurveReduction.h"

namespace kq::chart {

namespace {

struct Column {
    int x = 0;
    POINT first{}, low{}, high{}, last{};
    int lowAt = 0, highAt = 0, count = 0;
};

void Emit(std::vector<POINT>& out, size_t runStart, POINT p) {
    if (out.size() > runStart && out.back().x == p.x && out.back().y == p.y)
        return;
    out.push_back(p);
}

void Flush(const Column& c, std::vector<POINT>& out, size_t runStart) {
    if (c.count == 0)
        return;
    Emit(out, runStart, c.first);
    if (c.lowAt <= c.highAt) {
        Emit(out, runStart, c.low);
        Emit(out, runStart, c.high);
    } else {
        Emit(out, runStart, c.high);
        Emit(out, runStart, c.low);
    }
    Emit(out, runStart, c.last);
}

}  // namespace

void ReducePoints(const TDataPoint* points, int first, int last,
                  const CXGraphAxis::PixelMapper& xMap, const CXGraphAxis::PixelMapper& yMap,
                  ReducedCurve& out) {
    out.vertices.clear();
    out.runs.clear();
    Column column;
    bool inRun = false;
    size_t runStart = 0;
    for (int i = first; i <= last; ++i) {
        const TDataPoint& pt = points[i];
        if (!xMap.Accepts(pt.fXVal) || !yMap.Accepts(pt.fYVal)) {
            if (inRun)
                Flush(column, out.vertices, runStart);
            column.count = 0;
            inRun = false;
            continue;
        }
        const POINT p{xMap.Map(pt.fXVal), yMap.Map(pt.fYVal)};
        if (!inRun) {
            runStart = out.vertices.size();
            out.runs.push_back(runStart);
            inRun = true;
        } else if (p.x != column.x) {
            Flush(column, out.vertices, runStart);
            column.count = 0;
        }
        if (column.count == 0) {
            column.x = p.x;
            column.first = column.low = column.high = column.last = p;
            column.lowAt = column.highAt = i;
        } else {
            if (p.y < column.low.y) {
                column.low = p;
                column.lowAt = i;
            }
            if (p.y > column.high.y) {
                column.high = p;
                column.highAt = i;
            }
            column.last = p;
        }
        ++column.count;
    }
    if (inRun)
        Flush(column, out.vertices, runStart);
}

}  // namespace kq::chart
