// The user adjustment: raw readings with the control signal on and off, the new user
// calibration, its withdrawal with the sensor's fallback to the factory calibration, and the
// measurement uncertainty.
#include <gtest/gtest.h>

#include "protocol/BlockLayouts.h"
#include "protocol/Protocol.h"
#include "tests/sensor/EngineHarness.h"

using namespace enginetest;
using namespace tarvik;

namespace {

struct CalibBench : Harness {
    SimPort& port;
    CalibBench()
        : port(AddSensor("COM1 Tarvik USB sensor interface port",
                         SensorConfig(42, 115200, 0.0, 0.0))) {}

    void Load(double a, double b) {
        port.Sensor().SetSignal(0,
                                sensorsim::SignalShape{sensorsim::SignalShape::Kind::Constant, a});
        port.Sensor().SetSignal(1,
                                sensorsim::SignalShape{sensorsim::SignalShape::Kind::Constant, b});
    }
    bool AtRest() {
        return frame.COM_GetZMCOMConfgFlow() == ZM_STOP_MEASURE && !frame.m_bRequestOutstanding;
    }
    int Count(char code) const {
        return static_cast<int>(
            std::count_if(port.requests.begin(), port.requests.end(),
                          [code](const std::string& r) { return r.at(4) == code; }));
    }
    // Zero and control readings as the zero dialog starts them.
    void ReadZeroAndControl() {
        frame.COM_ResetCalibValues();
        ASSERT_EQ(frame.COM_ZMCOMStartReadRawCalib(CALIB_PHASE_ZERO), CALIB_PHASE_ZERO);
        ASSERT_TRUE(RunUntil([&] { return pages.Count("StartZeroWaitTimer") > 0; }, 30000));
    }
    CalibrationBlock SensorCalibration(int index) {
        CalibrationBlock block;
        EXPECT_TRUE(block.Decode(port.Sensor().Block(index)));
        return block;
    }
};

}  // namespace

TEST(EngineCalibration, ZeroAndControlReadingsTakeThreeHundredValuesEach) {
    CalibBench bench;
    ASSERT_TRUE(bench.ScanAndOpen());
    bench.ReadZeroAndControl();
    EXPECT_EQ(bench.pages.Count("AdvanceCalibProgress(0)"), 600);
    EXPECT_EQ(bench.Count('A'), 600);
    const std::vector<std::string> expected = {"SetControlSignalState(1)",
                                               "SetControlSignalState(0)"};
    std::vector<std::string> control;
    for (const std::string& call : bench.pages.calls) {
        if (call.rfind("SetControlSignalState", 0) == 0) {
            control.push_back(call);
        }
    }
    EXPECT_EQ(control, expected);
    for (int ch = 0; ch < 2; ++ch) {
        const CCalibrationValues& v = bench.frame.m_aCalib[ch];
        EXPECT_TRUE(v.ucZeroTaken && v.ucControlTaken && !v.ucScaleTaken);
        EXPECT_EQ(v.slZeroReading, 32768);
        EXPECT_EQ(v.slControlReading, 32768 + kCountsControlSignal);
        EXPECT_EQ(v.slSignedControlReading, kCountsControlSignal);
        EXPECT_DOUBLE_EQ(v.dScaleValue, CALIB_NOT_READ);
    }
    EXPECT_FALSE(bench.port.Sensor().ControlOn());
    EXPECT_TRUE(bench.AtRest());
}

TEST(EngineCalibration, WithoutBuiltInControlTheControlSignalStaysOff) {
    CalibBench bench;
    ASSERT_TRUE(bench.ScanAndOpen());
    bench.frame.m_aCalib[0].ucNoBuiltInControl = 1;
    bench.frame.m_aCalib[1].ucNoBuiltInControl = 1;
    bench.ReadZeroAndControl();
    EXPECT_EQ(bench.Count('K'), 0);
    EXPECT_EQ(bench.Count('A'), 300);
    EXPECT_FALSE(bench.frame.m_aCalib[0].ucControlTaken);
}

TEST(EngineCalibration, UserCalibrationIsWrittenAndTakesEffectAfterTheRestart) {
    CalibBench bench;
    ASSERT_TRUE(bench.ScanAndOpen());
    ASSERT_EQ(bench.frame.m_aSensorRecord[0].ucUsedCalib, kCalibFactory);
    bench.ReadZeroAndControl();
    bench.Load(25000.0, 25000.0);  // half the range on both channels
    ASSERT_EQ(bench.frame.COM_ZMCOMStartReadRawCalib(CALIB_PHASE_SCALE), CALIB_PHASE_SCALE);
    ASSERT_TRUE(bench.RunUntil(
        [&] {
            return bench.Count('R') == 1 && bench.AtRest() &&
                   bench.frame.m_aSensorRecord[0].ucUsedCalib == kCalibUser;
        },
        30000));
    EXPECT_EQ(bench.pages.Count("ShowNotLoadedIndicator"), 0);
    EXPECT_EQ(bench.pages.Count("AdvanceCalibProgress(1)"), 1);
    EXPECT_EQ(bench.pages.Count("CalcualteCalibValues(1,0)"), 1);

    const CalibrationBlock user = bench.SensorCalibration(kBlockUserCalib);
    EXPECT_TRUE(bench.port.Sensor().Block(kBlockUserCalib).IsValidFor(130));
    EXPECT_EQ(user.channel[0].gain, kCountsOne);
    EXPECT_EQ(user.channel[0].control, 20480);
    EXPECT_EQ(user.channel[0].offset, 0);
    EXPECT_EQ(user.channel[0].digits, 1000000000);
    EXPECT_EQ(user.year, 2024);
    EXPECT_EQ(bench.port.Sensor().CalibrationState(), kCalibUser);

    // With the new calibration the calibrated value is the load again.
    bench.frame.m_iMeasureRateIndex = 13;
    ASSERT_TRUE(bench.frame.COM_ZMCOMStartMeasure());
    bench.Run(10);
    ASSERT_FALSE(bench.frame.values.empty());
    EXPECT_EQ(bench.frame.values.back().raw[0], 500000);
}

TEST(EngineCalibration, AnUnloadedScaleReadingIsReportedAndNothingIsWritten) {
    CalibBench bench;
    ASSERT_TRUE(bench.ScanAndOpen());
    bench.ReadZeroAndControl();
    ASSERT_EQ(bench.frame.COM_ZMCOMStartReadRawCalib(CALIB_PHASE_SCALE), CALIB_PHASE_SCALE);
    ASSERT_TRUE(bench.RunUntil(
        [&] { return bench.frame.m_aCalib[0].ucScaleTaken && bench.AtRest(); }, 30000));
    EXPECT_EQ(bench.pages.Count("ShowNotLoadedIndicator"), 1);
    EXPECT_EQ(bench.Count('W'), 0);
    ASSERT_EQ(bench.frame.messages.size(), 1u);
    EXPECT_EQ(bench.pages.Count("CalcualteCalibValues(1,0)"), 0);
}

TEST(EngineCalibration, DeactivationInvalidatesTheBlockAndTheSensorFallsBackToFactory) {
    CalibBench bench;
    bench.devices.clear();
    bench.ports.clear();
    sensorsim::SimSensorConfig config = SensorConfig(42);
    config.calibration = sensorsim::SimCalibration::User;
    SimPort& port = bench.AddSensor("COM1 Tarvik USB sensor interface port", config);
    ASSERT_TRUE(bench.ScanAndOpen());
    ASSERT_EQ(bench.frame.m_aSensorRecord[0].ucUsedCalib, kCalibUser);
    const BlockImage before = port.Sensor().Block(kBlockUserCalib);

    ASSERT_TRUE(bench.frame.COM_ZMCOMConfgDeactivateUserCalib(TRUE));
    ASSERT_TRUE(bench.RunUntil([&] {
        return bench.frame.m_aSensorRecord[0].ucUsedCalib == kCalibFactory &&
               bench.frame.COM_GetZMCOMConfgFlow() == ZM_STOP_MEASURE;
    }));
    const BlockImage& stored = port.Sensor().Block(kBlockUserCalib);
    EXPECT_TRUE(stored.IsInvalidated());
    const CheckBytes computed = stored.ComputedCheckBytes();
    EXPECT_EQ(stored.bytes[62], static_cast<uint8_t>(computed.first - 0x33));
    EXPECT_EQ(stored.bytes[63], static_cast<uint8_t>(computed.second - 0x33));
    EXPECT_TRUE(std::equal(before.bytes, before.bytes + 62, stored.bytes));  // fields untouched
    EXPECT_EQ(port.Sensor().CalibrationState(), kCalibFactory);
    // Nothing to withdraw any more.
    EXPECT_FALSE(bench.frame.COM_ZMCOMConfgDeactivateUserCalib(TRUE));
}

TEST(EngineCalibration, UncertaintyOnTheFactoryCalibrationMakesAUserCopyOfIt) {
    CalibBench bench;
    ASSERT_TRUE(bench.ScanAndOpen());
    BOOL valid = FALSE;
    BYTE state = 0;
    EXPECT_DOUBLE_EQ(bench.frame.COM_GetActiveCalibValue(0, &valid, &state, nullptr, TRUE), 0.1f);
    EXPECT_TRUE(valid);
    EXPECT_EQ(state, kCalibFactory);

    bench.pages.uncertaintyAction = 1;  // channel B
    ASSERT_TRUE(bench.frame.COM_ZMCOMConfgSetInaccuracy(0, 0.25));
    // The sensor restarts by itself and is read anew: the copy is in force, with the new value.
    ASSERT_TRUE(bench.RunUntil([&] {
        return bench.frame.m_aSensorRecord[0].ucUsedCalib == kCalibUser && bench.AtRest();
    }));
    const CalibrationBlock user = bench.SensorCalibration(kBlockUserCalib);
    const CalibrationBlock factory = bench.SensorCalibration(kBlockFactoryCalib);
    EXPECT_TRUE(bench.port.Sensor().Block(kBlockUserCalib).IsValidFor(130));
    EXPECT_TRUE(user.SameCharacteristic(factory));
    EXPECT_FLOAT_EQ(static_cast<float>(user.channel[1].uncertainty), 0.25f);
    EXPECT_TRUE(bench.frame.COM_IsUserCalibEqualFactoryCalib(0));
    EXPECT_FLOAT_EQ(static_cast<float>(
                        bench.frame.COM_GetActiveCalibValue(0, nullptr, nullptr, nullptr, FALSE)),
                    0.25f);

    // Out of its field: refused, nothing sent.
    const int writes = bench.Count('W');
    EXPECT_FALSE(bench.frame.COM_ZMCOMConfgSetInaccuracy(0, 150.0, 0));
    EXPECT_EQ(bench.Count('W'), writes);

    // With the user copy in force a new value is written and read back, without a restart.
    const int reads = bench.Count('D');
    ASSERT_TRUE(bench.frame.COM_ZMCOMConfgSetInaccuracy(0, 0.5, 0));
    ASSERT_TRUE(bench.RunUntil([&] { return bench.AtRest(); }));
    EXPECT_EQ(bench.Count('D'), reads + 1);
    EXPECT_FLOAT_EQ(
        static_cast<float>(bench.frame.COM_GetActiveCalibValue(0, nullptr, nullptr, nullptr, TRUE)),
        0.5f);
}

TEST(EngineCalibration, AnInvalidatedUserBlockStaysInvalidWhenItsUncertaintyChanges) {
    CalibBench bench;
    // No calibration in force: the factory block is erased, the user block withdrawn.
    sensorsim::SimSensor& sensor = bench.port.Sensor();
    BlockImage user = sensor.Block(kBlockFactoryCalib);
    user.bytes[0] = 130;
    user.InvalidateCheckBytes();
    sensor.SetBlock(kBlockUserCalib, user);
    sensor.SetBlock(kBlockFactoryCalib, BlockImage());
    sensor.PowerOn(bench.Now());
    ASSERT_TRUE(bench.ScanAndOpen());
    ASSERT_EQ(bench.frame.m_aSensorRecord[0].ucUsedCalib, kCalibNone);
    ASSERT_TRUE(bench.frame.COM_ZMCOMConfgSetInaccuracy(0, 0.5, 0));
    bench.Run(50);
    EXPECT_TRUE(bench.AtRest());
    EXPECT_TRUE(sensor.Block(kBlockUserCalib).IsInvalidated());
    EXPECT_FLOAT_EQ(
        static_cast<float>(bench.SensorCalibration(kBlockUserCalib).channel[0].uncertainty), 0.5f);
    EXPECT_TRUE(bench.frame.m_aSensorRecord[0].aBlock[kBlockUserCalib].IsInvalidated());
}

TEST(EngineCalibration, AStoppedReadingAsksNothingMoreAndSwitchesTheControlSignalOff) {
    CalibBench bench;
    ASSERT_TRUE(bench.ScanAndOpen());
    // Stopped during the zero reading: no control request, nothing more asked, a late reply
    // changes nothing.
    bench.frame.COM_ResetCalibValues();
    ASSERT_EQ(bench.frame.COM_ZMCOMStartReadRawCalib(CALIB_PHASE_ZERO), CALIB_PHASE_ZERO);
    bench.Run(500);
    bench.frame.COM_ZMCOMStopReadRawCalib();
    EXPECT_TRUE(bench.AtRest());
    const int asked = bench.Count('A');
    bench.Run(2000);
    EXPECT_EQ(bench.Count('A'), asked);
    EXPECT_EQ(bench.Count('K'), 0);
    EXPECT_FALSE(bench.frame.m_aCalib[0].ucZeroTaken);
    EXPECT_EQ(bench.pages.Count("StartZeroWaitTimer"), 0);

    // Stopped during the control reading: one 'K' 0, whose acknowledge starts no reading.
    bench.frame.COM_ResetCalibValues();
    ASSERT_EQ(bench.frame.COM_ZMCOMStartReadRawCalib(CALIB_PHASE_ZERO), CALIB_PHASE_ZERO);
    ASSERT_TRUE(bench.RunUntil(
        [&] {
            return bench.frame.COM_GetZMCOMConfgFlow() == ZM_READ_RAW_CALIB_INIT &&
                   bench.port.Sensor().ControlOn();
        },
        30000));
    bench.Run(300);
    const int controlRequests = bench.Count('K');
    bench.frame.COM_ZMCOMStopReadRawCalib();
    ASSERT_TRUE(bench.RunUntil([&] { return bench.AtRest(); }, 2000));
    EXPECT_EQ(bench.Count('K'), controlRequests + 1);
    EXPECT_FALSE(bench.port.Sensor().ControlOn());
    const int after = bench.Count('A');
    bench.Run(2000);
    EXPECT_EQ(bench.Count('A'), after);
    EXPECT_EQ(bench.pages.Count("StartZeroWaitTimer"), 0);
    EXPECT_TRUE(bench.AtRest());
}
