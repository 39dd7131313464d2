#include "pages/measurement/CDlgSaveMwMessage.h"

#include "app/MainFrame.h"
#include "foundation/SharedConstants.h"

IMPLEMENT_DYNAMIC(CDlgSaveMwMessage, CDialog)

BEGIN_MESSAGE_MAP(CDlgSaveMwMessage, CDialog)
ON_WM_DESTROY()
END_MESSAGE_MAP()

BOOL CDlgSaveMwMessage::OnInitDialog() {
    const BOOL result = CDialog::OnInitDialog();
    if (CWnd* frame = AfxGetMainWnd())
        frame->PostMessage(1229, reinterpret_cast<WPARAM>(this), kDialogRegistration);
    return result;
}

void CDlgSaveMwMessage::OnDestroy() {
    if (CMainFrame* frame = GetMainFrame())
        frame->UnregisterWindow(this);
    CDialog::OnDestroy();
}
