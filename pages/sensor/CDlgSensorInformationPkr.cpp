#include "pages/sensor/CDlgSensorInformationPkr.h"

IMPLEMENT_DYNAMIC(CDlgSensorInformationPkr, CPageDialog)
