// Regions and clipping.
#include <algorithm>

#include "platform/gfx/DeviceContext.h"
#include "platform/gfx/HandleTable.h"
#include "platform/gfx/RegionShapes.h"
#include "platform/gfx/StockObjects.h"
#include "platform/gfx/WinGdi.h"

using namespace kq::gfx;

namespace {

HRGN MakeRegion(Region r) {
    auto obj = std::make_shared<RegionObject>();
    obj->region = std::move(r);
    return AddObject<HRGN>(obj);
}

std::shared_ptr<RegionObject> Rgn(HRGN h) {
    return LookupObject<RegionObject>(h);
}

std::vector<std::vector<Point64>> Polygons(const POINT* pts, const INT* counts, int polygons) {
    std::vector<std::vector<Point64>> out;
    size_t at = 0;
    for (int i = 0; i < polygons; ++i) {
        std::vector<Point64> poly;
        for (int k = 0; k < counts[i]; ++k, ++at)
            poly.push_back(Point64{pts[at].x, pts[at].y});
        out.push_back(std::move(poly));
    }
    return out;
}

// The DC's clip in device coordinates from a region given in device coordinates.
int Clip(HDC hdc, const Region* r, int mode) {
    auto dc = LookupDc(hdc);
    return dc ? dc->SelectClip(r, mode) : ERROR;
}

Region LogicalRectToDevice(const DeviceContext& dc, int l, int t, int r, int b) {
    const Point64 a = dc.ToDevice(l, t);
    const Point64 c = dc.ToDevice(r, b);
    return Region::FromRect(std::min(a.x, c.x), std::min(a.y, c.y), std::max(a.x, c.x),
                            std::max(a.y, c.y));
}

}  // namespace

HRGN CreateRectRgn(int left, int top, int right, int bottom) {
    return MakeRegion(Region::FromRect(std::min(left, right), std::min(top, bottom),
                                       std::max(left, right), std::max(top, bottom)));
}

HRGN CreateRectRgnIndirect(const RECT* rc) {
    return rc ? CreateRectRgn(rc->left, rc->top, rc->right, rc->bottom) : nullptr;
}

HRGN CreateEllipticRgn(int left, int top, int right, int bottom) {
    return MakeRegion(EllipseRegion(left, top, right, bottom));
}

HRGN CreatePolygonRgn(const POINT* pts, int count, int fillMode) {
    if (!pts || count < 2)
        return nullptr;
    const INT counts[1] = {count};
    return CreatePolyPolygonRgn(pts, counts, 1, fillMode);
}

HRGN CreatePolyPolygonRgn(const POINT* pts, const INT* counts, int polygons, int fillMode) {
    if (!pts || !counts || polygons <= 0)
        return nullptr;
    for (int i = 0; i < polygons; ++i)
        if (counts[i] < 2)
            return nullptr;
    return MakeRegion(PolygonRegion(Polygons(pts, counts, polygons), fillMode == WINDING));
}

BOOL SetRectRgn(HRGN rgn, int left, int top, int right, int bottom) {
    auto r = Rgn(rgn);
    if (!r)
        return FALSE;
    r->region = Region::FromRect(std::min(left, right), std::min(top, bottom),
                                 std::max(left, right), std::max(top, bottom));
    return TRUE;
}

int CombineRgn(HRGN dst, HRGN src1, HRGN src2, int mode) {
    auto d = Rgn(dst);
    auto a = Rgn(src1);
    if (!d || !a)
        return ERROR;
    if (mode == RGN_COPY) {
        d->region = a->region;
        return d->region.Complexity();
    }
    auto b = Rgn(src2);
    if (!b)
        return ERROR;
    Region::Op op;
    switch (mode) {
        case RGN_AND:
            op = Region::Op::And;
            break;
        case RGN_OR:
            op = Region::Op::Or;
            break;
        case RGN_XOR:
            op = Region::Op::Xor;
            break;
        case RGN_DIFF:
            op = Region::Op::Diff;
            break;
        default:
            return ERROR;
    }
    d->region = Region::Combine(a->region, b->region, op);
    return d->region.Complexity();
}

int OffsetRgn(HRGN rgn, int dx, int dy) {
    auto r = Rgn(rgn);
    if (!r)
        return ERROR;
    r->region.Offset(dx, dy);
    return r->region.Complexity();
}

BOOL PtInRegion(HRGN rgn, int x, int y) {
    auto r = Rgn(rgn);
    return r && r->region.Contains(x, y) ? TRUE : FALSE;
}

BOOL RectInRegion(HRGN rgn, const RECT* rc) {
    auto r = Rgn(rgn);
    if (!r || !rc)
        return FALSE;
    const RECT n{std::min(rc->left, rc->right), std::min(rc->top, rc->bottom),
                 std::max(rc->left, rc->right), std::max(rc->top, rc->bottom)};
    return r->region.Intersects(n) ? TRUE : FALSE;
}

int GetRgnBox(HRGN rgn, LPRECT rc) {
    auto r = Rgn(rgn);
    if (!r || !rc)
        return ERROR;
    *rc = r->region.Bounds();
    return r->region.Complexity();
}

BOOL EqualRgn(HRGN a, HRGN b) {
    auto ra = Rgn(a);
    auto rb = Rgn(b);
    if (!ra || !rb)
        return ERROR;
    return ra->region == rb->region ? TRUE : FALSE;
}

BOOL FillRgn(HDC hdc, HRGN rgn, HBRUSH brush) {
    auto dc = LookupDc(hdc);
    auto r = Rgn(rgn);
    auto b = LookupObject<BrushObject>(brush);
    if (!dc || !r || !b)
        return FALSE;
    return dc->FillRegion(r->region, b.get()) ? TRUE : FALSE;
}

BOOL FrameRgn(HDC hdc, HRGN rgn, HBRUSH brush, int w, int h) {
    auto dc = LookupDc(hdc);
    auto r = Rgn(rgn);
    auto b = LookupObject<BrushObject>(brush);
    if (!dc || !r || !b)
        return FALSE;
    return dc->FrameRegion(r->region, b.get(), w, h) ? TRUE : FALSE;
}

BOOL InvertRgn(HDC hdc, HRGN rgn) {
    auto dc = LookupDc(hdc);
    auto r = Rgn(rgn);
    if (!dc || !r)
        return FALSE;
    return dc->FillRegion(r->region, nullptr, DSTINVERT) ? TRUE : FALSE;
}

int ExtSelectClipRgn(HDC hdc, HRGN rgn, int mode) {
    if (!rgn)
        return Clip(hdc, nullptr, mode);
    auto r = Rgn(rgn);
    if (!r)
        return ERROR;
    // The DC copies the region; the caller keeps and may delete its own.
    return Clip(hdc, &r->region, mode);
}

int IntersectClipRect(HDC hdc, int left, int top, int right, int bottom) {
    auto dc = LookupDc(hdc);
    if (!dc)
        return ERROR;
    const Region r = LogicalRectToDevice(*dc, left, top, right, bottom);
    return dc->SelectClip(&r, RGN_AND);
}

int ExcludeClipRect(HDC hdc, int left, int top, int right, int bottom) {
    auto dc = LookupDc(hdc);
    if (!dc)
        return ERROR;
    const Region r = LogicalRectToDevice(*dc, left, top, right, bottom);
    return dc->SelectClip(&r, RGN_DIFF);
}

int OffsetClipRgn(HDC hdc, int dx, int dy) {
    auto dc = LookupDc(hdc);
    if (!dc)
        return ERROR;
    if (dc->State().hasClip) {
        const Point64 o = dc->ToDevice(0, 0);
        const Point64 d = dc->ToDevice(dx, dy);
        dc->State().clip.Offset(d.x - o.x, d.y - o.y);
        dc->ClipChanged();
    }
    return dc->EffectiveClip().Complexity();
}

int GetClipBox(HDC hdc, LPRECT rc) {
    auto dc = LookupDc(hdc);
    return dc ? dc->ClipBox(rc) : ERROR;
}

int GetClipRgn(HDC hdc, HRGN rgn) {
    auto dc = LookupDc(hdc);
    auto r = Rgn(rgn);
    if (!dc || !r)
        return -1;
    if (!dc->State().hasClip)
        return 0;
    r->region = dc->State().clip;
    return 1;
}

BOOL PtVisible(HDC hdc, int x, int y) {
    auto dc = LookupDc(hdc);
    if (!dc)
        return -1;
    const Point64 p = dc->ToSurface(x, y);
    if (p.x < -Region::kLimit || p.x >= Region::kLimit || p.y < -Region::kLimit ||
        p.y >= Region::kLimit)
        return FALSE;
    return dc->EffectiveClip().Contains(static_cast<int>(p.x), static_cast<int>(p.y)) ? TRUE
                                                                                      : FALSE;
}

BOOL RectVisible(HDC hdc, const RECT* rc) {
    auto dc = LookupDc(hdc);
    if (!dc || !rc)
        return FALSE;
    const Point64 a = dc->ToSurface(rc->left, rc->top);
    const Point64 b = dc->ToSurface(rc->right, rc->bottom);
    auto lim = [](int64_t v) {
        return static_cast<LONG>(std::clamp<int64_t>(v, -Region::kLimit, Region::kLimit));
    };
    const RECT r{lim(std::min(a.x, b.x)), lim(std::min(a.y, b.y)), lim(std::max(a.x, b.x)),
                 lim(std::max(a.y, b.y))};
    return dc->EffectiveClip().Intersects(r) ? TRUE : FALSE;
}
