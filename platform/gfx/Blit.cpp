#include "platform/gfx/Blit.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

#include "platform/gfx/PixelColor.h"
#include "platform/gfx/Rop.h"

namespace kq::gfx {

namespace {

// Source index of destination offset i for a nearest-pixel stretch of n onto m pixels.
int64_t NearestIndex(int64_t i, int64_t srcLen, int64_t dstLen) {
    return static_cast<int64_t>((static_cast<__int128>(2 * i + 1) * srcLen) / (2 * dstLen));
}

// For area averaging: the source pixels that destination pixel i covers, with weights that sum
// to 65536. A pixel that covers more than kMaxStretchTaps source pixels along the axis reads
// that many, evenly spread and weighted alike.
struct Tap {
    int64_t index;
    uint32_t weight;
};
std::vector<std::vector<Tap>> AreaTaps(int64_t first, int64_t count, int64_t srcLen,
                                       int64_t dstLen) {
    std::vector<std::vector<Tap>> taps(static_cast<size_t>(count));
    for (int64_t k = 0; k < count; ++k) {
        const int64_t i = first + k;
        // Source interval [i * srcLen / dstLen, (i + 1) * srcLen / dstLen) in units of 1/dstLen.
        const int64_t a = i * srcLen;
        const int64_t b = (i + 1) * srcLen;
        std::vector<Tap>& t = taps[static_cast<size_t>(k)];
        uint32_t total = 0;
        if ((b + dstLen - 1) / dstLen - a / dstLen > kMaxStretchTaps) {
            for (int64_t n = 0; n < kMaxStretchTaps; ++n) {
                const int64_t at = a + (2 * n + 1) * (b - a) / (2 * kMaxStretchTaps);
                t.push_back(Tap{at / dstLen, static_cast<uint32_t>(65536 / kMaxStretchTaps)});
            }
            continue;
        }
        for (int64_t s = a / dstLen; s * dstLen < b; ++s) {
            const int64_t lo = std::max(a, s * dstLen);
            const int64_t hi = std::min(b, (s + 1) * dstLen);
            if (hi <= lo)
                continue;
            const uint32_t w = static_cast<uint32_t>((hi - lo) * 65536 / (b - a));
            t.push_back(Tap{s, w});
            total += w;
        }
        if (!t.empty())
            t.back().weight += 65536 - total;
    }
    return taps;
}

uint32_t Convert(const BlitSpec& blit, uint32_t v) {
    switch (blit.convert) {
        case BlitSpec::Convert::MonoToColor:
            return (v & 0xFFFFFF) ? blit.monoWhite : blit.monoBlack;
        case BlitSpec::Convert::ColorToMono:
            return (v & 0xFFFFFF) == blit.sourceBk ? kWhitePixel : kBlackPixel;
        case BlitSpec::Convert::None:
            break;
    }
    return v;
}

// Fills pat[0..n) with the brush values of row y starting at column x.
void PatternRow(const Paint& paint, int y, int x, int n, uint32_t* pat) {
    if (!paint.tiled) {
        std::fill_n(pat, n, paint.color);
        return;
    }
    auto mod = [](int64_t v, int m) {
        const int r = static_cast<int>(v % m);
        return r < 0 ? r + m : r;
    };
    const int ty = mod(static_cast<int64_t>(y) - paint.originY, paint.tileHeight);
    const uint32_t* row = paint.tile.data() + static_cast<size_t>(ty) * paint.tileWidth;
    int tx = mod(static_cast<int64_t>(x) - paint.originX, paint.tileWidth);
    for (int i = 0; i < n; ++i) {
        pat[i] = row[tx];
        if (++tx == paint.tileWidth)
            tx = 0;
    }
}

}  // namespace

void Blit(const RasterTarget& target, const BlitSpec& in) {
    if (in.dw <= 0 || in.dh <= 0)
        return;
    BlitSpec blit = in;
    const uint8_t rop = blit.rop;
    const bool useSrc = Rop3UsesSource(rop) && blit.src;
    const bool usePat = Rop3UsesPattern(rop) && blit.pattern && !blit.pattern->none;
    if (Rop3UsesPattern(rop) && (!blit.pattern || blit.pattern->none) && rop == 0xF0)
        return;
    // A source that overlaps the destination is read from a snapshot.
    std::unique_ptr<Surface> snapshot;
    if (useSrc && blit.src == target.surface) {
        const int64_t x0 = std::max<int64_t>(blit.sx, 0);
        const int64_t y0 = std::max<int64_t>(blit.sy, 0);
        const int64_t x1 = std::min<int64_t>(blit.sx + blit.sw, blit.src->Width());
        const int64_t y1 = std::min<int64_t>(blit.sy + blit.sh, blit.src->Height());
        if (x1 <= x0 || y1 <= y0)
            return;
        snapshot = std::make_unique<Surface>(static_cast<int>(x1 - x0), static_cast<int>(y1 - y0));
        for (int64_t y = y0; y < y1; ++y)
            std::memcpy(snapshot->Row(static_cast<int>(y - y0)),
                        blit.src->Row(static_cast<int>(y)) + x0, static_cast<size_t>(x1 - x0) * 4);
        blit.src = snapshot.get();
        blit.sx -= x0;
        blit.sy -= y0;
    }
    const bool stretch =
        useSrc && (blit.sw != blit.dw || blit.sh != blit.dh || blit.mirrorX || blit.mirrorY);
    const bool halftone = stretch && blit.stretchMode == 4 && !blit.destMono;
    const bool andScans =
        stretch && blit.stretchMode == 1 && (blit.sw > blit.dw || blit.sh > blit.dh);
    const bool orScans =
        stretch && blit.stretchMode == 2 && (blit.sw > blit.dw || blit.sh > blit.dh);
    const Rop3RowFn fn = Rop3Row(rop);
    const bool fastCopy =
        useSrc && !stretch && rop == 0xCC && blit.convert == BlitSpec::Convert::None;

    const RECT bounds = target.clip->Bounds();
    const int64_t rowFrom = std::max<int64_t>(blit.dy, bounds.top);
    const int64_t rowTo = std::min<int64_t>(blit.dy + blit.dh, bounds.bottom);
    const int64_t colFrom = std::max<int64_t>(blit.dx, bounds.left);
    const int64_t colTo = std::min<int64_t>(blit.dx + blit.dw, bounds.right);
    if (rowFrom >= rowTo || colFrom >= colTo)
        return;

    std::vector<std::vector<Tap>> xTaps, yTaps;
    if (halftone || andScans || orScans) {
        xTaps = AreaTaps(colFrom - blit.dx, colTo - colFrom, blit.sw, blit.dw);
        yTaps = AreaTaps(rowFrom - blit.dy, rowTo - rowFrom, blit.sh, blit.dh);
    }
    std::vector<uint32_t> srcBuf, patBuf;
    std::vector<uint8_t> valid;
    const Surface* src = blit.src;
    auto srcInside = [&](int64_t x, int64_t y) {
        return x >= 0 && y >= 0 && x < src->Width() && y < src->Height();
    };
    auto mapX = [&](int64_t i) {  // destination offset -> source x
        int64_t s = stretch ? NearestIndex(i, blit.sw, blit.dw) : i;
        if (blit.mirrorX)
            s = blit.sw - 1 - s;
        return blit.sx + s;
    };
    auto mapY = [&](int64_t i) {
        int64_t s = stretch ? NearestIndex(i, blit.sh, blit.dh) : i;
        if (blit.mirrorY)
            s = blit.sh - 1 - s;
        return blit.sy + s;
    };

    for (int64_t y = rowFrom; y < rowTo; ++y) {
        const Region::Band* band = target.clip->BandAt(static_cast<int>(y));
        if (!band)
            continue;
        const int64_t iy = y - blit.dy;
        const int64_t sy = useSrc ? mapY(iy) : 0;
        for (size_t si = 0; si < band->spans.size(); si += 2) {
            int64_t x0 = std::max<int64_t>(band->spans[si], colFrom);
            int64_t x1 = std::min<int64_t>(band->spans[si + 1], colTo);
            if (x0 >= x1)
                continue;
            if (useSrc && !stretch) {
                // Limit to the source surface.
                if (sy < 0 || sy >= src->Height())
                    continue;
                x0 = std::max<int64_t>(x0, blit.dx - blit.sx);
                x1 = std::min<int64_t>(x1, blit.dx - blit.sx + src->Width());
                if (x0 >= x1)
                    continue;
            }
            const int n = static_cast<int>(x1 - x0);
            uint32_t* dst = target.surface->Row(static_cast<int>(y)) + x0;
            if (fastCopy) {
                std::memmove(dst, src->Row(static_cast<int>(sy)) + (x0 - blit.dx + blit.sx),
                             static_cast<size_t>(n) * 4);
                continue;
            }
            // Runs of destination pixels whose source lies inside the source surface.
            srcBuf.resize(static_cast<size_t>(n));
            valid.clear();
            if (useSrc) {
                valid.assign(static_cast<size_t>(n), 1);
                if (!stretch) {
                    const uint32_t* s = src->Row(static_cast<int>(sy)) + (x0 - blit.dx + blit.sx);
                    for (int i = 0; i < n; ++i)
                        srcBuf[static_cast<size_t>(i)] = Convert(blit, s[i]);
                } else if (halftone || andScans || orScans) {
                    const auto& ty = yTaps[static_cast<size_t>(y - rowFrom)];
                    for (int i = 0; i < n; ++i) {
                        const auto& tx = xTaps[static_cast<size_t>(x0 + i - colFrom)];
                        uint64_t r = 0, g = 0, b = 0;
                        uint32_t acc = andScans ? 0xFFFFFFu : 0;
                        bool any = false;
                        for (const Tap& a : ty) {
                            int64_t yy = blit.mirrorY ? blit.sh - 1 - a.index : a.index;
                            yy += blit.sy;
                            for (const Tap& c : tx) {
                                int64_t xx = blit.mirrorX ? blit.sw - 1 - c.index : c.index;
                                xx += blit.sx;
                                if (!srcInside(xx, yy))
                                    continue;
                                any = true;
                                const uint32_t v = Convert(
                                    blit, src->Pixel(static_cast<int>(xx), static_cast<int>(yy)));
                                if (andScans) {
                                    acc &= v;
                                } else if (orScans) {
                                    acc |= v;
                                } else {
                                    const uint64_t w = static_cast<uint64_t>(a.weight) * c.weight;
                                    r += ((v >> 16) & 0xFF) * w;
                                    g += ((v >> 8) & 0xFF) * w;
                                    b += (v & 0xFF) * w;
                                }
                            }
                        }
                        if (!any) {
                            valid[static_cast<size_t>(i)] = 0;
                            continue;
                        }
                        if (andScans || orScans) {
                            srcBuf[static_cast<size_t>(i)] = acc & 0xFFFFFF;
                        } else {
                            const uint64_t half = uint64_t{1} << 31;
                            srcBuf[static_cast<size_t>(i)] =
                                static_cast<uint32_t>(((r + half) >> 32) << 16 |
                                                      ((g + half) >> 32) << 8 | ((b + half) >> 32));
                        }
                    }
                } else {
                    if (sy < 0 || sy >= src->Height())
                        continue;
                    const uint32_t* srow = src->Row(static_cast<int>(sy));
                    for (int i = 0; i < n; ++i) {
                        const int64_t sx = mapX(x0 + i - blit.dx);
                        if (sx < 0 || sx >= src->Width()) {
                            valid[static_cast<size_t>(i)] = 0;
                            continue;
                        }
                        srcBuf[static_cast<size_t>(i)] = Convert(blit, srow[sx]);
                    }
                }
            }
            if (usePat) {
                patBuf.resize(static_cast<size_t>(n));
                PatternRow(*blit.pattern, static_cast<int>(y), static_cast<int>(x0), n,
                           patBuf.data());
            }
            const uint32_t* sp = useSrc ? srcBuf.data() : nullptr;
            const uint32_t* pp = usePat ? patBuf.data() : nullptr;
            if (valid.empty() ||
                std::all_of(valid.begin(), valid.end(), [](uint8_t v) { return v; })) {
                fn(dst, sp, pp, n);
            } else {
                for (int i = 0; i < n;) {
                    if (!valid[static_cast<size_t>(i)]) {
                        ++i;
                        continue;
                    }
                    int j = i;
                    while (j < n && valid[static_cast<size_t>(j)])
                        ++j;
                    fn(dst + i, sp ? sp + i : nullptr, pp ? pp + i : nullptr, j - i);
                    i = j;
                }
            }
            if (blit.destMono)
                for (int i = 0; i < n; ++i)
                    dst[i] = MonoPixel(dst[i]);
        }
    }
}

void AlphaBlit(const RasterTarget& target, const AlphaSpec& blit) {
    if (blit.dw <= 0 || blit.dh <= 0 || blit.sw <= 0 || blit.sh <= 0 || !blit.src)
        return;
    const RECT bounds = target.clip->Bounds();
    const int64_t rowFrom = std::max<int64_t>(blit.dy, bounds.top);
    const int64_t rowTo = std::min<int64_t>(blit.dy + blit.dh, bounds.bottom);
    const uint32_t ca = blit.constantAlpha;
    for (int64_t y = rowFrom; y < rowTo; ++y) {
        const int64_t sy = blit.sy + NearestIndex(y - blit.dy, blit.sh, blit.dh);
        if (sy < 0 || sy >= blit.src->Height())
            continue;
        const uint32_t* srow = blit.src->Row(static_cast<int>(sy));
        ForEachClippedSpan(*target.clip, y, blit.dx, blit.dx + blit.dw, [&](int yy, int a, int b) {
            uint32_t* drow = target.surface->Row(yy);
            for (int x = a; x < b; ++x) {
                const int64_t sx = blit.sx + NearestIndex(x - blit.dx, blit.sw, blit.dw);
                if (sx < 0 || sx >= blit.src->Width())
                    continue;
                const uint32_t s = srow[sx];
                uint32_t sr = (s >> 16) & 0xFF, sg = (s >> 8) & 0xFF, sb = s & 0xFF;
                uint32_t sa = blit.perPixelAlpha ? (s >> 24) : 255;
                // Scale the (premultiplied) source by the constant alpha.
                sr = (sr * ca + 127) / 255;
                sg = (sg * ca + 127) / 255;
                sb = (sb * ca + 127) / 255;
                sa = (sa * ca + 127) / 255;
                const uint32_t d = drow[x];
                const uint32_t inv = 255 - sa;
                const uint32_t r =
                    std::min<uint32_t>(255, sr + (((d >> 16) & 0xFF) * inv + 127) / 255);
                const uint32_t g =
                    std::min<uint32_t>(255, sg + (((d >> 8) & 0xFF) * inv + 127) / 255);
                const uint32_t bl = std::min<uint32_t>(255, sb + ((d & 0xFF) * inv + 127) / 255);
                drow[x] = (r << 16) | (g << 8) | bl;
            }
        });
    }
}

void KeyedBlit(const RasterTarget& target, int64_t dx, int64_t dy, int64_t dw, int64_t dh,
               const Surface& src, int64_t sx, int64_t sy, int64_t sw, int64_t sh, uint32_t key) {
    if (dw <= 0 || dh <= 0 || sw <= 0 || sh <= 0)
        return;
    const RECT bounds = target.clip->Bounds();
    const int64_t rowFrom = std::max<int64_t>(dy, bounds.top);
    const int64_t rowTo = std::min<int64_t>(dy + dh, bounds.bottom);
    for (int64_t y = rowFrom; y < rowTo; ++y) {
        const int64_t syy = sy + NearestIndex(y - dy, sh, dh);
        if (syy < 0 || syy >= src.Height())
            continue;
        const uint32_t* srow = src.Row(static_cast<int>(syy));
        ForEachClippedSpan(*target.clip, y, dx, dx + dw, [&](int yy, int a, int b) {
            uint32_t* drow = target.surface->Row(yy);
            for (int x = a; x < b; ++x) {
                const int64_t sxx = sx + NearestIndex(x - dx, sw, dw);
                if (sxx < 0 || sxx >= src.Width())
                    continue;
                const uint32_t v = srow[sxx] & 0xFFFFFF;
                if (v != key)
                    drow[x] = target.surface->IsMonochrome() ? MonoPixel(v) : v;
            }
        });
    }
}

}  // namespace kq::gfx
