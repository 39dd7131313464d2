// The calibration page as the user sees it: three buttons in a group box, enabled while a single
// sensor answers, and the engine's calls that reach the step dialogs of the run under way.
#include "pages/sensor/CDlgSensorCalibration.h"

#include "foundation/Language.h"
#include "pages/common/PageHost.h"
#include "pages/common/PageLinks.h"
#include "res/TextIds.h"

IMPLEMENT_DYNAMIC(CDlgSensorCalibration, CPageDialog)

BEGIN_MESSAGE_MAP(CDlgSensorCalibration, CPageDialog)
ON_WM_SHOWWINDOW()
ON_WM_PAINT()
ON_WM_TIMER()
ON_BN_CLICKED(CDlgSensorCalibration::IDC_PERFORM, &CDlgSensorCalibration::OnPerform)
ON_BN_CLICKED(CDlgSensorCalibration::IDC_DELETE, &CDlgSensorCalibration::OnDelete)
ON_BN_CLICKED(CDlgSensorCalibration::IDC_UNCERTAINTY, &CDlgSensorCalibration::OnUncertainty)
END_MESSAGE_MAP()

BOOL CDlgSensorCalibration::s_bZeroDialogBusy = TRUE;
BOOL CDlgSensorCalibration::s_bFirstRun = TRUE;

namespace {

constexpr BYTE kFactoryInForce = 2;
constexpr BYTE kUserInForce = 3;

}  // namespace

BOOL CDlgSensorCalibration::OnInitDialog() {
    CPageDialog::OnInitDialog();
    if (m_bFirstInit) {
        m_bFirstInit = FALSE;
        m_pHost = GetPageHost();
        ShowControlElements(FALSE);
        if (m_pHost == nullptr || !m_pHost->IsStartUpPending())
            LayoutControls();
    }
    return TRUE;
}

BOOL CDlgSensorCalibration::SetLanguageTexts() {
    if (m_hWnd == nullptr)
        return TRUE;
    SetDlgItemText(IDC_GROUP_BOX, GetLanguageString(IDS_CALIB_CAPTION));
    SetDlgItemText(IDC_UNCERTAINTY, GetLanguageString(IDS_UNCERTAINTY_STORE));
    SetDlgItemText(IDC_PERFORM, GetLanguageString(IDS_CALIB_PERFORM));
    SetDlgItemText(IDC_DELETE, GetLanguageString(IDS_CALIB_DELETE));
    RepaintAfterNewTexts(this);
    return TRUE;
}

void CDlgSensorCalibration::LayoutControls() {
    if (m_hWnd == nullptr || m_pHost == nullptr)
        return;
    const CRect client = HostClientRect(m_pHost);
    MoveWindow(0, 0, client.Width(), client.Height());
    const int width = client.Width() < 292 ? 273 : client.Width() - 19;
    const int height = client.Height() < 153 ? 138 : client.Height() - 15;
    if (CWnd* group = GetDlgItem(IDC_GROUP_BOX))
        group->MoveWindow(client.left + 10, client.top + 5, width, height);
}

void CDlgSensorCalibration::OnShowWindow(BOOL bShow, UINT nStatus) {
    CPageDialog::OnShowWindow(bShow, nStatus);
    if (!bShow || m_pHost == nullptr || m_pHost->IsStartUpPending())
        return;
    if (IMeasurePanelLink* measure = m_pHost->MeasurePanel())
        measure->OnBnClickedStop();
    LayoutControls();
}

void CDlgSensorCalibration::OnPaint() {
    CPageDialog::OnPaint();
    if (m_pHost != nullptr && !m_pHost->IsStartUpPending() && IsWindowVisible())
        LayoutControls();
}

BOOL CDlgSensorCalibration::IsSensorUsable() const {
    return m_pHost != nullptr && m_pHost->Dialogue().m_iOpenEntry >= 0;
}

void CDlgSensorCalibration::ShowControlElements(BOOL enable) {
    if (m_pHost == nullptr)
        m_pHost = GetPageHost();
    const BYTE inForce =
        m_pHost != nullptr ? m_pHost->Dialogue().m_aSensorRecord[0].ucUsedCalib : 0;
    // A delete keeps the wait cursor until the dialogue rests again or the sensor is gone.
    if (m_bDeleteWaitCursor && (enable || !IsSensorUsable())) {
        m_bDeleteWaitCursor = FALSE;
        if (m_pHost != nullptr)
            m_pHost->WaitCursorOff();
    }
    if (m_hWnd == nullptr)
        return;
    // The uncertainty belongs to the adjustment in force: without one there is nothing to write.
    EnableButton(IDC_UNCERTAINTY,
                 enable && (inForce == kFactoryInForce || inForce == kUserInForce));
    EnableButton(IDC_PERFORM, enable);
    EnableButton(IDC_DELETE, enable && inForce == kUserInForce);
}

// A button that can no longer be pressed gives up the default frame it took with the focus.
void CDlgSensorCalibration::EnableButton(int id, BOOL enable) {
    CWnd* button = GetDlgItem(id);
    if (button == nullptr)
        return;
    button->EnableWindow(enable);
    if (!enable && (button->GetStyle() & BS_TYPEMASK) == BS_DEFPUSHBUTTON)
        button->SendMessage(BM_SETSTYLE, BS_PUSHBUTTON, TRUE);
}

void CDlgSensorCalibration::AdvanceCalibProgress(int kind) {
    if (m_pHost == nullptr)
        return;
    const bool allWithoutControl = m_pHost->Dialogue().m_aCalib[0].ucNoBuiltInControl &&
                                   m_pHost->Dialogue().m_aCalib[1].ucNoBuiltInControl;
    m_iProgressPosition += kind == 1 ? 60 : (allWithoutControl ? 2 : 1);
    if (m_iStepWidth <= 0 || m_iProgressPosition % m_iStepWidth != 0)
        return;
    ++m_iStepCount;
    if (m_iPhase == 1 && m_pZeroDialog != nullptr)
        m_pZeroDialog->UpdateProgress();
    else if (m_iPhase == 2 && m_pScaleDialog != nullptr)
        m_pScaleDialog->UpdateProgress();
}

void CDlgSensorCalibration::StartZeroWaitTimer() {
    if (m_pZeroDialog != nullptr)
        m_pZeroDialog->StartWaitTimer();
}

void CDlgSensorCalibration::ShowNotLoadedIndicator() {
    if (m_pScaleDialog != nullptr)
        m_pScaleDialog->ShowNotLoaded();
}

void CDlgSensorCalibration::CloseScaleDialogIfVisible() {
    if (m_pScaleDialog != nullptr)
        m_pScaleDialog->CloseIfVisible();
}
