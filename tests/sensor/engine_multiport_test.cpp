// Multi-port devices: grouping by serial number, opening the ports one by one, master and
// slaves, and value sets joined by the running counter.
#include <gtest/gtest.h>

#include "protocol/Protocol.h"
#include "sensor/CMasterSlaveDetector.h"
#include "sensor/MultiportAligner.h"
#include "tests/sensor/EngineHarness.h"

using namespace enginetest;
using namespace tarvik;

namespace {

struct MultiportBench : Harness {
    std::vector<SimPort*> device;
    MultiportBench() {
        sensorsim::SimDevice& zid3 = AddDevice(FourPortDeviceConfigs());
        AddSensor("COM2 Tarvik USB sensor interface port", SensorConfig(555));
        // The ports in an order other than the sensors' indexes.
        const int order[4] = {2, 0, 3, 1};
        for (int n = 0; n < 4; ++n) {
            const int index = order[n];
            device.push_back(&AddPort("COM1" + std::to_string(n) + " USB Serial Port",
                                      PortKind::Sensor, &zid3, index));
        }
    }
    bool Activated() {
        frame.COM_CreateMainPortManager(nullptr);
        frame.COM_BuildPortTable(0);
        return RunUntil([this] {
            return frame.activationDone >= 0 && frame.COM_GetZMCOMConfgFlow() == ZM_STOP_MEASURE;
        });
    }
};

SensorEntry Candidate(const char* text, DWORD serial, int index, int state = PORT_STATE_FOUND,
                      int module = 1) {
    SensorEntry e;
    e.strPortText = text;
    e.strPortName = CString(text).Left(CString(text).Find(' '));
    e.iState = state;
    e.iStateId = 0;
    e.record.dwSerialNumber = serial;
    e.record.ucSensorIndex = static_cast<BYTE>(index);
    e.record.ucMultiportModule = static_cast<BYTE>(module);
    return e;
}

}  // namespace

TEST(EngineMultiport, DetectorGroupsMultiportModulesBySerialNumber) {
    CMasterSlaveDetector detector;
    EXPECT_TRUE(detector.AddCandidate(Candidate("COM7 USB Serial Port", 900, 1), 4));
    EXPECT_TRUE(
        detector.AddCandidate(Candidate("COM3 USB Serial Port", 900, 0, PORT_STATE_OPEN), 1));
    EXPECT_TRUE(detector.AddCandidate(Candidate("COM9 USB Serial Port", 901, 0), 6));
    EXPECT_FALSE(
        detector.AddCandidate(Candidate("COM5 USB Serial Port", 900, 2, PORT_STATE_NO_ANSWER), 2));
    EXPECT_FALSE(
        detector.AddCandidate(Candidate("COM6 USB Serial Port", 900, 3, PORT_STATE_FOUND, 0), 3));
    EXPECT_FALSE(detector.AddCandidate(Candidate("COM8 USB Serial Port", 0, 1), 5));
    detector.Detect();
    ASSERT_EQ(detector.GetResultCount(), 1);  // a serial number on one port is no group
    const CMultiportGroup& group = detector.GetResult(0);
    EXPECT_EQ(group.dwSerialNumber, 900u);
    EXPECT_EQ(group.comNumbers, (std::vector<CString>{"3", "7"}));
    EXPECT_EQ(group.entries, (std::vector<int>{1, 4}));
    EXPECT_EQ(group.strMasterComNumber, "3");
    EXPECT_TRUE(detector.IsPortInMultiportGroup("com7"));
    EXPECT_FALSE(detector.IsPortInMultiportGroup("COM9"));
}

TEST(EngineMultiport, AlignerJoinsByCounterAndDropsStaleSets) {
    CMultiportAligner aligner;
    aligner.Start(3);
    int32_t values[4] = {};
    EXPECT_FALSE(aligner.Add(0, 255, 10, values));
    EXPECT_FALSE(aligner.Add(2, 255, 30, values));
    EXPECT_FALSE(aligner.Add(0, 0, 11, values));  // the counter wraps
    EXPECT_TRUE(aligner.Add(1, 255, 20, values));
    EXPECT_EQ(values[0], 10);
    EXPECT_EQ(values[1], 20);
    EXPECT_EQ(values[2], 30);
    // Counter 0 never completes: port 2 went past it.
    for (uint8_t c = 1; c <= 9; ++c) {
        for (int port = 0; port < 3; ++port) {
            aligner.Add(port, c, c, values);
        }
    }
    EXPECT_EQ(aligner.Lost(), 1u);
    EXPECT_EQ(aligner.Completed(), 10u);
    EXPECT_FALSE(aligner.Add(5, 10, 0, values));

    // Ports read one after another, each with more sets at once than the counter has values:
    // every set completes.
    aligner.Start(2);
    for (int port = 0; port < 2; ++port) {
        for (int c = 100; c < 400; ++c) {
            aligner.Add(port, static_cast<uint8_t>(c), c, values);
        }
    }
    EXPECT_EQ(aligner.Lost(), 0u);
    EXPECT_EQ(aligner.Completed(), 300u);
    EXPECT_EQ(values[1], 399);
}

TEST(EngineMultiport, FourPortsAreOpenedOneByOnePreparedAndMeasuredInStep) {
    MultiportBench bench;
    bench.frame.m_iSelectedEntry = 2;  // a port of the device, chosen on the connection page
    ASSERT_TRUE(bench.Activated());
    EXPECT_EQ(bench.frame.activationDone, 4);
    EXPECT_EQ(bench.frame.m_iNumberOfSensors, 4);
    EXPECT_EQ(bench.frame.m_iActivatedCountCopy, 4);
    EXPECT_TRUE(bench.frame.messages.empty());
    // The single sensor on COM2 stays available; the device's ports are open.
    int open = 0;
    for (int i = 0; i < bench.frame.m_iEntryCount; ++i) {
        open += bench.frame.m_aEntries[i].iState == PORT_STATE_OPEN ? 1 : 0;
    }
    EXPECT_EQ(open, 4);
    for (int s = 0; s < 4; ++s) {
        EXPECT_EQ(bench.frame.m_aSensorRecord[s].ucSensorIndex, s);
        EXPECT_EQ(bench.frame.m_aSensorRecord[s].dwSerialNumber, 900u);
        EXPECT_EQ(bench.frame.m_aiChannelRecord[s], s);
        EXPECT_EQ(bench.frame.m_aSensorRecord[s].ucBlockReadMask, 0xFF);
    }
    EXPECT_EQ(bench.device[1]->Sensor().Role(), kRoleMaster);  // sensor index 0
    EXPECT_EQ(bench.device[0]->Sensor().Role(), kRoleSlave);
    EXPECT_EQ(bench.device[2]->Sensor().Role(), kRoleSlave);
    EXPECT_EQ(bench.device[3]->Sensor().Role(), kRoleSlave);
    EXPECT_EQ(bench.frame.TarSend_GetAddressFirst(), 1);
    EXPECT_EQ(bench.frame.TarSend_GetAddressSecond(), 255);

    bench.frame.m_iMeasureRateIndex = 3;
    ASSERT_TRUE(bench.frame.COM_ZMCOMStartMeasure());
    bench.Run(1000);
    ASSERT_EQ(bench.frame.COM_GetZMCOMConfgFlow(), ZM_MEASURE);
    EXPECT_EQ(bench.frame.m_iZMCOMConfgFlowMulti, ZM4_MEASURE);
    ASSERT_GE(bench.frame.values.size(), 95u);
    const auto& last = bench.frame.values.back();
    for (int s = 0; s < 4; ++s) {
        EXPECT_EQ(last.raw[s], 100000 * (s + 1));
    }
    EXPECT_EQ(bench.frame.m_ucMultiportAligned, 1);
    EXPECT_EQ(bench.frame.m_ullLostValueSets, 0u);

    // Frames lost on one port: the incomplete sets are dropped and counted.
    bench.device[2]->sent = 0;
    bench.device[2]->dropEvery = 4;
    const size_t before = bench.frame.values.size();
    bench.Run(1000);
    const size_t joined = bench.frame.values.size() - before;
    EXPECT_NEAR(static_cast<double>(bench.frame.m_ullLostValueSets), joined / 3.0, 3.0);

    ASSERT_TRUE(bench.frame.COM_ZMCOMStopMeasure());
    bench.Run(100);
    EXPECT_EQ(bench.frame.COM_GetZMCOMConfgFlow(), ZM_STOP_MEASURE);
    for (SimPort* port : bench.device) {
        EXPECT_FALSE(port->Sensor().IsStreaming());
    }
}

// The reading thread stood still for 150 ms while the four ports streamed every millisecond;
// then each port's sets are read at once, one port after another, so the first port runs 150
// sets ahead of the last. In a recording after an earlier one, every set is still joined and
// none is counted lost.
TEST(EngineMultiport, SetsReadAPortAtATimeAfterAStallAreAllJoined) {
    MultiportBench bench;
    bench.frame.m_iSelectedEntry = 2;
    ASSERT_TRUE(bench.Activated());
    bench.frame.m_iMeasureRateIndex = 0;  // 1 ms
    for (int recording = 0; recording < 2; ++recording) {
        ASSERT_TRUE(bench.frame.COM_ZMCOMStartMeasure());
        bench.Run(300);
        ASSERT_EQ(bench.frame.COM_GetZMCOMConfgFlow(), ZM_MEASURE);
        bench.holdDelivery = true;
        bench.Run(150);
        bench.DeliverPortByPort();
        bench.Run(100);
        ASSERT_TRUE(bench.frame.COM_ZMCOMStopMeasure());
        bench.Run(100);
        ASSERT_EQ(bench.frame.COM_GetZMCOMConfgFlow(), ZM_STOP_MEASURE);
    }
    EXPECT_EQ(bench.frame.m_ullLostValueSets, 0u);
    EXPECT_GE(bench.frame.values.size(), 2u * 540u);
}

TEST(EngineMultiport, TheOpenedDeviceIsInUseLikeASingleSensorsPort) {
    MultiportBench bench;
    bench.frame.m_strCurrentPortName = "COM2";  // the single sensor was in use before
    bench.frame.m_iSelectedEntry = 2;
    ASSERT_TRUE(bench.Activated());
    ASSERT_EQ(bench.frame.m_iNumberOfSensors, 4);
    // The port of sensor index 0 stands for the device; its group shows as activated.
    EXPECT_EQ(bench.frame.m_strCurrentPortName, "COM11");
    EXPECT_FALSE(bench.frame.COM_IsCurrentPortNotInTable());
    EXPECT_TRUE(bench.frame.m_abGroupActivation[0]);
    EXPECT_FALSE(bench.frame.m_abGroupActivation[1]);
    // The table of a search without the device no longer holds the port in use.
    for (SimPort* port : bench.device) {
        bench.Vanish(*port);
    }
    bench.frame.COM_BuildPortTable(0);
    EXPECT_TRUE(bench.frame.COM_IsCurrentPortNotInTable());
}

TEST(EngineMultiport, ASlotThatDoesNotAnswerIsLeftOutAndTheOthersWork) {
    MultiportBench bench;
    bench.frame.m_iSelectedEntry = 2;
    bench.frame.COM_CreateMainPortManager(nullptr);
    bench.frame.COM_BuildPortTable(0);
    // Let the scan find it, then silence it.
    bench.device[3]->dropEvery = 0;
    ASSERT_TRUE(
        bench.RunUntil([&] { return bench.timers.count(COM_TIMER_MULTIPORT_DETECTION) > 0; }));
    bench.device[3]->dropEvery = 1;
    ASSERT_TRUE(bench.RunUntil([&] {
        return bench.frame.activationDone >= 0 &&
               bench.frame.COM_GetZMCOMConfgFlow() == ZM_STOP_MEASURE;
    }));
    EXPECT_EQ(bench.frame.activationDone, 3);
    EXPECT_EQ(bench.frame.m_iNumberOfSensors, 3);
    EXPECT_EQ(bench.frame.m_aiChannelRecord[0], 0);
    EXPECT_EQ(bench.frame.m_aiChannelRecord[1], 2);
    EXPECT_EQ(bench.frame.m_aiChannelRecord[2], 3);
    EXPECT_FALSE(bench.frame.m_bRequestOutstanding);
}

TEST(EngineMultiport, APortUnpluggedWhileMeasuringEndsInTheLostState) {
    MultiportBench bench;
    bench.frame.m_iSelectedEntry = 2;
    ASSERT_TRUE(bench.Activated());
    bench.frame.m_iMeasureRateIndex = 3;
    ASSERT_TRUE(bench.frame.COM_ZMCOMStartMeasure());
    bench.Run(200);
    bench.Vanish(*bench.device[0]);
    bench.Run(2000);
    EXPECT_EQ(bench.frame.COM_GetZMCOMConfgFlow(), ZM_STOP_MEASURE);
    EXPECT_EQ(bench.frame.m_iZMCOMConfgFlowMulti, ZM4_NONE);
    EXPECT_FALSE(bench.frame.m_bMeasuring);
    EXPECT_FALSE(bench.frame.m_bRequestOutstanding);
    EXPECT_EQ(bench.frame.m_iOpenEntry, -1);
    EXPECT_EQ(bench.pages.Count("OnSensorDisconnected"), 1);
    for (SimPort* port : bench.device) {
        EXPECT_EQ(port->openBy, nullptr);
    }
}

TEST(EngineMultiport, ASlaveThatCannotBePreparedIsReportedAndTheActivationEnds) {
    MultiportBench bench;
    bench.frame.m_iSelectedEntry = 2;
    // Sensor index 3 understands the search (10 frames) and its opening (10), then its port
    // goes away before it is made a slave.
    bench.device[2]->vanishAfter = 20;
    ASSERT_TRUE(bench.Activated());
    EXPECT_EQ(bench.frame.messages.size(), 1u);  // not all sensors could be prepared
    EXPECT_EQ(bench.frame.activationDone, 4);
    EXPECT_FALSE(bench.frame.m_bRequestOutstanding);
    EXPECT_EQ(bench.timers.count(COM_TIMER_SLAVES_PREPARED), 0u);
}

TEST(EngineMultiport, ASingleShotAsksEverySensorOnceAndRedisplaysOnce) {
    MultiportBench bench;
    bench.frame.m_iSelectedEntry = 2;
    ASSERT_TRUE(bench.Activated());
    bench.frame.reasons.clear();
    ASSERT_TRUE(bench.frame.COM_ZMCOMSingleShot());
    bench.Run(500);
    EXPECT_EQ(std::count(bench.frame.reasons.begin(), bench.frame.reasons.end(), 1), 1);
    for (int s = 0; s < 4; ++s) {
        EXPECT_EQ(bench.frame.m_alRaw[s], 100000 * (s + 1));
    }
    for (SimPort* port : bench.device) {
        EXPECT_EQ(port->requests.back()[4], static_cast<char>(kRequestValues));
    }
    EXPECT_EQ(bench.frame.COM_GetZMCOMConfgFlow(), ZM_STOP_MEASURE);
    EXPECT_FALSE(bench.frame.m_bRequestOutstanding);
    // A restart of one port of the device is refused: its reopening knows one port only.
    EXPECT_FALSE(bench.frame.COM_SendDiagnosticRequest(CComPort::COM_DIAG_RESTART));
    EXPECT_TRUE(bench.frame.COM_SendDiagnosticRequest(CComPort::COM_DIAG_LINK_TEST));
    bench.Run(100);
    ASSERT_EQ(bench.pages.diagnostics.size(), 1u);
    EXPECT_TRUE(bench.pages.diagnostics[0].answered);
}
