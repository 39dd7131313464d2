#include "RealProgram.h"

#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>
#include <vector>

#include "ui/XvfbServer.h"

extern char** environ;

namespace x11test {
namespace {

namespace fs = std::filesystem;

std::string ReadFile(const std::string& path) {
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

bool XvfbInstalled() {
    const char* path = std::getenv("PATH");
    std::stringstream dirs(path != nullptr ? path : "/usr/bin:/bin");
    for (std::string dir; std::getline(dirs, dir, ':');)
        if (!dir.empty() && access((dir + "/Xvfb").c_str(), X_OK) == 0)
            return true;
    return false;
}

}  // namespace

RealProgram::RealProgram() = default;

RealProgram::~RealProgram() {
    Kill();
    bench_.Stop();
    if (windowManager_ > 0) {
        kill(windowManager_, SIGTERM);
        waitpid(windowManager_, nullptr, 0);
    }
    hands_.Close();  // before its server goes
    xvfb_.reset();
    if (!folder_.empty() && !keep_) {
        std::error_code ec;
        fs::remove_all(folder_, ec);
    }
}

std::string RealProgram::Documents() const {
    return folder_ + "/home/Documents";
}

std::string RealProgram::RunOnDisplay(const std::string& command, const std::string& input) const {
    const std::string inputFile = folder_ + "/command-input";
    std::ofstream(inputFile, std::ios::binary) << input;
    const std::string line = "DISPLAY=" + display_ + " timeout 10 " + command + " < " + inputFile;
    FILE* pipe = popen(line.c_str(), "r");
    if (pipe == nullptr)
        return {};
    std::string output;
    char buffer[512];
    for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
        output.append(buffer, n);
    pclose(pipe);
    return output;
}

void RealProgram::EndDisplay() {
    hands_.Close();
    if (xvfb_)
        xvfb_->Stop();
}

bool RealProgram::StartDesktop(const Desktop& desktop, std::string* why) {
    if (!desktop.monitors.empty())
        hands_.SetMonitors(desktop.monitors);
    if (!desktop.resources.empty())
        hands_.SetResources(desktop.resources);
    const std::string display = "DISPLAY=" + display_;
    if (!desktop.layout.empty()) {
        const std::string command =
            "setxkbmap -display " + display_ + " " + desktop.layout + " >/dev/null 2>&1";
        if (std::system(command.c_str()) != 0) {
            *why = "setxkbmap " + desktop.layout + " failed";
            return false;
        }
    }
    if (!desktop.windowManager)
        return true;
    const char* path = std::getenv("PATH");
    std::vector<std::string> env{display, "HOME=" + folder_ + "/home",
                                 std::string("PATH=") + (path != nullptr ? path : "/usr/bin")};
    std::vector<char*> envp;
    for (std::string& e : env)
        envp.push_back(e.data());
    envp.push_back(nullptr);
    char name[] = "openbox";
    char* argv[] = {name, nullptr};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    const int spawned = posix_spawnp(&windowManager_, name, &actions, nullptr, argv, envp.data());
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) {
        windowManager_ = -1;
        *why = "openbox is not installed";
        return false;
    }
    for (int i = 0; i < 250 && !hands_.WindowManagerRuns(); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    if (!hands_.WindowManagerRuns()) {
        *why = "openbox did not come up";
        return false;
    }
    return true;
}

bool RealProgram::Start(std::string* why, bool* noXvfb, const Desktop& desktop) {
    *noXvfb = !XvfbInstalled();
    if (*noXvfb) {
        *why = "Xvfb is not installed";
        return false;
    }
    char pattern[] = "/tmp/kq7b-x11-XXXXXX";
    if (mkdtemp(pattern) == nullptr) {
        *why = "no work folder";
        return false;
    }
    folder_ = pattern;
    for (const char* sub : {"/home/Documents", "/home/.config", "/home/.local/share", "/run"})
        fs::create_directories(folder_ + sub);
    chmod((folder_ + "/run").c_str(), 0700);

    xvfb_ = std::make_unique<kq::ui::test::Xvfb>(desktop.screens);
    display_ = xvfb_->Name();
    if (display_.empty()) {
        *why = "Xvfb did not start";
        return false;
    }
    if (!hands_.Open(display_)) {
        *why = "the display " + display_ + " has no XTest";
        return false;
    }
    if (!StartDesktop(desktop, why))
        return false;
    const std::vector<std::string> sensor = {
        "--sensor", "serial=1001,baud=230400,signal-a=sine:20000:10000:8,signal-b=const:1000",
        "--state", folder_ + "/sensors.state"};
    if (!bench_.Start(KQ7B_SIMULATOR, sensor, 1, folder_ + "/simulator.log", why))
        return false;

    environment_ = {
        "DISPLAY=" + display_,
        "HOME=" + folder_ + "/home",
        "XDG_CONFIG_HOME=" + folder_ + "/home/.config",
        "XDG_DATA_HOME=" + folder_ + "/home/.local/share",
        "XDG_DOCUMENTS_DIR=" + Documents(),
        "XDG_RUNTIME_DIR=" + folder_ + "/run",
        "KQ7B_BACKEND=x11",
        "KQ7B_EXTRA_PORTS=" + bench_.ExtraPortsText(),
        "TMPDIR=" + folder_,
    };
    for (const char* keep : {"PATH", "LANG", "LC_ALL", "ASAN_OPTIONS", "UBSAN_OPTIONS",
                             "LSAN_OPTIONS", "FONTCONFIG_PATH"}) {
        if (const char* value = std::getenv(keep))
            environment_.push_back(std::string(keep) + "=" + value);
    }
    return StartAgain(why);
}

bool RealProgram::StartAgain(std::string* why) {
    if (pid_ > 0) {
        *why = "the program still runs";
        return false;
    }
    std::vector<char*> envp;
    for (std::string& e : environment_)
        envp.push_back(e.data());
    envp.push_back(nullptr);
    // Each run's output follows the one before, for the sanitizers' reports of all.
    const std::string output = folder_ + "/program.log";
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, output.c_str(), O_WRONLY | O_CREAT | O_APPEND,
                                     0644);
    posix_spawn_file_actions_adddup2(&actions, 1, 2);
    std::string program = KQ7B_PROGRAM;
    char* argv[] = {program.data(), nullptr};
    const int spawned = posix_spawn(&pid_, program.c_str(), &actions, nullptr, argv, envp.data());
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) {
        pid_ = -1;
        *why = "cannot start " + program;
        return false;
    }
    exitCode_ = -1;
    return true;
}

bool RealProgram::IsRunning() {
    return WaitForExit(0) == -1 && pid_ > 0;
}

int RealProgram::WaitForExit(int ms) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    while (pid_ > 0) {
        int status = 0;
        if (waitpid(pid_, &status, WNOHANG) == pid_) {
            pid_ = -1;
            exitCode_ = WIFEXITED(status) ? WEXITSTATUS(status) : -2;
            break;
        }
        if (std::chrono::steady_clock::now() >= deadline)
            return -1;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return exitCode_;
}

void RealProgram::Kill() {
    if (pid_ <= 0)
        return;
    kill(pid_, SIGKILL);
    waitpid(pid_, nullptr, 0);
    pid_ = -1;
}

std::string RealProgram::SanitizerReport() const {
    std::stringstream lines(ReadFile(folder_ + "/program.log"));
    std::string report;
    for (std::string line; std::getline(lines, line);) {
        if (line.find("Sanitizer") != std::string::npos ||
            line.find("runtime error:") != std::string::npos)
            report += line + "\n";
    }
    return report;
}

std::string RealProgram::OutputTail() const {
    const std::string text = ReadFile(folder_ + "/program.log");
    return text.size() > 2000 ? text.substr(text.size() - 2000) : text;
}

}  // namespace x11test
