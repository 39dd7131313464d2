// Faults on the road: a sensor that vanishes while measuring, one that drops frames, a save to a
// folder that cannot be written and to a disk that is full. Each: no crash, a message, nothing
// of the recording lost.
#include <signal.h>
#include <sys/resource.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>

#include "Files.h"
#include "Road.h"
#include "platform/ui/WinUser.h"
#include "res/resource.h"
#include "tools/harness/RoadSteps.h"

namespace e2e {
namespace {

using Faults = Road;

constexpr int kColumns = 8;
constexpr int kColumnState = 6;
constexpr int kPortNotAvailable = 5129;
constexpr int kEndOfStorage = 5804;
constexpr int kPortActive = 5125;

bool Exists(const std::string& path) {
    std::error_code ec;
    return std::filesystem::exists(path, ec);
}

// The state column of the sensor interface's row on the port list.
std::string PortState(HWND list) {
    for (const auto& row : ListRows(list, kColumns)) {
        if (row[0].rfind("Tarvik USB", 0) == 0)
            return row[kColumnState];
    }
    return {};
}

TEST_F(Faults, ASensorUnpluggedWhileMeasuringLeavesItsRecordingAndIsFoundAgainWhenBack) {
    // The port is reached through a link that goes away with the sensor and comes back with
    // it, as a USB adapter's device node does.
    StartBench(WithPortLinks(OneSensorArguments(stateFile_)), 1);
    StartApp();
    // The sensor goes in the middle of the run; without it the page cannot start again, but
    // what was recorded can be saved.
    Measure(*app_, 1500, [&] {
        EXPECT_TRUE(bench_->Command("vanish 0"));
        app_->Run(2000);
    });
    EXPECT_TRUE(IsCommandEnabled(*app_, kCommandSaveValues));
    ASSERT_TRUE(app_->IsRunning());
    // The port's row says the sensor is gone, in the user's language.
    const std::string gone = TableText(kPortNotAvailable, LanguageOffset());
    HWND list = ShowPortList(*app_);
    EXPECT_TRUE(app_->RunUntil([&] { return PortState(list) == gone; }, 10000)) << PortState(list);
    // What was recorded is kept and saved.
    const std::string csv = root_ + "/kept.csv";
    EXPECT_TRUE(SaveValues(*app_, csv));
    const std::string text = ReadCp1252File(csv);
    EXPECT_NE(text.find(TableText(kEndOfStorage, LanguageOffset())), std::string::npos);
    EXPECT_GT(std::count(text.begin(), text.end(), '\n'), 15);

    // Plugged in again: the operator's new search finds it, and it measures.
    ASSERT_TRUE(bench_->Command("return 0"));
    ASSERT_TRUE(ClickUpdate(*app_));
    EXPECT_TRUE(app_->RunUntil(
        [&] { return PortState(list) == TableText(kPortActive, LanguageOffset()); }, 20000))
        << PortState(list);
    EXPECT_TRUE(Measure(*app_, 1000));
}

TEST_F(Faults, ASensorThatDropsEveryTenthFrameIsMeasuredAndItsLossCounted) {
    auto arguments = OneSensorArguments(stateFile_);
    arguments.insert(arguments.end(), {"--fault", "drop=10"});
    StartBench(arguments, 1);
    StartApp();
    // A lost answer is asked again after its wait, and the program takes no page change while a
    // request is outstanding: the operator clicks again until the page shows.
    const bool shown = app_->RunUntil(
        [&] {
            HWND start = FindControl(app_->FrameWindow(), IDC_MD_START);
            if (start != nullptr && ::IsWindowVisible(start) && ::IsWindowEnabled(start))
                return true;
            app_->Command(kCommandMeasureDiagram);
            return false;
        },
        10000);
    ASSERT_TRUE(shown);
    EXPECT_TRUE(Measure(*app_, 3000));
    EXPECT_TRUE(app_->IsRunning());
    // "Values: 31 (4 lost on the line)": the rows recorded, and the sets the counter check missed.
    const std::string count = WindowText(FindControl(app_->FrameWindow(), IDC_MD_COUNT));
    const size_t colon = count.find(':');
    const size_t open = count.find('(');
    ASSERT_NE(colon, std::string::npos) << count;
    ASSERT_NE(open, std::string::npos) << count;
    EXPECT_NE(count.find(TableText(IDS_MD_LOST_ON_LINE, LanguageOffset())), std::string::npos)
        << count;
    const int counted = std::atoi(count.c_str() + colon + 1);
    const int lost = std::atoi(count.c_str() + open + 1);

    const std::string csv = root_ + "/lossy.csv";
    ASSERT_TRUE(SaveValues(*app_, csv));
    const CsvFacts rows = ReadCsvRows(csv);
    ASSERT_TRUE(rows.valid) << ReadFile(csv);
    EXPECT_GT(rows.rows, 20);
    EXPECT_EQ(counted, rows.rows);
    // One set of ten lost: a ninth as many as arrive.
    EXPECT_NEAR(lost, rows.rows / 9.0, 2.0) << count;
    // Only values of the load: channel A its sine of 200 +- 100 N·m, B its constant 10 N·m.
    EXPECT_GE(rows.lowA, 99.9);
    EXPECT_LE(rows.highA, 300.1);
    EXPECT_NEAR(rows.lowB, 10.0, 0.1);
    EXPECT_NEAR(rows.highB, 10.0, 0.1);
}

TEST_F(Faults, ASaveThatCannotBeWrittenIsReportedAndASecondSaveElsewhereSucceeds) {
    StartBench(OneSensorArguments(stateFile_), 1);
    StartApp();
    ASSERT_TRUE(Measure(*app_, 1000));

    // A folder that cannot be written.
    const std::string refused = "/proc/kq7b-values.csv";
    EXPECT_FALSE(SaveValues(*app_, refused));
    EXPECT_FALSE(Exists(refused));
    ASSERT_EQ(app_->messages.size(), 1u);
    EXPECT_NE(app_->messages[0].text.find(refused), std::string::npos);
    app_->messages.clear();

    // A disk that fills up: the file-size limit of `ulimit -f`, its signal ignored as a shell
    // with that limit leaves it to the write to fail.
    const std::string full = root_ + "/full.bmp";
    rlimit saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 16 * 1024;
    setrlimit(RLIMIT_FSIZE, &small);
    EXPECT_FALSE(SaveDiagram(*app_, full));
    setrlimit(RLIMIT_FSIZE, &saved);
    signal(SIGXFSZ, SIG_DFL);
    EXPECT_EQ(app_->messages.size(), 1u);
    EXPECT_FALSE(Exists(full));  // nothing half-written under the final name

    // The recording stays: both saves succeed elsewhere.
    EXPECT_TRUE(SaveValues(*app_, root_ + "/values.csv"));
    EXPECT_TRUE(SaveDiagram(*app_, root_ + "/diagram.bmp"));
    EXPECT_TRUE(ReadBmp(root_ + "/diagram.bmp").valid);
}

}  // namespace
}  // namespace e2e
