// The description of one of the six channels (A, B, C, D, P1, P2): the units the operator may
// choose with their factors, the chosen unit, decimals, averaging, sign, light and view state.
// Filled from a sensor's software configuration and written back into it; every field read from
// the sensor is kept inside its range here, so no reader meets an index outside its table.
#pragma once

#include "platform/base/CString.h"
#include "platform/base/WinTypes.h"

struct ChannelRecord {
    static constexpr int kSlots = 32;
    static constexpr int kMaxUnits = kSlots - 1;  // the scaling needs the slot after the last
    static constexpr int kEmptySlot = -6;
    static constexpr int kScalingSlotId = 1;

    int aiUnitId[kSlots] = {};
    CString astrUnit[kSlots];
    double adUnitFactor[kSlots] = {};
    int iUnitCount = 0;
    double dConfigValue = 0.0;
    BYTE ucConfigByte = 0;
    BYTE ucQuantityLetter = 0;
    int iUnitIndex = 0;
    int iDecimals = 0;
    int iAveraging = 0;
    int iSignInversion = 0;
    BYTE ucCarriesValue = 0;
    int iLedState = 0;
    BYTE ucViewState = 0;
    BYTE ucTareLock = 0;

    // The chosen unit's text ("n.a." outside the list) and factor per base unit (0.0 outside).
    CString CurrentUnitText() const;
    double CurrentUnitFactor() const;
    BOOL HasScaling() const { return adUnitFactor[iUnitCount] > 0.0; }
};

// Every slot "n.a."; decimals 2 for the power channels (index 4, 5); the view state by index.
void ResetChannelRecord(ChannelRecord& record, int index);

// The unit list of a quantity letter ('Y' with the angle flag lists angles), then the scaling
// slot with its name and factor (present) or "n.a." and 0.0.
void BuildUnitList(ChannelRecord& record, char letter, BOOL angle, BOOL scalingPresent,
                   const CString& scalingName, double scalingFactor);

// The raw configuration bytes as fields in range: unit index 0..count-1, or count when a
// scaling exists, else defaultUnit; decimals 0..7; averaging 0..9; sign inverted only at 1.
void TakeOverConfigBytes(ChannelRecord& record, int unitIndex, int decimals, int averaging,
                         int sign, int defaultUnit);
// A view state 0..3 (others become 1).
BYTE ClampViewState(int state);
