#include "pages/measurement/CDlgInfo.h"

#include "foundation/Language.h"
#include "foundation/SharedConstants.h"
#include "res/resource.h"

CDlgInfo::CDlgInfo() : CDialog(IDD) {}

BOOL CDlgInfo::OnInitDialog() {
    CDialog::OnInitDialog();
    SetWindowText(GetLanguageString(IDS_INFO_CAPTION));
    CString version;
    version.Format(GetLanguageString(IDS_INFO_VERSION), kSettingsVersion);
    SetDlgItemText(IDC_INFO_VERSION, version);
    SetDlgItemText(IDC_INFO_RIGHTS, GetLanguageString(IDS_INFO_RIGHTS));
    return TRUE;
}
