// Steps one and two of the road: the start-up search shows its progress and finds every simulated
// sensor at its own rate, the multi-port device is one group by its serial number, and the
// connection page lists each port with its sensor, rate and state.
#include <set>

#include "Files.h"
#include "Road.h"
#include "pages/sensor/PortRowTexts.h"
#include "platform/ui/WinUser.h"
#include "platform/ui/commctrl/CommCtrl.h"
#include "platform/ui/commctrl/ProgressBarApi.h"
#include "protocol/BlockLayouts.h"
#include "tools/harness/RoadSteps.h"

namespace e2e {
namespace {

using Start = Road;

constexpr int kColumnInterface = 0;
constexpr int kColumnBaudrate = 2;
constexpr int kColumnSerial = 4;
constexpr int kColumnState = 6;
constexpr int kColumnTitles[kPortListColumns] = {5127, 5342, 5343, 5215, 5135, 5118, 5128, 5112};
constexpr int kStartUpProgressId = 1259;
constexpr int kStateAvailable = 5126;

// The row of the port whose serial column reads `serial`, or null.
const std::vector<std::string>* RowOf(const std::vector<std::vector<std::string>>& rows,
                                      const std::string& serial) {
    for (const auto& row : rows) {
        if (row[kColumnSerial] == serial)
            return &row;
    }
    return nullptr;
}

TEST_F(Start, TheSearchFindsEverySensorAtItsRateAndGroupsTheMultiPortDevice) {
    StartBench();
    ASSERT_TRUE(app_->Start());
    // The search window shows while the frame waits hidden, its bar moving.
    int furthest = 0;
    bool searchShown = false;
    app_->RunUntil(
        [&] {
            HWND progress = nullptr;
            for (HWND top = ::GetWindow(::GetDesktopWindow(), GW_CHILD); top != nullptr;
                 top = ::GetWindow(top, GW_HWNDNEXT)) {
                if (top != app_->FrameWindow() && ::IsWindowVisible(top))
                    progress =
                        progress != nullptr ? progress : FindControl(top, kStartUpProgressId);
            }
            if (progress != nullptr) {
                searchShown = true;
                furthest =
                    std::max(furthest, static_cast<int>(::SendMessage(progress, PBM_GETPOS, 0, 0)));
            }
            return ::IsWindowVisible(app_->FrameWindow()) != FALSE;
        },
        30000);
    EXPECT_TRUE(searchShown);
    EXPECT_GT(furthest, 0);
    ASSERT_TRUE(::IsWindowVisible(app_->FrameWindow()));
    app_->Command(LanguageCommand());

    HWND list = ShowPortList(*app_);
    ASSERT_NE(list, nullptr);
    // The page fills its rows from the search's table as it shows: wait for both sensors.
    std::vector<std::vector<std::string>> rows;
    EXPECT_TRUE(app_->RunUntil(
        [&] {
            rows = ListRows(list, kPortListColumns);
            return RowOf(rows, "1001") != nullptr && RowOf(rows, "1002") != nullptr;
        },
        5000));
    const auto* first = RowOf(rows, "1001");
    const auto* second = RowOf(rows, "1002");
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);
    EXPECT_EQ((*first)[kColumnBaudrate], BaudrateText(230400).GetString());
    EXPECT_EQ((*second)[kColumnBaudrate], BaudrateText(115200).GetString());
    // The four ports of the device carry one serial number, told apart by their index.
    std::set<std::string> ports;
    for (int index = 0; index < 4; ++index) {
        const auto* row = RowOf(rows, "1003 (" + std::to_string(index) + ")");
        ASSERT_NE(row, nullptr) << index;
        ports.insert((*row)[kColumnInterface]);
        EXPECT_EQ((*row)[kColumnState], TableText(kStateAvailable, LanguageOffset())) << index;
    }
    EXPECT_EQ(ports.size(), 4u);

    // The list speaks the run's language.
    for (int column = 0; column < kPortListColumns; ++column) {
        char title[128] = {};
        LVCOLUMN lvc{};
        lvc.mask = LVCF_TEXT;
        lvc.pszText = title;
        lvc.cchTextMax = sizeof title;
        ::SendMessage(list, LVM_GETCOLUMN, static_cast<WPARAM>(column),
                      reinterpret_cast<LPARAM>(&lvc));
        EXPECT_EQ(title, TableText(kColumnTitles[column], LanguageOffset())) << column;
    }
}

TEST_F(Start, TheOnlySensorIsOpenedAndItsBaudRateCanBeChanged) {
    StartBench(OneSensorArguments(stateFile_), 1);
    StartApp();
    HWND list = ShowPortList(*app_);
    ASSERT_NE(list, nullptr);
    const auto rows = ListRows(list, kPortListColumns);
    const auto* row = RowOf(rows, "1001");
    ASSERT_NE(row, nullptr);
    EXPECT_EQ((*row)[kColumnState], TableText(5125, LanguageOffset()));
    // 230400 down to 115200 in its baud cell: the sensor takes the rate into its memory and
    // the page finds it open again there.
    const int index = static_cast<int>(row - rows.data());
    ASSERT_TRUE(OpenCellEditor(*app_, list, index, kColumnBaudrate));
    app_->Key(VK_UP);
    app_->Key(VK_RETURN);
    const auto baudCode = [&] { return SensorBaudCode(stateFile_, "1001"); };
    EXPECT_TRUE(app_->RunUntil([&] { return baudCode() == tarvik::kBaudCode115200; }, 15000))
        << baudCode();
    EXPECT_TRUE(app_->RunUntil(
        [&] {
            const auto now = ListRows(list, kPortListColumns);
            const auto* found = RowOf(now, "1001");
            return found != nullptr &&
                   (*found)[kColumnBaudrate] == BaudrateText(115200).GetString() &&
                   (*found)[kColumnState] == TableText(5125, LanguageOffset());
        },
        15000));
    EXPECT_TRUE(app_->messages.empty()) << app_->messages.front().text;
    ASSERT_TRUE(app_->Close());
}

}  // namespace
}  // namespace e2e
