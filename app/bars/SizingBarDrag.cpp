// Dragging a sizing edge: the hit test finds the edge strips, a press starts the drag with
// limits that keep every bar of the row at or above its minimum, each mouse move hands the
// change to the bar and its neighbours (between two bars) or to the whole row (its thickness),
// and button-up, right button or a lost capture end it. Without full-window drag a tracking
// line shows the edge until the end.
#include <algorithm>
#include <cstdlib>

#include "app/bars/SizingControlBar.h"
#include "platform/gfx/GdiConstants.h"
#include "platform/ui/paint/WindowDcs.h"

namespace {

bool IsHorzEdge(UINT hit) {
    return hit == HTLEFT || hit == HTRIGHT;
}

int Along(const CSizingControlBar* bar, BOOL bHorz) {
    return bHorz ? bar->m_szHorz.cx : bar->m_szVert.cy;
}

}  // namespace

BOOL CSizingControlBar::EdgeStrip(CRect window, UINT nHitTest, CRect& strip) const {
    if (m_dwSizingStyle & kShowEdges)
        window.DeflateRect(1, 1);
    const BOOL bHorz = IsHorzDocked();
    strip = window;
    switch (nHitTest) {
        case HTLEFT:
        case HTRIGHT:
            if (!(m_dwSizingStyle & (nHitTest == HTLEFT ? kEdgeLeft : kEdgeRight)))
                return FALSE;
            if (nHitTest == HTLEFT)
                strip.right = strip.left + m_nEdgeWidth;
            else
                strip.left = strip.right - m_nEdgeWidth;
            if (bHorz)
                strip.DeflateRect(0, m_nEdgeWidth);
            return TRUE;
        case HTTOP:
        case HTBOTTOM:
            if (!(m_dwSizingStyle & (nHitTest == HTTOP ? kEdgeTop : kEdgeBottom)))
                return FALSE;
            if (nHitTest == HTTOP)
                strip.bottom = strip.top + m_nEdgeWidth;
            else
                strip.top = strip.bottom - m_nEdgeWidth;
            if (!bHorz)
                strip.DeflateRect(m_nEdgeWidth, 0);
            return TRUE;
        default:
            return FALSE;
    }
}

LRESULT CSizingControlBar::OnNcHitTest(CPoint point) {
    if (IsFloatingId())
        return HTCLIENT;
    CRect window;
    GetWindowRect(&window);
    for (UINT hit : {static_cast<UINT>(HTLEFT), static_cast<UINT>(HTTOP),
                     static_cast<UINT>(HTRIGHT), static_cast<UINT>(HTBOTTOM)}) {
        CRect strip;
        if (EdgeStrip(window, hit, strip) && strip.PtInRect(point))
            return hit;
    }
    return HTCLIENT;
}

void CSizingControlBar::OnNcLButtonDown(UINT nHitTest, CPoint point) {
    if (nHitTest >= HTLEFT && nHitTest <= HTBOTTOMRIGHT) {
        if (!m_bTracking && !IsFloatingId())
            StartTracking(nHitTest, point);
        return;
    }
    // The close button acts on button-up; the system's caption-button tracking is not wanted.
    if (nHitTest == HTCLOSE)
        return;
    CControlBar::OnNcLButtonDown(nHitTest, point);
}

BOOL CSizingControlBar::IsEdgeBetweenBars(UINT nHitTest) const {
    return IsHorzDocked() ? IsHorzEdge(nHitTest) : !IsHorzEdge(nHitTest);
}

void CSizingControlBar::StartTracking(UINT nHitTest, CPoint point) {
    SetCapture();
    if (!m_bFullDrag)
        RedrawWindow(nullptr, nullptr, RDW_ALLCHILDREN | RDW_UPDATENOW);
    m_nTrackedEdge = nHitTest;
    m_bTracking = TRUE;
    const bool alongX = IsHorzEdge(nHitTest);
    m_nTrackPos = alongX ? point.x : point.y;
    CRect window;
    GetWindowRect(&window);
    CRect strip;
    EdgeStrip(window, nHitTest, strip);
    m_nTrackOffset = m_nTrackPos - (alongX ? strip.CenterPoint().x : strip.CenterPoint().y);
    m_nTrackLimitLow = m_nTrackLimitHigh = m_nTrackPos;

    const BOOL bHorz = IsHorzDocked();
    const std::vector<CSizingControlBar*> row = RowBars();
    if (IsEdgeBetweenBars(nHitTest)) {
        const auto self = static_cast<int>(std::find(row.begin(), row.end(), this) - row.begin());
        const int boundary = self + ((nHitTest == HTRIGHT || nHitTest == HTBOTTOM) ? 1 : 0);
        for (int i = 0; i < static_cast<int>(row.size()); ++i) {
            const CSizingControlBar* bar = row[static_cast<size_t>(i)];
            const int slack = Along(bar, bHorz) - bar->MinLengthOf(bHorz);
            if (i < boundary)
                m_nTrackLimitLow -= slack;
            else
                m_nTrackLimitHigh += slack;
        }
    } else {
        LONG largestMinimum = MinThicknessOf(bHorz);
        for (CSizingControlBar* bar : row)
            largestMinimum = std::max(largestMinimum, bar->MinThicknessOf(bHorz));
        const int shrink = ThicknessOf(bHorz) - largestMinimum;
        int grow = 0;
        if (CFrameWnd* frame = GetDockingFrame()) {
            CRect pane;
            frame->RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST, CWnd::reposQuery, &pane, nullptr,
                                  TRUE);
            grow = (alongX ? pane.Width() : pane.Height()) - 2;
        }
        if (nHitTest == HTTOP || nHitTest == HTLEFT) {
            m_nTrackLimitLow -= grow;
            m_nTrackLimitHigh += shrink;
        } else {
            m_nTrackLimitLow -= shrink;
            m_nTrackLimitHigh += grow;
        }
    }
    DrawTrackingLine();
}

void CSizingControlBar::TrackUpdate(CPoint point) {
    const bool alongX = IsHorzEdge(m_nTrackedEdge);
    const int pos = std::clamp(static_cast<int>(alongX ? point.x : point.y), m_nTrackLimitLow,
                               std::max(m_nTrackLimitLow, m_nTrackLimitHigh));
    const int delta = pos - m_nTrackPos;
    if (delta == 0)
        return;
    DrawTrackingLine();
    m_nTrackPos = pos;

    const BOOL bHorz = IsHorzDocked();
    const std::vector<CSizingControlBar*> row = RowBars();
    if (!IsEdgeBetweenBars(m_nTrackedEdge)) {
        LONG& thickness = ThicknessOf(bHorz);
        thickness += (m_nTrackedEdge == HTLEFT || m_nTrackedEdge == HTTOP) ? -delta : delta;
        for (CSizingControlBar* bar : row)
            bar->ThicknessOf(bHorz) = thickness;
    } else {
        // The bar on the side the edge moves away from grows; the bars on the other side give
        // up the pixels, the nearest first, each down to its minimum.
        auto index = static_cast<int>(std::find(row.begin(), row.end(), this) - row.begin());
        bool leading = m_nTrackedEdge == HTLEFT || m_nTrackedEdge == HTTOP;
        if (leading && delta > 0) {
            --index;
            leading = false;
        } else if (!leading && delta < 0) {
            ++index;
            leading = true;
        }
        const int count = static_cast<int>(row.size());
        if (index >= 0 && index < count) {
            int remaining = std::abs(delta);
            row[static_cast<size_t>(index)]->LengthOf(bHorz) += remaining;
            for (int i = leading ? index - 1 : index + 1; remaining > 0 && i >= 0 && i < count;
                 i += leading ? -1 : 1) {
                CSizingControlBar* bar = row[static_cast<size_t>(i)];
                const int give = std::min(
                    remaining, static_cast<int>(bar->LengthOf(bHorz) - bar->MinLengthOf(bHorz)));
                if (give > 0) {
                    bar->LengthOf(bHorz) -= give;
                    remaining -= give;
                }
            }
        }
    }
    DrawTrackingLine();
    if (m_bFullDrag)
        if (CFrameWnd* frame = GetDockingFrame())
            frame->DelayRecalcLayout();
}

void CSizingControlBar::StopTracking() {
    DrawTrackingLine();
    m_bTracking = FALSE;
    ReleaseCapture();
    if (CFrameWnd* frame = GetDockingFrame())
        frame->DelayRecalcLayout();
}

void CSizingControlBar::DrawTrackingLine() {
    if (m_bFullDrag || !m_bTracking)
        return;
    CFrameWnd* frame = GetDockingFrame();
    if (frame == nullptr)
        return;
    CRect window;
    GetWindowRect(&window);
    CRect line;
    if (!EdgeStrip(window, m_nTrackedEdge, line))
        return;
    const bool alongX = IsHorzEdge(m_nTrackedEdge);
    if (!IsEdgeBetweenBars(m_nTrackedEdge) && m_pDockBar != nullptr) {
        CRect dock;
        m_pDockBar->GetWindowRect(&dock);
        if (IsVertDocked()) {
            line.top = dock.top + 1;
            line.bottom = dock.bottom - 1;
        } else {
            line.left = dock.left + 1;
            line.right = dock.right - 1;
        }
    }
    const int shift =
        (m_nTrackPos - m_nTrackOffset) - (alongX ? line.CenterPoint().x : line.CenterPoint().y);
    line.OffsetRect(alongX ? shift : 0, alongX ? 0 : shift);
    CRect frameWindow;
    frame->GetWindowRect(&frameWindow);
    line.OffsetRect(-frameWindow.left, -frameWindow.top);
    CDC* dc = frame->GetDCEx(nullptr, DCX_WINDOW | DCX_CACHE | DCX_LOCKWINDOWUPDATE);
    if (dc == nullptr)
        return;
    CBrush* old = dc->SelectObject(CDC::GetHalftoneBrush());
    dc->PatBlt(line.left, line.top, line.Width(), line.Height(), PATINVERT);
    dc->SelectObject(old);
    frame->ReleaseDC(dc);
}

// ---- Mouse while dragging --------------------------------------------------------------------

void CSizingControlBar::OnMouseMove(UINT nFlags, CPoint point) {
    if (m_bTracking) {
        ClientToScreen(&point);
        TrackUpdate(point);
        return;
    }
    CControlBar::OnMouseMove(nFlags, point);
}

void CSizingControlBar::OnLButtonUp(UINT nFlags, CPoint point) {
    if (m_bTracking)
        StopTracking();
    else
        CControlBar::OnLButtonUp(nFlags, point);
}

void CSizingControlBar::OnRButtonDown(UINT nFlags, CPoint point) {
    if (m_bTracking)
        StopTracking();
    else
        CControlBar::OnRButtonDown(nFlags, point);
}

void CSizingControlBar::OnCaptureChanged(CWnd* pWnd) {
    if (m_bTracking && pWnd != this)
        StopTracking();
    CControlBar::OnCaptureChanged(pWnd);
}

void CSizingControlBar::OnLButtonDown(UINT nFlags, CPoint point) {
    CControlBar::OnLButtonDown(nFlags, point);
}

void CSizingControlBar::OnLButtonDblClk(UINT nFlags, CPoint point) {
    CControlBar::OnLButtonDblClk(nFlags, point);
}
