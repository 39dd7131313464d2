// The zero step of an adjustment: the operator unloads the sensor and presses "Weiter"; the
// engine reads zero and control and closes the dialog through StartWaitTimer. While it reads,
// Escape and the close box do nothing; a watchdog ends the dialog when the reading cannot finish
// (the dialogue rests without the close, the sensor is gone, or no reading came for 5 s).
#include "foundation/Language.h"
#include "pages/common/PageHost.h"
#include "pages/common/PageLinks.h"
#include "pages/sensor/CDlgSensorCalibration.h"
#include "pages/sensor/CalibrationMath.h"
#include "pages/sensor/CalibrationStepDialogs.h"
#include "platform/framework/MessageBox.h"
#include "platform/framework/WaitCursor.h"
#include "res/TextIds.h"
#include "sensor/ZMStates.h"

namespace {

constexpr int IDC_INSTRUCTION = 1226;
constexpr int IDC_WAIT_TEXT = 1438;
constexpr int IDC_NO_CONTROL_A = 1239;
constexpr int IDC_NO_CONTROL_B = 1240;

}  // namespace

IMPLEMENT_DYNAMIC(CDlgCalibMsgGetValueZero, CCalibStepDialog)

BEGIN_MESSAGE_MAP(CDlgCalibMsgGetValueZero, CCalibStepDialog)
ON_WM_TIMER()
END_MESSAGE_MAP()

BOOL CDlgCalibMsgGetValueZero::OnInitDialog() {
    CCalibStepDialog::OnInitDialog();
    UpdateProgressBar();
    if (m_pPage != nullptr && m_pPage->m_bSingleChannel) {
        if (CWnd* box = GetDlgItem(IDC_NO_CONTROL_B))
            box->ShowWindow(SW_HIDE);
    }
    CDlgSensorCalibration::s_bZeroDialogBusy = TRUE;
    return TRUE;
}

void CDlgCalibMsgGetValueZero::SetTexts() {
    SetWindowText(GetLanguageString(IDS_NAVI_CALIBRATION));
    SetDlgItemText(IDC_INSTRUCTION, GetLanguageString(IDS_CALIB_UNLOAD));
    SetDlgItemText(IDOK, GetLanguageString(IDS_NEXT));
    SetDlgItemText(IDCANCEL, GetLanguageString(IDS_CANCEL));
    const CString noControl = GetLanguageString(IDS_NO_CONTROL_SIGNAL);
    SetDlgItemText(IDC_NO_CONTROL_A, calib::ReplaceChannelLetter(noControl, 'A'));
    SetDlgItemText(IDC_NO_CONTROL_B, calib::ReplaceChannelLetter(noControl, 'B'));
    CString wait = GetLanguageString(IDS_STATUS_STORAGE_PROGRESS);
    const int dot = wait.Find('.');
    if (dot >= 0)
        wait = wait.Left(dot);
    SetDlgItemText(IDC_WAIT_TEXT, wait);
}

void CDlgCalibMsgGetValueZero::OnOK() {
    if (m_bReading || m_pPage == nullptr)
        return;
    PageHost* frame = m_pPage->Host();
    StoreRectangle();
    if (CWnd* wait = GetDlgItem(IDC_WAIT_TEXT))
        wait->ShowWindow(SW_SHOW);
    if (CWnd* instruction = GetDlgItem(IDC_INSTRUCTION))
        instruction->EnableWindow(FALSE);
    for (int id : {IDOK, IDCANCEL, IDC_NO_CONTROL_A, IDC_NO_CONTROL_B}) {
        if (CWnd* control = GetDlgItem(id))
            control->EnableWindow(FALSE);
    }
    const BOOL noControlA = IsDlgButtonChecked(IDC_NO_CONTROL_A) == BST_CHECKED;
    const BOOL noControlB = frame->Dialogue().m_bFirstSensorIsPkrWithoutDigitalInput
                                ? noControlA
                                : IsDlgButtonChecked(IDC_NO_CONTROL_B) == BST_CHECKED;
    frame->Commands().COM_BeginCalibReading(noControlA, noControlB);
    IMeasurePanelLink* measure = frame->MeasurePanel();
    const bool controlOn = measure != nullptr && measure->IsControlSignalOn();
    m_bReading = TRUE;
    if (frame->Commands().COM_ZMCOMStartReadRawCalib(controlOn ? CALIB_PHASE_CONTROL
                                                               : CALIB_PHASE_ZERO) < 0) {
        GiveUp();
        return;
    }
    // A request is on its way: the wait cursor shows it until the run ends.
    frame->WaitCursorOn();
    m_iLastPosition = m_pPage->m_iProgressPosition;
    m_iQuietMs = 0;
    SetTimer(TIMER_WATCHDOG, kWatchdogMs, nullptr);
}

void CDlgCalibMsgGetValueZero::OnCancel() {
    // Escape and the close box leave a reading alone: the reading or the watchdog ends it.
    if (m_bReading)
        return;
    CDlgSensorCalibration::s_bZeroDialogBusy = FALSE;
    CCalibStepDialog::OnCancel();
}

void CDlgCalibMsgGetValueZero::StartWaitTimer() {
    m_bClosing = TRUE;
    KillTimer(TIMER_WATCHDOG);
    SetTimer(TIMER_CLOSE, 500, nullptr);
}

void CDlgCalibMsgGetValueZero::GiveUp() {
    KillTimer(TIMER_WATCHDOG);
    PageHost* frame = m_pPage->Host();
    frame->Commands().COM_ZMCOMStopReadRawCalib();
    m_bReading = FALSE;
    CDlgSensorCalibration::s_bZeroDialogBusy = FALSE;
    frame->WaitCursorOff();
    EndDialog(IDCANCEL);
    AfxMessageBox(GetLanguageString(IDS_SENSOR_STOPPED), MB_ICONWARNING);
}

void CDlgCalibMsgGetValueZero::OnTimer(UINT_PTR nIDEvent) {
    KillTimer(nIDEvent);
    if (nIDEvent == TIMER_CLOSE) {
        m_bReading = FALSE;
        CDlgSensorCalibration::s_bZeroDialogBusy = FALSE;
        EndDialog(IDOK);
        return;
    }
    if (nIDEvent != TIMER_WATCHDOG || !m_bReading || m_bClosing)
        return;
    PageHost* frame = m_pPage->Host();
    const bool resting = frame->Dialogue().COM_GetZMCOMConfgFlow() == ZM_STOP_MEASURE &&
                         !frame->Dialogue().m_bRequestOutstanding;
    if (m_pPage->m_iProgressPosition != m_iLastPosition) {
        m_iLastPosition = m_pPage->m_iProgressPosition;
        m_iQuietMs = 0;
    } else {
        m_iQuietMs += static_cast<int>(kWatchdogMs);
    }
    if (resting || !m_pPage->IsSensorUsable() || m_iQuietMs >= kNoReadingGiveUpMs) {
        GiveUp();
        return;
    }
    SetTimer(TIMER_WATCHDOG, kWatchdogMs, nullptr);
}
