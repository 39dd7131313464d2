// Requests outside a measurement: the single shot (one value set, one redisplay) and the
// diagnostic page's raw requests, each ending at rest within its bound, also when the sensor is
// silent or unplugged on the way.
#include <gtest/gtest.h>

#include "protocol/FrameCutter.h"
#include "protocol/Messages.h"
#include "protocol/Protocol.h"
#include "tests/sensor/EngineHarness.h"

using namespace enginetest;
using namespace tarvik;

namespace {

struct DiagnosticBench : Harness {
    SimPort& port;
    DiagnosticBench()
        : port(AddSensor("COM1 Tarvik USB sensor interface port", SensorConfig(42))) {}

    int Redisplays() const {
        return static_cast<int>(std::count(frame.reasons.begin(), frame.reasons.end(), 1));
    }
    bool AtRest() const {
        return frame.COM_GetZMCOMConfgFlow() == ZM_STOP_MEASURE && !frame.m_bRequestOutstanding;
    }
    Frame Cut(const std::string& bytes) {
        CString buffer(bytes.data(), static_cast<int>(bytes.size()));
        FrameCutter cutter;
        Frame cut;
        EXPECT_TRUE(cutter.CutFrame(buffer, cut));
        return cut;
    }
};

}  // namespace

TEST(EngineSingleShot, OneValueSetOneRedisplayAndRestNotWhileMeasuring) {
    DiagnosticBench bench;
    ASSERT_TRUE(bench.ScanAndOpen());
    bench.frame.reasons.clear();
    ASSERT_TRUE(bench.frame.COM_ZMCOMSingleShot());
    EXPECT_FALSE(bench.frame.COM_ZMCOMSingleShot());  // one at a time
    bench.Run(500);
    EXPECT_EQ(bench.Redisplays(), 1);
    EXPECT_EQ(bench.frame.m_alRaw[0], 500000);
    EXPECT_EQ(bench.frame.m_alRaw[1], -100000);
    EXPECT_TRUE(bench.AtRest());
    EXPECT_EQ(bench.frame.m_pfnReplyAnalyser, nullptr);
    EXPECT_EQ(bench.port.requests.back()[4], static_cast<char>(kRequestValues));

    bench.frame.m_iMeasureRateIndex = 3;
    ASSERT_TRUE(bench.frame.COM_ZMCOMStartMeasure());
    bench.Run(50);
    EXPECT_FALSE(bench.frame.COM_ZMCOMSingleShot());
    EXPECT_FALSE(bench.frame.COM_SendDiagnosticRequest(CComPort::COM_DIAG_LINK_TEST));
    ASSERT_TRUE(bench.frame.COM_ZMCOMStopMeasure());
    bench.Run(100);
    EXPECT_EQ(bench.Redisplays(), 1);
}

TEST(EngineSingleShot, ASilentSensorIsLostAfterTheBoundedWait) {
    DiagnosticBench bench;
    ASSERT_TRUE(bench.ScanAndOpen());
    bench.port.kind = PortKind::Silent;
    ASSERT_TRUE(bench.frame.COM_ZMCOMSingleShot());
    bench.Run(1000);  // three waits of 300 ms
    EXPECT_TRUE(bench.AtRest());
    EXPECT_EQ(bench.frame.m_iOpenEntry, -1);
    EXPECT_EQ(bench.pages.Count("OnSensorDisconnected"), 1);
    EXPECT_EQ(bench.Redisplays(), 0);
    EXPECT_EQ(bench.frame.m_pfnReplyAnalyser, nullptr);
}

TEST(EngineDiagnostic, StatusLongLinkTestAndRepeatComeBackAsTheirFrames) {
    DiagnosticBench bench;
    ASSERT_TRUE(bench.ScanAndOpen());
    EXPECT_FALSE(bench.frame.COM_SendDiagnosticRequest(4));
    EXPECT_FALSE(bench.frame.COM_SendDiagnosticRequest(-1));

    ASSERT_TRUE(bench.frame.COM_SendDiagnosticRequest(CComPort::COM_DIAG_STATUS_LONG));
    EXPECT_FALSE(bench.frame.COM_SendDiagnosticRequest(CComPort::COM_DIAG_LINK_TEST));
    bench.Run(100);
    ASSERT_EQ(bench.pages.diagnostics.size(), 1u);
    EXPECT_TRUE(bench.AtRest());
    const auto status = bench.pages.diagnostics[0];
    EXPECT_EQ(status.kind, 0);
    EXPECT_TRUE(status.answered);
    EXPECT_EQ(bench.frame.m_strDiagnosticRequest[4], 'B');
    StatusLongReply reply;
    ASSERT_TRUE(ParseMessage(bench.Cut(status.frame), reply));
    EXPECT_EQ(reply.serialNumber, 42u);
    EXPECT_EQ(reply.baudCode, kBaudCode115200);
    EXPECT_EQ(reply.sensorIndex, kNoSensorIndex);
    EXPECT_EQ(reply.streaming, 0);
    EXPECT_EQ(reply.role, kRoleStandalone);
    EXPECT_EQ(reply.statorId, bench.frame.m_aSensorRecord[0].ucStatorId);

    // The repeat brings the last reply again, byte for byte.
    ASSERT_TRUE(bench.frame.COM_SendDiagnosticRequest(CComPort::COM_DIAG_REPEAT));
    bench.Run(100);
    ASSERT_EQ(bench.pages.diagnostics.size(), 2u);
    EXPECT_EQ(bench.pages.diagnostics[1].frame, status.frame);

    ASSERT_TRUE(bench.frame.COM_SendDiagnosticRequest(CComPort::COM_DIAG_LINK_TEST));
    bench.Run(100);
    ASSERT_EQ(bench.pages.diagnostics.size(), 3u);
    EXPECT_EQ(bench.Cut(bench.pages.diagnostics[2].frame).code, kReplyAck);
    EXPECT_TRUE(bench.AtRest());
    EXPECT_GE(bench.frame.m_iOpenEntry, 0);
}

TEST(EngineDiagnostic, ARestartEndsAtRestWithTheSensorOpenedAgain) {
    DiagnosticBench bench;
    ASSERT_TRUE(bench.ScanAndOpen());
    const int connected = bench.pages.Count("OnSensorConnected");
    ASSERT_TRUE(bench.frame.COM_SendDiagnosticRequest(CComPort::COM_DIAG_RESTART));
    bench.Run(50);
    ASSERT_EQ(bench.pages.diagnostics.size(), 1u);
    EXPECT_EQ(bench.Cut(bench.pages.diagnostics[0].frame).code, kReplyAck);
    EXPECT_FALSE(bench.frame.COM_IsZMCOMConfgFlowOutsideInit());  // state 45
    ASSERT_TRUE(bench.RunUntil(
        [&] { return bench.AtRest() && bench.pages.Count("OnSensorConnected") > connected; },
        3000));
    EXPECT_GE(bench.frame.m_iOpenEntry, 0);
    EXPECT_EQ(bench.pages.Count("OnSensorDisconnected"), 0);
}

TEST(EngineDiagnostic, SilenceGivesNoAnswerWithinTheBoundAndAnUnplugEndsCleanly) {
    DiagnosticBench bench;
    ASSERT_TRUE(bench.ScanAndOpen());
    bench.port.kind = PortKind::Silent;
    ASSERT_TRUE(bench.frame.COM_SendDiagnosticRequest(CComPort::COM_DIAG_LINK_TEST));
    bench.Run(1000);
    ASSERT_EQ(bench.pages.diagnostics.size(), 1u);
    EXPECT_FALSE(bench.pages.diagnostics[0].answered);
    EXPECT_TRUE(bench.pages.diagnostics[0].frame.empty());
    EXPECT_TRUE(bench.AtRest());
    EXPECT_GE(bench.frame.m_iOpenEntry, 0);  // kept open: the page is there to find out why

    // Unplugged while the request waits: the re-send finds the port gone.
    bench.port.kind = PortKind::Sensor;
    ASSERT_TRUE(bench.frame.COM_SendDiagnosticRequest(CComPort::COM_DIAG_STATUS_LONG));
    bench.Vanish(bench.port);
    bench.Run(400);
    ASSERT_EQ(bench.pages.diagnostics.size(), 2u);
    EXPECT_FALSE(bench.pages.diagnostics[1].answered);
    EXPECT_TRUE(bench.AtRest());
    EXPECT_EQ(bench.frame.m_iOpenEntry, -1);
    EXPECT_EQ(bench.pages.Count("OnSensorDisconnected"), 1);
    EXPECT_EQ(bench.timers.count(COM_TIMER_REPLY_TIMEOUT), 0u);
    EXPECT_FALSE(bench.frame.COM_SendDiagnosticRequest(CComPort::COM_DIAG_LINK_TEST));
}
