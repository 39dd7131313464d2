// Axis drawing: the labels each axis writes, where automatic Y axes go, ticks and grid lines,
// invisible axes, colour bands, numbered legend markers, hostile steps on a tiny chart,
// logarithmic decades and dates on a Y axis.
#include <cmath>
#include <string>

#include "ChartTestUtil.h"
#include "platform/base/OleDateTime.h"

namespace kq::chart::test {
namespace {

// A chart with one curve over 0..10 on fixed axes with step 2 and whole-number labels.
class AxisDrawing : public ::testing::Test {
  protected:
    void SetUp() override {
        points_ = Points(11, [](int i) { return double(i); });
        chart_.SetShowLegend(false);
        chart_.SetData(points_.data(), 11, 0, 0, 0, true);
        for (CXGraphAxis* axis : {&chart_.GetXAxis(0), &chart_.GetYAxis(0)}) {
            axis->SetAutoScale(false);
            axis->SetCurrentRange(0, 10, 2);
            axis->SetDisplayFmt("%.0f");
            axis->SetShowMarker(false);
        }
    }
    std::vector<std::string> Paint(int w = 400, int h = 300) {
        RecordingCanvas canvas(w, h);
        chart_.PaintChart(&canvas.dc, CRect(0, 0, w, h));
        std::vector<std::string> numbers;
        for (const std::string& t : canvas.dc.texts)
            if (!t.empty() && t != " ")
                numbers.push_back(t);
        return numbers;
    }
    std::vector<TDataPoint> points_;
    CXGraph chart_;
};

TEST_F(AxisDrawing, XAxisStopsBeforeItsMaximumAndYAxisReachesIt) {
    chart_.GetYAxis(0).SetVisible(false);
    EXPECT_EQ(Paint(), (std::vector<std::string>{"0", "2", "4", "6", "8"}));
    chart_.GetYAxis(0).SetVisible(true);
    chart_.GetXAxis(0).SetVisible(false);
    EXPECT_EQ(Paint(), (std::vector<std::string>{"0", "2", "4", "6", "8", "10"}));
}

TEST_F(AxisDrawing, AutomaticYAxesAlternateAndOtherPlacementsDrawNoLabels) {
    chart_.SetData(points_.data(), 11, 1, 0, 1, true);
    chart_.SetData(points_.data(), 11, 2, 0, 2, true);
    Paint();
    EXPECT_EQ(chart_.GetYAxis(0).GetPlacement(), 0);
    EXPECT_EQ(chart_.GetYAxis(1).GetPlacement(), 1);
    EXPECT_EQ(chart_.GetYAxis(2).GetPlacement(), 0);
    const CRect plot = chart_.GetPlotRect();
    EXPECT_LT(chart_.GetYAxis(0).m_nLeft, chart_.GetYAxis(2).m_nLeft);
    EXPECT_EQ(chart_.GetYAxis(2).m_nLeft, plot.left - 1);
    EXPECT_EQ(chart_.GetYAxis(1).m_nLeft, plot.right);

    CXGraph lone;
    lone.SetShowLegend(false);
    lone.SetData(points_.data(), 11, 0, 0, 0, true);
    lone.GetXAxis(0).SetVisible(false);
    lone.GetYAxis(0).SetPlacement(3);
    lone.GetYAxis(0).SetShowMarker(false);
    lone.GetYAxis(0).SetDisplayFmt("%.0f");
    RecordingCanvas canvas(300, 200);
    lone.PaintChart(&canvas.dc, CRect(0, 0, 300, 200));
    for (const std::string& t : canvas.dc.texts)
        EXPECT_TRUE(t == " " || t.empty()) << "[" << t << "]";
}

// A print or an export paints the plot far taller than the screen: its finer Y ticks write more
// digits, and the axis makes room for them instead of cutting their first digits off.
TEST_F(AxisDrawing, ATallPlotMakesRoomForTheDigitsOfItsFinerTicks) {
    std::vector<TDataPoint> small = Points(11, [](int i) { return i / 5.0; });
    chart_.SetData(small.data(), 11, 0, 0, 0, true);
    chart_.GetYAxis(0).SetAutoScale(true);
    RecordingCanvas canvas(400, 1000);
    chart_.PaintChart(&canvas.dc, CRect(0, 0, 400, 1000));
    int fine = 0;
    for (size_t i = 0; i < canvas.dc.texts.size(); ++i) {
        if (canvas.dc.texts[i].find('.') == std::string::npos)
            continue;
        ++fine;
        EXPECT_GE(canvas.dc.lefts[i], 0) << canvas.dc.texts[i];
    }
    EXPECT_GT(fine, 5);
}

TEST_F(AxisDrawing, OriginTickStaysShortOthersBecomeGridLines) {
    ChartCanvas canvas(400, 300);
    chart_.SetInnerColor(kWhite);
    chart_.GetCurve(0).SetVisible(false);
    chart_.GetXAxis(0).SetShowGrid(false);
    chart_.PaintChart(&canvas.dc, CRect(0, 0, 400, 300));
    CXGraphAxis& y = chart_.GetYAxis(0);
    const CRect plot = chart_.GetPlotRect();
    const double xy[2] = {2, 2};
    const int row2 = chart_.GetYAxis(0).GetPointForValue(xy).y;
    // A dotted grid line across the plot at 2; nothing across the plot at the origin row.
    int grid = 0, origin = 0;
    for (int x = plot.left + 10; x < plot.right - 30; ++x) {
        grid += canvas.At(x, row2) != kWhite;
        origin += canvas.At(x, y.m_nTop - 1) != kWhite;
    }
    EXPECT_GT(grid, (plot.Width() - 40) / 3);
    EXPECT_EQ(origin, 0);
    const double min[2] = {0, 0};
    EXPECT_EQ(y.GetPointForValue(min).y, y.m_nTop);  // the minimum's tick is on the origin row
}

TEST_F(AxisDrawing, InvisibleAxisDrawsNothingButStillScales) {
    ChartCanvas canvas(400, 300);
    chart_.GetCurve(0).SetVisible(false);
    chart_.SetBackColor(RGB(1, 1, 1));
    chart_.SetOuterColor(RGB(2, 2, 2));
    chart_.SetInnerColor(RGB(3, 3, 3));
    CXGraphAxis& x = chart_.GetXAxis(0);
    chart_.GetYAxis(0).SetVisible(false);
    x.SetVisible(false);
    x.SetAutoScale(true);
    x.SetRange(0.3, 9.7);
    chart_.PaintChart(&canvas.dc, CRect(0, 0, 400, 300));
    EXPECT_EQ(x.m_fCurMin, 0);  // rounded onto its step
    EXPECT_GE(x.m_fCurMax, 9.7);
    const double five[2] = {5, 5};
    EXPECT_GT(x.GetPointForValue(five).x, chart_.GetPlotRect().left);
    EXPECT_EQ(canvas.Count(RGB(1, 1, 1)) + canvas.Count(RGB(2, 2, 2)) + canvas.Count(RGB(3, 3, 3)),
              400 * 300);
}

TEST_F(AxisDrawing, SolidBandOfTwoColoursStaysUnfilledButKeepsItsText) {
    CXGraphAxis& y = chart_.GetYAxis(0);
    y.SetColorRange(0, 2, 4, RGB(255, 0, 0), RGB(0, 255, 0), "band", 6);
    y.SetColorRange(1, 6, 8, RGB(0, 0, 255), RGB(0, 0, 255), "", 6);
    ChartCanvas canvas(400, 300);
    chart_.GetCurve(0).SetVisible(false);
    chart_.GetXAxis(0).SetShowGrid(false);
    y.SetShowGrid(false);
    chart_.PaintChart(&canvas.dc, CRect(0, 0, 400, 300));
    EXPECT_EQ(canvas.Count(RGB(255, 0, 0)), 0);
    EXPECT_EQ(canvas.Count(RGB(0, 255, 0)), 0);
    EXPECT_GT(canvas.Count(RGB(0, 0, 255)), 100);
    RecordingCanvas rec(400, 300);
    chart_.PaintChart(&rec.dc, CRect(0, 0, 400, 300));
    EXPECT_NE(std::find(rec.dc.texts.begin(), rec.dc.texts.end(), "band"), rec.dc.texts.end());
}

TEST(ChartAxisMarkers, NumberedMarkersPickTheirDigitColour) {
    CXGraph chart;
    CXGraphAxis axis;
    axis.m_pGraph = &chart;
    for (COLORREF back : {RGB(255, 255, 0), RGB(0, 0, 128)}) {
        ChartCanvas canvas(30, 30);
        axis.DrawMarker(&canvas.dc, 0, 0, 7, 20, back, false);
        const COLORREF digit = back == RGB(255, 255, 0) ? kBlack : kWhite;
        const COLORREF other = back == RGB(255, 255, 0) ? kWhite : kBlack;
        EXPECT_GT(canvas.Count(digit, CRect(0, 0, 20, 20)), 0);
        EXPECT_EQ(canvas.Count(other, CRect(0, 0, 20, 20)), 0);
    }
}

TEST_F(AxisDrawing, HostileStepsOnATinyChartDrawFewTicks) {
    for (double step : {0.0, -1.0, double(NAN), 1e-300}) {
        for (CXGraphAxis* axis : {&chart_.GetXAxis(0), &chart_.GetYAxis(0)})
            axis->m_fStep = step;
        const auto labels = Paint(40, 30);
        EXPECT_LT(labels.size(), 40u) << step;
    }
    chart_.GetYAxis(0).SetRange(0, 1e-300);
    EXPECT_LT(Paint(40, 30).size(), 40u);
}

TEST_F(AxisDrawing, LogarithmicAxisLabelsDecadesOnly) {
    CXGraphAxis& y = chart_.GetYAxis(0);
    chart_.GetXAxis(0).SetVisible(false);
    chart_.GetCurve(0).SetVisible(false);
    y.SetLogarithmic(true);
    y.SetRange(1, 1000);
    y.SetDisplayFmt("%g");
    EXPECT_EQ(Paint(), (std::vector<std::string>{"1", "10", "100"}));
    // Nine ticks per decade: 1..9, 10..90, 100..900.
    ChartCanvas canvas(400, 300);
    y.SetShowGrid(false);
    chart_.SetOuterColor(kWhite);
    chart_.PaintChart(&canvas.dc, CRect(0, 0, 400, 300));
    int ticks = 0;
    const int x = y.m_nLeft - 5;  // the ticks' outer end, beside the arrow head
    for (int row = 1; row < 300; ++row)
        ticks += canvas.At(x, row) != kWhite && canvas.At(x, row - 1) == kWhite;
    EXPECT_EQ(ticks, 27);
}

TEST_F(AxisDrawing, TimeFlagOnAYAxisShowsDates) {
    CXGraphAxis& y = chart_.GetYAxis(0);
    chart_.GetXAxis(0).SetVisible(false);
    const double day = COleDateTime(2026, 12, 7, 0, 0, 0).m_dt;
    y.SetTimeAxis(true);
    y.SetDisplayFmt("%d.%m.");
    y.SetCurrentRange(day, day + 4, 1);
    const auto labels = Paint();
    ASSERT_FALSE(labels.empty());
    EXPECT_EQ(labels.front(), "07.12.");
    EXPECT_EQ(labels.back(), "11.12.");
}

}  // namespace
}  // namespace kq::chart::test
