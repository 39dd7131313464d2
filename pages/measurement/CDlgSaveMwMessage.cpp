#include "pages/measurement/CDlgSaveMwMessage.h"

IMPLEMENT_DYNAMIC(CDlgSaveMwMessage, CPerRunDialog)
