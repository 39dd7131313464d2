// The channel records' unit lists come from the quantity's unit table of the foundation; the
// configuration bytes of a sensor (any value 0-255 may arrive) are clamped on the way in.
#include "pages/common/ChannelRecord.h"

#include <algorithm>

#include "foundation/Language.h"
#include "foundation/Units.h"

namespace {

const char kNotAvailable[] = "n.a.";

using UnitLookup = int (*)(int, double&);

UnitLookup LookupOf(char letter, BOOL angle) {
    switch (letter) {
        case 'A':
            return GetVoltageUnit;
        case 'D':
            return GetTorqueUnit;
        case 'K':
            return GetForceUnit;
        case 'S':
            return GetCurrentUnit;
        case 'T':
            return GetTemperatureUnit;
        case 'W':
            return GetMassUnit;
        case 'P':
            return GetPowerUnit;
        case 'Y':
            return angle ? GetAngleUnit : GetSpeedUnit;
        case 'd':
            return GetBridgeUnit;
        default:
            return GetOtherUnit;
    }
}

}  // namespace

CString ChannelRecord::CurrentUnitText() const {
    if (iUnitIndex < 0 || iUnitIndex >= kSlots)
        return kNotAvailable;
    return astrUnit[iUnitIndex];
}

double ChannelRecord::CurrentUnitFactor() const {
    if (iUnitIndex < 0 || iUnitIndex >= kSlots)
        return 0.0;
    return adUnitFactor[iUnitIndex];
}

void ResetChannelRecord(ChannelRecord& record, int index) {
    const BYTE tareLock = record.ucTareLock;
    record = ChannelRecord{};
    record.ucTareLock = tareLock;
    for (int slot = 0; slot < ChannelRecord::kSlots; ++slot)
        record.astrUnit[slot] = kNotAvailable;
    const bool power = index >= 4;
    record.iUnitIndex = power ? 2 : 0;
    record.iDecimals = power ? 2 : 0;
    record.ucViewState = index == 0 ? 1 : index == 1 ? 0 : 3;
}

void BuildUnitList(ChannelRecord& record, char letter, BOOL angle, BOOL scalingPresent,
                   const CString& scalingName, double scalingFactor) {
    const UnitLookup lookup = LookupOf(letter, angle);
    int count = 0;
    for (int slot = 0; slot < ChannelRecord::kMaxUnits; ++slot) {
        double factor = 0.0;
        const int id = lookup(slot, factor);
        if (id > 0) {
            record.aiUnitId[slot] = id;
            record.astrUnit[slot] = GetLanguageString(id);
            record.adUnitFactor[slot] = factor;
            count = slot + 1;
        } else {
            record.aiUnitId[slot] = ChannelRecord::kEmptySlot;
            record.astrUnit[slot] = kNotAvailable;
            record.adUnitFactor[slot] = 0.0;
        }
    }
    record.iUnitCount = count;
    record.aiUnitId[count] = ChannelRecord::kScalingSlotId;
    const bool usable = scalingPresent && scalingFactor > 0.0;
    record.astrUnit[count] = usable ? scalingName : CString(kNotAvailable);
    record.adUnitFactor[count] = usable ? scalingFactor : 0.0;
}

void TakeOverConfigBytes(ChannelRecord& record, int unitIndex, int decimals, int averaging,
                         int sign, int defaultUnit) {
    const int count = record.iUnitCount;
    if (unitIndex >= 0 && unitIndex < count)
        record.iUnitIndex = unitIndex;
    else if (unitIndex == count && record.HasScaling())
        record.iUnitIndex = count;
    else
        record.iUnitIndex = std::clamp(defaultUnit, 0, std::max(0, count - 1));
    record.iDecimals = std::clamp(decimals, 0, 7);
    record.iAveraging = std::clamp(averaging, 0, 9);
    record.iSignInversion = sign == 1 ? 1 : 0;
}

BYTE ClampViewState(int state) {
    return static_cast<BYTE>(state >= 0 && state <= 3 ? state : 1);
}
