// The chart under the mouse: presses capture it and start the drag of the current mode, moves
// carry the drag on (rubber band, pan, cursor, measurement, point), releases finish it; the
// right button's release opens an object's properties or asks the parent for its context menu.
#include <algorithm>

#include "chart/XGraph.h"
#include "platform/gfx/WindowDC.h"

void CXGraph::DrawOnWindow(void (CXGraph::*draw)(CDCEx*)) {
    if (GetSafeHwnd() == nullptr)
        return;
    CClientDC window(this);
    CDCEx dc;
    dc.Attach(window.m_hDC);
    dc.m_hAttribDC = window.m_hAttribDC;
    const int saved = dc.SaveDC();
    dc.IntersectClipRect(m_clInnerRect);
    (this->*draw)(&dc);
    dc.RestoreDC(saved);
    dc.m_hAttribDC = nullptr;
    dc.Detach();
}

void CXGraph::OnMouseMove(UINT flags, CPoint point) {
    m_bLButtonDown = (flags & MK_LBUTTON) != 0;
    if (m_opOperation == MMeasure && m_bLButtonDown)
        SnapMeasurePoint(point);
    m_CurrentPoint = point;
    if (m_opOperation == MCursor) {
        DrawOnWindow(&CXGraph::DrawCursor);
        Notify(WM_USER + 9, 0);
    }
    m_bObjectSelected = CheckObjects(false, m_opOperation != MEditPoints);
    const bool rightDown = (flags & MK_RBUTTON) != 0;
    if ((m_bLButtonDown && m_opOperation == MPan) || (rightDown && m_opOperation == MCursor)) {
        if (m_clInnerRect.PtInRect(point)) {
            if (m_OldPoint.x == 0 && m_OldPoint.y == 0)
                m_OldPoint = point;
            else
                DoPan(point);
        }
    }
    if (m_bLButtonDown && m_opOperation == MZoom) {
        if (m_bDoubleBuffer)
            Redraw();
        else
            DrawOnWindow(&CXGraph::DrawZoomRect);
    }
    if (m_bLButtonDown && m_opOperation == MMeasure) {
        if (m_bDoubleBuffer)
            Redraw();
        else
            DrawOnWindow(&CXGraph::DrawLiveMeasure);
    }
    CWnd::OnMouseMove(flags, point);
}

void CXGraph::OnLButtonDown(UINT flags, CPoint point) {
    SetFocus();
    SetCapture();
    m_OldPoint = CPoint(0, 0);
    m_MouseDownPoint = point;
    m_CurrentPoint = point;
    if (m_opOperation == MMeasure) {
        m_MeasureDef = {};
        SnapMeasurePoint(point);
        m_MouseDownPoint = point;
        m_CurrentPoint = point;
        // Until the mouse moves the measurement ends where it starts.
        m_MeasureDef.nCurve2 = m_MeasureDef.nCurve1;
        m_MeasureDef.nIndex2 = m_MeasureDef.nIndex1;
    }
    m_bLButtonDown = true;
    m_pCurrentObject = nullptr;
    for (POSITION pos = m_Objects.GetHeadPosition(); pos != nullptr;) {
        auto* object = static_cast<CXGraphObject*>(m_Objects.GetNext(pos));
        if (!object->m_bVisible)
            continue;
        if (object->m_clRect.PtInRect(point))
            m_pCurrentObject = object;
        if (!object->m_bTracking || object->m_Tracker.HitTest(point) == CRectTracker::hitNothing)
            continue;
        ReleaseCapture();
        if (object->m_Tracker.Track(this, point, FALSE, nullptr) && object->m_bCanMove &&
            object->m_bCanResize) {
            object->m_clRect = object->m_Tracker.m_rect;
            Invalidate(FALSE);
        }
    }
    CWnd::OnLButtonDown(flags, point);
}

void CXGraph::OnLButtonUp(UINT flags, CPoint point) {
    if (!m_bLButtonDown) {
        CWnd::OnLButtonUp(flags, point);
        return;
    }
    if (GetCapture() == this)
        ReleaseCapture();
    m_OldPoint = CPoint(0, 0);
    m_bLButtonDown = false;
    switch (m_opOperation) {
        case MMeasure: {
            SnapMeasurePoint(point);
            const CXGraphMeasure& m = m_MeasureDef;
            if (m.nCurve1 >= 0 && m.nCurve2 >= 0 &&
                (m.nCurve1 != m.nCurve2 || m.nIndex1 != m.nIndex2))
                m_Measures.push_back(m);
            break;
        }
        case MCursor:
            m_CurrentPoint = point;
            LeftReleasePass();
            if (CurveDrawable(m_nSnappedCurve)) {
                const CXGraphDataSerie& serie = m_Data[static_cast<size_t>(m_nSnappedCurve)];
                const int index = CXGraphAxis::IndexByXValue(serie, m_fSnappedXVal);
                InsertDataNotation(m_nSnappedCurve, index);
            }
            break;
        case MZoom:
            m_CurrentPoint = point;
            DoZoom();
            break;
        case MSelect:
        case MEditPoints:
            m_CurrentPoint = point;
            LeftReleasePass();
            break;
        default:
            break;
    }
    ResetDrags();
    Redraw();
    CWnd::OnLButtonUp(flags, point);
}

void CXGraph::LeftReleasePass() {
    m_bLeftReleasePass = true;
    CheckObjects(false, false);
    m_bLeftReleasePass = false;
}

void CXGraph::OnLButtonDblClk(UINT flags, CPoint point) {
    if (m_opOperation == MSelect) {
        m_CurrentPoint = point;
        m_pTracker = nullptr;
        CheckObjects(true, false);
    }
    CWnd::OnLButtonDblClk(flags, point);
}

void CXGraph::OnRButtonDown(UINT flags, CPoint point) {
    m_bRButtonDown = true;
    m_OldPoint = CPoint(0, 0);
    CWnd::OnRButtonDown(flags, point);
}

void CXGraph::OnRButtonUp(UINT flags, CPoint point) {
    m_CurrentPoint = point;
    CheckObjects(false, false);
    m_bRButtonDown = false;
    m_OldPoint = CPoint(0, 0);
    if (m_opOperation == MCursor) {
        m_oldCursorPoint = CPoint(-1, -1);
        Redraw();
    }
    if (m_pCurrentObject != nullptr && m_pCurrentObject->m_bVisible &&
        m_pCurrentObject->m_clRect.PtInRect(point))
        m_pCurrentObject->ShowProperties();
    else
        Notify(WM_USER + 8, 0);
    CWnd::OnRButtonUp(flags, point);
}

BOOL CXGraph::OnSetCursor(CWnd* wnd, UINT hitTest, UINT message) {
    if (m_pTracker != nullptr && m_pTracker->SetCursor(this, hitTest))
        return TRUE;
    LPCTSTR shape = nullptr;
    switch (m_opOperation) {
        case MPan:
            shape = IDC_SIZEALL;
            break;
        case MZoom:
        case MCursor:
            shape = IDC_CROSS;
            break;
        case MSelect:
            shape = m_bObjectSelected ? IDC_HAND : nullptr;
            break;
        case MEditPoints:
            shape = m_nCurveUnderMouse >= 0 ? IDC_SIZENS : nullptr;
            break;
        default:
            break;
    }
    if (shape == nullptr)
        return CWnd::OnSetCursor(wnd, hitTest, message);
    ::SetCursor(::LoadCursor(nullptr, shape));
    return TRUE;
}
