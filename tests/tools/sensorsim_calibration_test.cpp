// A user calibration computed from the sensor's raw readings the way the calibration page does
// it, written through the codec, makes the sensor's calibrated values equal the load.
#include <gtest/gtest.h>

#include <cmath>

#include "protocol/FrameCutter.h"
#include "protocol/Messages.h"
#include "sensor/CTarvik_Send.h"
#include "sensor/SensorRecord.h"
#include "tools/sensorsim/SimSensor.h"

using namespace tarvik;
using namespace sensorsim;

namespace {

class Bench {
  public:
    Bench() : m_sensor(Configure(), 7) { m_sensor.PowerOn(0); }

    Frame Ask(const CString& request) {
        std::vector<std::string> out;
        FrameCutter cutter;
        CString bytes = request;
        Frame frame;
        EXPECT_TRUE(cutter.CutFrame(bytes, frame));
        m_sensor.Receive(frame, m_nowMs++, out);
        EXPECT_EQ(out.size(), 1u);
        CString reply(out.empty() ? std::string() : out[0]);
        EXPECT_TRUE(cutter.CutFrame(reply, frame));
        return frame;
    }

    ValueSetReply Values(double load, int mode) {
        m_sensor.SetSignal(0, SignalShape{SignalShape::Kind::Constant, load});
        ValueSetReply values;
        EXPECT_TRUE(ParseMessage(Ask(m_codec.TarSend_RequestValues(mode)), values));
        return values;
    }

    void Restart() {
        Ask(m_codec.TarSend_RequestRestart());
        m_nowMs += kRestartSilenceMs;
        m_sensor.Poll(m_nowMs);
    }

    SimSensor& Sensor() { return m_sensor; }
    CTarvik_Send& Codec() { return m_codec; }

  private:
    static SimSensorConfig Configure() {
        SimSensorConfig config;
        config.channel[0].rangeWord = 0x5500;  // 50000
        config.channel[0].zeroOffsetCounts = 310;
        return config;
    }

    SimSensor m_sensor;
    CTarvik_Send m_codec;
    int64_t m_nowMs = 1;
};

// v in 0.0..2.0 to counts (32768 = 1.0), truncated; -1 when out of range.
int64_t Counts(double v) {
    return v >= 0.0 && v <= 2.0 ? static_cast<int64_t>(v / 3.0517578125e-5) : -1;
}

}  // namespace

TEST(SensorSimCalibration, UserCalibrationFromRawReadingsMakesValuesEqualTheLoad) {
    Bench bench;
    const double range = 50000.0;
    const double scale = 30000.0;  // the adjusting load
    const double loadRatio = scale / range;
    const double digitsS = 10000.0;

    const double zero = bench.Values(0.0, kModeRaw).value[0];
    bench.Ask(bench.Codec().TarSend_RequestControl(true));
    const double control = bench.Values(0.0, kModeRaw).value[0];
    bench.Ask(bench.Codec().TarSend_RequestControl(false));
    const double loaded = bench.Values(scale, kModeRaw).value[0];
    ASSERT_NEAR(zero, 32768 + 310, 0.5);

    SensorRecord record;
    SensorRecord_Reset(record);
    ASSERT_TRUE(bench.Codec().TarSend_ReadBlockGetContent(
        bench.Ask(bench.Codec().TarSend_RequestReadBlock(kBlockUserCalib)), kBlockUserCalib,
        record));
    CalibrationBlock user;
    ASSERT_TRUE(user.Decode(record.aBlock[kBlockUserCalib]));
    user.day = 1;
    user.month = 6;
    user.year = 2024;
    CalibrationChannel& a = user.channel[0];
    a.offset = static_cast<int64_t>(32768 - zero);
    a.control = Counts(digitsS / (control - zero));
    const double k = loadRatio / range;
    a.gain = Counts(((digitsS / loadRatio) / (loaded - zero)) * k * range);
    a.digits = static_cast<int64_t>((digitsS / loadRatio) * range);
    a.uncertainty = 0.05;
    ASSERT_TRUE(user.Encode(record.aBlock[kBlockUserCalib]));

    AckReply ack;
    ASSERT_TRUE(ParseMessage(bench.Ask(bench.Codec().TarSend_RequestWriteBlock(
                                 kBlockUserCalib, record.aBlock[kBlockUserCalib])),
                             ack));
    EXPECT_EQ(ack.blockNumber, 130);
    bench.Restart();
    EXPECT_EQ(bench.Sensor().CalibrationState(), kCalibUser);

    // The displayed value: ppm of the range times the range.
    for (double load : {0.0, 12345.0, scale, 49000.0, -20000.0}) {
        const double shown = bench.Values(load, kModeCalibrated).value[0] * range / 1e6;
        EXPECT_NEAR(shown, load, range * 2e-4) << load;
    }

    // Withdrawn: the sensor falls back to the factory calibration after its restart.
    record.aBlock[kBlockUserCalib].InvalidateCheckBytes();
    bench.Ask(
        bench.Codec().TarSend_RequestWriteBlock(kBlockUserCalib, record.aBlock[kBlockUserCalib]));
    bench.Restart();
    EXPECT_EQ(bench.Sensor().CalibrationState(), kCalibFactory);
    EXPECT_NEAR(bench.Values(scale, kModeCalibrated).value[0] * range / 1e6, scale, 1.0);
}
