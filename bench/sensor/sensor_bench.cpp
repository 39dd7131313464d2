// Frames cut and parsed per second from a recorded value stream, set against what one serial
// line can carry: a value frame is 17 bytes, 170 bits with start and stop bits, so 230400 baud
// carries at most about 1355 frames per second. The counter "line_multiple" says how many such
// lines one core keeps up with.
#include <benchmark/benchmark.h>

#include <string>

#include "protocol/FrameCutter.h"
#include "protocol/Messages.h"
#include "tools/sensorsim/SimDevice.h"

using namespace tarvik;

namespace {

constexpr double kLineFramesPerSecond = 230400.0 / 170.0;
constexpr size_t kReadSize = 64;  // bytes per read from the port

// What a sensor streaming at 1 ms sends in about four seconds, recorded from the simulator.
const std::string& RecordedStream() {
    static const std::string stream = [] {
        sensorsim::SimSensorConfig config;
        config.channel[0].signal =
            sensorsim::SignalShape{sensorsim::SignalShape::Kind::Sine, 0.0, 40000.0, 0.5};
        config.channel[1].signal =
            sensorsim::SignalShape{sensorsim::SignalShape::Kind::Noise, 1000.0, 50.0};
        sensorsim::SimDevice device;
        device.Add(std::make_unique<sensorsim::SimSensor>(config, 1));
        device.Sensor(0).PowerOn(0);
        device.Sensor(0).StartStreaming(0, kModeCalibrated, 0);
        std::string bytes;
        std::vector<std::pair<int, std::string>> frames;
        for (int64_t t = 100; t <= 4096; t += 100) {
            frames.clear();
            device.Tick(t, frames);
            for (const auto& f : frames) {
                bytes += f.second;
            }
        }
        return bytes;
    }();
    return stream;
}

// The receive path of the sensor dialogue: append each read to the receive buffer, cut every
// complete frame out of it, parse the value set and check its running counter.
void BM_CutAndParseValueFrames(benchmark::State& state) {
    const std::string& stream = RecordedStream();
    int64_t frames = 0;
    int64_t gaps = 0;
    for (auto _ : state) {
        FrameCutter cutter;
        CString buffer;
        Frame frame;
        ValueSetReply values;
        uint8_t expected = 0;
        for (size_t at = 0; at < stream.size(); at += kReadSize) {
            buffer.Append(stream.data() + at,
                          static_cast<int>(std::min(kReadSize, stream.size() - at)));
            while (cutter.CutFrame(buffer, frame)) {
                if (ParseMessage(frame, values)) {
                    gaps += values.counter != expected;
                    expected = static_cast<uint8_t>(values.counter + 1);
                    benchmark::DoNotOptimize(values.value[0] + values.value[1]);
                    ++frames;
                }
            }
        }
    }
    if (gaps != 0) {
        state.SkipWithError("counter gap in the recorded stream");
    }
    state.SetItemsProcessed(frames);
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * stream.size()));
    state.counters["line_multiple"] = benchmark::Counter(
        static_cast<double>(frames) / kLineFramesPerSecond, benchmark::Counter::kIsRate);
}
BENCHMARK(BM_CutAndParseValueFrames);

// The cutter alone over the whole recording, without copying into a receive buffer.
void BM_CutFramesInPlace(benchmark::State& state) {
    const std::string& stream = RecordedStream();
    int64_t frames = 0;
    for (auto _ : state) {
        FrameCutter cutter;
        Frame frame;
        size_t pos = 0;
        while (cutter.Next(stream, pos, frame) == FrameCutter::Result::Frame) {
            ++frames;
        }
        benchmark::DoNotOptimize(frame.data[0]);
    }
    state.SetItemsProcessed(frames);
    state.counters["line_multiple"] = benchmark::Counter(
        static_cast<double>(frames) / kLineFramesPerSecond, benchmark::Counter::kIsRate);
}
BENCHMARK(BM_CutFramesInPlace);

// The same stream with a garbage byte before every tenth frame and every hundredth frame
// corrupted: resynchronisation must not cost much.
void BM_CutDamagedStream(benchmark::State& state) {
    static const std::string damaged = [] {
        const std::string& stream = RecordedStream();
        std::string out;
        const size_t frameSize = kValueSetSize + 1 + kFrameOverhead;
        for (size_t i = 0, n = 0; i + frameSize <= stream.size(); i += frameSize, ++n) {
            std::string frame = stream.substr(i, frameSize);
            if (n % 10 == 0) {
                out += '\x02';
            }
            if (n % 100 == 0) {
                frame[7] ^= 0x40;
            }
            out += frame;
        }
        return out;
    }();
    int64_t frames = 0;
    for (auto _ : state) {
        FrameCutter cutter;
        CString buffer;
        Frame frame;
        for (size_t at = 0; at < damaged.size(); at += kReadSize) {
            buffer.Append(damaged.data() + at,
                          static_cast<int>(std::min(kReadSize, damaged.size() - at)));
            while (cutter.CutFrame(buffer, frame)) {
                ++frames;
            }
        }
    }
    state.SetItemsProcessed(frames);
    state.counters["line_multiple"] = benchmark::Counter(
        static_cast<double>(frames) / kLineFramesPerSecond, benchmark::Counter::kIsRate);
}
BENCHMARK(BM_CutDamagedStream);

}  // namespace

BENCHMARK_MAIN();
