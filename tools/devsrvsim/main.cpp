// kq7b-devsrvsim: plays the network device server of the Ethernet interface on loopback.
#include <iostream>

#include "tools/common/SimulatorRun.h"
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
    return simtool::RunUntilSignal<devsrvsim::DeviceServerSimulator>(
        "kq7b-devsrvsim", options.logFile, options.setup,
        [](devsrvsim::DeviceServerSimulator& simulator) {
            std::cout << "setup " << simulator.Address() << ":" << simulator.SetupPort() << "\n"
                      << "data " << simulator.Address() << ":" << simulator.DataPort() << "\n";
        });
}
