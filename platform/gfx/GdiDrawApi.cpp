// Lines, shapes, pixels and block transfers.
#include "platform/gfx/DeviceContext.h"
#include "platform/gfx/HandleTable.h"
#include "platform/gfx/WinGdi.h"

using kq::gfx::DeviceContext;
using kq::gfx::LookupDc;

BOOL MoveToEx(HDC hdc, int x, int y, LPPOINT old) {
    auto dc = LookupDc(hdc);
    if (!dc)
        return FALSE;
    if (old)
        *old = dc->State().curPos;
    dc->State().curPos = POINT{x, y};
    return TRUE;
}

BOOL GetCurrentPositionEx(HDC hdc, LPPOINT pt) {
    auto dc = LookupDc(hdc);
    if (!dc || !pt)
        return FALSE;
    *pt = dc->State().curPos;
    return TRUE;
}

BOOL LineTo(HDC hdc, int x, int y) {
    auto dc = LookupDc(hdc);
    return dc && dc->LineTo(x, y) ? TRUE : FALSE;
}

BOOL Polyline(HDC hdc, const POINT* pts, int count) {
    auto dc = LookupDc(hdc);
    return dc && dc->Polyline(pts, count, false) ? TRUE : FALSE;
}

BOOL Polygon(HDC hdc, const POINT* pts, int count) {
    auto dc = LookupDc(hdc);
    return dc && dc->Polyline(pts, count, true) ? TRUE : FALSE;
}

BOOL Rectangle(HDC hdc, int left, int top, int right, int bottom) {
    auto dc = LookupDc(hdc);
    return dc && dc->Rectangle(left, top, right, bottom) ? TRUE : FALSE;
}

BOOL RoundRect(HDC hdc, int left, int top, int right, int bottom, int width, int height) {
    auto dc = LookupDc(hdc);
    return dc && dc->RoundRect(left, top, right, bottom, width, height) ? TRUE : FALSE;
}

BOOL Ellipse(HDC hdc, int left, int top, int right, int bottom) {
    auto dc = LookupDc(hdc);
    return dc && dc->Ellipse(left, top, right, bottom) ? TRUE : FALSE;
}

namespace {

BOOL ArcCall(HDC hdc, DeviceContext::ArcKind kind, int l, int t, int r, int b, int xs, int ys,
             int xe, int ye) {
    auto dc = LookupDc(hdc);
    return dc && dc->ArcFamily(kind, l, t, r, b, xs, ys, xe, ye) ? TRUE : FALSE;
}

}  // namespace

BOOL Arc(HDC hdc, int l, int t, int r, int b, int xStart, int yStart, int xEnd, int yEnd) {
    return ArcCall(hdc, DeviceContext::ArcKind::Arc, l, t, r, b, xStart, yStart, xEnd, yEnd);
}
BOOL ArcTo(HDC hdc, int l, int t, int r, int b, int xStart, int yStart, int xEnd, int yEnd) {
    return ArcCall(hdc, DeviceContext::ArcKind::ArcTo, l, t, r, b, xStart, yStart, xEnd, yEnd);
}
BOOL Pie(HDC hdc, int l, int t, int r, int b, int xStart, int yStart, int xEnd, int yEnd) {
    return ArcCall(hdc, DeviceContext::ArcKind::Pie, l, t, r, b, xStart, yStart, xEnd, yEnd);
}

COLORREF SetPixel(HDC hdc, int x, int y, COLORREF color) {
    auto dc = LookupDc(hdc);
    return dc ? dc->SetPixel(x, y, color) : CLR_INVALID;
}

BOOL SetPixelV(HDC hdc, int x, int y, COLORREF color) {
    auto dc = LookupDc(hdc);
    return dc && dc->SetPixel(x, y, color) != CLR_INVALID ? TRUE : FALSE;
}

COLORREF GetPixel(HDC hdc, int x, int y) {
    auto dc = LookupDc(hdc);
    return dc ? dc->GetPixel(x, y) : CLR_INVALID;
}

BOOL PatBlt(HDC hdc, int x, int y, int w, int h, DWORD rop) {
    auto dc = LookupDc(hdc);
    return dc && dc->PatBlt(x, y, w, h, rop) ? TRUE : FALSE;
}

BOOL BitBlt(HDC dst, int x, int y, int w, int h, HDC src, int sx, int sy, DWORD rop) {
    auto d = LookupDc(dst);
    if (!d)
        return FALSE;
    auto s = src ? LookupDc(src) : nullptr;
    if (src && !s)
        return FALSE;
    return DeviceContext::StretchBlt(*d, x, y, w, h, s.get(), sx, sy, w, h, rop, false) ? TRUE
                                                                                        : FALSE;
}

BOOL StretchBlt(HDC dst, int x, int y, int w, int h, HDC src, int sx, int sy, int sw, int sh,
                DWORD rop) {
    auto d = LookupDc(dst);
    if (!d)
        return FALSE;
    auto s = src ? LookupDc(src) : nullptr;
    if (src && !s)
        return FALSE;
    return DeviceContext::StretchBlt(*d, x, y, w, h, s.get(), sx, sy, sw, sh, rop, true) ? TRUE
                                                                                         : FALSE;
}

BOOL AlphaBlend(HDC dst, int x, int y, int w, int h, HDC src, int sx, int sy, int sw, int sh,
                BLENDFUNCTION blend) {
    auto d = LookupDc(dst);
    auto s = LookupDc(src);
    if (!d || !s)
        return FALSE;
    return DeviceContext::AlphaBlend(*d, x, y, w, h, *s, sx, sy, sw, sh, blend) ? TRUE : FALSE;
}

BOOL TransparentBlt(HDC dst, int x, int y, int w, int h, HDC src, int sx, int sy, int sw, int sh,
                    UINT transparent) {
    auto d = LookupDc(dst);
    auto s = LookupDc(src);
    if (!d || !s)
        return FALSE;
    return DeviceContext::TransparentBlt(*d, x, y, w, h, *s, sx, sy, sw, sh, transparent) ? TRUE
                                                                                          : FALSE;
}
