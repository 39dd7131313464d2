#include "platform/gfx/GdiWrappers.h"

#include <cstring>

#include "platform/gfx/CDC.h"
#include "platform/gfx/DeviceCaps.h"
#include "platform/gfx/HandleTable.h"
#include "platform/gfx/HandleWrapperMap.h"
#include "platform/gfx/SysColors.h"

namespace {

void ClearObject(CGdiObject& obj) {
    obj.m_hObject = nullptr;
}

using ObjectWrappers = kq::gfx::HandleWrapperMap<CGdiObject, &ClearObject>;

// A temporary wrapper of the class that fits the handle's kind.
CGdiObject* MakeFor(kq::gfx::ObjectKind kind) {
    switch (kind) {
        case kq::gfx::ObjectKind::Pen:
            return new CPen();
        case kq::gfx::ObjectKind::Brush:
            return new CBrush();
        case kq::gfx::ObjectKind::Font:
            return new CFont();
        case kq::gfx::ObjectKind::Bitmap:
            return new CBitmap();
        case kq::gfx::ObjectKind::Region:
            return new CRgn();
        case kq::gfx::ObjectKind::Palette:
            return new CPalette();
        default:
            return new CGdiObject();
    }
}

template <typename T, typename H>
T* Wrap(H h) {
    return dynamic_cast<T*>(kq::gfx::WrapperOf(h));
}

}  // namespace

namespace kq::gfx {

CGdiObject* WrapperOf(HGDIOBJ h) {
    if (!h)
        return nullptr;
    const ObjectKind kind = HandleTable::Instance().KindOf(h);
    if (kind == ObjectKind::None || kind == ObjectKind::Dc)
        return nullptr;
    return ObjectWrappers::Instance().Find(h, [h, kind] {
        CGdiObject* obj = MakeFor(kind);
        obj->m_hObject = h;
        return obj;
    });
}

}  // namespace kq::gfx

CGdiObject::~CGdiObject() {
    DeleteObject();
}

BOOL CGdiObject::Attach(HGDIOBJ h) {
    if (!h)
        return FALSE;
    ASSERT(m_hObject == nullptr);
    m_hObject = h;
    ObjectWrappers::Instance().Attach(h, this);
    return TRUE;
}

HGDIOBJ CGdiObject::Detach() {
    HGDIOBJ h = m_hObject;
    if (h)
        ObjectWrappers::Instance().Detach(h, this);
    m_hObject = nullptr;
    return h;
}

BOOL CGdiObject::DeleteObject() {
    if (!m_hObject)
        return FALSE;
    HGDIOBJ h = Detach();
    return ::DeleteObject(h);
}

BOOL CGdiObject::Take(HGDIOBJ h) {
    if (!h)
        return FALSE;
    DeleteObject();
    return Attach(h);
}

int CGdiObject::GetObject(int size, LPVOID out) const {
    return ::GetObject(m_hObject, size, out);
}

BOOL CPen::CreatePen(int style, int width, COLORREF color) {
    return Take(::CreatePen(style, width, color));
}
BOOL CPen::CreatePen(int style, int width, const LOGBRUSH* brush, int styleCount,
                     const DWORD* styles) {
    return Take(::ExtCreatePen(static_cast<DWORD>(style), static_cast<DWORD>(width), brush,
                               static_cast<DWORD>(styleCount), styles));
}

CBrush::CBrush(CBitmap* bitmap) {
    CreatePatternBrush(bitmap);
}
CBrush* CBrush::FromHandle(HBRUSH h) {
    return Wrap<CBrush>(h);
}
BOOL CBrush::CreateSolidBrush(COLORREF color) {
    return Take(::CreateSolidBrush(color));
}
BOOL CBrush::CreateHatchBrush(int hatch, COLORREF color) {
    return Take(::CreateHatchBrush(hatch, color));
}
BOOL CBrush::CreatePatternBrush(CBitmap* bitmap) {
    return bitmap ? Take(::CreatePatternBrush(static_cast<HBITMAP>(bitmap->m_hObject))) : FALSE;
}

CFont* CFont::FromHandle(HFONT h) {
    return Wrap<CFont>(h);
}
BOOL CFont::CreateFontIndirect(const LOGFONT* lf) {
    return Take(::CreateFontIndirect(lf));
}
BOOL CFont::CreateFont(int height, int width, int escapement, int orientation, int weight,
                       BYTE italic, BYTE underline, BYTE strikeOut, BYTE charSet, BYTE outPrecision,
                       BYTE clipPrecision, BYTE quality, BYTE pitchAndFamily, LPCTSTR faceName) {
    return Take(::CreateFont(height, width, escapement, orientation, weight, italic, underline,
                             strikeOut, charSet, outPrecision, clipPrecision, quality,
                             pitchAndFamily, faceName));
}
BOOL CFont::CreatePointFont(int pointSize, LPCTSTR faceName, CDC* dc) {
    LOGFONT lf{};
    lf.lfCharSet = DEFAULT_CHARSET;
    lf.lfHeight = pointSize;
    if (faceName)
        std::strncpy(lf.lfFaceName, faceName, LF_FACESIZE - 1);
    return CreatePointFontIndirect(&lf, dc);
}
BOOL CFont::CreatePointFontIndirect(const LOGFONT* lf, CDC* dc) {
    if (!lf)
        return FALSE;
    LOGFONT copy = *lf;
    // Tenths of a point to device pixels, then to the DC's logical units.
    const int dpi = dc && dc->m_hAttribDC ? ::GetDeviceCaps(dc->m_hAttribDC, LOGPIXELSY)
                                          : kq::gfx::DisplayCaps().logPixelsY;
    POINT pt{0, MulDiv(lf->lfHeight, dpi, 720)};
    POINT origin{0, 0};
    if (dc && dc->m_hAttribDC) {
        ::DPtoLP(dc->m_hAttribDC, &pt, 1);
        ::DPtoLP(dc->m_hAttribDC, &origin, 1);
    }
    copy.lfHeight = -std::abs(pt.y - origin.y);
    return CreateFontIndirect(&copy);
}

CBitmap* CBitmap::FromHandle(HBITMAP h) {
    return Wrap<CBitmap>(h);
}
BOOL CBitmap::CreateBitmap(int width, int height, UINT planes, UINT bitsPerPixel,
                           const void* bits) {
    return Take(::CreateBitmap(width, height, planes, bitsPerPixel, bits));
}
BOOL CBitmap::CreateCompatibleBitmap(CDC* dc, int width, int height) {
    return dc ? Take(::CreateCompatibleBitmap(dc->m_hDC, width, height)) : FALSE;
}
DWORD CBitmap::GetBitmapBits(DWORD size, LPVOID bits) const {
    return static_cast<DWORD>(
        ::GetBitmapBits(static_cast<HBITMAP>(m_hObject), static_cast<LONG>(size), bits));
}

BOOL CRgn::CreateRectRgn(int l, int t, int r, int b) {
    return Take(::CreateRectRgn(l, t, r, b));
}
BOOL CRgn::CreateRectRgnIndirect(LPCRECT rc) {
    return Take(::CreateRectRgnIndirect(rc));
}
BOOL CRgn::CreateEllipticRgn(int l, int t, int r, int b) {
    return Take(::CreateEllipticRgn(l, t, r, b));
}
BOOL CRgn::CreatePolygonRgn(LPPOINT pts, int count, int fillMode) {
    return Take(::CreatePolygonRgn(pts, count, fillMode));
}
void CRgn::SetRectRgn(int l, int t, int r, int b) {
    ::SetRectRgn(static_cast<HRGN>(m_hObject), l, t, r, b);
}
int CRgn::CombineRgn(const CRgn* a, const CRgn* b, int mode) {
    return ::CombineRgn(static_cast<HRGN>(m_hObject), a ? static_cast<HRGN>(a->m_hObject) : nullptr,
                        b ? static_cast<HRGN>(b->m_hObject) : nullptr, mode);
}
BOOL CRgn::EqualRgn(const CRgn* other) const {
    return other ? ::EqualRgn(static_cast<HRGN>(m_hObject), static_cast<HRGN>(other->m_hObject))
                 : FALSE;
}
int CRgn::OffsetRgn(int dx, int dy) {
    return ::OffsetRgn(static_cast<HRGN>(m_hObject), dx, dy);
}
int CRgn::GetRgnBox(LPRECT rc) const {
    return ::GetRgnBox(static_cast<HRGN>(m_hObject), rc);
}
BOOL CRgn::PtInRegion(int x, int y) const {
    return ::PtInRegion(static_cast<HRGN>(m_hObject), x, y);
}
BOOL CRgn::RectInRegion(LPCRECT rc) const {
    return ::RectInRegion(static_cast<HRGN>(m_hObject), rc);
}

BOOL CPalette::CreatePalette(LPLOGPALETTE lp) {
    return Take(::CreatePalette(lp));
}
UINT CPalette::GetPaletteEntries(UINT start, UINT count, LPPALETTEENTRY entries) const {
    return ::GetPaletteEntries(static_cast<HPALETTE>(m_hObject), start, count, entries);
}
int CPalette::GetEntryCount() const {
    return static_cast<int>(::GetPaletteEntries(static_cast<HPALETTE>(m_hObject), 0, 0, nullptr));
}
