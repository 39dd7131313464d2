// Opening and closing the port of a row (activation): a double-click, Enter or Space on a row,
// a baud change of a row, and the continuation after a closed row. The engine opens, closes and
// re-creates its ports; the page never deletes or resets a port manager itself.
#include "foundation/Language.h"
#include "pages/common/PageHost.h"
#include "pages/common/PageLinks.h"
#include "pages/sensor/CDlgSensorConnection.h"
#include "platform/framework/MessageBox.h"
#include "res/TextIds.h"
#include "sensor/ChanState.h"
#include "sensor/ZMStates.h"

namespace {

constexpr UINT kContinuationMs = 100;
constexpr UINT kMultiChannelStartMs = 10;

}  // namespace

CString CDlgSensorConnection::PortNameOfRow(int row) {
    if (m_listPorts.m_hWnd == nullptr || row < 0 || row >= m_listPorts.GetItemCount())
        return CString();
    return CComPort::COM_ParsePortDisplayName(m_listPorts.GetItemText(row, COL_INTERFACE));
}

CString CDlgSensorConnection::StateTextOfRow(int row) {
    if (m_listPorts.m_hWnd == nullptr || row < 0 || row >= m_listPorts.GetItemCount())
        return CString();
    return m_listPorts.GetItemText(row, COL_STATE);
}

BOOL CDlgSensorConnection::IsNoRowActive(const CString& activeText) {
    for (int row = 0; row < COM_MAX_PORTS && row < m_listPorts.GetItemCount(); ++row) {
        const CString state = StateTextOfRow(row);
        if (state.IsEmpty())
            break;
        if (state == activeText)
            return FALSE;
    }
    return TRUE;
}

int CDlgSensorConnection::FindActiveRow() {
    const CString active = GetLanguageString(IDS_ACTIVE);
    for (int row = 0; row < m_listPorts.GetItemCount(); ++row) {
        if (StateTextOfRow(row) == active)
            return row;
    }
    return -1;
}

void CDlgSensorConnection::ShowCannotActivate(int row) {
    const CString message = GetLanguageString(IDS_THE_COM_INTERFACE) + " \"" +
                            m_listPorts.GetItemText(row, COL_INTERFACE) + "\" " +
                            GetLanguageString(IDS_CANNOT_BE_ACTIVATED);
    AfxMessageBox(message, MB_ICONWARNING);
}

void CDlgSensorConnection::CloseOpenRow(int row, BOOL groupRow) {
    PageHost* frame = m_pHost;
    const BOOL severalSensors = groupRow || frame->Dialogue().m_iNumberOfSensors > 1;
    const int activeRow = severalSensors ? FindActiveRow() : row;
    frame->Commands().COM_CloseActiveRow(severalSensors);
    if (severalSensors) {
        if (ChanState_GetConnectedChannelCount() > 0)
            ChanState_Reset();
        // Every row of the device shows it is closed again.
        const CString available = GetLanguageString(IDS_AVAILABLE);
        const CString active = GetLanguageString(IDS_ACTIVE);
        for (int r = 0; r < m_listPorts.GetItemCount(); ++r) {
            if (StateTextOfRow(r) == active)
                m_listPorts.SetItemText(r, COL_STATE, available);
        }
    }
    frame->Commands().COM_UpdatePortRowStateAndSerial(activeRow);
    if (IMeasurePanelLink* measure = frame->MeasurePanel())
        measure->OnSensorDisconnected();
    if (ISensorInformationLink* information = frame->InformationPage())
        information->Refill(0);
}

void CDlgSensorConnection::ActivatePortRow(int row, int mode) {
    if (m_pHost == nullptr)
        m_pHost = GetPageHost();
    PageHost* frame = m_pHost;
    if (frame == nullptr || m_listPorts.m_hWnd == nullptr)
        return;
    if (m_bActivationBusy)
        return;
    frame->SetProgressActive(TRUE);
    struct ProgressOff {
        PageHost* frame;
        ~ProgressOff() { frame->SetProgressActive(FALSE); }
    } progressOff{frame};

    const int group = GroupOfRow(row);
    if (mode == 1 && row >= 0 && row < COM_MAX_PORTS) {
        if (SensorEntry_IsNetworkPort(frame->Dialogue().m_aEntries[row])) {
            frame->WaitCursorOn();
            const BOOL usable = CheckXPicoOfRow(row);
            frame->WaitCursorOff();
            if (!usable) {
                m_listPorts.SetComboBox(row, COL_BAUDRATE, FALSE, &m_aBaudChoices[row], 2, 0);
                frame->Commands().COM_MarkEntryRateUnknown(row);
                return;
            }
        }
    }
    if (m_bPendingContinuation) {
        m_bPendingContinuation = FALSE;
        const int pendingRow = m_iLastActivatedRow;
        if (IMeasurePanelLink* measure = frame->MeasurePanel())
            measure->OnSensorDisconnected();
        if (frame->Commands().COM_OpenRowPort(pendingRow, m_strPendingPortName)) {
            frame->WaitCursorOn();
            PostMessage(WM_PORT_ACTIVATED, static_cast<WPARAM>(pendingRow), 0);
        } else {
            RestoreBaudrateCell(pendingRow);
            ShowCannotActivate(pendingRow);
        }
        return;
    }
    m_iLastActivatedRow = row;
    if (frame->Dialogue().COM_GetZMCOMConfgFlow() == ZM_START_INIT)
        return;
    if (mode == 1 && row >= 0 && row == frame->Dialogue().m_iOpenEntry &&
        frame->Dialogue().COM_MainPort() &&
        frame->Dialogue().COM_MainPort()->GetStateText() ==
            frame->Dialogue().m_aEntries[row].strPortName) {
        frame->Commands().COM_TakeMainPortTextAsCurrent();
        frame->WaitCursorOn();
        PostMessage(WM_PORT_ACTIVATED, static_cast<WPARAM>(row), 0);
        return;
    }
    if (row < 0 || row >= m_listPorts.GetItemCount())
        return;
    const CString active = GetLanguageString(IDS_ACTIVE);
    const CString available = GetLanguageString(IDS_AVAILABLE);
    const CString notSupported = GetLanguageString(IDS_NOT_SUPPORTED);
    const CString notAvailable = GetLanguageString(IDS_PORT_NOT_AVAILABLE);
    if (!frame->Dialogue().COM_MainPort()) {
        AfxMessageBox("Please update ports");
        return;
    }
    frame->Commands().COM_TakeMainPortTextAsCurrent();
    const CString portName = PortNameOfRow(row);
    const CString state = StateTextOfRow(row);
    // A row of the previous search that this one did not find is shown, never opened.
    const bool inTable = row < frame->Dialogue().m_iEntryCount &&
                         frame->Dialogue().m_aEntries[row].strPortName == portName;

    if (state == active && inTable) {
        CloseOpenRow(row, group >= 0);
        return;
    }
    // A sensor that stopped answering while open had its port closed by this program: the port
    // is tried again, and the sensor is open as soon as it answers.
    const bool lostHere = inTable && frame->Dialogue().m_aEntries[row].bSensorLost;
    if ((state == available || (state == notAvailable && lostHere)) && inTable) {
        if (!IsNoRowActive(active))
            CloseOpenRow(FindActiveRow(), group >= 0 || frame->Dialogue().m_iNumberOfSensors > 1);
        if (mode == 1) {
            m_strPendingPortName = portName;
            m_bPendingContinuation = TRUE;
            frame->HostWindow().SetTimer(34, kContinuationMs, nullptr);
            return;
        }
        if (group < 0) {
            frame->Commands().COM_CreateMainPortManager(frame->HostWindow().m_hWnd);
            if (IMeasurePanelLink* measure = frame->MeasurePanel())
                measure->OnSensorDisconnected();
            if (!frame->Commands().COM_OpenRowPort(row, portName)) {
                ShowCannotActivate(row);
                return;
            }
            if (ISensorInformationLink* information = frame->InformationPage())
                information->Refill(0);
            return;
        }
        frame->Commands().COM_ActivateGroup(group);
        if (IMeasurePanelLink* measure = frame->MeasurePanel())
            measure->OnSensorDisconnected();
        UpdatePortStates(row, TRUE);
        frame->Commands().COM_StartMultiChannelActivation(row, kMultiChannelStartMs);
        return;
    }
    if (state == notAvailable || !inTable) {
        ShowCannotActivate(row);
        return;
    }
    (void)notSupported;  // a sensor this program does not support is never opened
}

LRESULT CDlgSensorConnection::OnPortActivated(WPARAM wParam, LPARAM lParam) {
    m_iLastMessageRow = static_cast<int>(wParam);
    m_lLastMessageParam = lParam;
    m_iSelectedRow = m_iLastMessageRow;
    m_bActivationBusy = TRUE;
    if (m_pHost != nullptr)
        m_pHost->HostWindow().SetTimer(36, 100, nullptr);
    return 0;
}
