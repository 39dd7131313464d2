// The threshold test of the start and stop triggers.
#include "app/flow/TriggerThreshold.h"

bool CheckThreshold(int direction, double value, double level, double hysteresis, BYTE& armed) {
    if (direction == 0) {
        if (value <= level - hysteresis)
            armed = 1;
        return armed != 0 && value >= level;
    }
    if (direction == 1) {
        if (value >= level + hysteresis)
            armed = 1;
        return armed != 0 && value <= level;
    }
    return false;
}
