#include "tools/harness/SensorBench.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>

namespace e2e {

namespace {

constexpr int kStartTimeoutMs = 10000;

constexpr int kAnswerTimeoutMs = 3000;

// The next line the simulator prints, within `timeoutMs`; false when none comes.
bool ReadLine(int fd, std::string& pending, int timeoutMs, std::string& line) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    for (size_t end; (end = pending.find('\n')) == std::string::npos;) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                              deadline - std::chrono::steady_clock::now())
                              .count();
        pollfd p{fd, POLLIN, 0};
        if (left <= 0 || poll(&p, 1, static_cast<int>(left)) <= 0)
            return false;
        char buffer[512];
        const ssize_t n = read(fd, buffer, sizeof buffer);
        if (n <= 0)
            return false;
        pending.append(buffer, static_cast<size_t>(n));
    }
    const size_t end = pending.find('\n');
    line = pending.substr(0, end);
    pending.erase(0, end + 1);
    return true;
}

// Reads "port N: <path>" lines until `count` paths are known or the time is up.
bool ReadPorts(int fd, std::string& pending, int count, std::vector<std::string>& ports) {
    for (std::string line; static_cast<int>(ports.size()) < count;) {
        if (!ReadLine(fd, pending, kStartTimeoutMs, line))
            return false;
        const size_t colon = line.find(": ");
        if (line.rfind("port ", 0) == 0 && colon != std::string::npos)
            ports.push_back(line.substr(colon + 2));
    }
    return true;
}

}  // namespace

bool SensorBench::Start(const std::string& program, const std::vector<std::string>& arguments,
                        int ports, const std::string& logFile, std::string* error) {
    Stop();
    // A command to a simulator that has ended must fail, not end this process.
    signal(SIGPIPE, SIG_IGN);
    int out[2];
    int in[2];
    if (pipe2(out, O_CLOEXEC) != 0) {
        *error = "no pipe for the simulator's output";
        return false;
    }
    if (pipe2(in, O_CLOEXEC) != 0) {
        close(out[0]);
        close(out[1]);
        *error = "no pipe for the simulator's commands";
        return false;
    }
    std::vector<std::string> all{program};
    all.insert(all.end(), arguments.begin(), arguments.end());
    all.insert(all.end(), {"--log", logFile, "--control"});
    std::vector<char*> argv;
    for (std::string& a : all)
        argv.push_back(a.data());
    argv.push_back(nullptr);

    // The simulator ends with this process, whatever way it ends; it waits for its signals with
    // sigwait, so it must not inherit them blocked.
    const pid_t child = fork();
    if (child == 0) {
        prctl(PR_SET_PDEATHSIG, SIGTERM);
        sigset_t none;
        sigemptyset(&none);
        sigprocmask(SIG_SETMASK, &none, nullptr);
        dup2(out[1], STDOUT_FILENO);
        dup2(in[0], STDIN_FILENO);
        execv(program.c_str(), argv.data());
        _exit(127);
    }
    close(out[1]);
    close(in[0]);
    if (child < 0) {
        close(out[0]);
        close(in[1]);
        *error = "cannot start " + program;
        return false;
    }
    pid_ = child;
    answers_ = out[0];
    commands_ = in[1];
    pending_.clear();
    ports_.clear();
    if (!ReadPorts(answers_, pending_, ports, ports_)) {
        Stop();
        *error = program + " did not name its ports (see " + logFile + ")";
        return false;
    }
    return true;
}

void SensorBench::Stop() {
    if (pid_ <= 0)
        return;
    kill(pid_, SIGTERM);
    int status = 0;
    waitpid(pid_, &status, 0);
    pid_ = -1;
    close(commands_);
    close(answers_);
    commands_ = answers_ = -1;
}

bool SensorBench::Command(const std::string& line, std::string* error) {
    std::string answer = "the simulator is not running";
    const std::string sent = line + "\n";
    if (pid_ > 0 &&
        write(commands_, sent.data(), sent.size()) == static_cast<ssize_t>(sent.size()) &&
        !ReadLine(answers_, pending_, kAnswerTimeoutMs, answer))
        answer = "no answer to '" + line + "'";
    if (answer == "ok")
        return true;
    if (error != nullptr)
        *error = answer;
    return false;
}

std::string SensorBench::ExtraPortsText(size_t first, size_t count) const {
    std::string text;
    for (size_t i = first; i < first + count && i < ports_.size(); ++i) {
        if (!text.empty())
            text += ",";
        text += "path=" + ports_[i] + ";desc=Tarvik USB sensor interface port";
    }
    return text;
}

std::string FindSimulatorProgram(const std::string& selfPath) {
    if (const char* set = getenv("KQ7B_SENSORSIM"); set != nullptr && *set != '\0')
        return set;
    namespace fs = std::filesystem;
    std::error_code ec;
    fs::path folder = fs::weakly_canonical(fs::path(selfPath), ec).parent_path();
    for (; !folder.empty() && folder != folder.root_path(); folder = folder.parent_path()) {
        const fs::path candidate = folder / "tools" / "sensorsim" / "kq7b-sensorsim";
        if (fs::exists(candidate, ec))
            return candidate.string();
    }
    return "kq7b-sensorsim";
}

std::vector<std::string> BenchArguments(const std::string& stateFile) {
    return {"--sensor",
            "serial=1001,baud=230400,channels=2,signal-a=sine:20000:10000:8,signal-b=const:1000",
            "--sensor",
            "serial=1002,baud=115200,channels=1,signal-a=const:12500",
            "--multiport",
            "4,serial=1003,baud=230400",
            "--state",
            stateFile};
}

}  // namespace e2e
