// Block transfers between device contexts.
#include <algorithm>

#include "platform/gfx/Blit.h"
#include "platform/gfx/DeviceContext.h"
#include "platform/gfx/GdiConstants.h"
#include "platform/gfx/PixelColor.h"
#include "platform/gfx/Rop.h"

namespace kq::gfx {

namespace {

struct MappedRect {
    int64_t x, y, w, h;
    bool mirrorX, mirrorY;
};

MappedRect MapRect(const DeviceContext& dc, int x, int y, int w, int h) {
    const Point64 a = dc.ToSurface(x, y);
    const Point64 b = dc.ToSurface(static_cast<int64_t>(x) + w, static_cast<int64_t>(y) + h);
    MappedRect r;
    r.x = std::min(a.x, b.x);
    r.y = std::min(a.y, b.y);
    r.w = std::max(a.x, b.x) - r.x;
    r.h = std::max(a.y, b.y) - r.y;
    r.mirrorX = b.x < a.x;
    r.mirrorY = b.y < a.y;
    return r;
}

class Output {
  public:
    explicit Output(DeviceContext& dc) : dc_(dc) { ok_ = dc.BeginOutput(target_); }
    ~Output() {
        if (ok_)
            dc_.EndOutput();
    }
    bool ok_ = false;
    RasterTarget target_;

  private:
    DeviceContext& dc_;
};

// Brings a shadowed DIB section's surface up to date before it is read.
void PrepareSource(DeviceContext& src) {
    auto bmp = src.SelectedBitmap();
    if (src.GetType() == DeviceContext::Type::Memory && bmp && bmp->dibShadow)
        bmp->SyncFromDib();
}

}  // namespace

bool DeviceContext::StretchBlt(DeviceContext& dst, int x, int y, int w, int h, DeviceContext* src,
                               int sx, int sy, int sw, int sh, DWORD rop, bool stretch) {
    const uint8_t index = Rop3Index(rop);
    const bool useSrc = Rop3UsesSource(index);
    if (useSrc && !src)
        return false;
    if (!stretch) {
        sw = w;
        sh = h;
    }
    const MappedRect d = MapRect(dst, x, y, w, h);
    if (d.w == 0 || d.h == 0)
        return true;
    BlitSpec blit;
    blit.dx = d.x;
    blit.dy = d.y;
    blit.dw = d.w;
    blit.dh = d.h;
    blit.rop = index;
    blit.stretchMode = dst.State().stretchMode;
    blit.destMono = dst.TargetIsMono();
    const Paint brush = dst.BrushPaint();
    if (Rop3UsesPattern(index))
        blit.pattern = &brush;
    if (useSrc) {
        Surface* surface = src->TargetSurface();
        if (!surface)
            return false;
        PrepareSource(*src);
        const MappedRect s = MapRect(*src, sx, sy, sw, sh);
        if (s.w == 0 || s.h == 0)
            return true;
        blit.src = surface;
        blit.sx = s.x;
        blit.sy = s.y;
        blit.sw = s.w;
        blit.sh = s.h;
        blit.mirrorX = d.mirrorX != s.mirrorX;
        blit.mirrorY = d.mirrorY != s.mirrorY;
        const bool srcMono = surface->IsMonochrome();
        if (srcMono && !blit.destMono) {
            blit.convert = BlitSpec::Convert::MonoToColor;
            blit.monoBlack = dst.DevicePixel(dst.State().textColor);
            blit.monoWhite = dst.DevicePixel(dst.State().bkColor);
        } else if (!srcMono && blit.destMono) {
            blit.convert = BlitSpec::Convert::ColorToMono;
            blit.sourceBk = PixelFromColorRef(src->State().bkColor & 0xFFFFFF);
        }
    }
    Output out(dst);
    if (!out.ok_)
        return true;
    Blit(out.target_, blit);
    return true;
}

bool DeviceContext::StretchSurface(int x, int y, int w, int h, const Surface& src, int sx, int sy,
                                   int sw, int sh, DWORD rop) {
    const MappedRect d = MapRect(*this, x, y, w, h);
    if (d.w == 0 || d.h == 0 || sw == 0 || sh == 0)
        return true;
    BlitSpec blit;
    blit.dx = d.x;
    blit.dy = d.y;
    blit.dw = d.w;
    blit.dh = d.h;
    blit.src = &src;
    blit.sx = std::min<int64_t>(sx, static_cast<int64_t>(sx) + sw);
    blit.sy = std::min<int64_t>(sy, static_cast<int64_t>(sy) + sh);
    blit.sw = std::llabs(sw);
    blit.sh = std::llabs(sh);
    blit.mirrorX = d.mirrorX != (sw < 0);
    blit.mirrorY = d.mirrorY != (sh < 0);
    blit.rop = Rop3Index(rop);
    blit.stretchMode = s_.stretchMode;
    blit.destMono = TargetIsMono();
    const Paint brush = BrushPaint();
    if (Rop3UsesPattern(blit.rop))
        blit.pattern = &brush;
    Output out(*this);
    if (!out.ok_)
        return true;
    Blit(out.target_, blit);
    return true;
}

bool DeviceContext::AlphaBlend(DeviceContext& dst, int x, int y, int w, int h, DeviceContext& src,
                               int sx, int sy, int sw, int sh, BLENDFUNCTION blend) {
    if (w < 0 || h < 0 || sw < 0 || sh < 0 || blend.BlendOp != AC_SRC_OVER)
        return false;
    Surface* surface = src.TargetSurface();
    if (!surface)
        return false;
    PrepareSource(src);
    const MappedRect d = MapRect(dst, x, y, w, h);
    const MappedRect s = MapRect(src, sx, sy, sw, sh);
    if (s.x < 0 || s.y < 0 || s.x + s.w > surface->Width() || s.y + s.h > surface->Height())
        return false;
    AlphaSpec blit;
    blit.dx = d.x;
    blit.dy = d.y;
    blit.dw = d.w;
    blit.dh = d.h;
    blit.src = surface;
    blit.sx = s.x;
    blit.sy = s.y;
    blit.sw = s.w;
    blit.sh = s.h;
    blit.constantAlpha = blend.SourceConstantAlpha;
    blit.perPixelAlpha = (blend.AlphaFormat & AC_SRC_ALPHA) != 0;
    Output out(dst);
    if (out.ok_)
        AlphaBlit(out.target_, blit);
    return true;
}

bool DeviceContext::TransparentBlt(DeviceContext& dst, int x, int y, int w, int h,
                                   DeviceContext& src, int sx, int sy, int sw, int sh,
                                   UINT transparent) {
    if (w <= 0 || h <= 0 || sw <= 0 || sh <= 0)
        return false;
    Surface* surface = src.TargetSurface();
    if (!surface)
        return false;
    PrepareSource(src);
    const MappedRect d = MapRect(dst, x, y, w, h);
    const MappedRect s = MapRect(src, sx, sy, sw, sh);
    Output out(dst);
    if (out.ok_)
        KeyedBlit(out.target_, d.x, d.y, d.w, d.h, *surface, s.x, s.y, s.w, s.h,
                  PixelFromColorRef(transparent & 0xFFFFFF));
    return true;
}

}  // namespace kq::gfx
