// A sensor line that misbehaves: random bytes before every frame, damaged check bytes (while
// measuring and while the sensor's rate is changed), answers that come late while streaming, and
// answers later than the search waits. The program finds the sensor where the line allows it (or
// says in the user's language that it finds none), counts and shows the value sets the line loses,
// shows and records only values of the load, and runs on.
#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>

#include "Files.h"
#include "Road.h"
#include "app/SettingsValues.h"
#include "foundation/SharedConstants.h"
#include "pages/sensor/PortRowTexts.h"
#include "platform/base/StringFormat.h"
#include "platform/ui/WinUser.h"
#include "protocol/BlockLayouts.h"
#include "res/resource.h"
#include "tools/harness/RoadSteps.h"

namespace e2e {
namespace {

constexpr int kPortListId = 1076;
constexpr int kColumnBaudrate = 2;
constexpr int kColumnSerial = 4;
constexpr int kColumnState = 6;
constexpr int kStateActive = 5125;
constexpr int kStateChecking = 5355;
constexpr int kNoSensorFound = 5303;
constexpr int kStartUpMessage = 1254;
constexpr int kStartUpSearchAgain = 1257;
constexpr int kStartUpQuit = 1258;
constexpr int64_t kMeasureMs = 2000;

// What one measurement on the faulty line left: the views' values while it ran, the value sets
// the counter check found missing, the count on the page and the saved file's rows.
struct RunFacts {
    std::vector<std::vector<double>> shown;
    uint64_t lost = 0;
    int counted = -1;
    int rows = -1;
    double lowA = 0, highA = 0, lowB = 0, highB = 0;
};

class LineFaults : public Road {
  protected:
    // The sensor of OneSensorArguments behind the fault; the program started, the sensor open,
    // a measurement made and its values saved.
    RunFacts MeasureBehind(const std::string& fault) {
        RunFacts facts;
        auto arguments = OneSensorArguments(stateFile_);
        arguments.insert(arguments.end(), {"--fault", fault});
        StartBench(arguments, 1);
        StartApp();
        // Opening the sensor takes longer on a bad line, and the program takes no page change
        // while it asks: the operator clicks again until the page shows. The connection page
        // lists the sensor open, at the rate it runs at, then the measuring page can start.
        const std::string active = TableText(kStateActive, LanguageOffset());
        std::vector<std::string> row;
        EXPECT_TRUE(ShowUntil(kCommandConnection, [&] {
            row = RowOfTheSensor();
            return !row.empty() && row[kColumnState] == active;
        })) << (row.empty() ? "not listed" : row[kColumnState]);
        if (!row.empty()) {
            EXPECT_EQ(row[kColumnBaudrate], BaudrateText(230400).GetString());
        }
        const bool ready = ShowUntil(kCommandMeasureDiagram, [&] {
            HWND start = FindControl(app_->FrameWindow(), IDC_MD_START);
            return ::IsWindowVisible(start) && ::IsWindowEnabled(start);
        });
        EXPECT_TRUE(ready) << fault;
        if (!ready)
            return facts;

        EXPECT_TRUE(Measure(*app_, kMeasureMs / 2, [&] {
            facts.shown.push_back(ShownChannelValues(app_->FrameWindow()));
            app_->Run(kMeasureMs / 2);
            facts.shown.push_back(ShownChannelValues(app_->FrameWindow()));
        }));
        // "Values: 31 (9 lost on the line)": the count, and the sets the counter check missed.
        const std::string counted = WindowText(FindControl(app_->FrameWindow(), IDC_MD_COUNT));
        if (counted.find(':') != std::string::npos)
            facts.counted = std::atoi(counted.substr(counted.find(':') + 1).c_str());
        const std::string lostText = TableText(IDS_MD_LOST_ON_LINE, LanguageOffset());
        const size_t open = counted.find('(');
        if (open != std::string::npos && counted.find(lostText) != std::string::npos)
            facts.lost = std::strtoull(counted.c_str() + open + 1, nullptr, 10);

        const std::string csv = root_ + "/values.csv";
        EXPECT_TRUE(SaveValues(*app_, csv));
        const CsvFacts rows = ReadCsvRows(csv);
        EXPECT_TRUE(rows.valid) << ReadFile(csv);
        facts.rows = rows.rows;
        facts.lowA = rows.lowA;
        facts.highA = rows.highA;
        facts.lowB = rows.lowB;
        facts.highB = rows.highB;
        EXPECT_TRUE(app_->IsRunning());
        EXPECT_TRUE(app_->messages.empty()) << app_->messages.front().text;
        return facts;
    }

    // The page of the command shown until `shown` holds (the command given again while it
    // does not); whether it came to hold.
    bool ShowUntil(UINT command, const std::function<bool()>& shown) {
        return app_->RunUntil(
            [&] {
                if (shown())
                    return true;
                app_->Command(command);
                return false;
            },
            15000);
    }

    // The cells of the simulated sensor's row on the connection page (empty while the page or
    // the row does not show).
    std::vector<std::string> RowOfTheSensor() {
        HWND list = FindControl(app_->FrameWindow(), kPortListId);
        if (!::IsWindowVisible(list))
            return {};
        for (auto& row : ListRows(list, kPortListColumns)) {
            if (row[kColumnSerial] == "1001")
                return row;
        }
        return {};
    }

    // 230400 down to 115200 in the sensor's baud cell: the sensor takes the rate into its memory
    // (the simulator's state file) and restarts; the program's new search opens it at the new
    // rate, and the page lists it so.
    void ExpectABaudChangeFoundAgain() {
        ASSERT_TRUE(ShowUntil(kCommandConnection, [&] { return !RowOfTheSensor().empty(); }));
        HWND list = FindControl(app_->FrameWindow(), kPortListId);
        const auto rows = ListRows(list, kPortListColumns);
        int index = 0;
        while (index < static_cast<int>(rows.size()) && rows[index][kColumnSerial] != "1001")
            ++index;
        ASSERT_TRUE(OpenCellEditor(*app_, list, index, kColumnBaudrate));
        app_->Key(VK_UP);
        app_->Key(VK_RETURN);
        // The cell shows the chosen rate at once; that the sensor is open again at it, the page
        // tells once the program's new search (its rows checking) has ended.
        const std::string checking = TableText(kStateChecking, LanguageOffset());
        bool searched = false;
        EXPECT_TRUE(app_->RunUntil(
            [&] {
                for (auto& row : ListRows(list, kPortListColumns))
                    searched = searched || row[kColumnState] == checking;
                return searched && SensorBaudCode(stateFile_, "1001") == tarvik::kBaudCode115200;
            },
            15000));
        const std::string active = TableText(kStateActive, LanguageOffset());
        std::vector<std::string> row;
        EXPECT_TRUE(ShowUntil(kCommandConnection, [&] {
            row = RowOfTheSensor();
            return !row.empty() && row[kColumnState] == active &&
                   row[kColumnBaudrate] == BaudrateText(115200).GetString();
        })) << (row.empty() ? "not listed" : row[kColumnState] + " " + row[kColumnBaudrate]);
        EXPECT_TRUE(app_->messages.empty()) << app_->messages.front().text;
    }

    // Channel A follows the sine load of 200 +- 100 N·m, channel B its constant 10 N·m, within
    // the last digit shown: in the views while measuring and in every row of the file; the page
    // counts the rows the file holds.
    static void ExpectTheLoad(const RunFacts& facts) {
        ASSERT_EQ(facts.shown.size(), 2u);
        for (const auto& views : facts.shown) {
            ASSERT_EQ(views.size(), 2u);
            EXPECT_NEAR(views[0], 10.0, 0.1);
            EXPECT_GE(views[1], 99.9);
            EXPECT_LE(views[1], 300.1);
        }
        EXPECT_GE(facts.lowA, 99.9);
        EXPECT_LE(facts.highA, 300.1);
        EXPECT_NEAR(facts.lowB, 10.0, 0.1);
        EXPECT_NEAR(facts.highB, 10.0, 0.1);
        EXPECT_EQ(facts.counted, facts.rows);
    }

    // The start-up window while it shows (the main window hidden behind it).
    static HWND StartUpWindow() {
        for (HWND top = ::GetWindow(::GetDesktopWindow(), GW_CHILD); top != nullptr;
             top = ::GetWindow(top, GW_HWNDNEXT)) {
            if (::IsWindowVisible(top) && ::GetDlgItem(top, kStartUpSearchAgain) != nullptr)
                return top;
        }
        return nullptr;
    }

    // The program as a user left it last time: in the run's language.
    void SettingsInTheRunsLanguage() {
        const int stored = LanguageOffset() == 4000 ? 2000 : LanguageOffset();
        std::filesystem::create_directories(
            std::filesystem::path(app_->SettingsFile()).parent_path());
        const std::string key = "[HKEY_CURRENT_USER\\Software\\Brevan S.A.S.\\KQ7-B\\";
        std::ofstream(app_->SettingsFile())
            << "Windows Registry Editor Version 5.00\n\n"
            << key << "Version]\n\"Version\"=\""
            << SettingsVersionText(kSettingsVersion).GetString() << "\"\n\n"
            << key << "Language]\n\"IsFirstTimeOfApp\"=\"No\"\n"
            << kq::Format("\"Language\"=dword:%08x\n", stored);
        app_->ReloadSettings();
    }
};

TEST_F(LineFaults, RandomBytesBeforeEveryFrameLoseNothing) {
    const RunFacts facts = MeasureBehind("garbage=40");
    ExpectTheLoad(facts);
    EXPECT_EQ(facts.lost, 0u);
    EXPECT_GE(facts.rows, 10);
}

TEST_F(LineFaults, FramesWithWrongCheckBytesAreCountedAsLostAndABaudChangeGetsThrough) {
    // Every fourth frame damaged: a third as many value sets lost as arrive.
    const RunFacts facts = MeasureBehind("corrupt=4");
    ExpectTheLoad(facts);
    EXPECT_GE(facts.rows, 10);
    EXPECT_GT(facts.lost, 0u);
    EXPECT_NEAR(static_cast<double>(facts.lost), facts.rows / 3.0, 2.0) << facts.rows;
    // The sensor's memory written and the sensor restarted over the same line, whichever of
    // the answers on the way are damaged.
    ExpectABaudChangeFoundAgain();
}

TEST_F(LineFaults, AnswersLateWithinTheWaitsAreMeasuredAndCountedToTheEnd) {
    // Every frame 150 ms late, within every answer wait: the value sets still on the way when
    // Stop is clicked are recorded, and the page counts them too.
    const RunFacts facts = MeasureBehind("delay=150");
    ExpectTheLoad(facts);
    EXPECT_EQ(facts.lost, 0u);
    EXPECT_GE(facts.rows, 10);
}

TEST_F(LineFaults, AnswersLaterThanTheSearchWaitsFindNoSensorAndTheProgramEndsOnRequest) {
    SettingsInTheRunsLanguage();
    auto arguments = OneSensorArguments(stateFile_);
    // Every answer comes 600 ms late, three times the search's wait for one: late enough that
    // a program slowed down by a loaded machine still gives up on the port before it arrives.
    arguments.insert(arguments.end(), {"--fault", "delay=600"});
    StartBench(arguments, 1);
    ASSERT_TRUE(app_->Start());
    const std::string noSensor = TableText(kNoSensorFound, LanguageOffset());
    // The search ends without a sensor, and says so; searching again ends the same way.
    for (int search = 0; search < 2; ++search) {
        HWND startUp = nullptr;
        ASSERT_TRUE(app_->RunUntil(
            [&] {
                startUp = StartUpWindow();
                return startUp != nullptr &&
                       ::IsWindowVisible(::GetDlgItem(startUp, kStartUpSearchAgain));
            },
            // A deadline, not a wait: on a loaded machine the search's answer waits stretch.
            60000))
            << "search " << search;
        EXPECT_EQ(WindowText(::GetDlgItem(startUp, kStartUpMessage)), noSensor);
        EXPECT_FALSE(::IsWindowVisible(app_->FrameWindow()));
        if (search == 0) {
            app_->Click(::GetDlgItem(startUp, kStartUpSearchAgain));
            EXPECT_FALSE(::IsWindowVisible(::GetDlgItem(startUp, kStartUpSearchAgain)));
        } else {
            app_->Click(::GetDlgItem(startUp, kStartUpQuit));
        }
    }
    EXPECT_TRUE(app_->RunUntil([&] { return !app_->IsRunning(); }, 10000));
    EXPECT_TRUE(app_->messages.empty()) << app_->messages.front().text;
}

}  // namespace
}  // namespace e2e
