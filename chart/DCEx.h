// The device context all chart drawing goes through. On the screen it draws what it is given;
// while a chart is printed its print-scaling flag multiplies every coordinate by the ratio of
// the target's to the screen's resolution, so that the page keeps the screen's layout. Its
// low-colour flag tells the objects to draw in black and white.
#pragma once

#include "platform/gfx/CDC.h"

class CDCEx : public CDC {
  public:
    bool m_bScaleComputed = false;
    bool m_bLowColor = false;
    bool m_bPrintScaling = false;
    bool m_bClipUnscaled = false;
    float m_fHorzFactor = 1.0f;
    float m_fVertFactor = 1.0f;

    // Factors = the larger of target and screen dpi over the smaller (1 when either is not
    // positive); the low-colour flag from the target's NUMCOLORS.
    void ComputeScale(HDC target);
    void EnsureScale();

    void ScaleRect(CRect& rc);
    void ScalePoint(CPoint& pt);
    void ScaleXY(int& x, int& y);

    COLORREF SetBkColor(COLORREF color) override { return CDC::SetBkColor(color); }
    COLORREF SetTextColor(COLORREF color) override { return CDC::SetTextColor(color); }

    CPoint MoveTo(int x, int y);
    CPoint MoveTo(POINT p) { return MoveTo(p.x, p.y); }
    BOOL LineTo(int x, int y);
    BOOL LineTo(POINT p) { return LineTo(p.x, p.y); }
    BOOL Ellipse(int l, int t, int r, int b);
    BOOL Ellipse(LPCRECT rc) { return Ellipse(rc->left, rc->top, rc->right, rc->bottom); }
    BOOL Rectangle(int l, int t, int r, int b);
    BOOL Rectangle(LPCRECT rc) { return Rectangle(rc->left, rc->top, rc->right, rc->bottom); }
    void FillRect(LPCRECT rc, CBrush* brush);
    void DrawFocusRect(LPCRECT rc);
    void FillSolidRect(LPCRECT rc, COLORREF c);
    void FillSolidRect(int x, int y, int cx, int cy, COLORREF c);
    BOOL Polygon(const POINT* pts, int count);
    // The chart's curves draw their reduced vertices in one call.
    BOOL Polyline(const POINT* pts, int count);
    using CDC::DrawText;
    // With DT_CALCRECT under print scaling the caller's rectangle is scaled, then measured.
    int DrawText(LPCTSTR text, int length, LPRECT rc, UINT format) override;
};

// Width and height of a text; texts with line feeds measure as several lines.
CSize GetMultilineTextExtent(CDC* dc, const CString& text);
