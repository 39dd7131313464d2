// Trend lines over the point number, cubics fitted over x, their continuation, moving averages, the
// polynomial fit at large x, what gives no curve, the segment hit test, and trend curves added to a
// chart.
#include <cmath>
#include <memory>

#include "ChartTestUtil.h"

namespace kq::chart::test {
namespace {

using Owned = std::unique_ptr<TDataPoint[]>;

CXGraphDataSerie Serie(std::vector<TDataPoint>& points) {
    CXGraphDataSerie serie;
    serie.SetPoints(points.data(), static_cast<int>(points.size()), false);
    return serie;
}

void ExpectPoints(const TDataPoint* got, const std::vector<TDataPoint>& want, double tolerance) {
    ASSERT_NE(got, nullptr);
    for (size_t i = 0; i < want.size(); ++i) {
        EXPECT_NEAR(got[i].fXVal, want[i].fXVal, tolerance) << i;
        EXPECT_NEAR(got[i].fYVal, want[i].fYVal, tolerance) << i;
    }
}

TEST(ChartTrends, LinesFollowThePointNumberAndCubicsFitOverX) {
    std::vector<TDataPoint> line = {{0, 1}, {1, 3}, {2, 5}};
    CXGraphDataSerie serie = Serie(line);
    Owned linear(serie.LinearTrend(2));
    ExpectPoints(linear.get(), {{0, 1}, {1, 3}, {2, 5}, {3, 7}, {4, 9}}, 1e-12);
    Owned poly(serie.PolynomialTrend(2, 0));
    ExpectPoints(poly.get(), line, 1e-12);

    // The line runs over the point number: over uneven x it is no fit over x.
    std::vector<TDataPoint> uneven = {{0, 1}, {1, 3}, {3, 7}};
    CXGraphDataSerie unevenSerie = Serie(uneven);
    Owned byIndex(unevenSerie.LinearTrend(1));
    ExpectPoints(byIndex.get(), {{0, 2.0 / 3}, {1, 11.0 / 3}, {3, 20.0 / 3}, {4, 29.0 / 3}}, 1e-12);
    Owned continued(unevenSerie.PolynomialTrend(2, 1));
    ASSERT_NE(continued, nullptr);
    EXPECT_DOUBLE_EQ(continued[3].fXVal, 5);
    EXPECT_NEAR(continued[3].fYVal, 11, 1e-9);

    auto cubes = Points(6, [](int i) { return std::pow(i + 1.0, 3); });
    CXGraphDataSerie cubeSerie = Serie(cubes);
    Owned cubic(cubeSerie.CubicTrend(0));
    ExpectPoints(cubic.get(), cubes, 1e-9);
    auto flat = Points(8, [](int) { return 4.5; });
    CXGraphDataSerie flatSerie = Serie(flat);
    Owned constant(flatSerie.CubicTrend(0));
    ExpectPoints(constant.get(), flat, 1e-9);
}

TEST(ChartTrends, PolynomialHoldsAtLargeX) {
    const auto quintic = [](double x) {
        const double u = (x - 100000.0) / 10.0;
        return 2 - u + 0.5 * u * u * u - 0.01 * std::pow(u, 5);
    };
    std::vector<TDataPoint> points;
    for (int i = 0; i < 40; ++i) {
        const double x = 99980.0 + i;
        points.push_back({x, quintic(x)});
    }
    CXGraphDataSerie serie = Serie(points);
    Owned fit(serie.PolynomialTrend(6, 0));
    ASSERT_NE(fit, nullptr);
    for (size_t i = 0; i < points.size(); ++i)
        EXPECT_NEAR(fit[i].fYVal, points[i].fYVal,
                    1e-6 * std::max(1.0, std::fabs(points[i].fYVal)));
    EXPECT_EQ(serie.m_PS.m_nCoefficients, 6);
}

TEST(ChartTrends, TooFewPointsOrNoWindowGiveNothing) {
    std::vector<TDataPoint> one = {{1, 1}};
    CXGraphDataSerie single = Serie(one);
    EXPECT_EQ(single.LinearTrend(0), nullptr);
    EXPECT_EQ(single.CubicTrend(3), nullptr);
    std::vector<TDataPoint> three = {{0, 1}, {1, 2}, {2, 0}};
    CXGraphDataSerie few = Serie(three);
    EXPECT_EQ(few.PolynomialTrend(4, 0), nullptr);
    EXPECT_EQ(few.PolynomialTrend(0, 0), nullptr);
    EXPECT_EQ(few.LinearTrend(-1), nullptr);
    EXPECT_EQ(few.SimpleMovingAverage(0), nullptr);
    std::vector<TDataPoint> sameX = {{2, 1}, {2, 5}, {2, 3}};
    CXGraphDataSerie vertical = Serie(sameX);
    EXPECT_EQ(vertical.PolynomialTrend(2, 0), nullptr);
}

TEST(ChartTrends, MovingAveragesWarmUpOnTheNewestPoints) {
    std::vector<TDataPoint> tens = {{0, 10}, {1, 20}, {2, 30}, {3, 40}, {4, 50}};
    CXGraphDataSerie serie = Serie(tens);
    Owned simple(serie.SimpleMovingAverage(3));
    ExpectPoints(simple.get(), {{0, 10}, {1, 20}, {2, 25}, {3, 30}, {4, 40}}, 1e-12);
    std::vector<TDataPoint> ramp = {{0, 0}, {1, 4}, {2, 8}};
    CXGraphDataSerie rampSerie = Serie(ramp);
    Owned exponential(rampSerie.ExponentialMovingAverage(3));
    ExpectPoints(exponential.get(), {{0, 0}, {1, 2}, {2, 5}}, 1e-12);
    std::vector<TDataPoint> small = {{0, 1}, {1, 2}, {2, 4}};
    CXGraphDataSerie smallSerie = Serie(small);
    Owned linear(smallSerie.LinearMovingAverage(2));
    ExpectPoints(linear.get(), {{0, 1}, {1, 2}, {2, 10.0 / 3}}, 1e-12);
    Owned triangular(serie.TriangularMovingAverage(3));
    ASSERT_NE(triangular, nullptr);
    EXPECT_NEAR(triangular[4].fYVal, 40, 1e-12);  // symmetric weights over 30, 40, 50
    Owned sine(serie.SineMovingAverage(3));
    ASSERT_NE(sine, nullptr);
    EXPECT_NEAR(sine[4].fYVal, 40, 1e-12);
}

TEST(ChartTrends, SegmentHitTestToleratesHalfTheWidth) {
    EXPECT_TRUE(CXGraphDataSerie::HitTest(0, 0, 10, 0, 5, 2, 4));
    EXPECT_FALSE(CXGraphDataSerie::HitTest(0, 0, 10, 0, 5, 3, 4));
    EXPECT_TRUE(CXGraphDataSerie::HitTest(0, 0, 6, 8, 1, -2, 4));   // 2.0 px off a slanted line
    EXPECT_FALSE(CXGraphDataSerie::HitTest(0, 0, 6, 8, 1, -3, 4));  // 2.6 px
    EXPECT_TRUE(CXGraphDataSerie::HitTest(0, 0, 10, 0, 5, 1, 1));
    EXPECT_FALSE(CXGraphDataSerie::HitTest(0, 0, 10, 0, 5, 2, 1));
    EXPECT_FALSE(CXGraphDataSerie::HitTest(3, 3, 3, 3, 3, 3, 4));
}

TEST(ChartTrends, TrendCurvesWidenTheAxesWithoutCuttingPeaks) {
    auto points = Points(21, [](int i) { return i == 10 ? 100.0 : i * 0.5; });
    CXGraph chart;
    chart.SetData(points.data(), 21, 0, 0, 0, true);
    chart.GetCurve(0).SetLabel("Torque");
    chart.AddLinearTrend(chart.GetCurve(0));
    chart.AddCubicTrend(chart.GetCurve(0));
    ASSERT_EQ(chart.GetCurveCount(), 3);
    EXPECT_EQ(chart.GetCurve(1).GetLabel(), "Torque linear trend");
    EXPECT_EQ(chart.GetCurve(2).GetLabel(), "Torque cubic trend");
    EXPECT_TRUE(chart.GetCurve(1).m_bAutoDelete);
    EXPECT_GE(chart.GetYAxis(0).m_fMax, 100.0);
    EXPECT_LE(chart.GetYAxis(0).m_fMin, 0.0);
}

}  // namespace
}  // namespace kq::chart::test
