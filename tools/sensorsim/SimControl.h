// Commands to a running simulator, one per line (the program reads them from its standard
// input with --control), so that a test can change what the sensors see while the application
// talks to them:
//
//   signal PORT a|b SHAPE   the load of channel A or B of the port's sensor (SignalShape text)
//   vanish PORT             the port disappears, as a sensor unplugged
//   return PORT             a vanished port comes back, its sensor powered on again
//   stall PORT MS           nothing crosses the port's line for MS milliseconds (a hung sensor)
//   noise PORT MS           for MS milliseconds the line carries noise in place of frames, and
//                           the sensor cannot read what it is sent (a wrongly clocked line)
#pragma once

#include <string>

#include "tools/sensorsim/SensorSimulator.h"

namespace sensorsim {

// Carries out one command; answers "ok" or "error: <why>".
std::string ApplyControlLine(SensorSimulator& simulator, const std::string& line);

}  // namespace sensorsim
