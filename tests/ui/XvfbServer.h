// An X server of a test's own: Xvfb started on a display it chooses itself, with a screen of the
// given geometry ("1024x768x24") or the screens the arguments give ("+xinerama", "-screen",
// "0", ...), stopped with the object. Name() stays empty where Xvfb is not installed, so the
// test can skip.
#pragma once

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>
#include <vector>

extern char** environ;

namespace kq::ui::test {

class Xvfb {
  public:
    explicit Xvfb(const std::string& geometry = "1024x768x24")
        : Xvfb(std::vector<std::string>{"-screen", "0", geometry}) {}
    explicit Xvfb(const std::vector<std::string>& screens) {
        int fds[2];
        if (pipe(fds) != 0)
            return;
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
        posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
        posix_spawn_file_actions_addclose(&actions, fds[0]);
        const std::string fd = std::to_string(fds[1]);
        std::vector<const char*> argv = {"Xvfb", "-displayfd", fd.c_str(), "-nolisten", "tcp"};
        for (const std::string& a : screens)
            argv.push_back(a.c_str());
        argv.push_back(nullptr);
        const int spawned = posix_spawnp(&pid_, "Xvfb", &actions, nullptr,
                                         const_cast<char**>(argv.data()), environ);
        posix_spawn_file_actions_destroy(&actions);
        close(fds[1]);
        if (spawned != 0) {
            pid_ = 0;
            close(fds[0]);
            return;
        }
        // The server writes its display number once it accepts connections.
        std::string number;
        pollfd p{fds[0], POLLIN, 0};
        char c = 0;
        while (poll(&p, 1, 10000) > 0 && read(fds[0], &c, 1) == 1 && c != '\n')
            number += c;
        close(fds[0]);
        if (!number.empty())
            name_ = ":" + number;
    }
    ~Xvfb() { Stop(); }
    Xvfb(const Xvfb&) = delete;
    Xvfb& operator=(const Xvfb&) = delete;

    const std::string& Name() const { return name_; }
    void Stop() {
        if (pid_ > 0) {
            kill(pid_, SIGTERM);
            waitpid(pid_, nullptr, 0);
        }
        pid_ = 0;
    }

  private:
    pid_t pid_ = 0;
    std::string name_;
};

}  // namespace kq::ui::test
