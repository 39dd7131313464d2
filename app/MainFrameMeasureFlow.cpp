// The frame's part of the measured-value flow, the recording and the exports: the sensor
// dialogue and the pages call these at their moments. Until the flow is built here they keep the
// channel records at their defaults and change nothing.
#include "app/MainFrame.h"
#include "pages/measurement/CDlgDocumentation.h"

void CMainFrame::ResetChannelRecord(int channel) {
    if (channel < 0 || channel >= COM_CHANNELS)
        return;
    m_adTare[channel] = 0.0;
    m_aiTareState[channel] = 0;
}

void CMainFrame::UpdateMeasuredValues(int reason) {
    m_iLastRedisplayReason = reason;
}

void CMainFrame::SetupChannelsOfSensor(int sensor, int mode) {
    (void)sensor;
    (void)mode;
}

void CMainFrame::TakeOverSoftwareScaling(int sensor) {
    (void)sensor;
}

void CMainFrame::StoreChannelSettingsInSoftwareConfig(int sensor) {
    (void)sensor;
}

void CMainFrame::COM_ShowMessage(const CString& text) {
    AfxMessageBox(text, MB_OK);
}

void CMainFrame::FreeRecordBuffer() {
    m_bRecordBufferPresent = FALSE;
    m_ucDataAvailable = 0;
}

void CMainFrame::EndOfConversion() {
    // In the diagram storage modes 1 and 2 the diagram view's save posts the close itself.
    CDlgDocumentation* documentation = GetDocumentationPage();
    const int mode = documentation != nullptr ? documentation->m_iDiagramStorageMode : 0;
    if ((m_bCloseAfterStop || m_bCloseAfterFastStop) && mode != 1 && mode != 2)
        PostMessage(WM_CLOSE);
}

void CMainFrame::SaveMeasuredValuesAs() {}

void CMainFrame::SaveDiagramAs() {}

void CMainFrame::WriteApplicationLog(int sensor, const char* caller) {
    (void)sensor;
    (void)caller;
}

void CMainFrame::PrintDiagram() {}

LRESULT CMainFrame::OnConversionNotify(WPARAM wParam, LPARAM lParam) {
    (void)lParam;
    // A notification that arrives after the worker went with the close is ignored.
    if (m_pConvertThread == nullptr)
        return 0;
    (void)wParam;
    return 0;
}
