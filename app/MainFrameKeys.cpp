// The program-wide shortcut keys: Ctrl with a letter for the main commands, Ctrl+Tab through the
// pages, Ctrl+Shift+L for the log switch, F5 for a new port list, and the status text a mouse
// move restores.
#include "app/MainFrame.h"
#include "pages/common/PageTable.h"
#include "pages/sensor/CDlgSensorConnection.h"

namespace {

// Ctrl with Alt is AltGr typing a character (AltGr+E is the euro sign), no shortcut.
bool CtrlDown() {
    return (::GetKeyState(VK_CONTROL) & 0x8000) != 0 && (::GetKeyState(VK_MENU) & 0x8000) == 0;
}

bool ShiftDown() {
    return (::GetKeyState(VK_SHIFT) & 0x8000) != 0;
}

}  // namespace

BOOL CMainFrame::HandleShortcutKeys(MSG* pMsg) {
    if (pMsg->message == WM_MOUSEMOVE) {
        if (m_bStatusRestoreOnMouseMove && pMsg->hwnd != m_wndTree.m_hWnd) {
            m_bStatusRestoreOnMouseMove = FALSE;
            ShowStatusMessage(0);
            SetTimer(TIMER_STATUS_RESTORE, 1000, nullptr);
        }
        return FALSE;
    }
    if (pMsg->message == WM_KEYUP) {
        if (pMsg->wParam == VK_F5 && m_nActivePage == PAGE_CONNECTION) {
            if (CDlgSensorConnection* connection = GetConnectionPage())
                connection->UpdatePortList();
            return TRUE;
        }
        return FALSE;
    }
    if (pMsg->message != WM_KEYDOWN)
        return FALSE;
    if (pMsg->wParam == VK_ESCAPE)
        return TRUE;
    if (!CtrlDown())
        return FALSE;
    switch (pMsg->wParam) {
        case VK_TAB:
            StepPage(ShiftDown() ? 0 : 1);
            return TRUE;
        case 'C':
        case 'X':
            CopySelectionToClipboard(pMsg);
            return TRUE;
        case 'D':
            SendMessage(WM_COMMAND, 10002);
            return TRUE;
        case 'E':
            SendMessage(WM_COMMAND, 10004);
            return TRUE;
        case 'L':
            if (ShiftDown()) {
                m_bSuppressLog = m_bSuppressLog ? FALSE : TRUE;
                AfxMessageBox(m_bSuppressLog ? "Log inactive" : "Log active", MB_OK);
            }
            return TRUE;
        case 'M':
            SendMessage(WM_COMMAND, 10001);
            return TRUE;
        case 'P':
            SendMessage(WM_COMMAND, 10003);
            return TRUE;
        case 'R':
            SendMessage(WM_COMMAND, 10018);
            return TRUE;
        case 'S':
            return TRUE;
        default:
            return FALSE;
    }
}
