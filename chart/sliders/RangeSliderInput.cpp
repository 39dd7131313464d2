// The range slider's painting and input. Geometry comes from the last paint: the arrow width is
// three quarters of the control's thickness and the channel is the length left beside two
// arrows. A selection on an empty range, or a channel shorter than a pixel, is shown but cannot
// be moved.
#include <algorithm>
#include <cmath>

#include "chart/sliders/RangeSlider.h"
#include "controls/list/CMemDC_Tarvik.h"
#include "platform/gfx/SysColors.h"
#include "platform/gfx/WindowDC.h"
#include "platform/ui/Input.h"

BEGIN_MESSAGE_MAP(CRangeSlider, CWnd)
ON_WM_PAINT()
ON_WM_LBUTTONDOWN()
ON_WM_MOUSEMOVE()
ON_WM_LBUTTONUP()
ON_WM_KEYDOWN()
ON_WM_SETFOCUS()
ON_WM_KILLFOCUS()
ON_WM_CAPTURECHANGED()
ON_WM_GETDLGCODE()
END_MESSAGE_MAP()

namespace {

constexpr COLORREF kVisibleBand = RGB(255, 255, 150);

}  // namespace

bool CRangeSlider::Movable() const {
    return m_dx >= 1 && m_Max > m_Min && std::isfinite(m_Max - m_Min);
}

int CRangeSlider::ToPixel(double value) const {
    if (!(m_Max > m_Min) || m_dx <= 0)
        return 0;
    const double p = (value - m_Min) / (m_Max - m_Min) * m_dx;
    return static_cast<int>(std::clamp(std::isnan(p) ? 0.0 : p, 0.0, static_cast<double>(m_dx)));
}

CPoint CRangeSlider::OrientedPoint(int along, int across) const {
    return m_bHorizontal ? CPoint(along, across) : CPoint(across, along);
}

CRect CRangeSlider::Oriented(int a1, int c1, int a2, int c2) const {
    return m_bHorizontal ? CRect(a1, c1, a2, c2) : CRect(c1, a1, c2, a2);
}

void CRangeSlider::OnPaint() {
    CPaintDC paint(this);
    CRect client;
    GetClientRect(&client);
    // Draw's first rectangle covers the whole picture: nothing of the previous paint shows.
    CMemDC_Tarvik dc(&paint, client, m_offScreen);
    const int along = m_bHorizontal ? client.Width() : client.Height();
    const int across = m_bHorizontal ? client.Height() : client.Width();
    Draw(dc, along, across);
}

void CRangeSlider::Draw(CDC& dc, int along, int across) {
    const int a = 3 * across / 4;
    const int h = across;
    m_nArrowWidth = a;
    m_dx = along - 2 * a;
    const int pl = ToPixel(m_Left);
    const int pr = ToPixel(m_Right);

    CRect clip;
    dc.GetClipBox(&clip);
    CGdiObject* oldBrush = dc.SelectStockObject(GRAY_BRUSH);
    CGdiObject* oldPen = dc.SelectStockObject(BLACK_PEN);
    dc.Rectangle(clip);

    const auto handle = [&](const CRect& rect, bool dragged, CPoint t1, CPoint t2, CPoint t3) {
        CBrush face(::GetSysColor(COLOR_3DFACE));
        CBrush* before = dc.SelectObject(&face);
        dc.Rectangle(rect);
        dc.SelectObject(before);
        if (!dragged) {
            const CRect edge(rect.left + 1, rect.top + 1, rect.right - 2, rect.bottom - 2);
            CPen light(PS_SOLID, 1, ::GetSysColor(COLOR_3DHILIGHT));
            CPen shadow(PS_SOLID, 1, ::GetSysColor(COLOR_BTNSHADOW));
            CPen* previous = dc.SelectObject(&light);
            dc.MoveTo(edge.left, edge.bottom);
            dc.LineTo(edge.left, edge.top);
            dc.LineTo(edge.right, edge.top);
            dc.SelectObject(&shadow);
            dc.LineTo(edge.right, edge.bottom);
            dc.LineTo(edge.left, edge.bottom);
            dc.SelectObject(previous);
        }
        dc.SelectStockObject(BLACK_PEN);
        dc.SelectStockObject(BLACK_BRUSH);
        const POINT triangle[3] = {t1, t2, t3};
        dc.Polygon(triangle, 3);
    };
    m_RectLeft = Oriented(pl, 0, pl + a, h);
    handle(m_RectLeft, m_bTracking && m_TrackMode == kLeftHandle, OrientedPoint(pl + a / 3, h / 3),
           OrientedPoint(pl + a / 3, 2 * h / 3), OrientedPoint(pl + 2 * a / 3, h / 2));
    m_RectRight = Oriented(pr + a, 0, pr + 2 * a, h);
    handle(m_RectRight, m_bTracking && m_TrackMode == kRightHandle,
           OrientedPoint(pr + a + 2 * a / 3, h / 3), OrientedPoint(pr + a + 2 * a / 3, 2 * h / 3),
           OrientedPoint(pr + a + a / 3, h / 2));

    dc.SelectStockObject(BLACK_PEN);
    dc.SelectStockObject(WHITE_BRUSH);
    const CRect bar = Oriented(pl + a + 1, 1, pr + a, h - 1);
    dc.Rectangle(bar);
    if (m_bVisualMinMax && m_VisualMin < m_Right && m_Left < m_VisualMax) {
        const int from = std::max(pl, ToPixel(m_VisualMin)) + a;
        const int to = std::min(pr, ToPixel(m_VisualMax)) + a;
        if (to > from)
            dc.FillSolidRect(Oriented(from, 1, to, h - 1), kVisibleBand);
    }
    if (GetSafeHwnd() != nullptr && ::GetFocus() == m_hWnd) {
        CRect focus = bar;
        focus.DeflateRect(3, 3);
        dc.DrawFocusRect(focus);
    }
    dc.SelectObject(oldPen);
    dc.SelectObject(oldBrush);
}

void CRangeSlider::OnLButtonDown(UINT flags, CPoint point) {
    SetFocus();
    Invalidate();
    if (!m_bTracking) {
        const CRect bar = m_bHorizontal ? CRect(m_RectLeft.right + 1, m_RectLeft.top,
                                                m_RectRight.left - 1, m_RectLeft.bottom)
                                        : CRect(m_RectLeft.left, m_RectLeft.bottom + 1,
                                                m_RectLeft.right, m_RectRight.top - 1);
        int part = -1;
        if (m_RectLeft.PtInRect(point))
            part = kLeftHandle;
        else if (m_RectRight.PtInRect(point))
            part = kRightHandle;
        else if (bar.PtInRect(point))
            part = kBar;
        if (part >= 0) {
            m_bTracking = true;
            m_TrackMode = part;
            m_nDragStart = m_bHorizontal ? point.x : point.y;
            m_fDragLeft = m_Left;
            m_fDragRight = m_Right;
            SetCapture();
        }
    }
    CWnd::OnLButtonDown(flags, point);
}

void CRangeSlider::OnMouseMove(UINT flags, CPoint point) {
    if (m_bTracking && Movable()) {
        const int moved = (m_bHorizontal ? point.x : point.y) - m_nDragStart;
        const double d = static_cast<double>(moved) / m_dx * (m_Max - m_Min);
        int what = kBar;
        if (m_TrackMode == kLeftHandle) {
            m_Left = m_fDragLeft + d;
            if (m_Right < m_Left)
                m_Left = m_Right;
            if (m_Min >= m_Left)
                m_Left = m_Min;
            what = kLeftHandle;
        } else if (m_TrackMode == kRightHandle) {
            const double before = m_Right;
            m_Right = m_fDragRight + d;
            if (m_Left >= m_Right)
                m_Right = m_Left;
            if (m_Max < m_Right)
                m_Right = m_Max;
            what = m_Right != before ? kRightHandle : kLeftHandle;
        } else {
            const double width = m_fDragRight - m_fDragLeft;
            m_Left = m_fDragLeft + d;
            m_Right = m_Left + width;
            if (m_Min >= m_Left) {
                m_Left = m_Min;
                m_Right = m_Left + width;
            }
            if (m_Max < m_Right) {
                m_Right = m_Max;
                m_Left = m_Right - width;
            }
        }
        Notify(what);
        Invalidate();
    }
    CWnd::OnMouseMove(flags, point);
}

void CRangeSlider::OnLButtonUp(UINT flags, CPoint point) {
    if (m_bTracking) {
        m_bTracking = false;
        ReleaseCapture();
        Invalidate();
    }
    CWnd::OnLButtonUp(flags, point);
}

void CRangeSlider::OnCaptureChanged(CWnd* wnd) {
    // A capture taken away ends the drag; the handle must not follow the hovering mouse.
    if (m_bTracking && wnd != this) {
        m_bTracking = false;
        Invalidate();
    }
    CWnd::OnCaptureChanged(wnd);
}

void CRangeSlider::OnKeyDown(UINT key, UINT repeat, UINT flags) {
    const bool up = m_bHorizontal ? key == VK_LEFT : key == VK_UP;
    const bool down = m_bHorizontal ? key == VK_RIGHT : key == VK_DOWN;
    if ((!up && !down) || (::GetKeyState(VK_CONTROL) & 0x8000) != 0) {
        CWnd::OnKeyDown(key, repeat, flags);
        return;
    }
    const bool shift = (::GetKeyState(VK_SHIFT) & 0x8000) != 0;
    if (Movable()) {
        const double step = (m_Max - m_Min) / m_dx;
        int l = static_cast<int>((m_Left - m_Min) / step + 0.5);
        int r = static_cast<int>((m_Right - m_Min) / step + 0.5);
        const int d = down ? 1 : -1;
        r += d;
        if (!shift)
            l += d;
        if (l >= 0 && l <= r && r <= m_dx) {
            m_Left = l * step + m_Min;
            m_Right = r * step + m_Min;
        }
        // Shift moves the right end alone, yet names the left one: receivers read the range.
        Notify(shift ? kLeftHandle : kBar);
        Invalidate();
    }
    CWnd::OnKeyDown(key, repeat, flags);
}

void CRangeSlider::OnSetFocus(CWnd* old) {
    CWnd::OnSetFocus(old);
    Invalidate();
}

void CRangeSlider::OnKillFocus(CWnd* next) {
    CWnd::OnKillFocus(next);
    Invalidate();
}

UINT CRangeSlider::OnGetDlgCode() {
    return DLGC_WANTARROWS;
}
