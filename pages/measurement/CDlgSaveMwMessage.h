// The notice shown while measured values are saved; made anew for each save, registered with the
// main frame while it is open.
#pragma once

#include "app/PerRunDialog.h"

class CDlgSaveMwMessage : public CPerRunDialog {
    DECLARE_DYNAMIC(CDlgSaveMwMessage)
  public:
    CDlgSaveMwMessage() : CPerRunDialog(1229) {}
};
