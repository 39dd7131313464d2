// The notice shown while measured values are saved; made anew for each save, registered with the
// main frame while it is open.
#pragma once

#include "platform/framework/Framework.h"

class CDlgSaveMwMessage : public CDialog {
    DECLARE_DYNAMIC(CDlgSaveMwMessage)
  public:
    CDlgSaveMwMessage() = default;
    BOOL OnInitDialog() override;

  protected:
    void OnDestroy();
    DECLARE_MESSAGE_MAP()
};
