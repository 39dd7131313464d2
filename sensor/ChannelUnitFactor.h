// Factors that turn the numbers of a value set into the unit a channel shows.
#pragma once

#include "sensor/SensorRecord.h"

// Unit of one count of a calibrated value set of channel 0 (A) or 1 (B): the range's part per
// million in the quantity's base unit, times the factor of the unit chosen in the sensor's
// software configuration (the base unit when none or an unknown one is chosen).
double ChannelUnitFactor(const SensorRecord& record, int channel);

// Factor of a computed power channel: power in the unit of powerUnitIndex per N·m × 1/min (watt
// for an unknown index).
double PowerUnitFactor(int powerUnitIndex);
