// Data handed to the chart: curves bound to axes by index, new axes where an index asks for
// one, and ranges taken from the finite points of a curve.
#include <algorithm>
#include <cmath>

#include "chart/XGraph.h"

namespace {

constexpr COLORREF kCurveColors[12] = {RGB(0, 0, 255),   RGB(255, 0, 0),   RGB(0, 128, 0),
                                       RGB(47, 79, 79),  RGB(0, 128, 0),   RGB(0, 255, 0),
                                       RGB(0, 128, 128), RGB(0, 255, 255), RGB(227, 108, 10),
                                       RGB(0, 0, 128),   RGB(128, 0, 128), RGB(255, 0, 255)};

// Index i after element `removed` of its list went: -1 when it was that one.
}  // namespace

CXGraphDataSerie* CXGraph::SetData(TDataPoint* points, long count, int curve, int xAxis, int yAxis,
                                   bool autoscale, bool copy, bool fit) {
    if (points == nullptr || count <= 0 || count > 0x7FFFFFFF)
        return nullptr;
    if (curve < 0 || curve > GetCurveCount() || xAxis < 0 || xAxis > GetXAxisCount() || yAxis < 0 ||
        yAxis > GetYAxisCount())
        return nullptr;
    if (curve == GetCurveCount()) {
        const COLORREF color = kCurveColors[m_Data.size() % 12];
        m_Data.emplace_back();
        m_Data.back().m_nIndex = curve;
        m_Data.back().m_crColor = color;
    }
    CXGraphDataSerie& serie = m_Data[static_cast<size_t>(curve)];
    serie.m_nXAxis = xAxis;
    serie.m_nYAxis = yAxis;
    serie.SetPoints(points, static_cast<int>(count), copy);
    if (xAxis == GetXAxisCount()) {
        m_XAxis.emplace_back();
        m_XAxis.back().m_AxisType = CXGraphAxis::xAxis;
        m_XAxis.back().m_pGraph = this;
    }
    if (yAxis == GetYAxisCount()) {
        m_YAxis.emplace_back();
        m_YAxis.back().m_AxisType = CXGraphAxis::yAxis;
        m_YAxis.back().m_pGraph = this;
    }
    serie.m_pGraph = this;
    if (fit) {
        double xmin, xmax, ymin, ymax;
        if (GetMinMaxForData(serie, xmin, xmax, ymin, ymax)) {
            m_XAxis[static_cast<size_t>(xAxis)].SetRange(xmin, xmax);
            m_YAxis[static_cast<size_t>(yAxis)].SetRange(ymin, ymax);
        }
    } else if (autoscale) {
        Autoscale(xAxis, yAxis, curve);
    }
    return &serie;
}

bool CXGraph::GetMinMaxForData(const CXGraphDataSerie& serie, double& xmin, double& xmax,
                               double& ymin, double& ymax) {
    bool any = false;
    for (int i = 0; i < serie.m_nCount; ++i) {
        const TDataPoint& p = serie.m_pData[i];
        if (!std::isfinite(p.fXVal) || !std::isfinite(p.fYVal))
            continue;
        if (!any) {
            xmin = xmax = p.fXVal;
            ymin = ymax = p.fYVal;
            any = true;
            continue;
        }
        xmin = std::min(xmin, p.fXVal);
        xmax = std::max(xmax, p.fXVal);
        ymin = std::min(ymin, p.fYVal);
        ymax = std::max(ymax, p.fYVal);
    }
    return any;
}

void CXGraph::Autoscale(int xAxis, int yAxis, int curve) {
    if (curve < 0 || curve >= GetCurveCount())
        return;
    double xmin, xmax, ymin, ymax;
    if (!GetMinMaxForData(m_Data[static_cast<size_t>(curve)], xmin, xmax, ymin, ymax))
        return;
    if (xAxis >= 0 && xAxis < GetXAxisCount())
        m_XAxis[static_cast<size_t>(xAxis)].SetRange(xmin, xmax);
    if (yAxis >= 0 && yAxis < GetYAxisCount())
        m_YAxis[static_cast<size_t>(yAxis)].SetRange(ymin, ymax);
}
