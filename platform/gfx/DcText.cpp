// Text output and measurement of a device context.
#include <algorithm>
#include <cmath>

#include "platform/base/Utf8.h"
#include "platform/gfx/DeviceContext.h"
#include "platform/gfx/GdiConstants.h"
#include "platform/gfx/PixelColor.h"
#include "platform/gfx/PolygonRaster.h"
#include "platform/gfx/RealizedFont.h"

namespace kq::gfx {

namespace {

// Unit steps of the text frame for the four exact angles: along the baseline and downwards
// (from the ascent towards the descent).
constexpr int kAlong[4][2] = {{1, 0}, {0, -1}, {-1, 0}, {0, 1}};
constexpr int kDown[4][2] = {{0, 1}, {1, 0}, {0, -1}, {-1, 0}};

void BlendPixel(uint32_t& d, uint8_t cov, uint32_t color, bool mono) {
    if (cov == 0)
        return;
    if (mono) {
        if (cov >= 128)
            d = color;
        return;
    }
    d = cov == 255 ? color : MixPixels(d, color, cov + (cov >> 7));
}

// Blends a coverage bitmap whose top-left pixel is at (x, y).
void BlendCoverage(const RasterTarget& t, int64_t x, int64_t y, int w, int h, const uint8_t* cov,
                   uint32_t color) {
    const bool mono = t.surface->IsMonochrome();
    const auto& bands = t.clip->Bands();
    if (bands.size() == 1 && bands[0].spans.size() == 2) {
        // One clip rectangle (an off-screen picture's): cut the glyph's box once.
        const Region::Band& b = bands[0];
        const int64_t left = std::max<int64_t>(x, b.spans[0]);
        const int64_t right = std::min<int64_t>(x + w, b.spans[1]);
        const int64_t top = std::max<int64_t>(y, b.top);
        const int64_t bottom = std::min<int64_t>(y + h, b.bottom);
        for (int64_t yy = top; yy < bottom; ++yy) {
            const uint8_t* row = cov + static_cast<size_t>(yy - y) * w;
            uint32_t* d = t.surface->Row(static_cast<int>(yy));
            for (int64_t xx = left; xx < right; ++xx)
                BlendPixel(d[xx], row[xx - x], color, mono);
        }
        return;
    }
    for (int j = 0; j < h; ++j) {
        const uint8_t* row = cov + static_cast<size_t>(j) * w;
        ForEachClippedSpan(*t.clip, y + j, x, x + w, [&](int yy, int a, int b) {
            uint32_t* d = t.surface->Row(yy);
            for (int xx = a; xx < b; ++xx)
                BlendPixel(d[xx], row[xx - x], color, mono);
        });
    }
}

// The glyph turned by quadrant q (counter-clockwise on the screen), as a bitmap and the offset
// of its top-left pixel from the pen position.
struct Turned {
    int64_t ox, oy;
    int w, h;
    std::vector<uint8_t> cov;
};

Turned Turn(const RealizedFont::Glyph& g, int q) {
    Turned t;
    const int64_t ox = g.left;
    const int64_t oy = -g.top;
    if (q == 0) {
        t = Turned{ox, oy, g.width, g.height, g.coverage};
        return t;
    }
    const bool swap = q == 1 || q == 3;
    t.w = swap ? g.height : g.width;
    t.h = swap ? g.width : g.height;
    t.cov.assign(g.coverage.size(), 0);
    // Upright pixel (i, j) at offset (ox + i, oy + j) goes to (oy + j, -(ox + i) - 1) for a
    // quarter turn, and on by the same rule.
    switch (q) {
        case 1:
            t.ox = oy;
            t.oy = -(ox + g.width);
            break;
        case 2:
            t.ox = -(ox + g.width);
            t.oy = -(oy + g.height);
            break;
        default:
            t.ox = -(oy + g.height);
            t.oy = ox;
            break;
    }
    for (int j = 0; j < g.height; ++j) {
        for (int i = 0; i < g.width; ++i) {
            const uint8_t v = g.coverage[static_cast<size_t>(j) * g.width + i];
            int64_t px, py;  // absolute offset of the turned pixel
            switch (q) {
                case 1:
                    px = oy + j;
                    py = -(ox + i) - 1;
                    break;
                case 2:
                    px = -(ox + i) - 1;
                    py = -(oy + j) - 1;
                    break;
                default:
                    px = -(oy + j) - 1;
                    py = ox + i;
                    break;
            }
            t.cov[static_cast<size_t>((py - t.oy) * t.w + (px - t.ox))] = v;
        }
    }
    return t;
}

}  // namespace

std::shared_ptr<RealizedFont> DeviceContext::Font() {
    if (font_)
        return font_;
    LOGFONT lf = s_.font ? s_.font->logFont : LOGFONT{};
    if (lf.lfHeight != 0) {
        const int64_t h = std::max<int64_t>(1, HeightToDevice(lf.lfHeight));
        lf.lfHeight = static_cast<LONG>(lf.lfHeight < 0 ? -std::min<int64_t>(h, 32767)
                                                        : std::min<int64_t>(h, 32767));
    }
    if (lf.lfWidth != 0)
        lf.lfWidth = static_cast<LONG>(std::clamp<int64_t>(WidthToDevice(lf.lfWidth), 1, 32767));
    font_ = RealizedFont::Get(lf);
    return font_;
}

SIZE DeviceContext::TextExtent(std::string_view text) {
    auto font = Font();
    int64_t w = 0;
    const int64_t extra = WidthToDevice(s_.textCharExtra);
    for (const CodePoint& cp : DecodeUtf8(text))
        w += font->Advance(cp.value) + extra;
    return SIZE{static_cast<LONG>(WidthToLogical(w)),
                static_cast<LONG>(HeightToLogical(font->Metrics().tmHeight))};
}

bool DeviceContext::GetTextMetrics(TEXTMETRIC* tm) {
    if (!tm)
        return false;
    auto font = Font();
    *tm = font->Metrics();
    auto h = [&](LONG v) { return static_cast<LONG>(HeightToLogical(v)); };
    auto w = [&](LONG v) { return static_cast<LONG>(WidthToLogical(v)); };
    tm->tmHeight = h(tm->tmHeight);
    tm->tmAscent = h(tm->tmAscent);
    tm->tmDescent = h(tm->tmDescent);
    tm->tmInternalLeading = h(tm->tmInternalLeading);
    tm->tmExternalLeading = h(tm->tmExternalLeading);
    tm->tmAveCharWidth = w(tm->tmAveCharWidth);
    tm->tmMaxCharWidth = w(tm->tmMaxCharWidth);
    return true;
}

bool DeviceContext::ExtTextOut(int x, int y, UINT options, const RECT* rc, std::string_view text,
                               const INT* dx) {
    auto font = Font();
    const TEXTMETRIC& tm = font->Metrics();
    const std::vector<CodePoint> cps = DecodeUtf8(text);
    std::vector<int64_t> adv(cps.size());
    int64_t total = 0;
    const int64_t extra = WidthToDevice(s_.textCharExtra);
    for (size_t i = 0; i < cps.size(); ++i) {
        if (dx) {
            // One width per byte, as the byte-string form of ExtTextOut takes them.
            int64_t sum = 0;
            for (int k = 0; k < cps[i].length; ++k)
                sum += dx[cps[i].offset + k];
            adv[i] = WidthToDevice(sum);
        } else {
            adv[i] = font->Advance(cps[i].value) + extra;
        }
        total += adv[i];
    }
    const bool updateCp = (s_.textAlign & TA_UPDATECP) != 0;
    if (updateCp) {
        x = s_.curPos.x;
        y = s_.curPos.y;
    }
    const Point64 p = ToSurface(x, y);
    const int q = font->Quadrant();
    const double angle = font->Angle();
    const double alongX = q >= 0 ? kAlong[q][0] : std::cos(angle);
    const double alongY = q >= 0 ? kAlong[q][1] : -std::sin(angle);
    const double downX = q >= 0 ? kDown[q][0] : std::sin(angle);
    const double downY = q >= 0 ? kDown[q][1] : std::cos(angle);
    int64_t hShift = 0;
    switch (s_.textAlign & TA_CENTER) {
        case TA_RIGHT:
            hShift = -total;
            break;
        case TA_CENTER:
            hShift = -total / 2;
            break;
        default:
            break;
    }
    int64_t vShift = 0;  // from the reference point down to the baseline
    switch (s_.textAlign & TA_BASELINE) {
        case TA_BASELINE:
            break;
        case TA_BOTTOM:
            vShift = -tm.tmDescent;
            break;
        default:
            vShift = tm.tmAscent;
            break;
    }
    // Baseline start in surface coordinates.
    auto at = [&](double along, double down, double& ox, double& oy) {
        ox = static_cast<double>(p.x) + alongX * along + downX * down;
        oy = static_cast<double>(p.y) + alongY * along + downY * down;
    };
    auto atExact = [&](int64_t along, int64_t down) {
        return Point64{p.x + kAlong[q][0] * along + kDown[q][0] * down,
                       p.y + kAlong[q][1] * along + kDown[q][1] * down};
    };

    RasterTarget target;
    if (!BeginOutput(target))
        return true;
    struct End {
        DeviceContext* dc;
        ~End() { dc->EndOutput(); }
    } end{this};
    Region clipped;
    if (rc && (options & ETO_CLIPPED)) {
        const Point64 a = ToSurface(rc->left, rc->top);
        const Point64 b = ToSurface(rc->right, rc->bottom);
        clipped = Region::Combine(*target.clip,
                                  Region::FromRect(std::min(a.x, b.x), std::min(a.y, b.y),
                                                   std::max(a.x, b.x), std::max(a.y, b.y)),
                                  Region::Op::And);
    }
    if (rc && (options & ETO_OPAQUE)) {
        const Point64 a = ToSurface(rc->left, rc->top);
        const Point64 b = ToSurface(rc->right, rc->bottom);
        FillRectClipped(target, std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x),
                        std::max(a.y, b.y), Paint::Solid(DevicePixel(s_.bkColor)));
    }
    RasterTarget textTarget = target;
    if (rc && (options & ETO_CLIPPED))
        textTarget.clip = &clipped;
    const uint32_t ink = DevicePixel(s_.textColor);

    // The text's cell (advance by ascent + descent), in the background colour when opaque.
    auto fillBand = [&](int64_t from, int64_t to, int64_t top, int64_t bottom, uint32_t color) {
        if (from >= to || top >= bottom)
            return;
        if (q >= 0) {
            const Point64 a = atExact(from, top);
            const Point64 b = atExact(to, bottom);
            FillRectClipped(textTarget, std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x),
                            std::max(a.y, b.y), Paint::Solid(color));
            return;
        }
        Contour c;
        for (auto [al, dn] :
             {std::pair<int64_t, int64_t>{from, top}, {to, top}, {to, bottom}, {from, bottom}}) {
            double ox, oy;
            at(static_cast<double>(al), static_cast<double>(dn), ox, oy);
            c.push_back(FixedPoint{std::llround(ox * 256), std::llround(oy * 256)});
        }
        FillPolygons(textTarget, {c}, 256, true, Paint::Solid(color));
    };
    if (s_.bkMode == OPAQUE && !cps.empty())
        fillBand(hShift, hShift + total, vShift - tm.tmAscent, vShift + tm.tmDescent,
                 DevicePixel(s_.bkColor));

    int64_t pen = hShift;
    for (size_t i = 0; i < cps.size(); ++i) {
        const RealizedFont::Glyph& g = font->GlyphFor(cps[i].value);
        if (!g.coverage.empty()) {
            if (q >= 0) {
                const Point64 o = atExact(pen, vShift);
                if (q == 0) {
                    BlendCoverage(textTarget, o.x + g.left, o.y - g.top, g.width, g.height,
                                  g.coverage.data(), ink);
                } else {
                    const Turned t = Turn(g, q);
                    BlendCoverage(textTarget, o.x + t.ox, o.y + t.oy, t.w, t.h, t.cov.data(), ink);
                }
            } else {
                double ox, oy;
                at(static_cast<double>(pen), static_cast<double>(vShift), ox, oy);
                BlendCoverage(textTarget, std::llround(ox) + g.left, std::llround(oy) - g.top,
                              g.width, g.height, g.coverage.data(), ink);
            }
        }
        pen += adv[i];
    }
    if (tm.tmUnderlined)
        fillBand(hShift, hShift + total, vShift + font->underlineOffset,
                 vShift + font->underlineOffset + font->underlineThickness, ink);
    if (tm.tmStruckOut)
        fillBand(hShift, hShift + total, vShift + font->strikeoutOffset,
                 vShift + font->strikeoutOffset + font->strikeoutThickness, ink);

    if (updateCp) {
        int64_t move = total;
        if ((s_.textAlign & TA_CENTER) == TA_CENTER)
            move = 0;
        else if ((s_.textAlign & TA_CENTER) == TA_RIGHT)
            move = -total;
        double ox, oy;
        at(static_cast<double>(move), 0, ox, oy);
        s_.curPos = ToLogical(std::llround(ox) - origin_.x, std::llround(oy) - origin_.y);
    }
    return true;
}

}  // namespace kq::gfx
