// Repainting the whole screen: a maximised frame with a grid of child windows that erase with
// their class brush and draw an edge and a caption, as a dialog full of controls does.
#include <benchmark/benchmark.h>

#include "platform/gfx/UserDraw.h"
#include "platform/gfx/WinGdi.h"
#include "platform/ui/WinUser.h"
#include "platform/ui/paint/Screenshot.h"

namespace {

LRESULT ControlProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg != WM_PAINT)
        return DefWindowProc(hwnd, msg, wp, lp);
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    RECT rc{};
    GetClientRect(hwnd, &rc);
    DrawEdge(dc, &rc, EDGE_RAISED, BF_RECT);
    SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
    SetBkMode(dc, TRANSPARENT);
    DrawText(dc, "Control", -1, &rc, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    EndPaint(hwnd, &ps);
    return 0;
}

void Register() {
    static bool done = [] {
        WNDCLASS wc{};
        wc.lpfnWndProc = DefWindowProc;
        wc.lpszClassName = "KqBenchFrame";
        wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<intptr_t>(COLOR_APPWORKSPACE + 1));
        RegisterClass(&wc);
        wc.lpfnWndProc = ControlProc;
        wc.lpszClassName = "KqBenchControl";
        wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<intptr_t>(COLOR_BTNFACE + 1));
        RegisterClass(&wc);
        return true;
    }();
    (void)done;
}

// state.range(0): children per row and column; state.range(1): 1 for WS_CLIPCHILDREN.
void BM_FullScreenRepaint(benchmark::State& state) {
    Register();
    const int grid = static_cast<int>(state.range(0));
    const DWORD clip = state.range(1) ? WS_CLIPCHILDREN : 0;
    HWND frame = CreateWindow("KqBenchFrame", "Repaint", WS_OVERLAPPEDWINDOW | WS_MAXIMIZE | clip,
                              0, 0, 800, 600, nullptr, nullptr, nullptr, nullptr);
    ShowWindow(frame, SW_SHOWMAXIMIZED);
    RECT client{};
    GetClientRect(frame, &client);
    for (int row = 0; row < grid; ++row) {
        for (int col = 0; col < grid; ++col) {
            const int w = client.right / grid;
            const int h = client.bottom / grid;
            CreateWindow("KqBenchControl", "", WS_CHILD | WS_VISIBLE, col * w + 2, row * h + 2,
                         w - 4, h - 4, frame, nullptr, nullptr, nullptr);
        }
    }
    kq::ui::PumpUntilIdle();
    for (auto _ : state) {
        RedrawWindow(frame, nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
        kq::ui::PumpUntilIdle();
    }
    state.SetItemsProcessed(state.iterations() * (1 + grid * grid));
    DestroyWindow(frame);
}
BENCHMARK(BM_FullScreenRepaint)
    ->Args({0, 0})
    ->Args({10, 0})
    ->Args({10, 1})
    ->Args({20, 1})
    ->Unit(benchmark::kMillisecond);

// What a screenshot (or the x11 back end presenting everything) costs.
void BM_CaptureScreen(benchmark::State& state) {
    for (auto _ : state)
        benchmark::DoNotOptimize(kq::ui::CaptureScreen());
}
BENCHMARK(BM_CaptureScreen)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
