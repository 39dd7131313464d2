// Device contexts, their attributes and their mapping.
#include <algorithm>

#include "platform/gfx/DeviceContext.h"
#include "platform/gfx/HandleTable.h"
#include "platform/gfx/SurfaceDc.h"
#include "platform/gfx/WinGdi.h"

using kq::gfx::DeviceContext;
using kq::gfx::LookupDc;

namespace kq::gfx {

HDC CreateSurfaceDC(std::shared_ptr<Surface> surface, const DeviceCaps& caps) {
    if (!surface || !surface->Valid())
        return nullptr;
    return AddObject<HDC>(std::make_shared<DeviceContext>(std::move(surface), caps));
}

bool SetDCDeviceArea(HDC hdc, std::shared_ptr<Surface> surface, POINT origin,
                     const Region& visible) {
    auto dc = LookupDc(hdc);
    if (!dc || dc->GetType() != DeviceContext::Type::Device)
        return false;
    dc->SetDeviceArea(std::move(surface), origin, visible);
    return true;
}

bool DCDrewSinceAimed(HDC hdc) {
    auto dc = LookupDc(hdc);
    return !dc || dc->DrewSinceAimed();
}

bool ResetDCState(HDC hdc) {
    auto dc = LookupDc(hdc);
    if (!dc)
        return false;
    dc->ResetState();
    return true;
}

std::shared_ptr<Surface> DCSurface(HDC hdc) {
    auto dc = LookupDc(hdc);
    if (!dc)
        return nullptr;
    if (dc->GetType() == DeviceContext::Type::Memory) {
        auto bmp = dc->SelectedBitmap();
        if (!bmp)
            return nullptr;
        if (bmp->dibShadow)
            bmp->SyncFromDib();
        return bmp->surface;
    }
    return dc->DeviceSurface();
}

HDC CreatePrinterDC(std::shared_ptr<Surface> page, const DeviceCaps& caps,
                    std::shared_ptr<PrintJobSink> sink) {
    if (!page || !page->Valid())
        return nullptr;
    auto dc = std::make_shared<DeviceContext>(std::move(page), caps);
    dc->SetPrintSink(std::move(sink));
    return AddObject<HDC>(dc);
}

}  // namespace kq::gfx

HDC CreateCompatibleDC(HDC hdc) {
    kq::gfx::DeviceCaps caps = kq::gfx::DisplayCaps();
    if (hdc) {
        auto ref = LookupDc(hdc);
        if (!ref)
            return nullptr;
        caps = ref->Caps();
    }
    return kq::gfx::AddObject<HDC>(std::make_shared<DeviceContext>(caps));
}

BOOL DeleteDC(HDC hdc) {
    if (!LookupDc(hdc))
        return FALSE;
    // The DC's selected objects stay alive through its own references until it goes.
    return kq::gfx::HandleTable::Instance().Remove(hdc) ? TRUE : FALSE;
}

int SaveDC(HDC hdc) {
    auto dc = LookupDc(hdc);
    return dc ? dc->Save() : 0;
}

BOOL RestoreDC(HDC hdc, int savedDc) {
    auto dc = LookupDc(hdc);
    return dc && dc->Restore(savedDc) ? TRUE : FALSE;
}

int GetDeviceCaps(HDC hdc, int index) {
    auto dc = LookupDc(hdc);
    return dc ? dc->Caps().Get(index) : 0;
}

HGDIOBJ SelectObject(HDC hdc, HGDIOBJ obj) {
    auto dc = LookupDc(hdc);
    if (!dc)
        return nullptr;
    return dc->Select(obj);
}

HGDIOBJ GetCurrentObject(HDC hdc, UINT type) {
    auto dc = LookupDc(hdc);
    if (!dc)
        return nullptr;
    const auto& s = dc->State();
    switch (type) {
        case OBJ_PEN:
        case OBJ_EXTPEN:
            return s.hPen;
        case OBJ_BRUSH:
            return s.hBrush;
        case OBJ_FONT:
            return s.hFont;
        case OBJ_BITMAP:
            return s.hBitmap;
        case OBJ_PAL:
            return s.hPalette;
        default:
            return nullptr;
    }
}

namespace {

// Sets one attribute and returns the previous value, or `fail` for a bad handle.
template <typename T, typename Get>
T Swap(HDC hdc, T value, T fail, Get member) {
    auto dc = LookupDc(hdc);
    if (!dc)
        return fail;
    T& field = member(dc->State());
    const T old = field;
    field = value;
    return old;
}

template <typename T, typename Get>
T Read(HDC hdc, T fail, Get member) {
    auto dc = LookupDc(hdc);
    return dc ? member(dc->State()) : fail;
}

}  // namespace

#define KQ_ATTRIBUTE(Type, SetName, GetName, field, fail)                                          \
    Type SetName(HDC hdc, Type value) {                                                            \
        return Swap<Type>(hdc, value, fail, [](kq::gfx::DcState& s) -> Type& { return s.field; }); \
    }                                                                                              \
    Type GetName(HDC hdc) {                                                                        \
        return Read<Type>(hdc, fail, [](kq::gfx::DcState& s) -> Type& { return s.field; });        \
    }

KQ_ATTRIBUTE(COLORREF, SetTextColor, GetTextColor, textColor, CLR_INVALID)
KQ_ATTRIBUTE(COLORREF, SetBkColor, GetBkColor, bkColor, CLR_INVALID)
#undef KQ_ATTRIBUTE

namespace {

// Attributes whose value must be one of a range; others are refused with 0.
int SetRanged(HDC hdc, int value, int lo, int hi, int kq::gfx::DcState::*field) {
    auto dc = LookupDc(hdc);
    if (!dc || value < lo || value > hi)
        return 0;
    const int old = dc->State().*field;
    dc->State().*field = value;
    return old;
}

int GetRanged(HDC hdc, int kq::gfx::DcState::*field) {
    auto dc = LookupDc(hdc);
    return dc ? dc->State().*field : 0;
}

}  // namespace

int SetBkMode(HDC hdc, int mode) {
    return SetRanged(hdc, mode, TRANSPARENT, OPAQUE, &kq::gfx::DcState::bkMode);
}
int GetBkMode(HDC hdc) {
    return GetRanged(hdc, &kq::gfx::DcState::bkMode);
}
int SetROP2(HDC hdc, int rop2) {
    return SetRanged(hdc, rop2, R2_BLACK, R2_WHITE, &kq::gfx::DcState::rop2);
}
int GetROP2(HDC hdc) {
    return GetRanged(hdc, &kq::gfx::DcState::rop2);
}
int SetPolyFillMode(HDC hdc, int mode) {
    return SetRanged(hdc, mode, ALTERNATE, WINDING, &kq::gfx::DcState::polyFillMode);
}
int SetStretchBltMode(HDC hdc, int mode) {
    return SetRanged(hdc, mode, BLACKONWHITE, HALFTONE, &kq::gfx::DcState::stretchMode);
}
int SetArcDirection(HDC hdc, int direction) {
    return SetRanged(hdc, direction, AD_COUNTERCLOCKWISE, AD_CLOCKWISE,
                     &kq::gfx::DcState::arcDirection);
}

UINT SetTextAlign(HDC hdc, UINT align) {
    auto dc = LookupDc(hdc);
    if (!dc)
        return GDI_ERROR;
    const UINT old = dc->State().textAlign;
    dc->State().textAlign = align & TA_MASK;
    return old;
}

UINT GetTextAlign(HDC hdc) {
    auto dc = LookupDc(hdc);
    return dc ? dc->State().textAlign : GDI_ERROR;
}

BOOL SetBrushOrgEx(HDC hdc, int x, int y, LPPOINT old) {
    auto dc = LookupDc(hdc);
    if (!dc)
        return FALSE;
    if (old)
        *old = dc->State().brushOrg;
    dc->State().brushOrg = POINT{x, y};
    return TRUE;
}

int SetMapMode(HDC hdc, int mode) {
    auto dc = LookupDc(hdc);
    if (!dc)
        return 0;
    const int old = dc->State().mapMode;
    return dc->SetMapMode(mode) ? old : 0;
}

int GetMapMode(HDC hdc) {
    auto dc = LookupDc(hdc);
    return dc ? dc->State().mapMode : 0;
}

namespace {

BOOL SetPoint(HDC hdc, POINT kq::gfx::DcState::*field, int x, int y, LPPOINT old, bool offset) {
    auto dc = LookupDc(hdc);
    if (!dc)
        return FALSE;
    POINT& p = dc->State().*field;
    if (old)
        *old = p;
    p = offset ? POINT{p.x + x, p.y + y} : POINT{x, y};
    dc->StateChanged();
    return TRUE;
}

BOOL GetPointField(HDC hdc, POINT kq::gfx::DcState::*field, LPPOINT out) {
    auto dc = LookupDc(hdc);
    if (!dc || !out)
        return FALSE;
    *out = dc->State().*field;
    return TRUE;
}

// Extents change only in the scalable modes, as in GDI; other modes keep theirs.
BOOL SetExtent(HDC hdc, SIZE kq::gfx::DcState::*field, int cx, int cy, LPSIZE old) {
    auto dc = LookupDc(hdc);
    if (!dc)
        return FALSE;
    SIZE& s = dc->State().*field;
    if (old)
        *old = s;
    const int mode = dc->State().mapMode;
    if (mode != MM_ISOTROPIC && mode != MM_ANISOTROPIC)
        return TRUE;
    if (cx == 0 || cy == 0)
        return FALSE;
    s = SIZE{cx, cy};
    dc->FixIsotropic();
    dc->StateChanged();
    return TRUE;
}

BOOL ScaleExtent(HDC hdc, SIZE kq::gfx::DcState::*field, int xNum, int xDenom, int yNum, int yDenom,
                 LPSIZE old) {
    auto dc = LookupDc(hdc);
    if (!dc || xDenom == 0 || yDenom == 0)
        return FALSE;
    const SIZE s = dc->State().*field;
    return SetExtent(hdc, field, MulDiv(s.cx, xNum, xDenom), MulDiv(s.cy, yNum, yDenom), old);
}

BOOL GetExtent(HDC hdc, SIZE kq::gfx::DcState::*field, LPSIZE out) {
    auto dc = LookupDc(hdc);
    if (!dc || !out)
        return FALSE;
    *out = dc->State().*field;
    return TRUE;
}

}  // namespace

BOOL SetWindowOrgEx(HDC hdc, int x, int y, LPPOINT old) {
    return SetPoint(hdc, &kq::gfx::DcState::windowOrg, x, y, old, false);
}
BOOL SetViewportOrgEx(HDC hdc, int x, int y, LPPOINT old) {
    return SetPoint(hdc, &kq::gfx::DcState::viewportOrg, x, y, old, false);
}
BOOL GetViewportOrgEx(HDC hdc, LPPOINT pt) {
    return GetPointField(hdc, &kq::gfx::DcState::viewportOrg, pt);
}
BOOL OffsetViewportOrgEx(HDC hdc, int dx, int dy, LPPOINT old) {
    return SetPoint(hdc, &kq::gfx::DcState::viewportOrg, dx, dy, old, true);
}
BOOL SetWindowExtEx(HDC hdc, int cx, int cy, LPSIZE old) {
    return SetExtent(hdc, &kq::gfx::DcState::windowExt, cx, cy, old);
}
BOOL GetWindowExtEx(HDC hdc, LPSIZE size) {
    return GetExtent(hdc, &kq::gfx::DcState::windowExt, size);
}
BOOL ScaleWindowExtEx(HDC hdc, int xNum, int xDenom, int yNum, int yDenom, LPSIZE old) {
    return ScaleExtent(hdc, &kq::gfx::DcState::windowExt, xNum, xDenom, yNum, yDenom, old);
}
BOOL SetViewportExtEx(HDC hdc, int cx, int cy, LPSIZE old) {
    return SetExtent(hdc, &kq::gfx::DcState::viewportExt, cx, cy, old);
}
BOOL GetViewportExtEx(HDC hdc, LPSIZE size) {
    return GetExtent(hdc, &kq::gfx::DcState::viewportExt, size);
}
BOOL ScaleViewportExtEx(HDC hdc, int xNum, int xDenom, int yNum, int yDenom, LPSIZE old) {
    return ScaleExtent(hdc, &kq::gfx::DcState::viewportExt, xNum, xDenom, yNum, yDenom, old);
}

BOOL LPtoDP(HDC hdc, LPPOINT pts, int count) {
    auto dc = LookupDc(hdc);
    if (!dc || (!pts && count > 0))
        return FALSE;
    for (int i = 0; i < count; ++i) {
        const kq::gfx::Point64 d = dc->ToDevice(pts[i].x, pts[i].y);
        pts[i].x = static_cast<LONG>(std::clamp<int64_t>(d.x, INT32_MIN, INT32_MAX));
        pts[i].y = static_cast<LONG>(std::clamp<int64_t>(d.y, INT32_MIN, INT32_MAX));
    }
    return TRUE;
}

BOOL DPtoLP(HDC hdc, LPPOINT pts, int count) {
    auto dc = LookupDc(hdc);
    if (!dc || (!pts && count > 0))
        return FALSE;
    for (int i = 0; i < count; ++i)
        pts[i] = dc->ToLogical(pts[i].x, pts[i].y);
    return TRUE;
}

int MulDiv(int number, int numerator, int denominator) {
    if (denominator == 0)
        return -1;
    __int128 n = static_cast<__int128>(number) * numerator;
    __int128 d = denominator;
    if (d < 0) {
        n = -n;
        d = -d;
    }
    const __int128 q = n >= 0 ? (2 * n + d) / (2 * d) : -((-2 * n + d) / (2 * d));
    if (q > INT32_MAX || q < INT32_MIN)
        return -1;
    return static_cast<int>(q);
}
