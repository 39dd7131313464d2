#include "platform/gfx/CurveGeometry.h"

#include <algorithm>
#include <cmath>

namespace kq::gfx {

namespace {

constexpr double kPi = 3.14159265358979323846;

struct EllipseShape {
    double cx, cy, rx, ry;
};

EllipseShape ShapeOf(int64_t left, int64_t top, int64_t right, int64_t bottom) {
    if (left > right)
        std::swap(left, right);
    if (top > bottom)
        std::swap(top, bottom);
    EllipseShape e;
    e.cx = (static_cast<double>(left) + static_cast<double>(right) - 1) / 2;
    e.cy = (static_cast<double>(top) + static_cast<double>(bottom) - 1) / 2;
    e.rx = std::max(0.0, (static_cast<double>(right) - static_cast<double>(left) - 1) / 2);
    e.ry = std::max(0.0, (static_cast<double>(bottom) - static_cast<double>(top) - 1) / 2);
    return e;
}

// Segments for a sweep of `sweep` radians: about one per 1.5 pixels of arc, bounded so that a
// huge ellipse stays affordable.
int SegmentsFor(const EllipseShape& e, double sweep) {
    const double perimeter =
        kPi * (3 * (e.rx + e.ry) - std::sqrt((3 * e.rx + e.ry) * (e.rx + 3 * e.ry)));
    const double n = std::ceil(perimeter * sweep / (2 * kPi) / 1.5);
    return static_cast<int>(std::clamp(n, 4.0, 16384.0));
}

int64_t Round(double v) {
    return static_cast<int64_t>(std::floor(v + 0.5));
}

void AppendPoint(std::vector<Point64>& pts, Point64 p) {
    if (pts.empty() || !(pts.back() == p))
        pts.push_back(p);
}

Point64 PointAt(const EllipseShape& e, double angle) {
    return Point64{Round(e.cx + e.rx * std::cos(angle)), Round(e.cy - e.ry * std::sin(angle))};
}

}  // namespace

Point64 EllipseCentre(int64_t left, int64_t top, int64_t right, int64_t bottom) {
    const EllipseShape e = ShapeOf(left, top, right, bottom);
    return Point64{Round(e.cx), Round(e.cy)};
}

std::vector<Point64> EllipsePath(int64_t left, int64_t top, int64_t right, int64_t bottom) {
    if (left > right)
        std::swap(left, right);
    if (top > bottom)
        std::swap(top, bottom);
    const EllipseShape e = ShapeOf(left, top, right, bottom);
    // One quadrant, mirrored about the centre so that the outline is exactly symmetric; the
    // doubled centre (left + right - 1) is an integer.
    const int q = std::max(1, (SegmentsFor(e, 2 * kPi) + 3) / 4);
    const int64_t sumX = left + right - 1;
    const int64_t sumY = top + bottom - 1;
    std::vector<Point64> quarter;  // from the rightmost point up to the topmost
    for (int i = 0; i <= q; ++i) {
        const double a = (kPi / 2) * i / q;
        Point64 p{Round(e.cx + e.rx * std::cos(a)), Round(e.cy - e.ry * std::sin(a))};
        // Keep the point on the right/top half so that mirroring stays outside-in.
        p.x = std::max(p.x, sumX - p.x);
        p.y = std::min(p.y, sumY - p.y);
        AppendPoint(quarter, p);
    }
    std::vector<Point64> pts;
    for (const Point64& p : quarter)
        AppendPoint(pts, p);
    for (auto it = quarter.rbegin(); it != quarter.rend(); ++it)
        AppendPoint(pts, Point64{sumX - it->x, it->y});
    for (const Point64& p : quarter)
        AppendPoint(pts, Point64{sumX - p.x, sumY - p.y});
    for (auto it = quarter.rbegin(); it != quarter.rend(); ++it)
        AppendPoint(pts, Point64{it->x, sumY - it->y});
    while (pts.size() > 1 && pts.back() == pts.front())
        pts.pop_back();
    return pts;
}

std::vector<Point64> ArcPath(int64_t left, int64_t top, int64_t right, int64_t bottom,
                             int64_t xStart, int64_t yStart, int64_t xEnd, int64_t yEnd,
                             bool clockwise) {
    const EllipseShape e = ShapeOf(left, top, right, bottom);
    // Angles of the rays, measured counter-clockwise on the screen (y grows downwards) and
    // taken on the ellipse's own parameter so that the ray meets the curve.
    auto angleOf = [&](int64_t x, int64_t y) {
        const double dx = (static_cast<double>(x) - e.cx) * (e.ry > 0 ? e.ry : 1);
        const double dy = (e.cy - static_cast<double>(y)) * (e.rx > 0 ? e.rx : 1);
        return std::atan2(dy, dx);
    };
    const double a0 = angleOf(xStart, yStart);
    const double a1 = angleOf(xEnd, yEnd);
    double sweep = clockwise ? a0 - a1 : a1 - a0;
    while (sweep <= 0)
        sweep += 2 * kPi;
    const int n = SegmentsFor(e, sweep);
    std::vector<Point64> pts;
    for (int i = 0; i <= n; ++i) {
        const double t = sweep * i / n;
        AppendPoint(pts, PointAt(e, clockwise ? a0 - t : a0 + t));
    }
    return pts;
}

std::vector<Point64> RoundRectPath(int64_t left, int64_t top, int64_t right, int64_t bottom,
                                   int64_t ellipseWidth, int64_t ellipseHeight) {
    if (left > right)
        std::swap(left, right);
    if (top > bottom)
        std::swap(top, bottom);
    ellipseWidth = std::clamp<int64_t>(std::llabs(ellipseWidth), 0, right - left);
    ellipseHeight = std::clamp<int64_t>(std::llabs(ellipseHeight), 0, bottom - top);
    const int64_t r = right - 1;
    const int64_t b = bottom - 1;
    if (ellipseWidth < 2 || ellipseHeight < 2)
        return {{left, top}, {r, top}, {r, b}, {left, b}};
    const double rx = (static_cast<double>(ellipseWidth) - 1) / 2;
    const double ry = (static_cast<double>(ellipseHeight) - 1) / 2;
    const EllipseShape corner{0, 0, rx, ry};
    const int n = std::max(2, SegmentsFor(corner, kPi / 2));
    // Corner centres.
    const double cxl = static_cast<double>(left) + rx;
    const double cxr = static_cast<double>(r) - rx;
    const double cyt = static_cast<double>(top) + ry;
    const double cyb = static_cast<double>(b) - ry;
    std::vector<Point64> pts;
    auto quarter = [&](double cx, double cy, double from) {
        for (int i = 0; i <= n; ++i) {
            const double a = from + (kPi / 2) * i / n;
            AppendPoint(pts, Point64{Round(cx + rx * std::cos(a)), Round(cy - ry * std::sin(a))});
        }
    };
    quarter(cxr, cyt, 0);            // top right, from the right side up to the top
    quarter(cxl, cyt, kPi / 2);      // top left
    quarter(cxl, cyb, kPi);          // bottom left
    quarter(cxr, cyb, 3 * kPi / 2);  // bottom right
    while (pts.size() > 1 && pts.back() == pts.front())
        pts.pop_back();
    return pts;
}

}  // namespace kq::gfx
