// Selection on the connection page: clicks and keys on the list, the activation they start, and
// the Config button that sits inside the selected row of a network port and opens the set-up
// of the device server behind it.
#include "ethernet/CConfigEthernetInterfaceDlg.h"
#include "foundation/PortText.h"
#include "pages/common/PageHost.h"
#include "pages/sensor/CDlgSensorConnection.h"
#include "platform/framework/MessageBox.h"

BOOL CDlgSensorConnection::PreTranslateMessage(MSG* pMsg) {
    if (pMsg->message == WM_KEYUP && m_listPorts.m_hWnd != nullptr &&
        pMsg->hwnd == m_listPorts.m_hWnd &&
        (pMsg->wParam == VK_RETURN || pMsg->wParam == VK_SPACE)) {
        ActivatePortRow(m_listPorts.GetSelectionMark(), 0);
        return TRUE;
    }
    return CPageDialog::PreTranslateMessage(pMsg);
}

void CDlgSensorConnection::OnClick(NMHDR* pNMHDR, LRESULT* pResult) {
    const auto* item = reinterpret_cast<const NMITEMACTIVATE*>(pNMHDR);
    const int row = item->iItem;
    Trace("OnClick at (%d,%d):  '%s'", row, item->iSubItem,
          m_listPorts.GetItemText(row, item->iSubItem).GetString());
    m_iSelectedRow = row;
    if (m_pHost != nullptr && row >= 0 && row < COM_MAX_PORTS)
        m_pHost->Commands().COM_SetSelectedPortIsNetwork(
            SensorEntry_IsNetworkPort(m_pHost->Dialogue().m_aEntries[row]) ? TRUE : FALSE);
    SetTimer(TIMER_PLACE_CONFIG, 100, nullptr);
    *pResult = 0;
}

void CDlgSensorConnection::OnItemChanged(NMHDR* pNMHDR, LRESULT* pResult) {
    const auto* view = reinterpret_cast<const NMLISTVIEW*>(pNMHDR);
    const UINT wanted = LVIS_FOCUSED | LVIS_SELECTED;
    if ((view->uChanged & LVIF_STATE) != 0 && (view->uNewState & wanted) == wanted) {
        Trace("Selection changed to item %d", view->iItem);
        m_iSelectedRow = view->iItem;
        SetTimer(TIMER_PLACE_CONFIG, 100, nullptr);
    }
    *pResult = 0;
}

void CDlgSensorConnection::OnDblClick(NMHDR* pNMHDR, LRESULT* pResult) {
    const auto* item = reinterpret_cast<const NMITEMACTIVATE*>(pNMHDR);
    Trace("OnDblClick at (%d,%d):  '%s'", item->iItem, item->iSubItem,
          m_listPorts.GetItemText(item->iItem, item->iSubItem).GetString());
    ActivatePortRow(item->iItem, 0);
    *pResult = 0;
}

// A column drag moves the end of the Interface column: the Config button follows it at once and
// once more after the drag has settled.
void CDlgSensorConnection::OnHeaderBeginTrack(NMHDR* /*pNMHDR*/, LRESULT* pResult) {
    const int row = m_iSelectedRow;
    if (m_pHost != nullptr && row >= 0 && row < COM_MAX_PORTS &&
        SensorEntry_IsNetworkPort(m_pHost->Dialogue().m_aEntries[row]))
        m_pHost->Commands().COM_SetSelectedPortIsNetwork(TRUE);
    PlaceConfigButton();
    SetTimer(TIMER_PLACE_CONFIG, 200, nullptr);
    *pResult = 0;
}

void CDlgSensorConnection::PlaceConfigButton() {
    if (m_buttonConfig.m_hWnd == nullptr || m_listPorts.m_hWnd == nullptr)
        return;
    const int row = m_iSelectedRow;
    const bool network = m_pHost != nullptr && row >= 0 && row < COM_MAX_PORTS &&
                         row < m_listPorts.GetItemCount() &&
                         SensorEntry_IsNetworkPort(m_pHost->Dialogue().m_aEntries[row]);
    if (!network) {
        m_buttonConfig.ShowWindow(SW_HIDE);
        return;
    }
    CRect button;
    m_buttonConfig.GetWindowRect(&button);
    CRect rowRect;
    m_listPorts.GetItemRect(row, &rowRect, LVIR_BOUNDS);
    CRect list;
    m_listPorts.GetWindowRect(&list);
    ScreenToClient(&list);
    // The 21 pixels take the list's place in the page across: the button ends with the column.
    const int x = rowRect.left + m_listPorts.GetColumnWidth(COL_INTERFACE) - button.Width() + 21;
    const int y = list.top + rowRect.top + 2;
    m_buttonConfig.SetWindowPos(&CWnd::wndTop, x, y, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
    SetTimer(TIMER_SHOW_CONFIG, 100, nullptr);
    if (m_pHost != nullptr)
        m_pHost->WaitCursorOff();
}

void CDlgSensorConnection::OnConfig() {
    const CString comNumber =
        GetComNumberText(m_listPorts.GetItemText(m_iSelectedRow, COL_INTERFACE));
    if (m_iSelectedRow < 0 || comNumber.IsEmpty()) {
        AfxMessageBox("can't define the number of selected port");
        return;
    }
    const int row = m_iSelectedRow;
    CConfigEthernetInterfaceDlg dialog(comNumber, row, m_iLanguageOffset, this);
    const INT_PTR result = dialog.DoModal();
    if (dialog.WroteServerSettings())
        CloseRowCutFromItsLine(row);
    if (result == 1)
        UpdatePortList();
}

// The server behind an open sensor has just taken new serial settings: the sensor may no
// longer hear what is sent at the rate it was opened at, so it is not shown as open and ready.
// It is closed as a double-click on its row closes it; the next double-click opens it, and the
// server's line then takes the sensor's rate again for the session.
void CDlgSensorConnection::CloseRowCutFromItsLine(int row) {
    if (m_pHost == nullptr || row < 0 || row != m_pHost->Dialogue().m_iOpenEntry)
        return;
    Trace("Config changed the server of the open row %d: closed", row);
    CloseOpenRow(row, GroupOfRow(row) >= 0);
}
