// The port table between searches: the main port manager, refreshing the table against the
// ports present, the previous table, and the rows of the connection page.
#include <algorithm>
#include <vector>

#include "foundation/Language.h"
#include "res/TextIds.h"
#include "sensor/CComPort.h"
#include "sensor/CMasterSlaveDetector.h"
#include "sensor/ComPortTimerIds.h"

using namespace tarvik;

BOOL CComPort::COM_CreateMainPortManager(HWND owner) {
    m_hOwnerWnd = owner;
    if (!m_pPortProvider) {
        return FALSE;
    }
    if (m_pPortMan) {
        m_pPortMan->ClosePort(false);
    }
    m_pPortMan = m_pPortProvider->CreatePortManager(owner, COM_MSG_RECEIVED, COM_MSG_PORT_EVENT);
    m_pCurrentPortMan = m_pPortMan.get();
    m_strMainPortStateText = m_pPortMan ? m_pPortMan->GetStateText() : CString();
    return m_pPortMan != nullptr;
}

void CComPort::COM_SavePortTableAsPrevious() {
    std::vector<SensorEntry> next(std::begin(m_aEntries), std::end(m_aEntries));
    // A search under way has not reached every port yet: those keep what the search before
    // found on them (their rate above all) instead of the blank of a port still to be checked.
    if (m_iScanIndex >= 0) {
        for (SensorEntry& entry : next) {
            if (entry.iState != PORT_STATE_CHECKING) {
                continue;
            }
            for (const SensorEntry& previous : m_aPrevEntries) {
                if (previous.iStateId >= 0 && previous.strPortName == entry.strPortName) {
                    entry = previous;
                    break;
                }
            }
        }
    }
    std::copy(next.begin(), next.end(), m_aPrevEntries);
}

// Only a port that was in use can have gone away: before the first activation of this run there
// is none, and what the search found is to be opened as usual.
BOOL CComPort::COM_IsCurrentPortNotInTable() const {
    if (m_strCurrentPortName.IsEmpty()) {
        return FALSE;
    }
    for (int i = 0; i < m_iEntryCount; ++i) {
        if (m_aEntries[i].strPortName == m_strCurrentPortName) {
            return FALSE;
        }
    }
    return TRUE;
}

void CComPort::COM_UpdatePortRowStateAndSerial(int row) {
    if (!m_pPages || row < 0 || row >= m_iEntryCount) {
        return;
    }
    const SensorEntry& entry = m_aEntries[row];
    CString serial;
    serial.Format("%d", static_cast<int>(entry.record.dwSerialNumber));
    m_pPages->SetPortRowStateAndSerial(
        row, GetLanguageString(entry.iState == PORT_STATE_OPEN ? IDS_ACTIVE : IDS_AVAILABLE),
        serial);
}

bool CComPort::HasMultiportCandidates() const {
    CMasterSlaveDetector detector;
    detector.AddCandidates(m_aEntries, m_iEntryCount);
    detector.Detect();
    return detector.HasResult();
}

// The ports present now replace the table's list: entries whose port went away are marked not
// available, new ports are added unprobed, everything the search found stays.
void CComPort::COM_RefreshPortTable(int /*flag*/, int mode) {
    m_bPortRefreshRunning = TRUE;
    if (m_pPortProvider) {
        const bool usbOnly = m_pPages && m_pPages->IsSearchForOnlyUsbPorts();
        const std::vector<CString> ports = m_pPortProvider->EnumeratePorts(usbOnly);
        std::vector<CString> names;
        for (const CString& text : ports) {
            names.push_back(COM_ParsePortDisplayName(COM_MakePortDisplayName(text)));
        }
        for (int i = 0; i < m_iEntryCount; ++i) {
            SensorEntry& entry = m_aEntries[i];
            if (std::find(names.begin(), names.end(), entry.strPortName) == names.end()) {
                entry.iState = PORT_STATE_NO_ANSWER;
                entry.iStateTextId = IDS_PORT_NOT_AVAILABLE;
            }
        }
        for (size_t p = 0; p < ports.size() && m_iEntryCount < COM_MAX_PORTS; ++p) {
            bool known = false;
            for (int i = 0; i < m_iEntryCount && !known; ++i) {
                known = m_aEntries[i].strPortName == names[p];
            }
            if (known) {
                continue;
            }
            SensorEntry& entry = m_aEntries[m_iEntryCount];
            SensorEntry_Clear(entry);
            entry.strPortText = ports[p];
            entry.strDisplayText = COM_MakePortDisplayName(ports[p]);
            entry.strPortName = names[p];
            entry.strCurrentPortName = names[p];
            entry.iIndex = m_iEntryCount;
            entry.iStateId = m_iEntryCount;
            ++m_iEntryCount;
        }
    }
    if (m_iOpenEntry >= 0 && m_aEntries[m_iOpenEntry].iState == PORT_STATE_NO_ANSWER) {
        EnterLostState();  // the open sensor's port went away
    }
    m_bDeviceChanged = FALSE;
    m_bRefreshPortTableRequest = FALSE;
    m_bRebuildPortTableRequest = FALSE;
    if (m_pPages) {
        m_pPages->RebuildPortList(0);
    }
    m_bPortRefreshRunning = FALSE;
    if (m_pPages) {
        m_pPages->OnPortRefreshDone();
    }
    if (mode != 3) {
        return;
    }
    if (!m_bWithoutMultiportDetection && m_iMultiportMode != 2 && HasMultiportCandidates()) {
        ArmTimer(COM_TIMER_MULTIPORT_DETECTION, COM_MS_MULTIPORT_DETECTION);
        return;
    }
    if (!COM_OpenFirstSensorPort()) {
        // Nothing to open: the frame's ready step still runs and leaves the dialogue at rest.
        ArmTimer(COM_TIMER_SENSOR_READY, COM_MS_SENSOR_READY);
    }
}

void CComPort::COM_CloseSensorPorts() {
    KillTimer(COM_TIMER_REPLY_TIMEOUT);
    KillTimer(COM_TIMER_REOPEN_AFTER_RESTART);
    StopTick();
    m_bRequestOutstanding = FALSE;
    m_bMeasuring = FALSE;
    m_bOpenDialogue = false;
    m_pfnReplyAnalyser = nullptr;
    if (m_pPortMan) {
        m_pPortMan->ClosePort(false);
    }
    for (int slot = 0; slot < COM_MAX_SENSORS; ++slot) {
        if (m_apPortManSensor[slot]) {
            m_apPortManSensor[slot]->ClosePort(false);
        }
        m_abSlotReady[slot] = false;
    }
    for (int i = 0; i < m_iEntryCount; ++i) {
        if (m_aEntries[i].iState == PORT_STATE_OPEN) {
            m_aEntries[i].iState = PORT_STATE_FOUND;
        }
    }
    m_pCurrentPortMan = m_pPortMan.get();
    m_bPortClosed = TRUE;
    m_iOpenEntry = -1;
    m_iPortInUse = -1;
    m_iZMCOMConfgFlow = ZM_STOP_MEASURE;
    m_iZMCOMConfgFlowMulti = ZM4_NONE;
}
