#include "BenchSurface.h"

#include <cmath>
#include <map>
#include <random>

namespace kq::gfx::bench {

Screen::Screen() : surface(std::make_shared<Surface>(kWidth, kHeight)) {
    surface->Fill(0xFFFFFF);
    hdc = CreateSurfaceDC(surface);
}

Screen::~Screen() {
    ::DeleteDC(hdc);
}

const std::vector<POINT>& CurvePoints(size_t n) {
    static std::map<size_t, std::vector<POINT>> cache;
    auto& pts = cache[n];
    if (pts.empty()) {
        std::mt19937 rng(42);
        std::uniform_real_distribution<double> noise(-60.0, 60.0);
        pts.reserve(n);
        for (size_t i = 0; i < n; ++i) {
            const double t = static_cast<double>(i) / static_cast<double>(n - 1);
            const double y =
                kHeight / 2.0 + 400.0 * std::sin(2 * 3.14159265358979 * 5 * t) + noise(rng);
            pts.push_back(POINT{static_cast<LONG>(std::lround(t * (kWidth - 1))),
                                static_cast<LONG>(std::lround(y))});
        }
    }
    return pts;
}

}  // namespace kq::gfx::bench
