// A view bar the user closed: when its view setting still says shown, the setting is switched
// off as its menu toggle does, so that menu, tree and bars agree. Only the closed bar is looked
// at, and only a user's close comes here: bars the program hides keep their settings.
#include "app/MainFrame.h"
#include "pages/measurement/CDlgMeasureDiagram.h"
#include "sensor/ChanState.h"

void CMainFrame::OnViewBarClosedByUser(CControlBar* pBar) {
    if (pBar == nullptr || pBar->IsVisible())
        return;
    for (int i = 0; i < 7; ++i) {
        if (pBar != &m_wndViewBar[i])
            continue;
        if (i == CHANNEL_P1 || i == CHANNEL_P2) {
            const BYTE on =
                i == CHANNEL_P1 ? ChanState_IsPowerChannel1On() : ChanState_IsPowerChannel2On();
            if (!on || !m_measurement.Flow().m_bChannelActive[i])
                return;
            // The toggle would show the already hidden bar again: switch the view off alone,
            // and with it the computation, so that no later layout shows the bar again.
            ChanState_SetPowerChannelOn(i - CHANNEL_P1, FALSE);
            ChanState_SetPowerViewShown(i - CHANNEL_P1, FALSE);
            m_measurement.SetPowerChannelActive(i - CHANNEL_P1, FALSE);
            if (CDlgMeasureDiagram* measure = GetMeasureDiagramPage())
                measure->SetPowerCheck(i - CHANNEL_P1, FALSE);
            DockChannelBars();
        } else if (m_viewState.checkState[i == CHANNEL_LIGHT ? 4 : i] == 1) {
            ToggleChannelView(i);
        }
        return;
    }
    if (pBar == &m_wndDiagramBar && m_viewState.checkState[5] == 1)
        OnToggleDiagram();
    else if (pBar == &m_wndNaviBar && m_viewState.checkState[6] == 1)
        OnToggleNavigationBar();
}
