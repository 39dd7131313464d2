// Closing is a protocol: a close during a measurement stops it and comes back with the WM_CLOSE
// the end of the measurement posts; a close with an open sensor first writes the sensors'
// configuration and comes back with timer 49; a refused close puts everything back as it was.
// Also the program-wide shortcut keys, the clipboard copy, the window's size and position limits,
// the owner-drawn menu messages and the wait cursor's WM_SETCURSOR.
#include <algorithm>

#include "app/MainFrame.h"
#include "app/PageTable.h"
#include "app/ThreadedConvertFile.h"
#include "foundation/Language.h"
#include "pages/measurement/CDlgMeasureAdjust.h"
#include "pages/measurement/CDlgMeasureDiagram.h"
#include "pages/sensor/CDlgSensorConnection.h"
#include "platform/base/Utf8.h"
#include "platform/ui/Clipboard.h"
#include "platform/ui/commdlg/GlobalMemory.h"
#include "platform/ui/controls/Edit.h"
#include "sensor/CSensorConfigSequence.h"

namespace {

// How soon a close that waits for a serial-number write looks again.
constexpr UINT kSerialWriteRecheckMs = 300;
// How soon a close that waits for a sensor taking a new baud rate looks again.
constexpr UINT kBaudChangeRecheckMs = 100;

bool IsEditClass(HWND hwnd) {
    char name[64] = {};
    ::GetClassName(hwnd, name, sizeof(name));
    // Edit and rich edit classes, also as the framework's subclassed forms ("Afx:EDIT").
    CString cls(name);
    cls.MakeUpper();
    return cls.Find("EDIT") >= 0;
}

// The byte offset of the character with the index, clamped to the text's end.
size_t ByteOffsetOfCharacter(std::string_view text, DWORD index) {
    size_t offset = 0;
    for (DWORD i = 0; i < index && offset < text.size(); ++i)
        offset += static_cast<size_t>(::kq::DecodeUtf8At(text, offset).length);
    return std::min(offset, text.size());
}

bool CtrlDown() {
    return (::GetKeyState(VK_CONTROL) & 0x8000) != 0;
}

bool ShiftDown() {
    return (::GetKeyState(VK_SHIFT) & 0x8000) != 0;
}

}  // namespace

bool CMainFrame::IsSensorWriteUnderWay() const {
    // An adjustment step or a block write of the sensor pages: closing now would cut it.
    switch (COM_GetZMCOMConfgFlow()) {
        case ZM_SET_CTRL_ON:
        case ZM_SET_CTRL_OFF:
        case ZM_DEACTIVATE_USERCALIB:
        case ZM_SET_NEW_USERCALIB:
        case ZM_READ_RAW_CALIB_INIT:
        case ZM_SET_INACCURACY_USERCALIB:
        case ZM_SET_SERIAL_NUMBER_ROTOR_OPERATION:
        case ZM_CNFG_SET_BAUDRATE_MULTIPORT:
        case ZM_RESTART_MULTIPORT:
            return true;
        default:
            return false;
    }
}

bool CMainFrame::WaitForMarkedSerialNumbers() {
    // A serial number typed just before closing is still marked for timer 38: it is written now,
    // one sensor per expiry, and the close looks again until no mark is left.
    for (int sensor = 0; sensor < COM_MAX_SENSORS; ++sensor) {
        if (COM_IsSerialNumberWriteMarked(sensor)) {
            COM_RequestSerialNumberWrite(sensor, 10);
            m_bCloseAfterSerialWrite = TRUE;
            SetTimer(TIMER_CLOSE_AGAIN, kSerialWriteRecheckMs, nullptr);
            return true;
        }
    }
    m_bCloseAfterSerialWrite = FALSE;
    return false;
}

void CMainFrame::OnClose() {
    CDlgMeasureAdjust* adjust = GetMeasureAdjustPage();
    CDlgMeasureDiagram* measure = GetMeasureDiagramPage();
    // What a refused close puts back.
    const CString noticeBefore = adjust != nullptr ? adjust->GetNoticeText() : CString();
    const BOOL noticeShownBefore = adjust != nullptr && adjust->IsNoticeVisible();
    const BOOL waitCursorBefore = m_bWaitCursor;
    auto refuse = [&] {
        if (adjust != nullptr) {
            adjust->SetNoticeText(noticeBefore);
            adjust->ShowNotice(noticeShownBefore);
        }
        if (!waitCursorBefore)
            WaitCursorOff();
    };

    if (adjust != nullptr) {
        adjust->SetNoticeText("Close");
        adjust->ShowNotice(TRUE);
        if (adjust->m_hWnd != nullptr)
            adjust->UpdateWindow();
    }
    WaitCursorOn();

    const int flow = COM_GetZMCOMConfgFlow();
    if (flow == ZM_CNFG_SET_NEW_BAUDRATE || flow == ZM_RESTART_AFTER_BAUDRATE) {
        // The sensor is storing a new baud rate and restarting with it. The configuration
        // written now would share the port with those steps and be answered in their place, and
        // their restart would close the port under it: the close looks again once they are over.
        SetTimer(TIMER_CLOSE_AGAIN, kBaudChangeRecheckMs, nullptr);
        refuse();
        return;
    }
    if (!COM_IsZMCOMConfgFlowOutsideInit() || IsSensorWriteUnderWay()) {
        // A serial number the close itself had written goes on; the close comes back after it.
        if (m_bCloseAfterSerialWrite &&
            COM_GetZMCOMConfgFlow() == ZM_SET_SERIAL_NUMBER_ROTOR_OPERATION)
            SetTimer(TIMER_CLOSE_AGAIN, kSerialWriteRecheckMs, nullptr);
        refuse();
        return;
    }
    const bool measuring = m_bMeasuring || (measure != nullptr &&
                                            (measure->IsRunPatternSet() || measure->IsMeasuring()));
    if (measuring) {
        if (m_iActivatedCount > 1) {
            refuse();
            return;
        }
        m_bCloseDuringMeasurement = TRUE;
    }
    if (!m_bCloseAfterFastStop) {
        COM_SetMeasureRateParameters();
        if (measure != nullptr && measure->IsMeasuring()) {
            if (m_bFastRate)
                m_bCloseAfterFastStop = TRUE;
            else
                m_bCloseAfterStop = TRUE;
            measure->OnBnClickedStop();
            return;
        }
    }
    if (m_bSequenceFinished)
        m_iZMCOMConfgFlow = ZM_CLOSE_CONFIG_DONE;
    switch (m_iZMCOMConfgFlow) {
        case ZM_SCAN_CHECK_ADDRESS:
        case ZM_CLOSE_CONFIG_SEQUENCE:
        case ZM_SCAN_STATUS_LONG:
        case ZM_SCAN_READ_BLOCKS:
            break;
        case ZM_CLOSE_CONFIG_DONE:
            if (adjust != nullptr)
                adjust->ShowNotice(!adjust->IsNoticeVisible());
            break;
        default: {
            // With an open sensor its configuration is written first; without one there is
            // nothing to write.
            const bool sensorOpen =
                m_pPortMan != nullptr && m_pPortMan->IsPortOpen() && m_iNumberOfSensors > 0;
            const bool startUpShown =
                m_dlgStartUp.m_hWnd != nullptr && m_dlgStartUp.IsWindowVisible();
            if (sensorOpen && !startUpShown && WaitForMarkedSerialNumbers())
                return;
            if (sensorOpen && !startUpShown && m_pConfigSequence != nullptr &&
                !m_pConfigSequence->IsRunning()) {
                m_iZMCOMConfgFlow = ZM_CLOSE_CONFIG_SEQUENCE;
                m_pConfigSequence->Start();
                return;
            }
            break;
        }
    }
    // The close goes through: a manual save still waiting for its ticks is written now, and only
    // then is the conversion worker stopped and deleted.
    CompletePendingManualSave();
    if (m_pConvertThread != nullptr) {
        m_pConvertThread->Stop();
        delete m_pConvertThread;
        m_pConvertThread = nullptr;
    }
    FreeRecordBuffer();
    m_bClosing = TRUE;
    WaitCursorOff();
    m_bLogEnded = TRUE;
    for (int i = 0; i < m_iActivatedCount && i < COM_MAX_SENSORS; ++i)
        WriteApplicationLog(i, "OnCloseApp()");
    CFrameWnd::OnClose();
}

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

void CMainFrame::CopySelectionToClipboard(MSG* pMsg) {
    HWND target = pMsg->hwnd;
    if (target == nullptr || !IsEditClass(target))
        return;
    DWORD start = 0;
    DWORD end = 0;
    ::SendMessage(target, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                  reinterpret_cast<LPARAM>(&end));
    CString text;
    CWnd::FromHandle(target)->GetWindowText(text);
    // The selection counts characters; the text is UTF-8.
    const std::string_view bytes(text.GetString(), static_cast<size_t>(text.GetLength()));
    const size_t from = ByteOffsetOfCharacter(bytes, start);
    const size_t to = ByteOffsetOfCharacter(bytes, end);
    if (to <= from)
        return;
    const size_t length = to - from;
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, length + 1);
    auto* data = static_cast<char*>(GlobalLock(block));
    if (data == nullptr)
        return;
    std::copy_n(bytes.data() + from, length, data);
    data[length] = '\0';
    GlobalUnlock(block);
    if (!::OpenClipboard(m_hWnd)) {
        GlobalFree(block);
        return;
    }
    ::EmptyClipboard();
    if (::SetClipboardData(CF_TEXT, block) == nullptr)
        GlobalFree(block);
    ::CloseClipboard();
}

void CMainFrame::OnGetMinMaxInfo(MINMAXINFO* lpMMI) {
    CFrameWnd::OnGetMinMaxInfo(lpMMI);
    const CRect screen = GetScreenRect();
    const int height = m_nActivePage == PAGE_MEASURE_DIAGRAM ? 735 : 705;
    lpMMI->ptMinTrackSize.x = std::min(800, static_cast<int>(screen.Width()));
    lpMMI->ptMinTrackSize.y = std::min(height, static_cast<int>(screen.Height()));
}

void CMainFrame::OnWindowPosChanging(WINDOWPOS* lpwndpos) {
    CFrameWnd::OnWindowPosChanging(lpwndpos);
    if (!m_bKeepInsideWorkArea || lpwndpos->flags != SWP_NOSIZE)
        return;
    CRect window;
    GetWindowRect(&window);
    CRect moved(lpwndpos->x, lpwndpos->y, lpwndpos->x + window.Width(),
                lpwndpos->y + window.Height());
    CRect first;
    CRect second;
    const bool hasFirst = GetMonitorWorkArea(0, first);
    const bool hasSecond = GetMonitorWorkArea(1, second);
    CRect area;
    const int monitor = GetMonitorOverlapping(moved);
    if (monitor == 1 && hasSecond)
        area = second;
    else if (monitor == 0 && hasFirst)
        area = first;
    else if (hasFirst && hasSecond)
        area = GetUnionOfRects(first, second);
    else if (hasFirst)
        area = first;
    else
        return;
    int dx = 0;
    int dy = 0;
    if (moved.left < area.left)
        dx = area.left - moved.left;
    else if (moved.right > area.right)
        dx = std::max(area.right - moved.right, area.left - moved.left);
    if (moved.top < area.top)
        dy = area.top - moved.top;
    else if (moved.bottom > area.bottom)
        dy = std::max(area.bottom - moved.bottom, area.top - moved.top);
    lpwndpos->x += dx;
    lpwndpos->y += dy;
}

BOOL CMainFrame::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message) {
    if (m_bWaitCursor) {
        RestoreWaitCursor();
        return TRUE;
    }
    return CFrameWnd::OnSetCursor(pWnd, nHitTest, message);
}

void CMainFrame::OnMeasureItem(int nIDCtl, LPMEASUREITEMSTRUCT lpMeasureItemStruct) {
    // The owner-drawn items carry their menu's records; the record decides the size.
    if (lpMeasureItemStruct->CtlType == ODT_MENU && lpMeasureItemStruct->itemData != 0) {
        m_menu.MeasureItem(lpMeasureItemStruct);
        return;
    }
    CFrameWnd::OnMeasureItem(nIDCtl, lpMeasureItemStruct);
}

LRESULT CMainFrame::OnMenuChar(UINT nChar, UINT nFlags, CMenu* pMenu) {
    if (BCMenu::IsRegisteredMenu(pMenu))
        return BCMenu::FindKeyboardShortcut(nChar, nFlags, pMenu);
    return CFrameWnd::OnMenuChar(nChar, nFlags, pMenu);
}

void CMainFrame::OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu) {
    CFrameWnd::OnInitMenuPopup(pPopupMenu, nIndex, bSysMenu);
    if (!bSysMenu && BCMenu::IsRegisteredMenu(pPopupMenu))
        BCMenu::UpdateMenu(pPopupMenu);
}

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
