// The notice shown while a large measured-value file is written: the write keeps the program
// busy for a while, and the notice says why. Made anew for each such write, registered with the
// main frame while it is open.
#pragma once

#include "pages/common/PerRunDialog.h"

class CDlgSaveMwMessage : public CPerRunDialog {
    DECLARE_DYNAMIC(CDlgSaveMwMessage)
  public:
    enum { IDD = 191 };
    static constexpr int IDC_SAVE_TEXT = 1001;
    CDlgSaveMwMessage() : CPerRunDialog(IDD, 1229, nullptr) {}

    // Shows the notice over the owner and paints it at once: the write that follows does not
    // let the message loop run.
    BOOL ShowOver(CWnd* owner);

  protected:
    BOOL OnInitDialog() override;
};
