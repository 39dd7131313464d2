// Conversions between values and pixels on the owner chart's plot rectangle, and the search for
// the point of a curve at an x value. Positions are clamped in double before they become ints,
// so that a deep zoom cannot overflow them; an axis without a range maps everything to the
// plot's origin.
#include <algorithm>
#include <cmath>

#include "chart/XGraph.h"

namespace {

const CRect kNoPlot;

bool XBelow(double x, const TDataPoint& p) {
    return x < p.fXVal;
}

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

int CXGraphAxis::LastIndexAtOrBefore(const CXGraphDataSerie& serie, double x) {
    const int count = serie.m_nCount;
    if (count <= 0 || serie.m_pData == nullptr)
        return -1;
    const TDataPoint* data = serie.m_pData;
    const TDataPoint* beyond = std::upper_bound(data, data + count, x, XBelow);
    return beyond == data ? 0 : static_cast<int>(beyond - data) - 1;
}

// A first guess from the spacing of the first two points, then towards x: from a guess beyond x
// down to the last point at or before it, otherwise up to the first point beyond it (the count
// when x lies at or past the last point). Both walks are binary searches on the ascending points.
int CXGraphAxis::IndexByXValue(const CXGraphDataSerie& serie, double x) {
    const int count = serie.m_nCount;
    if (count <= 0 || serie.m_pData == nullptr)
        return -1;
    const TDataPoint* data = serie.m_pData;
    int guess = 0;
    if (count >= 2) {
        const double slot = (x - data[0].fXVal) / std::fabs(data[1].fXVal - data[0].fXVal);
        if (slot >= count - 1)
            guess = count - 1;
        else if (slot > 0.0)
            guess = static_cast<int>(slot);
    }
    if (x < data[guess].fXVal) {
        const auto beyond = std::upper_bound(data, data + guess, x, XBelow);
        return beyond == data ? 0 : static_cast<int>(beyond - data) - 1;
    }
    return static_cast<int>(std::upper_bound(data + guess, data + count, x, XBelow) - data);
}

void CXGraphAxis::GetIndexByXVal(int& index, double x, int curve) {
    index = -1;
    if (m_pGraph == nullptr || curve < 0 || curve >= m_pGraph->GetCurveCount())
        return;
    index = IndexByXValue(m_pGraph->GetCurve(curve), x);
}
