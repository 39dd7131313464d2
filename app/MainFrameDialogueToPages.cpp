// The sensor dialogue's calls into the windows above it: each goes to the start-up window or to
// the page that owns it, and does nothing while that page has not registered. Also the stop of a
// measurement while ports are scanned and the adjustment page's notice for sensors with an old
// configuration.
#include "app/MainFrame.h"
#include "pages/measurement/CDlgMeasureAdjust.h"
#include "pages/measurement/CDlgMeasureDiagram.h"
#include "pages/sensor/CDlgSensorCalibration.h"
#include "pages/sensor/CDlgSensorConnection.h"
#include "pages/sensor/CDlgSensorInformationPkr.h"

void CMainFrame::ShowProgressBar(int portCount) {
    m_dlgStartUp.ShowProgressBar(portCount);
}
void CMainFrame::SetPortProgress(int port) {
    m_dlgStartUp.SetPortProgress(port);
}
void CMainFrame::AdvanceProgress(int kind) {
    m_dlgStartUp.AdvanceProgress(kind);
}
void CMainFrame::PresetProgressStep() {
    m_dlgStartUp.PresetProgressStep();
}
void CMainFrame::StopProgress() {
    m_dlgStartUp.StopProgress();
}
void CMainFrame::ShowScanFinished() {
    m_dlgStartUp.ShowScanFinished();
}
void CMainFrame::SetProgressActive(BOOL active) {
    m_dlgStartUp.SetProgressActive(active);
}
void CMainFrame::HideStartUpWindow() {
    m_dlgStartUp.HideWindow();
}
BOOL CMainFrame::IsSearchForOnlyUsbPorts() {
    return m_dlgStartUp.IsSearchForOnlyUsbPorts();
}

void CMainFrame::FillPortRow(const CString& displayName, int row, int state, DWORD serialNumber,
                             COLORREF background) {
    if (CDlgSensorConnection* page = GetConnectionPage())
        page->FillPortRow(displayName, row, state, serialNumber, background);
}
void CMainFrame::RebuildPortList(int mode) {
    if (CDlgSensorConnection* page = GetConnectionPage())
        page->RebuildPortList(mode);
}
void CMainFrame::SetEnablingOfAllPorts(int flag) {
    if (CDlgSensorConnection* page = GetConnectionPage())
        page->SetEnablingOfAllPorts(flag);
}
void CMainFrame::SetCheckboxCellsOk() {
    if (CDlgSensorConnection* page = GetConnectionPage())
        page->SetCheckboxCellsOk();
}
void CMainFrame::OnPortRefreshDone() {
    if (CDlgSensorConnection* page = GetConnectionPage())
        page->OnPortRefreshDone();
}
void CMainFrame::SetXPicoBaudrateForPort(int row, int rate, BOOL save) {
    if (CDlgSensorConnection* page = GetConnectionPage())
        page->SetXPicoBaudrateForPort(row, rate, save);
}
void CMainFrame::UpdatePortStates(int row, BOOL keep) {
    if (CDlgSensorConnection* page = GetConnectionPage())
        page->UpdatePortStates(row, keep);
}
void CMainFrame::SetPortRowStateAndSerial(int row, const CString& stateText,
                                          const CString& serialText) {
    if (CDlgSensorConnection* page = GetConnectionPage())
        page->SetPortRowStateAndSerial(row, stateText, serialText);
}
void CMainFrame::ClearActivationBusy() {
    if (CDlgSensorConnection* page = GetConnectionPage())
        page->ClearActivationBusy();
}
void CMainFrame::ArmConnectionPageTimer(UINT id, UINT ms) {
    if (CDlgSensorConnection* page = GetConnectionPage(); page && page->m_hWnd)
        page->SetTimer(id, ms, nullptr);
}
void CMainFrame::ArmInformationPageTimer(UINT id, UINT ms) {
    if (CDlgSensorInformationPkr* page = GetInformationPage(); page && page->m_hWnd)
        page->SetTimer(id, ms, nullptr);
}

void CMainFrame::ShowControlElements(BOOL enable) {
    if (CDlgSensorCalibration* page = GetCalibrationPage())
        page->ShowControlElements(enable);
}
void CMainFrame::AdvanceCalibProgress(int kind) {
    if (CDlgSensorCalibration* page = GetCalibrationPage())
        page->AdvanceCalibProgress(kind);
}
BOOL CMainFrame::CalcualteCalibValues(BOOL askUser, int readingSet, int& errors) {
    errors = 0;
    CDlgSensorCalibration* page = GetCalibrationPage();
    return page != nullptr ? page->CalcualteCalibValues(askUser, readingSet, errors) : FALSE;
}
int CMainFrame::GetUncertaintyAction() {
    CDlgSensorCalibration* page = GetCalibrationPage();
    return page != nullptr ? page->GetUncertaintyAction() : 0;
}
void CMainFrame::StartZeroWaitTimer() {
    if (CDlgSensorCalibration* page = GetCalibrationPage())
        page->StartZeroWaitTimer();
}
void CMainFrame::ShowNotLoadedIndicator() {
    if (CDlgSensorCalibration* page = GetCalibrationPage())
        page->ShowNotLoadedIndicator();
}
void CMainFrame::CloseScaleDialogIfVisible() {
    if (CDlgSensorCalibration* page = GetCalibrationPage())
        page->CloseScaleDialogIfVisible();
}

void CMainFrame::OnMeasureTick() {
    if (CDlgMeasureDiagram* page = GetMeasureDiagramPage())
        page->OnMeasureTick();
}
BOOL CMainFrame::IsMeasuring() {
    CDlgMeasureDiagram* page = GetMeasureDiagramPage();
    return page != nullptr && page->IsMeasuring();
}
void CMainFrame::SetControlSignalState(int on) {
    if (CDlgMeasureDiagram* page = GetMeasureDiagramPage())
        page->SetControlSignalState(on);
}
void CMainFrame::OnSensorConnected() {
    ActivateOpenSensorChannels();
    LogSensorEvent();
    if (CDlgMeasureDiagram* page = GetMeasureDiagramPage())
        page->OnSensorConnected();
    // The sensor answers again after an adjustment was written: its scale dialog is done.
    if (!COM_IsCalibPending())
        CloseScaleDialogIfVisible();
}
void CMainFrame::OnSensorDisconnected() {
    LogSensorEvent("OnSensorDisconnected()");
    // A measurement that loses its sensor ends like any other: its rows are written.
    if (m_measurement.Recording().m_ucConversionPending != 0)
        FinishMeasurement();
    if (CDlgMeasureDiagram* page = GetMeasureDiagramPage())
        page->OnSensorDisconnected();
}

void CMainFrame::SetStopMeasureDuringScan(BOOL flag) {
    m_bStopMeasureDuringScan = flag;
    if (flag) {
        COM_SetZMCOMConfgFlow(ZM_STOP_MEASURE);
        m_iActivationGenerationAtReenable = m_iActivationGeneration;
        SetTimer(TIMER_REENABLE_CONNECTION, 2500, nullptr);
    }
}

void CMainFrame::ShowMeasureAdjustNotice() {
    bool outdated = false;
    for (int i = 0; i < m_iActivatedCount && i < COM_MAX_SENSORS; ++i)
        outdated |= m_aSensorRecord[i].ucConfigVersion != 4;
    CDlgMeasureAdjust* adjust = GetMeasureAdjustPage();
    if (!outdated || adjust == nullptr)
        return;
    adjust->m_bNeedsConfirmation = TRUE;
    adjust->ShowNotice(TRUE);
    SetTimer(TIMER_MEASURE_ADJUST_NOTICE, 876, nullptr);
}
