// The system's close while a message box or a modal dialog is open: a timer's box at the search
// (a sensor found streaming), the save dialog, and its question whether to create the file. The
// modal windows end as cancelled, the code that opened them runs on with its windows in place,
// and the program ends as it does otherwise, its settings saved. The search window's Exit ends
// the program whatever the search is doing. The program itself without a display: a second start
// on the same settings says why on standard error and fails, and a hang-up the start inherited
// as ignored (nohup) stays ignored.
#include <fcntl.h>
#include <pthread.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "Files.h"

#include "Road.h"
#include "app/SystemClose.h"
#include "platform/framework/MessageBox.h"
#include "platform/ui/WinUser.h"
#include "platform/ui/commdlg/DialogIds.h"
#include "tools/harness/RoadSteps.h"

namespace e2e {
namespace {

constexpr int kStartUpSearchAgain = 1257;
constexpr int kStartUpQuit = 1258;

// The close signals reach the program through its own watch, as its main sets it up; what is
// still pending when the watch goes is taken, so that it does not end the test.
class CloseSignals {
  public:
    CloseSignals() : set_(kq::app::CloseSignals()) {
        pthread_sigmask(SIG_BLOCK, &set_, &before_);
        watch_ = std::make_unique<kq::app::CloseSignalWatch>();
    }
    ~CloseSignals() {
        watch_.reset();
        const timespec none{};
        while (sigtimedwait(&set_, nullptr, &none) > 0) {
        }
        pthread_sigmask(SIG_SETMASK, &before_, nullptr);
    }
    CloseSignals(const CloseSignals&) = delete;
    CloseSignals& operator=(const CloseSignals&) = delete;
    void Send(int signal) const { pthread_kill(pthread_self(), signal); }

  private:
    sigset_t set_;
    sigset_t before_{};
    std::unique_ptr<kq::app::CloseSignalWatch> watch_;
};

class ClosingSignals : public Road {
  protected:
    // Message boxes as the program shows them without the driver: each in a modal loop of its
    // own. Their texts are kept.
    void ShowBoxesInTheirLoops() {
        kq::fw::SetMessageBoxFunction(
            [this](HWND owner, const CString& text, const CString& caption, UINT type) {
                boxes_.push_back(text.GetString());
                return ::MessageBox(owner, text, caption, type);
            });
    }
    bool Ended() {
        return app_->RunUntil([&] { return !app_->IsRunning(); }, 30000);
    }

    std::vector<std::string> boxes_;
};

// The start-up window while it shows.
HWND StartUpWindow() {
    for (HWND top = ::GetWindow(::GetDesktopWindow(), GW_CHILD); top != nullptr;
         top = ::GetWindow(top, GW_HWNDNEXT)) {
        if (::IsWindowVisible(top) && ::GetDlgItem(top, kStartUpSearchAgain) != nullptr)
            return top;
    }
    return nullptr;
}

TEST_F(ClosingSignals, ASignalWhileATimersBoxShowsEndsTheProgramOnceTheBoxHasGone) {
    // The sensor streams unasked from power-on: the search's box says so.
    auto arguments = OneSensorArguments(stateFile_);
    arguments.insert(arguments.end(), {"--fault", "stream=3"});
    StartBench(arguments, 1);
    ShowBoxesInTheirLoops();
    const CloseSignals signals;
    app_->WhenModal([&](HWND) {
        signals.Send(SIGTERM);
        return true;
    });
    ASSERT_TRUE(app_->Start());
    EXPECT_TRUE(Ended());
    ASSERT_EQ(boxes_.size(), 1u);
    EXPECT_NE(boxes_.front().find("kontinuierlichen Messmodus"), std::string::npos);
    EXPECT_TRUE(std::filesystem::exists(app_->SettingsFile()));
}

TEST_F(ClosingSignals, ASignalWhileTheSaveDialogOrItsCreateQuestionShowsEndsTheProgram) {
    StartBench(OneSensorArguments(stateFile_), 1);
    ShowBoxesInTheirLoops();
    const CloseSignals signals;
    const std::string csv = root_ + "/values.csv";
    for (const bool question : {false, true}) {
        SCOPED_TRACE(question ? "the create question" : "the save dialog");
        app_->ReloadSettings();
        StartApp();
        ASSERT_TRUE(Measure(*app_, 500));
        // Saved from another page: the next start shows that one.
        ShowPage(*app_, kCommandInformation);
        if (question) {
            app_->WhenModal(
                [&](HWND dialog) { return AppDriver::FillAndPress(dialog, edt1, csv, IDOK); });
        }
        app_->WhenModal([&](HWND) {
            signals.Send(question ? SIGINT : SIGHUP);
            return true;
        });
        app_->Command(kCommandSaveValues);
        EXPECT_TRUE(Ended());
        EXPECT_FALSE(std::filesystem::exists(csv));
        EXPECT_TRUE(std::filesystem::exists(app_->SettingsFile()));
    }
}

TEST_F(ClosingSignals, TheSearchWindowsExitEndsTheProgramWhenTheSensorOfLastTimeIsGone) {
    // A day with the sensor, then its ports named still, but gone. They are named by links that go
    // with the simulator: a pseudo-terminal's own name may meanwhile be another program's.
    StartBench(WithPortLinks(OneSensorArguments(stateFile_)), 1);
    StartApp();
    ASSERT_TRUE(app_->Close());
    bench_.reset();
    for (int start = 0; start < 2; ++start) {
        SCOPED_TRACE(start);
        app_->ReloadSettings();
        ASSERT_TRUE(app_->Start());
        HWND startUp = nullptr;
        bool mainShown = false;
        ASSERT_TRUE(app_->RunUntil(
            [&] {
                mainShown = mainShown || ::IsWindowVisible(app_->FrameWindow());
                startUp = StartUpWindow();
                return startUp != nullptr &&
                       ::IsWindowVisible(::GetDlgItem(startUp, kStartUpQuit)) &&
                       (start == 0) !=
                           (::IsWindowVisible(::GetDlgItem(startUp, kStartUpSearchAgain)) != FALSE);
            },
            60000));
        app_->Click(::GetDlgItem(startUp, kStartUpQuit));
        EXPECT_TRUE(app_->RunUntil(
            [&] {
                mainShown = mainShown || ::IsWindowVisible(app_->FrameWindow());
                return !app_->IsRunning();
            },
            30000));
        EXPECT_FALSE(mainShown);
    }
}

// The program (build/app/kq7b) without a display, in a home folder of its own, no ports
// declared, its output in a file; SIGHUP ignored at its start when asked, as nohup starts it.
pid_t StartProgram(const std::string& home, const std::string& output, bool hangUpIgnored) {
    for (const char* folder : {"/.config", "/.local/share", "/Documents", "/run"})
        std::filesystem::create_directories(home + folder);
    std::vector<std::string> env = {"HOME=" + home,
                                    "XDG_CONFIG_HOME=" + home + "/.config",
                                    "XDG_DATA_HOME=" + home + "/.local/share",
                                    "XDG_DOCUMENTS_DIR=" + home + "/Documents",
                                    "XDG_RUNTIME_DIR=" + home + "/run",
                                    "TMPDIR=" + home,
                                    "KQ7B_BACKEND=headless",
                                    "KQ7B_EXTRA_PORTS="};
    for (const char* keep : {"PATH", "ASAN_OPTIONS", "UBSAN_OPTIONS", "LSAN_OPTIONS"}) {
        if (const char* value = std::getenv(keep))
            env.push_back(std::string(keep) + "=" + value);
    }
    std::vector<char*> envp;
    for (std::string& e : env)
        envp.push_back(e.data());
    envp.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, output.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0644);
    posix_spawn_file_actions_adddup2(&actions, 1, 2);
    struct sigaction ignore {};
    struct sigaction before {};
    ignore.sa_handler = SIG_IGN;
    if (hangUpIgnored)
        sigaction(SIGHUP, &ignore, &before);
    std::string program = KQ7B_PROGRAM;
    char* argv[] = {program.data(), nullptr};
    pid_t pid = -1;
    if (posix_spawn(&pid, program.c_str(), &actions, nullptr, argv, envp.data()) != 0)
        pid = -1;
    if (hangUpIgnored)
        sigaction(SIGHUP, &before, nullptr);
    posix_spawn_file_actions_destroy(&actions);
    return pid;
}

// The exit code once the program has ended within ms; -1 while it runs, -2 when a signal
// ended it.
int ExitCode(pid_t pid, int ms) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    for (;;) {
        int status = 0;
        if (waitpid(pid, &status, WNOHANG) == pid)
            return WIFEXITED(status) ? WEXITSTATUS(status) : -2;
        if (std::chrono::steady_clock::now() >= deadline)
            return -1;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
}

// Some file below the folder whose name ends so.
bool FileEndingIn(const std::string& folder, const std::string& ending) {
    std::error_code ec;
    for (auto it = std::filesystem::recursive_directory_iterator(folder, ec);
         it != std::filesystem::recursive_directory_iterator(); it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (name.size() >= ending.size() &&
            name.compare(name.size() - ending.size(), ending.size(), ending) == 0)
            return true;
    }
    return false;
}

TEST(ProgramWithoutDisplay, ASecondStartSaysWhyAndFailsAHangUpIgnoredAtTheStartStaysIgnored) {
    char pattern[] = "/tmp/kq7b-e2e-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    const std::string root = pattern;
    const std::string home = root + "/home";
    const pid_t first = StartProgram(home, root + "/first.log", true);
    ASSERT_GT(first, 0);
    // Running: it holds the settings.
    bool holds = false;
    for (int i = 0; i < 500 && !holds && ExitCode(first, 0) == -1; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        holds = FileEndingIn(home, ".instance");
    }
    ASSERT_TRUE(holds) << ReadFile(root + "/first.log");
    kill(first, SIGHUP);
    EXPECT_EQ(ExitCode(first, 1500), -1) << "a hang-up ignored at the start ended the program";

    const pid_t second = StartProgram(home, root + "/second.log", false);
    ASSERT_GT(second, 0);
    const int refused = ExitCode(second, 20000);
    if (refused == -1) {
        kill(second, SIGKILL);
        ExitCode(second, 5000);
    }
    EXPECT_EQ(refused, 1);
    const std::string said = ReadFile(root + "/second.log");
    EXPECT_NE(said.find("KQ7-B"), std::string::npos) << said;

    kill(first, SIGTERM);
    const int ended = ExitCode(first, 30000);
    if (ended == -1) {
        kill(first, SIGKILL);
        ExitCode(first, 5000);
    }
    EXPECT_EQ(ended, 0) << ReadFile(root + "/first.log");
    if (!::testing::Test::HasFailure()) {
        std::error_code ec;
        std::filesystem::remove_all(root, ec);
    }
}

}  // namespace
}  // namespace e2e
