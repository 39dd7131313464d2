// Polylines of 1e3, 1e5 and 1e6 points across a 1920 x 1080 surface: solid one pixel, dotted
// and three pixels wide, each against cairo drawing the same points without antialiasing in the
// same iterations where cairo is installed (target: the solid one-pixel line at least as fast).
#include <benchmark/benchmark.h>
#if KQ_HAVE_CAIRO
#include <cairo.h>
#endif

#include <vector>

#include "BenchSurface.h"
#include "bench/BenchTarget.h"

using namespace kq::gfx::bench;

namespace {

#if KQ_HAVE_CAIRO
// The same line stroked by cairo into an image surface of the same size.
class CairoCanvas {
  public:
    CairoCanvas(bool dotted, double width)
        : m_surface(cairo_image_surface_create(CAIRO_FORMAT_RGB24, kWidth, kHeight)),
          m_cr(cairo_create(m_surface)) {
        cairo_set_antialias(m_cr, CAIRO_ANTIALIAS_NONE);
        cairo_set_source_rgb(m_cr, 1, 1, 1);
        cairo_paint(m_cr);
        cairo_set_source_rgb(m_cr, 200 / 255.0, 0, 0);
        cairo_set_line_width(m_cr, width);
        if (dotted) {
            const double dash[] = {3, 3};
            cairo_set_dash(m_cr, dash, 2, 0);
        }
    }
    ~CairoCanvas() {
        cairo_destroy(m_cr);
        cairo_surface_destroy(m_surface);
    }
    CairoCanvas(const CairoCanvas&) = delete;
    CairoCanvas& operator=(const CairoCanvas&) = delete;

    void Stroke(const std::vector<POINT>& pts) {
        cairo_move_to(m_cr, pts[0].x + 0.5, pts[0].y + 0.5);
        for (size_t i = 1; i < pts.size(); ++i)
            cairo_line_to(m_cr, pts[i].x + 0.5, pts[i].y + 0.5);
        cairo_stroke(m_cr);
        cairo_surface_flush(m_surface);
        benchmark::ClobberMemory();
    }

  private:
    cairo_surface_t* m_surface;
    cairo_t* m_cr;
};
#endif

void GdiPolyline(benchmark::State& state, int style, int width, bool target) {
    Screen screen;
    const auto& pts = CurvePoints(static_cast<size_t>(state.range(0)));
    HPEN pen = ::CreatePen(style, width, RGB(200, 0, 0));
    ::SelectObject(screen.hdc, pen);
    ::SetBkMode(screen.hdc, TRANSPARENT);
#if KQ_HAVE_CAIRO
    CairoCanvas cairo(style == PS_DOT, width);
#endif
    double op = 0, reference = 0;
    for (auto _ : state) {
        const double t = kqbench::Seconds([&] {
            ::Polyline(screen.hdc, pts.data(), static_cast<int>(pts.size()));
            benchmark::ClobberMemory();
        });
        op += t;
        state.SetIterationTime(t);
#if KQ_HAVE_CAIRO
        reference += kqbench::Seconds([&] { cairo.Stroke(pts); });
#endif
    }
    ::SelectObject(screen.hdc, ::GetStockObject(BLACK_PEN));
    ::DeleteObject(pen);
    state.SetItemsProcessed(state.iterations() * state.range(0));
    if (reference <= 0)
        return;
    if (target)
        kqbench::Targets(state).AtMost("x_cairo", op / reference, 1.0);
    else
        state.counters["x_cairo"] = op / reference;
}

void BM_Polyline_Solid1px(benchmark::State& s) {
    GdiPolyline(s, PS_SOLID, 1, true);
}
void BM_Polyline_Dotted(benchmark::State& s) {
    GdiPolyline(s, PS_DOT, 1, false);
}
void BM_Polyline_Solid3px(benchmark::State& s) {
    GdiPolyline(s, PS_SOLID, 3, false);
}

}  // namespace

BENCHMARK(BM_Polyline_Solid1px)
    ->Arg(1000)
    ->Arg(100000)
    ->Arg(1000000)
    ->UseManualTime()
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Polyline_Dotted)
    ->Arg(1000)
    ->Arg(100000)
    ->Arg(1000000)
    ->UseManualTime()
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Polyline_Solid3px)
    ->Arg(1000)
    ->Arg(100000)
    ->Arg(1000000)
    ->UseManualTime()
    ->Unit(benchmark::kMicrosecond);
