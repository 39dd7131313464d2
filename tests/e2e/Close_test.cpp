// Step nine of the road: the close protocol refuses the operator's close while the four ports of
// a device measure, but not the system's (a signal): that one stops the measurement and saves it;
// with one sensor it ends the program after writing what it keeps, and a second start in the
// same process restores the window, the language and the settings; a damaged settings file
// (one cut at a line end too) gives the defaults, a message and the file kept beside it; settings
// that cannot be read or written leave the sensors found and say so once; a second program on
// the same settings is refused.
#include <fcntl.h>
#include <linux/fs.h>
#include <pthread.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <fstream>

#include "Files.h"
#include "Road.h"
#include "app/InstanceLock.h"
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
    // A double-click on a port of the four-port device opens all four.
    const auto rowOf = [&](const std::string& serial) {
        const auto rows = ListRows(list, kPortListColumns);
        for (size_t row = 0; row < rows.size(); ++row) {
            if (rows[row][kColumnSerial] == serial)
                return static_cast<int>(row);
        }
        return -1;
    };
    ASSERT_TRUE(app_->RunUntil([&] { return rowOf("1003 (0)") >= 0; }, 10000));
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

    ShowPage(*app_, kCommandMeasureDiagram);
    HWND start = FindControl(app_->FrameWindow(), IDC_MD_START);
    HWND stop = FindControl(app_->FrameWindow(), IDC_MD_STOP);
    ASSERT_TRUE(start && stop);
    ASSERT_TRUE(app_->RunUntil([&] { return ::IsWindowEnabled(start) != FALSE; }, 10000));
    app_->Click(start);
    ASSERT_TRUE(app_->RunUntil([&] { return ::IsWindowEnabled(stop) != FALSE; }, 10000));
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
    EXPECT_GT(rows.rows, 0);
}

bool DamagedFileBeside(const std::string& settingsFile) {
    for (const auto& entry :
         std::filesystem::directory_iterator(std::filesystem::path(settingsFile).parent_path())) {
        if (entry.path().filename().string().rfind("registry.reg.damaged-", 0) == 0)
            return true;
    }
    return false;
}

TEST_F(Close, SettingsCutAtALineEndAreDamageNotAnotherVersion) {
    StartBench(OneSensorArguments(stateFile_), 1);
    StartApp();
    ASSERT_TRUE(app_->Close());
    // The last section, the version, is lost: the file ends at the line before it.
    std::string text = ReadFile(app_->SettingsFile());
    const size_t version = text.find("\\Version]");
    ASSERT_NE(version, std::string::npos);
    text.resize(text.rfind('\n', version) + 1);
    std::ofstream(app_->SettingsFile(), std::ios::trunc) << text;

    app_->ReloadSettings();
    StartApp();
    ASSERT_EQ(app_->messages.size(), 1u);
    EXPECT_NE(app_->messages.front().text.find("registry.reg"), std::string::npos);
    EXPECT_TRUE(DamagedFileBeside(app_->SettingsFile()));
    ASSERT_TRUE(app_->Close());
}

// Makes a folder that no one, not even the superuser, can write in; false where it cannot.
bool MakeUnwritable(const std::string& folder, bool unwritable) {
    ::chmod(folder.c_str(), unwritable ? 0500 : 0700);
    if (::geteuid() != 0)
        return true;
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY);
    int flags = 0;
    bool done = fd >= 0 && ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
    flags = unwritable ? flags | FS_IMMUTABLE_FL : flags & ~FS_IMMUTABLE_FL;
    done = done && ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
    if (fd >= 0)
        ::close(fd);
    return done;
}

TEST_F(Close, SettingsThatCannotBeReadOrWrittenLeaveTheSensorsFoundAndAreToldOnce) {
    StartBench(OneSensorArguments(stateFile_), 1);
    // A settings "file" that cannot be read.
    std::filesystem::create_directories(app_->SettingsFile());
    app_->ReloadSettings();
    StartApp();
    ASSERT_TRUE(app_->Close());
    ASSERT_EQ(app_->messages.size(), 1u);
    EXPECT_NE(app_->messages.front().text.find(app_->SettingsFile()), std::string::npos);
    EXPECT_TRUE(std::filesystem::is_directory(app_->SettingsFile())) << "left as it was";

    // A settings folder that cannot be written, with no file in it yet.
    app_->messages.clear();
    std::filesystem::remove_all(app_->SettingsFile());
    const std::string folder = std::filesystem::path(app_->SettingsFile()).parent_path();
    if (!MakeUnwritable(folder, true))
        GTEST_SKIP() << "the folder cannot be made unwritable here";
    app_->ReloadSettings();
    StartApp();
    EXPECT_EQ(app_->messages.size(), 1u) << "told at the start";
    ASSERT_TRUE(app_->Close());
    MakeUnwritable(folder, false);
    ASSERT_EQ(app_->messages.size(), 1u);
    EXPECT_NE(app_->messages.front().text.find(app_->SettingsFile()), std::string::npos);
}

TEST_F(Close, ASecondProgramOnTheSameSettingsIsRefused) {
    StartBench(OneSensorArguments(stateFile_), 1);
    kq::app::InstanceLock first;
    ASSERT_TRUE(first.Take(app_->SettingsFile(), false));
    EXPECT_FALSE(app_->Start());
    ASSERT_EQ(app_->messages.size(), 1u);
    EXPECT_NE(app_->messages.front().text.find("KQ7-B"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(app_->SettingsFile())) << "nothing written";
    first.Release();
    StartApp();
    ASSERT_TRUE(app_->Close());
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
