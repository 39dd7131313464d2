// Chart paints against references in the same run: the full view of six long curves against
// six Polyline calls of the same points already in pixels; a visible range of long against
// short curves; the live diagram's axes at large against small x; a re-point of ten curves plus
// a paint against the paint alone; markers on every point, and cairo stroking the points.
#include <benchmark/benchmark.h>
#if KQ_HAVE_CAIRO
#include <cairo.h>
#endif

#include <cmath>
#include <memory>
#include <vector>

#include "chart/XGraph.h"
#include "platform/gfx/PixelColor.h"
#include "platform/gfx/SurfaceDc.h"

namespace {

constexpr int kWidth = 1280;
constexpr int kHeight = 720;

struct Surface {
    Surface() : surface(std::make_shared<kq::gfx::Surface>(kWidth, kHeight)) {
        target.Attach(kq::gfx::CreateSurfaceDC(surface));
    }
    std::shared_ptr<kq::gfx::Surface> surface;
    CDC target;
};

// Ascending x from x0 in steps of dx; a noisy wave with a spike every 997 points.
std::vector<TDataPoint> Wave(size_t n, double x0, double dx, int seed) {
    std::vector<TDataPoint> points(n);
    unsigned state = 12345u + static_cast<unsigned>(seed);
    for (size_t i = 0; i < n; ++i) {
        state = state * 1103515245u + 12345u;
        const double noise = ((state >> 16) & 0x7FFF) / 32768.0 - 0.5;
        double y = std::sin(static_cast<double>(i) * 0.0007 + seed) * 10 + noise;
        if (i % 997 == 0)
            y += 30;
        points[i] = {x0 + static_cast<double>(i) * dx, y};
    }
    return points;
}

// Paints the chart as its window does: through an off-screen image copied back once.
void Paint(CXGraph& chart, Surface& s) {
    chart.PaintScreen(&s.target, CRect(0, 0, kWidth, kHeight));
}

struct FullView {
    FullView() {
        for (int c = 0; c < 6; ++c) {
            curves.push_back(Wave(100000, 0, 1, c));
            chart.SetData(curves.back().data(), 100000, c, 0, c, true);
            chart.GetYAxis(c).SetShowGrid(true);
        }
    }
    std::vector<std::vector<TDataPoint>> curves;
    CXGraph chart;
};

void BM_FullView_Chart(benchmark::State& state) {
    FullView view;
    Surface s;
    for (auto _ : state)
        Paint(view.chart, s);
}
BENCHMARK(BM_FullView_Chart)->Unit(benchmark::kMillisecond);

void BM_FullView_Reference_SixPolylines(benchmark::State& state) {
    FullView view;
    Surface s;
    Paint(view.chart, s);
    std::vector<std::vector<POINT>> pixels;
    for (int c = 0; c < 6; ++c) {
        CXGraphAxis::PixelMapper x = view.chart.GetXAxis(0).GetMapper();
        CXGraphAxis::PixelMapper y = view.chart.GetYAxis(c).GetMapper();
        std::vector<POINT> pts;
        for (const TDataPoint& p : view.curves[static_cast<size_t>(c)])
            pts.push_back({x.Map(p.fXVal), y.Map(p.fYVal)});
        pixels.push_back(std::move(pts));
    }
    for (auto _ : state)
        for (const auto& pts : pixels)
            ::Polyline(s.target.m_hDC, pts.data(), static_cast<int>(pts.size()));
}
BENCHMARK(BM_FullView_Reference_SixPolylines)->Unit(benchmark::kMillisecond);

// 1,000 points of every curve in view.
void VisibleRange(benchmark::State& state) {
    const auto n = static_cast<size_t>(state.range(0));
    std::vector<std::vector<TDataPoint>> curves;
    CXGraph chart;
    for (int c = 0; c < 6; ++c) {
        curves.push_back(Wave(n, 0, 1, c));
        chart.SetData(curves.back().data(), static_cast<long>(n), c, 0, c, true);
    }
    chart.GetXAxis(0).SetAutoScale(false);
    chart.GetXAxis(0).SetCurrentRange(static_cast<double>(n) / 2, static_cast<double>(n) / 2 + 1000,
                                      0);
    Surface s;
    for (auto _ : state)
        Paint(chart, s);
}
BENCHMARK(VisibleRange)->Name("BM_VisibleRange_Chart")->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(VisibleRange)
    ->Name("BM_VisibleRange_Reference_ShortCurves")
    ->Arg(10000)
    ->Unit(benchmark::kMillisecond);

// The live diagram's shape: ten curves on ten Y axes, two of them visible, auto-scaled.
void LiveAxes(benchmark::State& state) {
    const double x0 = static_cast<double>(state.range(0));
    std::vector<std::vector<TDataPoint>> curves;
    CXGraph chart;
    for (int c = 0; c < 10; ++c) {
        curves.push_back(Wave(600, x0, 0.1, c));
        chart.SetData(curves.back().data(), 600, c, 0, c, true);
        chart.GetYAxis(c).SetVisible(c < 2);
        chart.GetYAxis(c).SetPlacement(c < 8 ? 0 : 1);
    }
    Surface s;
    for (auto _ : state)
        Paint(chart, s);
}
BENCHMARK(LiveAxes)->Name("BM_Axes_Chart_LargeX")->Arg(1000000000)->Unit(benchmark::kMillisecond);
BENCHMARK(LiveAxes)->Name("BM_Axes_Reference_SmallX")->Arg(0)->Unit(benchmark::kMillisecond);

struct Store {
    Store() {
        for (int c = 0; c < 10; ++c) {
            curves.push_back(Wave(100000, 0, 1, c));
            chart.SetData(curves.back().data(), 100000, c, 0, c, true);
        }
    }
    std::vector<std::vector<TDataPoint>> curves;
    CXGraph chart;
};

void BM_RePoint_Chart(benchmark::State& state) {
    Store store;
    Surface s;
    for (auto _ : state) {
        for (int c = 0; c < 10; ++c)
            store.chart.SetData(store.curves[static_cast<size_t>(c)].data(), 100000, c, 0, c, true,
                                false);
        Paint(store.chart, s);
    }
}
BENCHMARK(BM_RePoint_Chart)->Unit(benchmark::kMillisecond);

void BM_RePoint_Reference_PaintOnly(benchmark::State& state) {
    Store store;
    Surface s;
    for (auto _ : state)
        Paint(store.chart, s);
}
BENCHMARK(BM_RePoint_Reference_PaintOnly)->Unit(benchmark::kMillisecond);

void BM_Markers_EveryPoint(benchmark::State& state) {
    auto points = Wave(5000, 0, 1, 0);
    CXGraph chart;
    chart.SetData(points.data(), 5000, 0, 0, 0, true);
    chart.GetCurve(0).SetShowMarker(true);
    chart.m_opOperation = CXGraph::MEditPoints;
    Surface s;
    for (auto _ : state)
        Paint(chart, s);
}
BENCHMARK(BM_Markers_EveryPoint)->Unit(benchmark::kMillisecond);

#if KQ_HAVE_CAIRO
void BM_Cairo_StrokeSixCurves(benchmark::State& state) {
    FullView view;
    Surface s;
    Paint(view.chart, s);
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, kWidth, kHeight);
    cairo_t* cr = cairo_create(surface);
    cairo_set_antialias(cr, CAIRO_ANTIALIAS_NONE);
    cairo_set_line_width(cr, 1);
    for (auto _ : state) {
        for (int c = 0; c < 6; ++c) {
            CXGraphAxis::PixelMapper x = view.chart.GetXAxis(0).GetMapper();
            CXGraphAxis::PixelMapper y = view.chart.GetYAxis(c).GetMapper();
            const auto& pts = view.curves[static_cast<size_t>(c)];
            cairo_move_to(cr, x.Map(pts[0].fXVal) + 0.5, y.Map(pts[0].fYVal) + 0.5);
            for (const TDataPoint& p : pts)
                cairo_line_to(cr, x.Map(p.fXVal) + 0.5, y.Map(p.fYVal) + 0.5);
            cairo_stroke(cr);
        }
        cairo_surface_flush(surface);
    }
    cairo_destroy(cr);
    cairo_surface_destroy(surface);
}
BENCHMARK(BM_Cairo_StrokeSixCurves)->Unit(benchmark::kMillisecond);
#endif

}  // namespace

BENCHMARK_MAIN();
