// The commands of the main menu and their enabled and ticked states: saves, print and exit, the
// pages, the bars and views, the languages and the help dialogs. Also the frame's handling of
// the status-text message, through which menu prompts and the idle text reach the status line.
#include "app/MainFrame.h"
#include "app/ThreadedConvertFile.h"
#include "foundation/Language.h"
#include "pages/common/PageTable.h"
#include "pages/measurement/CDlgInfo.h"
#include "pages/measurement/CDlgMeasureDiagram.h"
#include "res/TextIds.h"
#include "sensor/ChanState.h"

namespace {

constexpr UINT kPageOfCommand[] = {PAGE_CONNECTION,    PAGE_INFORMATION, PAGE_MEASURE_ADJUST,
                                   PAGE_DOCUMENTATION, PAGE_CALIBRATION, PAGE_MEASURE_DIAGRAM,
                                   PAGE_DIAGNOSTIC};

}  // namespace

void CMainFrame::OnSaveMeasuredValues() {
    if (m_measurement.Files().m_ucDataAvailable != 0 &&
        !(m_measurement.Files().m_pConvertThread != nullptr &&
          m_measurement.Files().m_pConvertThread->IsRunning()))
        SaveMeasuredValuesAs();
}

void CMainFrame::OnSaveDiagram() {
    if (m_measurement.Files().m_ucDataAvailable != 0 &&
        !(m_measurement.Files().m_pConvertThread != nullptr &&
          m_measurement.Files().m_pConvertThread->IsRunning()))
        SaveDiagramAs();
}

void CMainFrame::OnPrint() {
    StartDiagramPrint();
}

void CMainFrame::OnExit() {
    PostMessage(WM_COMMAND, ID_APP_EXIT);
}

void CMainFrame::OnOperatingMode(UINT nID) {
    SetOperatingMode(kPageOfCommand[nID - 10005]);
}

void CMainFrame::OnUpdateOperatingMode(CCmdUI* pCmdUI) {
    pCmdUI->SetCheck(m_nActivePage == kPageOfCommand[pCmdUI->m_nID - 10005]);
}

void CMainFrame::ToggleBar(CControlBar& bar, int entry) {
    int& state = m_viewState.checkState[entry];
    if (state != 1) {
        state = 1;
        ShowViewBar(&bar, TRUE, FALSE);
    } else {
        state = 0;
        ShowViewBar(&bar, FALSE, FALSE);
    }
    RefreshTreeStates();
}

void CMainFrame::OnToggleNavigationBar() {
    ToggleBar(m_wndNaviBar, 6);
}

void CMainFrame::OnToggleStatusBar() {
    ToggleBar(m_wndStatusBar, 7);
}

void CMainFrame::OnToggleDiagram() {
    ToggleBar(m_wndDiagramBar, 5);
}

void CMainFrame::ResetViews() {
    m_viewState.checkState[6] = 1;
    m_viewState.checkState[7] = 1;
    ShowViewBar(&m_wndNaviBar, TRUE, FALSE);
    ShowViewBar(&m_wndStatusBar, TRUE, FALSE);
}

void CMainFrame::OnResetViews() {
    ResetViews();
}

void CMainFrame::OnLanguage(UINT nID) {
    static constexpr int kOffsets[] = {LANGUAGE_GERMAN, LANGUAGE_ENGLISH, LANGUAGE_FRENCH_OLD,
                                       LANGUAGE_SPANISH};
    SwitchLanguage(kOffsets[nID - 10019]);
}

void CMainFrame::OnUpdateLanguage(CCmdUI* pCmdUI) {
    static constexpr int kHeld[] = {LANGUAGE_GERMAN, LANGUAGE_ENGLISH, LANGUAGE_FRENCH,
                                    LANGUAGE_SPANISH};
    pCmdUI->SetCheck(m_iLanguageOffset == kHeld[pCmdUI->m_nID - 10019]);
    if (pCmdUI->m_nID == 10022)
        pCmdUI->Enable(FALSE);
}

void CMainFrame::OnInfo() {
    CDlgInfo info;
    info.DoModal();
}

void CMainFrame::OnAdvice() {
    CDlgAdvice advice(GetLanguageString(IDS_NAVI_ADVICE));
    advice.DoModal();
}

void CMainFrame::OnChannelView(UINT nID) {
    if (nID >= 10031 && nID <= 10034)
        ToggleChannelView(static_cast<int>(nID - 10031));
    else if (nID == 10040)
        ToggleChannelView(CHANNEL_LIGHT);
}

void CMainFrame::OnAroundTrigger() {
    m_bAroundTrigger = !m_bAroundTrigger;
    if (CDlgMeasureDiagram* measure = GetMeasureDiagramPage())
        measure->SetAroundTrigger(m_bAroundTrigger);
}

void CMainFrame::OnUpdateAroundTrigger(CCmdUI* pCmdUI) {
    pCmdUI->SetCheck(m_bAroundTrigger);
}

void CMainFrame::OnUpdateSave(CCmdUI* pCmdUI) {
    pCmdUI->Enable(m_measurement.Files().m_ucDataAvailable != 0);
}

namespace {

// A bar's item: enabled and ticked by the bar's visibility while its state is 0 or 1.
void UpdateBarItem(CCmdUI* pCmdUI, int state, const CControlBar& bar) {
    if (state == 0 || state == 1) {
        pCmdUI->Enable(TRUE);
        pCmdUI->SetCheck(bar.IsVisible());
    } else {
        pCmdUI->Enable(FALSE);
        pCmdUI->SetCheck(FALSE);
    }
}

}  // namespace

void CMainFrame::OnUpdateNavigationBar(CCmdUI* pCmdUI) {
    UpdateBarItem(pCmdUI, m_viewState.checkState[6], m_wndNaviBar);
}

void CMainFrame::OnUpdateStatusBar(CCmdUI* pCmdUI) {
    UpdateBarItem(pCmdUI, m_viewState.checkState[7], m_wndStatusBar);
}

void CMainFrame::OnUpdateDiagram(CCmdUI* pCmdUI) {
    if (m_iBarsForPage != 1) {
        pCmdUI->Enable(FALSE);
        pCmdUI->SetCheck(FALSE);
        return;
    }
    UpdateBarItem(pCmdUI, m_viewState.checkState[5], m_wndDiagramBar);
}

void CMainFrame::OnUpdateChannelView(CCmdUI* pCmdUI) {
    const UINT id = pCmdUI->m_nID;
    const int channel = id == 10040 ? CHANNEL_LIGHT : static_cast<int>(id) - 10031;
    if (m_iBarsForPage != 1 || channel < 0 || (channel > 3 && channel != CHANNEL_LIGHT)) {
        pCmdUI->Enable(FALSE);
        pCmdUI->SetCheck(FALSE);
        return;
    }
    const int entry = channel == CHANNEL_LIGHT ? 4 : channel;
    UpdateBarItem(pCmdUI, m_viewState.checkState[entry], m_wndViewBar[channel]);
}

void CMainFrame::ToggleChannelView(int channel) {
    if (m_hOwnerWnd == nullptr)
        return;
    if ((channel >= 0 && channel <= 3) || channel == CHANNEL_LIGHT) {
        const int entry = channel == CHANNEL_LIGHT ? 4 : channel;
        int& state = m_viewState.checkState[entry];
        CViewBar& bar = m_wndViewBar[channel];
        if (state == 0) {
            state = 1;
            FitDiagramToMeasurePage();
            ShowViewBar(&bar, TRUE, FALSE);
        } else {
            if (state == 1)
                state = 0;
            ShowViewBar(&bar, FALSE, FALSE);
        }
        RefreshTreeStates();
        if (channel <= 3) {
            // The sensor keeps the choice in its configuration, written from the record.
            m_measurement.EditFlow().m_aChannelRecords[channel].ucViewState =
                static_cast<BYTE>(state);
            if (!m_bStartUpPending)
                RequestSoftwareConfigWrite(m_aiChannelViewSensor[channel]);
        }
    } else if (channel == CHANNEL_P1 || channel == CHANNEL_P2) {
        CDlgMeasureDiagram* measure = GetMeasureDiagramPage();
        const int derived = channel - CHANNEL_P1;
        // The derived channel is computed exactly while its view is asked for; the view flag
        // keeps its bar through every later layout of the page.
        auto switchPower = [&](BOOL on) {
            // The power is computed in the unit its record names (watts unless chosen).
            ChannelRecord& record = m_measurement.EditFlow().m_aChannelRecords[channel];
            if (on && record.iUnitCount == 0)
                BuildUnitList(record, 'P', FALSE, FALSE, CString(), 0.0);
            if (on)
                COM_SetPowerUnit(derived, record.iUnitIndex);
            ChanState_SetPowerChannelOn(derived, on);
            ChanState_SetPowerViewShown(derived, on);
            RefreshDerivedChannelActive(derived);
            if (on)
                FitDiagramToMeasurePage();
            ShowViewBar(&m_wndViewBar[channel], on, FALSE);
            if (measure != nullptr)
                measure->SetPowerCheck(derived, on);
        };
        if (m_wndViewBar[channel].IsVisible())
            switchPower(FALSE);
        else if (measure == nullptr || !measure->m_bSwitchingPowerView)
            switchPower(TRUE);
    }
    DockChannelBars();
}

LRESULT CMainFrame::OnSetMessageString(WPARAM wParam, LPARAM lParam) {
    m_nFlags &= ~WF_NOPOPMSG;
    const UINT previous = m_nIDLastMessage;
    const auto id = static_cast<UINT>(wParam);
    if (CWnd* bar = GetMessageBar()) {
        CString text;
        if (lParam != 0) {
            m_strStatusText = reinterpret_cast<LPCTSTR>(lParam);
            text = m_strStatusText;
        } else if (id == AFX_IDS_IDLEMESSAGE) {
            text = m_strStatusText;
        } else if (id != 0) {
            UINT promptId = id;
            if (id == 10000) {
                // The tree's command: the prompt of the command under the mouse, else of the
                // selected item.
                const int command = m_wndTree.GetCurrentCommandId();
                HTREEITEM item =
                    m_wndTree.m_hWnd != nullptr ? m_wndTree.GetSelectedItem() : nullptr;
                if (command > 10000)
                    promptId = static_cast<UINT>(command);
                else
                    promptId = item != nullptr ? static_cast<UINT>(m_wndTree.GetItemData(item)) : 0;
            }
            if (id == 61190 && m_lpfnCloseProc != nullptr)
                promptId = 61445;  // closing ends the print preview
            if (promptId != 0 && promptId != 61445)
                if (id == 10000 || (id >= 10001 && id <= 10025))
                    promptId += static_cast<UINT>(m_iLanguageOffset);
            if (promptId != 0)
                GetMessageString(promptId, text);
        }
        bar->SetWindowText(text);
        bar->UpdateWindow();
    }
    m_nIDLastMessage = id;
    m_nIDTracking = id;
    return previous;
}
