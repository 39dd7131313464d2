// Step two of the road on the connection page: sensors activated by a double-click and by Enter
// on their rows open (and the one open before closes), and a baud rate chosen in a row's cell is
// written into the sensor, which the search then finds at its new rate; the sensor opened last is
// open again after a restart.
#include "Files.h"
#include "Road.h"
#include "pages/sensor/PortRowTexts.h"
#include "platform/ui/WinUser.h"
#include "protocol/BlockLayouts.h"
#include "tools/harness/RoadSteps.h"

namespace e2e {
namespace {

using Connection = Road;

constexpr int kColumnBaudrate = 2;
constexpr int kColumnSerial = 4;
constexpr int kColumnState = 6;
constexpr int kStateActive = 5125;
constexpr int kStateAvailable = 5126;
constexpr int kOpenSensorHint = 5798;
constexpr int kStateNotAvailable = 5129;
constexpr int kStatusConnected = 5270;

// The cells of the row whose serial column reads `serial` (empty when there is none).
std::vector<std::string> Row(HWND list, const std::string& serial) {
    for (auto& row : ListRows(list, kPortListColumns)) {
        if (row[kColumnSerial] == serial)
            return row;
    }
    return {};
}

int RowIndex(HWND list, const std::string& serial) {
    const auto rows = ListRows(list, kPortListColumns);
    for (size_t row = 0; row < rows.size(); ++row) {
        if (rows[row][kColumnSerial] == serial)
            return static_cast<int>(row);
    }
    return -1;
}

std::string StateOf(HWND list, const std::string& serial) {
    const auto row = Row(list, serial);
    return row.empty() ? std::string() : row[kColumnState];
}

TEST_F(Connection, SensorsOpenByDoubleClickAndEnterAndABaudChangeIsFoundAgain) {
    StartBench();
    StartApp();
    HWND list = ShowPortList(*app_);
    ASSERT_NE(list, nullptr);
    const std::string active = TableText(kStateActive, LanguageOffset());
    const std::string available = TableText(kStateAvailable, LanguageOffset());
    ASSERT_TRUE(app_->RunUntil([&] { return StateOf(list, "1001") == available; }, 10000))
        << StateOf(list, "1001");

    ASSERT_TRUE(app_->RunUntil([&] { return IsConnectionPageIdle(*app_); }, 10000));
    app_->DoubleClickAt(ListCell(list, RowIndex(list, "1001"), kColumnSerial));
    EXPECT_TRUE(app_->RunUntil([&] { return StateOf(list, "1001") == active; }, 10000))
        << StateOf(list, "1001");

    // A second sensor by Enter on its selected row: the first one closes.
    ASSERT_TRUE(app_->RunUntil([&] { return IsConnectionPageIdle(*app_); }, 10000));
    app_->ClickAt(ListCell(list, RowIndex(list, "1002"), kColumnSerial));
    app_->Key(VK_RETURN);
    EXPECT_TRUE(app_->RunUntil([&] { return StateOf(list, "1002") == active; }, 10000))
        << StateOf(list, "1002");
    EXPECT_EQ(StateOf(list, "1001"), available);

    // 115200 to 230400 in the baud cell of the open sensor 1002: its choices open on a click, the
    // next one is chosen by key; the sensor restarts at the new rate and the search finds it there.
    const auto opened = Row(list, "1002");
    ASSERT_FALSE(opened.empty());
    ASSERT_EQ(opened[kColumnBaudrate], BaudrateText(115200).GetString());
    ASSERT_TRUE(app_->RunUntil([&] { return IsConnectionPageIdle(*app_); }, 10000));
    ASSERT_TRUE(OpenCellEditor(*app_, list, RowIndex(list, "1002"), kColumnBaudrate));
    app_->Key(VK_DOWN);
    app_->Key(VK_RETURN);
    // The sensor takes the new rate into its memory (the simulator keeps it in its state file
    // at each write).
    const auto baudCode = [&] { return SensorBaudCode(stateFile_, "1002"); };
    EXPECT_TRUE(app_->RunUntil([&] { return baudCode() == tarvik::kBaudCode230400; }, 15000))
        << baudCode();
    // The page finds it again at its new rate, open.
    EXPECT_TRUE(app_->RunUntil(
        [&] {
            const auto row = Row(list, "1002");
            return !row.empty() && row[kColumnBaudrate] == BaudrateText(230400).GetString() &&
                   row[kColumnState] == active;
        },
        15000));
    EXPECT_TRUE(app_->messages.empty()) << app_->messages.front().text;
    ASSERT_TRUE(app_->Close());
}

// Where the search leaves every sensor closed (more sensors than one device holds, none used
// before), the status line says how to open one; the one opened then is open after a restart,
// and so is a multi-port device.
TEST_F(Connection, TheSensorOpenedLastIsOpenAgainAfterARestart) {
    StartBench();
    ASSERT_TRUE(app_->Start());
    ASSERT_TRUE(WaitForMainWindow(*app_));
    // Six sensors and none used before: all stay closed, and the operator is told what to do
    // (in the language the program starts in).
    auto hinted = [&] {
        for (int offset : {0, 1000, 4000}) {
            if (StatusText(*app_) == TableText(kOpenSensorHint, offset))
                return true;
        }
        return false;
    };
    // The hint follows the search of the multi-port devices, which waits for the sensors'
    // answers: on a loaded machine that takes longer.
    EXPECT_TRUE(app_->RunUntil(hinted, 20000)) << StatusText(*app_);
    app_->Command(LanguageCommand());
    HWND list = ShowPortList(*app_);
    ASSERT_NE(list, nullptr);
    const std::string active = TableText(kStateActive, LanguageOffset());
    ASSERT_TRUE(app_->RunUntil([&] { return RowIndex(list, "1002") >= 0; }, 10000));
    ASSERT_TRUE(app_->RunUntil([&] { return IsConnectionPageIdle(*app_); }, 10000));
    app_->DoubleClickAt(ListCell(list, RowIndex(list, "1002"), kColumnSerial));
    ASSERT_TRUE(app_->RunUntil([&] { return StateOf(list, "1002") == active; }, 10000))
        << StateOf(list, "1002");
    // Closed and started again: the list shows the row open once more.
    auto openAfterRestart = [&](const char* row) {
        if (!app_->Close())
            return false;
        app_->ReloadSettings();
        if (!app_->Start() || !WaitForMainWindow(*app_))
            return false;
        app_->Command(LanguageCommand());
        list = ShowPortList(*app_);
        return list != nullptr &&
               app_->RunUntil([&] { return StateOf(list, row) == active; }, 15000);
    };
    ASSERT_TRUE(openAfterRestart("1002"));

    // After a session on the multi-port device the next start opens the device again.
    ASSERT_TRUE(app_->RunUntil([&] { return RowIndex(list, "1003 (0)") >= 0; }, 10000));
    ASSERT_TRUE(app_->RunUntil([&] { return IsConnectionPageIdle(*app_); }, 10000));
    app_->DoubleClickAt(ListCell(list, RowIndex(list, "1003 (0)"), kColumnSerial));
    // Open once its sensors answered: the status line says so again.
    const std::string connected = TableText(kStatusConnected, LanguageOffset());
    auto deviceOpen = [&] {
        return StateOf(list, "1003 (0)") == active && StatusText(*app_) == connected;
    };
    ASSERT_TRUE(app_->RunUntil(deviceOpen, 15000)) << StateOf(list, "1003 (0)");
    EXPECT_TRUE(openAfterRestart("1003 (0)"));
    ASSERT_TRUE(app_->Close());
}

// Sensors that come and go after the start: one on a declared network port that was not there
// when the program searched, found by Update; then its line drops and comes back, and a
// double-click opens it again.
TEST_F(Connection, ASensorThatCameLaterIsFoundByUpdateAndOpensAgainAfterItsLineDropped) {
    StartBench({"--sensor", "serial=1001,baud=230400", "--sensor", "serial=1002,baud=115200",
                "--tcp", "0", "--state", stateFile_},
               2);
    const std::string network = bench_->Ports()[1];
    app_->SetExtraPorts("path=" + bench_->Ports()[0] +
                        ";desc=Tarvik USB sensor interface port,tcp=" + network +
                        ";desc=Tarvik USB sensor interface port");
    ASSERT_TRUE(bench_->Command("vanish 1"));
    StartApp();
    HWND list = ShowPortList(*app_);
    ASSERT_NE(list, nullptr);
    const std::string active = TableText(kStateActive, LanguageOffset());
    const std::string available = TableText(kStateAvailable, LanguageOffset());
    ASSERT_TRUE(Row(list, "1002").empty());

    ASSERT_TRUE(bench_->Command("return 1"));
    ASSERT_TRUE(ClickUpdate(*app_));
    EXPECT_TRUE(app_->RunUntil([&] { return StateOf(list, "1002") == available; }, 20000))
        << StateOf(list, "1002");
    const int row = RowIndex(list, "1002");
    ASSERT_GE(row, 0);
    ASSERT_TRUE(app_->RunUntil([&] { return IsConnectionPageIdle(*app_); }, 10000));
    app_->DoubleClickAt(ListCell(list, row, kColumnSerial));
    ASSERT_TRUE(app_->RunUntil([&] { return StateOf(list, "1002") == active; }, 10000))
        << StateOf(list, "1002");

    // The line drops while the sensor is open: the measuring page's single measurement finds it
    // gone. Then the line comes back.
    ASSERT_TRUE(bench_->Command("vanish 1"));
    ShowPage(*app_, kCommandMeasureDiagram);
    app_->RunUntil([&] { return IsSensorLost(*app_); }, 15000);
    list = ShowPortList(*app_);
    ASSERT_NE(list, nullptr);
    const std::string gone = TableText(kStateNotAvailable, LanguageOffset());
    auto stateOfRow = [&] {
        const auto rows = ListRows(list, kPortListColumns);
        return row < static_cast<int>(rows.size()) ? rows[row][kColumnState] : std::string();
    };
    ASSERT_TRUE(app_->RunUntil([&] { return stateOfRow() == gone; }, 10000)) << stateOfRow();
    ASSERT_TRUE(bench_->Command("return 1"));
    ASSERT_TRUE(app_->RunUntil([&] { return IsConnectionPageIdle(*app_); }, 10000));
    app_->DoubleClickAt(ListCell(list, row, kColumnState));
    EXPECT_TRUE(app_->RunUntil([&] { return stateOfRow() == active; }, 10000)) << stateOfRow();
    EXPECT_TRUE(app_->messages.empty()) << app_->messages.front().text;
    ASSERT_TRUE(app_->Close());
}

}  // namespace
}  // namespace e2e
