#include "pages/measurement/CDlgSaveMwMessage.h"

#include "foundation/Language.h"
#include "foundation/SharedConstants.h"
#include "pages/common/PageHost.h"
#include "res/TextIds.h"

IMPLEMENT_DYNAMIC(CDlgSaveMwMessage, CPerRunDialog)

BOOL CDlgSaveMwMessage::ShowOver(CWnd* owner) {
    if (!Create(IDD, owner))
        return FALSE;
    CenterWindow(owner);
    ShowWindow(SW_SHOWNOACTIVATE);
    UpdateWindow();
    return TRUE;
}

BOOL CDlgSaveMwMessage::OnInitDialog() {
    const BOOL result = CDialog::OnInitDialog();
    SetDlgItemText(IDC_SAVE_TEXT, GetLanguageString(IDS_SAVING_VALUES));
    // At once, not posted: the notice may be gone before a posted registration would arrive.
    if (PageHost* frame = GetPageHost())
        frame->RegisterWindow(this, kDialogRegistration, m_nRegistration);
    return result;
}
