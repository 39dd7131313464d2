// The chart's commands (the client's context menu sends them, the live diagram calls them
// directly), the zoom and pan that they and the mouse start, the wheel and the keys. Ranges move
// by a tenth of their span; a logarithmic axis moves by the matching factor so that it never
// reaches zero. Every range goes through the axis's setter, which refuses what it cannot show.
#include <cmath>

#include "chart/XGraph.h"

namespace {

// The ends moved by tenths of the span, the low one by `low` and the high one by `high`; on a
// logarithmic axis by the same share of its decades.
void MoveEnds(CXGraphAxis& axis, double low, double high) {
    const double min = axis.m_fCurMin, max = axis.m_fCurMax;
    if (axis.GetLogarithmic()) {
        if (!(min > 0.0) || !(max > 0.0))
            return;
        const double tenth = std::log10(max / min) / 10.0;
        axis.SetCurrentRange(min * std::pow(10.0, tenth * low), max * std::pow(10.0, tenth * high));
        return;
    }
    const double s = (max - min) / 10.0;
    axis.SetCurrentRange(min + s * low, max + s * high);
}

// The whole range moved by tenths of its span (negative: downwards).
void ShiftAxis(CXGraphAxis& axis, double tenths) {
    MoveEnds(axis, tenths, tenths);
}

// Each end moved inwards (positive) or outwards by tenths of the span.
void ZoomAxis(CXGraphAxis& axis, double tenths) {
    MoveEnds(axis, tenths, -tenths);
}

// The range moved so that the value at pixel `from` comes to pixel `to`.
void DragAxis(CXGraphAxis& axis, int from, int to) {
    const double a = axis.GetValueForPos(from), b = axis.GetValueForPos(to);
    if (axis.GetLogarithmic()) {
        if (a > 0.0 && b > 0.0)
            axis.SetCurrentRange(axis.m_fCurMin * (a / b), axis.m_fCurMax * (a / b));
        return;
    }
    axis.SetCurrentRange(axis.m_fCurMin + (a - b), axis.m_fCurMax + (a - b));
}

}  // namespace

void CXGraph::HideCursorLabel() {
    m_CursorLabel.SetVisible(false);
}

void CXGraph::DeselectCurves() {
    for (CXGraphDataSerie& serie : m_Data)
        serie.m_bSelected = false;
}

void CXGraph::OnSelect() {
    HideCursorLabel();
    m_opOperation = MSelect;
    Redraw();
}

void CXGraph::OnInsertLabel() {
    InsertLabel(CString());
    Redraw();
}

void CXGraph::OnZoom() {
    HideCursorLabel();
    m_clCurrentZoom.SetRectEmpty();
    m_opOperation = MZoom;
    DeselectCurves();
    Redraw();
}

void CXGraph::OnResetZoom() {
    HideCursorLabel();
    for (CXGraphAxis& axis : m_XAxis)
        axis.Reset();
    for (CXGraphAxis& axis : m_YAxis)
        axis.Reset();
    Redraw();
}

void CXGraph::OnPan() {
    HideCursorLabel();
    m_opOperation = MPan;
    DeselectCurves();
    for (CXGraphAxis& axis : m_XAxis)
        axis.SetAutoScale(false);
    for (CXGraphAxis& axis : m_YAxis)
        axis.SetAutoScale(false);
    Redraw();
}

void CXGraph::OnEdit() {
    CheckObjects(true, false);
}

void CXGraph::OnLinearTrend() {
    if (m_nCurveUnderMouse >= 0 && m_nCurveUnderMouse < GetCurveCount())
        AddLinearTrend(m_Data[static_cast<size_t>(m_nCurveUnderMouse)]);
}

void CXGraph::OnCubicTrend() {
    if (m_nCurveUnderMouse >= 0 && m_nCurveUnderMouse < GetCurveCount())
        AddCubicTrend(m_Data[static_cast<size_t>(m_nCurveUnderMouse)]);
}

void CXGraph::OnCursor() {
    OnPan();
    m_nSnappedCurve = m_nForcedSnapCurve;
    m_oldCursorPoint = CPoint(-1, -1);
    m_opOperation = MCursor;
    if ((m_nCursorFlags & 4) != 0)
        m_CursorLabel.SetRectCoordinates(m_clInnerRect.left + 1, m_clInnerRect.top,
                                         m_clInnerRect.left + 150, m_clInnerRect.top + 50);
}

void CXGraph::OnProperties() {
    CWnd* parent = GetSafeHwnd() != nullptr ? GetParent() : nullptr;
    if (parent != nullptr)
        parent->PostMessage(kPropertiesMessage, 0, reinterpret_cast<LPARAM>(this));
}

void CXGraph::OnUndoZoom() {
    const auto undo = [](CXGraphAxis& axis) {
        if (axis.m_ZoomHistory.empty())
            return;
        const auto [min, max] = axis.m_ZoomHistory.back();
        axis.m_ZoomHistory.pop_back();
        if (axis.SetCurrentRange(min, max))
            axis.SetBestStep();
    };
    for (CXGraphAxis& axis : m_XAxis)
        undo(axis);
    for (CXGraphAxis& axis : m_YAxis)
        undo(axis);
    Notify(WM_USER + 10, 0);
    m_clCurrentZoom.SetRectEmpty();
    Redraw();
}

void CXGraph::OnMeasure() {
    m_opOperation = MMeasure;
    Redraw();
}

void CXGraph::OnEditPoints() {
    m_opOperation = MEditPoints;
    Redraw();
}

void CXGraph::DoZoom() {
    // The band from the press to the release, whichever way it was dragged.
    CRect band(m_MouseDownPoint, m_CurrentPoint);
    band.NormalizeRect();
    band.IntersectRect(band, m_clInnerRect);
    if (band.Width() <= 14 || band.Height() <= 14) {
        m_clCurrentZoom.SetRectEmpty();
        return;
    }
    const auto zoom = [](CXGraphAxis& axis, int from, int to) {
        const double a = axis.GetValueForPos(from), b = axis.GetValueForPos(to);
        if (b - a == 0.0)
            return;
        const std::pair<double, double> before(axis.m_fCurMin, axis.m_fCurMax);
        if (!axis.SetCurrentRange(a, b))
            return;
        axis.m_ZoomHistory.push_back(before);
        axis.SetBestStep();
    };
    for (CXGraphAxis& axis : m_YAxis)
        zoom(axis, band.bottom, band.top);
    for (CXGraphAxis& axis : m_XAxis)
        zoom(axis, band.left, band.right);
    Notify(WM_USER + 10, 0);
    m_clCurrentZoom.SetRectEmpty();
}

void CXGraph::DoPan(CPoint point) {
    for (CXGraphAxis& axis : m_XAxis)
        DragAxis(axis, m_OldPoint.x, point.x);
    for (CXGraphAxis& axis : m_YAxis)
        DragAxis(axis, m_OldPoint.y, point.y);
    m_OldPoint = point;
    Redraw();
}

BOOL CXGraph::OnMouseWheel(UINT flags, short delta, CPoint) {
    std::vector<CXGraphAxis>& axes = (flags & MK_SHIFT) != 0 ? m_YAxis : m_XAxis;
    for (CXGraphAxis& axis : axes) {
        axis.SetAutoScale(false);
        ShiftAxis(axis, delta < 0 ? -1.0 : 1.0);
    }
    Redraw();
    return TRUE;
}

void CXGraph::OnKeyUp(UINT key, UINT repeat, UINT flags) {
    const bool cursor = m_opOperation == MCursor;
    const auto all = [this](void (*fn)(CXGraphAxis&, double), double tenths) {
        for (CXGraphAxis& axis : m_XAxis)
            fn(axis, tenths);
        for (CXGraphAxis& axis : m_YAxis)
            fn(axis, tenths);
    };
    const auto each = [](std::vector<CXGraphAxis>& axes, double tenths) {
        for (CXGraphAxis& axis : axes)
            ShiftAxis(axis, tenths);
    };
    switch (key) {
        case VK_HOME:
            for (CXGraphAxis& axis : m_XAxis)
                axis.Reset();
            for (CXGraphAxis& axis : m_YAxis)
                axis.Reset();
            break;
        case VK_ADD:
            all(ZoomAxis, 1.0);
            break;
        case VK_SUBTRACT:
            all(ZoomAxis, -1.0);
            break;
        case VK_LEFT:
            cursor ? void(m_CurrentPoint.x -= 1) : each(m_XAxis, 1.0);
            break;
        case VK_RIGHT:
            cursor ? void(m_CurrentPoint.x += 1) : each(m_XAxis, -1.0);
            break;
        case VK_UP:
            cursor ? void(m_CurrentPoint.y -= 1) : each(m_YAxis, -1.0);
            break;
        case VK_DOWN:
            cursor ? void(m_CurrentPoint.y += 1) : each(m_YAxis, 1.0);
            break;
        default:
            CWnd::OnKeyUp(key, repeat, flags);
            return;
    }
    Redraw();
    CWnd::OnKeyUp(key, repeat, flags);
}

BOOL CXGraph::PreTranslateMessage(MSG* msg) {
    if ((msg->message == WM_KEYDOWN || msg->message == WM_KEYUP) && msg->wParam == VK_DELETE &&
        m_pCurrentObject != nullptr && m_pCurrentObject->m_bTracking &&
        m_pCurrentObject != &m_CursorLabel) {
        POSITION pos = m_Objects.Find(m_pCurrentObject);
        if (pos != nullptr) {
            m_Objects.RemoveAt(pos);
            delete m_pCurrentObject;
        }
        m_pCurrentObject = nullptr;
        m_pTracker = nullptr;
        Redraw();
    }
    return CWnd::PreTranslateMessage(msg);
}
