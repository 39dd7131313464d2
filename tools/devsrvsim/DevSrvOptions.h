// Command-line options of kq7b-devsrvsim.
#pragma once

#include <string>
#include <vector>

#include "tools/devsrvsim/DeviceServerSimulator.h"

namespace devsrvsim {

struct DevSrvProgramOptions {
    DevSrvSetup setup;
    std::string logFile = "-";  // "-" is the standard error
    bool help = false;
};

bool ParseDevSrvOptions(const std::vector<std::string>& args, DevSrvProgramOptions& options,
                        std::string& error);

const char* DevSrvUsage();

}  // namespace devsrvsim
