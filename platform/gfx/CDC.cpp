#include "platform/gfx/CDC.h"

#include "platform/gfx/DeviceContext.h"
#include "platform/gfx/HandleTable.h"
#include "platform/gfx/HandleWrapperMap.h"
#include "platform/gfx/Saturate.h"

namespace {

void ClearDc(CDC& dc) {
    dc.m_hDC = nullptr;
    dc.m_hAttribDC = nullptr;
}

using DcWrappers = kq::gfx::HandleWrapperMap<CDC, &ClearDc>;

template <typename T>
T* Wrap(HGDIOBJ h) {
    return dynamic_cast<T*>(kq::gfx::WrapperOf(h));
}

}  // namespace

CDC::~CDC() {
    if (m_hDC)
        DeleteDC();
}

CDC* CDC::FromHandle(HDC hdc) {
    if (!hdc || !kq::gfx::LookupDc(hdc))
        return nullptr;
    return DcWrappers::Instance().Find(hdc, [hdc] {
        auto* dc = new CDC();
        dc->m_hDC = hdc;
        dc->m_hAttribDC = hdc;
        return dc;
    });
}

CBrush* CDC::GetHalftoneBrush() {
    static CBrush* brush = [] {
        // Rows alternate 0x55 and 0xAA: every other pixel, shifted on each row.
        const WORD rows[8] = {0x5555, 0xAAAA, 0x5555, 0xAAAA, 0x5555, 0xAAAA, 0x5555, 0xAAAA};
        CBitmap pattern;
        pattern.CreateBitmap(8, 8, 1, 1, rows);
        auto* b = new CBrush();  // lives for the whole program
        b->CreatePatternBrush(&pattern);
        return b;
    }();
    return brush;
}

BOOL CDC::Attach(HDC hdc) {
    if (!hdc)
        return FALSE;
    ASSERT(m_hDC == nullptr);
    m_hDC = hdc;
    m_hAttribDC = hdc;
    DcWrappers::Instance().Attach(hdc, this);
    return TRUE;
}

HDC CDC::Detach() {
    HDC h = m_hDC;
    if (h)
        DcWrappers::Instance().Detach(h, this);
    m_hDC = nullptr;
    m_hAttribDC = nullptr;
    return h;
}

BOOL CDC::CreateCompatibleDC(CDC* dc) {
    HDC h = ::CreateCompatibleDC(dc ? dc->m_hDC : nullptr);
    return h ? Attach(h) : FALSE;
}

BOOL CDC::DeleteDC() {
    if (!m_hDC)
        return FALSE;
    return ::DeleteDC(Detach());
}

int CDC::SaveDC() {
    int level = 0;
    if (m_hAttribDC)
        level = ::SaveDC(m_hAttribDC);
    if (m_hDC && m_hDC != m_hAttribDC)
        level = ::SaveDC(m_hDC);
    return level;
}

BOOL CDC::RestoreDC(int savedDc) {
    BOOL ok = TRUE;
    if (m_hDC && m_hDC != m_hAttribDC)
        ok = ::RestoreDC(m_hDC, savedDc);
    if (m_hAttribDC)
        ok = ::RestoreDC(m_hAttribDC, savedDc) && ok;
    return ok;
}

HGDIOBJ CDC::SelectObject(HGDIOBJ obj) {
    HGDIOBJ old = nullptr;
    if (m_hDC && m_hDC != m_hAttribDC)
        old = ::SelectObject(m_hDC, obj);
    if (m_hAttribDC)
        old = ::SelectObject(m_hAttribDC, obj);
    return old;
}

CPen* CDC::SelectObject(CPen* pen) {
    return Wrap<CPen>(SelectObject(pen ? pen->m_hObject : nullptr));
}
CBrush* CDC::SelectObject(CBrush* brush) {
    return Wrap<CBrush>(SelectObject(brush ? brush->m_hObject : nullptr));
}
CFont* CDC::SelectObject(CFont* font) {
    return Wrap<CFont>(SelectObject(font ? font->m_hObject : nullptr));
}
CBitmap* CDC::SelectObject(CBitmap* bitmap) {
    return Wrap<CBitmap>(SelectObject(bitmap ? bitmap->m_hObject : nullptr));
}
CGdiObject* CDC::SelectObject(CGdiObject* obj) {
    return kq::gfx::WrapperOf(SelectObject(obj ? obj->m_hObject : nullptr));
}
CGdiObject* CDC::SelectStockObject(int index) {
    return kq::gfx::WrapperOf(SelectObject(::GetStockObject(index)));
}
CPen* CDC::GetCurrentPen() const {
    return Wrap<CPen>(::GetCurrentObject(m_hDC, OBJ_PEN));
}
CFont* CDC::GetCurrentFont() const {
    return Wrap<CFont>(::GetCurrentObject(m_hDC, OBJ_FONT));
}
CPalette* CDC::SelectPalette(CPalette* palette, BOOL forceBackground) {
    return Wrap<CPalette>(::SelectPalette(
        m_hDC, palette ? static_cast<HPALETTE>(palette->m_hObject) : nullptr, forceBackground));
}

namespace {

// Applies a setter to the output and attribute handles and returns the attribute's old value.
template <typename T, typename Fn>
T Both(HDC out, HDC attrib, Fn&& fn) {
    T old{};
    if (out && out != attrib)
        old = fn(out);
    if (attrib)
        old = fn(attrib);
    return old;
}

}  // namespace

COLORREF CDC::SetBkColor(COLORREF c) {
    return Both<COLORREF>(m_hDC, m_hAttribDC, [&](HDC h) { return ::SetBkColor(h, c); });
}
COLORREF CDC::SetTextColor(COLORREF c) {
    return Both<COLORREF>(m_hDC, m_hAttribDC, [&](HDC h) { return ::SetTextColor(h, c); });
}
int CDC::SetBkMode(int mode) {
    return Both<int>(m_hDC, m_hAttribDC, [&](HDC h) { return ::SetBkMode(h, mode); });
}
int CDC::SetROP2(int rop2) {
    return Both<int>(m_hDC, m_hAttribDC, [&](HDC h) { return ::SetROP2(h, rop2); });
}
int CDC::SetPolyFillMode(int mode) {
    return Both<int>(m_hDC, m_hAttribDC, [&](HDC h) { return ::SetPolyFillMode(h, mode); });
}
int CDC::SetStretchBltMode(int mode) {
    return Both<int>(m_hDC, m_hAttribDC, [&](HDC h) { return ::SetStretchBltMode(h, mode); });
}
UINT CDC::SetTextAlign(UINT align) {
    return Both<UINT>(m_hDC, m_hAttribDC, [&](HDC h) { return ::SetTextAlign(h, align); });
}
int CDC::SetArcDirection(int direction) {
    return Both<int>(m_hDC, m_hAttribDC, [&](HDC h) { return ::SetArcDirection(h, direction); });
}
CPoint CDC::SetBrushOrg(int x, int y) {
    POINT old{0, 0};
    ::SetBrushOrgEx(m_hDC, x, y, &old);
    return old;
}

int CDC::SetMapMode(int mode) {
    return Both<int>(m_hDC, m_hAttribDC, [&](HDC h) { return ::SetMapMode(h, mode); });
}
CPoint CDC::SetViewportOrg(int x, int y) {
    return Both<CPoint>(m_hDC, m_hAttribDC, [&](HDC h) {
        POINT old{0, 0};
        ::SetViewportOrgEx(h, x, y, &old);
        return CPoint(old);
    });
}
CPoint CDC::OffsetViewportOrg(int dx, int dy) {
    return Both<CPoint>(m_hDC, m_hAttribDC, [&](HDC h) {
        POINT old{0, 0};
        ::OffsetViewportOrgEx(h, dx, dy, &old);
        return CPoint(old);
    });
}
CPoint CDC::GetViewportOrg() const {
    POINT p{0, 0};
    ::GetViewportOrgEx(m_hAttribDC, &p);
    return p;
}
CSize CDC::SetViewportExt(int cx, int cy) {
    return Both<CSize>(m_hDC, m_hAttribDC, [&](HDC h) {
        SIZE old{0, 0};
        ::SetViewportExtEx(h, cx, cy, &old);
        return CSize(old);
    });
}
CSize CDC::ScaleViewportExt(int xNum, int xDenom, int yNum, int yDenom) {
    return Both<CSize>(m_hDC, m_hAttribDC, [&](HDC h) {
        SIZE old{0, 0};
        ::ScaleViewportExtEx(h, xNum, xDenom, yNum, yDenom, &old);
        return CSize(old);
    });
}
CSize CDC::GetViewportExt() const {
    SIZE s{0, 0};
    ::GetViewportExtEx(m_hAttribDC, &s);
    return s;
}
CPoint CDC::SetWindowOrg(int x, int y) {
    return Both<CPoint>(m_hDC, m_hAttribDC, [&](HDC h) {
        POINT old{0, 0};
        ::SetWindowOrgEx(h, x, y, &old);
        return CPoint(old);
    });
}
CSize CDC::SetWindowExt(int cx, int cy) {
    return Both<CSize>(m_hDC, m_hAttribDC, [&](HDC h) {
        SIZE old{0, 0};
        ::SetWindowExtEx(h, cx, cy, &old);
        return CSize(old);
    });
}
CSize CDC::ScaleWindowExt(int xNum, int xDenom, int yNum, int yDenom) {
    return Both<CSize>(m_hDC, m_hAttribDC, [&](HDC h) {
        SIZE old{0, 0};
        ::ScaleWindowExtEx(h, xNum, xDenom, yNum, yDenom, &old);
        return CSize(old);
    });
}
CSize CDC::GetWindowExt() const {
    SIZE s{0, 0};
    ::GetWindowExtEx(m_hAttribDC, &s);
    return s;
}

int CDC::SelectClipRgn(CRgn* rgn) {
    return SelectClipRgn(rgn, RGN_COPY);
}
int CDC::SelectClipRgn(CRgn* rgn, int mode) {
    HRGN h = rgn ? static_cast<HRGN>(rgn->m_hObject) : nullptr;
    return Both<int>(m_hDC, m_hAttribDC, [&](HDC dc) { return ::ExtSelectClipRgn(dc, h, mode); });
}
int CDC::IntersectClipRect(int l, int t, int r, int b) {
    return Both<int>(m_hDC, m_hAttribDC, [&](HDC h) { return ::IntersectClipRect(h, l, t, r, b); });
}
int CDC::ExcludeClipRect(int l, int t, int r, int b) {
    return Both<int>(m_hDC, m_hAttribDC, [&](HDC h) { return ::ExcludeClipRect(h, l, t, r, b); });
}
int CDC::OffsetClipRgn(int dx, int dy) {
    return Both<int>(m_hDC, m_hAttribDC, [&](HDC h) { return ::OffsetClipRgn(h, dx, dy); });
}
int CDC::GetClipBox(LPRECT rc) const {
    return ::GetClipBox(m_hDC, rc);
}

CPoint CDC::MoveTo(int x, int y) {
    POINT old{0, 0};
    if (m_hDC && m_hDC != m_hAttribDC)
        ::MoveToEx(m_hDC, x, y, &old);
    if (m_hAttribDC)
        ::MoveToEx(m_hAttribDC, x, y, &old);
    return old;
}
BOOL CDC::LineTo(int x, int y) {
    if (m_hAttribDC && m_hAttribDC != m_hDC)
        ::MoveToEx(m_hAttribDC, x, y, nullptr);
    return ::LineTo(m_hDC, x, y);
}
CPoint CDC::GetCurrentPosition() const {
    POINT p{0, 0};
    ::GetCurrentPositionEx(m_hAttribDC, &p);
    return p;
}
BOOL CDC::ArcTo(int l, int t, int r, int b, int x1, int y1, int x2, int y2) {
    const BOOL ok = ::ArcTo(m_hDC, l, t, r, b, x1, y1, x2, y2);
    if (ok && m_hAttribDC && m_hAttribDC != m_hDC) {
        POINT p{0, 0};
        ::GetCurrentPositionEx(m_hDC, &p);
        ::MoveToEx(m_hAttribDC, p.x, p.y, nullptr);
    }
    return ok;
}

void CDC::FillRect(LPCRECT rc, CBrush* brush) {
    ::FillRect(m_hDC, rc, brush ? static_cast<HBRUSH>(brush->m_hObject) : nullptr);
}
void CDC::FrameRect(LPCRECT rc, CBrush* brush) {
    ::FrameRect(m_hDC, rc, brush ? static_cast<HBRUSH>(brush->m_hObject) : nullptr);
}
// The fill colour stays the background colour afterwards, as programs written for this class
// expect: text drawn opaquely after filling a box gets the box's colour behind it.
void CDC::FillSolidRect(LPCRECT rc, COLORREF c) {
    ::SetBkColor(m_hDC, c);
    ::ExtTextOut(m_hDC, 0, 0, ETO_OPAQUE, rc, nullptr, 0, nullptr);
}
void CDC::FillSolidRect(int x, int y, int cx, int cy, COLORREF c) {
    const RECT rc{x, y, kq::gfx::SaturatingSum(x, cx), kq::gfx::SaturatingSum(y, cy)};
    FillSolidRect(&rc, c);
}
void CDC::Draw3dRect(LPCRECT rc, COLORREF topLeft, COLORREF bottomRight) {
    Draw3dRect(rc->left, rc->top, rc->right - rc->left, rc->bottom - rc->top, topLeft, bottomRight);
}
void CDC::Draw3dRect(int x, int y, int cx, int cy, COLORREF topLeft, COLORREF bottomRight) {
    // Top and left in the first colour (less the far corners), right and bottom in the second.
    FillSolidRect(x, y, cx - 1, 1, topLeft);
    FillSolidRect(x, y, 1, cy - 1, topLeft);
    FillSolidRect(kq::gfx::SaturatingSum(x, cx), y, -1, cy, bottomRight);
    FillSolidRect(x, kq::gfx::SaturatingSum(y, cy), cx, -1, bottomRight);
}
BOOL CDC::FillRgn(CRgn* rgn, CBrush* brush) {
    return rgn && brush ? ::FillRgn(m_hDC, static_cast<HRGN>(rgn->m_hObject),
                                    static_cast<HBRUSH>(brush->m_hObject))
                        : FALSE;
}
BOOL CDC::FrameRgn(CRgn* rgn, CBrush* brush, int w, int h) {
    return rgn && brush ? ::FrameRgn(m_hDC, static_cast<HRGN>(rgn->m_hObject),
                                     static_cast<HBRUSH>(brush->m_hObject), w, h)
                        : FALSE;
}
BOOL CDC::InvertRgn(CRgn* rgn) {
    return rgn ? ::InvertRgn(m_hDC, static_cast<HRGN>(rgn->m_hObject)) : FALSE;
}

BOOL CDC::BitBlt(int x, int y, int w, int h, CDC* src, int sx, int sy, DWORD rop) {
    return ::BitBlt(m_hDC, x, y, w, h, src ? src->m_hDC : nullptr, sx, sy, rop);
}
BOOL CDC::StretchBlt(int x, int y, int w, int h, CDC* src, int sx, int sy, int sw, int sh,
                     DWORD rop) {
    return ::StretchBlt(m_hDC, x, y, w, h, src ? src->m_hDC : nullptr, sx, sy, sw, sh, rop);
}
BOOL CDC::AlphaBlend(int x, int y, int w, int h, CDC* src, int sx, int sy, int sw, int sh,
                     BLENDFUNCTION blend) {
    return src ? ::AlphaBlend(m_hDC, x, y, w, h, src->m_hDC, sx, sy, sw, sh, blend) : FALSE;
}
BOOL CDC::TransparentBlt(int x, int y, int w, int h, CDC* src, int sx, int sy, int sw, int sh,
                         UINT transparent) {
    return src ? ::TransparentBlt(m_hDC, x, y, w, h, src->m_hDC, sx, sy, sw, sh, transparent)
               : FALSE;
}

BOOL CDC::DrawState(CPoint pt, CSize size, HBITMAP bitmap, UINT flags, HBRUSH brush) {
    return ::DrawState(m_hDC, brush, nullptr, reinterpret_cast<LPARAM>(bitmap), 0, pt.x, pt.y,
                       size.cx, size.cy, flags | DST_BITMAP);
}
BOOL CDC::DrawState(CPoint pt, CSize size, CBitmap* bitmap, UINT flags, CBrush* brush) {
    return DrawState(pt, size, bitmap ? static_cast<HBITMAP>(bitmap->m_hObject) : nullptr, flags,
                     brush ? static_cast<HBRUSH>(brush->m_hObject) : nullptr);
}
BOOL CDC::DrawState(CPoint pt, CSize size, HICON icon, UINT flags, HBRUSH brush) {
    return ::DrawState(m_hDC, brush, nullptr, reinterpret_cast<LPARAM>(icon), 0, pt.x, pt.y,
                       size.cx, size.cy, flags | DST_ICON);
}
BOOL CDC::DrawState(CPoint pt, CSize size, HICON icon, UINT flags, CBrush* brush) {
    return DrawState(pt, size, icon, flags,
                     brush ? static_cast<HBRUSH>(brush->m_hObject) : nullptr);
}
BOOL CDC::DrawState(CPoint pt, CSize size, LPCTSTR text, UINT flags, BOOL prefixText, int length,
                    HBRUSH brush) {
    return ::DrawState(m_hDC, brush, nullptr, reinterpret_cast<LPARAM>(text),
                       static_cast<WPARAM>(length), pt.x, pt.y, size.cx, size.cy,
                       flags | (prefixText ? DST_PREFIXTEXT : DST_TEXT));
}

BOOL CDC::TextOut(int x, int y, LPCTSTR text, int length) {
    const BOOL ok = ::TextOut(m_hDC, x, y, text, length);
    if (ok && m_hAttribDC && m_hAttribDC != m_hDC && (GetTextAlign() & TA_UPDATECP)) {
        POINT p{0, 0};
        ::GetCurrentPositionEx(m_hDC, &p);
        ::MoveToEx(m_hAttribDC, p.x, p.y, nullptr);
    }
    return ok;
}
BOOL CDC::ExtTextOut(int x, int y, UINT options, LPCRECT rc, LPCTSTR text, UINT length, LPINT dx) {
    return ::ExtTextOut(m_hDC, x, y, options, rc, text, length, dx);
}
CSize CDC::TabbedTextOut(int x, int y, LPCTSTR text, int length, int tabPositions, LPINT tabStops,
                         int tabOrigin) {
    const LONG v = ::TabbedTextOut(m_hDC, x, y, text, length, tabPositions, tabStops, tabOrigin);
    return CSize(static_cast<DWORD>(v));
}
int CDC::DrawText(LPCTSTR text, int length, LPRECT rc, UINT format) {
    return ::DrawText(m_hDC, text, length, rc, format);
}
int CDC::DrawTextEx(LPTSTR text, int length, LPRECT rc, UINT format, LPDRAWTEXTPARAMS params) {
    return ::DrawTextEx(m_hDC, text, length, rc, format, params);
}
CSize CDC::GetTextExtent(LPCTSTR text, int length) const {
    SIZE s{0, 0};
    ::GetTextExtentPoint32(m_hAttribDC, text, length, &s);
    return s;
}
CSize CDC::GetTabbedTextExtent(LPCTSTR text, int length, int tabPositions, LPINT tabStops) const {
    return CSize(::GetTabbedTextExtent(m_hAttribDC, text, length, tabPositions, tabStops));
}
int CDC::GetTextFace(CString& face) const {
    char buf[LF_FACESIZE * 2] = {};
    const int n = ::GetTextFace(m_hAttribDC, static_cast<int>(sizeof(buf)), buf);
    face = buf;
    return n;
}
int CDC::StartDoc(LPCTSTR name) {
    DOCINFO info{};
    info.cbSize = sizeof(info);
    info.lpszDocName = name;
    return ::StartDoc(m_hDC, &info);
}
