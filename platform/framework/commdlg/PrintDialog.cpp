#include "platform/framework/commdlg/PrintDialog.h"

#include "platform/ui/commdlg/PrintChoice.h"

IMPLEMENT_DYNAMIC(CPrintDialog, CCommonDialog)

CPrintDialog::CPrintDialog(BOOL bPrintSetupOnly, DWORD dwFlags, CWnd* pParentWnd)
    : CCommonDialog(pParentWnd), m_pd{} {
    m_pd.lStructSize = sizeof(m_pd);
    m_pd.Flags = dwFlags | (bPrintSetupOnly ? PD_PRINTSETUP : PD_RETURNDC);
}

CPrintDialog::~CPrintDialog() {
    ::GlobalFree(m_pd.hDevMode);
    ::GlobalFree(m_pd.hDevNames);
}

INT_PTR CPrintDialog::DoModal() {
    m_pd.hwndOwner = OwnerWindow();
    return ::PrintDlg(&m_pd) ? IDOK : IDCANCEL;
}

BOOL CPrintDialog::GetDefaults() {
    // The window system gives defaults only into empty blocks.
    ::GlobalFree(m_pd.hDevMode);
    ::GlobalFree(m_pd.hDevNames);
    m_pd.hDevMode = nullptr;
    m_pd.hDevNames = nullptr;
    m_pd.Flags |= PD_RETURNDEFAULT;
    const BOOL found = ::PrintDlg(&m_pd);
    m_pd.Flags &= ~PD_RETURNDEFAULT;
    return found;
}

HDC CPrintDialog::CreatePrinterDC() {
    m_pd.hDC = kq::ui::commdlg::CreatePrinterDCFromHandles(m_pd.hDevMode, m_pd.hDevNames);
    return m_pd.hDC;
}

LPDEVMODE CPrintDialog::GetDevMode() const {
    if (::GlobalSize(m_pd.hDevMode) < sizeof(DEVMODE))
        return nullptr;
    return static_cast<LPDEVMODE>(::GlobalLock(m_pd.hDevMode));
}

CString CPrintDialog::GetDeviceName() const {
    return CString(kq::ui::commdlg::ReadDevNames(m_pd.hDevNames).device);
}

CString CPrintDialog::GetDriverName() const {
    return CString(kq::ui::commdlg::ReadDevNames(m_pd.hDevNames).driver);
}

CString CPrintDialog::GetPortName() const {
    return CString(kq::ui::commdlg::ReadDevNames(m_pd.hDevNames).output);
}

int CPrintDialog::GetCopies() const {
    if (m_pd.Flags & PD_USEDEVMODECOPIES) {
        const LPDEVMODE mode = GetDevMode();
        return mode != nullptr && (mode->dmFields & DM_COPIES) && mode->dmCopies > 0
                   ? mode->dmCopies
                   : 1;
    }
    return m_pd.nCopies;
}
