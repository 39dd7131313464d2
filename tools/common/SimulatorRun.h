// The common life of a simulator program: its log, its start, and its end on SIGINT or SIGTERM.
#pragma once

#include <csignal>
#include <fstream>
#include <functional>
#include <iostream>
#include <mutex>
#include <string>

namespace simtool {

// Runs a simulator made from `setup` until SIGINT or SIGTERM. Log lines go to `logFile` (appended)
// or, for "-", to standard error. `announce` prints what a caller needs to reach the simulator
// once it has started. Answers the program's exit code: 0 after a signal, 1 when the log cannot
// be opened or the simulator does not start.
template <class Simulator, class Setup>
int RunUntilSignal(const char* program, const std::string& logFile, const Setup& setup,
                   const std::function<void(Simulator&)>& announce) {
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

    int signal = 0;
    sigwait(&signals, &signal);
    simulator.Stop();
    return 0;
}

}  // namespace simtool
