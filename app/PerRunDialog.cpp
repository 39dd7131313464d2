#include "app/PerRunDialog.h"

#include "app/MainFrame.h"
#include "foundation/SharedConstants.h"

IMPLEMENT_DYNAMIC(CPerRunDialog, CDialog)

BEGIN_MESSAGE_MAP(CPerRunDialog, CDialog)
ON_WM_DESTROY()
END_MESSAGE_MAP()

BOOL CPerRunDialog::OnInitDialog() {
    const BOOL result = CDialog::OnInitDialog();
    if (CMainFrame* frame = GetMainFrame())
        frame->PostMessage(m_nRegistration, reinterpret_cast<WPARAM>(this), kDialogRegistration);
    return result;
}

void CPerRunDialog::OnDestroy() {
    if (CMainFrame* frame = GetMainFrame())
        frame->UnregisterWindow(this);
    CDialog::OnDestroy();
}
