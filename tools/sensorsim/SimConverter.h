// The simulated sensor's measuring chain: load to converter counts, and counts to the
// calibrated value that a value set carries (parts per million of the upper range value).
#pragma once

#include <cstdint>

#include "protocol/BlockLayouts.h"

namespace sensorsim {

// Converter counts for a load (base unit) on a channel of the given range: 32768 plus the zero
// offset at no load, 20000 counts more at full load, 16000 more with the control signal on.
// Clamped to 0..65535; overload tells whether it had to be.
int32_t ConverterCounts(double load, double range, int zeroOffsetCounts, bool control,
                        bool& overload);

// The calibrated value of a converter reading under a calibration channel (none: offset 0,
// gain 1.0, digits not set), in ppm of the range.
int32_t CalibratedValue(int32_t counts, const tarvik::CalibrationChannel* calibration,
                        double range);

}  // namespace sensorsim
