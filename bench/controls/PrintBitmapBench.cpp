// Printing the diagram's bitmap: CPage::DrawBitmapFile of a 24-bit BMP of 1400 x 1000 pixels
// into a whole A4 page at 300 dpi, against the least any printing of that file costs: reading
// its bytes and one StretchDIBits of its bits into the same box. The page should stay within
// 1.3 times the reference.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "bench/BenchTarget.h"
#include "controls/print/Page.h"
#include "platform/gfx/DeviceCaps.h"
#include "platform/gfx/SurfaceDc.h"
#include "platform/gfx/codec/Bmp.h"

namespace {

constexpr int kPrintableWidth = 2380;  // A4 at 300 dpi less a sixth of an inch on each side
constexpr int kPrintableHeight = 3408;

struct PrintSetup {
    PrintSetup() {
        path = (std::filesystem::temp_directory_path() / "kq_bench_print_diagram.bmp").string();
        kq::gfx::Image picture(1400, 1000);
        for (int y = 0; y < picture.height; ++y)
            for (int x = 0; x < picture.width; ++x)
                picture.SetPixel(x, y, 0xFF000000u | uint32_t(x * 7 + y * 3) * 2654435761u >> 8);
        kq::gfx::SaveBmpFile(path, picture);
        surface = kq::gfx::Surface::Create(kPrintableWidth, kPrintableHeight);
        dc.Attach(kq::gfx::CreatePrinterDC(
            surface,
            kq::gfx::DeviceCaps::Printer(300, kPrintableWidth, kPrintableHeight, 2480, 3508, 50,
                                         50),
            nullptr));
    }
    ~PrintSetup() { std::remove(path.c_str()); }

    std::string path;
    std::shared_ptr<kq::gfx::Surface> surface;
    CDC dc;
};

PrintSetup& Setup() {
    static PrintSetup setup;
    return setup;
}

// The reference: one plain read of the file's bytes and StretchDIBits of its bits into the box.
void ReadAndStretch(PrintSetup& s) {
    std::ifstream in(s.path, std::ios::binary | std::ios::ate);
    std::vector<uint8_t> bytes(static_cast<size_t>(in.tellg()));
    in.seekg(0);
    in.read(reinterpret_cast<char*>(bytes.data()), std::streamsize(bytes.size()));
    BITMAPINFO info{};
    std::memcpy(&info.bmiHeader, bytes.data() + 14, sizeof(info.bmiHeader));
    const uint32_t offset = bytes[10] | bytes[11] << 8 | bytes[12] << 16 | bytes[13] << 24;
    const int lines =
        ::StretchDIBits(s.dc.m_hDC, 0, 0, kPrintableWidth, kPrintableHeight, 0, 0, 1400, 1000,
                        bytes.data() + offset, &info, DIB_RGB_COLORS, SRCCOPY);
    benchmark::DoNotOptimize(lines);
}

// DrawBitmapFile against the reference, timed in the same iterations.
void BM_PageDrawBitmapFile(benchmark::State& state) {
    PrintSetup& s = Setup();
    CPage page(RECT{0, 0, kPrintableWidth, kPrintableHeight}, &s.dc, MM_TEXT);
    double op = 0, reference = 0;
    for (auto _ : state) {
        const double t = kqbench::Seconds([&] {
            benchmark::DoNotOptimize(
                page.DrawBitmapFile(0, 0, kPrintableHeight, kPrintableWidth, s.path.c_str()));
        });
        op += t;
        state.SetIterationTime(t);
        reference += kqbench::Seconds([&] { ReadAndStretch(s); });
    }
    kqbench::Targets(state).AtMost("x_reference", op / reference, 1.3);
}
BENCHMARK(BM_PageDrawBitmapFile)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
