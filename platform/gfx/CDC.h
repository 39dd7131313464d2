// The framework's device context class. m_hDC receives output, m_hAttribDC answers queries;
// both are the same handle except where a print preview separates them. A CDC that created or
// attached a handle deletes it when destroyed; FromHandle gives a temporary CDC that lives until
// the handle is deleted.
#pragma once

#include "platform/base/CString.h"
#include "platform/base/Geometry.h"
#include "platform/gfx/GdiWrappers.h"
#include "platform/gfx/Icons.h"
#include "platform/gfx/UserDraw.h"
#include "platform/gfx/WinGdi.h"

class CDC {
  public:
    CDC() = default;
    virtual ~CDC();
    CDC(const CDC&) = delete;
    CDC& operator=(const CDC&) = delete;

    HDC m_hDC = nullptr;
    HDC m_hAttribDC = nullptr;
    BOOL m_bPrinting = FALSE;

    operator HDC() const { return m_hDC; }
    HDC GetSafeHdc() const { return m_hDC; }
    static CDC* FromHandle(HDC hdc);
    // A 50 % grey checker brush (alternate pixels), as used to draw tracking rectangles with
    // PATINVERT. It lives for the whole program.
    static CBrush* GetHalftoneBrush();
    BOOL Attach(HDC hdc);
    HDC Detach();
    virtual void SetAttribDC(HDC hdc) { m_hAttribDC = hdc; }
    virtual void SetOutputDC(HDC hdc) { m_hDC = hdc; }
    virtual void ReleaseAttribDC() { m_hAttribDC = nullptr; }
    virtual void ReleaseOutputDC() { m_hDC = nullptr; }
    BOOL IsPrinting() const { return m_bPrinting; }
    BOOL CreateCompatibleDC(CDC* dc);
    BOOL DeleteDC();

    // State.
    virtual int SaveDC();
    virtual BOOL RestoreDC(int savedDc);
    int GetDeviceCaps(int index) const { return ::GetDeviceCaps(m_hAttribDC, index); }
    CPen* SelectObject(CPen* pen);
    CBrush* SelectObject(CBrush* brush);
    virtual CFont* SelectObject(CFont* font);
    CBitmap* SelectObject(CBitmap* bitmap);
    CGdiObject* SelectObject(CGdiObject* obj);
    HGDIOBJ SelectObject(HGDIOBJ obj);
    virtual CGdiObject* SelectStockObject(int index);
    CPen* GetCurrentPen() const;
    CFont* GetCurrentFont() const;
    CPalette* SelectPalette(CPalette* palette, BOOL forceBackground);
    UINT RealizePalette() { return ::RealizePalette(m_hDC); }

    virtual COLORREF SetBkColor(COLORREF color);
    COLORREF GetBkColor() const { return ::GetBkColor(m_hAttribDC); }
    virtual COLORREF SetTextColor(COLORREF color);
    COLORREF GetTextColor() const { return ::GetTextColor(m_hAttribDC); }
    int SetBkMode(int mode);
    int GetBkMode() const { return ::GetBkMode(m_hAttribDC); }
    int SetROP2(int rop2);
    int GetROP2() const { return ::GetROP2(m_hAttribDC); }
    int SetPolyFillMode(int mode);
    int SetStretchBltMode(int mode);
    UINT SetTextAlign(UINT align);
    UINT GetTextAlign() const { return ::GetTextAlign(m_hAttribDC); }
    int SetArcDirection(int direction);
    CPoint SetBrushOrg(int x, int y);
    CPoint SetBrushOrg(POINT p) { return SetBrushOrg(p.x, p.y); }

    // Mapping.
    virtual int SetMapMode(int mode);
    int GetMapMode() const { return ::GetMapMode(m_hAttribDC); }
    virtual CPoint SetViewportOrg(int x, int y);
    CPoint SetViewportOrg(POINT p) { return SetViewportOrg(p.x, p.y); }
    virtual CPoint OffsetViewportOrg(int dx, int dy);
    CPoint GetViewportOrg() const;
    virtual CSize SetViewportExt(int cx, int cy);
    CSize SetViewportExt(SIZE s) { return SetViewportExt(s.cx, s.cy); }
    virtual CSize ScaleViewportExt(int xNum, int xDenom, int yNum, int yDenom);
    CSize GetViewportExt() const;
    CPoint SetWindowOrg(int x, int y);
    CPoint SetWindowOrg(POINT p) { return SetWindowOrg(p.x, p.y); }
    virtual CSize SetWindowExt(int cx, int cy);
    CSize SetWindowExt(SIZE s) { return SetWindowExt(s.cx, s.cy); }
    virtual CSize ScaleWindowExt(int xNum, int xDenom, int yNum, int yDenom);
    CSize GetWindowExt() const;
    void LPtoDP(LPPOINT pts, int count = 1) const { ::LPtoDP(m_hAttribDC, pts, count); }
    void LPtoDP(LPRECT rc) const { ::LPtoDP(m_hAttribDC, reinterpret_cast<LPPOINT>(rc), 2); }
    void DPtoLP(LPPOINT pts, int count = 1) const { ::DPtoLP(m_hAttribDC, pts, count); }
    void DPtoLP(LPRECT rc) const { ::DPtoLP(m_hAttribDC, reinterpret_cast<LPPOINT>(rc), 2); }

    // Clipping.
    virtual int SelectClipRgn(CRgn* rgn);
    int SelectClipRgn(CRgn* rgn, int mode);
    int IntersectClipRect(int l, int t, int r, int b);
    int IntersectClipRect(LPCRECT rc) {
        return IntersectClipRect(rc->left, rc->top, rc->right, rc->bottom);
    }
    int ExcludeClipRect(int l, int t, int r, int b);
    int ExcludeClipRect(LPCRECT rc) {
        return ExcludeClipRect(rc->left, rc->top, rc->right, rc->bottom);
    }
    int OffsetClipRgn(int dx, int dy);
    int OffsetClipRgn(SIZE s) { return OffsetClipRgn(s.cx, s.cy); }
    virtual int GetClipBox(LPRECT rc) const;
    BOOL PtVisible(int x, int y) const { return ::PtVisible(m_hDC, x, y); }
    BOOL PtVisible(POINT p) const { return PtVisible(p.x, p.y); }
    BOOL RectVisible(LPCRECT rc) const { return ::RectVisible(m_hDC, rc); }

    // Lines and shapes.
    CPoint MoveTo(int x, int y);
    CPoint MoveTo(POINT p) { return MoveTo(p.x, p.y); }
    BOOL LineTo(int x, int y);
    BOOL LineTo(POINT p) { return LineTo(p.x, p.y); }
    CPoint GetCurrentPosition() const;
    BOOL Polyline(const POINT* pts, int count) { return ::Polyline(m_hDC, pts, count); }
    BOOL Polygon(const POINT* pts, int count) { return ::Polygon(m_hDC, pts, count); }
    BOOL Rectangle(int l, int t, int r, int b) { return ::Rectangle(m_hDC, l, t, r, b); }
    BOOL Rectangle(LPCRECT rc) { return Rectangle(rc->left, rc->top, rc->right, rc->bottom); }
    BOOL RoundRect(int l, int t, int r, int b, int w, int h) {
        return ::RoundRect(m_hDC, l, t, r, b, w, h);
    }
    BOOL RoundRect(LPCRECT rc, POINT p) {
        return RoundRect(rc->left, rc->top, rc->right, rc->bottom, p.x, p.y);
    }
    BOOL Ellipse(int l, int t, int r, int b) { return ::Ellipse(m_hDC, l, t, r, b); }
    BOOL Ellipse(LPCRECT rc) { return Ellipse(rc->left, rc->top, rc->right, rc->bottom); }
    BOOL Arc(int l, int t, int r, int b, int x1, int y1, int x2, int y2) {
        return ::Arc(m_hDC, l, t, r, b, x1, y1, x2, y2);
    }
    BOOL Arc(LPCRECT rc, POINT start, POINT end) {
        return Arc(rc->left, rc->top, rc->right, rc->bottom, start.x, start.y, end.x, end.y);
    }
    BOOL ArcTo(int l, int t, int r, int b, int x1, int y1, int x2, int y2);
    BOOL ArcTo(LPCRECT rc, POINT start, POINT end) {
        return ArcTo(rc->left, rc->top, rc->right, rc->bottom, start.x, start.y, end.x, end.y);
    }
    BOOL Pie(int l, int t, int r, int b, int x1, int y1, int x2, int y2) {
        return ::Pie(m_hDC, l, t, r, b, x1, y1, x2, y2);
    }
    BOOL Pie(LPCRECT rc, POINT start, POINT end) {
        return Pie(rc->left, rc->top, rc->right, rc->bottom, start.x, start.y, end.x, end.y);
    }
    COLORREF SetPixel(int x, int y, COLORREF c) { return ::SetPixel(m_hDC, x, y, c); }
    COLORREF SetPixel(POINT p, COLORREF c) { return SetPixel(p.x, p.y, c); }
    BOOL SetPixelV(int x, int y, COLORREF c) { return ::SetPixelV(m_hDC, x, y, c); }
    BOOL SetPixelV(POINT p, COLORREF c) { return SetPixelV(p.x, p.y, c); }
    COLORREF GetPixel(int x, int y) const { return ::GetPixel(m_hDC, x, y); }
    COLORREF GetPixel(POINT p) const { return GetPixel(p.x, p.y); }

    // Rectangles and frames.
    void FillRect(LPCRECT rc, CBrush* brush);
    void FrameRect(LPCRECT rc, CBrush* brush);
    void InvertRect(LPCRECT rc) { ::InvertRect(m_hDC, rc); }
    // Leaves c as the background colour (Draw3dRect likewise leaves its second colour).
    void FillSolidRect(LPCRECT rc, COLORREF c);
    void FillSolidRect(int x, int y, int cx, int cy, COLORREF c);
    void Draw3dRect(LPCRECT rc, COLORREF topLeft, COLORREF bottomRight);
    void Draw3dRect(int x, int y, int cx, int cy, COLORREF topLeft, COLORREF bottomRight);
    void DrawFocusRect(LPCRECT rc) { ::DrawFocusRect(m_hDC, rc); }
    BOOL DrawEdge(LPRECT rc, UINT edge, UINT flags) { return ::DrawEdge(m_hDC, rc, edge, flags); }
    BOOL DrawFrameControl(LPRECT rc, UINT type, UINT state) {
        return ::DrawFrameControl(m_hDC, rc, type, state);
    }
    BOOL FillRgn(CRgn* rgn, CBrush* brush);
    BOOL FrameRgn(CRgn* rgn, CBrush* brush, int w, int h);
    BOOL InvertRgn(CRgn* rgn);

    // Block transfers.
    BOOL PatBlt(int x, int y, int w, int h, DWORD rop) { return ::PatBlt(m_hDC, x, y, w, h, rop); }
    BOOL BitBlt(int x, int y, int w, int h, CDC* src, int sx, int sy, DWORD rop);
    BOOL StretchBlt(int x, int y, int w, int h, CDC* src, int sx, int sy, int sw, int sh,
                    DWORD rop);
    BOOL AlphaBlend(int x, int y, int w, int h, CDC* src, int sx, int sy, int sw, int sh,
                    BLENDFUNCTION blend);
    BOOL TransparentBlt(int x, int y, int w, int h, CDC* src, int sx, int sy, int sw, int sh,
                        UINT transparent);

    // Icons and states.
    BOOL DrawIcon(int x, int y, HICON icon) { return ::DrawIcon(m_hDC, x, y, icon); }
    BOOL DrawIcon(POINT p, HICON icon) { return DrawIcon(p.x, p.y, icon); }
    BOOL DrawState(CPoint pt, CSize size, HBITMAP bitmap, UINT flags, HBRUSH brush = nullptr);
    BOOL DrawState(CPoint pt, CSize size, CBitmap* bitmap, UINT flags, CBrush* brush = nullptr);
    BOOL DrawState(CPoint pt, CSize size, HICON icon, UINT flags, HBRUSH brush = nullptr);
    BOOL DrawState(CPoint pt, CSize size, HICON icon, UINT flags, CBrush* brush);
    BOOL DrawState(CPoint pt, CSize size, LPCTSTR text, UINT flags, BOOL prefixText = TRUE,
                   int length = 0, HBRUSH brush = nullptr);

    // Text.
    virtual BOOL TextOut(int x, int y, LPCTSTR text, int length);
    BOOL TextOut(int x, int y, const CString& text) {
        return TextOut(x, y, text.GetString(), text.GetLength());
    }
    virtual BOOL ExtTextOut(int x, int y, UINT options, LPCRECT rc, LPCTSTR text, UINT length,
                            LPINT dx);
    BOOL ExtTextOut(int x, int y, UINT options, LPCRECT rc, const CString& text, LPINT dx) {
        return ExtTextOut(x, y, options, rc, text.GetString(), static_cast<UINT>(text.GetLength()),
                          dx);
    }
    virtual CSize TabbedTextOut(int x, int y, LPCTSTR text, int length, int tabPositions,
                                LPINT tabStops, int tabOrigin);
    CSize TabbedTextOut(int x, int y, const CString& text, int tabPositions, LPINT tabStops,
                        int tabOrigin) {
        return TabbedTextOut(x, y, text.GetString(), text.GetLength(), tabPositions, tabStops,
                             tabOrigin);
    }
    virtual int DrawText(LPCTSTR text, int length, LPRECT rc, UINT format);
    virtual int DrawText(const CString& text, LPRECT rc, UINT format) {
        return DrawText(text.GetString(), text.GetLength(), rc, format);
    }
    virtual int DrawTextEx(LPTSTR text, int length, LPRECT rc, UINT format,
                           LPDRAWTEXTPARAMS params);
    CSize GetTextExtent(LPCTSTR text, int length) const;
    CSize GetTextExtent(const CString& text) const {
        return GetTextExtent(text.GetString(), text.GetLength());
    }
    CSize GetTabbedTextExtent(LPCTSTR text, int length, int tabPositions, LPINT tabStops) const;
    CSize GetTabbedTextExtent(const CString& text, int tabPositions, LPINT tabStops) const {
        return GetTabbedTextExtent(text.GetString(), text.GetLength(), tabPositions, tabStops);
    }
    BOOL GetTextMetrics(LPTEXTMETRIC tm) const { return ::GetTextMetrics(m_hAttribDC, tm); }
    BOOL GetOutputTextMetrics(LPTEXTMETRIC tm) const { return ::GetTextMetrics(m_hDC, tm); }
    BOOL GetCharWidth(UINT first, UINT last, LPINT widths) const {
        return ::GetCharWidth32(m_hAttribDC, first, last, widths);
    }
    int GetTextFace(int count, LPTSTR face) const {
        return ::GetTextFace(m_hAttribDC, count, face);
    }
    int GetTextFace(CString& face) const;

    // Printing.
    int StartDoc(LPDOCINFO info) { return ::StartDoc(m_hDC, info); }
    int StartDoc(LPCTSTR name);
    int StartPage() { return ::StartPage(m_hDC); }
    int EndPage() { return ::EndPage(m_hDC); }
    int EndDoc() { return ::EndDoc(m_hDC); }
    int AbortDoc() { return ::AbortDoc(m_hDC); }
    virtual int Escape(int escape, int inSize, LPCSTR in, LPVOID out) {
        return ::Escape(m_hDC, escape, inSize, in, out);
    }
};
