// A full-surface FillRect and BitBlt, each against memset and memcpy of the same pixels timed in
// the same iterations (target: within 2x of them).
#include <benchmark/benchmark.h>

#include <cstring>

#include "BenchSurface.h"
#include "bench/BenchTarget.h"

using namespace kq::gfx::bench;

namespace {

void BM_FillRect_Surface(benchmark::State& state) {
    Screen screen;
    HBRUSH brush = ::CreateSolidBrush(RGB(128, 128, 128));
    const RECT all{0, 0, kWidth, kHeight};
    double op = 0, floor = 0;
    for (auto _ : state) {
        const double t = kqbench::Seconds([&] {
            ::FillRect(screen.hdc, &all, brush);
            benchmark::ClobberMemory();
        });
        op += t;
        state.SetIterationTime(t);
        floor += kqbench::Seconds([&] {
            for (int y = 0; y < kHeight; ++y)
                std::memset(screen.surface->Row(y), 0x80, kWidth * 4);
            benchmark::ClobberMemory();
        });
    }
    ::DeleteObject(brush);
    state.SetBytesProcessed(state.iterations() * kWidth * kHeight * 4);
    kqbench::Targets(state).AtMost("x_memset", op / floor, 2.0);
}

void BM_BitBlt_Surface(benchmark::State& state) {
    Screen screen;
    kq::gfx::Surface source(kWidth, kHeight);
    HDC mem = ::CreateCompatibleDC(screen.hdc);
    HBITMAP bmp = ::CreateCompatibleBitmap(screen.hdc, kWidth, kHeight);
    HGDIOBJ old = ::SelectObject(mem, bmp);
    double op = 0, floor = 0;
    for (auto _ : state) {
        const double t = kqbench::Seconds([&] {
            ::BitBlt(screen.hdc, 0, 0, kWidth, kHeight, mem, 0, 0, SRCCOPY);
            benchmark::ClobberMemory();
        });
        op += t;
        state.SetIterationTime(t);
        floor += kqbench::Seconds([&] {
            for (int y = 0; y < kHeight; ++y)
                std::memcpy(screen.surface->Row(y), source.Row(y), kWidth * 4);
            benchmark::ClobberMemory();
        });
    }
    ::SelectObject(mem, old);
    ::DeleteObject(bmp);
    ::DeleteDC(mem);
    state.SetBytesProcessed(state.iterations() * kWidth * kHeight * 4);
    kqbench::Targets(state).AtMost("x_memcpy", op / floor, 2.0);
}

}  // namespace

BENCHMARK(BM_FillRect_Surface)->UseManualTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_BitBlt_Surface)->UseManualTime()->Unit(benchmark::kMicrosecond);
