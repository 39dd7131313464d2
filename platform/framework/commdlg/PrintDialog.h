// Choosing a printer, the pages and the copies through the window system's print dialog.
//
// The object owns m_pd.hDevMode and m_pd.hDevNames (freed with it; a second DoModal starts from
// the previous choice). A printer DC in m_pd.hDC - made by DoModal unless the dialog is only a
// set-up (PD_RETURNDC), by GetDefaults with PD_RETURNDC, or by CreatePrinterDC - belongs to the
// caller, who deletes it.
#pragma once

#include "platform/base/CString.h"
#include "platform/framework/commdlg/CommonDialog.h"

class CPrintDialog : public CCommonDialog {
    DECLARE_DYNAMIC(CPrintDialog)
  public:
    // bPrintSetupOnly: only the printer and orientation (PD_PRINTSETUP); otherwise the full
    // dialog, which returns a printer DC. With PD_USEDEVMODECOPIES the printer makes the copies;
    // without, the program makes GetCopies() copies itself.
    explicit CPrintDialog(BOOL bPrintSetupOnly,
                          DWORD dwFlags = PD_ALLPAGES | PD_USEDEVMODECOPIES | PD_NOPAGENUMS |
                                          PD_HIDEPRINTTOFILE | PD_NOSELECTION,
                          CWnd* pParentWnd = nullptr);
    ~CPrintDialog() override;

    // IDOK or IDCANCEL; a cancel leaves the structure as it was.
    INT_PTR DoModal() override;
    // The default printer without a dialog, replacing an earlier choice.
    BOOL GetDefaults();

    HDC GetPrinterDC() const { return m_pd.hDC; }
    // A new printer DC for the chosen printer (also left in m_pd.hDC); null without a choice.
    HDC CreatePrinterDC();
    // Null before a choice.
    LPDEVMODE GetDevMode() const;
    CString GetDeviceName() const;
    CString GetDriverName() const;
    CString GetPortName() const;

    int GetCopies() const;
    BOOL PrintAll() const { return !PrintRange() && !PrintSelection(); }
    BOOL PrintRange() const { return (m_pd.Flags & PD_PAGENUMS) != 0; }
    BOOL PrintSelection() const { return (m_pd.Flags & PD_SELECTION) != 0; }
    // The range chosen; -1 unless PrintRange().
    int GetFromPage() const { return PrintRange() ? m_pd.nFromPage : -1; }
    int GetToPage() const { return PrintRange() ? m_pd.nToPage : -1; }

    PRINTDLG m_pd;
};
