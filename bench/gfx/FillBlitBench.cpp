// A full-surface FillRect and BitBlt, each beside memset and memcpy of the same pixels.
#include <benchmark/benchmark.h>

#include <cstring>

#include "BenchSurface.h"

using namespace kq::gfx::bench;

namespace {

void BM_Memset_Surface(benchmark::State& state) {
    Screen screen;
    for (auto _ : state) {
        for (int y = 0; y < kHeight; ++y)
            std::memset(screen.surface->Row(y), 0x80, kWidth * 4);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * kWidth * kHeight * 4);
}

void BM_FillRect_Surface(benchmark::State& state) {
    Screen screen;
    HBRUSH brush = ::CreateSolidBrush(RGB(128, 128, 128));
    const RECT all{0, 0, kWidth, kHeight};
    for (auto _ : state) {
        ::FillRect(screen.hdc, &all, brush);
        benchmark::ClobberMemory();
    }
    ::DeleteObject(brush);
    state.SetBytesProcessed(state.iterations() * kWidth * kHeight * 4);
}

void BM_Memcpy_Surface(benchmark::State& state) {
    Screen screen;
    kq::gfx::Surface source(kWidth, kHeight);
    for (auto _ : state) {
        for (int y = 0; y < kHeight; ++y)
            std::memcpy(screen.surface->Row(y), source.Row(y), kWidth * 4);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * kWidth * kHeight * 4);
}

void BM_BitBlt_Surface(benchmark::State& state) {
    Screen screen;
    HDC mem = ::CreateCompatibleDC(screen.hdc);
    HBITMAP bmp = ::CreateCompatibleBitmap(screen.hdc, kWidth, kHeight);
    HGDIOBJ old = ::SelectObject(mem, bmp);
    for (auto _ : state) {
        ::BitBlt(screen.hdc, 0, 0, kWidth, kHeight, mem, 0, 0, SRCCOPY);
        benchmark::ClobberMemory();
    }
    ::SelectObject(mem, old);
    ::DeleteObject(bmp);
    ::DeleteDC(mem);
    state.SetBytesProcessed(state.iterations() * kWidth * kHeight * 4);
}

}  // namespace

BENCHMARK(BM_Memset_Surface)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FillRect_Surface)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Memcpy_Surface)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_BitBlt_Surface)->Unit(benchmark::kMicrosecond);
