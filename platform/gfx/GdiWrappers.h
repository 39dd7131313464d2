// The framework's wrappers of GDI objects: CGdiObject and CPen, CBrush, CFont, CBitmap, CRgn,
// CPalette. A wrapper owns the handle it created or attached and deletes it when destroyed;
// FromHandle gives the permanent wrapper of a handle or a temporary one that lives until the
// handle is deleted.
#pragma once

#include "platform/base/CString.h"
#include "platform/base/Geometry.h"
#include "platform/gfx/WinGdi.h"

class CDC;

class CGdiObject {
  public:
    CGdiObject() = default;
    virtual ~CGdiObject();
    CGdiObject(const CGdiObject&) = delete;
    CGdiObject& operator=(const CGdiObject&) = delete;

    HGDIOBJ m_hObject = nullptr;

    operator HGDIOBJ() const { return m_hObject; }
    HGDIOBJ GetSafeHandle() const { return m_hObject; }
    BOOL Attach(HGDIOBJ h);
    HGDIOBJ Detach();
    BOOL DeleteObject();
    int GetObject(int size, LPVOID out) const;
    BOOL UnrealizeObject() { return m_hObject != nullptr; }
    BOOL operator==(const CGdiObject& o) const { return m_hObject == o.m_hObject; }
    BOOL operator!=(const CGdiObject& o) const { return m_hObject != o.m_hObject; }

  protected:
    // Gives a newly created handle to this wrapper (deleting what it held).
    BOOL Take(HGDIOBJ h);
};

class CPen : public CGdiObject {
  public:
    CPen() = default;
    CPen(int style, int width, COLORREF color) { CreatePen(style, width, color); }
    CPen(int style, int width, const LOGBRUSH* brush, int styleCount = 0,
         const DWORD* styles = nullptr) {
        CreatePen(style, width, brush, styleCount, styles);
    }
    operator HPEN() const { return static_cast<HPEN>(m_hObject); }
    BOOL CreatePen(int style, int width, COLORREF color);
    BOOL CreatePen(int style, int width, const LOGBRUSH* brush, int styleCount = 0,
                   const DWORD* styles = nullptr);
    int GetLogPen(LOGPEN* lp) { return GetObject(sizeof(LOGPEN), lp); }
    int GetExtLogPen(EXTLOGPEN* lp) { return GetObject(sizeof(EXTLOGPEN), lp); }
};

class CBrush : public CGdiObject {
  public:
    CBrush() = default;
    explicit CBrush(COLORREF color) { CreateSolidBrush(color); }
    CBrush(int hatch, COLORREF color) { CreateHatchBrush(hatch, color); }
    explicit CBrush(class CBitmap* bitmap);
    static CBrush* FromHandle(HBRUSH h);
    operator HBRUSH() const { return static_cast<HBRUSH>(m_hObject); }
    BOOL CreateSolidBrush(COLORREF color);
    BOOL CreateHatchBrush(int hatch, COLORREF color);
    BOOL CreatePatternBrush(class CBitmap* bitmap);
    int GetLogBrush(LOGBRUSH* lb) { return GetObject(sizeof(LOGBRUSH), lb); }
};

class CFont : public CGdiObject {
  public:
    static CFont* FromHandle(HFONT h);
    operator HFONT() const { return static_cast<HFONT>(m_hObject); }
    BOOL CreateFontIndirect(const LOGFONT* lf);
    BOOL CreateFont(int height, int width, int escapement, int orientation, int weight, BYTE italic,
                    BYTE underline, BYTE strikeOut, BYTE charSet, BYTE outPrecision,
                    BYTE clipPrecision, BYTE quality, BYTE pitchAndFamily, LPCTSTR faceName);
    // Size in tenths of a point, converted with the DC's vertical resolution (the screen's when
    // dc is null).
    BOOL CreatePointFont(int pointSize, LPCTSTR faceName, CDC* dc = nullptr);
    BOOL CreatePointFontIndirect(const LOGFONT* lf, CDC* dc = nullptr);
    int GetLogFont(LOGFONT* lf) { return GetObject(sizeof(LOGFONT), lf); }
};

class CBitmap : public CGdiObject {
  public:
    static CBitmap* FromHandle(HBITMAP h);
    operator HBITMAP() const { return static_cast<HBITMAP>(m_hObject); }
    BOOL CreateBitmap(int width, int height, UINT planes, UINT bitsPerPixel, const void* bits);
    BOOL CreateCompatibleBitmap(CDC* dc, int width, int height);
    BOOL CreateDiscardableBitmap(CDC* dc, int width, int height) {
        return CreateCompatibleBitmap(dc, width, height);
    }
    int GetBitmap(BITMAP* bm) { return GetObject(sizeof(BITMAP), bm); }
    DWORD GetBitmapBits(DWORD size, LPVOID bits) const;
    // A bitmap resource (ImageLoad.h); fails when the wrapper already holds a bitmap.
    BOOL LoadBitmap(LPCTSTR name);
    BOOL LoadBitmap(UINT id);
};

class CRgn : public CGdiObject {
  public:
    operator HRGN() const { return static_cast<HRGN>(m_hObject); }
    BOOL CreateRectRgn(int l, int t, int r, int b);
    BOOL CreateRectRgnIndirect(LPCRECT rc);
    BOOL CreateEllipticRgn(int l, int t, int r, int b);
    BOOL CreatePolygonRgn(LPPOINT pts, int count, int fillMode);
    void SetRectRgn(int l, int t, int r, int b);
    void SetRectRgn(LPCRECT rc) { SetRectRgn(rc->left, rc->top, rc->right, rc->bottom); }
    int CombineRgn(const CRgn* a, const CRgn* b, int mode);
    int CopyRgn(const CRgn* src) { return CombineRgn(src, nullptr, RGN_COPY); }
    BOOL EqualRgn(const CRgn* other) const;
    int OffsetRgn(int dx, int dy);
    int OffsetRgn(POINT p) { return OffsetRgn(p.x, p.y); }
    int GetRgnBox(LPRECT rc) const;
    BOOL PtInRegion(int x, int y) const;
    BOOL PtInRegion(POINT p) const { return PtInRegion(p.x, p.y); }
    BOOL RectInRegion(LPCRECT rc) const;
};

class CPalette : public CGdiObject {
  public:
    operator HPALETTE() const { return static_cast<HPALETTE>(m_hObject); }
    BOOL CreatePalette(LPLOGPALETTE lp);
    UINT GetPaletteEntries(UINT start, UINT count, LPPALETTEENTRY entries) const;
    int GetEntryCount() const;
};

namespace kq::gfx {
// The permanent wrapper of a handle, or a temporary one of the class of the handle's kind.
CGdiObject* WrapperOf(HGDIOBJ h);
}  // namespace kq::gfx
