// The measured-value flow and the CSV export. "flow": value sets per second through the frame's
// UpdateMeasuredValues(ValueSet) with four sensors, all channels and P1/P2, averaging over 256
// values, tare, one inverted channel, ready views and the recording into a vector-backed store;
// "line_multiple" against the 1355 sets a second of four 230400-baud lines; "trigger_monitor" the
// same sets while a start trigger is armed, each check feeding the measurement panel's monitor
// (texts formatted, rewritten at most every 100 ms) and its tick. "csv": 100,000 rows
// of 6 columns formatted and written durably, against the same bytes written the same way (in the
// same iterations: "x_write").
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "app/MainFrame.h"
#include "app/flow/CsvBody.h"
#include "app/flow/ExportFile.h"
#include "bench/BenchTarget.h"
#include "foundation/MovingAverageRing.h"
#include "kq_res.h"
#include "pages/measurement/CDlgMeasureDiagram.h"
#include "platform/base/Resource.h"
#include "sensor/ChanState.h"
#include "tests/app/MeasurementForTest.h"
#include "tests/app/flow_Fakes.h"
#include "tests/base/ScopedTempFolder.h"

namespace {

constexpr double kSetsPerSecondOfFourLines = 1355.0;

class QuietView : public flowtest::FakeChannelView {};

void BM_FlowValueSets(benchmark::State& state) {
    CMainFrame frame;
    QuietView views[COM_CHANNELS];
    flowtest::FakeDiagram diagram;
    flowtest::FakePanel panel;
    panel.running = TRUE;
    CMeasurementState::FlowGroup& flow = MeasurementForTest(frame).Flow();
    for (int c = 0; c < COM_CHANNELS; ++c) {
        frame.m_flowFakes.channel[c] = &views[c];
        flow.m_bChannelActive[c] = TRUE;
        flow.m_apDisplayRing[c]->SetLength(256);
        flow.m_adTare[c] = 0.5;
        frame.m_adUnitFactor[c] = 0.001;
        BuildUnitList(flow.m_aChannelRecords[c], c % 2 == 0 ? 'D' : 'Y', FALSE, FALSE, "", 0);
    }
    flow.m_aChannelRecords[1].iSignInversion = 1;
    frame.m_flowFakes.diagram = &diagram;
    frame.m_flowFakes.panel = &panel;
    frame.m_iNumberOfSensors = 4;
    flow.m_bRecordingClosed = FALSE;
    ChanState_SetPowerChannelOn(0, TRUE);
    ChanState_SetPowerChannelOn(1, TRUE);
    int32_t raw = 0;
    int reload = 0;
    for (auto _ : state) {
        for (int32_t& r : frame.m_alRaw)
            r = ++raw % 100000;
        // The display reload of rate index 0: texts every tenth set.
        frame.m_iDisplayDownCounter = reload++ % 10;
        frame.UpdateMeasuredValues(MeasuredValueReason::ValueSet);
        if (diagram.y[0].size() > 1000000)
            for (auto& curve : diagram.y)
                curve.clear();
    }
    ChanState_SetPowerChannelOn(0, FALSE);
    ChanState_SetPowerChannelOn(1, FALSE);
    state.counters["sets_per_s"] =
        benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
    state.counters["line_multiple"] =
        benchmark::Counter(static_cast<double>(state.iterations()) / kSetsPerSecondOfFourLines,
                           benchmark::Counter::kIsRate);
}
BENCHMARK(BM_FlowValueSets);

void BM_FlowValueSetsTriggerMonitor(benchmark::State& state) {
    kq::InstallResources(kq_res_bundle());
    {
        CMainFrame frame;
        QuietView views[COM_CHANNELS];
        flowtest::FakeDiagram diagram;
        flowtest::FakeMeasureConfig config;
        // The panel itself, without a window: its monitor texts are made and throttled.
        CDlgMeasureDiagram panel;
        panel.m_psMsureDgrm->triggerOn = 1;
        config.startCondition = 1;  // a threshold on channel A that the values never reach
        config.startLevel = 1e12;
        config.startHysteresis = 1.0;
        CMeasurementState::FlowGroup& flow = MeasurementForTest(frame).Flow();
        for (int c = 0; c < COM_CHANNELS; ++c) {
            frame.m_flowFakes.channel[c] = &views[c];
            flow.m_bChannelActive[c] = TRUE;
            frame.m_adUnitFactor[c] = 0.001;
            BuildUnitList(flow.m_aChannelRecords[c], 'D', FALSE, FALSE, "", 0);
        }
        frame.m_flowFakes.diagram = &diagram;
        frame.m_flowFakes.panel = &panel;
        frame.m_flowFakes.measureConfig = &config;
        frame.m_iNumberOfSensors = 4;
        flow.m_bRecordingClosed = FALSE;
        frame.TakeOverStartStopConditions();
        int32_t raw = 0;
        int sets = 0;
        for (auto _ : state) {
            for (int32_t& r : frame.m_alRaw)
                r = ++raw % 100000;
            frame.m_iDisplayDownCounter = sets % 10;
            frame.UpdateMeasuredValues(MeasuredValueReason::ValueSet);
            if (++sets % 10 == 0)
                panel.OnMeasureTick();
        }
        state.counters["line_multiple"] =
            benchmark::Counter(static_cast<double>(state.iterations()) / kSetsPerSecondOfFourLines,
                               benchmark::Counter::kIsRate);
    }
    kq::UninstallResources(kq_res_bundle());
}
BENCHMARK(BM_FlowValueSetsTriggerMonitor);

struct CsvCase {
    flowtest::FakeDiagram diagram;
    CsvLayout layout;
    CsvCase() {
        for (int c = 0; c < 6; ++c) {
            std::vector<double> values(100000);
            for (size_t i = 0; i < values.size(); ++i)
                values[i] = (static_cast<double>(i) * 0.731 + c) * ((i % 3) ? 1 : -1);
            diagram.Fill(c, values);
            layout.columns.push_back(c);
            layout.decimals[c] = 3;
            layout.unitText[c] = " N·m";
        }
        layout.rowCount = 100000;
    }
};

// Below $TMPDIR, removed when the program ends; KQ_BENCH_DIR names another folder (one on a disk
// where $TMPDIR is a memory file system, for the durable writes).
std::string Folder() {
    static const kq::test::ScopedTempFolder folder;
    const char* dir = std::getenv("KQ_BENCH_DIR");
    return dir != nullptr ? dir : folder.Path();
}

// Formats and writes durably; "x_write" is the speed against writing the preformatted bytes the
// same way, timed in the same iterations so that both see the same disk and load (1 = as fast),
// which of the two goes first alternating. The figure is the median of the iterations' own
// ratios: a sync that waits for another program's writes lands in one iteration's pair.
void BM_CsvFormatAndWrite(benchmark::State& state) {
    using Clock = std::chrono::steady_clock;
    CsvCase csv;
    std::string bytes;
    WriteCsvRows(csv.layout, csv.diagram, bytes);
    const std::string path = Folder() + "/kq_bench_values.csv";
    auto timedWrite = [&path](auto fill) {
        std::filesystem::remove(path);
        const auto start = Clock::now();
        CExportFile file;
        file.Open(path, "HEAD\n");
        fill(file);
        const bool committed = file.Commit();
        const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
        return committed ? seconds : -1.0;
    };
    // As the program saves: what is formatted goes ahead to the disk at each progress step.
    auto format = [&csv](CExportFile& file) {
        WriteCsvRows(csv.layout, csv.diagram, file.Text(),
                     [&file](int, uint64_t) { file.WriteAhead(); });
    };
    auto copy = [&bytes](CExportFile& file) { file.Text() += bytes; };  // no conversion
    std::vector<double> ratios;
    bool formatFirst = true;
    for (auto _ : state) {
        const double reference = formatFirst ? 0.0 : timedWrite(copy);
        const double seconds = timedWrite(format);
        const double second = formatFirst ? timedWrite(copy) : reference;
        formatFirst = !formatFirst;
        if (seconds <= 0 || second < 0) {
            state.SkipWithError("write failed");
            break;
        }
        ratios.push_back(second / seconds);
        state.SetIterationTime(seconds);
        state.SetBytesProcessed(state.bytes_processed() + static_cast<int64_t>(bytes.size()));
    }
    double median = 0;
    if (!ratios.empty()) {
        std::nth_element(ratios.begin(), ratios.begin() + ratios.size() / 2, ratios.end());
        median = ratios[ratios.size() / 2];
    }
    kqbench::Targets(state).AtLeast("x_write", median, 0.5);
    std::filesystem::remove(path);
}
BENCHMARK(BM_CsvFormatAndWrite)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(11);

void BM_CsvPreformattedWrite(benchmark::State& state) {
    CsvCase csv;
    std::string bytes;
    WriteCsvRows(csv.layout, csv.diagram, bytes);
    const std::string path = Folder() + "/kq_bench_reference.csv";
    for (auto _ : state) {
        std::filesystem::remove(path);
        CExportFile file;
        file.Open(path, "HEAD\n");
        file.Text() += bytes;
        state.SetBytesProcessed(state.bytes_processed() + static_cast<int64_t>(bytes.size()));
        if (!file.Commit())
            state.SkipWithError("write failed");
    }
    std::filesystem::remove(path);
}
BENCHMARK(BM_CsvPreformattedWrite)->Unit(benchmark::kMillisecond);

void BM_CsvFormatOnly(benchmark::State& state) {
    CsvCase csv;
    for (auto _ : state) {
        std::string out;
        WriteCsvRows(csv.layout, csv.diagram, out);
        benchmark::DoNotOptimize(out.data());
        state.SetBytesProcessed(state.bytes_processed() + static_cast<int64_t>(out.size()));
    }
}
BENCHMARK(BM_CsvFormatOnly)->Unit(benchmark::kMillisecond);

void BM_CsvMemcpyOfTheBytes(benchmark::State& state) {
    CsvCase csv;
    std::string bytes;
    WriteCsvRows(csv.layout, csv.diagram, bytes);
    std::string copy(bytes.size(), '\0');
    for (auto _ : state) {
        std::memcpy(copy.data(), bytes.data(), bytes.size());
        benchmark::DoNotOptimize(copy.data());
        state.SetBytesProcessed(state.bytes_processed() + static_cast<int64_t>(bytes.size()));
    }
}
BENCHMARK(BM_CsvMemcpyOfTheBytes)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
