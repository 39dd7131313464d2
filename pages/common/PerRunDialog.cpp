#include "pages/common/PerRunDialog.h"

#include "foundation/SharedConstants.h"
#include "pages/common/PageHost.h"

IMPLEMENT_DYNAMIC(CPerRunDialog, CDialog)

BEGIN_MESSAGE_MAP(CPerRunDialog, CDialog)
ON_WM_DESTROY()
END_MESSAGE_MAP()

BOOL CPerRunDialog::OnInitDialog() {
    const BOOL result = CDialog::OnInitDialog();
    if (PageHost* frame = GetPageHost())
        frame->HostWindow().PostMessage(m_nRegistration, reinterpret_cast<WPARAM>(this),
                                        kDialogRegistration);
    return result;
}

void CPerRunDialog::OnDestroy() {
    if (PageHost* frame = GetPageHost())
        frame->UnregisterWindow(this);
    CDialog::OnDestroy();
}
