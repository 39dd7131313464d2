// The common life of a simulator program: its log, its start, and its end on SIGINT or SIGTERM.
#pragma once

#include <poll.h>
#include <unistd.h>

#include <atomic>
#include <csignal>
#include <fstream>
#include <functional>
#include <iostream>
#include <mutex>
#include <string>
#include <thread>

namespace simtool {

// Runs a simulator made from `setup` until SIGINT or SIGTERM. Log lines go to `logFile` (appended)
// or, for "-", to standard error. `announce` prints what a caller needs to reach the simulator
// once it has started. With `command`, every line of the standard input is handed to it and its
// answer printed as a line. Answers the program's exit code: 0 after a signal, 1 when the log
// cannot be opened or the simulator does not start.
template <class Simulator, class Setup>
int RunUntilSignal(const char* program, const std::string& logFile, const Setup& setup,
                   const std::function<void(Simulator&)>& announce,
                   const std::function<std::string(Simulator&, const std::string&)>& command = {}) {
    std::ofstream file;
    if (logFile != "-") {
        file.open(logFile, std::ios::app);
        if (!file) {
            std::cerr << program << ": cannot open " << logFile << "\n";
            return 1;
        }
    }
    std::mutex logMutex;
    std::ostream& log = logFile == "-" ? std::cerr : file;
    Simulator simulator(setup, [&](const std::string& line) {
        std::lock_guard<std::mutex> lock(logMutex);
        log << line << std::endl;
    });

    // The signals are taken by sigwait below, never by a handler; blocked before the simulator's
    // threads start, so that they inherit the mask.
    sigset_t signals;
    sigemptyset(&signals);
    sigaddset(&signals, SIGINT);
    sigaddset(&signals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &signals, nullptr);

    std::string error;
    if (!simulator.Start(error)) {
        std::cerr << program << ": " << error << "\n";
        return 1;
    }
    announce(simulator);
    std::cout.flush();

    // The input is polled so that the reader ends with the program, not only at the input's end.
    std::atomic<bool> ending{false};
    std::thread reader;
    if (command) {
        reader = std::thread([&] {
            std::string pending;
            char buffer[512];
            while (!ending) {
                pollfd input{STDIN_FILENO, POLLIN, 0};
                if (poll(&input, 1, 100) <= 0)
                    continue;
                const ssize_t n = read(STDIN_FILENO, buffer, sizeof buffer);
                if (n <= 0)
                    return;
                pending.append(buffer, static_cast<size_t>(n));
                for (size_t end; (end = pending.find('\n')) != std::string::npos;) {
                    const std::string answer = command(simulator, pending.substr(0, end));
                    pending.erase(0, end + 1);
                    std::cout << answer << std::endl;
                }
            }
        });
    }

    int signal = 0;
    sigwait(&signals, &signal);
    ending = true;
    if (reader.joinable())
        reader.join();
    simulator.Stop();
    return 0;
}

}  // namespace simtool
