#include "platform/gfx/WideLine.h"

#include <algorithm>
#include <cmath>

namespace kq::gfx {

namespace {

struct DiscSpan {
    int dy;
    int x0;
    int x1;
};

// The disc of the stroke's width around (0, 0), made by the same scan conversion as the
// general stroke so that both paint the same pixels.
std::vector<DiscSpan> DiscStamp(double width) {
    std::vector<Contour> disc;
    StrokePolyline({Point64{0, 0}}, false, width, LineCap::Round, LineJoin::Round, 10, disc);
    std::vector<DiscSpan> spans;
    const int reach = static_cast<int>(std::ceil(width)) + 1;
    ScanPolygons(disc, kStrokeScale, true, -reach, reach + 1, -reach, reach + 1,
                 [&](int y, int x0, int x1) {
                     spans.push_back(DiscSpan{y, x0, x1});
                 });
    return spans;
}

void Span(const RasterTarget& t, int64_t y, int64_t x0, int64_t x1, const Paint& paint) {
    FillSpanClipped(t, y, x0, x1, paint);
}

// Fills the convex quad (fixed point, kStrokeScale) row by row within the clip's rows, with the
// same edge arithmetic as the polygon scan conversion: a pixel is inside when the left crossing
// <= x < the right crossing.
void FillQuad(const RasterTarget& t, const FixedPoint (&q)[4], int rowMin, int rowMax,
              const Paint& paint) {
    PolygonEdge edges[4];
    int n = 0;
    int top = rowMax;
    int bottom = rowMin;
    for (int i = 0; i < 4; ++i) {
        if (MakePolygonEdge(q[i], q[(i + 1) & 3], kStrokeScale, rowMin, rowMax, edges[n])) {
            top = std::min(top, edges[n].yTop);
            bottom = std::max(bottom, edges[n].yBottom);
            ++n;
        }
    }
    for (int y = top; y < bottom; ++y) {
        int64_t lo = INT64_MAX;
        int64_t hi = INT64_MIN;
        for (int i = 0; i < n; ++i) {
            PolygonEdge& e = edges[i];
            if (y < e.yTop || y >= e.yBottom)
                continue;
            lo = std::min(lo, e.X());
            hi = std::max(hi, e.X());
            e.Step();
        }
        if (lo < hi)
            Span(t, y, lo, hi, paint);
    }
}

}  // namespace

void PaintWidePolyline(const RasterTarget& target, const std::vector<Point64>& input, bool closed,
                       double width, LineCap cap, const Paint& paint) {
    if (paint.none || input.empty() || target.clip->IsEmpty())
        return;
    std::vector<Point64> pts;
    pts.reserve(input.size());
    for (const Point64& p : input)
        if (pts.empty() || !(pts.back() == p))
            pts.push_back(p);
    if (closed && pts.size() > 1 && pts.front() == pts.back())
        pts.pop_back();
    const RECT box = target.clip->Bounds();
    const double h = width / 2;
    const int64_t reach = static_cast<int64_t>(std::ceil(width)) + 1;
    const std::vector<DiscSpan> disc = DiscStamp(width);
    auto stamp = [&](const Point64& p) {
        if (p.x + reach < box.left || p.x - reach >= box.right || p.y + reach < box.top ||
            p.y - reach >= box.bottom)
            return;
        for (const DiscSpan& s : disc)
            Span(target, p.y + s.dy, p.x + s.x0, p.x + s.x1, paint);
    };
    if (pts.size() == 1) {
        if (cap == LineCap::Round)
            stamp(pts[0]);
        return;
    }
    const size_t segments = closed ? pts.size() : pts.size() - 1;
    for (size_t i = 0; i < segments; ++i) {
        const Point64& a = pts[i];
        const Point64& b = pts[(i + 1) % pts.size()];
        // Skip segments whose band cannot reach the clip.
        if (std::max(a.x, b.x) + reach < box.left || std::min(a.x, b.x) - reach >= box.right ||
            std::max(a.y, b.y) + reach < box.top || std::min(a.y, b.y) - reach >= box.bottom)
            continue;
        double ax = static_cast<double>(a.x), ay = static_cast<double>(a.y);
        double bx = static_cast<double>(b.x), by = static_cast<double>(b.y);
        const double len = std::hypot(bx - ax, by - ay);
        const double dx = (bx - ax) / len, dy = (by - ay) / len;
        if (!closed && cap == LineCap::Square) {
            if (i == 0) {
                ax -= dx * h;
                ay -= dy * h;
            }
            if (i + 1 == segments) {
                bx += dx * h;
                by += dy * h;
            }
        }
        const double nx = -dy * h, ny = dx * h;
        auto fixed = [](double x, double y) {
            return FixedPoint{static_cast<int64_t>(std::llround(x * kStrokeScale)),
                              static_cast<int64_t>(std::llround(y * kStrokeScale))};
        };
        const FixedPoint quad[4] = {fixed(ax + nx, ay + ny), fixed(bx + nx, by + ny),
                                    fixed(bx - nx, by - ny), fixed(ax - nx, ay - ny)};
        FillQuad(target, quad, box.top, box.bottom, paint);
    }
    const size_t firstJoin = closed ? 0 : 1;
    const size_t lastJoin = closed ? pts.size() : pts.size() - 1;
    for (size_t v = firstJoin; v < lastJoin; ++v)
        stamp(pts[v]);
    if (!closed && cap == LineCap::Round) {
        stamp(pts.front());
        stamp(pts.back());
    }
}

}  // namespace kq::gfx
