// kq7b-devsrvsim: plays the network device server of the Ethernet interface on loopback.
#include <csignal>
#include <fstream>
#include <iostream>
#include <mutex>

#include "tools/devsrvsim/DevSrvOptions.h"

int main(int argc, char** argv) {
    devsrvsim::DevSrvProgramOptions options;
    std::string error;
    if (!devsrvsim::ParseDevSrvOptions({argv + 1, argv + argc}, options, error)) {
        std::cerr << "kq7b-devsrvsim: " << error << "\n" << devsrvsim::DevSrvUsage();
        return 2;
    }
    if (options.help) {
        std::cout << devsrvsim::DevSrvUsage();
        return 0;
    }
    std::ofstream logFile;
    if (options.logFile != "-") {
        logFile.open(options.logFile, std::ios::app);
        if (!logFile) {
            std::cerr << "kq7b-devsrvsim: cannot open " << options.logFile << "\n";
            return 1;
        }
    }
    std::mutex logMutex;
    std::ostream& log = options.logFile == "-" ? std::cerr : logFile;
    devsrvsim::DeviceServerSimulator simulator(options.setup, [&](const std::string& line) {
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
        std::cerr << "kq7b-devsrvsim: " << error << "\n";
        return 1;
    }
    std::cout << "setup " << simulator.Address() << ":" << simulator.SetupPort() << "\n"
              << "data " << simulator.Address() << ":" << simulator.DataPort() << "\n";
    std::cout.flush();
    int signal = 0;
    sigwait(&signals, &signal);
    simulator.Stop();
    return 0;
}
