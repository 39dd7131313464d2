#include "platform/gfx/PolygonRaster.h"

#include <algorithm>

namespace kq::gfx {

namespace {

using i128 = __int128;

int64_t FloorDiv(i128 a, i128 b) {
    i128 q = a / b;
    if ((a % b != 0) && ((a < 0) != (b < 0)))
        --q;
    return static_cast<int64_t>(q);
}

}  // namespace

// Sets up an edge for rows rowMin..rowMax-1; false when it covers none of them.
bool MakePolygonEdge(FixedPoint a, FixedPoint b, int scale, int rowMin, int rowMax,
                     PolygonEdge& e) {
    if (a.y == b.y)
        return false;
    e.dir = 1;
    if (a.y > b.y) {
        std::swap(a, b);
        e.dir = -1;
    }
    // Rows y with a.y <= y * scale < b.y.
    const int64_t first = std::max<int64_t>(-FloorDiv(-i128(a.y), scale), rowMin);
    const int64_t last = std::min<int64_t>(-FloorDiv(-i128(b.y), scale), rowMax);
    if (first >= last)
        return false;
    e.yTop = static_cast<int>(first);
    e.yBottom = static_cast<int>(last);
    // crossing (pixels) = (a.x * dy + (y * scale - a.y) * dx) / (dy * scale)
    const i128 dx = i128(b.x) - a.x;
    const i128 dy = i128(b.y) - a.y;
    const i128 den = dy * scale;
    const i128 num = i128(a.x) * dy + (i128(first) * scale - a.y) * dx;
    e.den = static_cast<int64_t>(den);
    e.q = FloorDiv(num, den);
    e.r = static_cast<int64_t>(num - i128(e.q) * den);
    const i128 step = dx * scale;
    e.stepQ = FloorDiv(step, den);
    e.stepR = static_cast<int64_t>(step - i128(e.stepQ) * den);
    return true;
}

void ScanPolygons(const std::vector<Contour>& contours, int scale, bool winding, int rowMin,
                  int rowMax, int64_t colMin, int64_t colMax,
                  const std::function<void(int y, int x0, int x1)>& span) {
    std::vector<PolygonEdge> edges;
    for (const Contour& c : contours) {
        if (c.size() < 2)
            continue;
        for (size_t i = 0; i < c.size(); ++i) {
            PolygonEdge e;
            if (MakePolygonEdge(c[i], c[(i + 1) % c.size()], scale, rowMin, rowMax, e))
                edges.push_back(e);
        }
    }
    if (edges.empty())
        return;
    std::sort(edges.begin(), edges.end(),
              [](const PolygonEdge& a, const PolygonEdge& b) { return a.yTop < b.yTop; });
    std::vector<PolygonEdge> active;
    std::vector<std::pair<int64_t, int>> crossings;
    size_t next = 0;
    int y = edges.front().yTop;
    while (next < edges.size() || !active.empty()) {
        if (active.empty() && next < edges.size() && edges[next].yTop > y)
            y = edges[next].yTop;
        while (next < edges.size() && edges[next].yTop == y)
            active.push_back(edges[next++]);
        crossings.clear();
        for (const PolygonEdge& e : active)
            crossings.emplace_back(e.X(), e.dir);
        std::sort(crossings.begin(), crossings.end());
        int wind = 0;
        bool inside = false;
        int64_t start = 0;
        int64_t runStart = 0;
        int64_t runEnd = 0;
        bool haveRun = false;
        auto emit = [&](int64_t a, int64_t b) {
            a = std::max(a, colMin);
            b = std::min(b, colMax);
            if (a >= b)
                return;
            if (haveRun && a <= runEnd) {
                runEnd = std::max(runEnd, b);
                return;
            }
            if (haveRun)
                span(y, static_cast<int>(runStart), static_cast<int>(runEnd));
            runStart = a;
            runEnd = b;
            haveRun = true;
        };
        for (const auto& [x, dir] : crossings) {
            const bool was = inside;
            if (winding) {
                wind += dir;
                inside = wind != 0;
            } else {
                inside = !inside;
            }
            if (!was && inside)
                start = x;
            else if (was && !inside)
                emit(start, x);
        }
        if (haveRun)
            span(y, static_cast<int>(runStart), static_cast<int>(runEnd));
        ++y;
        size_t keep = 0;
        for (PolygonEdge& e : active) {
            if (e.yBottom > y) {
                e.Step();
                active[keep++] = e;
            }
        }
        active.resize(keep);
    }
}

void FillPolygons(const RasterTarget& target, const std::vector<Contour>& contours, int scale,
                  bool winding, const Paint& paint) {
    if (paint.none || target.clip->IsEmpty())
        return;
    const RECT box = target.clip->Bounds();
    ScanPolygons(contours, scale, winding, box.top, box.bottom, box.left, box.right,
                 [&](int y, int x0, int x1) {
                     ForEachClippedSpan(*target.clip, y, x0, x1, [&](int yy, int a, int b) {
                         PaintSpan(*target.surface, yy, a, b, paint);
                     });
                 });
}

}  // namespace kq::gfx
