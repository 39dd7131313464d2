// Objects placed on the chart's curves: labels, data notations, the cursor placed by value,
// and trend curves added beside their source.
#include <algorithm>
#include <cmath>

#include "chart/XGraph.h"

CXGraphLabel* CXGraph::InsertLabel(const CString& text) {
    const CPoint centre = m_clInnerRect.CenterPoint();
    return InsertLabel(CRect(centre.x - 50, centre.y - 50, centre.x + 50, centre.y + 50), text);
}

CXGraphLabel* CXGraph::InsertLabel(CRect rect, const CString& text) {
    auto* label = new CXGraphLabel;
    label->m_clRect = rect;
    label->m_cText = text;
    label->m_pGraph = this;
    m_Objects.AddTail(label);
    return label;
}

CPoint CXGraph::PointOnCurve(int curve, int index) {
    const CXGraphDataSerie& s = m_Data[static_cast<size_t>(curve)];
    const double* xy = &s.m_pData[index].fXVal;
    return CPoint(m_XAxis[static_cast<size_t>(s.m_nXAxis)].GetPointForValue(xy).x,
                  m_YAxis[static_cast<size_t>(s.m_nYAxis)].GetPointForValue(xy).y);
}

void CXGraph::InsertDataNotation(int curve, int index) {
    if (!CurveDrawable(curve) || index < 0 || index >= m_Data[static_cast<size_t>(curve)].m_nCount)
        return;
    const CXGraphDataSerie& s = m_Data[static_cast<size_t>(curve)];
    CXGraphAxis& xAxis = m_XAxis[static_cast<size_t>(s.m_nXAxis)];
    CXGraphAxis& yAxis = m_YAxis[static_cast<size_t>(s.m_nYAxis)];
    const TDataPoint& p = s.m_pData[index];
    auto* notation = new CXGraphDataNotation;
    notation->m_fXVal = p.fXVal;
    notation->m_fYVal = p.fYVal;
    notation->m_nCurve = curve;
    notation->m_nIndex = index;
    notation->m_cText.Format("[%d] : %s%s,%s%s", index + 1, xAxis.FormatLabel(p.fXVal).GetString(),
                             xAxis.GetLabel().GetString(), yAxis.FormatLabel(p.fYVal).GetString(),
                             yAxis.GetLabel().GetString());
    notation->m_pGraph = this;
    m_Objects.AddTail(notation);
    Redraw();
}
std::pair<double, double> CXGraph::GetCursorValue(int curve) {
    if (!CurveDrawable(curve))
        return {0.0, 0.0};
    const CXGraphDataSerie& s = m_Data[static_cast<size_t>(curve)];
    const double x = m_XAxis[static_cast<size_t>(s.m_nXAxis)].GetValueForPos(m_CurrentPoint.x);
    const int index = CXGraphAxis::IndexByXValue(s, x);
    return {x, s.GetYValue(index)};
}

void CXGraph::SetCursorToValue(int curve, double x, bool centre) {
    if (!CurveDrawable(curve))
        return;
    const CXGraphDataSerie& s = m_Data[static_cast<size_t>(curve)];
    const int index = CXGraphAxis::IndexByXValue(s, x);
    if (index < 0 || index >= s.m_nCount)
        return;
    const double y = s.m_pData[index].fYVal;
    const auto recentre = [&](CXGraphAxis& axis, double v) {
        if (!centre || !axis.HasRange() || !std::isfinite(v))
            return;
        if ((m_nCursorFlags & 8) != 0 || v < axis.m_fCurMin || v > axis.m_fCurMax) {
            const double w = axis.m_fCurMax - axis.m_fCurMin;
            axis.SetCurrentRange(v - w / 2, v + w / 2, 0.0);
        }
    };
    recentre(m_XAxis[static_cast<size_t>(s.m_nXAxis)], x);
    recentre(m_YAxis[static_cast<size_t>(s.m_nYAxis)], y);
    // The point is placed on the axes as they are now, so that the cursor drawn next sits on it.
    const double xy[2] = {x, y};
    m_CurrentPoint.SetPoint(m_XAxis[static_cast<size_t>(s.m_nXAxis)].GetPointForValue(xy).x,
                            m_YAxis[static_cast<size_t>(s.m_nYAxis)].GetPointForValue(xy).y);
    Redraw();
}
void CXGraph::AddTrend(CXGraphDataSerie& serie, bool cubic) {
    const int source = GetCurveIndex(&serie);
    if (source < 0)
        return;
    TDataPoint* trend = cubic ? serie.CubicTrend(0) : serie.LinearTrend(0);
    if (trend == nullptr)
        return;
    const CString name = serie.m_cLabel + (cubic ? " cubic trend" : " linear trend");
    AppendDerivedCurve(trend, serie.m_nCount, source, name);
    delete[] trend;
}

CXGraphDataSerie* CXGraph::AppendDerivedCurve(const TDataPoint* points, int count, int source,
                                              const CString& name) {
    if (source < 0 || source >= GetCurveCount())
        return nullptr;
    const int xAxis = m_Data[static_cast<size_t>(source)].m_nXAxis;
    const int yAxis = m_Data[static_cast<size_t>(source)].m_nYAxis;
    CXGraphDataSerie* added = SetData(const_cast<TDataPoint*>(points), count, GetCurveCount(),
                                      xAxis, yAxis, false, true, false);
    if (added == nullptr)
        return nullptr;
    added->m_cLabel = name;
    // The axes take in the new curve without losing the source's peaks.
    double xmin, xmax, ymin, ymax;
    if (!GetMinMaxForData(*added, xmin, xmax, ymin, ymax))
        return added;
    const auto widen = [](CXGraphAxis& axis, double lo, double hi) {
        if (axis.HasRange() && std::isfinite(axis.m_fMin) && axis.m_fMin < axis.m_fMax)
            axis.SetRange(std::min(lo, axis.m_fMin), std::max(hi, axis.m_fMax));
        else
            axis.SetRange(lo, hi);
    };
    if (xAxis >= 0 && xAxis < GetXAxisCount())
        widen(m_XAxis[static_cast<size_t>(xAxis)], xmin, xmax);
    if (yAxis >= 0 && yAxis < GetYAxisCount())
        widen(m_YAxis[static_cast<size_t>(yAxis)], ymin, ymax);
    return added;
}

void CXGraph::AddLinearTrend(CXGraphDataSerie& serie) {
    AddTrend(serie, false);
}

void CXGraph::AddCubicTrend(CXGraphDataSerie& serie) {
    AddTrend(serie, true);
}
