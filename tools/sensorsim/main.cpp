// kq7b-sensorsim: plays the maker's torque sensors for the application and its tests.
#include <csignal>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <mutex>

#include "tools/sensorsim/SimOptions.h"

int main(int argc, char** argv) {
    sensorsim::SimProgramOptions options;
    std::string error;
    if (!sensorsim::ParseSimulatorOptions({argv + 1, argv + argc}, options, error)) {
        std::cerr << "kq7b-sensorsim: " << error << "\n" << sensorsim::SimulatorUsage();
        return 2;
    }
    if (options.help) {
        std::cout << sensorsim::SimulatorUsage();
        return 0;
    }

    std::ofstream logFile;
    if (options.logFile != "-") {
        logFile.open(options.logFile, std::ios::app);
        if (!logFile) {
            std::cerr << "kq7b-sensorsim: cannot open " << options.logFile << "\n";
            return 1;
        }
    }
    std::mutex logMutex;
    std::ostream& log = options.logFile == "-" ? std::cerr : logFile;
    sensorsim::SensorSimulator simulator(options.setup, [&](const std::string& line) {
        std::lock_guard<std::mutex> lock(logMutex);
        log << line << std::endl;
    });

    // The signals are taken by sigwait below, never by a handler.
    sigset_t signals;
    sigemptyset(&signals);
    sigaddset(&signals, SIGINT);
    sigaddset(&signals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &signals, nullptr);

    if (!simulator.Start(error)) {
        std::cerr << "kq7b-sensorsim: " << error << "\n";
        return 1;
    }
    for (int port = 0; port < simulator.PortCount(); ++port) {
        std::cout << "port " << port << ": " << simulator.PortName(port) << "\n";
    }
    std::cout.flush();

    int signal = 0;
    sigwait(&signals, &signal);
    simulator.Stop();
    return 0;
}
