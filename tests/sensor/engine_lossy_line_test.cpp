// A line that loses every tenth frame the sensor sends: the reply wait and its re-sends keep the
// sensor, and the value sets lost while measuring are counted, never shown.
#include <gtest/gtest.h>

#include <algorithm>

#include "protocol/Protocol.h"
#include "tests/sensor/EngineHarness.h"

using namespace enginetest;
using namespace tarvik;

namespace {

constexpr int kDropEvery = 10;

// The sensor's next frame is the one the line loses.
void LoseNextFrame(SimPort& port) {
    port.sent = (port.sent / kDropEvery + 1) * kDropEvery - 1;
}

}  // namespace

TEST(EngineLossyLine, ASensorLosingEveryTenthFrameStaysOpenAndMeasuresWithItsGapsCounted) {
    Harness bench;
    SimPort& port = bench.AddSensor("COM1 Tarvik USB sensor interface port", SensorConfig(42));
    port.dropEvery = kDropEvery;
    ASSERT_TRUE(bench.ScanAndOpen());

    // A minute at rest, asked for a single value set every second: a lost answer is asked again.
    for (int second = 0; second < 60; ++second) {
        ASSERT_TRUE(bench.frame.COM_ZMCOMSingleShot()) << "at second " << second;
        bench.Run(1000);
    }
    EXPECT_EQ(std::count(bench.frame.reasons.begin(), bench.frame.reasons.end(), 1), 60);
    EXPECT_EQ(bench.frame.m_iOpenEntry, 0);
    EXPECT_EQ(bench.pages.Count("OnSensorDisconnected"), 0);

    // Streaming, with the acknowledge of the start lost: the value sets that follow show that
    // the sensor was started.
    LoseNextFrame(port);
    bench.frame.m_iMeasureRateIndex = 3;  // 10 ms
    ASSERT_TRUE(bench.frame.COM_ZMCOMStartMeasure());
    const int sentAtStart = port.sent;
    bench.Run(2000);
    ASSERT_EQ(bench.frame.COM_GetZMCOMConfgFlow(), ZM_MEASURE);
    ASSERT_TRUE(bench.frame.m_bMeasuring);
    const size_t shown = bench.frame.values.size();
    const uint64_t lost = bench.frame.m_ullLostValueSets;
    // Every value set the sensor streamed is either shown or counted as lost.
    EXPECT_NEAR(static_cast<double>(shown + lost), port.sent - sentAtStart - 1, 1.0);
    EXPECT_NEAR(static_cast<double>(lost), (port.sent - sentAtStart) / 10.0, 1.0);
    EXPECT_TRUE(std::all_of(bench.frame.values.begin(), bench.frame.values.end(),
                            [](const TestFrame::ValueSet& v) { return v.raw[0] == 500000; }));
    ASSERT_TRUE(bench.frame.COM_ZMCOMStopMeasure());
    bench.Run(1000);
    EXPECT_EQ(bench.frame.COM_GetZMCOMConfgFlow(), ZM_STOP_MEASURE);
    EXPECT_FALSE(port.Sensor().IsStreaming());

    // A slow stream whose start acknowledge is lost: the start sent again is refused by the
    // sensor that streams already, which tells the same.
    LoseNextFrame(port);
    bench.frame.m_iMeasureRateIndex = 9;  // 1 s
    ASSERT_TRUE(bench.frame.COM_ZMCOMStartMeasure());
    bench.Run(5500);
    EXPECT_EQ(bench.frame.COM_GetZMCOMConfgFlow(), ZM_MEASURE);
    EXPECT_TRUE(bench.frame.m_bMeasuring);
    EXPECT_GE(bench.frame.values.size(), shown + 4);
    ASSERT_TRUE(bench.frame.COM_ZMCOMStopMeasure());
    bench.Run(1000);
    EXPECT_EQ(bench.frame.COM_GetZMCOMConfgFlow(), ZM_STOP_MEASURE);
    EXPECT_EQ(bench.frame.m_iOpenEntry, 0);
}
