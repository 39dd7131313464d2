#include "pages/measurement/CDlgMeasureDiagram.h"

IMPLEMENT_DYNAMIC(CDlgMeasureDiagram, CPageDialog)
