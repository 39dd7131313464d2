// The whole program, headless on the virtual clock, with a simulated four-port device at 230400
// baud. "start_up": to the main window with the four sensors found; the counter is the program's
// own (virtual) time, the benchmark's time the real time it took. "measure": one second of
// measurement at the sensors' fastest rate (one value set a millisecond each) with the channel
// views, the live diagram and the recording running; "core_share" is the process's CPU time
// (less the simulated sensors') per second measured, "core_share_at_line_rate" the same cost per
// value set at the 1355 sets a second a 230400-baud line carries. "recording": the longest
// recording at that rate, a stop after a million value sets (the most points the diagram keeps a
// curve: 1000 s), its memory against the bytes of the values it holds (a double each) and the CPU
// share at its start and end. The recording's memory ("ratio_to_raw") is the process's resident
// growth from pressing Start on the measure page to the recording's end, start included; the
// page's first showing before it ("page_MB") belongs to the program, not to the recording.
// "ratio_after_first_second" leaves out the start and the first second ("start_MB"). The
// recording's curves are mapped from the system, so the figure holds for a recording after an
// earlier one in the same process too (run with --benchmark_repetitions=2).
//
// The CPU shares here run on the virtual clock: they leave out the waking for each value set and
// the gathering of the ports that the real process pays, and come out 3 to 6 times below it. The
// real process's share, which the 5 % target names, is what bench/app/process_share.sh measures.
#include <benchmark/benchmark.h>

#include "bench/BenchTarget.h"
#include "pages/common/MeasureFlow.h"
#include "pages/common/PageTable.h"
#include "pages/measurement/MeasureRunLogic.h"
#include "tests/e2e/screens/WholeApp.h"

namespace {

constexpr double kLineSetsPerSecond = 1355.0;
constexpr int64_t kMaxStartMs = 60000;
// A million points a curve at one value set a millisecond.
constexpr int kLongestRecordingSeconds = 1000;
constexpr double kOneMinuteOfSets = 60000.0;

void BM_StartUpToMainWindowWithFourSensors(benchmark::State& state) {
    int64_t virtualMs = 0;
    for (auto _ : state) {
        wholeapp::WholeApp app;
        virtualMs = app.StartUntilFourSensorsFound(kMaxStartMs);
        if (virtualMs < 0) {
            state.SkipWithError("the four sensors were not found");
            return;
        }
    }
    state.counters["virtual_ms"] = static_cast<double>(virtualMs);
}
BENCHMARK(BM_StartUpToMainWindowWithFourSensors)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(3);

void BM_MeasureFourSensorsOneSecond(benchmark::State& state) {
    wholeapp::WholeApp app;
    if (app.StartUntilFourSensorsFound(kMaxStartMs) < 0 || !app.ActivateDevice(kMaxStartMs) ||
        !app.StartMeasuring(kOneMinuteOfSets)) {
        state.SkipWithError("the measurement did not start");
        return;
    }
    app.Run(1000);  // past the start's transients
    int64_t programNanos = 0;
    uint64_t sets = 0;
    for (auto _ : state) {
        const int64_t cpu = wholeapp::ProcessCpuNanos();
        const int64_t simulator = app.SimulatorCpuNanos();
        const uint64_t frames = app.FramesSent();
        app.Run(1000, 1);
        programNanos += (wholeapp::ProcessCpuNanos() - cpu) - (app.SimulatorCpuNanos() - simulator);
        sets += (app.FramesSent() - frames) / wholeapp::WholeApp::kSensors;
    }
    if (!app.IsMeasuring())
        state.SkipWithError("the measurement ended early");
    const double seconds = static_cast<double>(state.iterations());
    const double share = static_cast<double>(programNanos) / 1e9 / seconds;
    const double setsPerSecond = static_cast<double>(sets) / seconds;
    state.counters["sets_per_s_each"] = setsPerSecond;
    state.counters["core_share_at_line_rate"] =
        setsPerSecond > 0 ? share * kLineSetsPerSecond / setsPerSecond : 0.0;
    kqbench::Targets(state).AtMost("core_share", share, 0.05);
}
BENCHMARK(BM_MeasureFourSensorsOneSecond)->Unit(benchmark::kMillisecond)->Iterations(10);

void BM_LongestRecordingMemory(benchmark::State& state) {
    for (auto _ : state) {
        wholeapp::WholeApp app;
        if (app.StartUntilFourSensorsFound(kMaxStartMs) < 0 || !app.ActivateDevice(kMaxStartMs)) {
            state.SkipWithError("the four sensors were not opened");
            return;
        }
        const int64_t pageBefore = wholeapp::ResidentBytes();
        if (!app.Frame()->SetOperatingMode(PAGE_MEASURE_DIAGRAM)) {
            state.SkipWithError("the measure page did not show");
            return;
        }
        app.Run(100);
        const int64_t before = wholeapp::ResidentBytes();
        if (!app.StartMeasuring(measure_run::kMaxPoints)) {
            state.SkipWithError("the measurement did not start");
            return;
        }
        CMainFrame* frame = app.Frame();
        IFlowDiagram* diagram = frame->FlowDiagram();
        int channels = 0;
        for (int c = 0; c < COM_CHANNELS; ++c)
            channels += frame->Measurement().Flow().m_bChannelActive[c] &&
                                !frame->Measurement().Flow().m_abUnavailable[c]
                            ? 1
                            : 0;
        auto points = [diagram] {
            return diagram != nullptr ? static_cast<double>(diagram->GetMaxCountOfValues()) : 0.0;
        };
        int64_t afterFirstSecond = before;
        double pointsAfterFirstSecond = 0;
        // The program's CPU time per second measured, over the first and the last ten seconds.
        int64_t firstNanos = 0;
        int64_t lastNanos = 0;
        for (int second = 0; second < kLongestRecordingSeconds && app.IsMeasuring(); ++second) {
            const int64_t cpu = wholeapp::ProcessCpuNanos() - app.SimulatorCpuNanos();
            app.Run(1000, 1);
            const int64_t used = wholeapp::ProcessCpuNanos() - app.SimulatorCpuNanos() - cpu;
            if (second < 10)
                firstNanos += used;
            if (second >= kLongestRecordingSeconds - 10)
                lastNanos += used;
            if (second == 0) {
                afterFirstSecond = wholeapp::ResidentBytes();
                pointsAfterFirstSecond = points();
            }
        }
        const int64_t end = wholeapp::ResidentBytes();
        const double bytesPerPoint = channels * sizeof(double);
        const double raw = points() * bytesPerPoint;
        const double recorded = (points() - pointsAfterFirstSecond) * bytesPerPoint;
        const auto grown = static_cast<double>(end - afterFirstSecond);
        const auto grownWithStart = static_cast<double>(end - before);
        state.counters["points_per_curve"] = points();
        state.counters["channels"] = channels;
        state.counters["raw_MB"] = raw / 1e6;
        state.counters["resident_growth_MB"] = grownWithStart / 1e6;
        state.counters["page_MB"] = static_cast<double>(before - pageBefore) / 1e6;
        state.counters["start_MB"] = static_cast<double>(afterFirstSecond - before) / 1e6;
        state.counters["ratio_after_first_second"] = recorded > 0 ? grown / recorded : 0.0;
        kqbench::Targets(state).AtMost("ratio_to_raw", raw > 0 ? grownWithStart / raw : 0.0, 2.0);
        state.counters["core_share_first_10s"] = static_cast<double>(firstNanos) / 10e9;
        state.counters["core_share_last_10s"] = static_cast<double>(lastNanos) / 10e9;
    }
}
BENCHMARK(BM_LongestRecordingMemory)->Unit(benchmark::kSecond)->UseRealTime()->Iterations(1);

}  // namespace

BENCHMARK_MAIN();
