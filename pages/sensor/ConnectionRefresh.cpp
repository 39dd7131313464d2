// The refresh of the port table from the connection page (Update, F5, a device change), the
// search that follows it, and the check boxes: enabling per port and for all, USB only, only the
// ports found before, and the search without multi-port detection.
#include "pages/common/PageHost.h"
#include "pages/common/PageLinks.h"
#include "pages/sensor/CDlgSensorConnection.h"
#include "pages/sensor/CDlgStartUp.h"
#include "platform/framework/MessageBox.h"
#include "sensor/ChanState.h"
#include "sensor/ZMStates.h"

namespace {

constexpr UINT kSearchAfterUpdateMs = 8000;
constexpr UINT kSearchRetryMs = 1000;
constexpr UINT kSearchStartMs = 1000;
constexpr UINT kRebuildAfterDeviceChangeMs = 200;
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kBlack = RGB(0, 0, 0);

}  // namespace

BOOL CDlgSensorConnection::IsUpdateRefused() const {
    // Closing the ports now would cut an activation or a baud change in the middle of a write.
    return m_bActivationBusy || (m_pHost != nullptr && m_pHost->Dialogue().m_bRequestOutstanding);
}

void CDlgSensorConnection::EnableRefreshControls(BOOL enable) {
    m_bUpdateEnabled = enable;
    if (m_hWnd == nullptr)
        return;
    for (int id : {IDC_UPDATE_BUTTON, IDC_ONLY_PREVIOUSLY_AVAILABLE, IDC_ONLY_USB,
                   IDC_WITHOUT_MULTIPORT_DETECTION}) {
        if (CWnd* control = GetDlgItem(id))
            control->EnableWindow(enable);
    }
}

void CDlgSensorConnection::EnableUpdateButton(BOOL enable) {
    m_bUpdateEnabled = enable;
    if (CWnd* button = m_hWnd != nullptr ? GetDlgItem(IDC_UPDATE_BUTTON) : nullptr)
        button->EnableWindow(enable);
}

void CDlgSensorConnection::UpdatePortList() {
    ++m_iPortListUpdates;
    if (m_pHost == nullptr)
        m_pHost = GetPageHost();
    PageHost* frame = m_pHost;
    if (frame == nullptr)
        return;
    // A running search keeps its port; the ports are searched again once it ends.
    if (frame->Commands().COM_SearchAgainAfterRunningSearch()) {
        frame->WaitCursorOff();
        return;
    }
    if (IsUpdateRefused()) {
        // Kept, not dropped: it runs once the activation or the write has ended.
        if (m_hWnd != nullptr)
            SetTimer(TIMER_UPDATE_WHEN_FREE, kSearchRetryMs, nullptr);
        frame->WaitCursorOff();
        return;
    }
    EnableRefreshControls(FALSE);
    // The measuring pages look at the sensor again when they are next shown.
    if (IMeasureConfigLink* adjust = frame->MeasureConfigPage())
        adjust->NoteSensorChanged();
    if (IMeasurePanelLink* measure = frame->MeasurePanel())
        measure->NoteSensorChanged();
    frame->SetProgressActive(TRUE);
    frame->Commands().COM_BeginPortRefresh();
    ChanState_Reset();
    if (m_bSeparationRequested) {
        m_bSeparationRequested = FALSE;
        KeepFirstSensorAlone();
        frame->WaitCursorOff();
        return;
    }
    // The device's ports are closed through the engine, which keeps its managers.
    if (frame->Dialogue().m_iNumberOfSensors > 1)
        frame->Commands().COM_CloseDevice();
    // The calibration's separation ends with the refresh.
    frame->Commands().COM_KeepDevicePortsApart(FALSE);
    if (frame->Dialogue().m_bDeviceChanged) {
        // The search starts at once: a second one after it would only close the sensor again.
        frame->Commands().COM_CloseMainPort();
        frame->HostWindow().SetTimer(31, kRebuildAfterDeviceChangeMs, nullptr);
    } else {
        if (m_hWnd != nullptr)
            SetTimer(TIMER_SEARCH_AFTER_UPDATE, kSearchAfterUpdateMs, nullptr);
        frame->Commands().COM_RefreshPortTable(0, 0);
    }
    frame->WaitCursorOff();
}

void CDlgSensorConnection::KeepFirstSensorAlone() {
    const CComPort& dialogue = m_pHost->Dialogue();
    IComPortCommands& commands = m_pHost->Commands();
    const ISensorPort* first = dialogue.COM_DevicePort(0);
    const CString portName = first != nullptr && first->IsPortOpen() ? first->GetStateText()
                                                                     : dialogue.m_strSensorPortName;
    commands.COM_CloseDevice();
    commands.COM_SelectSensor(0);
    if (IMeasurePanelLink* measure = m_pHost->MeasurePanel())
        measure->OnSensorDisconnected();
    // The rows lose the device's colour: while separated, no group is painted.
    commands.COM_RefreshPortTable(0, 0);
    int entry = -1;
    for (int i = 0; i < dialogue.m_iEntryCount && entry < 0; ++i) {
        if (dialogue.m_aEntries[i].strPortName == portName)
            entry = i;
    }
    if (entry < 0)
        return;
    commands.COM_SelectEntry(entry);
    if (!commands.COM_OpenRowPort(entry, portName))
        ShowCannotActivate(entry);
}

// The refresh only lists the ports present; a sensor that came up on a port that announces
// nothing (a declared network port, a pseudo-terminal, an RS-485 line) or came back after a
// stall is found by the search that follows it.
void CDlgSensorConnection::OnSearchAfterUpdateTimer() {
    if (m_pHost == nullptr)
        return;
    const CComPort& dialogue = m_pHost->Dialogue();
    if (dialogue.m_bMeasuring || m_pHost->IsMeasuring() || dialogue.m_iScanIndex >= 0)
        return;
    // An activation or a write under way is not cut off: the search waits for its end.
    if (IsUpdateRefused() || !dialogue.COM_IsZMCOMConfgFlowOutsideInit()) {
        SetTimer(TIMER_SEARCH_AFTER_UPDATE, kSearchRetryMs, nullptr);
        return;
    }
    m_pHost->HostWindow().SetTimer(31, kSearchStartMs, nullptr);
}

void CDlgSensorConnection::OnPortRefreshDone() {
    if (m_bXPicoBaudNotChanged) {
        m_bXPicoBaudNotChanged = FALSE;
        AfxMessageBox("n.l. Die Baudrate des XPico-Gerätes wurde nicht geändert");
    }
    if (m_pHost != nullptr && m_checkOnlyUsb.m_hWnd != nullptr)
        m_checkOnlyUsb.SetCheck(m_pHost->StartUpWindow().IsSearchForOnlyUsbPorts() ? BST_CHECKED
                                                                                   : BST_UNCHECKED);
    EnableRefreshControls(TRUE);
    if (m_checkOnlyPreviouslyAvailable.m_hWnd != nullptr)
        m_iUpdateState = m_checkOnlyPreviouslyAvailable.GetCheck() == BST_CHECKED ? 1 : 0;
}

void CDlgSensorConnection::OnOnlyPreviouslyAvailable() {
    m_iUpdateState = m_checkOnlyPreviouslyAvailable.GetCheck() == BST_CHECKED ? 1 : 0;
}

void CDlgSensorConnection::OnOnlyUsb() {
    if (m_pHost != nullptr)
        m_pHost->StartUpWindow().m_bSearchForOnlyUsbPorts =
            m_checkOnlyUsb.GetCheck() == BST_CHECKED ? TRUE : FALSE;
}

void CDlgSensorConnection::OnWithoutMultiportDetection() {
    if (m_pHost != nullptr)
        m_pHost->Commands().COM_SetWithoutMultiportDetection(
            m_checkWithoutMultiport.GetCheck() != BST_UNCHECKED ? TRUE : FALSE);
}

LRESULT CDlgSensorConnection::OnCheckbox(WPARAM wParam, LPARAM lParam) {
    const int row = static_cast<int>(wParam);
    const int column = static_cast<int>(lParam);
    if (m_pHost == nullptr || !m_listPorts.GetEnabled(row) || row < 0 || row >= COM_MAX_PORTS)
        return 0;
    Trace("OnCheckbox at (%d,%d)", row, column);
    const SensorEntry& entry = m_pHost->Dialogue().m_aEntries[row];
    CString lower = entry.strPortText;
    lower.MakeLower();
    // The maker's USB interface always takes part in the search, unless it never answered.
    if (lower.Find("tarvik usb") >= 0)
        m_listPorts.SetCheckbox(row, column, entry.iState == PORT_STATE_NO_ANSWER ? 0 : 1);
    const WORD enabling = m_listPorts.GetCheckbox(row, column) == 1 ? 1 : 0;
    m_pHost->Commands().COM_SetEntryEnabling(row, enabling);
    return 0;
}

void CDlgSensorConnection::OnColumnClick(NMHDR* pNMHDR, LRESULT* pResult) {
    const auto* view = reinterpret_cast<const NMLISTVIEW*>(pNMHDR);
    Trace("OnColumnClick on column %d", view->iSubItem);
    if (view->iSubItem == COL_ENABLING) {
        // The header's box has flipped; an empty list has no row 0 to ask. Every row gets its
        // box from the page, in the header's new state.
        const int state = m_listPorts.GetHeaderCheckedState(COL_ENABLING) == 2 ? 1 : 0;
        for (int row = 0; row < m_listPorts.GetItemCount(); ++row)
            m_listPorts.SetCheckbox(row, COL_ENABLING, state);
        SetEnablingOfAllPorts(state);
    }
    m_iSelectedRow = view->iItem;
    SetTimer(TIMER_PLACE_CONFIG, 100, nullptr);
    *pResult = 0;
}

LRESULT CDlgSensorConnection::OnEditEnd(WPARAM wParam, LPARAM lParam) {
    const int row = static_cast<int>(wParam);
    const int column = static_cast<int>(lParam);
    const CString text = m_listPorts.GetItemText(row, column);
    Trace("OnEditEnd at (%d,%d): '%s'", row, column, text.GetString());
    const BOOL enabled = m_listPorts.GetEnabled(row);
    m_listPorts.SetItemTextColored(row, column, text, enabled ? kRed : kBlack,
                                   static_cast<COLORREF>(-1));
    return 0;
}
