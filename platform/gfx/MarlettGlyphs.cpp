#include "platform/gfx/MarlettGlyphs.h"

#include <algorithm>
#include <cmath>
#include <functional>

namespace kq::gfx {

namespace {

// Shapes in em units (0..1, y down), tested at pixel centres.
struct Canvas {
    int em;
    std::vector<uint8_t> px;
    explicit Canvas(int size) : em(size), px(static_cast<size_t>(size) * size, 0) {}

    void Paint(const std::function<bool(double, double)>& inside) {
        for (int y = 0; y < em; ++y)
            for (int x = 0; x < em; ++x)
                if (inside((x + 0.5) / em, (y + 0.5) / em))
                    px[static_cast<size_t>(y) * em + x] = 255;
    }
    void Rect(double l, double t, double r, double b) {
        Paint([=](double x, double y) { return x >= l && x < r && y >= t && y < b; });
    }
    void Line(double x0, double y0, double x1, double y1, double thickness) {
        // Thickness in pixels, at least one.
        const double half = std::max(1.0, thickness) / 2 / em;
        Paint([=](double x, double y) {
            const double dx = x1 - x0, dy = y1 - y0;
            const double len2 = dx * dx + dy * dy;
            double t = len2 > 0 ? ((x - x0) * dx + (y - y0) * dy) / len2 : 0;
            t = std::clamp(t, 0.0, 1.0);
            const double ex = x0 + t * dx - x, ey = y0 + t * dy - y;
            return ex * ex + ey * ey <= half * half + 1e-12;
        });
    }
    void Triangle(double ax, double ay, double bx, double by, double cx, double cy) {
        Paint([=](double x, double y) {
            auto side = [&](double px, double py, double qx, double qy) {
                return (qx - px) * (y - py) - (qy - py) * (x - px);
            };
            const double s1 = side(ax, ay, bx, by), s2 = side(bx, by, cx, cy),
                         s3 = side(cx, cy, ax, ay);
            return (s1 >= 0 && s2 >= 0 && s3 >= 0) || (s1 <= 0 && s2 <= 0 && s3 <= 0);
        });
    }
    // Part of a ring between radii r0 and r1 around (cx, cy), limited by a half-plane test.
    void Ring(double cx, double cy, double r0, double r1,
              const std::function<bool(double, double)>& keep) {
        Paint([=](double x, double y) {
            const double d = std::hypot(x - cx, y - cy);
            return d >= r0 && d <= r1 && keep(x - cx, y - cy);
        });
    }
};

}  // namespace

std::vector<uint8_t> RenderMarlettGlyph(char32_t ch, int em) {
    if (em <= 0)
        return {};
    Canvas c(em);
    const double px = 1.0 / em;  // one pixel
    const double stroke = std::max(1.0, std::round(em / 8.0));
    const auto upperLeft = [](double dx, double dy) { return dx + dy < 0; };
    const auto lowerRight = [](double dx, double dy) { return dx + dy >= 0; };
    switch (ch) {
        case U'0':  // minimise
            c.Rect(0.2, 0.7, 0.7, 0.7 + std::max(2.0, stroke) * px);
            break;
        case U'1':  // maximise
            c.Rect(0.1, 0.1, 0.9, 0.1 + std::max(2.0, stroke) * px);
            c.Rect(0.1, 0.1, 0.1 + px, 0.9);
            c.Rect(0.9 - px, 0.1, 0.9, 0.9);
            c.Rect(0.1, 0.9 - px, 0.9, 0.9);
            break;
        case U'2':  // restore: two overlapping windows
            c.Rect(0.3, 0.1, 0.9, 0.1 + 2 * px);
            c.Rect(0.9 - px, 0.1, 0.9, 0.6);
            c.Rect(0.3, 0.1, 0.3 + px, 0.3);
            c.Rect(0.1, 0.35, 0.7, 0.35 + 2 * px);
            c.Rect(0.1, 0.35, 0.1 + px, 0.9);
            c.Rect(0.7 - px, 0.35, 0.7, 0.9);
            c.Rect(0.1, 0.9 - px, 0.7, 0.9);
            break;
        case U'3':  // left triangle
            c.Triangle(0.3, 0.5, 0.6, 0.2, 0.6, 0.8);
            break;
        case U'4':  // right triangle
            c.Triangle(0.7, 0.5, 0.4, 0.2, 0.4, 0.8);
            break;
        case U'5':  // up triangle
            c.Triangle(0.5, 0.3, 0.2, 0.6, 0.8, 0.6);
            break;
        case U'6':  // down triangle
            c.Triangle(0.5, 0.7, 0.2, 0.4, 0.8, 0.4);
            break;
        case U'7':  // small left arrow (menu)
            c.Triangle(0.35, 0.5, 0.55, 0.3, 0.55, 0.7);
            break;
        case U'8':  // small right arrow (sub-menu)
            c.Triangle(0.65, 0.5, 0.45, 0.3, 0.45, 0.7);
            break;
        case U'a':  // check mark
        case U'b':
            c.Line(0.2, 0.5, 0.4, 0.7, stroke + 1);
            c.Line(0.4, 0.7, 0.8, 0.3, stroke + 1);
            break;
        case U'h':  // bullet
        case U'i':
            c.Ring(0.5, 0.5, 0, 0.17, [](double, double) { return true; });
            break;
        case U'j':  // radio: outer upper-left arc
            c.Ring(0.5, 0.5, 0.5 - px, 0.5, upperLeft);
            break;
        case U'k':  // radio: outer lower-right arc
            c.Ring(0.5, 0.5, 0.5 - px, 0.5, lowerRight);
            break;
        case U'l':  // radio: inner upper-left arc
            c.Ring(0.5, 0.5, 0.5 - 2 * px, 0.5 - px, upperLeft);
            break;
        case U'm':  // radio: inner lower-right arc
            c.Ring(0.5, 0.5, 0.5 - 2 * px, 0.5 - px, lowerRight);
            break;
        case U'n':  // radio: interior
            c.Ring(0.5, 0.5, 0, 0.5 - 2 * px, [](double, double) { return true; });
            break;
        case U'o':  // size grip, light lines
            for (double k : {0.15, 0.45, 0.75})
                c.Line(k, 1.0, 1.0, k, 1);
            break;
        case U'p':  // size grip, dark lines
            for (double k : {0.25, 0.55, 0.85})
                c.Line(k, 1.0, 1.0, k, 2);
            break;
        case U'r':  // close
            c.Line(0.15, 0.15, 0.85, 0.85, stroke + 1);
            c.Line(0.85, 0.15, 0.15, 0.85, stroke + 1);
            break;
        case U's':  // help
            c.Ring(0.5, 0.35, 0.2 - px, 0.2 + px,
                   [](double dx, double dy) { return dy < 0 || dx > 0; });
            c.Line(0.5, 0.55, 0.5, 0.65, stroke + 1);
            c.Rect(0.5 - px, 0.8, 0.5 + px, 0.8 + 2 * px);
            break;
        case U't':  // up/down arrows used by spin controls
            c.Triangle(0.5, 0.1, 0.25, 0.4, 0.75, 0.4);
            c.Triangle(0.5, 0.9, 0.25, 0.6, 0.75, 0.6);
            break;
        default:
            break;
    }
    return c.px;
}

}  // namespace kq::gfx
