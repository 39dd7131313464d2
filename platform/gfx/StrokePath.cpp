#include "platform/gfx/StrokePath.h"

#include <algorithm>
#include <cmath>

namespace kq::gfx {

namespace {

constexpr double kPi = 3.14159265358979323846;

struct Vec {
    double x, y;
};

FixedPoint Fixed(double x, double y) {
    return FixedPoint{static_cast<int64_t>(std::llround(x * kStrokeScale)),
                      static_cast<int64_t>(std::llround(y * kStrokeScale))};
}

// Makes the contour turn counter-clockwise in the y-down grid (positive shoelace sum).
void Orient(Contour& c) {
    long double area = 0;
    for (size_t i = 0; i < c.size(); ++i) {
        const FixedPoint& a = c[i];
        const FixedPoint& b = c[(i + 1) % c.size()];
        area += static_cast<long double>(a.x) * b.y - static_cast<long double>(b.x) * a.y;
    }
    if (area < 0)
        std::reverse(c.begin(), c.end());
}

void AddDisc(double cx, double cy, double radius, std::vector<Contour>& out) {
    // Vertices on the axes put the disc's extreme points exactly radius away from the centre.
    const int n = std::clamp(static_cast<int>(std::ceil(radius * 4)) * 4, 16, 256);
    Contour c;
    c.reserve(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i) {
        const double a = 2 * kPi * i / n;
        c.push_back(Fixed(cx + radius * std::cos(a), cy + radius * std::sin(a)));
    }
    Orient(c);
    out.push_back(std::move(c));
}

void AddPolygon(std::initializer_list<Vec> pts, std::vector<Contour>& out) {
    Contour c;
    for (const Vec& p : pts)
        c.push_back(Fixed(p.x, p.y));
    Orient(c);
    out.push_back(std::move(c));
}

}  // namespace

void StrokePolyline(const std::vector<Point64>& input, bool closed, double width, LineCap cap,
                    LineJoin join, double miterLimit, std::vector<Contour>& out) {
    std::vector<Vec> pts;
    for (const Point64& p : input) {
        const Vec v{static_cast<double>(p.x), static_cast<double>(p.y)};
        if (pts.empty() || pts.back().x != v.x || pts.back().y != v.y)
            pts.push_back(v);
    }
    if (closed && pts.size() > 1 && pts.front().x == pts.back().x && pts.front().y == pts.back().y)
        pts.pop_back();
    const double h = width / 2;
    if (pts.size() == 1) {
        if (cap == LineCap::Round)
            AddDisc(pts[0].x, pts[0].y, h, out);
        else if (cap == LineCap::Square)
            AddPolygon({{pts[0].x - h, pts[0].y - h},
                        {pts[0].x + h, pts[0].y - h},
                        {pts[0].x + h, pts[0].y + h},
                        {pts[0].x - h, pts[0].y + h}},
                       out);
        return;
    }
    const size_t segments = closed ? pts.size() : pts.size() - 1;
    auto dirOf = [&](size_t i) {
        const Vec& a = pts[i];
        const Vec& b = pts[(i + 1) % pts.size()];
        const double dx = b.x - a.x;
        const double dy = b.y - a.y;
        const double len = std::hypot(dx, dy);
        return Vec{dx / len, dy / len};
    };
    for (size_t i = 0; i < segments; ++i) {
        Vec a = pts[i];
        Vec b = pts[(i + 1) % pts.size()];
        const Vec d = dirOf(i);
        const Vec n{-d.y * h, d.x * h};
        if (!closed && cap == LineCap::Square) {
            if (i == 0)
                a = Vec{a.x - d.x * h, a.y - d.y * h};
            if (i + 1 == segments)
                b = Vec{b.x + d.x * h, b.y + d.y * h};
        }
        AddPolygon({{a.x + n.x, a.y + n.y},
                    {b.x + n.x, b.y + n.y},
                    {b.x - n.x, b.y - n.y},
                    {a.x - n.x, a.y - n.y}},
                   out);
    }
    // Joins at every inner vertex (every vertex of a closed path).
    const size_t firstJoin = closed ? 0 : 1;
    const size_t lastJoin = closed ? pts.size() : pts.size() - 1;
    for (size_t v = firstJoin; v < lastJoin; ++v) {
        const Vec& p = pts[v];
        if (join == LineJoin::Round) {
            AddDisc(p.x, p.y, h, out);
            continue;
        }
        const Vec d1 = dirOf((v + pts.size() - 1) % pts.size());
        const Vec d2 = dirOf(v);
        const double cross = d1.x * d2.y - d1.y * d2.x;
        if (std::fabs(cross) < 1e-12)
            continue;
        // The outer side is where the path turns away from.
        const double side = cross > 0 ? -1 : 1;
        const Vec n1{-d1.y * h * side, d1.x * h * side};
        const Vec n2{-d2.y * h * side, d2.x * h * side};
        const Vec a{p.x + n1.x, p.y + n1.y};
        const Vec b{p.x + n2.x, p.y + n2.y};
        if (join == LineJoin::Miter) {
            const double cosHalf = std::sqrt(std::max(0.0, (1 + d1.x * d2.x + d1.y * d2.y) / 2));
            if (cosHalf > 1e-9 && 1 / cosHalf <= miterLimit) {
                const Vec mid{n1.x + n2.x, n1.y + n2.y};
                const double len = std::hypot(mid.x, mid.y);
                const double reach = h / cosHalf;
                const Vec tip{p.x + mid.x / len * reach, p.y + mid.y / len * reach};
                AddPolygon({p, a, tip, b}, out);
                continue;
            }
        }
        AddPolygon({p, a, b}, out);
    }
    if (!closed && cap == LineCap::Round) {
        AddDisc(pts.front().x, pts.front().y, h, out);
        AddDisc(pts.back().x, pts.back().y, h, out);
    }
}

}  // namespace kq::gfx
