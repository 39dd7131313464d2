// A sensor lost while it streams, its port still there: its line dead for seven seconds, then
// noise on it for three. Each time the recording made so far is kept, the sensor is sent the
// stop and tried again while its port stays: within ten seconds of a clean line it is listed
// available, a double-click opens it and it measures. The search that follows finds it at rest:
// the program never leaves it streaming.
#include <string>

#include "Road.h"
#include "pages/sensor/PortRowTexts.h"
#include "platform/ui/WinUser.h"
#include "tools/harness/RoadSteps.h"

namespace e2e {
namespace {

using LostSensor = Road;

constexpr int kColumnSerial = 4;
constexpr int kColumnState = 6;
constexpr int kPortActive = 5125;
constexpr int kPortAvailable = 5126;

// The row of the sensor's port (the simulator's, declared as the maker's interface), and its
// state.
int SensorRow(HWND list) {
    const auto rows = ListRows(list, kPortListColumns);
    for (size_t row = 0; row < rows.size(); ++row) {
        if (rows[row][0].rfind("Tarvik USB", 0) == 0)
            return static_cast<int>(row);
    }
    return -1;
}
std::string PortState(HWND list) {
    const int row = SensorRow(list);
    return row < 0 ? std::string() : ListRows(list, kPortListColumns)[row][kColumnState];
}

TEST_F(LostSensor, AStalledOrNoisyLineIsTriedAgainAndTheSensorOpensWhenItIsClean) {
    StartBench(OneSensorArguments(stateFile_), 1);
    StartApp();
    ASSERT_TRUE(IsSensorOpen(*app_));
    const std::string active = TableText(kPortActive, LanguageOffset());
    const std::string available = TableText(kPortAvailable, LanguageOffset());
    for (const auto& line : {std::pair{"stall 0 7000", 7000}, {"noise 0 3000", 3000}}) {
        const std::string command = line.first;
        const int lineMs = line.second;
        SCOPED_TRACE(command);
        bool lost = false;
        Measure(*app_, 1000, [&] {
            ASSERT_TRUE(bench_->Command(command));
            lost = app_->RunUntil([&] { return IsSensorLost(*app_); }, 5000);
        });
        ASSERT_TRUE(lost);
        EXPECT_TRUE(IsCommandEnabled(*app_, kCommandSaveValues));
        HWND list = ShowPortList(*app_);
        ASSERT_NE(list, nullptr);
        // Available again within ten seconds of the line's end (counted from now, a little later).
        EXPECT_TRUE(app_->RunUntil([&] { return PortState(list) == available; }, lineMs + 10000))
            << PortState(list);
        ASSERT_GE(SensorRow(list), 0);
        app_->DoubleClickAt(ListCell(list, SensorRow(list), kColumnSerial));
        EXPECT_TRUE(app_->RunUntil([&] { return PortState(list) == active; }, 10000))
            << PortState(list);
        ASSERT_TRUE(WaitForSensorOpen(*app_));
        EXPECT_TRUE(Measure(*app_, 1000));
    }
    // A new search meets the sensor at rest: nothing says it streams, and the program runs on.
    HWND list = ShowPortList(*app_);
    ASSERT_TRUE(ClickUpdate(*app_));
    EXPECT_TRUE(app_->RunUntil([&] { return PortState(list) == active; }, 20000));
    EXPECT_TRUE(app_->IsRunning());
    EXPECT_TRUE(app_->messages.empty()) << app_->messages.front().text;
}

}  // namespace
}  // namespace e2e
