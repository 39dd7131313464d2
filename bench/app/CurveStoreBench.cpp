// The curve store against the standard containers: a million points added to six curves with
// growth against push_back into six vectors, and the reallocation of six curves of a million
// points against calloc and free of the same bytes.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <vector>

#include "app/flow/DataManager.h"

namespace {

constexpr int kPoints = 1000000;
constexpr int kCurvesUsed = 6;

void BM_AddPoints_CurveStore(benchmark::State& state) {
    for (auto _ : state) {
        CDataManager store;
        for (int i = 0; i < kPoints; ++i)
            store.addPoint(i % kCurvesUsed, i, -i, nullptr);
        benchmark::DoNotOptimize(store.GetData(0));
    }
}
BENCHMARK(BM_AddPoints_CurveStore)->Unit(benchmark::kMillisecond);

void BM_AddPoints_Reference_PushBack(benchmark::State& state) {
    for (auto _ : state) {
        std::vector<TDataPoint> curves[kCurvesUsed];
        for (int i = 0; i < kPoints; ++i)
            curves[i % kCurvesUsed].push_back({static_cast<double>(i), static_cast<double>(-i)});
        benchmark::DoNotOptimize(curves[0].data());
    }
}
BENCHMARK(BM_AddPoints_Reference_PushBack)->Unit(benchmark::kMillisecond);

void BM_Reallocate_CurveStore(benchmark::State& state) {
    const std::vector<BYTE> flags(kCurvesUsed, 1);
    std::vector<StoreMessage> messages;
    long long points = kPoints;
    CDataManager store;
    for (auto _ : state) {
        // Alternate the size so that every call reallocates.
        points = points == kPoints ? kPoints + 1 : kPoints;
        benchmark::DoNotOptimize(store.ReallocateMemory(points, flags, nullptr, messages));
    }
}
BENCHMARK(BM_Reallocate_CurveStore)->Unit(benchmark::kMillisecond);

void BM_Reallocate_Reference_Calloc(benchmark::State& state) {
    void* arrays[CDataManager::kCurves] = {};
    for (auto _ : state) {
        for (int i = 0; i < CDataManager::kCurves; ++i) {
            void* fresh = std::calloc(i < kCurvesUsed ? kPoints : 2, sizeof(TDataPoint));
            std::free(arrays[i]);
            arrays[i] = fresh;
        }
        benchmark::DoNotOptimize(arrays[0]);
    }
    for (void* array : arrays)
        std::free(array);
}
BENCHMARK(BM_Reallocate_Reference_Calloc)->Unit(benchmark::kMillisecond);

}  // namespace
