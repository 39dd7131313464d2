// Message throughput of the window system: posting and dispatching on one thread, direct
// sends, and send round trips to a window of another thread.
#include <benchmark/benchmark.h>

#include <future>
#include <thread>

#include "platform/ui/WinUser.h"

namespace {

LRESULT CountingProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_USER)
        return static_cast<LRESULT>(wp + 1);
    if (msg == WM_DESTROY)
        PostQuitMessage(0);
    return DefWindowProc(hwnd, msg, wp, lp);
}

const char* BenchClass() {
    static const char* name = [] {
        WNDCLASS wc{};
        wc.lpfnWndProc = CountingProc;
        wc.lpszClassName = "KqBenchWindow";
        RegisterClass(&wc);
        return "KqBenchWindow";
    }();
    return name;
}

HWND CreateBenchWindow() {
    return CreateWindow(BenchClass(), "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr,
                        nullptr);
}

void BM_PostAndDispatch(benchmark::State& state) {
    HWND hwnd = CreateBenchWindow();
    const int batch = static_cast<int>(state.range(0));
    for (auto _ : state) {
        for (int i = 0; i < batch; ++i)
            PostMessage(hwnd, WM_USER, static_cast<WPARAM>(i), 0);
        benchmark::DoNotOptimize(kq::ui::PumpUntilIdle());
    }
    state.SetItemsProcessed(state.iterations() * batch);
    DestroyWindow(hwnd);
    kq::ui::PumpUntilIdle();
}
BENCHMARK(BM_PostAndDispatch)->Arg(1)->Arg(64)->Arg(4096);

void BM_SendSameThread(benchmark::State& state) {
    HWND hwnd = CreateBenchWindow();
    WPARAM i = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(SendMessage(hwnd, WM_USER, i++, 0));
    state.SetItemsProcessed(state.iterations());
    DestroyWindow(hwnd);
}
BENCHMARK(BM_SendSameThread);

// The other thread owns the window and runs its loop; every send waits for the answer.
void BM_CrossThreadSendRoundTrip(benchmark::State& state) {
    std::promise<HWND> created;
    std::thread owner([&] {
        created.set_value(CreateBenchWindow());
        kq::ui::RunMessageLoop();
    });
    HWND hwnd = created.get_future().get();
    WPARAM i = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(SendMessage(hwnd, WM_USER, i++, 0));
    state.SetItemsProcessed(state.iterations());
    PostMessage(hwnd, WM_CLOSE, 0, 0);
    owner.join();
}
BENCHMARK(BM_CrossThreadSendRoundTrip)->UseRealTime();

// Another thread posts; this thread takes and dispatches.
void BM_CrossThreadPost(benchmark::State& state) {
    HWND hwnd = CreateBenchWindow();
    const int batch = static_cast<int>(state.range(0));
    for (auto _ : state) {
        std::thread poster([&] {
            for (int i = 0; i < batch; ++i)
                PostMessage(hwnd, WM_USER, static_cast<WPARAM>(i), 0);
        });
        int taken = 0;
        MSG msg;
        while (taken < batch && GetMessage(&msg, nullptr, 0, 0)) {
            DispatchMessage(&msg);
            ++taken;
        }
        poster.join();
    }
    state.SetItemsProcessed(state.iterations() * batch);
    DestroyWindow(hwnd);
    kq::ui::PumpUntilIdle();
}
BENCHMARK(BM_CrossThreadPost)->Arg(4096)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
