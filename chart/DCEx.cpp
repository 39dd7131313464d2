// Print scaling of the chart's device context: coordinates are multiplied and truncated toward
// zero only while print scaling is on; the factors come from the target's and the screen's
// logical resolutions.
#include "chart/DCEx.h"

#include <vector>

#include "platform/ui/paint/WindowDcs.h"

namespace {

// The larger resolution over the smaller, so at least 1; 1 when either is unknown.
float Ratio(int screen, int target) {
    if (screen <= 0 || target <= 0)
        return 1.0f;
    return screen > target ? static_cast<float>(screen) / static_cast<float>(target)
                           : static_cast<float>(target) / static_cast<float>(screen);
}

}  // namespace

void CDCEx::ComputeScale(HDC target) {
    HDC screen = ::GetDC(nullptr);
    const int sx = screen != nullptr ? ::GetDeviceCaps(screen, LOGPIXELSX) : 96;
    const int sy = screen != nullptr ? ::GetDeviceCaps(screen, LOGPIXELSY) : 96;
    if (screen != nullptr)
        ::ReleaseDC(nullptr, screen);
    const int tx = target != nullptr ? ::GetDeviceCaps(target, LOGPIXELSX) : 0;
    const int ty = target != nullptr ? ::GetDeviceCaps(target, LOGPIXELSY) : 0;
    m_fHorzFactor = Ratio(sx, tx);
    m_fVertFactor = Ratio(sy, ty);
    const int colors = target != nullptr ? ::GetDeviceCaps(target, NUMCOLORS) : -1;
    m_bLowColor = colors >= 0 && colors < 256;
    m_bScaleComputed = true;
}

void CDCEx::EnsureScale() {
    if (!m_bScaleComputed)
        ComputeScale(m_hAttribDC != nullptr ? m_hAttribDC : m_hDC);
}

void CDCEx::ScaleXY(int& x, int& y) {
    EnsureScale();
    x = static_cast<int>(static_cast<double>(x) * m_fHorzFactor);
    y = static_cast<int>(static_cast<double>(y) * m_fVertFactor);
}

void CDCEx::ScalePoint(CPoint& pt) {
    ScaleXY(pt.x, pt.y);
}

void CDCEx::ScaleRect(CRect& rc) {
    int l = rc.left, t = rc.top, r = rc.right, b = rc.bottom;
    ScaleXY(l, t);
    ScaleXY(r, b);
    rc.SetRect(l, t, r, b);
}

CPoint CDCEx::MoveTo(int x, int y) {
    if (m_bPrintScaling)
        ScaleXY(x, y);
    return CDC::MoveTo(x, y);
}

BOOL CDCEx::LineTo(int x, int y) {
    if (m_bPrintScaling)
        ScaleXY(x, y);
    return CDC::LineTo(x, y);
}

BOOL CDCEx::Ellipse(int l, int t, int r, int b) {
    if (m_bPrintScaling) {
        ScaleXY(l, t);
        ScaleXY(r, b);
    }
    return CDC::Ellipse(l, t, r, b);
}

BOOL CDCEx::Rectangle(int l, int t, int r, int b) {
    if (m_bPrintScaling) {
        ScaleXY(l, t);
        ScaleXY(r, b);
    }
    return CDC::Rectangle(l, t, r, b);
}

void CDCEx::FillRect(LPCRECT rc, CBrush* brush) {
    CRect copy(*rc);
    if (m_bPrintScaling)
        ScaleRect(copy);
    CDC::FillRect(copy, brush);
}

void CDCEx::DrawFocusRect(LPCRECT rc) {
    CRect copy(*rc);
    if (m_bPrintScaling)
        ScaleRect(copy);
    CDC::DrawFocusRect(copy);
}

void CDCEx::FillSolidRect(LPCRECT rc, COLORREF c) {
    CRect copy(*rc);
    if (m_bPrintScaling)
        ScaleRect(copy);
    CDC::FillSolidRect(copy, c);
}

void CDCEx::FillSolidRect(int x, int y, int cx, int cy, COLORREF c) {
    if (m_bPrintScaling) {
        ScaleXY(x, y);
        ScaleXY(cx, cy);
    }
    CDC::FillSolidRect(x, y, cx, cy, c);
}

namespace {

std::vector<POINT> ScaledCopy(CDCEx& dc, const POINT* pts, int count) {
    std::vector<POINT> out(pts, pts + count);
    for (POINT& p : out) {
        int x = p.x, y = p.y;
        dc.ScaleXY(x, y);
        p = {x, y};
    }
    return out;
}

}  // namespace

BOOL CDCEx::Polygon(const POINT* pts, int count) {
    if (!m_bPrintScaling || count <= 0)
        return CDC::Polygon(pts, count);
    const std::vector<POINT> scaled = ScaledCopy(*this, pts, count);
    return CDC::Polygon(scaled.data(), count);
}

BOOL CDCEx::Polyline(const POINT* pts, int count) {
    if (!m_bPrintScaling || count <= 0)
        return CDC::Polyline(pts, count);
    const std::vector<POINT> scaled = ScaledCopy(*this, pts, count);
    return CDC::Polyline(scaled.data(), count);
}

int CDCEx::DrawText(LPCTSTR text, int length, LPRECT rc, UINT format) {
    if (!m_bPrintScaling)
        return CDC::DrawText(text, length, rc, format);
    if ((format & DT_CALCRECT) != 0) {
        // The caller's rectangle itself: it comes back scaled and measured, in device units.
        CRect scaled(*rc);
        ScaleRect(scaled);
        *rc = scaled;
        return CDC::DrawText(text, length, rc, format);
    }
    CRect copy(*rc);
    ScaleRect(copy);
    return CDC::DrawText(text, length, copy, format);
}

CSize GetMultilineTextExtent(CDC* dc, const CString& text) {
    if (text.Find('\n') < 0)
        return dc->GetTextExtent(text);
    CRect r(0, 0, 0, 0);
    const int h = dc->DrawText(text, &r, DT_CALCRECT | DT_CENTER | DT_VCENTER);
    return CSize(r.Width(), h);
}
