#include "pages/measurement/CDlgTKBk.h"

IMPLEMENT_DYNAMIC(CDlgTKBk, CPageDialog)
