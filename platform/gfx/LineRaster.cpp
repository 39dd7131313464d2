#include "platform/gfx/LineRaster.h"

#include <algorithm>
#include <cstdlib>

#include "platform/gfx/Rop.h"

namespace kq::gfx {

namespace {

using i128 = __int128;

// Beyond this, end points are first cut down to a box around the surface so that every later
// product fits in 64 bits.
constexpr int64_t kFar = int64_t{1} << 40;
constexpr int64_t kBox = int64_t{1} << 33;

int64_t FloorDiv(i128 a, i128 b) {
    i128 q = a / b;
    if ((a % b != 0) && ((a < 0) != (b < 0)))
        --q;
    return static_cast<int64_t>(q);
}

int64_t CeilDiv(i128 a, i128 b) {
    return -FloorDiv(-a, b);
}

// Cuts the segment to the box |x|, |y| <= kBox (Liang-Barsky), keeping the end points' order.
bool CutToBox(int64_t& x0, int64_t& y0, int64_t& x1, int64_t& y1) {
    long double t0 = 0;
    long double t1 = 1;
    const long double dx = static_cast<long double>(x1) - x0;
    const long double dy = static_cast<long double>(y1) - y0;
    auto clip = [&](long double p, long double q) {
        if (p == 0)
            return q >= 0;
        const long double r = q / p;
        if (p < 0) {
            if (r > t1)
                return false;
            t0 = std::max(t0, r);
        } else {
            if (r < t0)
                return false;
            t1 = std::min(t1, r);
        }
        return true;
    };
    if (!clip(-dx, x0 + static_cast<long double>(kBox)) ||
        !clip(dx, static_cast<long double>(kBox) - x0) ||
        !clip(-dy, y0 + static_cast<long double>(kBox)) ||
        !clip(dy, static_cast<long double>(kBox) - y0))
        return false;
    const long double ax = x0 + t0 * dx;
    const long double ay = y0 + t0 * dy;
    const long double bx = x0 + t1 * dx;
    const long double by = y0 + t1 * dy;
    x0 = static_cast<int64_t>(ax < 0 ? ax - 0.5L : ax + 0.5L);
    y0 = static_cast<int64_t>(ay < 0 ? ay - 0.5L : ay + 0.5L);
    x1 = static_cast<int64_t>(bx < 0 ? bx - 0.5L : bx + 0.5L);
    y1 = static_cast<int64_t>(by < 0 ? by - 0.5L : by + 0.5L);
    return true;
}

}  // namespace

std::vector<uint8_t> CosmeticStylePattern(int penStyle) {
    auto runs = [](std::initializer_list<int> lengths) {
        std::vector<uint8_t> bits;
        uint8_t on = 1;
        for (int len : lengths) {
            bits.insert(bits.end(), static_cast<size_t>(len), on);
            on ^= 1;
        }
        return bits;
    };
    switch (penStyle & 0x0F) {
        case 1:  // PS_DASH
            return runs({18, 6});
        case 2:  // PS_DOT
            return runs({3, 3});
        case 3:  // PS_DASHDOT
            return runs({9, 6, 3, 6});
        case 4:  // PS_DASHDOTDOT
            return runs({9, 3, 3, 3, 3, 3});
        case 8:  // PS_ALTERNATE
            return runs({1, 1});
        default:
            return {};
    }
}

CosmeticLine::CosmeticLine(const RasterTarget& target, const Paint& pen, const LineStyle* style)
    : target_(target), pen_(pen), style_(style && !style->pattern.empty() ? style : nullptr) {
    solidCopy_ = !style_ && pen_.rop2 == 13 && !pen_.none;
}

void CosmeticLine::Plot(uint32_t* p, int64_t t) {
    if (style_) {
        const size_t n = style_->pattern.size();
        int64_t pos = (stylePos + t) % static_cast<int64_t>(n);
        if (pos < 0)
            pos += static_cast<int64_t>(n);
        if (!style_->pattern[static_cast<size_t>(pos)]) {
            if (style_->paintGaps)
                *p = Rop2(pen_.rop2, style_->gapColor, *p) & 0xFFFFFFu;
            return;
        }
    }
    *p = Rop2(pen_.rop2, pen_.color, *p) & 0xFFFFFFu;
}

void CosmeticLine::Draw(int64_t x0, int64_t y0, int64_t x1, int64_t y1) {
    const int64_t length = std::max(std::llabs(x1 - x0), std::llabs(y1 - y0));
    if (length == 0)
        return;
    if (!pen_.none) {
        int64_t cx0 = x0, cy0 = y0, cx1 = x1, cy1 = y1;
        bool visible = true;
        if (std::llabs(x0) > kFar || std::llabs(y0) > kFar || std::llabs(x1) > kFar ||
            std::llabs(y1) > kFar)
            visible = CutToBox(cx0, cy0, cx1, cy1);
        if (visible) {
            // The style phase follows the original segment, also where its start was cut.
            const int64_t saved = stylePos;
            const int64_t skipped = std::max(std::llabs(cx0 - x0), std::llabs(cy0 - y0));
            stylePos += skipped;
            const int64_t minY = std::min(cy0, cy1);
            const int64_t maxY = std::max(cy0, cy1);
            const int64_t minX = std::min(cx0, cx1);
            const int64_t maxX = std::max(cx0, cx1);
            for (const Region::Band& band : target_.clip->Bands()) {
                if (band.bottom <= minY)
                    continue;
                if (band.top > maxY)
                    break;
                for (size_t i = 0; i < band.spans.size(); i += 2) {
                    if (band.spans[i] > maxX || band.spans[i + 1] <= minX)
                        continue;
                    DrawClipped(cx0, cy0, cx1, cy1,
                                RECT{band.spans[i], band.top, band.spans[i + 1], band.bottom});
                }
            }
            stylePos = saved;
        }
    }
    stylePos += length;
}

// Pixel t (0 <= t < L) of a line with major length L and minor length m lies at major offset t
// and minor offset floor((2 t m + L) / 2L), the nearest grid line.
void CosmeticLine::DrawClipped(int64_t x0, int64_t y0, int64_t x1, int64_t y1, const RECT& clip) {
    const int64_t dx = x1 - x0;
    const int64_t dy = y1 - y0;
    const bool xMajor = std::llabs(dx) >= std::llabs(dy);
    const int64_t L = xMajor ? std::llabs(dx) : std::llabs(dy);
    const int64_t m = xMajor ? std::llabs(dy) : std::llabs(dx);
    const int sMaj = (xMajor ? dx : dy) < 0 ? -1 : 1;
    const int sMin = (xMajor ? dy : dx) < 0 ? -1 : 1;
    const int64_t u0 = xMajor ? x0 : y0;
    const int64_t v0 = xMajor ? y0 : x0;
    const int64_t uLo = xMajor ? clip.left : clip.top;
    const int64_t uHi = xMajor ? clip.right : clip.bottom;
    const int64_t vLo = xMajor ? clip.top : clip.left;
    const int64_t vHi = xMajor ? clip.bottom : clip.right;

    // Range of t from the major axis.
    int64_t ta, tb;
    if (sMaj > 0) {
        ta = uLo - u0;
        tb = uHi - 1 - u0;
    } else {
        ta = u0 - (uHi - 1);
        tb = u0 - uLo;
    }
    ta = std::max<int64_t>(ta, 0);
    tb = std::min<int64_t>(tb, L - 1);
    if (ta > tb)
        return;
    // Range of the minor offset magnitude that stays inside.
    int64_t kLo, kHi;
    if (sMin > 0) {
        kLo = vLo - v0;
        kHi = vHi - 1 - v0;
    } else {
        kLo = v0 - (vHi - 1);
        kHi = v0 - vLo;
    }
    if (m == 0) {
        if (0 < kLo || 0 > kHi)
            return;
    } else {
        if (kLo > 0)
            ta = std::max(ta, CeilDiv(i128(2) * L * kLo - L, i128(2) * m));
        if (kHi < 0)
            return;
        tb = std::min(tb, CeilDiv(i128(2) * L * kHi + L, i128(2) * m) - 1);
    }
    if (ta > tb)
        return;

    // Bresenham state at t = ta.
    const i128 num = i128(2) * ta * m + L;
    int64_t mag = static_cast<int64_t>(num / (2 * i128(L)));
    int64_t err = static_cast<int64_t>(num % (2 * i128(L)));
    const int64_t twoL = 2 * L;
    const int64_t twoM = 2 * m;
    const int64_t u = u0 + sMaj * ta;
    const int64_t v = v0 + sMin * mag;
    const int px = static_cast<int>(xMajor ? u : v);
    const int py = static_cast<int>(xMajor ? v : u);
    Surface& s = *target_.surface;
    const ptrdiff_t stride = s.StrideBytes() / 4;
    uint32_t* p = s.Row(py) + px;
    const ptrdiff_t majStep = xMajor ? sMaj : sMaj * stride;
    const ptrdiff_t minStep = xMajor ? sMin * stride : sMin;
    int64_t count = tb - ta + 1;
    // Visits the pixels along the line, handing each to `put`.
    const auto walk = [&](auto put) {
        for (; count > 0; --count) {
            put(p);
            p += majStep;
            err += twoM;
            if (err >= twoL) {
                err -= twoL;
                p += minStep;
            }
        }
    };
    if (solidCopy_) {
        const uint32_t c = pen_.color;
        if (m == 0) {
            for (; count > 0; --count, p += majStep)
                *p = c;
            return;
        }
        walk([c](uint32_t* at) { *at = c; });
        return;
    }
    if (pen_.rop2 == 13) {
        // A dashed copy (grid lines): the place in the pattern steps along with the pixel.
        const std::vector<uint8_t>& pattern = style_->pattern;
        const auto n = static_cast<int64_t>(pattern.size());
        int64_t pos = (stylePos + ta) % n;
        if (pos < 0)
            pos += n;
        const uint32_t dash = pen_.color & 0xFFFFFFu;
        const uint32_t gap = style_->gapColor & 0xFFFFFFu;
        const bool paintGaps = style_->paintGaps;
        walk([&](uint32_t* at) {
            if (pattern[static_cast<size_t>(pos)])
                *at = dash;
            else if (paintGaps)
                *at = gap;
            if (++pos == n)
                pos = 0;
        });
        return;
    }
    int64_t t = ta;
    walk([&](uint32_t* at) { Plot(at, t++); });
}

}  // namespace kq::gfx
