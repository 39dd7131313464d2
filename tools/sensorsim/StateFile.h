// Keeps the memory blocks of simulated sensors in a text file, so that what the application
// wrote survives a restart of the simulator. One line per block:
//
//   <serial number> <sensor index> <block number> <128 hex digits>
#pragma once

#include <string>
#include <vector>

#include "tools/sensorsim/SimSensor.h"

namespace sensorsim {

// Replaces the blocks of the sensors found in the file. A missing file is no error; a damaged
// line is (error names it) and nothing is taken over then.
bool LoadStateFile(const std::string& path, const std::vector<SimSensor*>& sensors,
                   std::string& error);

// Writes all blocks of all sensors, replacing the file in one step.
bool SaveStateFile(const std::string& path, const std::vector<SimSensor*>& sensors);

}  // namespace sensorsim
