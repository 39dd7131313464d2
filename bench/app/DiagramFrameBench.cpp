// One frame of the live diagram: the diagram view's redraw (UpdateDiagram(0)) with six curves of
// 100,000 points, and the chart's paint into an off-screen surface of 1920 x 1080, against
// Polyline of the same points already mapped to the same plot rectangle on a memory DC of that
// size; cairo stroking them without antialiasing where it is installed.
#include <benchmark/benchmark.h>
#if KQ_HAVE_CAIRO
#include <cairo.h>
#endif

#include <memory>
#include <vector>

#include "app/views/CAFormDiagram.h"
#include "app/views/GraphicDisplayWnd.h"
#include "chart/XGraph.h"
#include "kq_res.h"
#include "platform/base/Resource.h"
#include "platform/framework/Framework.h"
#include "platform/gfx/SurfaceDc.h"

namespace {

constexpr int kWidth = 1920;
constexpr int kHeight = 1080;
constexpr int kPoints = 100000;
constexpr int kCurves = 6;

// Time on x and every channel on one curve, measured every 0.5 ms: 100,000 points span 50 s,
// so the whole measurement stays in view.
class FastSource : public IDiagramSource {
  public:
    void GetDiagramRows(DiagramRow (&out)[kRows]) const override {
        out[0] = {1, 1};
        for (int k = 1; k < kRows; ++k)
            out[k] = {k + 1, 1};
    }
    double GetMeasuringInterval() const override { return 0.0005; }
    int GetAveragingCount() const override { return 1; }
    int GetChannelDecimals(int) const override { return 3; }
};

struct Surface {
    Surface() : surface(std::make_shared<kq::gfx::Surface>(kWidth, kHeight)) {
        target.Attach(kq::gfx::CreateSurfaceDC(surface));
    }
    std::shared_ptr<kq::gfx::Surface> surface;
    CDC target;
};

// A diagram view in a frame of its own, fed as a measurement feeds it.
struct LiveDiagram {
    LiveDiagram() {
        kq::InstallResources(kq_res_bundle());
        frame = new CFrameWnd;
        CCreateContext context;
        context.m_pNewViewClass = RUNTIME_CLASS(CAFormDiagram);
        frame->Create(nullptr, "Diagram", WS_OVERLAPPEDWINDOW, CRect(0, 0, 1000, 800), nullptr,
                      nullptr, 0, &context);
        frame->InitialUpdateFrame(nullptr, FALSE);
        view = DYNAMIC_DOWNCAST(CAFormDiagram, frame->GetActiveView());
        if (view == nullptr)
            view = DYNAMIC_DOWNCAST(CAFormDiagram, frame->GetDescendantWindow(AFX_IDW_PANE_FIRST));
        // Without a document the frame's initial update does not reach the view.
        if (view->GetDiagram() == nullptr)
            view->OnInitialUpdate();
        view->SetDiagramSource(&source);
        const BYTE flags[kCurves] = {1, 1, 1, 1, 1, 1};
        view->GetDiagram()->ReallocateStorage(kPoints, flags);
        view->StartDiagram(TRUE);
        const BOOL active[kCurves] = {TRUE, TRUE, TRUE, TRUE, TRUE, TRUE};
        unsigned state = 12345u;
        for (int i = 0; i < kPoints; ++i) {
            double values[kCurves];
            for (int c = 0; c < kCurves; ++c) {
                state = state * 1103515245u + 12345u;
                values[c] = (c + 1) * 10.0 + ((state >> 16) & 0x7FFF) / 3276.8;
            }
            double time = -1.0;
            view->AddMeasuredValues(values, TRUE, active, 3, time);
        }
    }
    ~LiveDiagram() {
        frame->DestroyWindow();
        kq::UninstallResources(kq_res_bundle());
    }
    CXGraph& Chart() { return *view->GetDiagram()->GetChart(); }

    FastSource source;
    CFrameWnd* frame = nullptr;
    CAFormDiagram* view = nullptr;
};

void Paint(CXGraph& chart, Surface& s) {
    chart.PaintScreen(&s.target, CRect(0, 0, kWidth, kHeight));
}

// The curves' points in pixels of the plot rectangle the chart's last paint used.
std::vector<std::vector<POINT>> MappedCurves(LiveDiagram& live) {
    std::vector<std::vector<POINT>> pixels;
    CGraphicDisplayWnd* diagram = live.view->GetDiagram();
    for (int c = 0; c < kCurves; ++c) {
        CXGraphAxis::PixelMapper x = live.Chart().GetXAxis(0).GetMapper();
        CXGraphAxis::PixelMapper y = live.Chart().GetYAxis(c).GetMapper();
        std::vector<POINT> pts;
        for (int i = 0; i < diagram->GetCurvePointCount(c); ++i)
            pts.push_back({x.Map(diagram->GetCurveX(c, i)), y.Map(diagram->GetCurveY(c, i))});
        pixels.push_back(std::move(pts));
    }
    return pixels;
}

void BM_DiagramFrame_UpdateAndPaint(benchmark::State& state) {
    LiveDiagram live;
    Surface s;
    for (auto _ : state) {
        live.view->UpdateDiagram(0);
        Paint(live.Chart(), s);
    }
}
BENCHMARK(BM_DiagramFrame_UpdateAndPaint)->Unit(benchmark::kMillisecond);

void BM_DiagramFrame_Reference_SixPolylines(benchmark::State& state) {
    LiveDiagram live;
    Surface s;
    live.view->UpdateDiagram(0);
    Paint(live.Chart(), s);
    const std::vector<std::vector<POINT>> pixels = MappedCurves(live);
    for (auto _ : state)
        for (const auto& pts : pixels)
            ::Polyline(s.target.m_hDC, pts.data(), static_cast<int>(pts.size()));
}
BENCHMARK(BM_DiagramFrame_Reference_SixPolylines)->Unit(benchmark::kMillisecond);

#if KQ_HAVE_CAIRO
void BM_DiagramFrame_Cairo(benchmark::State& state) {
    LiveDiagram live;
    Surface s;
    live.view->UpdateDiagram(0);
    Paint(live.Chart(), s);
    const std::vector<std::vector<POINT>> pixels = MappedCurves(live);
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, kWidth, kHeight);
    cairo_t* cr = cairo_create(surface);
    cairo_set_antialias(cr, CAIRO_ANTIALIAS_NONE);
    cairo_set_line_width(cr, 1);
    for (auto _ : state) {
        for (const auto& pts : pixels) {
            cairo_move_to(cr, pts[0].x + 0.5, pts[0].y + 0.5);
            for (size_t i = 1; i < pts.size(); ++i)
                cairo_line_to(cr, pts[i].x + 0.5, pts[i].y + 0.5);
            cairo_stroke(cr);
        }
        cairo_surface_flush(surface);
        benchmark::ClobberMemory();
    }
    cairo_destroy(cr);
    cairo_surface_destroy(surface);
}
BENCHMARK(BM_DiagramFrame_Cairo)->Unit(benchmark::kMillisecond);
#endif

}  // namespace

BENCHMARK_MAIN();
