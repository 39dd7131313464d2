// The chart's mouse and its output against references in the same run: a select-mode test pass
// over ten long curves against a plain loop of point-to-segment distances over the same
// segments; cursor and point-edit moves against one full paint; Save of ten curves of 1e6 points
// against a raw write of as many bytes, Load against a read of the file's curves into fresh
// arrays (timed in the same iterations); SaveBitmap at 1920 x 1080 against a raw write of its
// bytes. The tests count the notices a move posts (one curve notice per pass).
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "bench/BenchTarget.h"
#include "chart/XGraph.h"
#include "platform/gfx/PixelColor.h"
#include "platform/gfx/SurfaceDc.h"

namespace {

constexpr int kWidth = 1000;
constexpr int kHeight = 700;

class BenchChart : public CXGraph {
  public:
    using CXGraph::OnMouseMove;
};

std::vector<TDataPoint> Curve(size_t n, int seed) {
    std::vector<TDataPoint> points(n);
    for (size_t i = 0; i < n; ++i)
        points[i] = {static_cast<double>(i), std::sin(i * 0.001 + seed) * 10 + seed * 3};
    return points;
}

struct Scene {
    explicit Scene(size_t n) : surface(std::make_shared<kq::gfx::Surface>(kWidth, kHeight)) {
        dc.Attach(kq::gfx::CreateSurfaceDC(surface));
        for (int c = 0; c < 10; ++c) {
            curves.push_back(Curve(n, c));
            chart.SetData(curves.back().data(), static_cast<long>(n), c, 0, 0, true);
        }
        chart.SetShowLegend(false);
        Paint();
        // Above every curve: the pass scans all segments and finds nothing.
        chart.m_CurrentPoint = CPoint(kWidth / 2, chart.GetPlotRect().top + 2);
    }
    void Paint() { chart.PaintChart(&dc, CRect(0, 0, kWidth, kHeight)); }
    std::shared_ptr<kq::gfx::Surface> surface;
    CDCEx dc;
    std::vector<std::vector<TDataPoint>> curves;
    BenchChart chart;
};

Scene& Moves() {
    static Scene scene(100000);
    return scene;
}

void BM_MouseMove_TestPass_Chart(benchmark::State& state) {
    Scene& s = Moves();
    for (auto _ : state)
        benchmark::DoNotOptimize(s.chart.CheckObjects(false, true));
}
BENCHMARK(BM_MouseMove_TestPass_Chart)->Unit(benchmark::kMicrosecond);

void BM_MouseMove_Reference_SegmentDistances(benchmark::State& state) {
    Scene& s = Moves();
    const CPoint p = s.chart.m_CurrentPoint;
    for (auto _ : state) {
        int near = 0;
        for (const CXGraphDataSerie& c : s.chart.m_Data)
            for (const CRect& r : c.m_CurveRegions) {
                const double dx = r.right - r.left, dy = r.bottom - r.top;
                const double len = dx * dx + dy * dy;
                double t = len > 0 ? ((p.x - r.left) * dx + (p.y - r.top) * dy) / len : 0.0;
                t = t < 0 ? 0 : (t > 1 ? 1 : t);
                const double ex = r.left + t * dx - p.x, ey = r.top + t * dy - p.y;
                near += ex * ex + ey * ey <= 4.0;
            }
        benchmark::DoNotOptimize(near);
    }
}
BENCHMARK(BM_MouseMove_Reference_SegmentDistances)->Unit(benchmark::kMicrosecond);

void BM_MouseMove_Cursor_Chart(benchmark::State& state) {
    Scene& s = Moves();
    s.chart.OnCursor();
    int x = 0;
    for (auto _ : state)
        s.chart.OnMouseMove(0, CPoint(200 + (x++ % 400), 300));
    s.chart.OnSelect();
}
BENCHMARK(BM_MouseMove_Cursor_Chart)->Unit(benchmark::kMicrosecond);

void BM_MouseMove_PointEdit_Chart(benchmark::State& state) {
    Scene& s = Moves();
    s.chart.OnEditPoints();
    const CXGraphDataSerie& c = s.chart.GetCurve(0);
    const double xy[2] = {c.GetXValue(50000), c.GetYValue(50000)};
    const CPoint on(s.chart.GetXAxis(0).GetPointForValue(xy).x,
                    s.chart.GetYAxis(0).GetPointForValue(xy).y);
    int dy = 0;
    for (auto _ : state)
        s.chart.OnMouseMove(MK_LBUTTON, on + CPoint(0, dy++ % 3));
    s.chart.OnSelect();
}
BENCHMARK(BM_MouseMove_PointEdit_Chart)->Unit(benchmark::kMicrosecond);

void BM_MouseMove_Reference_FullPaint(benchmark::State& state) {
    Scene& s = Moves();
    for (auto _ : state)
        s.Paint();
}
BENCHMARK(BM_MouseMove_Reference_FullPaint)->Unit(benchmark::kMicrosecond);

std::string BenchFile(const char* name) {
    return (std::filesystem::temp_directory_path() /
            (std::string("kq_chart_bench_") + std::to_string(::getpid()) + name))
        .string();
}

Scene& Big() {
    static Scene scene(1000000);
    return scene;
}

void RawWrite(const std::string& path, const std::vector<char>& bytes) {
    FILE* f = std::fopen(path.c_str(), "wb");
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fflush(f);
    ::fsync(::fileno(f));
    std::fclose(f);
}

void BM_Archive_Save_Chart(benchmark::State& state) {
    Scene& s = Big();
    const std::string path = BenchFile("save");
    for (auto _ : state)
        benchmark::DoNotOptimize(s.chart.Save(path.c_str(), 7));
    state.SetBytesProcessed(state.iterations() * std::filesystem::file_size(path));
    std::filesystem::remove(path);
}
BENCHMARK(BM_Archive_Save_Chart)->Unit(benchmark::kMillisecond);

void BM_Archive_Save_Reference_RawWrite(benchmark::State& state) {
    const std::vector<char> bytes(10 * 1000000 * sizeof(TDataPoint));
    const std::string path = BenchFile("raw");
    for (auto _ : state)
        RawWrite(path, bytes);
    std::filesystem::remove(path);
}
BENCHMARK(BM_Archive_Save_Reference_RawWrite)->Unit(benchmark::kMillisecond);

// Load against the plain read of the same file's curves into fresh arrays, one per curve as
// Load makes them, freed again before the next read as Load frees the previous curves.
double ReadCurvesRaw(const std::string& path, size_t curveBytes, int curves) {
    const auto start = std::chrono::steady_clock::now();
    FILE* f = std::fopen(path.c_str(), "rb");
    std::vector<std::unique_ptr<char[]>> arrays;
    for (int c = 0; c < curves; ++c) {
        arrays.emplace_back(new char[curveBytes]);
        benchmark::DoNotOptimize(std::fread(arrays.back().get(), 1, curveBytes, f));
    }
    std::fclose(f);
    arrays.clear();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

void BM_Archive_Load_Chart(benchmark::State& state) {
    Scene& s = Big();
    const std::string path = BenchFile("load");
    s.chart.Save(path.c_str(), 7);
    const int curves = s.chart.GetCurveCount();
    const size_t curveBytes = std::filesystem::file_size(path) / static_cast<size_t>(curves);
    CXGraph loaded;
    double op = 0, raw = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        benchmark::DoNotOptimize(loaded.Load(path.c_str()));
        const double t =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        op += t;
        state.SetIterationTime(t);
        raw += ReadCurvesRaw(path, curveBytes, curves);
    }
    kqbench::Targets(state).AtMost("x_raw_read", op / raw, 2.0);
    std::filesystem::remove(path);
}
BENCHMARK(BM_Archive_Load_Chart)->UseManualTime()->Unit(benchmark::kMillisecond);

void BM_SaveBitmap_Chart(benchmark::State& state) {
    CXGraph chart;
    auto surface = std::make_shared<kq::gfx::Surface>(1920, 1080);
    CDC dc;
    dc.Attach(kq::gfx::CreateSurfaceDC(surface));
    chart.m_pDrawBitmap = std::make_unique<CBitmap>();
    chart.m_pDrawBitmap->CreateCompatibleBitmap(&dc, 1920, 1080);
    const std::string path = BenchFile("bmp");
    for (auto _ : state)
        benchmark::DoNotOptimize(chart.SaveBitmap(path.c_str()));
    std::filesystem::remove(path);
}
BENCHMARK(BM_SaveBitmap_Chart)->Unit(benchmark::kMillisecond);

void BM_SaveBitmap_Reference_RawWrite(benchmark::State& state) {
    const std::vector<char> bytes(58 + 1920 * 1080 * 4);
    const std::string path = BenchFile("bmpraw");
    for (auto _ : state)
        RawWrite(path, bytes);
    std::filesystem::remove(path);
}
BENCHMARK(BM_SaveBitmap_Reference_RawWrite)->Unit(benchmark::kMillisecond);

}  // namespace
