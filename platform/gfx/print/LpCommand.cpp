#include "platform/gfx/print/LpCommand.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace kq::gfx {

std::string FindProgramOnPath(const std::string& name) {
    const char* path = std::getenv("PATH");
    const std::string folders = path != nullptr ? path : "/usr/local/bin:/usr/bin:/bin";
    size_t start = 0;
    while (start <= folders.size()) {
        size_t end = folders.find(':', start);
        if (end == std::string::npos) {
            end = folders.size();
        }
        const std::string folder = end > start ? folders.substr(start, end - start) : ".";
        const std::string candidate = folder + "/" + name;
        struct stat st {};
        if (::stat(candidate.c_str(), &st) == 0 && S_ISREG(st.st_mode) &&
            ::access(candidate.c_str(), X_OK) == 0) {
            return candidate;
        }
        start = end + 1;
    }
    return {};
}

bool SubmitToLp(const std::string& lpPath, const std::string& printer, const std::string& title,
                int copies, bool collate, const std::string& file, std::string& error) {
    std::vector<std::string> args = {lpPath, "-d", printer, "-t", title};
    if (copies > 1) {
        args.push_back("-n");
        args.push_back(std::to_string(std::min(copies, kMaxPrintCopies)));
        if (collate) {
            args.push_back("-o");
            args.push_back("collate=true");
        }
    }
    args.push_back(file);
    std::vector<char*> argv;
    for (std::string& a : args) {
        argv.push_back(a.data());
    }
    argv.push_back(nullptr);

    int output[2];
    if (::pipe2(output, O_CLOEXEC) != 0) {
        error = std::string("cannot start lp: ") + std::strerror(errno);
        return false;
    }
    const pid_t child = ::fork();
    if (child < 0) {
        error = std::string("cannot start lp: ") + std::strerror(errno);
        ::close(output[0]);
        ::close(output[1]);
        return false;
    }
    if (child == 0) {
        // Only async-signal-safe calls between fork and exec.
        const int devNull = ::open("/dev/null", O_RDONLY | O_CLOEXEC);
        if (devNull >= 0) {
            ::dup2(devNull, STDIN_FILENO);
        }
        ::dup2(output[1], STDOUT_FILENO);
        ::dup2(output[1], STDERR_FILENO);
        ::execv(argv[0], argv.data());
        _exit(127);
    }
    ::close(output[1]);
    std::string message;
    char chunk[512];
    for (;;) {
        const ssize_t n = ::read(output[0], chunk, sizeof chunk);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            break;
        }
        if (message.size() < 4096) {
            message.append(chunk, static_cast<size_t>(n));
        }
    }
    ::close(output[0]);
    int status = 0;
    pid_t waited;
    do {
        waited = ::waitpid(child, &status, 0);
    } while (waited < 0 && errno == EINTR);
    while (!message.empty() && (message.back() == '\n' || message.back() == '\r')) {
        message.pop_back();
    }
    if (waited != child) {
        error = "cannot learn whether lp accepted the job";
        return false;
    }
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        error = "lp refused the job" + (message.empty() ? std::string() : ": " + message);
        return false;
    }
    return true;
}

}  // namespace kq::gfx
