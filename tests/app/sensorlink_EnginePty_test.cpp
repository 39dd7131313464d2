// The dialogue on the real window system and port library, against the sensor simulator on
// pseudo-terminals: window timers of an owner window on the virtual clock, port managers that
// deliver received bytes as window messages, the periodic tick on the event loop.
#include <gtest/gtest.h>

#include <cstring>

#include "app/sensorlink/ComPortManager.h"
#include "app/sensorlink/ComPortWindowTimers.h"
#include "platform/ui/EventLoop.h"
#include "platform/ui/Timers.h"
#include "ports/PortsTest.h"
#include "protocol/BlockLayouts.h"
#include "tests/sensor/EngineHarness.h"
#include "tools/sensorsim/SensorSimulator.h"
#include "tools/testsupport/PseudoTerminal.h"

using namespace enginetest;
using namespace tarvik;

namespace {

sensorsim::SimDeviceSetup Single(const sensorsim::SimSensorConfig& config,
                                 sensorsim::SimFaults faults = {}) {
    sensorsim::SimDeviceSetup device;
    device.sensors.push_back(config);
    device.faults = faults;
    return device;
}

class EnginePty : public kq::ports::test::PortsTest {
  protected:
    void SetUp() override {
        PortsTest::SetUp();
        OnMessage(owner_,
                  [this](HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
                      -> std::optional<LRESULT> { return Route(hwnd, message, wParam, lParam); });
        timers_.SetOwner(owner_);
        frame_.COM_SetInterfaces(&provider_, &timers_, &pages_);
        frame_.COM_SetFrameCounterCheck(TRUE);
        pages_.engine = &frame_;
    }
    void TearDown() override {
        frame_.ReleasePorts();
        timers_.StopTick();
        busy_.reset();
        if (sim_) {
            sim_->Stop();
        }
        PortsTest::TearDown();
    }

    // The main frame's message routing.
    std::optional<LRESULT> Route(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == COM_MSG_RECEIVED) {
            return frame_.OnReceiveConfigFlow(wParam, lParam);
        }
        if (message >= COM_MSG_RECEIVED_PORT0 && message < COM_MSG_RECEIVED_PORT0 + 4) {
            return frame_.OnReceivePort(wParam, lParam,
                                        static_cast<int>(message - COM_MSG_RECEIVED_PORT0));
        }
        if (message == COM_MSG_PORT_EVENT) {
            return frame_.OnPortEvent(wParam, lParam);
        }
        if (message == WM_TIMER) {
            ::KillTimer(hwnd, wParam);
            frame_.OnFrameTimer(static_cast<UINT>(wParam));
            return 0;
        }
        if (message == WM_DEVICECHANGE) {
            return TRUE;
        }
        return std::nullopt;
    }

    // Starts the simulator and declares its ports (and any further paths) as extra ports.
    void Start(std::vector<sensorsim::SimDeviceSetup> devices,
               const std::vector<std::string>& extraPaths = {}) {
        sensorsim::SimulatorSetup setup;
        setup.devices = std::move(devices);
        sim_ = std::make_unique<sensorsim::SensorSimulator>(setup);
        std::string error;
        ASSERT_TRUE(sim_->Start(error)) << error;
        std::string declared;
        for (int i = 0; i < sim_->PortCount(); ++i) {
            declared += (declared.empty() ? "" : ",") + std::string("path=") + sim_->PortName(i) +
                        ";desc=Tarvik USB sensor interface port";
        }
        for (const std::string& path : extraPaths) {
            declared += ",path=" + path + ";desc=USB Serial Port";
        }
        DeclareExtraPorts(declared);
    }

    // Serves the event loop; virtual time moves on by a millisecond whenever nothing is
    // waiting, so that the simulator's answers (in real time) come before any time-out.
    bool Serve(const std::function<bool()>& done, int64_t virtualMs = 30000) {
        for (int64_t t = 0; t < virtualMs; ++t) {
            for (int spin = 0; spin < 50; ++spin) {
                Pump();
                if (done()) {
                    return true;
                }
                if (onIdle_) {
                    onIdle_();
                }
                // Wait in real time only while the simulator has something to send.
                const bool expecting = frame_.m_bRequestOutstanding || frame_.m_bMeasuring;
                if (!kq::ui::WaitForWork(expecting && spin < 3 ? 1 : 0)) {
                    break;
                }
            }
            clock_->AdvanceMillis(1);
            kq::ui::NotifyClockChanged();
        }
        Pump();
        return done();
    }
    void ServeFor(int64_t virtualMs) {
        Serve([] { return false; }, virtualMs);
    }

    int EntryOfSerial(DWORD serial) {
        for (int i = 0; i < frame_.m_iEntryCount; ++i) {
            if (frame_.m_aEntries[i].record.dwSerialNumber == serial) {
                return i;
            }
        }
        return -1;
    }
    int EntryOfPath(const std::string& path) {
        for (int i = 0; i < frame_.m_iEntryCount; ++i) {
            if (frame_.m_aEntries[i].strPortText.Find(path.c_str()) >= 0 ||
                frame_.m_aEntries[i].strPortName == path.c_str()) {
                return i;
            }
        }
        return -1;
    }
    bool ScanAndOpen() {
        frame_.COM_CreateMainPortManager(owner_);
        frame_.COM_BuildPortTable(0);
        return Serve([&] {
            return frame_.readyTimerRan && frame_.m_iOpenEntry >= 0 &&
                   frame_.COM_GetZMCOMConfgFlow() == ZM_STOP_MEASURE;
        });
    }

    CComPortProvider provider_;
    CComPortWindowTimers timers_{nullptr};
    FakePages pages_;
    TestFrame frame_;
    std::unique_ptr<sensorsim::SensorSimulator> sim_;
    std::unique_ptr<CComPortManager> busy_;
    std::function<void()> onIdle_;
};

}  // namespace

TEST_F(EnginePty, ScanOfFivePortsOpensTheLastUsedSensorAndReadsItsBlocks) {
    kq::PseudoTerminal noise;
    ASSERT_TRUE(noise.Open());
    kq::PseudoTerminal held;
    ASSERT_TRUE(held.Open());
    sensorsim::SimFaults silent;
    silent.silent = true;
    Start({Single(SensorConfig(1111, 115200)), Single(SensorConfig(2222, 230400)),
           Single(SensorConfig(3333), silent)},
          {noise.SlavePath(), held.SlavePath()});
    // A port that another program holds open.
    busy_ = std::make_unique<CComPortManager>(owner_, 2300, 2301);
    CStringArray listed;
    ASSERT_EQ(CPortMan::EnumPorts(listed, FALSE), 5);
    ASSERT_TRUE(busy_->OpenPort(CComPort::COM_ParsePortDisplayName(listed[4]), 115200));
    // The garbage port answers everything with noise.
    onIdle_ = [&] {
        std::string in;
        if (noise.ReadAvailable(in) > 0) {
            std::string out;
            for (size_t i = 0; i < 3 * in.size(); ++i) {
                out.push_back(static_cast<char>((i * 37 + 11) & 0xFF));
            }
            noise.WriteAll(out);
        }
    };
    frame_.m_strLastUsedComPort = "COM2";

    ASSERT_TRUE(ScanAndOpen());
    EXPECT_EQ(frame_.m_iEntryCount, 5);
    const int first = EntryOfSerial(1111);
    const int second = EntryOfSerial(2222);
    ASSERT_GE(first, 0);
    ASSERT_GE(second, 0);
    EXPECT_EQ(frame_.m_aEntries[first].iState, PORT_STATE_FOUND);
    EXPECT_EQ(frame_.m_aEntries[first].iBaudrate, 115200);
    EXPECT_EQ(frame_.m_aEntries[second].iState, PORT_STATE_OPEN);
    EXPECT_EQ(frame_.m_aEntries[second].iBaudrate, 230400);
    EXPECT_EQ(frame_.m_aEntries[2].iState, PORT_STATE_NO_ANSWER);    // silent
    EXPECT_EQ(frame_.m_aEntries[3].iState, PORT_STATE_NO_ANSWER);    // garbage
    EXPECT_EQ(frame_.m_aEntries[4].iState, PORT_STATE_OPEN_FAILED);  // busy
    EXPECT_FALSE(frame_.streamingSensorMessage);

    EXPECT_EQ(frame_.m_strCurrentPortName, "COM2");
    EXPECT_EQ(frame_.m_aSensorRecord[0].dwSerialNumber, 2222u);
    EXPECT_EQ(frame_.m_aSensorRecord[0].ucBlockReadMask, 0xFF);
    EXPECT_EQ(frame_.m_aSensorRecord[0].ucBlockValidMask & 0xBF, 0xBF);
    std::vector<std::string> progress;
    for (const std::string& call : pages_.calls) {
        if (call.rfind("SetPortProgress", 0) == 0 || call.rfind("ShowProgressBar", 0) == 0 ||
            call == "StopProgress") {
            progress.push_back(call);
        }
    }
    EXPECT_EQ(progress, (std::vector<std::string>{"ShowProgressBar(5)", "SetPortProgress(4)",
                                                  "SetPortProgress(3)", "SetPortProgress(2)",
                                                  "SetPortProgress(1)", "SetPortProgress(0)",
                                                  "StopProgress"}));
    EXPECT_EQ(pages_.Count("AdvanceProgress(0)"), 2 * kBlockCount);
}

TEST_F(EnginePty, MeasurementStreamsCountsLostValueSetsAndStops) {
    sensorsim::SimFaults drop;
    drop.dropEvery = 7;
    Start({Single(SensorConfig(42), drop)});
    ASSERT_TRUE(ScanAndOpen());
    frame_.m_iMeasureRateIndex = 4;  // 20 ms
    ASSERT_TRUE(frame_.COM_ZMCOMStartMeasure());
    ASSERT_TRUE(Serve([&] { return frame_.values.size() >= 60; }));
    EXPECT_EQ(frame_.values.back().raw[0], 500000);
    EXPECT_EQ(frame_.values.back().raw[1], -100000);
    EXPECT_GE(frame_.m_ullLostValueSets, 5u);
    EXPECT_GT(pages_.ticks, 0);
    ASSERT_TRUE(frame_.COM_ZMCOMStopMeasure());
    ASSERT_TRUE(Serve([&] { return frame_.COM_GetZMCOMConfgFlow() == ZM_STOP_MEASURE; }, 2000));
    EXPECT_FALSE(frame_.m_bMeasuring);
    const size_t after = frame_.values.size();
    ServeFor(500);
    EXPECT_LE(frame_.values.size(), after + 1);
}

TEST_F(EnginePty, BaudChangeRestartsTheSensorAndTheSearchFindsItAtTheNewRate) {
    Start({Single(SensorConfig(42))});
    ASSERT_TRUE(ScanAndOpen());
    ASSERT_EQ(frame_.COM_ZMCOMConfgSetNewBaudrate(frame_.m_iOpenEntry, kBaudCode230400),
              COM_BAUD_OK);
    frame_.readyTimerRan = false;
    ASSERT_TRUE(Serve([&] {
        return frame_.readyTimerRan && frame_.m_iOpenEntry >= 0 &&
               frame_.COM_GetZMCOMConfgFlow() == ZM_STOP_MEASURE;
    }));
    EXPECT_EQ(frame_.m_aEntries[frame_.m_iOpenEntry].iBaudrate, 230400);
    EXPECT_EQ(frame_.m_aSensorRecord[0].ucBaudCode, kBaudCode230400);
    // The serial-number text goes out at the new rate.
    std::strcpy(frame_.m_aSensorRecord[0].szSerialText[0], "NEW230");
    ASSERT_TRUE(frame_.COM_ZMCOMConfgSetSerialNumberRotorOperation(0, -1));
    ASSERT_TRUE(Serve([&] { return pages_.Count("ArmInformationPageTimer") == 1; }, 2000));
    RotorOperationBlock written;
    sim_->WithSensor(
        0, [&](sensorsim::SimSensor& s) { written.Decode(s.Block(kBlockRotorOperation)); });
    EXPECT_EQ(written.serialText[0], "NEW230");
}

TEST_F(EnginePty, CalibrationReadingsWithTheControlSignalOnAndOff) {
    Start({Single(SensorConfig(42, 115200, 0.0, 0.0))});
    ASSERT_TRUE(ScanAndOpen());
    frame_.COM_ResetCalibValues();
    ASSERT_EQ(frame_.COM_ZMCOMStartReadRawCalib(CALIB_PHASE_ZERO), CALIB_PHASE_ZERO);
    ASSERT_TRUE(Serve([&] { return pages_.Count("StartZeroWaitTimer") == 1; }, 30000));
    EXPECT_EQ(pages_.Count("AdvanceCalibProgress(0)"), 600);
    EXPECT_EQ(frame_.m_aCalib[0].slZeroReading, 32768);
    EXPECT_EQ(frame_.m_aCalib[1].slControlReading, 32768 + kCountsControlSignal);
    EXPECT_EQ(pages_.Count("SetControlSignalState(1)"), 1);
    EXPECT_EQ(pages_.Count("SetControlSignalState(0)"), 1);
}

TEST_F(EnginePty, SoftwareConfigAndWithdrawnUserCalibrationFallBackToFactory) {
    sensorsim::SimSensorConfig config = SensorConfig(42);
    config.calibration = sensorsim::SimCalibration::User;
    Start({Single(config)});
    ASSERT_TRUE(ScanAndOpen());
    ASSERT_EQ(frame_.m_aSensorRecord[0].ucUsedCalib, kCalibUser);
    frame_.m_aSensorRecord[0].ucDecimals[0] = 5;
    ASSERT_TRUE(frame_.COM_ZMCOMConfgSetSoftwareConfigBlock(0, 37));
    ASSERT_TRUE(Serve([&] { return frame_.COM_GetZMCOMConfgFlow() == ZM_STOP_MEASURE; }, 2000));
    ASSERT_TRUE(frame_.COM_ZMCOMConfgDeactivateUserCalib(TRUE));
    ASSERT_TRUE(Serve([&] {
        return frame_.m_aSensorRecord[0].ucUsedCalib == kCalibFactory &&
               frame_.COM_GetZMCOMConfgFlow() == ZM_STOP_MEASURE;
    }));
    SoftwareConfigBlock software;
    BlockImage user;
    sim_->WithSensor(0, [&](sensorsim::SimSensor& s) {
        software.Decode(s.Block(kBlockSoftwareConfig));
        user = s.Block(kBlockUserCalib);
    });
    EXPECT_EQ(software.channel[0].decimals, 5);
    EXPECT_TRUE(user.IsInvalidated());
}

TEST_F(EnginePty, FourPortDeviceIsGroupedOpenedAndMeasuredInStep) {
    sensorsim::SimDeviceSetup device;
    device.sensors = FourPortDeviceConfigs();
    Start({device});
    frame_.COM_CreateMainPortManager(owner_);
    frame_.COM_BuildPortTable(0);
    ASSERT_TRUE(Serve([&] {
        return frame_.activationDone >= 0 && frame_.COM_GetZMCOMConfgFlow() == ZM_STOP_MEASURE;
    }));
    EXPECT_EQ(frame_.activationDone, 4);
    EXPECT_EQ(frame_.m_iNumberOfSensors, 4);
    frame_.m_iMeasureRateIndex = 4;
    ASSERT_TRUE(frame_.COM_ZMCOMStartMeasure());
    ASSERT_TRUE(Serve([&] { return frame_.values.size() >= 30; }));
    for (int s = 0; s < 4; ++s) {
        EXPECT_EQ(frame_.values.back().raw[s], 100000 * (s + 1));
    }
    EXPECT_EQ(frame_.m_ullLostValueSets, 0u);
    ASSERT_TRUE(frame_.COM_ZMCOMStopMeasure());
    ASSERT_TRUE(Serve([&] { return frame_.COM_GetZMCOMConfgFlow() == ZM_STOP_MEASURE; }, 2000));
}

TEST_F(EnginePty, UnpluggedWhileStreamingEndsInTheLostState) {
    Start({Single(SensorConfig(42))});
    ASSERT_TRUE(ScanAndOpen());
    frame_.m_iMeasureRateIndex = 4;
    ASSERT_TRUE(frame_.COM_ZMCOMStartMeasure());
    ASSERT_TRUE(Serve([&] { return frame_.values.size() >= 5; }));
    sim_->Vanish(0);
    ASSERT_TRUE(Serve([&] { return pages_.Count("OnSensorDisconnected") == 1; }, 3000));
    EXPECT_EQ(frame_.COM_GetZMCOMConfgFlow(), ZM_STOP_MEASURE);
    EXPECT_FALSE(frame_.m_bMeasuring);
    EXPECT_FALSE(frame_.m_bRequestOutstanding);
    EXPECT_EQ(frame_.m_iOpenEntry, -1);
    EXPECT_EQ(frame_.m_aEntries[0].iStateTextId, IDS_PORT_NOT_AVAILABLE);
}
