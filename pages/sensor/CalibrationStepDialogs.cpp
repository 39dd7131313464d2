// What the step dialogs share (their place on the screen, their progress bar) and the three
// simple ones: the warning before an adjustment, the deletion and the wrong-scale message.
#include "pages/sensor/CalibrationStepDialogs.h"

#include "foundation/Language.h"
#include "pages/common/PageHost.h"
#include "pages/sensor/CDlgSensorCalibration.h"
#include "pages/sensor/CalibrationMath.h"
#include "platform/framework/MessageBox.h"
#include "res/TextIds.h"

IMPLEMENT_DYNAMIC(CCalibStepDialog, CPerRunDialog)
IMPLEMENT_DYNAMIC(CDlgCalibMsgDoCalib, CCalibStepDialog)
IMPLEMENT_DYNAMIC(CDlgCalibMsgDeleteCalib, CCalibStepDialog)
IMPLEMENT_DYNAMIC(CDlgCalibMsgWrongScaleValue, CCalibStepDialog)

BEGIN_MESSAGE_MAP(CCalibStepDialog, CPerRunDialog)
ON_WM_SHOWWINDOW()
ON_WM_SETCURSOR()
END_MESSAGE_MAP()

CCalibStepDialog::CCalibStepDialog(UINT templateId, UINT registration, CDlgSensorCalibration* page)
    : CPerRunDialog(templateId, registration, page), m_pPage(page) {}

void CCalibStepDialog::OnShowWindow(BOOL bShow, UINT nStatus) {
    CPerRunDialog::OnShowWindow(bShow, nStatus);
    PageHost* frame = GetPageHost();
    if (!bShow || m_pPage == nullptr || frame == nullptr || frame->IsStartUpPending())
        return;
    // Where the last step dialog was left, in this dialog's own size: the steps' forms differ,
    // and a smaller stored size would cut off the lower controls.
    if (!KeepsOwnPosition() && !m_pPage->m_rectStep.IsRectEmpty()) {
        const CRect& r = m_pPage->m_rectStep;
        SetWindowPos(nullptr, r.left, r.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    SetTexts();
}

BOOL CCalibStepDialog::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message) {
    PageHost* frame = GetPageHost();
    if (frame != nullptr && frame->IsWaitCursorShown()) {
        RestoreWaitCursor();
        return TRUE;
    }
    return CPerRunDialog::OnSetCursor(pWnd, nHitTest, message);
}

void CCalibStepDialog::StoreRectangle() {
    if (m_pPage != nullptr)
        GetWindowRect(&m_pPage->m_rectStep);
}

void CCalibStepDialog::UpdateProgressBar() {
    if (m_pPage == nullptr || m_hWnd == nullptr)
        return;
    SendDlgItemMessage(1235, PBM_SETRANGE32, 0, CDlgSensorCalibration::kProgressRange);
    SendDlgItemMessage(1235, PBM_SETPOS, static_cast<WPARAM>(m_pPage->m_iProgressPosition), 0);
}

bool CDlgCalibMsgDoCalib::KeepsOwnPosition() {
    // The first dialog of a run stays where its template puts it.
    if (m_pPage != nullptr && m_pPage->m_bFirstStepDialog) {
        m_pPage->m_bFirstStepDialog = FALSE;
        return true;
    }
    return false;
}

void CDlgCalibMsgDoCalib::SetTexts() {
    SetWindowText(GetLanguageString(IDS_CALIB_CAPTION));
    SetDlgItemText(1218, GetLanguageString(IDS_CALIB_NO_WARRANTY));
    SetDlgItemText(1227, GetLanguageString(IDS_CALIB_FACTORY_RESTORABLE));
    SetDlgItemText(IDOK, GetLanguageString(IDS_YES));
    SetDlgItemText(IDCANCEL, GetLanguageString(IDS_NO));
}

void CDlgCalibMsgDoCalib::OnOK() {
    StoreRectangle();
    CPerRunDialog::OnOK();
}

void CDlgCalibMsgDeleteCalib::SetTexts() {
    SetWindowText(GetLanguageString(IDS_NAVI_CALIBRATION));
    SetDlgItemText(1217, GetLanguageString(IDS_CALIB_DELETE_QUESTION));
    SetDlgItemText(IDOK, GetLanguageString(IDS_YES));
    SetDlgItemText(IDCANCEL, GetLanguageString(IDS_NO));
}

void CDlgCalibMsgDeleteCalib::OnOK() {
    PageHost* frame = GetPageHost();
    if (m_ucUser && frame != nullptr) {
        // The wait cursor stands for a request on its way; it ends when the dialogue rests.
        if (frame->Commands().COM_ZMCOMConfgDeactivateUserCalib(TRUE)) {
            frame->WaitCursorOn();
            if (m_pPage != nullptr)
                m_pPage->m_bDeleteWaitCursor = TRUE;
        } else {
            AfxMessageBox(GetLanguageString(IDS_CHANGE_NOT_TAKEN), MB_ICONWARNING);
        }
    }
    CPerRunDialog::OnOK();
}

void CDlgCalibMsgWrongScaleValue::SetTexts() {
    SetWindowText(GetLanguageString(IDS_NAVI_CALIBRATION));
    SetDlgItemText(1228, calib::WrongScaleText(GetLanguageString(IDS_CALIB_WRONG_SCALE),
                                               GetDecimalSeparatorOf(-1)));
    SetDlgItemText(IDOK, GetLanguageString(IDS_BACK));
}

void CDlgCalibMsgWrongScaleValue::OnOK() {
    StoreRectangle();
    if (m_pPage != nullptr) {
        m_pPage->m_bRememberScale[0] = TRUE;
        m_pPage->m_bRememberScale[1] = TRUE;
    }
    EndDialog(IDCANCEL);
}
