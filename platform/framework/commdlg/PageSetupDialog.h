// The page set-up through the window system's dialog: printer, orientation, paper and margins.
// Sizes are in hundredths of a millimetre, or thousandths of an inch with
// PSD_INTHOUSANDTHSOFINCHES. The object owns m_psd.hDevMode and m_psd.hDevNames.
#pragma once

#include "platform/base/CString.h"
#include "platform/base/Geometry.h"
#include "platform/framework/commdlg/CommonDialog.h"

class CPageSetupDialog : public CCommonDialog {
    DECLARE_DYNAMIC(CPageSetupDialog)
  public:
    // With PSD_MARGINS the dialog starts on m_psd.rtMargin once margins were chosen or set;
    // before that on the window system's default margins.
    explicit CPageSetupDialog(DWORD dwFlags = PSD_MARGINS | PSD_INHUNDREDTHSOFMILLIMETERS,
                              CWnd* pParentWnd = nullptr);
    ~CPageSetupDialog() override;

    // IDOK or IDCANCEL; a cancel leaves the structure as it was.
    INT_PTR DoModal() override;

    CSize GetPaperSize() const { return CSize(m_psd.ptPaperSize.x, m_psd.ptPaperSize.y); }
    // Either pointer may be null.
    void GetMargins(LPRECT lpRectMargins, LPRECT lpRectMinMargins) const;
    CString GetDeviceName() const;
    // A printer DC for the chosen printer, the caller's; null without a choice.
    HDC CreatePrinterDC();

    PAGESETUPDLG m_psd;
};
