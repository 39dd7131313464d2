// Runs some checks of a test in a forked child that has a network namespace of its own, so that
// the test may switch loopback off or change how the kernel answers echo requests without
// touching the machine. The child unshares a user namespace too where it is no root.
#pragma once

#include <fcntl.h>
#include <net/if.h>
#include <sched.h>
#include <sys/ioctl.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <functional>
#include <string>

namespace ethtest {

struct NamespaceRun {
    bool ran = false;  // false: namespaces are not permitted here (see `reason`)
    bool passed = false;
    std::string reason;
};

inline bool WriteProcFile(const std::string& path, const std::string& text) {
    std::ofstream file(path);
    file << text;
    file.flush();
    return static_cast<bool>(file);
}

// Switches the namespace's loopback interface on or off.
inline bool SetLoopbackUp(bool up) {
    const int fd = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    ifreq request{};
    std::snprintf(request.ifr_name, sizeof request.ifr_name, "lo");
    bool done = fd >= 0 && ::ioctl(fd, SIOCGIFFLAGS, &request) == 0;
    if (done) {
        request.ifr_flags =
            static_cast<short>(up ? (request.ifr_flags | IFF_UP) : (request.ifr_flags & ~IFF_UP));
        done = ::ioctl(fd, SIOCSIFFLAGS, &request) == 0;
    }
    if (fd >= 0) {
        ::close(fd);
    }
    return done;
}

// `body` runs in the child with loopback up and returns whether its checks held.
inline NamespaceRun RunInNetworkNamespace(const std::function<bool()>& body) {
    int pipeFds[2];
    if (::pipe2(pipeFds, O_CLOEXEC) != 0) {
        return {false, false, "no pipe"};
    }
    const uid_t uid = ::getuid();
    const gid_t gid = ::getgid();
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(pipeFds[0]);
        const auto skip = [&](const char* why) {
            [[maybe_unused]] ssize_t ignored = ::write(pipeFds[1], why, std::strlen(why));
            ::_exit(77);
        };
        if (::unshare(CLONE_NEWNET) != 0) {
            if (::unshare(CLONE_NEWUSER | CLONE_NEWNET) != 0) {
                skip("neither a network namespace nor a user namespace may be created here");
            }
            WriteProcFile("/proc/self/setgroups", "deny");
            if (!WriteProcFile("/proc/self/uid_map", "0 " + std::to_string(uid) + " 1") ||
                !WriteProcFile("/proc/self/gid_map", "0 " + std::to_string(gid) + " 1")) {
                skip("the user namespace's identity maps cannot be written");
            }
        }
        if (!SetLoopbackUp(true)) {
            skip("the namespace's loopback cannot be switched on");
        }
        ::_exit(body() ? 0 : 1);
    }
    ::close(pipeFds[1]);
    NamespaceRun run;
    char buffer[256];
    const ssize_t got = ::read(pipeFds[0], buffer, sizeof buffer);
    ::close(pipeFds[0]);
    int status = 0;
    if (child < 0 || ::waitpid(child, &status, 0) != child) {
        return {false, false, "no child"};
    }
    if (WIFEXITED(status) && WEXITSTATUS(status) == 77) {
        run.reason = got > 0 ? std::string(buffer, static_cast<size_t>(got)) : "skipped";
        return run;
    }
    run.ran = true;
    run.passed = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    return run;
}

}  // namespace ethtest
