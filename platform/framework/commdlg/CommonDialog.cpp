#include "platform/framework/commdlg/CommonDialog.h"

IMPLEMENT_DYNAMIC(CCommonDialog, CDialog)

CCommonDialog::CCommonDialog(CWnd* pParentWnd) : CDialog() {
    m_pParentWnd = pParentWnd;
}

HWND CCommonDialog::OwnerWindow() {
    return PreModal();
}
