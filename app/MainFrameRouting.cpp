// What reaches the frame about the sensors' connection: received bytes and port events go to the
// sensor dialogue; device changes are handed to the main port manager and debounced into one
// port-list update (node changes after an arrival, TIMER_NODES_CHANGED) or one removal
// (TIMER_REMOVAL, from the device data copied while its message lasted). Menu prompts get the
// language offset added.
#include "app/MainFrame.h"
#include "foundation/DiagnosticTrace.h"
#include "pages/measurement/CDlgMeasureAdjust.h"
#include "pages/measurement/CDlgMeasureDiagram.h"
#include "pages/sensor/CDlgSensorConnection.h"
#include "platform/base/Wait.h"
#include "ports/DeviceChange.h"

namespace {

const char* EventName(UINT event) {
    switch (event) {
        case DBT_DEVICEARRIVAL:
            return "DBT_DEVICEARRIVAL";
        case DBT_DEVICEREMOVEPENDING:
            return "DBT_DEVICEREMOVEPENDING";
        case DBT_DEVICEREMOVECOMPLETE:
            return "DBT_DEVICEREMOVECOMPLETE";
        case DBT_DEVNODES_CHANGED:
            return "DBT_DEVNODES_CHANGED";
        default:
            return "other device event";
    }
}

// The device type of broadcast data; 0 for values that are no broadcast.
DWORD DeviceTypeOf(DWORD_PTR data) {
    if (::kq::ports::PortNameOfBroadcast(data) != nullptr)
        return DBT_DEVTYP_PORT;
    if (data == 0 || data == CMainFrame::kNoDeviceData || data < 0x10000)
        return 0;
    return reinterpret_cast<const DEV_BROADCAST_HDR*>(data)->dbch_devicetype;
}

}  // namespace

LRESULT CMainFrame::OnReceivedData(WPARAM wParam, LPARAM lParam) {
    m_bPortDataReceived = TRUE;
    return OnReceiveConfigFlow(wParam, lParam);
}

LRESULT CMainFrame::OnPortEventMessage(WPARAM wParam, LPARAM lParam) {
    OnPortEvent(wParam, lParam);
    return 0;
}

LRESULT CMainFrame::OnPortData(WPARAM wParam, LPARAM lParam) {
    const int port = static_cast<int>(GetCurrentMessage()->message - WM_PORT_DATA_FIRST);
    OnReceivePort(wParam, lParam, port);
    return 0;
}

void CMainFrame::OnMenuSelect(UINT nItemID, UINT nFlags, HMENU hSysMenu) {
    const bool treeCommand = m_wndTree.HasCommandForTextId(nItemID);
    const UINT id = treeCommand && m_iLanguageOffset > 0
                        ? nItemID + static_cast<UINT>(m_iLanguageOffset)
                        : nItemID;
    CFrameWnd::OnMenuSelect(id, nFlags, hSysMenu);
}

BOOL CMainFrame::OnDeviceChange(UINT nEventType, DWORD_PTR dwData) {
    if (m_bStopMeasureDuringScan)
        return FALSE;
    // Nothing can follow a port before the main port manager exists.
    if (COM_MainPort() == nullptr)
        return TRUE;
    ++m_iDeviceChangeCalls;
    WriteDiagnosticTrace(EventName(nEventType));
    CDlgSensorConnection* connection = GetConnectionPage();
    if (connection != nullptr)
        connection->SetUpdateState(2);
    const bool timeoutCall = dwData == kNoDeviceData;
    if (!timeoutCall)
        COM_PassDeviceChange(nEventType, dwData);
    CDlgMeasureDiagram* measure = GetMeasureDiagramPage();
    const bool measuring = measure != nullptr && measure->IsMeasuring();

    if (nEventType == DBT_DEVNODES_CHANGED && m_bPortArrivalPending) {
        if (!timeoutCall)
            ++m_iNodeChanges;
        if (m_iNodeChanges > 3 || timeoutCall || m_iDeviceChangeCalls == 2) {
            if (m_iNodeChanges > 3 || timeoutCall)
                CWnd::KillTimer(TIMER_NODES_CHANGED);
            ::Sleep(1);
        }
        SetProgressActive(TRUE);
        CString mainPort = COM_MainPort()->GetStateText();
        mainPort.Trim();
        mainPort.MakeLower();
        // A running measurement keeps its port, and so does a running search: it reads the
        // ports one after another through this manager and finds what is there now.
        const bool searching = m_iScanIndex >= 0;
        if (!measuring && !searching &&
            (m_strCurrentPortName == mainPort || mainPort.Find(m_strReferencePortText) < 0 ||
             m_strCurrentPortName == m_strSensorPortName)) {
            // A sensor open on the port is closed with it, so that the dialogue never counts on
            // a closed port; the update that completes the arrival searches the ports again and
            // opens it anew, also when an Update clicked meanwhile has taken the device change.
            if (m_iOpenEntry >= 0) {
                COM_CloseSensorPorts();
                COM_NoteDeviceChanged();
            }
            COM_MarkPortClosed();
            COM_CloseMainPort();
        }
        if (!measuring && !COM_MainPort()->IsPortOpen() && m_iPortManSensorCount > 1) {
            COM_CloseFurtherPortManagers();
            COM_CreateMainPortManager(m_hWnd);
            COM_RequestPortTableRefresh();
        }
        COM_MarkPortClosed();
        COM_RequestPortTableRebuild();
        COM_SavePortTableAsPrevious();
        if (m_iNodeChanges == 1 && !timeoutCall) {
            WaitCursorOn();
            SetTimer(TIMER_NODES_CHANGED, 1000, nullptr);
            return TRUE;
        }
        if (m_iNodeChanges >= 4 || timeoutCall)
            CompleteNodeChanges();
        return TRUE;
    }

    if (dwData != 0) {
        // A port came or went: the connection page's next update searches the ports anew
        // instead of only listing them (the port refresh clears the flag).
        if (!timeoutCall &&
            (nEventType == DBT_DEVICEARRIVAL || nEventType == DBT_DEVICEREMOVECOMPLETE))
            COM_NoteDeviceChanged();
        if (nEventType == DBT_DEVICEARRIVAL && !timeoutCall) {
            SetProgressActive(FALSE);
            if (DeviceTypeOf(dwData) == DBT_DEVTYP_PORT && !measuring)
                m_bPortArrivalPending = TRUE;
            else
                COM_RequestPortTableRefresh();
        } else if (nEventType == DBT_DEVICEREMOVECOMPLETE) {
            SetProgressActive(TRUE);
            if (!timeoutCall)
                ++m_iRemovals;
            if (m_iRemovals == 2)
                COM_RequestPortTableRefresh();
            const bool sensorInUse = m_iPortInUse >= 0;
            if (sensorInUse && m_iRemovals == 1 && !timeoutCall) {
                // The broadcast data is valid only during its message: keep what is needed.
                m_removedDevice.deviceType = DeviceTypeOf(dwData);
                const char* name = ::kq::ports::PortNameOfBroadcast(dwData);
                m_removedDevice.portName = name != nullptr ? name : "";
                m_removedDevice.valid = true;
                SetTimer(TIMER_REMOVAL, 1000, nullptr);
                WaitCursorOn();
                return TRUE;
            }
            if (m_iRemovals >= 4 || timeoutCall || !sensorInUse) {
                CWnd::KillTimer(TIMER_REMOVAL);
                m_iRemovals = 0;
                const DWORD deviceType = timeoutCall && m_removedDevice.valid
                                             ? m_removedDevice.deviceType
                                             : DeviceTypeOf(dwData);
                m_removedDevice.valid = false;
                if (timeoutCall || deviceType == DBT_DEVTYP_PORT)
                    CompleteRemoval(timeoutCall, deviceType);
            }
        }
    }
    return TRUE;
}

void CMainFrame::CompleteNodeChanges() {
    m_iNodeChanges = 0;
    m_bPortArrivalPending = FALSE;
    if (CDlgSensorConnection* connection = GetConnectionPage())
        connection->UpdatePortList();
}

void CMainFrame::CompleteRemoval(bool timeoutCall, DWORD deviceType) {
    (void)timeoutCall;
    (void)deviceType;
    COM_SavePortTableAsPrevious();
    CDlgMeasureDiagram* measure = GetMeasureDiagramPage();
    CString mainPort = COM_MainPort() != nullptr ? COM_MainPort()->GetStateText() : CString();
    if (measure == nullptr || !measure->IsMeasuring()) {
        COM_MarkPortClosed();
        if (mainPort == m_strSensorPortName && measure != nullptr)
            measure->OnSensorDisconnected();
        if (m_iPortManSensorCount > 1) {
            for (int i = 0; i < m_iPortManSensorCount && i < COM_MAX_SENSORS; ++i) {
                if (COM_DevicePort(i) == nullptr || !COM_DevicePort(i)->IsPortOpen()) {
                    SetStopMeasureDuringScan(TRUE);
                    break;
                }
            }
            COM_CloseFurtherPortManagers();
        }
        COM_RefreshPortTable(0, 0);
        return;
    }
    if (mainPort == m_strSensorPortName) {
        COM_TakeCurrentPortName(mainPort);
        m_bSensorLostDuringMeasurement = TRUE;
        measure->OnBnClickedStop();
        if (CDlgMeasureAdjust* adjust = GetMeasureAdjustPage())
            adjust->CancelScalingDialog();
    } else {
        COM_RequestPortTableRefresh();
    }
}
