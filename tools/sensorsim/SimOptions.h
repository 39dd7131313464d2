// Command-line options of kq7b-sensorsim.
#pragma once

#include <string>
#include <vector>

#include "tools/sensorsim/SensorSimulator.h"

namespace sensorsim {

struct SimProgramOptions {
    SimulatorSetup setup;
    std::string logFile = "-";  // "-" is the standard error
    bool help = false;
    bool control = false;  // commands on the standard input
};

// Parses the arguments after the program name. Without any --sensor or --multiport one sensor
// with the default settings is played.
bool ParseSimulatorOptions(const std::vector<std::string>& args, SimProgramOptions& options,
                           std::string& error);

const char* SimulatorUsage();

}  // namespace sensorsim
