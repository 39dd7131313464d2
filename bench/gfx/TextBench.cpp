// Text drawing: a screen of 40 lines of 60 characters in an antialiased 13-pixel face.
#include <benchmark/benchmark.h>

#include <cstring>

#include "BenchSurface.h"

using namespace kq::gfx::bench;

namespace {

void BM_TextOut_Screen(benchmark::State& state) {
    Screen screen;
    LOGFONT lf{};
    lf.lfHeight = -13;
    std::strcpy(lf.lfFaceName, "MS Sans Serif");
    HFONT font = ::CreateFontIndirect(&lf);
    ::SelectObject(screen.hdc, font);
    ::SetBkMode(screen.hdc, TRANSPARENT);
    const char* line = "Channel A  12.345 Nm  Channel B  3000 rpm  Status OK  00:01";
    const int length = static_cast<int>(std::strlen(line));
    for (auto _ : state) {
        for (int i = 0; i < 40; ++i)
            ::TextOut(screen.hdc, 10, 10 + i * 16, line, length);
        benchmark::ClobberMemory();
    }
    ::SelectObject(screen.hdc, ::GetStockObject(SYSTEM_FONT));
    ::DeleteObject(font);
    state.SetItemsProcessed(state.iterations() * 40 * length);
}

void BM_GetTextExtent(benchmark::State& state) {
    Screen screen;
    const char* line = "Channel A  12.345 Nm  Channel B  3000 rpm  Status OK  00:01";
    const int length = static_cast<int>(std::strlen(line));
    SIZE size{};
    for (auto _ : state) {
        ::GetTextExtentPoint32(screen.hdc, line, length, &size);
        benchmark::DoNotOptimize(size);
    }
}

}  // namespace

BENCHMARK(BM_TextOut_Screen)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_GetTextExtent);
