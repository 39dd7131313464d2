// Baud-rate changes from the connection page: the choice in a row's Baud rate cell, the write to
// one sensor (through an activation of its row and CMainFrame::TIMER_BAUD_WRITE) or to every port
// of a multi-port device (TIMER_BAUD_MULTIPORT_WRITE and TIMER_BAUD_MULTIPORT_WAIT, the device
// restarts only when every port took the new rate), and the device-server checks of a network port.
#include "ethernet/CConfigEthernetInterfaceDlg.h"
#include "foundation/Language.h"
#include "foundation/PortText.h"
#include "pages/common/PageHost.h"
#include "pages/sensor/CDlgSensorConnection.h"
#include "pages/sensor/PortRowTexts.h"
#include "platform/framework/MessageBox.h"
#include "protocol/Protocol.h"
#include "res/TextIds.h"
#include "sensor/ZMStates.h"

namespace {

constexpr UINT kRefusedMessageMs = 20;
constexpr UINT kMultiportWriteMs = 100;
constexpr UINT kMultiportWaitMs = 500;
constexpr int kMultiportGiveUpMs = 10000;
constexpr UINT kRefreshAfterXPicoMs = 500;
constexpr int kEchoAttempts = 3;

}  // namespace

int CDlgSensorConnection::BaudrateCodeFromCellText(const CString& text) {
    const int code = BaudrateCodeFromText(text);
    if (code < 0) {
        CString message;
        message.Format("Fehler 321KLM4354\n\n%s", text.GetString());
        AfxMessageBox(message);
    }
    return code;
}

int CDlgSensorConnection::BaudrateFromCode(int code) {
    return tarvik::BaudrateFromCode(code);
}

int CDlgSensorConnection::BaudrateFromCellText(const CString& text) {
    const int code = BaudrateCodeFromCellText(text);
    return code < 0 ? -1 : tarvik::BaudrateFromCode(code);
}

int CDlgSensorConnection::BaudrateArrayIndex(int rate) {
    const int index = BaudrateChoiceIndex(rate);
    if (index >= 0)
        return index;
    CString message;
    message.Format("int CDlgSensorConnection::BaudrateArrayIndex( int )Error: Baudrate = %d", rate);
    AfxMessageBox(message);
    return 0;
}

CString CDlgSensorConnection::GetBaudrateCellText(int row) const {
    if (m_listPorts.m_hWnd == nullptr || row < 0 || row >= m_listPorts.GetItemCount())
        return CString();
    return m_listPorts.GetItemText(row, COL_BAUDRATE);
}

void CDlgSensorConnection::SetBaudrateCellText(int row, const CString& text) {
    if (m_listPorts.m_hWnd == nullptr || row < 0 || row >= m_listPorts.GetItemCount())
        return;
    m_listPorts.SetItemText(row, COL_BAUDRATE, text);
}

void CDlgSensorConnection::RestoreBaudrateCell(int row) {
    if (m_pHost == nullptr || row < 0 || row >= COM_MAX_PORTS || row >= m_listPorts.GetItemCount())
        return;
    const int index = BaudrateChoiceIndex(m_pHost->Dialogue().m_aEntries[row].iBaudrate);
    const int choice = index < 0 ? 0 : index;
    m_listPorts.SetComboBox(row, COL_BAUDRATE, index >= 0, &m_aBaudChoices[row], 2, choice);
    if (choice < m_aBaudChoices[row].GetSize())
        m_listPorts.SetItemText(row, COL_BAUDRATE, m_aBaudChoices[row][choice]);
}

BOOL CDlgSensorConnection::CheckSerialNumberNotShared(int row) {
    if (m_iPendingMultiportRow >= 0)
        return TRUE;
    const CString serial = m_listPorts.GetItemText(row, COL_SERIAL);
    if (atoi(serial) <= 0)
        return TRUE;
    // The ports of one multi-port device not grouped yet show one serial number: their rate
    // changes only for all of them at once.
    for (int other = 0; other < m_listPorts.GetItemCount(); ++other) {
        if (other != row && m_listPorts.GetItemText(other, COL_SERIAL) == serial) {
            AfxMessageBox(GetLanguageString(IDS_NX_ZID3_ALL_AT_ONCE), MB_ICONINFORMATION);
            return FALSE;
        }
    }
    return TRUE;
}

LRESULT CDlgSensorConnection::OnComboSelection(WPARAM wParam, LPARAM lParam) {
    const int row = static_cast<int>(wParam);
    const int column = static_cast<int>(lParam);
    m_bXPicoBaudNotChanged = FALSE;
    const CString text = GetBaudrateCellText(row);
    Trace("OnComboSelection at (%d,%d): '%s'", row, column, text.GetString());
    if (column != COL_BAUDRATE || m_pHost == nullptr || row < 0 || row >= COM_MAX_PORTS ||
        !m_listPorts.GetEnabled(row))
        return 0;
    const int rate = BaudrateFromCellText(text);
    if (rate < 0) {
        RestoreBaudrateCell(row);
        return 0;
    }
    if (rate == m_pHost->Dialogue().m_aEntries[row].iBaudrate)
        return 0;
    m_iSelectedRow = row;
    m_bLastSelectionIsGroup = GroupOfRow(row) >= 0;
    if (StateTextOfRow(row) != GetLanguageString(IDS_ACTIVE)) {
        SetTimer(TIMER_BAUD_REFUSED, kRefusedMessageMs, nullptr);
        RestoreBaudrateCell(row);
        return 0;
    }
    if (m_bLastSelectionIsGroup) {
        m_iPendingMultiportRow = row;
        m_iMultiportOldCode = m_pHost->Dialogue().m_iStoredBaudCode;
        SetTimer(TIMER_BAUD_MULTIPORT_WRITE, kMultiportWriteMs, nullptr);
        return 0;
    }
    if (!CheckSerialNumberNotShared(row)) {
        RestoreBaudrateCell(row);
        return 0;
    }
    ActivatePortRow(row, 1);
    if (m_pHost->Dialogue().m_aEntries[row].iBaudrate == -1) {
        if (SensorEntry_IsNetworkPort(m_pHost->Dialogue().m_aEntries[row]))
            m_bXPicoBaudNotChanged = TRUE;
        SetTimer(TIMER_PAGE_REFRESH, kRefreshAfterXPicoMs, nullptr);
    }
    return 0;
}

void CDlgSensorConnection::OnBaudRefusedTimer() {
    AfxMessageBox(GetLanguageString(m_bLastSelectionIsGroup ? IDS_ACTIVATE_NX_ZID3_FIRST
                                                            : IDS_ACTIVATE_DEVICE_FIRST),
                  MB_ICONINFORMATION);
}

void CDlgSensorConnection::OnMultiportWriteTimer() {
    const int row = m_iPendingMultiportRow;
    const int code = BaudrateCodeFromCellText(GetBaudrateCellText(row));
    m_iMultiportWaitMs = 0;
    if (code < 0 || !m_pHost->Commands().COM_ZMCOMConfgSetBaudrateOfSelectedPort(code)) {
        if (code >= 0)
            AfxMessageBox(GetLanguageString(IDS_CHANGE_NOT_TAKEN), MB_ICONWARNING);
        RestoreBaudrateCell(row);
        m_iPendingMultiportRow = -1;
        m_bActivationBusy = FALSE;
    }
}

void CDlgSensorConnection::OnMultiportWaitTimer() {
    PageHost* frame = m_pHost;
    const bool writing =
        frame->Dialogue().COM_GetZMCOMConfgFlow() == ZM_CNFG_SET_BAUDRATE_MULTIPORT;
    // A device the engine gave up meanwhile has no ports left: that is no success.
    const bool allWritten =
        frame->Dialogue().m_iNumberOfSensors > 0 &&
        frame->Dialogue().m_iPortsWrittenByBaudChange >= frame->Dialogue().m_iNumberOfSensors;
    if (!allWritten && writing && m_iMultiportWaitMs < kMultiportGiveUpMs) {
        m_iMultiportWaitMs += static_cast<int>(kMultiportWaitMs);
        SetTimer(TIMER_BAUD_MULTIPORT_WAIT, kMultiportWaitMs, nullptr);
        return;
    }
    m_iMultiportWaitMs = 0;
    if (!m_bBaudWriteBack && allWritten) {
        m_iPendingMultiportRow = -1;
        frame->Commands().COM_ZMCOMRestartDeviceOfPort();
        return;
    }
    if (!m_bBaudWriteBack) {
        // Some port did not take the new rate: nothing restarts, and the ports that took it get
        // the old rate back, so that the device keeps one rate on all its ports.
        m_iBaudWrittenBeforeWriteBack = frame->Dialogue().m_iPortsWrittenByBaudChange;
        m_astrPortsAtNewRate = frame->Dialogue().COM_GetPortsThatTookBaudrate();
        RestoreBaudrateCell(m_iPendingMultiportRow);
        m_iPendingMultiportRow = -1;
        if (frame->Commands().COM_ZMCOMConfgSetBaudrateOfSelectedPort(m_iMultiportOldCode)) {
            m_bBaudWriteBack = TRUE;
            return;  // the engine arms this timer again for the write back
        }
    } else {
        for (const CString& port : frame->Dialogue().COM_GetPortsThatTookBaudrate())
            std::erase(m_astrPortsAtNewRate, port);
    }
    m_bBaudWriteBack = FALSE;
    frame->Commands().COM_SetPendingBaudrate(0);
    AfxMessageBox(BaudChangeFailureText(), MB_ICONWARNING);
    m_astrPortsAtNewRate.clear();
    UpdatePortList();
}

// Only when no port kept the new rate may the operator hear that the device is as before; a
// port that kept it runs at it from its next power-on, and the operator must know which.
CString CDlgSensorConnection::BaudChangeFailureText() const {
    CString message;
    if (m_astrPortsAtNewRate.empty()) {
        message = GetLanguageString(IDS_BAUD_NOT_ON_EVERY_PORT);
        CString count;
        count.Format("%d / %d", m_iBaudWrittenBeforeWriteBack,
                     m_pHost->Dialogue().m_iNumberOfSensors);
        message.Replace("%s", count);
        return message;
    }
    CString ports;
    for (const CString& port : m_astrPortsAtNewRate)
        ports += (ports.IsEmpty() ? "" : ", ") + port;
    message = GetLanguageString(IDS_BAUD_LEFT_ON_SOME_PORTS);
    message.Replace("%s", ports);
    return message;
}

void CDlgSensorConnection::SetXPicoBaudrateForPort(int row, int rate, BOOL save) {
    if (m_pHost == nullptr)
        return;
    if (row < 0)
        row = m_iSelectedRow;
    if (row < 0 || row >= COM_MAX_PORTS)
        return;
    if (rate < 0)
        rate = tarvik::BaudrateFromCode(m_pHost->Dialogue().m_iStoredBaudCode);
    const CString comNumber = GetComNumberText(
        CComPort::COM_MakePortDisplayName(m_pHost->Dialogue().m_aEntries[row].strPortText));
    CConfigEthernetInterfaceDlg server(comNumber, row, m_iLanguageOffset);
    server.ChangeXPicoBaudrate(rate, save);
}

BOOL CDlgSensorConnection::TestEchoIP(int row, BOOL retry) {
    if (row < 0 || row >= COM_MAX_PORTS || m_pHost == nullptr) {
        AfxMessageBox("Error.\nTestEchoIP: invalid port serial number.\nTry once more.");
        return FALSE;
    }
    const CString comNumber = GetComNumberText(
        CComPort::COM_MakePortDisplayName(m_pHost->Dialogue().m_aEntries[row].strPortText));
    CConfigEthernetInterfaceDlg server(comNumber, row, m_iLanguageOffset);
    for (int attempt = 1; attempt <= kEchoAttempts; ++attempt) {
        if (server.PingXPico(attempt))
            return TRUE;
        if (!retry || attempt == kEchoAttempts)
            break;
        AfxMessageBox(server.WarningAboutXpicoConnection(), MB_ICONWARNING);
    }
    return FALSE;
}

BOOL CDlgSensorConnection::CheckXPicoOfRow(int row) {
    if (row < 0)
        row = m_iSelectedRow;
    if (!TestEchoIP(row, TRUE))
        return FALSE;
    const CString comNumber = GetComNumberText(
        CComPort::COM_MakePortDisplayName(m_pHost->Dialogue().m_aEntries[row].strPortText));
    CConfigEthernetInterfaceDlg server(comNumber, row, m_iLanguageOffset);
    return server.TestXPicoConnection();
}
