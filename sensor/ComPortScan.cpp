// The search for sensors: every port of the table is opened in turn (counting down) at each
// candidate baud rate, asked for its identification, and when a sensor answers, its long status
// and its eight blocks are read into the entry.
#include <algorithm>
#include <vector>

#include "sensor/CComPort.h"
#include "sensor/ComPortTimerIds.h"

using namespace tarvik;

namespace {

bool IsKnownStator(int statorId) {
    return statorId == kStatorHbtBox || statorId == kStatorNxOrPkr || statorId == kStatorNxZid3 ||
           statorId == kStatorPkrUsb1K || statorId == kStatorQuadratureEncoder;
}

bool IsBaudrate(int rate) {
    return rate == kBaud115200 || rate == kBaud230400;
}

}  // namespace

void CComPort::COM_BuildPortTable(int mode) {
    // The scan clears the flag that keeps device changes away while ports are closed.
    SetStopMeasureDuringScan(FALSE);
    // The steps of a search that runs or has just ended would act on the new one's ports: the
    // closing steps of an ended one would open a sensor in the middle of it.
    for (UINT id : {COM_TIMER_SCAN_OPEN, COM_TIMER_SCAN_ANSWER, COM_TIMER_STATUS_LONG_SLOT,
                    COM_TIMER_SCAN_CLOSE_NEXT, COM_TIMER_SCAN_NEXT, COM_TIMER_REPLY_TIMEOUT,
                    COM_TIMER_SCAN_END_CLOSE, COM_TIMER_SCAN_END_REFRESH, COM_TIMER_SCAN_END_FOUND,
                    COM_TIMER_BUILD_PORT_TABLE}) {
        KillTimer(id);
    }
    m_bSearchAgain = false;
    // The sensor the operator has open is the one to open again once this search has found it.
    m_strOpenBeforeSearch = m_iOpenEntry >= 0 && m_iOpenEntry < m_iEntryCount
                                ? m_aEntries[m_iOpenEntry].strPortName
                                : CString();
    COM_CloseSensorPorts();
    m_bFirstSearchAhead = FALSE;
    m_bScanPreferPending = mode == 2;
    m_bStreamingAnnounced = false;
    if (m_iEntryCount > 0) {
        COM_SavePortTableAsPrevious();
    }

    const bool usbOnly = m_pPages && m_pPages->IsSearchForOnlyUsbPorts();
    std::vector<CString> ports;
    if (m_pPortProvider) {
        ports = m_pPortProvider->EnumeratePorts(usbOnly);
    }
    const int count = std::min(static_cast<int>(ports.size()), COM_MAX_PORTS);
    for (int i = 0; i < COM_MAX_PORTS; ++i) {
        SensorEntry_Clear(m_aEntries[i]);
    }
    for (int i = 0; i < count; ++i) {
        SensorEntry& entry = m_aEntries[i];
        entry.strPortText = ports[static_cast<size_t>(i)];
        entry.strDisplayText = COM_MakePortDisplayName(entry.strPortText);
        entry.strPortName = COM_ParsePortDisplayName(entry.strDisplayText);
        entry.strCurrentPortName = entry.strPortName;
        entry.iIndex = i;
        entry.iStateId = i;
        entry.iState = PORT_STATE_CHECKING;
        if (mode == 2) {
            for (const SensorEntry& previous : m_aPrevEntries) {
                if (previous.iStateId >= 0 && previous.strPortName == entry.strPortName) {
                    entry.wEnabling = previous.wEnabling;
                    break;
                }
            }
        }
    }
    m_iEntryCount = count;
    m_iSensorsFound = 0;
    m_iLastFoundEntry = -1;
    if (m_pPages) {
        if (mode == 4) {
            m_pPages->SetEnablingOfAllPorts(1);
        }
        m_pPages->SetProgressActive(TRUE);
        m_pPages->RebuildPortList(1);
        m_pPages->ShowProgressBar(count);
    }
    if (count == 0) {
        ScanEnd();
        return;
    }
    m_iScanIndex = count - 1;
    COM_ScanPortStep(1);
}

// The rates to try on the port of the scan index: the rate a sensor answered at last time (or
// the pending rate after a baud change), then both rates of the protocol, each once.
void CComPort::COM_ScanPortStep(int step) {
    if (m_iScanIndex < 0 || m_iScanIndex >= m_iEntryCount) {
        return;
    }
    SensorEntry& entry = m_aEntries[m_iScanIndex];
    const bool network = SensorEntry_IsNetworkPort(entry);
    if (step == 1) {
        if (m_pPages) {
            m_pPages->SetPortProgress(m_iScanIndex);
        }
        int candidates[4] = {0, 0, kBaud115200, kBaud230400};
        if (m_bScanPreferPending) {
            candidates[0] = m_iPendingBaudrate;
        }
        candidates[1] = entry.iStoredBaudrate;
        for (const SensorEntry& previous : m_aPrevEntries) {
            if (previous.iStateId >= 0 && previous.strPortName == entry.strPortName &&
                (previous.iState == PORT_STATE_FOUND || previous.iState == PORT_STATE_OPEN)) {
                candidates[1] = previous.iBaudrate;
                break;
            }
        }
        m_iScanRateCount = 0;
        for (int rate : candidates) {
            bool seen = !IsBaudrate(rate);
            for (int i = 0; i < m_iScanRateCount; ++i) {
                seen = seen || m_aiScanRates[i] == rate;
            }
            if (!seen && m_iScanRateCount < 3) {
                m_aiScanRates[m_iScanRateCount++] = rate;
            }
        }
        m_iScanRatePos = 0;
        ArmTimer(COM_TIMER_SCAN_OPEN, network ? COM_MS_SCAN_STEP_NETWORK : COM_MS_SCAN_STEP);
        return;
    }
    ScanOpenEntry();
}

void CComPort::ScanOpenEntry() {
    SensorEntry& entry = m_aEntries[m_iScanIndex];
    if (entry.wEnabling == 0) {
        entry.iState = PORT_STATE_NOT_PROBED;
        COM_ScanNextPort();
        return;
    }
    if (!m_pPortMan && m_pPortProvider) {
        COM_CreateMainPortManager(m_hOwnerWnd);
    }
    if (!m_pPortMan) {
        ScanEntryDone(PORT_STATE_OPEN_FAILED);
        return;
    }
    m_pCurrentPortMan = m_pPortMan.get();
    m_pPortMan->ClosePort(false);
    const int rate = m_aiScanRates[m_iScanRatePos];
    if (SensorEntry_IsNetworkPort(entry) && m_pPages) {
        // Behind a network redirector the line's rate is the device server's: it is set there
        // before the port is probed at that rate.
        m_pPages->SetXPicoBaudrateForPort(m_iScanIndex, rate, FALSE);
    }
    if (!m_pPortMan->OpenPort(entry.strPortName, rate)) {
        ScanEntryDone(PORT_STATE_OPEN_FAILED);
        return;
    }
    entry.iBaudrate = rate;
    m_strReceiveCOM.Empty();
    m_ullUnaskedBytes = 0;
    m_bUnaskedValueSet = false;
    m_iZMCOMConfgFlow = ZM_SCAN_CHECK_ADDRESS;
    if (!ScanSend(TarSend_RequestIdentification(), kReplyIdentification)) {
        ScanEntryDone(PORT_STATE_OPEN_FAILED);
    }
}

// A request of the scan: its answer wait is COM_TIMER_SCAN_ANSWER; a missing long status or block
// is asked for again kRequestRetries times before the entry counts as not answering.
bool CComPort::ScanSend(const CString& bytes, int expect) {
    if (!m_pPortMan || bytes.IsEmpty() || !m_pPortMan->Write(bytes.View())) {
        return false;
    }
    const bool network = SensorEntry_IsNetworkPort(m_aEntries[m_iScanIndex]);
    m_request.bytes = bytes;
    m_request.expect = expect;
    m_request.port = kCurrentPort;
    m_request.retriesLeft = kRequestRetries;
    m_request.timeoutMs = network ? COM_MS_SCAN_ANSWER_NETWORK : COM_MS_SCAN_ANSWER;
    m_request.timerId = COM_TIMER_SCAN_ANSWER;
    m_request.blockNumber = -1;
    m_bRequestOutstanding = TRUE;
    m_ullScanCheckErrors = m_cutter.Stats().checkErrors;
    ArmTimer(COM_TIMER_SCAN_ANSWER, m_request.timeoutMs);
    return true;
}

void CComPort::ScanTimeout() {
    if (m_iScanIndex < 0 || m_iScanIndex >= m_iEntryCount) {
        return;
    }
    m_bRequestOutstanding = FALSE;
    if (m_iZMCOMConfgFlow == ZM_SCAN_CHECK_ADDRESS) {
        // A frame with wrong check bytes came while waiting: something answers at this rate and
        // its answer was damaged on the way. It is asked again, as the scan's later requests are.
        if (m_cutter.Stats().checkErrors != m_ullScanCheckErrors && m_request.retriesLeft > 0 &&
            m_pPortMan->Write(m_request.bytes.View())) {
            --m_request.retriesLeft;
            m_ullScanCheckErrors = m_cutter.Stats().checkErrors;
            m_bRequestOutstanding = TRUE;
            ArmTimer(COM_TIMER_SCAN_ANSWER, m_request.timeoutMs);
            return;
        }
        // No sensor at this rate: the next candidate rate of the same port, then the next port.
        if (++m_iScanRatePos < m_iScanRateCount) {
            m_pPortMan->ClosePort(false);
            ArmTimer(COM_TIMER_SCAN_OPEN, COM_MS_SCAN_STEP);
            return;
        }
        ScanEntryDone(PORT_STATE_NO_ANSWER);
        return;
    }
    if (m_request.retriesLeft > 0 && m_pPortMan && m_pPortMan->Write(m_request.bytes.View())) {
        --m_request.retriesLeft;
        m_bRequestOutstanding = TRUE;
        ArmTimer(COM_TIMER_SCAN_ANSWER, m_request.timeoutMs);
        return;
    }
    ScanEntryDone(PORT_STATE_NO_ANSWER);
}

void CComPort::ScanReadNextBlock() {
    if (m_iScanBlock >= kBlockCount) {
        const SensorEntry& entry = m_aEntries[m_iScanIndex];
        ScanEntryDone(IsKnownStator(entry.record.ucStatorId) ? PORT_STATE_FOUND
                                                             : PORT_STATE_UNSUPPORTED);
        return;
    }
    if (!ScanSend(TarSend_RequestReadBlock(m_iScanBlock), kReplyBlockContent)) {
        ScanEntryDone(PORT_STATE_NO_ANSWER);
    }
}

void CComPort::ScanEntryDone(int state) {
    KillTimer(COM_TIMER_SCAN_ANSWER);
    KillTimer(COM_TIMER_STATUS_LONG_SLOT);
    m_bRequestOutstanding = FALSE;
    m_iZMCOMConfgFlow = ZM_STOP_MEASURE;
    SensorEntry& entry = m_aEntries[m_iScanIndex];
    entry.iState = state;
    if (state == PORT_STATE_NO_ANSWER || state == PORT_STATE_OPEN_FAILED) {
        entry.iStateTextId = IDS_PORT_NOT_AVAILABLE;
    }
    if (state == PORT_STATE_FOUND || state == PORT_STATE_UNSUPPORTED) {
        if (state == PORT_STATE_FOUND) {
            ++m_iSensorsFound;
            m_iLastFoundEntry = m_iScanIndex;
        }
        // The port stays open a moment so that the sensor's last bytes are taken before it
        // closes (COM_TIMER_SCAN_CLOSE_NEXT).
        ArmTimer(COM_TIMER_SCAN_CLOSE_NEXT, COM_MS_SCAN_CLOSE_NEXT);
        return;
    }
    if (m_pPortMan) {
        m_pPortMan->ClosePort(false);
    }
    COM_ScanNextPort();
}

void CComPort::COM_ScanNextPort() {
    --m_iScanIndex;
    if (m_iScanIndex >= 0) {
        ArmTimer(COM_TIMER_SCAN_NEXT, COM_MS_SCAN_NEXT);
        return;
    }
    ScanEnd();
}

BOOL CComPort::COM_SearchAgainAfterRunningSearch() {
    if (m_iScanIndex < 0) {
        return FALSE;
    }
    m_bSearchAgain = true;
    return TRUE;
}

void CComPort::ScanEnd() {
    m_iScanIndex = -1;
    m_iZMCOMConfgFlow = ZM_STOP_MEASURE;
    if (m_bSearchAgain) {
        // The ports changed while this search ran: what it found is searched for again at once,
        // and the sensor is opened at the end of that search.
        m_bSearchAgain = false;
        ArmTimer(COM_TIMER_BUILD_PORT_TABLE, COM_MS_SCAN_END);
        return;
    }
    m_iSensorsFound = 0;
    for (int i = 0; i < m_iEntryCount; ++i) {
        if (m_aEntries[i].iState == PORT_STATE_FOUND) {
            ++m_iSensorsFound;
        }
    }
    if (m_pPages) {
        m_pPages->StopProgress();
        m_pPages->SetCheckboxCellsOk();
    }
    if (m_iSensorsFound > 0) {
        ArmTimer(COM_TIMER_SCAN_END_FOUND, COM_MS_SCAN_END);
        return;
    }
    if (m_pPages) {
        m_pPages->ShowScanFinished();
    }
    ArmTimer(COM_TIMER_SCAN_END_CLOSE, COM_MS_SCAN_END);
}
