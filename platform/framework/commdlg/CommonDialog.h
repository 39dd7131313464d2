// The base of the framework's common dialog objects. The dialogs themselves are the window
// system's (CommDlg.h); an object fills the window system's structure, runs the dialog with
// DoModal and reads the result from the structure, which stays a public member so that callers
// can set what the constructor does not take.
#pragma once

#include "platform/framework/Dialog.h"
#include "platform/ui/commdlg/CommDlg.h"

class CCommonDialog : public CDialog {
    DECLARE_DYNAMIC(CCommonDialog)
  public:
    explicit CCommonDialog(CWnd* pParentWnd);

  protected:
    // The owner of the window system's dialog: the parent given, else the application's main
    // window (their top-level window); null when there is neither.
    HWND OwnerWindow();
};
