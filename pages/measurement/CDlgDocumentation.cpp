#include "pages/measurement/CDlgDocumentation.h"

IMPLEMENT_DYNAMIC(CDlgDocumentation, CPageDialog)
