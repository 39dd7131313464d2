#include "pages/sensor/CalibrationStepDialogs.h"

#include "app/MainFrame.h"
#include "foundation/SharedConstants.h"

IMPLEMENT_DYNAMIC(CCalibStepDialog, CDialog)
IMPLEMENT_DYNAMIC(CDlgCalibMsgDoCalib, CCalibStepDialog)
IMPLEMENT_DYNAMIC(CDlgCalibMsgGetValueZero, CCalibStepDialog)
IMPLEMENT_DYNAMIC(CDlgCalibMsgGetValueEnd, CCalibStepDialog)
IMPLEMENT_DYNAMIC(CDlgCalibMsgWrongScaleValue, CCalibStepDialog)
IMPLEMENT_DYNAMIC(CDlgCalibMsgDeleteCalib, CCalibStepDialog)

BEGIN_MESSAGE_MAP(CCalibStepDialog, CDialog)
ON_WM_DESTROY()
END_MESSAGE_MAP()

BOOL CCalibStepDialog::OnInitDialog() {
    const BOOL result = CDialog::OnInitDialog();
    if (CWnd* frame = AfxGetMainWnd())
        frame->PostMessage(m_nRegistration, reinterpret_cast<WPARAM>(this), kDialogRegistration);
    return result;
}

void CCalibStepDialog::OnDestroy() {
    if (CMainFrame* frame = GetMainFrame())
        frame->UnregisterWindow(this);
    CDialog::OnDestroy();
}
