#include "pages/measurement/CDlgSaveMwMessage.h"

#include "foundation/Language.h"
#include "foundation/SharedConstants.h"
#include "pages/common/PageHost.h"

IMPLEMENT_DYNAMIC(CDlgSaveMwMessage, CPerRunDialog)

namespace {

constexpr int kSavingText = 5799;

}  // namespace

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
    SetDlgItemText(IDC_SAVE_TEXT, GetLanguageString(kSavingText));
    // At once, not posted: the notice may be gone before a posted registration would arrive.
    if (PageHost* frame = GetPageHost())
        frame->RegisterWindow(this, kDialogRegistration, m_nRegistration);
    return result;
}
