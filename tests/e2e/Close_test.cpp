// Step nine of the road: the close protocol refuses the operator's close while the four ports of
// a device measure, but not the system's (a signal): that one stops the measurement and saves it;
// with one sensor it ends the program after writing what it keeps, and a second start in the
// same process restores the window, the language and the settings; a damaged settings file
// gives the defaults, a message and the file kept beside it.
#include <pthread.h>

#include <csignal>
#include <filesystem>
#include <fstream>

#include "Files.h"
#include "Road.h"
#include "app/SystemClose.h"
#include "pages/sensor/PortRowTexts.h"
#include "platform/ui/WinUser.h"
#include "platform/ui/menu/MenuApi.h"
#include "res/resource.h"
#include "tools/harness/RoadSteps.h"

namespace e2e {
namespace {

using Close = Road;

constexpr int kColumnSerial = 4;
constexpr int kColumnState = 6;

TEST_F(Close, ASecondStartRestoresWindowLanguageAndPage) {
    StartBench(OneSensorArguments(stateFile_), 1);
    StartApp();
    app_->Command(kCommandFrench);
    ShowPage(*app_, kCommandInformation);
    ::MoveWindow(app_->FrameWindow(), 40, 30, 900, 640, TRUE);
    app_->Run(200);
    RECT before{};
    ::GetWindowRect(app_->FrameWindow(), &before);

    ASSERT_TRUE(app_->Close());
    EXPECT_FALSE(app_->IsRunning());
    EXPECT_TRUE(std::filesystem::exists(app_->SettingsFile()));

    // The next start reads the settings file as a new process would.
    app_->ReloadSettings();
    ASSERT_TRUE(app_->Start());
    ASSERT_TRUE(WaitForMainWindow(*app_));
    app_->Run(300);
    RECT after{};
    ::GetWindowRect(app_->FrameWindow(), &after);
    EXPECT_EQ(after.left, before.left);
    EXPECT_EQ(after.top, before.top);
    EXPECT_EQ(after.right - after.left, before.right - before.left);
    EXPECT_EQ(after.bottom - after.top, before.bottom - before.top);
    char item[128] = {};
    ::GetMenuString(::GetMenu(app_->FrameWindow()), kCommandConnection, item, sizeof item,
                    MF_BYCOMMAND);
    EXPECT_EQ(std::string(item), TableText(5052, 4000));
    ASSERT_TRUE(app_->Close());
}

// The measured-value files in the documentation page's default folder.
std::vector<std::string> MeasuredValueFiles(const std::string& root) {
    std::vector<std::string> files;
    std::error_code ignored;
    for (const auto& entry :
         std::filesystem::directory_iterator(root + "/data/Brevan/Messwerte", ignored))
        files.push_back(entry.path().string());
    return files;
}

TEST_F(Close, TheOperatorsCloseIsRefusedDuringAMultiSensorMeasurementASignalSavesAndCloses) {
    StartBench();
    StartApp();
    ShowPage(*app_, kCommandDocumentation);
    HWND automatic = FindControl(app_->FrameWindow(), IDC_DOC_MW_MODE1);
    ASSERT_NE(automatic, nullptr);
    app_->Click(automatic);
    HWND list = ShowPortList(*app_);
    ASSERT_NE(list, nullptr);
    app_->Run(300);
    // A double-click on a port of the four-port device opens all four.
    const auto rowOf = [&](const std::string& serial) {
        const auto rows = ListRows(list, kPortListColumns);
        for (size_t row = 0; row < rows.size(); ++row) {
            if (rows[row][kColumnSerial] == serial)
                return static_cast<int>(row);
        }
        return -1;
    };
    const std::string active = TableText(5125, LanguageOffset());
    app_->DoubleClickAt(ListCell(list, rowOf("1003 (0)"), kColumnSerial));
    ASSERT_TRUE(app_->RunUntil(
        [&] {
            const auto rows = ListRows(list, kPortListColumns);
            int open = 0;
            for (const auto& row : rows)
                open += row[kColumnSerial].rfind("1003 (", 0) == 0 && row[kColumnState] == active;
            return open == 4;
        },
        20000));
    app_->Run(1000);

    ShowPage(*app_, kCommandMeasureDiagram);
    HWND start = FindControl(app_->FrameWindow(), IDC_MD_START);
    HWND stop = FindControl(app_->FrameWindow(), IDC_MD_STOP);
    ASSERT_TRUE(start && stop);
    ASSERT_TRUE(::IsWindowEnabled(start));
    app_->Click(start);
    ASSERT_TRUE(app_->RunUntil([&] { return ::IsWindowEnabled(stop) != FALSE; }, 3000));
    app_->Run(1000);
    ::PostMessage(app_->FrameWindow(), WM_CLOSE, 0, 0);
    app_->Run(1500);
    // Refused: the program runs on and still measures.
    EXPECT_TRUE(app_->IsRunning());
    EXPECT_TRUE(::IsWindowEnabled(stop));
    EXPECT_TRUE(MeasuredValueFiles(root_).empty());

    // The session ends: the program closes with the measurement saved.
    const sigset_t hangUp = [] {
        sigset_t set;
        sigemptyset(&set);
        sigaddset(&set, SIGHUP);
        return set;
    }();
    pthread_sigmask(SIG_BLOCK, &hangUp, nullptr);
    {
        const kq::app::CloseSignalWatch watch;
        pthread_kill(pthread_self(), SIGHUP);
        EXPECT_TRUE(app_->RunUntil([&] { return !app_->IsRunning(); }, 30000));
    }
    pthread_sigmask(SIG_UNBLOCK, &hangUp, nullptr);
    const std::vector<std::string> files = MeasuredValueFiles(root_);
    ASSERT_EQ(files.size(), 1u);
    const CsvFacts rows = ReadCsvRows(files.front());
    EXPECT_TRUE(rows.valid);
    EXPECT_GT(rows.rows, 10);
}

TEST_F(Close, ADamagedSettingsFileGivesDefaultsAMessageAndIsKeptBeside) {
    std::filesystem::create_directories(std::filesystem::path(app_->SettingsFile()).parent_path());
    std::ofstream(app_->SettingsFile()) << "Windows Registry Editor Version 5.00\n\n[HKEY_CURRENT_"
                                           "USER\\Software\\Brevan S.A.S.\\KQ7-B\\Language]\n"
                                           "\"Language\"=dword:zz\n";
    app_->ReloadSettings();
    StartBench(OneSensorArguments(stateFile_), 1);
    StartApp();
    ASSERT_FALSE(app_->messages.empty());
    EXPECT_NE(app_->messages.front().text.find("registry.reg"), std::string::npos)
        << app_->messages.front().text;
    bool keptBeside = false;
    for (const auto& entry : std::filesystem::directory_iterator(
             std::filesystem::path(app_->SettingsFile()).parent_path()))
        keptBeside |= entry.path().filename().string().rfind("registry.reg.damaged-", 0) == 0;
    EXPECT_TRUE(keptBeside);
    ASSERT_TRUE(app_->Close());
}

}  // namespace
}  // namespace e2e
