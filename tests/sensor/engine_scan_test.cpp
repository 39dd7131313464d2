// The search for sensors over ports with a sensor at either rate, a silent port, a port that
// sends garbage and a busy port, and a sensor whose identification is damaged on the way;
// opening the sensor found.
#include <gtest/gtest.h>

#include "protocol/Protocol.h"
#include "tests/sensor/EngineHarness.h"

using namespace enginetest;
using namespace tarvik;

namespace {

struct ScanBench : Harness {
    ScanBench() {
        AddSensor("COM1 Tarvik USB sensor interface port", SensorConfig(1111, 115200));
        AddSensor("COM2 Tarvik USB sensor interface port", SensorConfig(2222, 230400));
        AddPort("COM3 Communications Port", PortKind::Silent);
        AddPort("COM4 USB Serial Port", PortKind::Garbage);
        AddPort("COM5 Bluetooth link", PortKind::Busy);
    }
    const SensorEntry& Entry(const char* name) {
        for (int i = 0; i < frame.m_iEntryCount; ++i) {
            if (frame.m_aEntries[i].strPortName == name) {
                return frame.m_aEntries[i];
            }
        }
        static SensorEntry none;
        ADD_FAILURE() << "no entry " << name;
        return none;
    }
};

}  // namespace

TEST(EngineScan, FindsBothRatesAndTellsTheOtherPortsApart) {
    ScanBench bench;
    bench.frame.m_strLastUsedComPort = "COM2";
    ASSERT_TRUE(bench.ScanAndOpen());

    EXPECT_EQ(bench.frame.m_iEntryCount, 5);
    EXPECT_EQ(bench.frame.m_aEntries[5].iStateId, -1);
    EXPECT_EQ(bench.Entry("COM1").iState, PORT_STATE_FOUND);
    EXPECT_EQ(bench.Entry("COM1").iBaudrate, 115200);
    EXPECT_EQ(bench.Entry("COM1").record.dwSerialNumber, 1111u);
    EXPECT_EQ(bench.Entry("COM2").iState, PORT_STATE_OPEN);
    EXPECT_EQ(bench.Entry("COM2").iBaudrate, 230400);
    EXPECT_EQ(bench.Entry("COM2").record.dwSerialNumber, 2222u);
    EXPECT_EQ(bench.Entry("COM3").iState, PORT_STATE_NO_ANSWER);
    EXPECT_EQ(bench.Entry("COM4").iState, PORT_STATE_NO_ANSWER);
    EXPECT_EQ(bench.Entry("COM5").iState, PORT_STATE_OPEN_FAILED);
    EXPECT_EQ(bench.Entry("COM3").iStateTextId, IDS_PORT_NOT_AVAILABLE);
    EXPECT_EQ(bench.Entry("COM2").strDisplayText, "Tarvik USB   [COM2]");
    // Garbage is never taken for a sensor left streaming.
    EXPECT_FALSE(bench.frame.streamingSensorMessage);

    // The last used port is the one opened; its eight blocks are in the sensor's record.
    EXPECT_EQ(bench.frame.m_strCurrentPortName, "COM2");
    const SensorRecord& record = bench.frame.m_aSensorRecord[0];
    EXPECT_EQ(record.ucBlockReadMask, 0xFF);
    EXPECT_EQ(record.dwSerialNumber, 2222u);
    EXPECT_EQ(record.ucBaudCode, kBaudCode230400);
    EXPECT_EQ(record.ucUsedCalib, kCalibFactory);
    EXPECT_EQ(std::string(record.szSerialText[0]), "A00001");
    EXPECT_EQ(bench.frame.m_iNumberOfSensors, 1);
    EXPECT_TRUE(bench.frame.m_bSensorAnswered);
    EXPECT_FALSE(bench.frame.m_bRequestOutstanding);
    for (int block = 0; block < kBlockCount; ++block) {
        EXPECT_EQ(bench.frame.TarSend_GetBlockRecord(block).strLastRead.GetLength(), kBlockSize);
    }
    // The frame set up the channels and heard of the scan's end.
    const auto& notes = bench.frame.notes;
    EXPECT_NE(std::find(notes.begin(), notes.end(), "SetupChannelsOfSensor(0,1)"), notes.end());
    EXPECT_NE(std::find(notes.begin(), notes.end(), "RestoreWindowAndBarState"), notes.end());
    EXPECT_EQ(notes.front(), "SetStopMeasureDuringScan(0)");
}

TEST(EngineScan, ProgressCallbacksComeInOrder) {
    ScanBench bench;
    ASSERT_TRUE(bench.ScanAndOpen());
    std::vector<std::string> progress;
    for (const std::string& call : bench.pages.calls) {
        if (call.rfind("ShowProgressBar", 0) == 0 || call.rfind("SetPortProgress", 0) == 0 ||
            call == "PresetProgressStep" || call == "StopProgress" || call == "HideStartUpWindow" ||
            call == "ShowScanFinished") {
            progress.push_back(call);
        }
    }
    const std::vector<std::string> expected = {
        "ShowProgressBar(5)", "SetPortProgress(4)", "SetPortProgress(3)", "SetPortProgress(2)",
        "SetPortProgress(1)", "PresetProgressStep", "SetPortProgress(0)", "PresetProgressStep",
        "StopProgress",       "HideStartUpWindow"};
    EXPECT_EQ(progress, expected);
    // One sub-step per block read, for both sensors.
    EXPECT_EQ(bench.pages.Count("AdvanceProgress(0)"), 2 * kBlockCount);
    EXPECT_EQ(bench.pages.calls.front(), "SetProgressActive(1)");
    EXPECT_EQ(bench.pages.calls[1], "RebuildPortList(1)");
    EXPECT_EQ(bench.pages.Count("OnSensorConnected"), 1);
}

TEST(EngineScan, EveryCandidateRateIsProbedAndTheStoredRateFirst) {
    Harness bench;
    SimPort& port =
        bench.AddSensor("COM7 Tarvik USB sensor interface port", SensorConfig(7777, 230400));
    bench.frame.m_aEntries[0].iStoredBaudrate = 230400;
    ASSERT_TRUE(bench.ScanAndOpen());
    // The stored rate came first: the identification went out only once during the scan.
    EXPECT_EQ(port.requests.front().at(4), '@');
    EXPECT_EQ(std::count_if(port.requests.begin(), port.requests.end(),
                            [](const std::string& r) { return r.at(4) == '@'; }),
              2);  // the scan and the opening
    EXPECT_EQ(bench.frame.m_aEntries[0].iBaudrate, 230400);
}

TEST(EngineScan, AnIdentificationDamagedOnTheWayIsAskedAgainAtTheSameRate) {
    Harness bench;
    SimPort& port =
        bench.AddSensor("COM1 Tarvik USB sensor interface port", SensorConfig(1111, 230400));
    // The sensor's first answer, its identification, arrives with a wrong check byte.
    port.damageEvery = 1000;
    port.sent = 999;
    ASSERT_TRUE(bench.ScanAndOpen());
    EXPECT_EQ(bench.frame.m_aEntries[0].iState, PORT_STATE_OPEN);
    EXPECT_EQ(bench.frame.m_aEntries[0].iBaudrate, 230400);
}

TEST(EngineScan, NoSensorEndsWithTheFinishedNoticeAndRest) {
    Harness bench;
    bench.AddPort("COM3 Communications Port", PortKind::Silent);
    bench.frame.COM_CreateMainPortManager(nullptr);
    bench.frame.COM_BuildPortTable(4);
    bench.Run(3000);
    EXPECT_EQ(bench.pages.Count("ShowScanFinished"), 1);
    EXPECT_EQ(bench.pages.Count("SetEnablingOfAllPorts(1)"), 1);
    EXPECT_EQ(bench.frame.m_aEntries[0].iState, PORT_STATE_NO_ANSWER);
    EXPECT_TRUE(bench.frame.readyTimerRan);
    EXPECT_EQ(bench.frame.COM_GetZMCOMConfgFlow(), ZM_STOP_MEASURE);
    EXPECT_FALSE(bench.frame.m_bRequestOutstanding);
    EXPECT_EQ(bench.frame.m_iOpenEntry, -1);
    EXPECT_FALSE(bench.frame.m_bFirstSearchAhead);
}

TEST(EngineScan, ASensorLeftStreamingIsAnnounced) {
    Harness bench;
    SimPort& port = bench.AddSensor("COM1 Tarvik USB sensor interface port", SensorConfig(1));
    port.Sensor().StartStreaming(3, kModeCalibrated, bench.Now());
    bench.frame.COM_CreateMainPortManager(nullptr);
    bench.frame.COM_BuildPortTable(0);
    bench.RunUntil([&] { return bench.frame.streamingSensorMessage; }, 3000);
    EXPECT_TRUE(bench.frame.streamingSensorMessage);
}
