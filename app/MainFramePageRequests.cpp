// What pages ask of the frame: stopping a measurement while ports are scanned, going to the
// connection page, and the notice of the adjustment page for sensors with an old configuration.
#include "app/MainFrame.h"
#include "pages/common/PageTable.h"
#include "pages/measurement/CDlgMeasureAdjust.h"
#include "pages/sensor/CDlgSensorConnection.h"

void CMainFrame::SetStopMeasureDuringScan(BOOL flag) {
    m_bStopMeasureDuringScan = flag;
    if (flag) {
        COM_SetZMCOMConfgFlow(ZM_STOP_MEASURE);
        m_iActivationGenerationAt46 = m_iActivationGeneration;
        SetTimer(TIMER_REENABLE_CONNECTION, 2500, nullptr);
    }
}

void CMainFrame::SwitchToSensorConnectionPage() {
    SetOperatingMode(PAGE_CONNECTION);
    if (CDlgSensorConnection* connection = GetConnectionPage(); connection && connection->m_hWnd)
        connection->SetTimer(CDlgSensorConnection::TIMER_PAGE_REFRESH, 20, nullptr);
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
