// Choosing a font through the window system's font dialog. The result is in m_lf (which
// m_cf.lpLogFont points at) and m_cf; a cancel leaves both as they were.
#pragma once

#include "platform/base/CString.h"
#include "platform/framework/commdlg/CommonDialog.h"
#include "platform/gfx/CDC.h"

class CFontDialog : public CCommonDialog {
    DECLARE_DYNAMIC(CFontDialog)
  public:
    // The dialog starts on lplfInitial when given (CF_INITTOLOGFONTSTRUCT). With a printer DC
    // its fonts are offered too (CF_PRINTERFONTS).
    explicit CFontDialog(LPLOGFONT lplfInitial = nullptr,
                         DWORD dwFlags = CF_EFFECTS | CF_SCREENFONTS, CDC* pdcPrinter = nullptr,
                         CWnd* pParentWnd = nullptr);

    // IDOK or IDCANCEL.
    INT_PTR DoModal() override;

    void GetCurrentFont(LPLOGFONT lplf) const;
    CString GetFaceName() const;
    // "Bold Italic" and the like, in the dialog's language.
    CString GetStyleName() const;
    int GetSize() const { return m_cf.iPointSize; }  // tenths of a point
    COLORREF GetColor() const { return m_cf.rgbColors; }
    int GetWeight() const { return static_cast<int>(m_lf.lfWeight); }
    BOOL IsStrikeOut() const { return m_lf.lfStrikeOut != 0; }
    BOOL IsUnderline() const { return m_lf.lfUnderline != 0; }
    BOOL IsBold() const;
    BOOL IsItalic() const { return m_lf.lfItalic != 0; }

    CHOOSEFONT m_cf;
    LOGFONT m_lf;

  private:
    char m_szStyleName[64];
};
