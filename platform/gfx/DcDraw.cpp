// Lines, shapes, pixels and pattern fills of a device context.
#include <algorithm>
#include <cmath>

#include "platform/gfx/DeviceContext.h"
#include "platform/gfx/GdiConstants.h"
#include "platform/gfx/LineRaster.h"
#include "platform/gfx/PixelColor.h"
#include "platform/gfx/PolygonRaster.h"
#include "platform/gfx/Rop.h"
#include "platform/gfx/StrokePath.h"
#include "platform/gfx/WideLine.h"

namespace kq::gfx {

namespace {

// Ends a drawing operation however the function returns.
class OutputScope {
  public:
    explicit OutputScope(DeviceContext& dc) : dc_(dc) { ok_ = dc.BeginOutput(target_); }
    ~OutputScope() {
        if (ok_)
            dc_.EndOutput();
    }
    bool Ok() const { return ok_; }
    const RasterTarget& Target() const { return target_; }

  private:
    DeviceContext& dc_;
    RasterTarget target_;
    bool ok_ = false;
};

struct DeviceRect {
    int64_t l, t, r, b;
};

Contour ToContour(const std::vector<Point64>& pts) {
    Contour c;
    c.reserve(pts.size());
    for (const Point64& p : pts)
        c.push_back(FixedPoint{p.x, p.y});
    return c;
}

}  // namespace

bool DeviceContext::WidePen(double& width) const {
    if (!s_.pen)
        return false;
    const int style = s_.pen->style;
    if (s_.pen->extended && (style & PS_TYPE_MASK) == PS_COSMETIC)
        return false;
    const int64_t w = WidthToDevice(s_.pen->width);
    if (w <= 1 && !(s_.pen->extended && (style & PS_TYPE_MASK) == PS_GEOMETRIC && w == 1))
        return false;
    width = static_cast<double>(std::max<int64_t>(w, 1));
    return true;
}

void DeviceContext::FillPath(const std::vector<std::vector<Point64>>& polys, bool winding,
                             const Paint& paint) {
    if (paint.none)
        return;
    OutputScope out(*this);
    if (!out.Ok())
        return;
    std::vector<Contour> contours;
    for (const auto& p : polys)
        contours.push_back(ToContour(p));
    FillPolygons(out.Target(), contours, 1, winding, paint);
}

void DeviceContext::StrokePath(const std::vector<Point64>& pts, bool closed) {
    const Paint pen = PenPaint();
    if (pen.none || pts.empty())
        return;
    OutputScope out(*this);
    if (!out.Ok())
        return;
    double width = 1;
    if (WidePen(width)) {
        const int style = s_.pen->style;
        LineCap cap = LineCap::Round;
        LineJoin join = LineJoin::Round;
        if (s_.pen->extended) {
            if ((style & PS_ENDCAP_MASK) == PS_ENDCAP_SQUARE)
                cap = LineCap::Square;
            else if ((style & PS_ENDCAP_MASK) == PS_ENDCAP_FLAT)
                cap = LineCap::Flat;
            if ((style & PS_JOIN_MASK) == PS_JOIN_BEVEL)
                join = LineJoin::Bevel;
            else if ((style & PS_JOIN_MASK) == PS_JOIN_MITER)
                join = LineJoin::Miter;
        }
        if (Rop2Idempotent(pen.rop2) && join == LineJoin::Round) {
            PaintWidePolyline(out.Target(), pts, closed, width, cap, pen);
            return;
        }
        std::vector<Contour> parts;
        StrokePolyline(pts, closed, width, cap, join, 10.0, parts);
        if (Rop2Idempotent(pen.rop2)) {
            std::vector<Contour> one(1);
            for (Contour& c : parts) {
                one[0] = std::move(c);
                FillPolygons(out.Target(), one, kStrokeScale, true, pen);
            }
        } else {
            FillPolygons(out.Target(), parts, kStrokeScale, true, pen);
        }
        return;
    }
    LineStyle style;
    const int lineStyle = s_.pen->style & PS_STYLE_MASK;
    if (lineStyle == PS_USERSTYLE) {
        uint8_t on = 1;
        for (DWORD run : s_.pen->userStyle) {
            style.pattern.insert(style.pattern.end(), std::min<DWORD>(run, 4096), on);
            on ^= 1;
        }
        if (std::find(style.pattern.begin(), style.pattern.end(), 0) == style.pattern.end())
            style.pattern.clear();
    } else {
        style.pattern = CosmeticStylePattern(lineStyle);
    }
    style.paintGaps = s_.bkMode == OPAQUE;
    style.gapColor = DevicePixel(s_.bkColor);
    CosmeticLine line(out.Target(), pen, &style);
    for (size_t i = 0; i + 1 < pts.size(); ++i)
        line.Draw(pts[i].x, pts[i].y, pts[i + 1].x, pts[i + 1].y);
    if (closed && pts.size() > 1)
        line.Draw(pts.back().x, pts.back().y, pts.front().x, pts.front().y);
}

bool DeviceContext::Polyline(const POINT* pts, int count, bool closedFigure) {
    if (!pts || count < 2)
        return false;
    std::vector<Point64> dev;
    dev.reserve(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i)
        dev.push_back(ToSurface(pts[i].x, pts[i].y));
    if (closedFigure) {
        std::vector<std::vector<Point64>> polys{dev};
        FillPath(polys, s_.polyFillMode == WINDING, BrushPaint());
    }
    StrokePath(dev, closedFigure);
    return true;
}

bool DeviceContext::LineTo(int x, int y) {
    const POINT pts[2] = {s_.curPos, POINT{x, y}};
    std::vector<Point64> dev{ToSurface(pts[0].x, pts[0].y), ToSurface(x, y)};
    StrokePath(dev, false);
    s_.curPos = POINT{x, y};
    return true;
}

namespace {

// The box of a shape in surface coordinates, normalised.
DeviceRect Box(const DeviceContext& dc, int l, int t, int r, int b) {
    const Point64 a = dc.ToSurface(l, t);
    const Point64 c = dc.ToSurface(r, b);
    return DeviceRect{std::min(a.x, c.x), std::min(a.y, c.y), std::max(a.x, c.x),
                      std::max(a.y, c.y)};
}

}  // namespace

bool DeviceContext::Rectangle(int l, int t, int r, int b) {
    DeviceRect box = Box(*this, l, t, r, b);
    if (box.r - box.l < 1 || box.b - box.t < 1)
        return true;
    const Paint pen = PenPaint();
    double width = 1;
    const bool wide = !pen.none && WidePen(width);
    if (wide && (s_.pen->style & PS_STYLE_MASK) == PS_INSIDEFRAME) {
        const int64_t w = static_cast<int64_t>(width);
        box = DeviceRect{box.l + w / 2, box.t + w / 2, box.r - (w - 1) / 2, box.b - (w - 1) / 2};
        if (box.r - box.l < 1 || box.b - box.t < 1)
            return true;
    }
    std::vector<Point64> path{
        {box.l, box.t}, {box.r - 1, box.t}, {box.r - 1, box.b - 1}, {box.l, box.b - 1}};
    {
        OutputScope out(*this);
        if (out.Ok()) {
            const Paint brush = BrushPaint();
            if (pen.none || wide)
                FillRectClipped(out.Target(), box.l, box.t, box.r - 1, box.b - 1, brush);
            else
                FillRectClipped(out.Target(), box.l + 1, box.t + 1, box.r - 1, box.b - 1, brush);
        }
    }
    StrokePath(path, true);
    return true;
}

bool DeviceContext::RoundRect(int l, int t, int r, int b, int ew, int eh) {
    const DeviceRect box = Box(*this, l, t, r, b);
    const std::vector<Point64> path =
        RoundRectPath(box.l, box.t, box.r, box.b, WidthToDevice(ew), HeightToDevice(eh));
    FillPath({path}, false, BrushPaint());
    StrokePath(path, true);
    return true;
}

bool DeviceContext::Ellipse(int l, int t, int r, int b) {
    DeviceRect box = Box(*this, l, t, r, b);
    if (box.r - box.l < 1 || box.b - box.t < 1)
        return true;
    double width = 1;
    if (!PenPaint().none && WidePen(width) && (s_.pen->style & PS_STYLE_MASK) == PS_INSIDEFRAME) {
        const int64_t w = static_cast<int64_t>(width);
        box = DeviceRect{box.l + w / 2, box.t + w / 2, box.r - (w - 1) / 2, box.b - (w - 1) / 2};
    }
    const std::vector<Point64> path = EllipsePath(box.l, box.t, box.r, box.b);
    FillPath({path}, false, BrushPaint());
    StrokePath(path, true);
    return true;
}

bool DeviceContext::ArcFamily(ArcKind kind, int l, int t, int r, int b, int xs, int ys, int xe,
                              int ye) {
    const DeviceRect box = Box(*this, l, t, r, b);
    const Point64 s = ToSurface(xs, ys);
    const Point64 e = ToSurface(xe, ye);
    std::vector<Point64> arc =
        ArcPath(box.l, box.t, box.r, box.b, s.x, s.y, e.x, e.y, s_.arcDirection == AD_CLOCKWISE);
    if (arc.empty())
        return false;
    switch (kind) {
        case ArcKind::Arc:
            StrokePath(arc, false);
            break;
        case ArcKind::ArcTo: {
            std::vector<Point64> path{ToSurface(s_.curPos.x, s_.curPos.y)};
            path.insert(path.end(), arc.begin(), arc.end());
            StrokePath(path, false);
            const Point64 end = arc.back();
            s_.curPos = ToLogical(end.x - origin_.x, end.y - origin_.y);
            break;
        }
        case ArcKind::Chord:
            FillPath({arc}, false, BrushPaint());
            StrokePath(arc, true);
            break;
        case ArcKind::Pie: {
            arc.push_back(EllipseCentre(box.l, box.t, box.r, box.b));
            FillPath({arc}, false, BrushPaint());
            StrokePath(arc, true);
            break;
        }
    }
    return true;
}

COLORREF DeviceContext::SetPixel(int x, int y, COLORREF c) {
    OutputScope out(*this);
    if (!out.Ok())
        return CLR_INVALID;
    const Point64 p = ToSurface(x, y);
    if (p.x < -Region::kLimit || p.x >= Region::kLimit || p.y < -Region::kLimit ||
        p.y >= Region::kLimit ||
        !out.Target().clip->Contains(static_cast<int>(p.x), static_cast<int>(p.y)))
        return CLR_INVALID;
    const uint32_t v = DevicePixel(c);
    out.Target().surface->SetPixel(static_cast<int>(p.x), static_cast<int>(p.y), v);
    return ColorRefFromPixel(v);
}

COLORREF DeviceContext::GetPixel(int x, int y) {
    Surface* surface = TargetSurface();
    if (!surface)
        return CLR_INVALID;
    const Point64 p = ToSurface(x, y);
    if (p.x < -Region::kLimit || p.x >= Region::kLimit || p.y < -Region::kLimit ||
        p.y >= Region::kLimit ||
        !EffectiveClip().Contains(static_cast<int>(p.x), static_cast<int>(p.y)))
        return CLR_INVALID;
    if (type_ == Type::Memory && s_.bitmap && s_.bitmap->dibShadow)
        s_.bitmap->SyncFromDib();
    return ColorRefFromPixel(surface->Pixel(static_cast<int>(p.x), static_cast<int>(p.y)));
}

bool DeviceContext::FillRectWith(int64_t left, int64_t top, int64_t right, int64_t bottom,
                                 const BrushObject* brush, DWORD rop) {
    const Point64 a = ToSurface(left, top);
    const Point64 b = ToSurface(right, bottom);
    const int64_t l = std::min(a.x, b.x);
    const int64_t r = std::max(a.x, b.x);
    const int64_t t = std::min(a.y, b.y);
    const int64_t bo = std::max(a.y, b.y);
    OutputScope out(*this);
    if (!out.Ok())
        return true;
    const uint8_t index = Rop3Index(rop);
    Paint paint = BrushPaint(brush);
    if (!Rop3UsesPattern(index)) {
        paint = Paint();
        paint.color = 0;
    }
    if (Rop3UsesPattern(index) && paint.none)
        return true;
    // Pattern-only operations that map onto a binary mix.
    int rop2 = 0;
    switch (index) {
        case 0xF0:
            rop2 = R2_COPYPEN;
            break;
        case 0x5A:
            rop2 = R2_XORPEN;
            break;
        case 0x55:
            rop2 = R2_NOT;
            break;
        case 0x00:
            rop2 = R2_BLACK;
            break;
        case 0xFF:
            rop2 = R2_WHITE;
            break;
        case 0xAA:
            return true;
        default:
            break;
    }
    if (rop2) {
        paint.rop2 = rop2;
        FillRectClipped(out.Target(), l, t, r, bo, paint);
        return true;
    }
    // Any other operation of pattern and destination.
    const Rop3RowFn fn = Rop3Row(index);
    std::vector<uint32_t> pat;
    Paint copy = paint;
    copy.rop2 = R2_COPYPEN;
    const bool mono = TargetIsMono();
    for (const Region::Band& band : out.Target().clip->Bands()) {
        if (band.bottom <= t)
            continue;
        if (band.top >= bo)
            break;
        for (int y = static_cast<int>(std::max<int64_t>(band.top, t));
             y < std::min<int64_t>(band.bottom, bo); ++y) {
            for (size_t i = 0; i < band.spans.size(); i += 2) {
                const int x0 = static_cast<int>(std::max<int64_t>(band.spans[i], l));
                const int x1 = static_cast<int>(std::min<int64_t>(band.spans[i + 1], r));
                if (x0 >= x1)
                    continue;
                const int n = x1 - x0;
                pat.resize(static_cast<size_t>(n));
                // Paint the pattern into a scratch row to read its values.
                Surface scratch(n, 1);
                if (!copy.tiled) {
                    std::fill(pat.begin(), pat.end(), copy.color);
                } else {
                    Paint shifted = copy;
                    shifted.originX -= x0;
                    shifted.originY -= y;
                    PaintSpan(scratch, 0, 0, n, shifted);
                    std::copy_n(scratch.Row(0), n, pat.begin());
                }
                uint32_t* row = out.Target().surface->Row(y) + x0;
                fn(row, nullptr, pat.data(), n);
                if (mono)
                    for (int k = 0; k < n; ++k)
                        row[k] = MonoPixel(row[k]);
            }
        }
    }
    return true;
}

bool DeviceContext::PatBlt(int x, int y, int w, int h, DWORD rop) {
    const uint8_t index = Rop3Index(rop);
    if (Rop3UsesSource(index))
        return false;
    return FillRectWith(x, y, static_cast<int64_t>(x) + w, static_cast<int64_t>(y) + h,
                        s_.brush.get(), rop);
}

bool DeviceContext::FillRegion(const Region& rgn, const BrushObject* brush, DWORD rop) {
    // The region is in logical units; with a scaling mapping its rectangles are mapped one by
    // one.
    for (const RECT& rc : rgn.Rects())
        FillRectWith(rc, brush, rop);
    return true;
}

bool DeviceContext::FrameRegion(const Region& rgn, const BrushObject* brush, int w, int h) {
    if (w < 1 || h < 1)
        return false;
    // The frame is the region less the region eroded by w and h.
    Region eroded = rgn;
    for (int d = 1; d <= w; ++d) {
        for (int sign : {-1, 1}) {
            Region shifted = rgn;
            shifted.Offset(sign * d, 0);
            eroded = Region::Combine(eroded, shifted, Region::Op::And);
        }
    }
    for (int d = 1; d <= h; ++d) {
        for (int sign : {-1, 1}) {
            Region shifted = rgn;
            shifted.Offset(0, sign * d);
            eroded = Region::Combine(eroded, shifted, Region::Op::And);
        }
    }
    return FillRegion(Region::Combine(rgn, eroded, Region::Op::Diff), brush);
}

}  // namespace kq::gfx
