// The small parts of the dialogue: port texts, the running-counter check, the last-text record
// and the configuration sequence at close.
#include <gtest/gtest.h>

#include <cstring>
#include <utility>

#include "foundation/CTraceString.h"
#include "protocol/BlockLayouts.h"
#include "sensor/CSensorConfigSequence.h"
#include "sensor/PortDisplayName.h"
#include "sensor/ValueCounterCheck.h"
#include "tests/sensor/EngineHarness.h"

using namespace enginetest;
using namespace tarvik;

namespace {

// What holds the dialogue as const (the pages do) reaches its port managers and its close
// sequence only as const objects: closing or writing a port, or starting the sequence, does not
// compile; the same calls compile on the objects themselves.
template <typename Port>
concept ClosesOrWrites = requires(Port port) {
    port->ClosePort(false);
    port->Write("");
};
template <typename Sequence>
concept Starts = requires(Sequence sequence) {
    sequence->Start();
};
template <typename Dialogue>
concept ReachesPortManager = requires(Dialogue& dialogue) {
    dialogue.m_pPortMan;
};
template <typename Dialogue>
concept ReachesCloseSequence = requires(Dialogue& dialogue) {
    dialogue.m_pConfigSequence;
};

static_assert(ClosesOrWrites<ISensorPort*> && Starts<CSensorConfigSequence*>);
static_assert(!ClosesOrWrites<decltype(std::declval<const CComPort&>().COM_MainPort())>);
static_assert(!ClosesOrWrites<decltype(std::declval<const CComPort&>().COM_DevicePort(0))>);
static_assert(!ClosesOrWrites<decltype(std::declval<const CComPort&>().COM_CurrentPort())>);
static_assert(!Starts<decltype(std::declval<const CComPort&>().COM_ConfigSequence())>);
static_assert(!ReachesPortManager<const CComPort> && !ReachesCloseSequence<const CComPort>);

}  // namespace

TEST(EngineParts, PortDisplayNamesAndBack) {
    EXPECT_EQ(MakePortDisplayName("COM3 Tarvik USB sensor interface port"), "Tarvik USB   [COM3]");
    EXPECT_EQ(MakePortDisplayName("COM12 Lantronix CPR Port"), "Lantronix CPR Port   [COM12]");
    EXPECT_EQ(MakePortDisplayName("COM4"), "[COM4]");
    EXPECT_EQ(ParsePortDisplayName("Tarvik USB   [COM3]"), "COM3");
    EXPECT_EQ(ParsePortDisplayName("A [b] [COM12]"), "COM12");
    EXPECT_EQ(ParsePortDisplayName("COM5 USB Serial Port"), "COM5");
    EXPECT_EQ(ParsePortDisplayName("broken [COM7"), "COM7");
    for (const char* text : {"COM1 USB Serial Port", "COM200 Tarvik USB sensor interface port"}) {
        const CString display = MakePortDisplayName(text);
        EXPECT_EQ(ParsePortDisplayName(display), CString(text).Left(CString(text).Find(' ')));
    }
}

TEST(EngineParts, CounterCheckCountsGapsAcrossTheWrap) {
    CValueCounterCheck check;
    EXPECT_EQ(check.Check(250), 0);
    EXPECT_EQ(check.Check(251), 0);
    EXPECT_EQ(check.Check(2), 6);  // 252..255, 0, 1 lost
    EXPECT_EQ(check.Check(3), 0);
    EXPECT_EQ(check.Lost(), 6u);
    check.Restart();
    EXPECT_EQ(check.Check(100), 0);
    EXPECT_EQ(check.Lost(), 6u);
}

TEST(EngineParts, TraceStringKeepsTheFirst1024CharactersWithoutATerminator) {
    std::memset(g_szLastTraceText, 'x', sizeof(g_szLastTraceText));
    CTraceString shortText("path");
    EXPECT_EQ(std::string(g_szLastTraceText, 5), "pathx");
    CTraceString longText(CString(std::string(2000, 'a')));
    EXPECT_EQ(longText.GetLength(), 2000);
    EXPECT_EQ(std::string(g_szLastTraceText, sizeof(g_szLastTraceText)), std::string(1024, 'a'));
}

TEST(EngineParts, CloseSequenceWritesTheConfigurationAndALowPassChangeWithItsRestart) {
    Harness bench;
    SimPort& port = bench.AddSensor("COM1 Tarvik USB sensor interface port", SensorConfig(42));
    CSensorConfigSequence sequence(&bench.frame);
    ASSERT_TRUE(bench.ScanAndOpen());
    bench.frame.m_aSensorRecord[0].ucDecimals[0] = 4;
    bench.frame.m_aSensorRecord[0].ucLowPassCode = 6;
    sequence.Start();
    bench.Run(2000);
    EXPECT_TRUE(bench.frame.m_bSequenceFinished);
    EXPECT_TRUE(bench.frame.closeAgain);
    EXPECT_EQ(bench.frame.COM_GetZMCOMConfgFlow(), ZM_CLOSE_CONFIG_DONE);
    SoftwareConfigBlock config;
    ASSERT_TRUE(config.Decode(port.Sensor().Block(kBlockSoftwareConfig)));
    EXPECT_EQ(config.channel[0].decimals, 4);
    StatorOperationBlock operation;
    ASSERT_TRUE(operation.Decode(port.Sensor().Block(kBlockStatorOperation)));
    EXPECT_EQ(operation.lowPassCode, 6);
    EXPECT_EQ(std::count_if(port.requests.begin(), port.requests.end(),
                            [](const std::string& r) { return r.at(4) == 'R'; }),
              1);
    const auto& notes = bench.frame.notes;
    EXPECT_NE(std::find(notes.begin(), notes.end(), "StoreChannelSettingsInSoftwareConfig(0)"),
              notes.end());
}

TEST(EngineParts, CloseSequenceWithoutSensorEndsAtOnce) {
    Harness bench;
    EXPECT_FALSE(bench.frame.COM_StartCloseSequence());  // the program has none
    CSensorConfigSequence sequence(&bench.frame);
    EXPECT_EQ(bench.frame.COM_ConfigSequence(), &sequence);
    EXPECT_TRUE(bench.frame.COM_StartCloseSequence());
    EXPECT_TRUE(bench.frame.m_bSequenceFinished);
    EXPECT_EQ(bench.timers.count(COM_TIMER_CLOSE_AGAIN), 1u);
    // The close that comes back finds the flow done, whatever state came between.
    bench.frame.COM_SetZMCOMConfgFlow(ZM_STOP_MEASURE);
    bench.frame.COM_EndConfigFlowOnClose();
    EXPECT_EQ(bench.frame.COM_GetZMCOMConfgFlow(), ZM_CLOSE_CONFIG_DONE);
}

// A speed or angle sensor (unit letter Y) keeps one unit in its configuration: the angle's with
// the angle flag, the torque's without; other sensors take both.
TEST(EngineParts, ChannelSettingsKeepTheOneUnitOfAYSensor) {
    Harness bench;
    SoftwareChannelSettings settings;
    settings.unitIndex[0] = 5;
    settings.unitIndex[1] = 7;
    settings.decimals[1] = 2;
    settings.frameSetting = 12;
    bench.frame.m_iMeasureRateIndex = 3;
    struct Case {
        BYTE letter, angle, unitA, unitB;
    };
    for (const Case c : {Case{'N', 0, 5, 7}, Case{'Y', 0, 5, 9}, Case{'Y', 1, 9, 7}}) {
        SensorRecord& record = bench.frame.m_aSensorRecord[1];
        record.ucUnitLetter[0] = c.letter;
        record.ucAngleFlag = c.angle;
        record.ucUnitIndex[0] = record.ucUnitIndex[1] = 9;
        record.ucConfigWritten = 0;
        bench.frame.COM_TakeChannelSettings(1, settings);
        EXPECT_EQ(record.ucUnitIndex[0], c.unitA) << c.letter << int{c.angle};
        EXPECT_EQ(record.ucUnitIndex[1], c.unitB) << c.letter << int{c.angle};
        EXPECT_EQ(record.ucDecimals[1], 2);
        EXPECT_EQ(record.dwFrameSetting, 12u);
        EXPECT_EQ(record.ucRateIndex, 3);
        EXPECT_EQ(record.ucConfigWritten, 1);
        EXPECT_FALSE(bench.frame.COM_ClearUnsetSoftwareConfig(1));  // it holds one now
    }
}
