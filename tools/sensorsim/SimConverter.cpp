#include "tools/sensorsim/SimConverter.h"

#include <algorithm>
#include <cmath>

using namespace tarvik;

namespace sensorsim {

int32_t ConverterCounts(double load, double range, int zeroOffsetCounts, bool control,
                        bool& overload) {
    double counts = kElectricalZero + zeroOffsetCounts;
    if (range > 0.0) {
        counts += load / range * kCountsFullRange;
    }
    if (control) {
        counts += kCountsControlSignal;
    }
    counts = std::round(counts);
    overload = counts < 0.0 || counts > 65535.0;
    return static_cast<int32_t>(std::clamp(counts, 0.0, 65535.0));
}

int32_t CalibratedValue(int32_t counts, const CalibrationChannel* calibration, double range) {
    const CalibrationChannel none;
    const CalibrationChannel& c = calibration ? *calibration : none;
    if (range <= 0.0) {
        return 0;
    }
    const double digits = double(counts + c.offset - kElectricalZero) * double(c.gain) / kCountsOne;
    // Digits "not set" stand for 10000 digits per unit of range.
    const double fullRangeDigits =
        c.digits == kDigitsNotSet ? 10000.0 * range : static_cast<double>(c.digits);
    if (fullRangeDigits <= 0.0) {
        return 0;
    }
    const double ppm = std::round(digits * 1e6 * range / fullRangeDigits);
    return static_cast<int32_t>(std::clamp(ppm, -2147483648.0, 2147483647.0));
}

}  // namespace sensorsim
