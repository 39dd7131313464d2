// Rotating a diagram-sized bitmap by 270 degrees, as the print command does while the user
// waits: CEnBitmap::RotateImage nearest and weighted, against a plain loop that turns the same
// pixels in fresh buffers plus the two copies a DIB round trip implies, timed in the same
// iterations (target for nearest: at most 3x); and loading the diagram as a BMP file plus the
// rotation, against reading the file's bytes plus that loop.
#include <benchmark/benchmark.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "bench/BenchTarget.h"
#include "controls/EnBitmap.h"
#include "platform/gfx/Image.h"
#include "platform/gfx/ImageBridge.h"
#include "platform/gfx/codec/Bmp.h"
#include "tests/base/ScopedTempFolder.h"

namespace {

constexpr int kWidth = 1600;
constexpr int kHeight = 1000;

kq::gfx::Image Diagram() {
    kq::gfx::Image image(kWidth, kHeight);
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x)
            image.pixels[static_cast<size_t>(y) * kWidth + x] =
                0xFF000000u | static_cast<uint32_t>((x * 7) ^ (y * 13));
    return image;
}

// The reference: copy in, turn by 270 degrees, copy out.
void ReferenceRotate(const std::vector<uint32_t>& source, std::vector<uint32_t>& in,
                     std::vector<uint32_t>& turned, std::vector<uint32_t>& out) {
    std::memcpy(in.data(), source.data(), source.size() * 4);
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x)
            turned[static_cast<size_t>(kWidth - 1 - x) * kHeight + y] =
                in[static_cast<size_t>(y) * kWidth + x];
    std::memcpy(out.data(), turned.data(), turned.size() * 4);
}

void BM_Reference_Rotate270(benchmark::State& state) {
    const std::vector<uint32_t> source = Diagram().pixels;
    std::vector<uint32_t> in(source.size()), turned(source.size()), out(source.size());
    for (auto _ : state) {
        ReferenceRotate(source, in, turned, out);
        benchmark::DoNotOptimize(out.data());
    }
}
BENCHMARK(BM_Reference_Rotate270)->Unit(benchmark::kMillisecond);

// Timed against the reference in the same iterations (see kqbench::LeastTimes).
void RotateImage(benchmark::State& state, bool weighted) {
    const kq::gfx::Image diagram = Diagram();
    const std::vector<uint32_t> source = diagram.pixels;
    kqbench::LeastTimes times;
    for (auto _ : state) {
        CEnBitmap bitmap(0x00FFFFFF);
        bitmap.Attach(kq::gfx::BitmapFromImage(diagram));
        state.SetIterationTime(
            times.Case([&] { benchmark::DoNotOptimize(bitmap.RotateImage(270, weighted)); }));
        bitmap.DeleteObject();
        // Fresh buffers, as the rotation takes its own: whether the C library hands out fresh
        // pages or memory it kept depends on what the process freed before, for both alike.
        times.Reference([&] {
            std::vector<uint32_t> freshIn(source.size()), freshTurned(source.size()),
                freshOut(source.size());
            ReferenceRotate(source, freshIn, freshTurned, freshOut);
            benchmark::DoNotOptimize(freshOut.data());
        });
    }
    if (weighted)
        state.counters["x_reference"] = times.Ratio();
    else
        kqbench::Targets(state).AtMost("x_reference", times.Ratio(), 3.0);
}

void BM_RotateImage270_Nearest(benchmark::State& state) {
    RotateImage(state, false);
}
BENCHMARK(BM_RotateImage270_Nearest)->UseManualTime()->Unit(benchmark::kMillisecond);

void BM_RotateImage270_Weighted(benchmark::State& state) {
    RotateImage(state, true);
}
BENCHMARK(BM_RotateImage270_Weighted)->UseManualTime()->Unit(benchmark::kMillisecond);

// Written once into a folder removed when the program ends.
std::string DiagramFile() {
    static const kq::test::ScopedTempFolder folder;
    static const std::string path = [] {
        const std::string p = folder / "diagram.bmp";
        const std::vector<uint8_t> bytes = kq::gfx::EncodeBmp(Diagram());
        std::ofstream(p, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()),
                   static_cast<std::streamsize>(bytes.size()));
        return p;
    }();
    return path;
}

void BM_Reference_ReadFileRotate270(benchmark::State& state) {
    const std::string path = DiagramFile();
    const std::vector<uint32_t> source = Diagram().pixels;
    std::vector<uint32_t> in(source.size()), turned(source.size()), out(source.size());
    for (auto _ : state) {
        std::ifstream file(path, std::ios::binary);
        std::vector<char> bytes((std::istreambuf_iterator<char>(file)),
                                std::istreambuf_iterator<char>());
        benchmark::DoNotOptimize(bytes.data());
        ReferenceRotate(source, in, turned, out);
        benchmark::DoNotOptimize(out.data());
    }
}
BENCHMARK(BM_Reference_ReadFileRotate270)->Unit(benchmark::kMillisecond);

void BM_LoadImageFile_Rotate270(benchmark::State& state) {
    const std::string path = DiagramFile();
    for (auto _ : state) {
        CEnBitmap bitmap(0x00FFFFFF);
        benchmark::DoNotOptimize(bitmap.LoadImageFile(path.c_str()));
        benchmark::DoNotOptimize(bitmap.RotateImage(270, false));
    }
}
BENCHMARK(BM_LoadImageFile_Rotate270)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
