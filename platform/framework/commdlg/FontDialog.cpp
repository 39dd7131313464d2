#include "platform/framework/commdlg/FontDialog.h"

#include <cstring>

#include "platform/ui/commdlg/FontChoice.h"

IMPLEMENT_DYNAMIC(CFontDialog, CCommonDialog)

CFontDialog::CFontDialog(LPLOGFONT lplfInitial, DWORD dwFlags, CDC* pdcPrinter, CWnd* pParentWnd)
    : CCommonDialog(pParentWnd), m_cf{}, m_lf{}, m_szStyleName{} {
    m_cf.lStructSize = sizeof(m_cf);
    m_cf.lpLogFont = &m_lf;
    m_cf.lpszStyle = m_szStyleName;
    m_cf.Flags = dwFlags;
    if (lplfInitial != nullptr) {
        m_lf = *lplfInitial;
        m_cf.Flags |= CF_INITTOLOGFONTSTRUCT;
    }
    if (pdcPrinter != nullptr) {
        m_cf.hDC = pdcPrinter->m_hAttribDC != nullptr ? pdcPrinter->m_hAttribDC : pdcPrinter->m_hDC;
        m_cf.Flags |= CF_PRINTERFONTS;
    }
}

INT_PTR CFontDialog::DoModal() {
    m_cf.hwndOwner = OwnerWindow();
    return ::ChooseFont(&m_cf) ? IDOK : IDCANCEL;
}

void CFontDialog::GetCurrentFont(LPLOGFONT lplf) const {
    if (lplf != nullptr)
        *lplf = m_lf;
}

CString CFontDialog::GetFaceName() const {
    return CString(m_lf.lfFaceName, static_cast<int>(strnlen(m_lf.lfFaceName, LF_FACESIZE)));
}

CString CFontDialog::GetStyleName() const {
    // The dialog writes the style only with CF_USESTYLE; otherwise it follows from the font.
    if ((m_cf.Flags & CF_USESTYLE) && m_szStyleName[0] != '\0')
        return CString(m_szStyleName,
                       static_cast<int>(strnlen(m_szStyleName, sizeof m_szStyleName)));
    return CString(kq::ui::commdlg::StyleName(IsBold() != FALSE, IsItalic() != FALSE));
}

BOOL CFontDialog::IsBold() const {
    return m_lf.lfWeight >= FW_SEMIBOLD;
}
