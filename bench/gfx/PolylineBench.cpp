// Polylines of 1e3, 1e5 and 1e6 points across a 1920 x 1080 surface: solid one pixel, dotted
// and three pixels wide, each beside cairo drawing the same points without antialiasing.
#include <benchmark/benchmark.h>
#if KQ_HAVE_CAIRO
#include <cairo.h>
#endif

#include "BenchSurface.h"

using namespace kq::gfx::bench;

namespace {

void GdiPolyline(benchmark::State& state, int style, int width) {
    Screen screen;
    const auto& pts = CurvePoints(static_cast<size_t>(state.range(0)));
    HPEN pen = ::CreatePen(style, width, RGB(200, 0, 0));
    ::SelectObject(screen.hdc, pen);
    ::SetBkMode(screen.hdc, TRANSPARENT);
    for (auto _ : state) {
        ::Polyline(screen.hdc, pts.data(), static_cast<int>(pts.size()));
        benchmark::ClobberMemory();
    }
    ::SelectObject(screen.hdc, ::GetStockObject(BLACK_PEN));
    ::DeleteObject(pen);
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

#if KQ_HAVE_CAIRO
void CairoPolyline(benchmark::State& state, bool dotted, double width) {
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, kWidth, kHeight);
    cairo_t* cr = cairo_create(surface);
    cairo_set_antialias(cr, CAIRO_ANTIALIAS_NONE);
    cairo_set_source_rgb(cr, 1, 1, 1);
    cairo_paint(cr);
    cairo_set_source_rgb(cr, 200 / 255.0, 0, 0);
    cairo_set_line_width(cr, width);
    if (dotted) {
        const double dash[] = {3, 3};
        cairo_set_dash(cr, dash, 2, 0);
    }
    const auto& pts = CurvePoints(static_cast<size_t>(state.range(0)));
    for (auto _ : state) {
        cairo_move_to(cr, pts[0].x + 0.5, pts[0].y + 0.5);
        for (size_t i = 1; i < pts.size(); ++i)
            cairo_line_to(cr, pts[i].x + 0.5, pts[i].y + 0.5);
        cairo_stroke(cr);
        cairo_surface_flush(surface);
        benchmark::ClobberMemory();
    }
    cairo_destroy(cr);
    cairo_surface_destroy(surface);
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

#endif

void BM_Polyline_Solid1px(benchmark::State& s) {
    GdiPolyline(s, PS_SOLID, 1);
}
void BM_Polyline_Dotted(benchmark::State& s) {
    GdiPolyline(s, PS_DOT, 1);
}
void BM_Polyline_Solid3px(benchmark::State& s) {
    GdiPolyline(s, PS_SOLID, 3);
}
#if KQ_HAVE_CAIRO
void BM_Cairo_Solid1px(benchmark::State& s) {
    CairoPolyline(s, false, 1);
}
void BM_Cairo_Dotted(benchmark::State& s) {
    CairoPolyline(s, true, 1);
}
void BM_Cairo_Solid3px(benchmark::State& s) {
    CairoPolyline(s, false, 3);
}
#endif

}  // namespace

BENCHMARK(BM_Polyline_Solid1px)
    ->Arg(1000)
    ->Arg(100000)
    ->Arg(1000000)
    ->Unit(benchmark::kMicrosecond);
#if KQ_HAVE_CAIRO
BENCHMARK(BM_Cairo_Solid1px)->Arg(1000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMicrosecond);
#endif
BENCHMARK(BM_Polyline_Dotted)->Arg(1000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMicrosecond);
#if KQ_HAVE_CAIRO
BENCHMARK(BM_Cairo_Dotted)->Arg(1000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMicrosecond);
#endif
BENCHMARK(BM_Polyline_Solid3px)
    ->Arg(1000)
    ->Arg(100000)
    ->Arg(1000000)
    ->Unit(benchmark::kMicrosecond);
#if KQ_HAVE_CAIRO
BENCHMARK(BM_Cairo_Solid3px)->Arg(1000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMicrosecond);
#endif
