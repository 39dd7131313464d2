#include "pages/sensor/CDlgSensorCalibration.h"

IMPLEMENT_DYNAMIC(CDlgSensorCalibration, CPageDialog)
