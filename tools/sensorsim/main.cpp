// kq7b-sensorsim: plays the maker's torque sensors for the application and its tests.
#include <iostream>

#include "tools/common/SimulatorRun.h"
#include "tools/sensorsim/SimControl.h"
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
    return simtool::RunUntilSignal<sensorsim::SensorSimulator>(
        "kq7b-sensorsim", options.logFile, options.setup,
        [](sensorsim::SensorSimulator& simulator) {
            for (int port = 0; port < simulator.PortCount(); ++port)
                std::cout << "port " << port << ": " << simulator.PortName(port) << "\n";
        },
        options.control
            ? sensorsim::ApplyControlLine
            : std::function<std::string(sensorsim::SensorSimulator&, const std::string&)>());
}
