// A sensor behind a network device server (a "Lantronix CPR Port" row): the server's rate changed
// through Config while the sensor is open cuts the sensor from its line; the page shows it
// closed, and the next double-click opens it, the server's line taking the sensor's rate for the
// session while the server keeps the rate stored through Config.
#include "Road.h"
#include "app/MainFrame.h"
#include "pages/sensor/CDlgSensorConnection.h"
#include "pages/sensor/PortRowTexts.h"
#include "platform/ui/WinUser.h"
#include "res/resource.h"
#include "tools/devsrvsim/DeviceServerSimulator.h"
#include "tools/harness/RoadSteps.h"

namespace e2e {
namespace {

using DeviceServerRow = Road;

constexpr int kColumnSerial = 4;
constexpr int kColumnState = 6;
constexpr int kStateActive = 5125;
constexpr int kStateAvailable = 5126;
constexpr int kChoice230400 = 1;

int RowOf(HWND list, const std::string& serial) {
    const auto rows = ListRows(list, kPortListColumns);
    for (size_t row = 0; row < rows.size(); ++row) {
        if (rows[row][kColumnSerial] == serial)
            return static_cast<int>(row);
    }
    return -1;
}

std::string StateOf(HWND list, int row) {
    const auto rows = ListRows(list, kPortListColumns);
    return row >= 0 && static_cast<size_t>(row) < rows.size() ? rows[row][kColumnState] : "";
}

TEST_F(DeviceServerRow, AfterConfigChangedTheServersRateTheFirstDoubleClickOpensTheSensor) {
    StartBench({"--sensor", "serial=1001,baud=115200", "--state", stateFile_}, 1);
    devsrvsim::DevSrvSetup setup;
    setup.serialPath = bench_->Ports()[0];
    devsrvsim::DeviceServerSimulator server(setup);
    std::string error;
    ASSERT_TRUE(server.Start(error)) << error;
    app_->SetExtraPorts("tcp=" + server.Address() + ":" + std::to_string(server.DataPort()) +
                        ";desc=Lantronix CPR Port;setup=" + std::to_string(server.SetupPort()));
    StartApp();
    HWND list = ShowPortList(*app_);
    ASSERT_NE(list, nullptr);
    const std::string active = TableText(kStateActive, LanguageOffset());
    const std::string available = TableText(kStateAvailable, LanguageOffset());
    int row = -1;
    ASSERT_TRUE(
        app_->RunUntil([&] { return StateOf(list, row = RowOf(list, "1001")) == active; }, 10000));
    ASSERT_TRUE(app_->RunUntil([&] { return IsConnectionPageIdle(*app_); }, 10000));

    // Config, in the selected row: 230400 chosen and stored in the server.
    app_->ClickAt(ListCell(list, row, kColumnSerial));
    HWND config = nullptr;
    ASSERT_TRUE(app_->RunUntil(
        [&] {
            config = FindControl(app_->FrameWindow(), CDlgSensorConnection::IDC_CONFIG_BUTTON);
            return config != nullptr && ::IsWindowVisible(config);
        },
        5000));
    app_->WhenModal([](HWND dialog) {
        HWND rates = ::GetDlgItem(dialog, IDC_ETH_BAUDRATE);
        if (rates == nullptr)
            return false;
        ::SendMessage(rates, CB_SETCURSEL, kChoice230400, 0);
        return AppDriver::Press(dialog, IDOK);
    });
    app_->Click(config);
    ASSERT_TRUE(app_->RunUntil([&] { return server.Stored().baud == 230400; }, 10000));
    app_->ForgetAnswers();
    app_->Run(200);
    // The sensor, at 115200 still, no longer hears the server's line: it is not shown open.
    EXPECT_EQ(StateOf(list, row), available);
    EXPECT_EQ(app_->Frame()->Dialogue().m_iOpenEntry, -1);

    // One double-click opens it (before the search that follows Config's Update would).
    ASSERT_TRUE(app_->RunUntil([&] { return IsConnectionPageIdle(*app_); }, 2000));
    app_->DoubleClickAt(ListCell(list, row, kColumnSerial));
    EXPECT_TRUE(app_->RunUntil(
        [&] {
            return IsSensorOpen(*app_) && app_->Frame()->Dialogue().m_iOpenEntry == row &&
                   StateOf(list, row) == active;
        },
        4000))
        << StateOf(list, row);
    EXPECT_EQ(server.Current().baud, 115200);
    EXPECT_EQ(server.Stored().baud, 230400);
    EXPECT_TRUE(app_->messages.empty()) << app_->messages.front().text;
    ASSERT_TRUE(app_->Close());
}

}  // namespace
}  // namespace e2e
