// Conversions between values and pixels on the owner chart's plot rectangle, and the search for
// the point of a curve at an x value. Positions are clamped in double before they become ints,
// so that a deep zoom cannot overflow them; an axis without a range maps everything to the
// plot's origin.
#include <cmath>

#include "chart/XGraph.h"

namespace {

const CRect kNoPlot;

}  // namespace

const CRect& CXGraphAxis::PlotRect() const {
    return m_pGraph != nullptr ? m_pGraph->GetPlotRect() : kNoPlot;
}

CXGraphAxis::PixelMapper CXGraphAxis::GetMapper() {
    const CRect& plot = PlotRect();
    PixelMapper mapper;
    const double sign = m_AxisType == xAxis ? 1.0 : -1.0;
    mapper.origin = m_AxisType == xAxis ? plot.left : plot.bottom;
    mapper.log = m_nLinear == 0;
    if (!HasRange())
        return mapper;
    m_fRange = m_fCurMax - m_fCurMin;
    if (mapper.log) {
        mapper.base = std::log10(m_fCurMin);
        const double decades = std::log10(m_fCurMax) - mapper.base;
        mapper.scale = decades > 0.0 ? sign * m_nLength / decades : 0.0;
    } else {
        mapper.base = m_fCurMin;
        mapper.scale = sign * (m_nLength / m_fRange);
    }
    if (!std::isfinite(mapper.scale))
        mapper.scale = 0.0;
    return mapper;
}

CPoint CXGraphAxis::GetPointForValue(const double* xy) {
    const PixelMapper mapper = GetMapper();
    if (m_AxisType == xAxis)
        return CPoint(mapper.Map(xy[0]), 0);
    return CPoint(0, mapper.Map(xy[1]));
}

double CXGraphAxis::GetValueForPos(int pos) {
    if (!HasRange() || m_nLength <= 0)
        return HasRange() ? m_fCurMin : 0.0;
    const CRect& plot = PlotRect();
    const double d = m_AxisType == xAxis ? pos - plot.left : plot.bottom - pos;
    m_fRange = m_fCurMax - m_fCurMin;
    if (m_nLinear != 0)
        return d / (m_nLength / m_fRange) + m_fCurMin;
    const double lmin = std::log10(m_fCurMin);
    const double decades = std::log10(m_fCurMax) - lmin;
    return std::pow(10.0, d / m_nLength * decades + lmin);
}

int CXGraphAxis::IndexByXValue(const CXGraphDataSerie& serie, double x) {
    const int count = serie.m_nCount;
    if (count <= 0 || serie.m_pData == nullptr)
        return -1;
    int lo = 0;
    int hi = count;  // first index with x beyond the value
    while (lo < hi) {
        const int mid = lo + (hi - lo) / 2;
        if (serie.m_pData[mid].fXVal <= x)
            lo = mid + 1;
        else
            hi = mid;
    }
    return lo > 0 ? lo - 1 : 0;
}

void CXGraphAxis::GetIndexByXVal(int& index, double x, int curve) {
    index = -1;
    if (m_pGraph == nullptr || curve < 0 || curve >= m_pGraph->GetCurveCount())
        return;
    index = IndexByXValue(m_pGraph->GetCurve(curve), x);
}
