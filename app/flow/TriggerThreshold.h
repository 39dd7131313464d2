// One trigger threshold with hysteresis: rising (0) arms at or below level - hysteresis and fires
// at or above the level; falling (1) arms at or above level + hysteresis and fires at or below
// it. Arming is tested before firing. Any other direction, and a NaN value, never fire.
#pragma once

#include "platform/base/WinTypes.h"

bool CheckThreshold(int direction, double value, double level, double hysteresis, BYTE& armed);
