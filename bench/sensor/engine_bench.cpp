// Value sets per second through the sensor dialogue's whole receive path: bytes handed to the
// receive entry as the port manager delivers them, cut into frames, dispatched, checked against
// the running counter and passed to the frame's UpdateMeasuredValues. "line_multiple" says how
// many serial lines at 230400 baud (1355 value sets a second each) one core keeps up with.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <string>
#include <vector>

#include "sensor/CComPort.h"
#include "tools/sensorsim/SimDevice.h"

using namespace tarvik;

namespace {

constexpr double kLineFramesPerSecond = 230400.0 / 170.0;
constexpr size_t kReadSize = 64;  // bytes per delivery

// A value set lost in a recorded stream is a fault of the receive path, not a cost: the program
// reports the benchmark as failed and ends with a failure.
bool g_lostValueSets = false;

void CheckNothingLost(benchmark::State& state, uint64_t lost) {
    if (lost != 0) {
        g_lostValueSets = true;
        state.SkipWithError("value sets lost in the recorded stream");
    }
}

// A frame that counts what reaches it and puts the dialogue straight into measuring.
class BenchFrame final : public CComPort {
  public:
    int64_t updates = 0;
    int64_t sum = 0;

    void UpdateMeasuredValues(MeasuredValueReason reason, const MeasuredValueSet& set) override {
        if (reason == MeasuredValueReason::ValueSet) {
            ++updates;
            sum += set.alRaw[0] + set.alRaw[1] + set.alRaw[2] + set.alRaw[3];
        }
    }
    void SetStopMeasureDuringScan(BOOL) override {}
    BOOL RestoreWindowAndBarState() override { return TRUE; }
    void SetupChannelsOfSensor(int, int) override {}
    void TakeOverSoftwareScaling(int) override {}
    void StoreChannelSettingsInSoftwareConfig(int) override {}
    void ShowMeasureAdjustNotice() override {}
    void COM_ShowMessage(const CString&) override {}
    void OnMultiChannelActivationDone(int) override {}

    void MeasureOneSensor() {
        COM_SetFrameCounterCheck(TRUE);
        m_iZMCOMConfgFlow = ZM_MEASURE;
        m_bMeasuring = TRUE;
        m_bFastRate = TRUE;
        m_pfnReplyAnalyser = &BenchFrame::AnalyseValueSet;
    }
    // The recording starts again: its first counter does not follow its last one, on any port.
    void Rewind() {
        m_counterCheck.Restart();
        if (m_aligner.PortCount() > 1)
            m_aligner.Start(m_aligner.PortCount());
    }
    void MeasureMultiport(int ports) {
        MeasureOneSensor();
        m_iNumberOfSensors = ports;
        m_iZMCOMConfgFlowMulti = ZM4_MEASURE;
        for (int slot = 0; slot < ports; ++slot) {
            m_abSlotReady[slot] = true;
            m_aiSlotPosition[slot] = slot;
        }
        m_aligner.Start(ports);
        m_pfnReplyAnalyser = &BenchFrame::AnalyseMultiportValueSet;
    }
};

// What the sensors of a device send in about four seconds at 1 ms, per port.
std::vector<std::string> Recorded(int ports) {
    sensorsim::SimDevice device;
    for (int i = 0; i < ports; ++i) {
        sensorsim::SimSensorConfig config;
        config.serialNumber = 900;
        config.sensorIndex = static_cast<uint8_t>(ports > 1 ? i : kNoSensorIndex);
        config.channel[0].signal =
            sensorsim::SignalShape{sensorsim::SignalShape::Kind::Sine, 0.0, 40000.0, 0.5};
        config.channel[1].signal =
            sensorsim::SignalShape{sensorsim::SignalShape::Kind::Noise, 1000.0, 50.0};
        device.Add(std::make_unique<sensorsim::SimSensor>(config, 1 + i));
        device.Sensor(i).PowerOn(0);
    }
    std::vector<std::string> bytes(static_cast<size_t>(ports));
    std::vector<std::pair<int, std::string>> frames;
    for (int i = ports - 1; i >= 0; --i) {
        // Slaves first, as the dialogue starts them.
        std::vector<std::string> replies;
        Frame role;
        role.address1 = kAnyAddress;
        role.address2 = kAnyIndex;
        role.code = kRequestRole;
        const char roleByte = static_cast<char>(ports == 1 ? kRoleStandalone
                                                : i == 0   ? kRoleMaster
                                                           : kRoleSlave);
        role.SetData(std::string_view(&roleByte, 1));
        device.Sensor(i).Receive(role, 0, replies);
        device.Sensor(i).StartStreaming(0, kModeCalibrated, 0);
    }
    for (int64_t t = 100; t <= 4096; t += 100) {
        frames.clear();
        device.Tick(t, frames);
        for (const auto& f : frames) {
            bytes[static_cast<size_t>(f.first)] += f.second;
        }
    }
    return bytes;
}

void BM_ValueSetsIntoUpdateMeasuredValues(benchmark::State& state) {
    static const std::string stream = Recorded(1).front();
    BenchFrame frame;
    frame.MeasureOneSensor();
    for (auto _ : state) {
        frame.Rewind();
        for (size_t at = 0; at < stream.size(); at += kReadSize) {
            const size_t n = std::min(kReadSize, stream.size() - at);
            frame.OnReceiveConfigFlow(n, reinterpret_cast<LPARAM>(stream.data() + at));
        }
    }
    CheckNothingLost(state, frame.m_ullLostValueSets);
    benchmark::DoNotOptimize(frame.sum);
    state.SetItemsProcessed(frame.updates);
    state.counters["line_multiple"] = benchmark::Counter(
        static_cast<double>(frame.updates) / kLineFramesPerSecond, benchmark::Counter::kIsRate);
}
BENCHMARK(BM_ValueSetsIntoUpdateMeasuredValues);

// Four ports of a multi-port device, their deliveries interleaved, joined by the counter.
void BM_MultiportValueSetsJoined(benchmark::State& state) {
    static const std::vector<std::string> streams = Recorded(4);
    BenchFrame frame;
    frame.MeasureMultiport(4);
    size_t longest = 0;
    for (const std::string& s : streams)
        longest = std::max(longest, s.size());
    for (auto _ : state) {
        frame.Rewind();
        for (size_t at = 0; at < longest; at += kReadSize) {
            for (int port = 0; port < 4; ++port) {
                const std::string& s = streams[static_cast<size_t>(port)];
                if (at < s.size()) {
                    const size_t n = std::min(kReadSize, s.size() - at);
                    frame.OnReceivePort(n, reinterpret_cast<LPARAM>(s.data() + at), port);
                }
            }
        }
    }
    benchmark::DoNotOptimize(frame.sum);
    state.SetItemsProcessed(frame.updates);
    state.counters["line_multiple"] = benchmark::Counter(
        static_cast<double>(frame.updates) / kLineFramesPerSecond, benchmark::Counter::kIsRate);
    CheckNothingLost(state, frame.m_ullLostValueSets);
}
BENCHMARK(BM_MultiportValueSetsJoined);

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return g_lostValueSets ? 1 : 0;
}
