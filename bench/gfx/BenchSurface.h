// Shared set-up of the graphics benchmarks: a 1920 x 1080 surface with a DC on it, and the
// polyline data every renderer draws.
#pragma once

#include <memory>
#include <vector>

#include "platform/gfx/CDC.h"
#include "platform/gfx/SurfaceDc.h"

namespace kq::gfx::bench {

constexpr int kWidth = 1920;
constexpr int kHeight = 1080;

struct Screen {
    Screen();
    ~Screen();
    std::shared_ptr<Surface> surface;
    HDC hdc = nullptr;
};

// A measured curve across the whole surface: a slow wave with noise, n points, left to right.
const std::vector<POINT>& CurvePoints(size_t n);

}  // namespace kq::gfx::bench
