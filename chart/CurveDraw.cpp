// Drawing of a curve: the reduced vertices as a line or as dots, the drawn segments that touch
// the plot kept for hit tests, an optional area down to the plot bottom or over to another
// curve, and the markers. A curve on an X axis with ascending x converts only the visible
// points and one beyond each side.
#include <algorithm>
#include <cmath>

#include "chart/CurveReduction.h"
#include "chart/DrawHelpers.h"
#include "chart/XGraph.h"

namespace {

using kq::chart::ReducedCurve;

COLORREF Inverted(COLORREF c) {
    return RGB(255 - GetRValue(c), 255 - GetGValue(c), 255 - GetBValue(c));
}

bool AxesExist(const CXGraph* graph, const CXGraphDataSerie& serie) {
    return graph != nullptr && serie.m_nXAxis >= 0 && serie.m_nXAxis < graph->GetXAxisCount() &&
           serie.m_nYAxis >= 0 && serie.m_nYAxis < graph->GetYAxisCount();
}

// The points a paint needs: on ascending x only the visible ones and a neighbour each side.
void VisibleRange(const CXGraphDataSerie& serie, const CXGraphAxis& xAxis, int& first, int& last) {
    first = 0;
    last = serie.m_nCount - 1;
    if (!serie.IsAscending() || !xAxis.HasRange())
        return;
    first = CXGraphAxis::LastIndexAtOrBefore(serie, xAxis.m_fCurMin);
    last =
        std::min(CXGraphAxis::LastIndexAtOrBefore(serie, xAxis.m_fCurMax) + 1, serie.m_nCount - 1);
}

void Reduce(CXGraph* graph, const CXGraphDataSerie& serie, ReducedCurve& out) {
    CXGraphAxis& xAxis = graph->GetXAxis(serie.m_nXAxis);
    CXGraphAxis& yAxis = graph->GetYAxis(serie.m_nYAxis);
    int first = 0, last = 0;
    VisibleRange(serie, xAxis, first, last);
    kq::chart::ReducePoints(serie.m_pData, first, last, xAxis.GetMapper(), yAxis.GetMapper(), out);
}

}  // namespace

void CXGraphDataSerie::Draw(CDCEx* dc) {
    m_CurveRegions.clear();
    if (m_nCount <= 0 || m_pData == nullptr || !AxesExist(m_pGraph, *this))
        return;
    const COLORREF color =
        dc->m_bLowColor ? RGB(0, 0, 0) : (m_bSelected ? Inverted(m_crColor) : m_crColor);
    CPenSelector pen(color, m_nLineSize, dc, m_nLineStyle);
    ReducedCurve reduced;
    Reduce(m_pGraph, *this, reduced);
    const CRect& plot = m_pGraph->GetPlotRect();
    const std::vector<POINT>& v = reduced.vertices;
    for (size_t r = 0; r < reduced.runs.size(); ++r) {
        const size_t begin = reduced.runs[r];
        const size_t end = r + 1 < reduced.runs.size() ? reduced.runs[r + 1] : v.size();
        if (m_nDisplayType == 0) {
            if (end - begin >= 2)
                dc->Polyline(&v[begin], static_cast<int>(end - begin));
        } else if (m_nDisplayType == 1) {
            for (size_t i = begin; i < end; ++i)
                dc->Ellipse(v[i].x - m_nLineSize, v[i].y - m_nLineSize, v[i].x + m_nLineSize,
                            v[i].y + m_nLineSize);
        }
        for (size_t i = begin + 1; i < end; ++i)
            if (plot.PtInRect(v[i - 1]) || plot.PtInRect(v[i]))
                AddSegment(v[i - 1].x, v[i - 1].y, v[i].x, v[i].y);
    }
    if (!m_bFillBeneath || v.empty())
        return;

    std::vector<POINT> polygon = v;
    const int me = m_pGraph->GetCurveIndex(this);
    if (m_nFillCurve == -1 || m_nFillCurve == me) {
        polygon.push_back({v.back().x, plot.bottom});
        polygon.push_back({v.front().x, plot.bottom});
    } else if (m_nFillCurve >= 0 && m_nFillCurve < m_pGraph->GetCurveCount() &&
               AxesExist(m_pGraph, m_pGraph->GetCurve(m_nFillCurve)) &&
               m_pGraph->GetCurve(m_nFillCurve).m_nCount > 0) {
        ReducedCurve partner;
        Reduce(m_pGraph, m_pGraph->GetCurve(m_nFillCurve), partner);
        polygon.insert(polygon.end(), partner.vertices.rbegin(), partner.vertices.rend());
    } else {
        return;
    }
    const int oldBk = dc->SetBkMode(m_bFillTransparent ? TRANSPARENT : OPAQUE);
    const int oldMix = m_bFillTransparent ? dc->SetROP2(R2_NOTXORPEN) : R2_COPYPEN;
    {
        CPenSelector nullPen(RGB(0, 0, 0), 0, dc, PS_NULL);
        const COLORREF fill = dc->m_bLowColor ? RGB(0, 0, 0) : m_crFillColor;
        if (m_nFillStyle == 6) {
            CBrushSelector brush(fill, dc);
            dc->Polygon(polygon.data(), static_cast<int>(polygon.size()));
        } else {
            CBrushSelector brush(fill, kq::chart::Clamped(m_nFillStyle, 0, 5), dc);
            dc->Polygon(polygon.data(), static_cast<int>(polygon.size()));
        }
    }
    dc->SetBkMode(oldBk);
    dc->SetROP2(oldMix);
}

void CXGraphDataSerie::DrawMarkers(CDCEx* dc) {
    if (m_nCount <= 0 || m_pData == nullptr || !AxesExist(m_pGraph, *this))
        return;
    const int size = std::max(m_nMarkerSize, 1);
    const int slots = m_pGraph->GetPlotRect().Width() / size / 4;
    int step = 2;
    if (slots > 0)
        step = m_nCount / slots;
    if (step <= 0)
        step = 2;
    if (m_pGraph->GetInteractionMode() == CXGraph::MEditPoints)
        step = 1;
    const int symbol = m_nMarkerType != 0 ? m_nMarker : m_pGraph->GetCurveIndex(this);
    const COLORREF color = dc->m_bLowColor ? RGB(0, 0, 0) : m_crColor;
    CXGraphAxis& yAxis = m_pGraph->GetYAxis(m_nYAxis);
    const CXGraphAxis::PixelMapper xMap = m_pGraph->GetXAxis(m_nXAxis).GetMapper();
    const CXGraphAxis::PixelMapper yMap = yAxis.GetMapper();
    for (int i = 0; i < m_nCount; i += step) {
        const TDataPoint& p = m_pData[i];
        if (!xMap.Accepts(p.fXVal) || !yMap.Accepts(p.fYVal))
            continue;
        yAxis.DrawMarker(dc, xMap.Map(p.fXVal) - size / 2, yMap.Map(p.fYVal) - size / 2, symbol,
                         size, color, m_nMarkerType == 1);
    }
}
