// Measuring with one sensor: streamed and polled value sets into UpdateMeasuredValues as ValueSets,
// the running-counter check, and the stop.
#include <gtest/gtest.h>

#include "protocol/Protocol.h"
#include "tests/sensor/EngineHarness.h"

using namespace enginetest;
using namespace tarvik;

namespace {

struct MeasureBench : Harness {
    SimPort& port;
    MeasureBench() : port(AddSensor("COM1 Tarvik USB sensor interface port", SensorConfig(42))) {}
};

}  // namespace

TEST(EngineMeasure, StreamsValueSetsWithTheirRawValuesAndCountsLostOnes) {
    MeasureBench bench;
    ASSERT_TRUE(bench.ScanAndOpen());
    bench.frame.m_iMeasureRateIndex = 3;  // 10 ms, streamed
    ASSERT_TRUE(bench.frame.COM_ZMCOMStartMeasure());
    bench.Run(5);
    ASSERT_EQ(bench.frame.COM_GetZMCOMConfgFlow(), ZM_MEASURE);
    EXPECT_TRUE(bench.frame.m_bMeasuring);
    EXPECT_TRUE(bench.frame.m_bFastRate);
    bench.Run(500);
    const size_t clean = bench.frame.values.size();
    EXPECT_GE(clean, 48u);
    EXPECT_EQ(bench.frame.values.back().raw[0], 500000);  // half the range on A
    EXPECT_EQ(bench.frame.values.back().raw[1], -100000);
    EXPECT_EQ(bench.frame.m_ullLostValueSets, 0u);
    EXPECT_EQ(bench.frame.m_iDisplayReload, 10);
    EXPECT_GT(bench.pages.ticks, 0);

    // Every fifth frame lost on the line: the gaps are counted, not hidden.
    bench.port.sent = 0;
    bench.port.dropEvery = 5;
    bench.Run(1000);
    const size_t delivered = bench.frame.values.size() - clean;
    EXPECT_GE(delivered, 75u);
    EXPECT_NEAR(static_cast<double>(bench.frame.m_ullLostValueSets), delivered / 4.0, 2.0);
    bench.port.dropEvery = 0;

    const int before = static_cast<int>(bench.frame.values.size());
    ASSERT_TRUE(bench.frame.COM_ZMCOMStopMeasure());
    bench.Run(100);
    EXPECT_EQ(bench.frame.COM_GetZMCOMConfgFlow(), ZM_STOP_MEASURE);
    EXPECT_FALSE(bench.frame.m_bMeasuring);
    EXPECT_FALSE(bench.frame.m_bRequestOutstanding);
    EXPECT_FALSE(bench.port.Sensor().IsStreaming());
    bench.Run(500);
    EXPECT_LE(static_cast<int>(bench.frame.values.size()), before + 1);
}

TEST(EngineMeasure, SlowRatesArePolledOncePerPeriod) {
    MeasureBench bench;
    ASSERT_TRUE(bench.ScanAndOpen());
    bench.frame.m_iMeasureRateIndex = 13;  // 30 s, polled
    ASSERT_TRUE(bench.frame.COM_ZMCOMStartMeasure());
    EXPECT_FALSE(bench.frame.m_bFastRate);
    bench.Run(95000);
    EXPECT_EQ(bench.frame.values.size(), 4u);  // at 0, 30, 60 and 90 s
    EXPECT_EQ(bench.frame.values.front().raw[0], 500000);
    EXPECT_EQ(bench.frame.m_ullLostValueSets, 0u);
    EXPECT_FALSE(bench.port.Sensor().IsStreaming());
    ASSERT_TRUE(bench.frame.COM_ZMCOMStopMeasure());
    EXPECT_EQ(bench.frame.COM_GetZMCOMConfgFlow(), ZM_STOP_MEASURE);
    bench.Run(60000);
    EXPECT_EQ(bench.frame.values.size(), 4u);
}

TEST(EngineMeasure, ARefusedPollWaitsTheErrorPauseAndGoesOn) {
    MeasureBench bench;
    ASSERT_TRUE(bench.ScanAndOpen());
    bench.frame.m_iMeasureRateIndex = 13;
    ASSERT_TRUE(bench.frame.COM_ZMCOMStartMeasure());
    bench.Run(10);
    ASSERT_EQ(bench.frame.values.size(), 1u);
    // The sensor is made to stream behind the dialogue's back: it refuses 'A' (NAK 5).
    bench.port.Sensor().StartStreaming(15, kModeCalibrated, bench.Now());
    bench.Run(30100);
    EXPECT_EQ(bench.frame.COM_GetZMCOMConfgFlow(), ZM_MEASURE);
    EXPECT_TRUE(bench.frame.m_bMeasuring);
    const size_t refused = bench.port.requests.size();
    bench.Run(800);
    EXPECT_GT(bench.port.requests.size(), refused);  // asked again after the error pause
}

TEST(EngineMeasure, StartIsRefusedWithoutASensorOrWhileBusy) {
    MeasureBench bench;
    EXPECT_FALSE(bench.frame.COM_ZMCOMStartMeasure());
    ASSERT_TRUE(bench.ScanAndOpen());
    bench.frame.m_iMeasureRateIndex = 3;
    ASSERT_TRUE(bench.frame.COM_ZMCOMStartMeasure());
    EXPECT_FALSE(bench.frame.COM_ZMCOMStartMeasure());
    EXPECT_FALSE(bench.frame.COM_ZMCOMConfgSetNewLowPassFilter(0, 3));
    EXPECT_EQ(bench.frame.COM_ZMCOMStartReadRawCalib(0), -1);
}

namespace {

// The GUI thread stands still for ms while the sensors go on sending; when it comes back, the
// streaming tick runs first and the bytes that waited are read after it.
void HoldTheThread(Harness& bench, int64_t ms) {
    bench.holdDelivery = true;
    bench.clock->AdvanceMillis(ms);
    bench.Stream();
    bench.tickDue = bench.Now() + bench.tickMs;
    if (auto tick = bench.tick) {
        tick();
    }
    bench.holdDelivery = false;
    bench.Deliver();
}

}  // namespace

TEST(EngineMeasure, AHeldUpThreadIsNoSilenceButASensorThatFallsSilentIsLost) {
    MeasureBench bench;
    ASSERT_TRUE(bench.ScanAndOpen());
    bench.frame.m_iMeasureRateIndex = 6;  // 100 ms, streamed
    ASSERT_TRUE(bench.frame.COM_ZMCOMStartMeasure());
    bench.Run(500);
    ASSERT_EQ(bench.frame.COM_GetZMCOMConfgFlow(), ZM_MEASURE);
    const size_t before = bench.frame.values.size();
    HoldTheThread(bench, 1500);
    EXPECT_EQ(bench.frame.COM_GetZMCOMConfgFlow(), ZM_MEASURE);
    EXPECT_EQ(bench.pages.Count("OnSensorDisconnected"), 0);
    EXPECT_GE(bench.frame.values.size(), before + 14);
    bench.Run(300);
    // The operator's Stop reaches the sensor, and the next start finds it at rest.
    ASSERT_TRUE(bench.frame.COM_ZMCOMStopMeasure());
    bench.Run(100);
    EXPECT_EQ(bench.frame.COM_GetZMCOMConfgFlow(), ZM_STOP_MEASURE);
    EXPECT_FALSE(bench.port.Sensor().IsStreaming());
    EXPECT_GE(bench.frame.m_iOpenEntry, 0);

    // The sensor stops sending while every tick comes late: it is still lost within seconds.
    ASSERT_TRUE(bench.frame.COM_ZMCOMStartMeasure());
    bench.Run(500);
    ASSERT_EQ(bench.frame.COM_GetZMCOMConfgFlow(), ZM_MEASURE);
    bench.Vanish(bench.port);
    for (int held = 0; held < 6 && bench.frame.m_iOpenEntry >= 0; ++held) {
        HoldTheThread(bench, 600);
    }
    EXPECT_EQ(bench.frame.m_iOpenEntry, -1);
    EXPECT_EQ(bench.pages.Count("OnSensorDisconnected"), 1);
}
