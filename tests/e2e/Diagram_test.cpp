// The live diagram on the road: the points it plots, read off the screen by the chart's scales,
// follow the simulator's load while the sensor measures and once the recording has ended.
#include <cmath>
#include <numbers>

#include "Road.h"
#include "app/MainFrame.h"
#include "app/views/CAFormDiagram.h"
#include "app/views/GraphicDisplayWnd.h"
#include "chart/XGraph.h"
#include "pages/measurement/CDlgMeasureAdjust.h"
#include "platform/gfx/WinGdi.h"
#include "tools/harness/RoadSteps.h"

namespace e2e {
namespace {

using LiveDiagram = Road;

struct PlottedPoint {
    double time;
    double value;
};

struct Plot {
    std::vector<PlottedPoint> points;
    int columns = 0;           // columns between the first and the last plotted point
    double valuePerPixel = 0;  // of the curve's axis
};

// The curve as the screen shows it: in every column of the plot the middle of the pixels of the
// curve's colour, as time and value by the chart's axes.
Plot PlottedCurve(CXGraph& chart, int curve) {
    CXGraphDataSerie& serie = chart.GetCurve(curve);
    CXGraphAxis& x = chart.GetXAxis(serie.GetXAxisIndex());
    CXGraphAxis& y = chart.GetYAxis(serie.GetYAxisIndex());
    const CRect area = chart.GetPlotRect();
    Plot plot;
    plot.valuePerPixel = std::abs(y.GetValueForPos(area.top) - y.GetValueForPos(area.bottom)) /
                         std::max(area.Height(), 1);
    HDC dc = ::GetDC(chart.GetSafeHwnd());
    int first = -1, last = -1;
    // The innermost axis draws its curves' markers a few pixels into the plot: they are no
    // points.
    constexpr int kAxisMarkerReach = 8;
    for (int column = area.left + kAxisMarkerReach; column < area.right - 1; ++column) {
        int sum = 0, count = 0;
        for (int row = area.top + 1; row < area.bottom - 1; ++row) {
            if (::GetPixel(dc, column, row) == serie.GetColor()) {
                sum += row;
                ++count;
            }
        }
        if (count == 0)
            continue;
        first = first < 0 ? column : first;
        last = column;
        plot.points.push_back({x.GetValueForPos(column), y.GetValueForPos(sum / count)});
    }
    ::ReleaseDC(chart.GetSafeHwnd(), dc);
    plot.columns = first < 0 ? 0 : last - first + 1;
    return plot;
}

// The largest distance of the points from mean + amplitude * sin(2 pi (t + phase) / period) at
// the phase that fits them best: the phase of the simulator's clock is not known here.
double DistanceFromSine(const std::vector<PlottedPoint>& points, double mean, double amplitude,
                        double period) {
    double best = HUGE_VAL;
    for (double phase = 0; phase < period; phase += period / 4000) {
        double worst = 0;
        for (const PlottedPoint& p : points) {
            const double load =
                mean + amplitude * std::sin(2 * std::numbers::pi * (p.time + phase) / period);
            worst = std::max(worst, std::abs(p.value - load));
            if (worst >= best)
                break;
        }
        best = std::min(best, worst);
    }
    return best;
}

// Channel A (curve 0) carries the sine load of 200 +- 100 N·m over 8 s, channel B (curve 1) its
// constant 10 N·m: every plotted column lies within a few pixels of the load.
void ExpectTheLoad(CXGraph& chart, const char* when) {
    SCOPED_TRACE(when);
    const Plot a = PlottedCurve(chart, 0);
    ASSERT_GT(a.points.size(), 100u);
    EXPECT_GE(a.points.size() * 10, static_cast<size_t>(a.columns) * 9);
    EXPECT_LE(DistanceFromSine(a.points, 200, 100, 8), 2 * a.valuePerPixel + 0.2);
    const Plot b = PlottedCurve(chart, 1);
    ASSERT_GE(b.points.size() * 10, static_cast<size_t>(b.columns) * 9);
    for (const PlottedPoint& p : b.points)
        ASSERT_NEAR(p.value, 10.0, 2 * b.valuePerPixel + 0.05) << p.time;
}

TEST_F(LiveDiagram, ThePlottedPointsFollowTheLoad) {
    StartBench(OneSensorArguments(stateFile_), 1);
    StartApp();
    // The page gives the docked diagram the height its controls leave: the curves show large.
    ShowPage(*app_, kCommandMeasureDiagram);

    // Both channels unaveraged (the bench's sensor asks for two samples): the plot shows the
    // load itself.
    for (int channel : {0, 1})
        app_->Frame()->GetMeasureAdjustPage()->m_aiAveragingCode[channel] = 1;
    CXGraph* chart = app_->Frame()->GetDiagramView()->GetDiagram()->GetChart();
    ASSERT_NE(chart, nullptr);
    ASSERT_TRUE(Measure(*app_, 3000, [&] { ExpectTheLoad(*chart, "while measuring"); }));
    ExpectTheLoad(*chart, "after the stop");
}

}  // namespace
}  // namespace e2e
