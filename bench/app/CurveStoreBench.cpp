// The curve store against the least the system does for the same work: a million points added
// to six curves with growth against push_back into six vectors, and the reallocation of six
// curves of a million points (and four unused ones of two) against mapping fresh zeroed pages of
// the same sizes and giving the old ones back, timed in the same iterations (the addition as
// kqbench::LeastTimes times it).
#include <benchmark/benchmark.h>
#include <sys/mman.h>

#include <chrono>
#include <cstdlib>
#include <vector>

#include "app/flow/DataManager.h"
#include "bench/BenchTarget.h"

namespace {

constexpr int kPoints = 1000000;
constexpr int kCurvesUsed = 6;
using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

void BM_AddPoints_CurveStore(benchmark::State& state) {
    kqbench::LeastTimes times;
    for (auto _ : state) {
        state.SetIterationTime(times.Case([] {
            CDataManager curves;
            for (int i = 0; i < kPoints; ++i)
                curves.addPoint(i % kCurvesUsed, i, -i, nullptr);
            benchmark::DoNotOptimize(curves.GetData(0));
        }));
        times.Reference([] {
            std::vector<TDataPoint> curves[kCurvesUsed];
            for (int i = 0; i < kPoints; ++i)
                curves[i % kCurvesUsed].push_back(
                    {static_cast<double>(i), static_cast<double>(-i)});
            benchmark::DoNotOptimize(curves[0].data());
        });
    }
    kqbench::Targets(state).AtMost("x_push_back", times.Ratio(), 2.0);
}
BENCHMARK(BM_AddPoints_CurveStore)->UseManualTime()->Unit(benchmark::kMillisecond);

// Fresh zero pages for the used curves, small zeroed blocks for the others, the old ones freed.
void MapLikeTheStore(void* (&arrays)[CDataManager::kCurves], size_t (&bytes)[CDataManager::kCurves],
                     int points) {
    for (int i = 0; i < CDataManager::kCurves; ++i) {
        const size_t size =
            (i < kCurvesUsed ? static_cast<size_t>(points) : 2) * sizeof(TDataPoint);
        void* fresh = i < kCurvesUsed ? mmap(nullptr, size, PROT_READ | PROT_WRITE,
                                             MAP_PRIVATE | MAP_ANONYMOUS, -1, 0)
                                      : std::calloc(1, size);
        if (i < kCurvesUsed && arrays[i] != nullptr)
            munmap(arrays[i], bytes[i]);
        else if (i >= kCurvesUsed)
            std::free(arrays[i]);
        arrays[i] = fresh;
        bytes[i] = size;
    }
}

void BM_Reallocate_CurveStore(benchmark::State& state) {
    const std::vector<BYTE> flags(kCurvesUsed, 1);
    std::vector<StoreMessage> messages;
    int points = kPoints;
    CDataManager store;
    void* arrays[CDataManager::kCurves] = {};
    size_t bytes[CDataManager::kCurves] = {};
    double op = 0, floor = 0;
    for (auto _ : state) {
        // Alternate the size so that every call reallocates.
        points = points == kPoints ? kPoints + 1 : kPoints;
        auto start = Clock::now();
        benchmark::DoNotOptimize(store.ReallocateMemory(points, flags, nullptr, messages));
        const double t = Seconds(start);
        op += t;
        state.SetIterationTime(t);
        start = Clock::now();
        MapLikeTheStore(arrays, bytes, points);
        benchmark::DoNotOptimize(arrays[0]);
        floor += Seconds(start);
    }
    for (int i = 0; i < CDataManager::kCurves; ++i) {
        if (i < kCurvesUsed)
            munmap(arrays[i], bytes[i]);
        else
            std::free(arrays[i]);
    }
    kqbench::Targets(state).AtMost("x_floor", op / floor, 2.0);
}
BENCHMARK(BM_Reallocate_CurveStore)->UseManualTime()->Unit(benchmark::kMicrosecond);

}  // namespace
