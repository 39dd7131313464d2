// The axis model: ranges and their refusal, logarithmic clamping, the format switch, readable
// steps, rounding onto the step grid (numbers and times, before 1970 and after 2038), pixel
// conversions with clamping, and the point search by x.
#include <cfloat>
#include <cmath>
#include <random>

#include "ChartTestUtil.h"
#include "platform/base/OleDateTime.h"

namespace kq::chart::test {
namespace {

double Day(int y, int mo, int d, int h, int mi, int s) {
    return COleDateTime(y, mo, d, h, mi, s).m_dt;
}

TEST(ChartAxisModel, RangesWidenClampAndRefuse) {
    CXGraphAxis axis;
    EXPECT_FALSE(axis.HasRange());
    EXPECT_TRUE(axis.SetRange(5, 5));
    EXPECT_DOUBLE_EQ(axis.m_fCurMin, 4);
    EXPECT_DOUBLE_EQ(axis.m_fCurMax, 6);
    EXPECT_DOUBLE_EQ(axis.m_fMin, 4);
    for (double bad : {NAN, INFINITY, -INFINITY}) {
        EXPECT_FALSE(axis.SetRange(bad, 1));
        EXPECT_FALSE(axis.SetRange(0, bad));
        EXPECT_FALSE(axis.SetCurrentRange(bad, 1, 0));
    }
    EXPECT_FALSE(axis.SetRange(2, 1));
    EXPECT_FALSE(axis.SetRange(-DBL_MAX, DBL_MAX));  // the span is not finite
    EXPECT_TRUE(axis.SetRange(1e300, 1e300));        // 1 is lost in the rounding: widened anyway
    EXPECT_LT(axis.m_fCurMin, axis.m_fCurMax);
    EXPECT_DOUBLE_EQ(axis.m_fCurMin, 1e300 - 1e291);
    // Too narrow to scale onto pixels: widened around the middle like an empty range.
    EXPECT_TRUE(axis.SetRange(8.1e-320, 2.8e-318));
    EXPECT_DOUBLE_EQ(axis.m_fCurMin, -1);
    EXPECT_TRUE(axis.SetCurrentRange(1, 1 + 4 * DBL_EPSILON, 0));
    EXPECT_DOUBLE_EQ(axis.m_fCurMax, 2);

    CXGraphAxis log;
    log.SetLogarithmic(true);
    EXPECT_TRUE(log.SetRange(5, 5));
    EXPECT_DOUBLE_EQ(log.m_fCurMin, 0.5);
    EXPECT_DOUBLE_EQ(log.m_fCurMax, 50);
    EXPECT_TRUE(log.SetRange(0, 100));
    EXPECT_DOUBLE_EQ(log.m_fCurMin, 1e-16);
    EXPECT_TRUE(log.SetRange(3, 450));
    CDCEx dc;
    log.AutoScale(&dc);
    EXPECT_DOUBLE_EQ(log.m_fCurMin, 1);
    EXPECT_DOUBLE_EQ(log.m_fCurMax, 1000);
}

TEST(ChartAxisModel, FormatSwitchesToExponentsBeyondAMillion) {
    CXGraphAxis axis;
    axis.SetRange(0, 1000000);
    EXPECT_EQ(axis.GetDisplayFmt(), "%5.3f");
    axis.SetRange(-2e6, 10);
    EXPECT_EQ(axis.GetDisplayFmt(), "%5.2e");
    axis.SetRange(0, 1);
    EXPECT_EQ(axis.GetDisplayFmt(), "%5.2e");
    CXGraphAxis time;
    time.SetTimeAxis(true);
    time.SetDisplayFmt("%H:%M");
    time.SetRange(-2e6, 10);
    EXPECT_EQ(time.GetDisplayFmt(), "%H:%M");

    EXPECT_EQ(axis.FormatSeconds(3725.5), "1:02:05");
    EXPECT_EQ(axis.FormatSeconds(12.25), "12.250");
    EXPECT_DOUBLE_EQ(CXGraphAxis::RoundToDecimals(2.346, 2), 2.35);
    EXPECT_DOUBLE_EQ(CXGraphAxis::RoundToDecimals(-2.346, 2), -2.35);
    CXGraphAxis scaled;
    scaled.SetRange(10, 20);
    scaled.Scale(2);
    EXPECT_DOUBLE_EQ(scaled.m_fCurMin, 5);
    EXPECT_DOUBLE_EQ(scaled.m_fCurMax, 10);

    const char* expected[] = {"%5.0f", "%5.1f", "%5.2f", "%5.3f", "%5.2f", "%5.2f"};
    const int decimals[] = {0, 1, 2, 3, 7, -1};
    for (int i = 0; i < 6; ++i) {
        axis.SetDecimals(decimals[i]);
        EXPECT_EQ(axis.GetDisplayFmt(), expected[i]);
    }
    // A negative value that rounds to nothing is labelled without its sign.
    axis.SetDecimals(0);
    EXPECT_EQ(axis.FormatLabel(-0.2), "    0");
    EXPECT_EQ(axis.FormatLabel(-0.6), "   -1");
    axis.SetDecimals(1);
    EXPECT_EQ(axis.FormatLabel(-0.04), "  0.0");
    EXPECT_EQ(axis.FormatLabel(-10.04), "-10.0");
    // Ticks closer than the format's decimals read apart; the decimal point is the axis's.
    axis.SetDisplayFmt("%0.0f");
    EXPECT_EQ(axis.FormatTickLabel(1.75, 0.25), "1.75");
    EXPECT_EQ(axis.FormatTickLabel(2.0, 1.0), "2");
    axis.SetDecimalPoint(',');
    EXPECT_EQ(axis.FormatTickLabel(0.5, 0.1), "0,5");
}

TEST(ChartAxisModel, StepsAreReadableAndRangesLandOnTheirGrid) {
    EXPECT_DOUBLE_EQ(CXGraphAxis::GetNiceStep(10, 0, 97), 10);
    EXPECT_DOUBLE_EQ(CXGraphAxis::GetNiceStep(4, 0, 0.37), 0.1);
    EXPECT_DOUBLE_EQ(CXGraphAxis::GetNiceStep(2, 0, 3), 2);
    EXPECT_EQ(CXGraphAxis::GetNiceStep(5, 1, 1), 0);
    EXPECT_EQ(CXGraphAxis::GetNiceStep(5, 0, INFINITY), 0);
    EXPECT_EQ(CXGraphAxis::GetNiceStep(5, 2, 1), 0);
    EXPECT_EQ(CXGraphAxis::GetNiceStep(5, 0, NAN), 0);

    double lo = 3.7, hi = 8.2;
    CXGraphAxis::AdjustToStep(lo, hi, 1);
    EXPECT_DOUBLE_EQ(lo, 2.0);
    EXPECT_NEAR(hi, 9.0, 1e-12);
    lo = 4, hi = 8;
    CXGraphAxis::AdjustToStep(lo, hi, 1);
    EXPECT_EQ(lo, 4.0);
    EXPECT_EQ(hi, 8.0);
    // On the grid, though fmod leaves a remainder of rounding noise (next to 0 or to a step).
    lo = -1, hi = 1;
    CXGraphAxis::AdjustToStep(lo, hi, 0.1);
    EXPECT_EQ(lo, -1.0);
    EXPECT_EQ(hi, 1.0);
    lo = 0.3, hi = 0.7;
    CXGraphAxis::AdjustToStep(lo, hi, 0.1);
    EXPECT_EQ(lo, 0.3);
    EXPECT_EQ(hi, 0.7);
    lo = 1e12, hi = 3e12;
    CXGraphAxis::AdjustToStep(lo, hi, 1e11);
    EXPECT_EQ(lo, 1e12);
    EXPECT_EQ(hi, 3e12);
    // Far beyond 2^53 steps the remainder is still one operation.
    EXPECT_DOUBLE_EQ(CXGraphAxis::Remainder(86400.5, 0.001), std::fmod(86400.5, 0.001));
    EXPECT_DOUBLE_EQ(CXGraphAxis::Remainder(-3.5, 1), -0.5);
    EXPECT_EQ(CXGraphAxis::Remainder(1e30, 1e-10), std::fmod(1e30, 1e-10));
}

TEST(ChartAxisModel, TimeStepsFallOnWholeSecondsSince1970) {
    for (int year : {1960, 2026, 2040}) {
        double lo = Day(year, 3, 1, 10, 0, 7);
        double hi = lo + 600.0 / 86400;
        const double step = CXGraphAxis::GetTimeStep(7, lo, hi);
        EXPECT_NEAR(step * 86400, 120, 1e-6) << year;
        CXGraphAxis::AdjustTimeToStep(lo, hi, step);
        const double epoch = Day(1970, 1, 1, 0, 0, 0);
        const double loSeconds = std::round((lo - epoch) * 86400);
        const double hiSeconds = std::round((hi - epoch) * 86400);
        EXPECT_EQ(std::fmod(loSeconds, 120), 0) << year;
        EXPECT_EQ(std::fmod(hiSeconds, 120), 0) << year;
        EXPECT_LE(lo, Day(year, 3, 1, 10, 0, 7));
        EXPECT_NEAR(lo, Day(year, 3, 1, 10, 0, 0), 1e-9) << year;
        EXPECT_NEAR(hi, Day(year, 3, 1, 10, 12, 0), 1e-9) << year;
    }
    // Under a second, or outside the valid dates, the range stays.
    double lo = 1.1, hi = 1.2;
    CXGraphAxis::AdjustTimeToStep(lo, hi, 0.1 / 86400);
    EXPECT_EQ(lo, 1.1);
    lo = 1e9;
    hi = 1e9 + 1;
    CXGraphAxis::AdjustTimeToStep(lo, hi, 60.0 / 86400);
    EXPECT_EQ(lo, 1e9);
}

TEST(ChartAxisModel, NeverRangedAxisLeavesAutoScaleAndMapsToTheOrigin) {
    CXGraphAxis axis;
    CDCEx dc;
    dc.CreateCompatibleDC(nullptr);
    axis.AutoScale(&dc);
    EXPECT_EQ(axis.m_fCurMin, DBL_MAX);
    EXPECT_EQ(axis.m_fCurMax, -DBL_MAX);
    double min, max, step;
    axis.GetRange(min, max, step);
    EXPECT_EQ(min, DBL_MAX);
    EXPECT_EQ(max, -DBL_MAX);
    const double xy[2] = {5, 5};
    EXPECT_EQ(axis.GetPointForValue(xy).x, 0);
    EXPECT_EQ(axis.GetValueForPos(10), 0.0);
}

TEST(ChartAxisModel, PositionsAreClampedFarOutside) {
    CXGraph chart;
    TDataPoint points[] = {{0, 0}, {10, 10}};
    chart.SetData(points, 2, 0, 0, 0, true);
    ChartCanvas canvas(300, 200);
    chart.PaintChart(&canvas.dc, CRect(0, 0, 300, 200));
    CXGraphAxis& x = chart.GetXAxis(0);
    for (double v : {1e300, -1e300}) {
        const double xy[2] = {v, v};
        const int px = x.GetPointForValue(xy).x;
        EXPECT_EQ(std::abs(px), 1 << 30);
    }
    const double mid[2] = {5, 5};
    const int px = x.GetPointForValue(mid).x;
    EXPECT_NEAR(x.GetValueForPos(px), 5, 10.0 / x.m_nLength);

    CXGraphAxis& y = chart.GetYAxis(0);
    y.SetLogarithmic(true);
    y.SetRange(1, 100);
    const double zero[2] = {0, 0};
    const double one[2] = {1, 1};
    EXPECT_EQ(y.GetPointForValue(zero).y, y.GetPointForValue(one).y);
}

// The search as a walk from the guess of the first spacing: down to the last point at or before
// x from a guess beyond it, else up to the first point beyond x.
int WalkFromGuess(const std::vector<TDataPoint>& p, double x) {
    const int count = static_cast<int>(p.size());
    const double slot = (x - p[0].fXVal) / std::fabs(p[1].fXVal - p[0].fXVal);
    int i = slot >= count - 1 ? count - 1 : (slot > 0 ? static_cast<int>(slot) : 0);
    if (x < p[static_cast<size_t>(i)].fXVal) {
        while (i > 0 && x < p[static_cast<size_t>(i)].fXVal)
            --i;
        return i;
    }
    while (i < count && p[static_cast<size_t>(i)].fXVal <= x)
        ++i;
    return i;
}

TEST(ChartAxisModel, PointSearchStepsUpToTheFirstPointBeyondX) {
    CXGraphDataSerie serie;
    EXPECT_EQ(CXGraphAxis::IndexByXValue(serie, 1), -1);
    TDataPoint one[] = {{5, 0}};
    serie.SetPoints(one, 1, false);
    EXPECT_EQ(CXGraphAxis::IndexByXValue(serie, 0), 0);
    EXPECT_EQ(CXGraphAxis::IndexByXValue(serie, 9), 1);
    TDataPoint two[] = {{1, 0}, {2, 0}};
    serie.SetPoints(two, 2, false);
    EXPECT_EQ(CXGraphAxis::IndexByXValue(serie, 0), 0);
    EXPECT_EQ(CXGraphAxis::IndexByXValue(serie, 1.5), 1);
    EXPECT_EQ(CXGraphAxis::IndexByXValue(serie, 2), 2);  // at or beyond the last: the count
    TDataPoint equal[] = {{3, 0}, {3, 1}, {3, 2}, {4, 3}};
    serie.SetPoints(equal, 4, false);
    EXPECT_EQ(CXGraphAxis::IndexByXValue(serie, 3), 3);
    EXPECT_EQ(CXGraphAxis::IndexByXValue(serie, 2), 0);
    // A guess beyond x walks down and stops at the last point at or before it.
    TDataPoint gap[] = {{0, 0}, {1, 0}, {10, 0}, {11, 0}, {12, 0}};
    serie.SetPoints(gap, 5, false);
    EXPECT_EQ(CXGraphAxis::IndexByXValue(serie, 5), 1);
    EXPECT_EQ(CXGraphAxis::IndexByXValue(serie, 0.5), 1);
    EXPECT_EQ(CXGraphAxis::LastIndexAtOrBefore(serie, 10.5), 2);

    std::mt19937 random(7);
    std::uniform_real_distribution<double> gaps(0.0, 2.0);
    std::vector<TDataPoint> points(500);
    double x = -100;
    for (TDataPoint& p : points) {
        x += std::floor(gaps(random) * 2) / 2;  // equal x now and then
        p = {x, 0};
    }
    serie.SetPoints(points.data(), 500, false);
    std::uniform_real_distribution<double> probe(-110, x + 10);
    for (int k = 0; k < 2000; ++k) {
        const double v = probe(random);
        EXPECT_EQ(CXGraphAxis::IndexByXValue(serie, v), WalkFromGuess(points, v)) << v;
    }
}

}  // namespace
}  // namespace kq::chart::test
