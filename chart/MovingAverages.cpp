// Moving averages over the newest w = min(i, N) points before and at point i; point 0 is
// copied. The warm-up never reaches back to point 0, as the averages have always done.
#include <cmath>
#include <new>

#include "chart/XGraphDataSerie.h"

namespace {

constexpr double kPi = 3.14159265358979;

TDataPoint* Start(const CXGraphDataSerie& s, int window) {
    if (window < 1 || s.m_nCount < 1 || s.m_pData == nullptr)
        return nullptr;
    auto* out = new (std::nothrow) TDataPoint[static_cast<size_t>(s.m_nCount)];
    if (out == nullptr)
        return nullptr;
    for (int i = 0; i < s.m_nCount; ++i)
        out[i] = {s.m_pData[i].fXVal, s.m_pData[i].fYVal};
    return out;
}

template <class Weight>
TDataPoint* Weighted(const CXGraphDataSerie& s, int window, Weight weight) {
    TDataPoint* out = Start(s, window);
    for (int i = 1; out != nullptr && i < s.m_nCount; ++i) {
        const int w = i < window ? i : window;
        double sum = 0.0, norm = 0.0;
        for (int t = 0; t < w; ++t) {
            const double g = weight(w, t);
            sum += g * s.m_pData[i - t].fYVal;
            norm += g;
        }
        out[i].fYVal = sum / norm;
    }
    return out;
}

}  // namespace

TDataPoint* CXGraphDataSerie::SimpleMovingAverage(int window) {
    return Weighted(*this, window, [](int, int) { return 1.0; });
}

TDataPoint* CXGraphDataSerie::LinearMovingAverage(int window) {
    return Weighted(*this, window, [](int w, int t) { return static_cast<double>(w - t); });
}

TDataPoint* CXGraphDataSerie::TriangularMovingAverage(int window) {
    // Newest point is j = 1.
    return Weighted(*this, window, [](int w, int t) {
        const double j = t + 1;
        const double half = 0.5 * (w + 1);
        return w * (1.0 - std::fabs((j - half) / half));
    });
}

TDataPoint* CXGraphDataSerie::SineMovingAverage(int window) {
    const double step = kPi / (window + 1);
    return Weighted(*this, window, [step](int w, int t) { return std::sin((w - t) * step); });
}

TDataPoint* CXGraphDataSerie::ExponentialMovingAverage(int window) {
    TDataPoint* out = Start(*this, window);
    const double alpha = 2.0 / (window + 1);
    for (int i = 1; out != nullptr && i < m_nCount; ++i)
        out[i].fYVal = alpha * m_pData[i].fYVal + (1.0 - alpha) * out[i - 1].fYVal;
    return out;
}
