// The port search over a redirected port, end to end: the engine on the real port library,
// a declared "Lantronix CPR Port" served by the device-server simulator, which bridges at
// 115200 to a sensor that listens at 230400. The pages set the server's rate before each probe
// as the connection page does, so the sensor is found at 230400 while the server's stored
// settings stay as they were; set back to them, the server takes the rate again when the sensor
// is opened.
#include "EthernetTest.h"
#include "app/sensorlink/ComPortManager.h"
#include "app/sensorlink/ComPortWindowTimers.h"
#include "ethernet/CConfigEthernetInterfaceDlg.h"
#include "platform/ui/EventLoop.h"
#include "tests/sensor/EngineHarness.h"
#include "tools/sensorsim/SensorSimulator.h"

namespace ethtest {
namespace {

// The pages as far as the search needs them: the connection page's rate setting for a
// redirected port, which builds the set-up dialog object without showing it.
class XPicoPages final : public IComPortPages {
  public:
    CComPort* engine = nullptr;
    std::vector<std::string> rateCalls;

    void SetXPicoBaudrateForPort(int row, int rate, BOOL save) override {
        const CString comNumber = engine->m_aEntries[row].strPortName.Mid(3);
        CConfigEthernetInterfaceDlg dialog(comNumber, row, 1000);
        const BOOL done = dialog.ChangeXPicoBaudrate(rate, save);
        rateCalls.push_back(std::to_string(rate) + (save ? " save" : " apply") +
                            (done ? " done" : " failed"));
    }

    void ShowProgressBar(int) override {}
    void SetPortProgress(int) override {}
    void AdvanceProgress(int) override {}
    void PresetProgressStep() override {}
    void StopProgress() override {}
    void ShowScanFinished() override {}
    void SetProgressActive(BOOL) override {}
    void HideStartUpWindow() override {}
    BOOL IsSearchForOnlyUsbPorts() override { return FALSE; }
    void FillPortRow(const CString&, int, int, DWORD, COLORREF) override {}
    void RebuildPortList(int) override {}
    void SetEnablingOfAllPorts(int) override {}
    void SetCheckboxCellsOk() override {}
    void OnPortRefreshDone() override {}
    void UpdatePortStates(int, BOOL) override {}
    void SetPortRowStateAndSerial(int, const CString&, const CString&) override {}
    void ClearActivationBusy() override {}
    void ArmConnectionPageTimer(UINT, UINT) override {}
    void ArmInformationPageTimer(UINT, UINT) override {}
    void ShowControlElements(BOOL) override {}
    void AdvanceCalibProgress(int) override {}
    BOOL CalcualteCalibValues(BOOL, int, int&) override { return FALSE; }
    int GetUncertaintyAction() override { return 0; }
    void StartZeroWaitTimer() override {}
    void ShowNotLoadedIndicator() override {}
    void CloseScaleDialogIfVisible() override {}
    void OnMeasureTick() override {}
    BOOL IsMeasuring() override { return FALSE; }
    void SetControlSignalState(int) override {}
    void OnSensorConnected() override {}
    void OnSensorDisconnected() override {}
};

class ScanTest : public EthernetTest {
  protected:
    void SetUp() override {
        EthernetTest::SetUp();
        owner_ = CreateTopLevel({0, 0, 100, 100}, WS_POPUP);
        OnMessage(owner_,
                  [this](HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
                      -> std::optional<LRESULT> { return Route(hwnd, message, wParam, lParam); });
        timers_.SetOwner(owner_);
        frame_.COM_SetInterfaces(&provider_, &timers_, &pages_);
        pages_.engine = &frame_;
    }
    void TearDown() override {
        frame_.ReleasePorts();
        timers_.StopTick();
        EthernetTest::TearDown();
    }

    // The main frame's routing of the port library's messages and of its one-shot timers.
    std::optional<LRESULT> Route(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == COM_MSG_RECEIVED) {
            return frame_.OnReceiveConfigFlow(wParam, lParam);
        }
        if (message == COM_MSG_PORT_EVENT) {
            return frame_.OnPortEvent(wParam, lParam);
        }
        if (message == WM_TIMER) {
            ::KillTimer(hwnd, wParam);
            frame_.OnFrameTimer(static_cast<UINT>(wParam));
            return 0;
        }
        return std::nullopt;
    }

    // Serves the loop; the virtual clock moves on by a millisecond whenever nothing is waiting,
    // so that answers coming in real time arrive before any time-out.
    bool Serve(const std::function<bool()>& done, int64_t virtualMs) {
        for (int64_t t = 0; t < virtualMs; ++t) {
            for (int spin = 0; spin < 50; ++spin) {
                Pump();
                if (done()) {
                    return true;
                }
                const bool expecting = frame_.m_bRequestOutstanding;
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

    HWND owner_ = nullptr;
    CComPortProvider provider_;
    CComPortWindowTimers timers_{nullptr};
    XPicoPages pages_;
    enginetest::TestFrame frame_;
};

TEST_F(ScanTest, TheSensorBehindTheServerIsFoundAtItsRateWithoutStoringIt) {
    sensorsim::SimulatorSetup sensors;
    sensors.devices.emplace_back();
    sensors.devices[0].sensors.push_back(enginetest::SensorConfig(5150, 230400));
    sensorsim::SensorSimulator sensor(sensors);
    std::string error;
    ASSERT_TRUE(sensor.Start(error)) << error;
    auto& server = StartServer("127.0.0.41", devsrvsim::DevSrvFault::None, sensor.PortName(0));
    Declare({PortOf(server)});

    frame_.COM_CreateMainPortManager(owner_);
    frame_.COM_BuildPortTable(0);
    ASSERT_TRUE(Serve(
        [&] {
            return frame_.m_iEntryCount == 1 &&
                   frame_.m_aEntries[0].iState != PORT_STATE_NOT_PROBED &&
                   frame_.m_aEntries[0].iState != PORT_STATE_CHECKING &&
                   !frame_.m_bRequestOutstanding;
        },
        60000));
    EXPECT_EQ(frame_.m_aEntries[0].record.dwSerialNumber, 5150u);
    EXPECT_EQ(frame_.m_aEntries[0].iBaudrate, 230400);
    ASSERT_FALSE(pages_.rateCalls.empty());
    EXPECT_EQ(pages_.rateCalls.front(), "115200 apply done");
    EXPECT_EQ(pages_.rateCalls.back(), "230400 apply done");
    EXPECT_EQ(server.Current().baud, 230400);
    EXPECT_EQ(server.Stored().baud, 115200);

    // The server restarts with its stored rate: the sensor behind it still opens.
    server.Restart();
    ASSERT_EQ(server.Current().baud, 115200);
    ASSERT_TRUE(frame_.COM_OpenTableEntryPort(0));
    EXPECT_TRUE(Serve([&] { return frame_.m_aEntries[0].iState == PORT_STATE_OPEN; }, 30000));
    EXPECT_EQ(server.Current().baud, 230400);
    sensor.Stop();
}

}  // namespace
}  // namespace ethtest
