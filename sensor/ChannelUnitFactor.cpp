#include "sensor/ChannelUnitFactor.h"

#include <numbers>

#include "foundation/Units.h"
#include "sensor/CTarvik_Send.h"

namespace {

double QuantityFactor(const SensorRecord& record, int channel) {
    if (!record.ucConfigPresent) {
        return 1.0;
    }
    const int index = record.ucUnitIndex[channel];
    switch (record.ucUnitLetter[channel]) {
        case 'D':
            return GetTorqueUnitFactor(index);
        case 'K':
            return GetForceUnitFactor(index);
        case 'W':
            return GetMassUnitFactor(index);
        case 'Y':
            return record.ucAngleFlag ? GetAngleUnitFactor(index) : GetSpeedUnitFactor(index);
        case 'P':
            return GetPowerUnitFactor(index);
        default:
            return GetSingleUnitFactor(index);
    }
}

}  // namespace

double ChannelUnitFactor(const SensorRecord& record, int channel) {
    if (channel < 0 || channel > 1) {
        return 0.0;
    }
    double factor = QuantityFactor(record, channel);
    if (factor == 0.0) {
        factor = 1.0;
    }
    return factor * CTarvik_Send::TarSend_GetValuePerCount(record, channel);
}

double PowerUnitFactor(int powerUnitIndex) {
    const double factor = GetPowerUnitFactor(powerUnitIndex);
    // P [W] = 2π / 60 × M [N·m] × n [1/min].
    return factor != 0.0 ? factor : 2.0 * std::numbers::pi / 60.0;
}
