#include "platform/ui/commdlg/PrinterCatalog.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <sstream>
#include <string_view>
#include <vector>

#include "platform/gfx/print/LpCommand.h"
#include "platform/ui/commdlg/DialogTexts.h"

namespace kq::ui::commdlg {

namespace {

// Output of `lpstat <argument>` in the C locale; empty when it cannot be run. A scheduler that
// does not answer within a few seconds is given up on, so the dialog still opens.
std::string RunLpstat(const std::string& program, const char* argument) {
    int pipeFds[2];
    if (::pipe2(pipeFds, O_CLOEXEC) != 0)
        return {};
    std::string path = program;
    std::string arg = argument;
    char* argv[] = {path.data(), arg.data(), nullptr};
    // The environment is prepared before fork: the child may only call async-signal-safe
    // functions until it executes the program.
    std::vector<std::string> environment;
    for (char** e = environ; *e; ++e) {
        if (std::string_view(*e).substr(0, 7) != "LC_ALL=")
            environment.emplace_back(*e);
    }
    environment.emplace_back("LC_ALL=C");
    std::vector<char*> envp;
    for (std::string& e : environment)
        envp.push_back(e.data());
    envp.push_back(nullptr);
    const pid_t child = ::fork();
    if (child < 0) {
        ::close(pipeFds[0]);
        ::close(pipeFds[1]);
        return {};
    }
    if (child == 0) {
        const int devNull = ::open("/dev/null", O_RDWR | O_CLOEXEC);
        if (devNull >= 0) {
            ::dup2(devNull, STDIN_FILENO);
            ::dup2(devNull, STDERR_FILENO);
        }
        ::dup2(pipeFds[1], STDOUT_FILENO);
        ::execve(argv[0], argv, envp.data());
        _exit(127);
    }
    ::close(pipeFds[1]);
    std::string output;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    for (;;) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) {
            ::kill(child, SIGKILL);
            break;
        }
        pollfd fd{pipeFds[0], POLLIN, 0};
        const int ready = ::poll(&fd, 1, static_cast<int>(left.count()));
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready <= 0)
            continue;
        char chunk[512];
        const ssize_t n = ::read(pipeFds[0], chunk, sizeof chunk);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        if (output.size() < 65536)
            output.append(chunk, static_cast<size_t>(n));
    }
    ::close(pipeFds[0]);
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return {};
    return output;
}

}  // namespace

std::vector<std::string> ParseAcceptingQueues(const std::string& output) {
    std::vector<std::string> queues;
    std::istringstream lines(output);
    std::string line;
    while (std::getline(lines, line)) {
        std::istringstream words(line);
        std::string first, second;
        words >> first >> second;
        if (!first.empty() && second == "accepting" &&
            std::find(queues.begin(), queues.end(), first) == queues.end())
            queues.push_back(first);
    }
    return queues;
}

std::string ParseDefaultDestination(const std::string& output) {
    static const std::string kPrefix = "system default destination:";
    const size_t at = output.find(kPrefix);
    if (at == std::string::npos)
        return {};
    std::istringstream rest(output.substr(at + kPrefix.size()));
    std::string name;
    rest >> name;
    return name;
}

std::vector<PrinterEntry> AvailablePrinters() {
    std::vector<PrinterEntry> printers;
    const std::string lpstat = kq::gfx::FindProgramOnPath("lpstat");
    // Jobs reach CUPS through lp; without it a queue could be listed but not printed to.
    if (!lpstat.empty() && !kq::gfx::FindProgramOnPath("lp").empty()) {
        const std::vector<std::string> queues = ParseAcceptingQueues(RunLpstat(lpstat, "-a"));
        const std::string preferred = ParseDefaultDestination(RunLpstat(lpstat, "-d"));
        for (const std::string& queue : queues)
            printers.push_back(PrinterEntry{queue, queue, false, queue == preferred});
        std::stable_partition(printers.begin(), printers.end(),
                              [](const PrinterEntry& p) { return p.isDefault; });
    }
    printers.push_back(PrinterEntry{"", Tr(Text::PdfPrinter), true, printers.empty()});
    return printers;
}

}  // namespace kq::ui::commdlg
