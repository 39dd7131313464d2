// Choosing a colour through the window system's colour dialog. The 16 custom colours are the
// process's: every colour dialog object starts from and writes back the same ones unless the
// caller points m_cc.lpCustColors elsewhere.
#pragma once

#include "platform/framework/commdlg/CommonDialog.h"

class CColorDialog : public CCommonDialog {
    DECLARE_DYNAMIC(CColorDialog)
  public:
    // dwFlags: CC_FULLOPEN, CC_ANYCOLOR, ... The dialog starts on clrInit.
    explicit CColorDialog(COLORREF clrInit = 0, DWORD dwFlags = 0, CWnd* pParentWnd = nullptr);

    // IDOK or IDCANCEL; a cancel leaves the colour as it was.
    INT_PTR DoModal() override;

    COLORREF GetColor() const { return m_cc.rgbResult; }
    // The colour the dialog starts on.
    void SetCurrentColor(COLORREF clr);
    // The process's 16 custom colours (white until a dialog defines some).
    static COLORREF* GetSavedCustomColors();

    CHOOSECOLOR m_cc;
};
