// Unplugging the sensor in every step of the dialogue ends in the lost state: the entry shows
// "not available", the pages hear of it, no flag or timer is left behind.
#include <gtest/gtest.h>

#include <cstring>

#include "protocol/Protocol.h"
#include "sensor/CSensorConfigSequence.h"
#include "tests/sensor/EngineHarness.h"

using namespace enginetest;
using namespace tarvik;

namespace {

struct UnplugBench : Harness {
    SimPort& port;
    UnplugBench() : port(AddSensor("COM1 Tarvik USB sensor interface port", SensorConfig(42))) {}

    void ExpectLost() {
        EXPECT_EQ(frame.COM_GetZMCOMConfgFlow(), ZM_STOP_MEASURE);
        EXPECT_EQ(frame.m_iZMCOMConfgFlowMulti, ZM4_NONE);
        EXPECT_FALSE(frame.m_bRequestOutstanding);
        EXPECT_FALSE(frame.m_bMeasuring);
        EXPECT_FALSE(frame.OpenDialogueRunning());
        EXPECT_EQ(frame.m_iOpenEntry, -1);
        EXPECT_EQ(frame.m_pfnReplyAnalyser, nullptr);
        EXPECT_EQ(frame.m_aEntries[0].iState, PORT_STATE_NO_ANSWER);
        EXPECT_EQ(frame.m_aEntries[0].iStateTextId, IDS_PORT_NOT_AVAILABLE);
        EXPECT_EQ(pages.Count("OnSensorDisconnected"), 1);
        EXPECT_GE(pages.Count("ShowControlElements(0)"), 1);
        EXPECT_FALSE(tick);
        EXPECT_EQ(timers.count(COM_TIMER_REPLY_TIMEOUT), 0u);
        // Nothing further happens on its own.
        const size_t calls = pages.calls.size();
        Run(10000);
        EXPECT_EQ(pages.calls.size(), calls);
    }
    // The port goes away once the sensor has understood `requests` more frames.
    void UnplugAfter(size_t requests) {
        port.vanishAfter = static_cast<int>(port.requests.size() + requests);
    }
};

}  // namespace

TEST(EngineUnplug, WhileTheSearchReadsTheBlocks) {
    UnplugBench bench;
    bench.frame.COM_CreateMainPortManager(nullptr);
    bench.frame.COM_BuildPortTable(0);
    bench.UnplugAfter(4);  // '@', 'B', two blocks
    bench.Run(5000);
    EXPECT_EQ(bench.frame.m_aEntries[0].iState, PORT_STATE_NO_ANSWER);
    EXPECT_EQ(bench.pages.Count("ShowScanFinished"), 1);
    EXPECT_EQ(bench.frame.COM_GetZMCOMConfgFlow(), ZM_STOP_MEASURE);
    EXPECT_FALSE(bench.frame.m_bRequestOutstanding);
}

TEST(EngineUnplug, WhileTheSensorIsOpened) {
    UnplugBench bench;
    bench.frame.COM_CreateMainPortManager(nullptr);
    bench.frame.COM_BuildPortTable(0);
    bench.UnplugAfter(10 + 5);  // the search, then '@', 'B' and three blocks of the opening
    bench.Run(3000);
    bench.ExpectLost();
    EXPECT_FALSE(bench.frame.readyTimerRan);
}

TEST(EngineUnplug, AtRestTheNextRefreshFindsItGone) {
    UnplugBench bench;
    ASSERT_TRUE(bench.ScanAndOpen());
    bench.Vanish(bench.port);
    bench.frame.COM_RefreshPortTable(0, 0);
    bench.ExpectLost();
}

TEST(EngineUnplug, WhileStreaming) {
    UnplugBench bench;
    ASSERT_TRUE(bench.ScanAndOpen());
    bench.frame.m_iMeasureRateIndex = 3;
    ASSERT_TRUE(bench.frame.COM_ZMCOMStartMeasure());
    bench.Run(200);
    bench.Vanish(bench.port);
    bench.Run(1500);
    bench.ExpectLost();
}

TEST(EngineUnplug, WhilePolling) {
    UnplugBench bench;
    ASSERT_TRUE(bench.ScanAndOpen());
    bench.frame.m_iMeasureRateIndex = 13;
    ASSERT_TRUE(bench.frame.COM_ZMCOMStartMeasure());
    bench.Run(1000);
    bench.Vanish(bench.port);
    bench.Run(31000);
    bench.ExpectLost();
}

TEST(EngineUnplug, WhileABlockWriteWaitsForItsAcknowledge) {
    UnplugBench bench;
    ASSERT_TRUE(bench.ScanAndOpen());
    std::strcpy(bench.frame.m_aSensorRecord[0].szSerialText[0], "NEW1");
    ASSERT_TRUE(bench.frame.COM_ZMCOMConfgSetSerialNumberRotorOperation(0, -1));
    bench.Vanish(bench.port);  // the write went out, its acknowledge never comes
    bench.Run(2000);
    bench.ExpectLost();
}

TEST(EngineUnplug, WhileSilentAfterARestart) {
    UnplugBench bench;
    ASSERT_TRUE(bench.ScanAndOpen());
    ASSERT_TRUE(bench.frame.COM_ZMCOMConfgSetNewLowPassFilter(0, 2));
    ASSERT_TRUE(
        bench.RunUntil([&] { return bench.timers.count(COM_TIMER_REOPEN_AFTER_RESTART) > 0; }));
    bench.Vanish(bench.port);
    bench.Run(2000);
    bench.ExpectLost();
}

TEST(EngineUnplug, WhileReadingCalibrationValues) {
    UnplugBench bench;
    ASSERT_TRUE(bench.ScanAndOpen());
    ASSERT_EQ(bench.frame.COM_ZMCOMStartReadRawCalib(CALIB_PHASE_ZERO), CALIB_PHASE_ZERO);
    bench.Run(1000);
    bench.Vanish(bench.port);
    bench.Run(2000);
    bench.ExpectLost();
    EXPECT_GE(bench.pages.Count("CloseScaleDialogIfVisible"), 1);
}

TEST(EngineUnplug, WhileTheCloseSequenceWrites) {
    UnplugBench bench;
    CSensorConfigSequence sequence(&bench.frame);
    ASSERT_TRUE(bench.ScanAndOpen());
    sequence.Start();
    EXPECT_EQ(bench.frame.COM_GetZMCOMConfgFlow(), ZM_CLOSE_CONFIG_SEQUENCE);
    bench.Vanish(bench.port);
    bench.Run(3000);
    EXPECT_TRUE(bench.frame.m_bSequenceFinished);
    EXPECT_TRUE(bench.frame.closeAgain);
    EXPECT_EQ(bench.frame.COM_GetZMCOMConfgFlow(), ZM_CLOSE_CONFIG_DONE);
    EXPECT_EQ(bench.frame.m_aEntries[0].iState, PORT_STATE_NO_ANSWER);
    EXPECT_FALSE(bench.frame.m_bRequestOutstanding);
}
