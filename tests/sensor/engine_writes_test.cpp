// Block writes: baud rate with restart and new search (the restart's acknowledge lost too),
// low-pass filter, serial-number texts and the software configuration; read-modify-write,
// refused values, deferred writes.
#include <gtest/gtest.h>

#include <cstring>

#include "protocol/BlockLayouts.h"
#include "protocol/Protocol.h"
#include "tests/sensor/EngineHarness.h"

using namespace enginetest;
using namespace tarvik;

namespace {

struct WriteBench : Harness {
    SimPort& port;
    WriteBench() : port(AddSensor("COM1 Tarvik USB sensor interface port", SensorConfig(42))) {}

    int Count(char code) const {
        return static_cast<int>(
            std::count_if(port.requests.begin(), port.requests.end(),
                          [code](const std::string& r) { return r.at(4) == code; }));
    }
    template <typename Layout>
    Layout SensorBlock(int index) {
        Layout layout;
        EXPECT_TRUE(layout.Decode(port.Sensor().Block(index)));
        return layout;
    }
    bool AtRest() {
        return frame.COM_GetZMCOMConfgFlow() == ZM_STOP_MEASURE && !frame.m_bRequestOutstanding;
    }
};

}  // namespace

TEST(EngineWrites, BaudChangeRestartsAndTheNewSearchFindsTheSensorAtTheNewRate) {
    WriteBench bench;
    ASSERT_TRUE(bench.ScanAndOpen());
    ASSERT_EQ(bench.port.Sensor().BaudRate(), 115200);
    EXPECT_EQ(bench.frame.COM_ZMCOMConfgSetNewBaudrate(bench.frame.m_iOpenEntry, 16), COM_BAUD_OK);
    EXPECT_EQ(bench.frame.COM_GetZMCOMConfgFlow(), ZM_CNFG_SET_NEW_BAUDRATE);
    bench.frame.readyTimerRan = false;
    ASSERT_TRUE(bench.RunUntil([&] { return bench.frame.readyTimerRan && bench.AtRest(); }));

    EXPECT_EQ(bench.port.Sensor().BaudRate(), 230400);
    EXPECT_EQ(bench.SensorBlock<StatorOperationBlock>(kBlockStatorOperation).baudCode, 16);
    EXPECT_EQ(bench.frame.m_aEntries[0].iBaudrate, 230400);
    EXPECT_EQ(bench.frame.m_aEntries[0].iState, PORT_STATE_OPEN);
    EXPECT_EQ(bench.frame.m_aSensorRecord[0].ucBaudCode, kBaudCode230400);
    // Written, acknowledged (35), restarted (32), closed, searched again (33) with the new rate
    // first, so the first identification of the new search already found the sensor.
    auto at = [&](UINT id) {
        return std::find(bench.fired.begin(), bench.fired.end(), id) - bench.fired.begin();
    };
    EXPECT_LT(at(COM_TIMER_BAUD_STORED), at(COM_TIMER_BAUD_RESTART_CLOSE));
    EXPECT_LT(at(COM_TIMER_BAUD_RESTART_CLOSE), at(COM_TIMER_BAUD_RESTART_REBUILD));
    EXPECT_EQ(std::count(bench.fired.begin(), bench.fired.end(), COM_TIMER_SCAN_ANSWER), 0);
    EXPECT_EQ(bench.pages.Count("RebuildPortList(1)"), 2);
}

TEST(EngineWrites, ABaudChangeWhoseRestartAcknowledgeIsLostFindsTheSensorAtTheNewRate) {
    WriteBench bench;
    ASSERT_TRUE(bench.ScanAndOpen());
    ASSERT_EQ(bench.frame.COM_ZMCOMConfgSetNewBaudrate(bench.frame.m_iOpenEntry, 16), COM_BAUD_OK);
    ASSERT_TRUE(bench.RunUntil([&] {
        return bench.frame.COM_GetZMCOMConfgFlow() == ZM_CNFG_SET_NEW_BAUDRATE &&
               !bench.frame.m_bRequestOutstanding;
    }));
    // The rate is written; the line loses the next frame, the restart's acknowledge. The
    // sensor restarts at the new rate, where the requests sent again cannot reach it.
    bench.port.dropEvery = 1000;
    bench.port.sent = 999;
    bench.frame.readyTimerRan = false;
    ASSERT_TRUE(bench.RunUntil([&] { return bench.frame.readyTimerRan && bench.AtRest(); }));
    EXPECT_EQ(bench.port.Sensor().BaudRate(), 230400);
    EXPECT_EQ(bench.frame.m_aEntries[0].iBaudrate, 230400);
    EXPECT_EQ(bench.frame.m_aEntries[0].iState, PORT_STATE_OPEN);
    EXPECT_EQ(bench.pages.Count("OnSensorDisconnected"), 0);
}

TEST(EngineWrites, BaudChangeIsRefusedForAnotherRowABadCodeOrABusyDialogue) {
    WriteBench bench;
    ASSERT_TRUE(bench.ScanAndOpen());
    EXPECT_EQ(bench.frame.COM_ZMCOMConfgSetNewBaudrate(3, 16), COM_BAUD_BAD_ROW);
    EXPECT_EQ(bench.frame.COM_ZMCOMConfgSetNewBaudrate(0, 12), COM_BAUD_BAD_CODE);
    bench.frame.m_iMeasureRateIndex = 3;
    ASSERT_TRUE(bench.frame.COM_ZMCOMStartMeasure());
    bench.Run(20);
    EXPECT_EQ(bench.frame.COM_ZMCOMConfgSetNewBaudrate(0, 16), COM_BAUD_BUSY);
    EXPECT_EQ(bench.Count('W'), 0);
}

TEST(EngineWrites, LowPassChangeRestartsAndReopensTheSensor) {
    WriteBench bench;
    ASSERT_TRUE(bench.ScanAndOpen());
    ASSERT_TRUE(bench.frame.COM_ZMCOMConfgSetNewLowPassFilter(0, 4));
    ASSERT_TRUE(bench.RunUntil([&] { return bench.Count('R') == 1 && bench.AtRest(); }));
    EXPECT_EQ(bench.SensorBlock<StatorOperationBlock>(kBlockStatorOperation).lowPassCode, 4);
    EXPECT_EQ(bench.frame.m_aSensorRecord[0].ucLowPassCode, 4);
    EXPECT_EQ(bench.Count('@'), 3);  // scan, opening, and once more after the restart
    EXPECT_FALSE(bench.frame.COM_ZMCOMConfgSetNewLowPassFilter(0, 10));
}

TEST(EngineWrites, SerialNumberTextsAreWrittenAndBadOnesRefused) {
    WriteBench bench;
    ASSERT_TRUE(bench.ScanAndOpen());
    std::strcpy(bench.frame.m_aSensorRecord[0].szSerialText[0], "XYZ123");
    ASSERT_TRUE(bench.frame.COM_ZMCOMConfgSetSerialNumberRotorOperation(0, -1));
    bench.Run(50);
    EXPECT_TRUE(bench.AtRest());
    const auto written = bench.SensorBlock<RotorOperationBlock>(kBlockRotorOperation);
    EXPECT_EQ(written.serialText[0], "XYZ123");
    EXPECT_EQ(written.serialText[1], "B00001");
    EXPECT_TRUE(bench.port.Sensor().Block(kBlockRotorOperation).HasCorrectCheckBytes());
    EXPECT_EQ(bench.pages.Count("ArmInformationPageTimer(53,10)"), 1);

    // A character outside the sensor's alphabet: nothing is sent, the caller hears it.
    std::strcpy(bench.frame.m_aSensorRecord[0].szSerialText[1], "AB!");
    const int writes = bench.Count('W');
    EXPECT_FALSE(bench.frame.COM_ZMCOMConfgSetSerialNumberRotorOperation(0, -1));
    bench.Run(50);
    EXPECT_EQ(bench.Count('W'), writes);
    EXPECT_TRUE(bench.AtRest());
}

TEST(EngineWrites, MarkedSerialNumbersAreWrittenOncePerChangeAndWaitForABusyDialogue) {
    WriteBench bench;
    ASSERT_TRUE(bench.ScanAndOpen());
    const int writes = bench.Count('W');
    // Texts the sensor holds already: the mark is dropped without a write.
    bench.frame.COM_RequestSerialNumberWrite(0, 1000);
    bench.Run(1100);
    EXPECT_EQ(bench.Count('W'), writes);
    EXPECT_FALSE(bench.frame.COM_IsSerialNumberWriteMarked(0));

    // Changed twice within the second: one write, of the last text.
    std::strcpy(bench.frame.m_aSensorRecord[0].szSerialText[0], "FIRST1");
    bench.frame.COM_RequestSerialNumberWrite(0, 1000);
    bench.Run(500);
    std::strcpy(bench.frame.m_aSensorRecord[0].szSerialText[0], "LAST22");
    bench.frame.COM_RequestSerialNumberWrite(0, 1000);
    bench.Run(900);
    EXPECT_EQ(bench.Count('W'), writes);
    bench.Run(300);
    ASSERT_TRUE(bench.RunUntil([&] { return bench.AtRest(); }));
    EXPECT_EQ(bench.Count('W'), writes + 1);
    EXPECT_EQ(bench.SensorBlock<RotorOperationBlock>(kBlockRotorOperation).serialText[0], "LAST22");

    // A busy dialogue: the write waits for it, and a sensor index outside the records is no mark.
    bench.frame.COM_RequestSerialNumberWrite(4, 10);
    std::strcpy(bench.frame.m_aSensorRecord[0].szSerialText[1], "BUSY33");
    bench.frame.m_bRequestOutstanding = TRUE;
    bench.frame.COM_RequestSerialNumberWrite(0, 10);
    bench.Run(500);
    EXPECT_EQ(bench.Count('W'), writes + 1);
    EXPECT_TRUE(bench.frame.COM_IsSerialNumberWriteMarked(0));
    bench.frame.m_bRequestOutstanding = FALSE;
    ASSERT_TRUE(bench.RunUntil([&] { return bench.Count('W') == writes + 2 && bench.AtRest(); }));
    EXPECT_EQ(bench.SensorBlock<RotorOperationBlock>(kBlockRotorOperation).serialText[1], "BUSY33");
}

TEST(EngineWrites, SoftwareConfigKeepsUnknownBytesAndRefusesValuesOutOfRange) {
    WriteBench bench;
    // A byte this program does not know in the sensor's software configuration.
    BlockImage config = bench.port.Sensor().Block(kBlockSoftwareConfig);
    config.bytes[10] = 0x5A;
    config.SetCheckBytes();
    bench.port.Sensor().SetBlock(kBlockSoftwareConfig, config);
    ASSERT_TRUE(bench.ScanAndOpen());

    SensorRecord& record = bench.frame.m_aSensorRecord[0];
    record.ucConfigPresent = 1;
    record.ucRateIndex = 9;
    record.ucDecimals[0] = 3;
    std::strcpy(record.szScalingName[1], "kp");
    ASSERT_TRUE(bench.frame.COM_ZMCOMConfgSetSoftwareConfigBlock(0, 37));
    bench.Run(50);
    EXPECT_TRUE(bench.AtRest());
    const BlockImage& stored = bench.port.Sensor().Block(kBlockSoftwareConfig);
    EXPECT_TRUE(stored.IsValidFor(3));
    EXPECT_EQ(stored.bytes[10], 0x5A);
    const auto written = bench.SensorBlock<SoftwareConfigBlock>(kBlockSoftwareConfig);
    EXPECT_EQ(written.rateIndex, 9);
    EXPECT_EQ(written.channel[0].decimals, 3);
    EXPECT_EQ(written.channel[1].scalingName, "kp");
    const auto& notes = bench.frame.notes;
    EXPECT_EQ(std::count(notes.begin(), notes.end(), "TakeOverSoftwareScaling(0)"), 2);

    // A rate index beyond the table is refused; so is a block that was never read.
    const int writes = bench.Count('W');
    record.ucRateIndex = 16;
    EXPECT_FALSE(bench.frame.COM_ZMCOMConfgSetSoftwareConfigBlock(0, 37));
    record.ucRateIndex = 9;
    record.ucBlockReadMask &= static_cast<BYTE>(~(1u << kBlockSoftwareConfig));
    EXPECT_FALSE(bench.frame.COM_ZMCOMConfgSetSoftwareConfigBlock(0, 37));
    bench.Run(50);
    EXPECT_EQ(bench.Count('W'), writes);
    EXPECT_TRUE(bench.AtRest());
}

TEST(EngineWrites, ASoftwareConfigWriteWaitsForTheMeasurementOnceAndDoesNotRepeat) {
    WriteBench bench;
    ASSERT_TRUE(bench.ScanAndOpen());
    bench.frame.m_iMeasureRateIndex = 3;
    ASSERT_TRUE(bench.frame.COM_ZMCOMStartMeasure());
    bench.Run(20);
    bench.frame.m_aSensorRecord[0].ucDecimals[1] = 2;
    ASSERT_TRUE(bench.frame.COM_ZMCOMConfgSetSoftwareConfigBlock(0, 37));
    bench.Run(2000);
    EXPECT_EQ(bench.Count('W'), 0);  // a measuring sensor would refuse it
    ASSERT_TRUE(bench.frame.COM_ZMCOMStopMeasure());
    bench.Run(5000);
    EXPECT_EQ(bench.Count('W'), 1);
    EXPECT_EQ(bench.timers.count(COM_TIMER_SW_CONFIG_REPEAT), 0u);
    EXPECT_EQ(bench.SensorBlock<SoftwareConfigBlock>(kBlockSoftwareConfig).channel[1].decimals, 2);
}

TEST(EngineWrites, ARefusedWriteLeavesTheRecordAsTheSensorHasIt) {
    WriteBench bench;
    ASSERT_TRUE(bench.ScanAndOpen());
    const BlockImage before = bench.frame.m_aSensorRecord[0].aBlock[kBlockRotorOperation];
    // The sensor starts streaming on its own: it refuses every block write with NAK 5.
    bench.port.Sensor().StartStreaming(15, kModeCalibrated, bench.Now());
    std::strcpy(bench.frame.m_aSensorRecord[0].szSerialText[0], "NEW1");
    ASSERT_TRUE(bench.frame.COM_ZMCOMConfgSetSerialNumberRotorOperation(0, -1));
    bench.Run(50);
    EXPECT_TRUE(bench.AtRest());
    EXPECT_EQ(bench.frame.m_aSensorRecord[0].aBlock[kBlockRotorOperation], before);
    EXPECT_EQ(std::string(bench.frame.m_aSensorRecord[0].szSerialText[0]), "A00001");
    EXPECT_EQ(bench.frame.m_iOpenEntry, 0);  // refused, not lost
}
