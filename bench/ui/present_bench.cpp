// What showing the whole screen on an X display costs, unscaled and scaled by 2 (a 192-dpi
// display): a full-screen window changes colour, is painted, and its pixels go to the X server
// (Xvfb, 3840x2160), which has handled them before the next round. The same display pixels go
// out both ways; the scaled present makes them from a quarter as many. Skipped without Xvfb.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>

#include "platform/gfx/UserDraw.h"
#include "platform/gfx/WinGdi.h"
#include "platform/ui/WinUser.h"
#include "platform/ui/backend/X11BackEnd.h"
#include "platform/ui/paint/ScreenSurface.h"
#include "ui/XvfbServer.h"

namespace {

COLORREF colour = RGB(0, 0, 128);

LRESULT FillProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg != WM_PAINT)
        return DefWindowProc(hwnd, msg, wp, lp);
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    HBRUSH brush = CreateSolidBrush(colour);
    FillRect(dc, &ps.rcPaint, brush);
    DeleteObject(brush);
    EndPaint(hwnd, &ps);
    return 0;
}

// state.range(0): the scale.
void BM_PresentWholeScreen(benchmark::State& state) {
    kq::ui::test::Xvfb xvfb("3840x2160x24");
    if (xvfb.Name().empty()) {
        state.SkipWithError("Xvfb is not installed");
        return;
    }
    setenv("KQ7B_SCALE", std::to_string(state.range(0)).c_str(), 1);
    std::string error;
    auto backEnd = kq::ui::X11BackEnd::Open(xvfb.Name(), &error);
    unsetenv("KQ7B_SCALE");
    if (!backEnd) {
        state.SkipWithError(error.c_str());
        return;
    }
    WNDCLASS wc{};
    wc.lpfnWndProc = FillProc;
    wc.lpszClassName = "KqBenchFill";
    RegisterClass(&wc);
    const int width = GetSystemMetrics(SM_CXSCREEN);
    const int height = GetSystemMetrics(SM_CYSCREEN);
    HWND window = CreateWindow("KqBenchFill", "", WS_POPUP | WS_VISIBLE, 0, 0, width, height,
                               nullptr, nullptr, nullptr, nullptr);
    kq::ui::PumpUntilIdle();
    backEnd->Sync();
    for (auto _ : state) {
        colour ^= 0xFFFFFF;
        InvalidateRect(window, nullptr, FALSE);
        UpdateWindow(window);
        kq::ui::detail::PresentScreenChanges();
        backEnd->Sync();
    }
    state.counters["display_pixels"] = static_cast<double>(width) * height * state.range(0) *
                                       state.range(0);
    DestroyWindow(window);
}
BENCHMARK(BM_PresentWholeScreen)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
