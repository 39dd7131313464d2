// The index ranges the dialogue's commands check what they are given against.
#pragma once

#include "sensor/CComPort.h"

namespace comport {

inline bool IsRow(int row) {
    return row >= 0 && row < COM_MAX_PORTS;
}

inline bool IsSensor(int sensor) {
    return sensor >= 0 && sensor < COM_MAX_SENSORS;
}

inline bool IsSide(int side) {
    return side == 0 || side == 1;
}

inline bool IsChannel(int channel) {
    return channel >= 0 && channel < COM_CHANNELS;
}

}  // namespace comport
