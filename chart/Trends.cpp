// Trend curves: a line over the point number, cubics and polynomials fitted by least squares over
// x, continued past the last point with a constant x step; and the curve hit test on a drawn
// segment.
#include <climits>
#include <cmath>
#include <new>
#include <vector>

#include "chart/XGraph.h"

namespace {

bool FitLocal(const CXGraphDataSerie& serie, int m, CPolynomialSolver& solver) {
    // Fewer points than coefficients, or points that cannot carry all of them (equal x): the
    // highest terms go first.
    for (int k = std::min(m, serie.m_nCount); k >= 1; --k)
        if (solver.Fit(serie.m_nCount, k, &serie.m_pData[0].fXVal))
            return true;
    return false;
}

}  // namespace

TDataPoint* CXGraphDataSerie::TrendArray(int extra, bool constantStep) const {
    if (m_nCount < 2 || m_pData == nullptr || extra < 0 ||
        static_cast<long long>(m_nCount) + extra > INT_MAX)
        return nullptr;
    auto* out = new (std::nothrow) TDataPoint[static_cast<size_t>(m_nCount) + extra];
    if (out == nullptr)
        return nullptr;
    for (int j = 0; j < m_nCount + extra; ++j) {
        if (j < m_nCount)
            out[j].fXVal = m_pData[j].fXVal;
        else if (constantStep)
            out[j].fXVal = out[j - 1].fXVal + (m_pData[1].fXVal - m_pData[0].fXVal);
        else
            out[j].fXVal = 2.0 * out[j - 1].fXVal - out[j - 2].fXVal;
        out[j].fYVal = 0.0;
    }
    return out;
}

TDataPoint* CXGraphDataSerie::FittedTrend(int coefficients, int extra) const {
    CPolynomialSolver solver;
    if (m_nCount < 2 || !FitLocal(*this, coefficients, solver))
        return nullptr;
    TDataPoint* out = TrendArray(extra, true);
    for (int j = 0; out != nullptr && j < m_nCount + extra; ++j)
        out[j].fYVal = solver.Evaluate(out[j].fXVal);
    return out;
}

// A straight line over the point number k = 1 .. n, drawn at the points' x values. Over equally
// spaced x, as the live diagram records, it is the least-squares line over x.
TDataPoint* CXGraphDataSerie::LinearTrend(int extra) {
    TDataPoint* out = TrendArray(extra, true);
    if (out == nullptr)
        return nullptr;
    const double n = m_nCount;
    double sy = 0.0, sky = 0.0, sk = 0.0, skk = 0.0;
    for (int i = 0; i < m_nCount; ++i) {
        const double k = i + 1.0;
        sy += m_pData[i].fYVal;
        sky += k * m_pData[i].fYVal;
        sk += k;
        skk += k * k;
    }
    const double slope = (n * sky - sk * sy) / (n * skk - sk * sk);
    const double intercept = (sy - slope * sk) / n;
    for (int j = 0; j < m_nCount + extra; ++j)
        out[j].fYVal = (j + 1.0) * slope + intercept;
    return out;
}

// All four terms, so that the cubic follows a curve with an offset: one term through the origin
// would turn a constant 50 into a rise from 0 to 87.5.
TDataPoint* CXGraphDataSerie::CubicTrend(int extra) {
    return FittedTrend(4, extra);
}

TDataPoint* CXGraphDataSerie::PolynomialTrend(int coefficients, int extra) {
    if (m_nCount < 2 || m_pData == nullptr)
        return nullptr;
    CPolynomialSolver solver;
    if (!solver.Fit(m_nCount, coefficients, &m_pData[0].fXVal))
        return nullptr;
    m_PS = solver;
    TDataPoint* out = TrendArray(extra, false);
    for (int j = 0; out != nullptr && j < m_nCount + extra; ++j)
        out[j].fYVal = m_PS.Evaluate(out[j].fXVal);
    return out;
}

bool CXGraphDataSerie::HitTest(int x1, int y1, int x2, int y2, int px, int py, int width) {
    const double t = std::max(width / 2, 1);
    const double sx = x2 - x1, sy = y2 - y1;
    const double ss = sx * sx + sy * sy;
    if (ss == 0.0)
        return false;
    const double ex = px - x1, ey = py - y1;
    const double f = (ex * sx + ey * sy) / ss;
    const double dx = ex - f * sx, dy = ey - f * sy;
    const double d = std::sqrt(dx * dx + dy * dy);
    return d >= -t && d <= t;
}
