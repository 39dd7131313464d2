#include "platform/framework/commdlg/PageSetupDialog.h"

#include "platform/ui/commdlg/PrintChoice.h"

IMPLEMENT_DYNAMIC(CPageSetupDialog, CCommonDialog)

CPageSetupDialog::CPageSetupDialog(DWORD dwFlags, CWnd* pParentWnd)
    : CCommonDialog(pParentWnd), m_psd{} {
    m_psd.lStructSize = sizeof(m_psd);
    m_psd.Flags = dwFlags;
}

CPageSetupDialog::~CPageSetupDialog() {
    ::GlobalFree(m_psd.hDevMode);
    ::GlobalFree(m_psd.hDevNames);
}

INT_PTR CPageSetupDialog::DoModal() {
    m_psd.hwndOwner = OwnerWindow();
    const PAGESETUPDLG before = m_psd;
    // Margins never set would start the dialog on a page without any; it then starts on its
    // own default margins instead.
    const RECT& m = m_psd.rtMargin;
    const bool unsetMargins = m.left == 0 && m.top == 0 && m.right == 0 && m.bottom == 0;
    if (unsetMargins)
        m_psd.Flags &= ~PSD_MARGINS;
    const BOOL chosen = ::PageSetupDlg(&m_psd);
    m_psd.Flags |= before.Flags & PSD_MARGINS;
    if (!chosen) {
        // The window system fills in default margins even when cancelled. The blocks are
        // only replaced on OK, so the earlier handles are still the live ones.
        m_psd = before;
        return IDCANCEL;
    }
    return IDOK;
}

void CPageSetupDialog::GetMargins(LPRECT lpRectMargins, LPRECT lpRectMinMargins) const {
    if (lpRectMargins != nullptr)
        *lpRectMargins = m_psd.rtMargin;
    if (lpRectMinMargins != nullptr)
        *lpRectMinMargins = m_psd.rtMinMargin;
}

CString CPageSetupDialog::GetDeviceName() const {
    return CString(kq::ui::commdlg::ReadDevNames(m_psd.hDevNames).device);
}

HDC CPageSetupDialog::CreatePrinterDC() {
    return kq::ui::commdlg::CreatePrinterDCFromHandles(m_psd.hDevMode, m_psd.hDevNames);
}
