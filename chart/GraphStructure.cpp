// The chart's structure: deleting curves and axes with everything that pointed at them,
// showing and selecting, indices of elements, and the reset to an empty chart.
#include <algorithm>
#include <cmath>

#include "chart/XGraph.h"

namespace {

// Index i after element `removed` of its list went: -1 when it was that one.
int Shifted(int i, int removed) {
    if (i == removed)
        return -1;
    return i > removed ? i - 1 : i;
}

}  // namespace

void CXGraph::RemoveNotation(POSITION at, CXGraphDataNotation* notation) {
    if (m_pCurrentObject == notation)
        m_pCurrentObject = nullptr;
    if (m_pTracker == &notation->m_Tracker)
        m_pTracker = nullptr;
    m_Objects.RemoveAt(at);
    delete notation;
}

void CXGraph::DeleteDataNotations() {
    POSITION pos = m_Objects.GetHeadPosition();
    while (pos != nullptr) {
        const POSITION here = pos;
        auto* object = static_cast<CXGraphObject*>(m_Objects.GetNext(pos));
        if (auto* notation = DYNAMIC_DOWNCAST(CXGraphDataNotation, object))
            RemoveNotation(here, notation);
    }
    Redraw();
}

void CXGraph::DeleteObjectsOfCurve(int curve) {
    POSITION pos = m_Objects.GetHeadPosition();
    while (pos != nullptr) {
        const POSITION here = pos;
        auto* object = static_cast<CXGraphObject*>(m_Objects.GetNext(pos));
        if (auto* notation = DYNAMIC_DOWNCAST(CXGraphDataNotation, object)) {
            if (notation->m_nCurve == curve) {
                RemoveNotation(here, notation);
                continue;
            }
            notation->m_nCurve = Shifted(notation->m_nCurve, curve);
        } else if (auto* label = DYNAMIC_DOWNCAST(CXGraphLabel, object)) {
            label->m_nCurve = Shifted(label->m_nCurve, curve);
        }
    }
}

bool CXGraph::DeleteCurve(int i) {
    if (i < 0 || i >= GetCurveCount())
        return false;
    m_Data.erase(m_Data.begin() + i);
    DeleteObjectsOfCurve(i);
    std::erase_if(m_Measures,
                  [i](const CXGraphMeasure& m) { return m.nCurve1 == i || m.nCurve2 == i; });
    for (CXGraphMeasure& m : m_Measures) {
        m.nCurve1 = Shifted(m.nCurve1, i);
        m.nCurve2 = Shifted(m.nCurve2, i);
    }
    for (CXGraphDataSerie& s : m_Data)
        s.m_nFillCurve = static_cast<short>(Shifted(s.m_nFillCurve, i));
    m_MeasureDef.nCurve1 = Shifted(m_MeasureDef.nCurve1, i);
    m_MeasureDef.nCurve2 = Shifted(m_MeasureDef.nCurve2, i);
    m_nForcedSnapCurve = Shifted(m_nForcedSnapCurve, i);
    m_nSnappedCurve = Shifted(m_nSnappedCurve, i);
    m_nSnappedCurve1 = Shifted(m_nSnappedCurve1, i);
    m_nCurveUnderMouse = Shifted(m_nCurveUnderMouse, i);
    m_LegendEntries.clear();
    ResetDrags();
    return true;
}

bool CXGraph::DeleteXAxis(int i) {
    if (i < 0 || i >= GetXAxisCount())
        return false;
    for (const CXGraphDataSerie& s : m_Data)
        if (s.m_nXAxis == i)
            return false;
    m_XAxis.erase(m_XAxis.begin() + i);
    for (CXGraphDataSerie& s : m_Data)
        if (s.m_nXAxis > i)
            --s.m_nXAxis;
    return true;
}

bool CXGraph::DeleteYAxis(int i) {
    if (i < 0 || i >= GetYAxisCount())
        return false;
    for (const CXGraphDataSerie& s : m_Data)
        if (s.m_nYAxis == i)
            return false;
    m_YAxis.erase(m_YAxis.begin() + i);
    for (CXGraphDataSerie& s : m_Data)
        if (s.m_nYAxis > i)
            --s.m_nYAxis;
    return true;
}

void CXGraph::ShowCurve(int i, bool visible) {
    if (i < 0 || i >= GetCurveCount())
        return;
    m_Data[static_cast<size_t>(i)].m_bVisible = visible;
    Redraw();
}

namespace {

template <class T>
bool SelectOnly(std::vector<T>& items, int i) {
    if (static_cast<unsigned>(i) >= items.size())
        return false;
    for (size_t k = 0; k < items.size(); ++k)
        items[k].m_bSelected = k == static_cast<size_t>(i);
    return true;
}

}  // namespace

bool CXGraph::SelectCurve(int i) {
    return SelectOnly(m_Data, i) && Redraw();
}

bool CXGraph::SelectXAxis(int i) {
    return SelectOnly(m_XAxis, i) && Redraw();
}

bool CXGraph::SelectYAxis(int i) {
    return SelectOnly(m_YAxis, i) && Redraw();
}
void CXGraph::SetAxisDecimals(int axis, int decimals, int which) {
    if ((which == 0 || which == 2) && axis >= 0 && axis < GetXAxisCount())
        m_XAxis[static_cast<size_t>(axis)].SetDecimals(decimals);
    if ((which == 1 || which == 2) && axis >= 0 && axis < GetYAxisCount())
        m_YAxis[static_cast<size_t>(axis)].SetDecimals(decimals);
}
int CXGraph::GetAxisIndex(const CXGraphAxis* axis) const {
    for (size_t i = 0; i < m_XAxis.size(); ++i)
        if (&m_XAxis[i] == axis)
            return static_cast<int>(i);
    for (size_t i = 0; i < m_YAxis.size(); ++i)
        if (&m_YAxis[i] == axis)
            return static_cast<int>(i);
    return -1;
}

int CXGraph::GetCurveIndex(const CXGraphDataSerie* serie) const {
    if (m_Data.empty() || serie < m_Data.data() || serie >= m_Data.data() + m_Data.size())
        return -1;
    return static_cast<int>(serie - m_Data.data());
}

void CXGraph::SetMargins(int left, int top, int right, int bottom) {
    m_nLeftMargin = left;
    m_nTopMargin = top;
    m_nRightMargin = right;
    m_nBottomMargin = bottom;
}

int CXGraph::GetZoomDepth() const {
    return m_XAxis.empty() ? 0 : static_cast<int>(m_XAxis[0].m_ZoomHistory.size());
}
void CXGraph::ResetAll() {
    m_XAxis.clear();
    m_YAxis.clear();
    m_Data.clear();
    while (m_Objects.GetCount() > 1)
        delete static_cast<CXGraphObject*>(m_Objects.RemoveTail());
    // The measurements stay: a loaded file adds its own to them. Their drawing skips ends
    // that name no existing point.
    m_LegendEntries.clear();
    m_pCurrentObject = nullptr;
    m_pTracker = nullptr;
    m_clCurrentZoom.SetRectEmpty();
    m_nCurveUnderMouse = -1;
    m_nSnappedCurve = -1;
    m_nForcedSnapCurve = -1;
    m_MeasureDef = {};
    ResetDrags();
}
