#include "pages/measurement/CDlgMeasureAdjust.h"

IMPLEMENT_DYNAMIC(CDlgMeasureAdjust, CPageDialog)
