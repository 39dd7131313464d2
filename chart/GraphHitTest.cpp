// What lies under the mouse: axis marker bands, axes, free objects, curve segments and legend
// lines. A test pass only answers whether anything is there (for the cursor shape); a selection
// pass updates the selection, starts and ends object editing and tracking, and notifies the
// parent. Marker and point drags follow the mouse in both kinds of pass. Every stored index is
// checked where it is used, since curves, axes and markers can vanish between two passes.
#include <algorithm>
#include <cmath>
#include <limits>

#include "chart/XGraph.h"

namespace {

constexpr int kMarkerBandHalf = 10;
constexpr int kSegmentSlack = 2;
constexpr int kSegmentTolerance = 4;
constexpr int kYDirection = 0;
constexpr int kXDirection = 1;

}  // namespace

struct CXGraph::HitPass {
    bool yHit = false;
    bool axisHit = false;
    bool deleted = false;
};

void CXGraph::Notify(UINT message, WPARAM wParam) {
    CWnd* parent = GetSafeHwnd() != nullptr ? GetParent() : nullptr;
    if (parent != nullptr)
        parent->PostMessage(message, wParam, reinterpret_cast<LPARAM>(this));
}

void CXGraph::ResetDrags() {
    m_DraggedMarker = {};
    m_nDragCurve = -1;
    m_nDragPoint = -1;
}

CRect CXGraph::MarkerBand(int direction, CXGraphAxis& axis, int marker) {
    const double value = axis.GetAxisMarker(marker).fValue;
    const CRect& plot = m_clInnerRect;
    if (direction == kYDirection) {
        const double xy[2] = {0.0, value};
        const int y = axis.GetPointForValue(xy).y;
        return CRect(plot.left, y - kMarkerBandHalf, plot.right, y + kMarkerBandHalf);
    }
    const double xy[2] = {value, 0.0};
    const int x = axis.GetPointForValue(xy).x;
    return CRect(x - kMarkerBandHalf, plot.top, x + kMarkerBandHalf, plot.bottom);
}

bool CXGraph::CheckMarkers(int direction, int index, bool testOnly, bool& deleted) {
    CXGraphAxis& axis = direction == kYDirection ? m_YAxis[static_cast<size_t>(index)]
                                                 : m_XAxis[static_cast<size_t>(index)];
    const CPoint p = m_CurrentPoint;
    const bool dragging = m_DraggedMarker.marker >= 0;
    if (!m_bLButtonDown) {
        m_DraggedMarker = {};
    } else if (dragging) {
        if (m_DraggedMarker.direction == direction && m_DraggedMarker.axis == index &&
            m_DraggedMarker.marker < axis.GetAxisMarkerCount()) {
            axis.GetAxisMarker(m_DraggedMarker.marker).fValue =
                axis.GetValueForPos(direction == kYDirection ? p.y : p.x);
            Redraw();
        }
        return false;
    }
    for (int m = 0; m < axis.GetAxisMarkerCount(); ++m) {
        if (!MarkerBand(direction, axis, m).PtInRect(p))
            continue;
        if (testOnly && !m_bLButtonDown)
            return true;
        if (m_bLButtonDown) {
            m_DraggedMarker = {direction, index, m};
            return false;
        }
        // Only the right button's release removes a marker, and only one.
        if (!testOnly && m_bRButtonDown && !deleted) {
            axis.DeleteAxisMarker(m);
            deleted = true;
            Redraw();
        }
        return false;
    }
    return false;
}

bool CXGraph::CheckAxes(int direction, bool click, bool testOnly, HitPass& pass) {
    std::vector<CXGraphAxis>& axes = direction == kYDirection ? m_YAxis : m_XAxis;
    const CPoint p = m_CurrentPoint;
    for (int i = 0; i < static_cast<int>(axes.size()); ++i) {
        if (m_opOperation == MSelect && CheckMarkers(direction, i, testOnly, pass.deleted))
            return true;
        CXGraphAxis& axis = axes[static_cast<size_t>(i)];
        // A hidden axis cannot be pointed at; its markers are still dragged above.
        const bool inside = axis.m_bVisible && axis.m_clAreaRect.PtInRect(p) != FALSE;
        if (testOnly) {
            if (inside)
                return true;
            continue;
        }
        if (m_opOperation == MSelect && m_bLeftReleasePass && axis.m_bSelected && !inside) {
            const double value = axis.GetValueForPos(direction == kYDirection ? p.y : p.x);
            axis.SetAxisMarker(axis.GetAxisMarkerCount(), value, RGB(0, 0, 0), PS_SOLID);
            Redraw();
        }
        axis.m_bSelected = inside;
        if (!inside)
            continue;
        pass.axisHit = true;
        if (direction == kYDirection) {
            Notify(click ? WM_USER + 4 : WM_USER + 1, static_cast<WPARAM>(i));
            pass.yHit = true;
        } else if (!pass.yHit) {
            Notify(click ? WM_USER + 5 : WM_USER + 2, static_cast<WPARAM>(i));
        }
    }
    return false;
}

// Test pass: whether a visible object is under the mouse. Selection pass: selects, edits and
// tracks objects; true when an object took the mouse, so that curves are not tested.
bool CXGraph::CheckFreeObjects(bool click, bool testOnly, bool& hit) {
    const CPoint p = m_CurrentPoint;
    bool taken = false;
    for (POSITION pos = m_Objects.GetHeadPosition(); pos != nullptr;) {
        auto* object = static_cast<CXGraphObject*>(m_Objects.GetNext(pos));
        const bool under = object->m_bVisible && object->m_clRect.PtInRect(p);
        if (testOnly) {
            if (under)
                return true;
            continue;
        }
        object->m_bSelected = under;
        if (under) {
            hit = true;
            if (click) {
                object->BeginEdit();
                taken = true;
            } else if (!object->m_bEditing && m_pTracker == nullptr) {
                object->BeginTracking();
                m_pTracker = &object->m_Tracker;
                taken = true;
            }
        } else {
            if (object->m_bEditing)
                object->EndEdit();
            if (object->m_bTracking) {
                if (m_pTracker == &object->m_Tracker)
                    m_pTracker = nullptr;
                object->EndTracking();
            }
        }
    }
    return taken;
}

int CXGraph::CurveAtMouse() {
    const int x = m_CurrentPoint.x, y = m_CurrentPoint.y;
    for (int c = 0; c < GetCurveCount(); ++c) {
        const CXGraphDataSerie& serie = m_Data[static_cast<size_t>(c)];
        if (!serie.m_bVisible)
            continue;
        for (const CRect& s : serie.m_CurveRegions) {
            // The segment's box grown by the slack; most segments fail here cheaply.
            if (x < std::min(s.left, s.right) - kSegmentSlack ||
                x >= std::max(s.left, s.right) + kSegmentSlack ||
                y < std::min(s.top, s.bottom) - kSegmentSlack ||
                y >= std::max(s.top, s.bottom) + kSegmentSlack)
                continue;
            if (CXGraphDataSerie::HitTest(s.left, s.top, s.right, s.bottom, x, y,
                                          kSegmentTolerance))
                return c;
        }
    }
    return -1;
}

void CXGraph::MoveDraggedPoint() {
    m_bDataPointMoving = false;
    if (!m_bLButtonDown || m_opOperation != MEditPoints || !CurveDrawable(m_nDragCurve))
        return;
    CXGraphDataSerie& serie = m_Data[static_cast<size_t>(m_nDragCurve)];
    if (m_nDragPoint < 0 || m_nDragPoint >= serie.m_nCount)
        return;
    const double y = GetYAxis(serie.m_nYAxis).GetValueForPos(m_CurrentPoint.y);
    if (!std::isfinite(y))
        return;
    m_PointEdit = {m_nDragCurve, m_nDragPoint, serie.m_pData[m_nDragPoint].fYVal, y};
    Notify(WM_USER + 11, reinterpret_cast<WPARAM>(&m_PointEdit));
    serie.m_pData[m_nDragPoint].fYVal = y;
    m_fCurrentEditValue = y;
    m_bDataPointMoving = true;
    Redraw();
}

void CXGraph::StartPointDrag(int curve) {
    if (m_nDragCurve >= 0 || !CurveDrawable(curve))
        return;
    const CXGraphDataSerie& serie = m_Data[static_cast<size_t>(curve)];
    const double x =
        GetXAxis(serie.m_nXAxis).GetValueForPos(m_CurrentPoint.x - serie.m_nMarkerSize / 2);
    const int index = CXGraphAxis::IndexByXValue(serie, x);
    if (index < 0 || index >= serie.m_nCount)
        return;
    m_nDragCurve = curve;
    m_nDragPoint = index;
}

bool CXGraph::CheckObjects(bool click, bool testOnly) {
    if (!m_bInteraction)
        return false;
    HitPass pass;
    if (CheckAxes(kYDirection, click, testOnly, pass) ||
        CheckAxes(kXDirection, click, testOnly, pass))
        return true;
    bool objectHit = false;
    const bool objectTook = CheckFreeObjects(click, testOnly, objectHit);
    if (testOnly && objectTook)
        return true;
    if (!testOnly)
        m_nCurveUnderMouse = -1;
    if (!m_bLButtonDown) {
        m_nDragCurve = -1;
        m_nDragPoint = -1;
    }
    bool curveHit = false;
    if (!objectTook) {
        if (!testOnly)
            for (CXGraphDataSerie& serie : m_Data)
                if (serie.m_bVisible)
                    serie.m_bSelected = false;
        const int curve = CurveAtMouse();
        // One read-out notice per pass: the curve under the mouse, or -1.
        Notify(WM_USER + 12, static_cast<WPARAM>(static_cast<LPARAM>(curve)));
        if (curve >= 0) {
            if (testOnly)
                return true;
            curveHit = true;
            Notify(click ? WM_USER + 6 : WM_USER + 3, static_cast<WPARAM>(curve));
            m_nCurveUnderMouse = curve;
            StartPointDrag(curve);
            m_Data[static_cast<size_t>(curve)].m_bSelected = true;
        }
    }
    MoveDraggedPoint();
    const bool anyHit = pass.axisHit || objectHit || curveHit || pass.deleted;
    if (!anyHit) {
        bool legendHit = false;
        for (const CXGraphLegendEntry& entry : m_LegendEntries) {
            if (entry.nCurve < 0 || entry.nCurve >= GetCurveCount())
                continue;
            const bool inside = entry.rect.PtInRect(m_CurrentPoint) != FALSE;
            if (testOnly && inside)
                return true;
            if (testOnly)
                continue;
            m_Data[static_cast<size_t>(entry.nCurve)].m_bSelected = inside;
            if (inside) {
                legendHit = true;
                break;
            }
        }
        if (!testOnly && click && !legendHit)
            Notify(WM_USER + 7, 0);
    }
    return false;
}

void CXGraph::SnapMeasurePoint(CPoint& point) {
    int best = 10000000;
    const bool start = point.x == m_MouseDownPoint.x && point.y == m_MouseDownPoint.y;
    int snappedY = point.y;
    for (int c = 0; c < GetCurveCount(); ++c) {
        if (!CurveDrawable(c) || !m_Data[static_cast<size_t>(c)].m_bVisible)
            continue;
        const CXGraphDataSerie& serie = m_Data[static_cast<size_t>(c)];
        const double x = GetXAxis(serie.m_nXAxis).GetValueForPos(point.x);
        const int index = CXGraphAxis::IndexByXValue(serie, x);
        if (index < 0 || index >= serie.m_nCount || !std::isfinite(serie.m_pData[index].fYVal))
            continue;
        const int y = PointOnCurve(c, index).y;
        const int distance = std::abs(point.y - y);
        if (distance >= best)
            continue;
        best = distance;
        snappedY = y;
        if (start) {
            m_nSnappedCurve = c;
            m_MeasureDef.nCurve1 = c;
            m_MeasureDef.nIndex1 = index;
        } else {
            m_nSnappedCurve1 = c;
            m_MeasureDef.nCurve2 = c;
            m_MeasureDef.nIndex2 = index;
        }
    }
    point.y = snappedY;
}
