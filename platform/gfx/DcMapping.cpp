// Mapping between logical and device coordinates.
#include <cstdlib>

#include "platform/gfx/DeviceContext.h"
#include "platform/gfx/GdiConstants.h"

namespace kq::gfx {

namespace {

using i128 = __int128;

// Device coordinates are kept within +-2^40; beyond that nothing of a figure can be visible
// and products of later steps must still fit in 64 bits.
constexpr int64_t kCoordLimit = int64_t{1} << 40;

int64_t Limit(i128 v) {
    if (v > kCoordLimit)
        return kCoordLimit;
    if (v < -kCoordLimit)
        return -kCoordLimit;
    return static_cast<int64_t>(v);
}

// n / d rounded to the nearest integer, halves away from zero.
i128 RoundDiv(i128 n, i128 d) {
    if (d < 0) {
        n = -n;
        d = -d;
    }
    if (n >= 0)
        return (2 * n + d) / (2 * d);
    return -((-2 * n + d) / (2 * d));
}

}  // namespace

Point64 DeviceContext::ToDevice(int64_t x, int64_t y) const {
    const DcState& s = s_;
    if (s.mapMode == MM_TEXT)
        return Point64{Limit(i128(x) - s.windowOrg.x + s.viewportOrg.x),
                       Limit(i128(y) - s.windowOrg.y + s.viewportOrg.y)};
    const i128 dx = s.viewportOrg.x + RoundDiv((i128(x) - s.windowOrg.x) * s.viewportExt.cx,
                                               s.windowExt.cx ? s.windowExt.cx : 1);
    const i128 dy = s.viewportOrg.y + RoundDiv((i128(y) - s.windowOrg.y) * s.viewportExt.cy,
                                               s.windowExt.cy ? s.windowExt.cy : 1);
    return Point64{Limit(dx), Limit(dy)};
}

Point64 DeviceContext::ToSurface(int64_t x, int64_t y) const {
    const Point64 d = ToDevice(x, y);
    return Point64{d.x + origin_.x, d.y + origin_.y};
}

POINT DeviceContext::ToLogical(int64_t dx, int64_t dy) const {
    const DcState& s = s_;
    i128 x, y;
    if (s.mapMode == MM_TEXT) {
        x = i128(dx) - s.viewportOrg.x + s.windowOrg.x;
        y = i128(dy) - s.viewportOrg.y + s.windowOrg.y;
    } else {
        x = s.windowOrg.x + RoundDiv((i128(dx) - s.viewportOrg.x) * s.windowExt.cx,
                                     s.viewportExt.cx ? s.viewportExt.cx : 1);
        y = s.windowOrg.y + RoundDiv((i128(dy) - s.viewportOrg.y) * s.windowExt.cy,
                                     s.viewportExt.cy ? s.viewportExt.cy : 1);
    }
    auto clamp32 = [](i128 v) {
        if (v > 0x7FFFFFFF)
            return LONG{0x7FFFFFFF};
        if (v < -0x7FFFFFFF - 1)
            return LONG{-0x7FFFFFFF - 1};
        return static_cast<LONG>(v);
    };
    return POINT{clamp32(x), clamp32(y)};
}

int64_t DeviceContext::WidthToDevice(int64_t w) const {
    if (s_.mapMode == MM_TEXT)
        return std::llabs(w);
    const i128 v = RoundDiv(i128(w) * s_.viewportExt.cx, s_.windowExt.cx ? s_.windowExt.cx : 1);
    return Limit(v < 0 ? -v : v);
}

int64_t DeviceContext::HeightToDevice(int64_t h) const {
    if (s_.mapMode == MM_TEXT)
        return std::llabs(h);
    const i128 v = RoundDiv(i128(h) * s_.viewportExt.cy, s_.windowExt.cy ? s_.windowExt.cy : 1);
    return Limit(v < 0 ? -v : v);
}

int64_t DeviceContext::WidthToLogical(int64_t w) const {
    if (s_.mapMode == MM_TEXT)
        return std::llabs(w);
    const i128 v = RoundDiv(i128(w) * s_.windowExt.cx, s_.viewportExt.cx ? s_.viewportExt.cx : 1);
    return Limit(v < 0 ? -v : v);
}

int64_t DeviceContext::HeightToLogical(int64_t h) const {
    if (s_.mapMode == MM_TEXT)
        return std::llabs(h);
    const i128 v = RoundDiv(i128(h) * s_.windowExt.cy, s_.viewportExt.cy ? s_.viewportExt.cy : 1);
    return Limit(v < 0 ? -v : v);
}

bool DeviceContext::SetMapMode(int mode) {
    DcState& s = s_;
    int unitsPerInch = 0;
    switch (mode) {
        case MM_TEXT:
            s.windowExt = SIZE{1, 1};
            s.viewportExt = SIZE{1, 1};
            break;
        case MM_LOMETRIC:
            unitsPerInch = 254;
            break;
        case MM_HIMETRIC:
            unitsPerInch = 2540;
            break;
        case MM_LOENGLISH:
            unitsPerInch = 100;
            break;
        case MM_HIENGLISH:
            unitsPerInch = 1000;
            break;
        case MM_TWIPS:
            unitsPerInch = 1440;
            break;
        case MM_ISOTROPIC:
        case MM_ANISOTROPIC:
            break;
        default:
            return false;
    }
    if (unitsPerInch) {
        // The y axis points up in the metric and English modes.
        s.windowExt = SIZE{unitsPerInch, unitsPerInch};
        s.viewportExt = SIZE{caps_.logPixelsX, -caps_.logPixelsY};
    }
    s.mapMode = mode;
    FixIsotropic();
    StateChanged();
    return true;
}

void DeviceContext::FixIsotropic() {
    DcState& s = s_;
    if (s.mapMode != MM_ISOTROPIC || !s.windowExt.cx || !s.windowExt.cy)
        return;
    const int64_t wx = std::llabs(s.windowExt.cx);
    const int64_t wy = std::llabs(s.windowExt.cy);
    const int64_t vx = std::llabs(s.viewportExt.cx);
    const int64_t vy = std::llabs(s.viewportExt.cy);
    // Keep the smaller scale on both axes so that the window fits the viewport.
    if (vx * wy < vy * wx) {
        const int64_t ny = vx * wy / wx;
        s.viewportExt.cy = static_cast<LONG>(s.viewportExt.cy < 0 ? -ny : ny);
    } else if (vy * wx < vx * wy) {
        const int64_t nx = vy * wx / wy;
        s.viewportExt.cx = static_cast<LONG>(s.viewportExt.cx < 0 ? -nx : nx);
    }
}

}  // namespace kq::gfx
