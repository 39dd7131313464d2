// Ranges of an axis and their rounding to readable steps. Every range an axis takes has finite
// bounds with min < max, far enough apart to be scaled onto pixels; an axis that never took one
// keeps its ±DBL_MAX sentinels, and the rounding leaves such an axis alone.
#include <cfloat>
#include <cmath>
#include <cstdint>

#include "chart/XGraph.h"

namespace {

constexpr double kLogMin = 1e-16;
constexpr double kLogMax = 1e-15;
constexpr double kSecondsPerDay = 86400.0;
// Day of 1970-01-01 counted from 1899-12-30.
constexpr double kUnixEpochDay = 25569.0;
// The valid dates of the date type: years 100 to 9999.
constexpr double kFirstValidDay = -657434.0;
constexpr double kLastValidDay = 2958465.0;
// A span below these has too few distinct values, or pixels per value beyond double's range.
constexpr double kMinSpan = 1e-280;
constexpr double kMinRelativeSpan = 64.0 * DBL_EPSILON;

// Widens an empty or too narrow linear range around its middle by 1 each way, or by a relative
// amount where 1 is lost in the rounding of large bounds. False when no range that scales
// results.
bool WidenLinear(double& min, double& max) {
    if (!CXGraphAxis::IsScalable(min, max)) {
        const double middle = min + (max - min) / 2.0;
        double delta = 1.0;
        if (middle - delta == middle)
            delta = std::fabs(middle) * 1e-9;
        min = middle - delta;
        max = middle + delta;
    }
    return CXGraphAxis::IsScalable(min, max);
}

bool Finite(double a, double b) {
    return std::isfinite(a) && std::isfinite(b);
}

int64_t FloorDiv(int64_t a, int64_t b) {
    int64_t q = a / b;
    if ((a % b != 0) && ((a < 0) != (b < 0)))
        --q;
    return q;
}

// A bound computed onto the grid, without the rounding noise of its arithmetic.
double OnGrid(double v, double step) {
    const double k = std::round(v / step);
    return std::fabs(v / step - k) < 1e-9 ? k * step : v;
}

}  // namespace

bool CXGraphAxis::IsScalable(double min, double max) {
    if (!Finite(min, max) || !(min < max))
        return false;
    const double span = max - min;
    return std::isfinite(span) && span >= kMinSpan &&
           span >= std::fmax(std::fabs(min), std::fabs(max)) * kMinRelativeSpan;
}

bool CXGraphAxis::HasRange() const {
    return IsScalable(m_fCurMin, m_fCurMax);
}

void CXGraphAxis::ApplyFormatRule(double min, double max) {
    if ((std::fabs(min) > 1e6 || std::fabs(max) > 1e6) && !m_bDateTime)
        m_cDisplayFmt = "%5.2e";
}

void CXGraphAxis::LogBounds(double& min, double& max) {
    if (!IsScalable(min, max)) {
        min *= 0.1;
        max *= 10.0;
    }
    min = min < kLogMin ? kLogMin : min;
    max = max < kLogMax ? kLogMax : max;
    // Both raised to their floors (a range of negative values) still need min < max.
    if (max <= min)
        max = min * 10.0;
}

bool CXGraphAxis::SetRange(double min, double max) {
    if (!Finite(min, max) || max < min)
        return false;
    if (m_nLinear == 0) {
        LogBounds(min, max);
        m_fStep = 0.0;
        m_fMin = m_fCurMin = min;
        m_fMax = m_fCurMax = max;
        ApplyFormatRule(m_fCurMin, m_fCurMax);
        return true;
    }
    if (!WidenLinear(min, max))
        return false;
    ApplyFormatRule(min, max);
    m_fMin = m_fCurMin = min;
    m_fMax = m_fCurMax = max;
    m_fStep = (max - min) / 10.0;
    SetBestStep();
    return true;
}

bool CXGraphAxis::SetCurrentRange(double min, double max, double step) {
    if (!Finite(min, max) || max < min)
        return false;
    if (m_nLinear == 0) {
        LogBounds(min, max);
        m_fStep = 0.0;
        m_fCurMin = min;
        m_fCurMax = max;
        ApplyFormatRule(m_fCurMin, m_fCurMax);
        return true;
    }
    if (!WidenLinear(min, max))
        return false;
    ApplyFormatRule(min, max);
    m_fCurMin = min;
    m_fCurMax = max;
    m_fStep = (max - min) / 10.0;
    if (step != 0.0 && std::isfinite(step))
        m_fStep = step;
    else
        SetBestStep();
    return true;
}

void CXGraphAxis::Reset() {
    m_fCurMin = m_fMin;
    m_fCurMax = m_fMax;
    if (HasRange())
        m_fStep = m_nLinear == 0 ? 0.0 : (m_fMax - m_fMin) / 10.0;
}

void CXGraphAxis::GetRange(double& min, double& max, double& step) const {
    min = m_fCurMin;
    max = m_fCurMax;
    step = m_fStep;
}

void CXGraphAxis::Scale(double factor) {
    if (!HasRange())
        return;
    if (!m_bDateTime) {
        SetCurrentRange(m_fCurMin / factor, m_fCurMax / factor, 0.0);
        return;
    }
    const double seconds = (m_fCurMax - m_fCurMin) * kSecondsPerDay / factor;
    if (!std::isfinite(seconds))
        return;
    const double n = std::trunc(seconds) / kSecondsPerDay;
    SetCurrentRange(m_fCurMin + n, m_fCurMax - n, 0.0);
}

void CXGraphAxis::SetBestStep() {
    if (m_pGraph == nullptr || m_pGraph->GetSafeHwnd() == nullptr || !HasRange() || m_nLinear == 0)
        return;
    CDCEx dc;
    if (!dc.CreateCompatibleDC(nullptr))
        return;
    const CRect& plot = PlotRect();
    double free = 0.0;
    double label = 0.0;
    if (m_AxisType == yAxis) {
        free = plot.bottom - std::trunc(plot.top + m_fHeadSpace + m_fMarkerSpace);
        label = GetMaxLabelHeight(&dc);
    } else {
        free = std::trunc(plot.right - m_fHeadSpace - m_fMarkerSpace) - plot.left;
        label = GetMaxLabelWidth(&dc);
    }
    if (free < 1.0)
        free = 1.0;
    const double step = (m_fCurMax - m_fCurMin) / free * label;
    if (std::isfinite(step) && step > 0.0)
        m_fStep = step;
}

void CXGraphAxis::AutoScale(CDCEx* dc) {
    if (!HasRange())
        return;
    // The rounding starts from the range the axis was given, not from the last rounding: a paint
    // at another size (a print, an export) or a repeated paint leaves the next one's scale as
    // it would have been. A range set since (equal to none of the rounded ones) starts afresh.
    if (!IsScaledRange()) {
        m_fScaleFromMin = m_fCurMin;
        m_fScaleFromMax = m_fCurMax;
        m_fScaleFromStep = m_fStep;
    }
    m_fStep = m_fScaleFromStep;
    RoundRange(dc, m_fScaleFromMin, m_fScaleFromMax);
    m_bScaled = true;
    m_fScaledMin = m_fCurMin;
    m_fScaledMax = m_fCurMax;
}

void CXGraphAxis::RestoreUnscaledRange() {
    if (!m_bAutoScale || !IsScaledRange())
        return;
    m_fCurMin = m_fScaleFromMin;
    m_fCurMax = m_fScaleFromMax;
    m_fStep = m_fScaleFromStep;
}

void CXGraphAxis::RoundRange(CDCEx* dc, double min, double max) {
    if (m_nLinear == 0) {
        const double lo = std::pow(10.0, std::floor(std::log10(min)));
        const double hi = std::pow(10.0, std::ceil(std::log10(max)));
        if (IsScalable(lo, hi)) {
            m_fCurMin = lo;
            m_fCurMax = hi;
        }
        return;
    }
    const CRect& plot = PlotRect();
    double room = 0.0;
    double label = 1.0;
    m_fCurMin = min;
    m_fCurMax = max;
    if (m_AxisType == yAxis) {
        m_fHeadSpace = 2.0 * m_nArcSize;
        m_fMarkerSpace = DrawCurveMarkers(dc, false);
        room = plot.bottom - std::trunc(plot.top + m_fHeadSpace + m_fMarkerSpace);
        label = GetMaxLabelHeight(dc);
    } else {
        m_fHeadSpace = 4.0 * m_nArcSize;
        m_fMarkerSpace = DrawCurveMarkers(dc, false);
        room = std::trunc(plot.right - m_fHeadSpace - m_fMarkerSpace) - plot.left;
        label = GetMaxLabelWidth(dc);
    }
    if (label < 1.0)
        label = 1.0;
    double n = std::trunc(room / label);
    // At most about one tick per two pixels.
    if (n > room / 2.0)
        n = std::trunc(room / 2.0);
    if (n < 2.0)
        n = 2.0;
    if (m_bDateTime) {
        const double step = GetTimeStep(static_cast<int>(n), min, max);
        if (step > 0.0) {
            m_fStep = step;
            AdjustTimeToStep(min, max, step);
        }
    } else {
        const double step = GetNiceStep(static_cast<int>(n), min, max);
        if (step > 0.0) {
            m_fStep = step;
            AdjustToStep(min, max, step);
        }
    }
    if (IsScalable(min, max)) {
        m_fCurMin = min;
        m_fCurMax = max;
    }
}

double CXGraphAxis::GetNiceStep(int n, double min, double max) {
    if (n <= 0 || !Finite(min, max))
        return 0.0;
    const double s = (max - min) / n;
    if (!std::isfinite(s) || s <= 0.0)
        return 0.0;
    const double e = std::floor(std::log10(s));
    const double scale = std::pow(10.0, e);
    const double m = s / scale;
    double snapped = 10.0;
    if (m <= 1.0)
        snapped = 1.0;
    else if (m <= 2.0)
        snapped = 2.0;
    else if (m <= 5.0)
        snapped = 5.0;
    const double step = snapped * scale;
    return std::isfinite(step) && step > 0.0 ? step : 0.0;
}

double CXGraphAxis::Remainder(double x, double step) {
    if (!std::isfinite(x) || !std::isfinite(step) || step == 0.0)
        return 0.0;
    return std::fmod(x, step);
}

void CXGraphAxis::AdjustToStep(double& min, double& max, double step) {
    if (!(step > 0.0) || !std::isfinite(step))
        return;
    // A bound on the grid can leave a remainder of rounding noise, next to 0 or to a whole step:
    // it stays where it is.
    const auto offGrid = [step](double r) {
        const double noise = step * 1e-9;
        return std::fabs(r) > noise && std::fabs(r) < step - noise;
    };
    const double r = Remainder(min - step, step);
    if (offGrid(r))
        min = OnGrid(min - (r + step), step);
    const double r2 = Remainder(max + step, step);
    if (offGrid(r2))
        max = OnGrid(max - (r2 - step), step);
}

double CXGraphAxis::GetTimeStep(int n, double min, double max) {
    static constexpr double kSteps[] = {
        1,        2,        5,        10,        15,        20,        30,        60,      120,
        300,      600,      900,      1800,      3600,      7200,      14400,     28800,   36000,
        43200,    86400,    172800,   345600,    604800,    1209600,   2419200,   4838400, 7257600,
        15724800, 31449600, 62899200, 157248000, 314496000, 628992000, 1572480000};
    if (!Finite(min, max))
        return 0.0;
    const double seconds = std::round((max - min) * kSecondsPerDay);
    double s = n > 0 ? seconds / n : 0.0;
    if (!std::isfinite(s))
        return 0.0;
    double previous = 0.0;
    for (double t : kSteps) {
        if (previous < s && s <= t) {
            s = t;
            break;
        }
        previous = t;
    }
    return s / kSecondsPerDay;
}

void CXGraphAxis::AdjustTimeToStep(double& min, double& max, double step) {
    const double stepSeconds = std::round(step * kSecondsPerDay);
    if (!std::isfinite(stepSeconds) || stepSeconds < 1.0 || stepSeconds > 1e15)
        return;
    if (!Finite(min, max) || min < kFirstValidDay || max > kLastValidDay)
        return;
    const auto s = static_cast<int64_t>(stepSeconds);
    const auto toDays = [](int64_t secs) {
        return kUnixEpochDay + static_cast<double>(secs) / kSecondsPerDay;
    };
    const auto lo = static_cast<int64_t>(std::llround((min - kUnixEpochDay) * kSecondsPerDay));
    if (lo % s != 0)
        min = toDays(FloorDiv(lo, s) * s);
    const auto hi = static_cast<int64_t>(std::llround((max - kUnixEpochDay) * kSecondsPerDay));
    if (hi % s != 0)
        max = toDays((FloorDiv(hi, s) + 1) * s);
}
