// Multi-port devices: the ports of one device (one sensor each, one serial number) are opened one
// after the other on the activation timer, the first becomes the master and the others slaves,
// and their channels are ordered by the sensors' indexes.
#include <algorithm>

#include "foundation/Language.h"
#include "res/TextIds.h"
#include "sensor/CComPort.h"
#include "sensor/CMasterSlaveDetector.h"
#include "sensor/ComPortTimerIds.h"

using namespace tarvik;

int CComPort::NextReadySlot(int from) const {
    for (int slot = std::max(from, 0); slot < COM_MAX_SENSORS; ++slot) {
        if (m_abSlotReady[slot]) {
            return slot;
        }
    }
    return -1;
}

int CComPort::ReadySlotCount() const {
    int count = 0;
    for (bool ready : m_abSlotReady) {
        count += ready ? 1 : 0;
    }
    return count;
}

// The entry of the selected device whose sensor has the index slot.
int CComPort::FindSlotEntry(int slot) const {
    const int base = m_iSelectedEntry >= 0 && m_iSelectedEntry < m_iEntryCount ? m_iSelectedEntry
                     : m_iLastFoundEntry >= 0 && m_iLastFoundEntry < m_iEntryCount
                         ? m_iLastFoundEntry
                         : -1;
    if (base < 0) {
        return -1;
    }
    const DWORD serial = m_aEntries[base].record.dwSerialNumber;
    for (int i = 0; i < m_iEntryCount; ++i) {
        const SensorEntry& entry = m_aEntries[i];
        const bool answered = entry.iState == PORT_STATE_FOUND || entry.iState == PORT_STATE_OPEN;
        if (answered && serial != 0 && entry.record.dwSerialNumber == serial &&
            entry.record.ucMultiportModule == 1 && entry.record.ucSensorIndex == slot) {
            return i;
        }
    }
    return -1;
}

BOOL CComPort::COM_OpenNextSensorPort(int slot, HWND owner) {
    if (slot < 0 || slot >= COM_MAX_SENSORS || !m_pPortProvider) {
        return FALSE;
    }
    m_abSlotReady[slot] = false;
    m_aiSlotEntry[slot] = FindSlotEntry(slot);
    if (m_aiSlotEntry[slot] < 0) {
        return FALSE;
    }
    if (!m_apPortManSensor[slot]) {
        m_apPortManSensor[slot] = m_pPortProvider->CreatePortManager(
            owner, COM_MSG_RECEIVED_PORT0 + static_cast<UINT>(slot), COM_MSG_PORT_EVENT);
    }
    SensorEntry& entry = m_aEntries[m_aiSlotEntry[slot]];
    const int rate = entry.iBaudrate == kBaud230400 ? kBaud230400 : kBaud115200;
    if (!m_apPortManSensor[slot] || !m_apPortManSensor[slot]->OpenPort(entry.strPortName, rate)) {
        entry.iState = PORT_STATE_OPEN_FAILED;
        entry.iStateTextId = IDS_PORT_NOT_AVAILABLE;
        return FALSE;
    }
    m_iPortManSensorCount = std::max(m_iPortManSensorCount, slot + 1);
    m_aSensorRecord[slot] = entry.record;
    m_astrReceivePort[slot].Empty();
    if (!StartOpenDialogue(slot, slot)) {
        m_bOpenDialogue = false;
        m_apPortManSensor[slot]->ClosePort(false);
        return FALSE;
    }
    return TRUE;
}

// One expiry of the activation timer: while a sensor is still being read the timer only waits;
// otherwise the next slot is opened, and after the last one the device is prepared.
void CComPort::COM_StartMultiChannelActivation(int entry, UINT ms) {
    m_iSelectedEntry = entry;
    m_iCurrentSensorIndex = 0;
    m_iActivatedCount = 0;
    m_iNumberOfSensors = 0;
    m_iLastFoundEntry = -1;
    ArmTimer(COM_TIMER_OPEN_NEXT_SENSOR, ms);
}

void CComPort::RunMultiChannelActivationStep() {
    if (m_bOpenDialogue) {
        ArmTimer(COM_TIMER_OPEN_NEXT_SENSOR, COM_MS_OPEN_NEXT_SENSOR);
        return;
    }
    if (m_iCurrentSensorIndex <= 0) {
        m_iCurrentSensorIndex = 0;
        COM_CloseSensorPorts();
        m_iActivatedCount = 0;
    }
    COM_SetZMCOMConfgFlow(ZM_OPEN_FURTHER_SENSORS);
    if (m_iCurrentSensorIndex < COM_MAX_SENSORS) {
        COM_OpenNextSensorPort(m_iCurrentSensorIndex, m_hOwnerWnd);
        ++m_iCurrentSensorIndex;
        ArmTimer(COM_TIMER_OPEN_NEXT_SENSOR, COM_MS_OPEN_NEXT_SENSOR);
        return;
    }
    m_pCurrentPortMan = m_pPortMan.get();
    m_iLastFoundEntry = -1;
    m_iActivatedCountCopy = m_iActivatedCount;
    TarSend_SetAddress(kDefaultBusAddress, kAnyIndex);
    const int ready = ReadySlotCount();
    if (ready == 1) {
        // One sensor of the device answered: it is used like a single sensor on the main port.
        const int slot = NextReadySlot(0);
        const int entry = m_aiSlotEntry[slot];
        m_apPortManSensor[slot]->ClosePort(false);
        m_abSlotReady[slot] = false;
        m_iZMCOMConfgFlow = ZM_STOP_MEASURE;
        COM_OpenTableEntryPort(entry);
        OnMultiChannelActivationDone(1);
        return;
    }
    if (ready == 0) {
        m_iNumberOfSensors = 0;
        ReturnToRest();
        OnMultiChannelActivationDone(0);
        return;
    }
    m_iNumberOfSensors = ready;
    m_iOpenEntry = m_aiSlotEntry[NextReadySlot(0)];
    // The device's first port stands for the device as a single sensor's port does for it: a
    // later search finds the device in use as long as that port is listed.
    m_strCurrentPortName = m_aEntries[m_iOpenEntry].strPortName;
    m_bPortClosed = FALSE;
    COM_ShowWrongSensorIndexMessage();
    ComputeUnitFactors();
    COM_ZMCOM4xSSetSensors234ToSlave();
}

BOOL CComPort::COM_ZMCOM4xSSetSensors234ToSlave() {
    if (ReadySlotCount() < 2) {
        return FALSE;
    }
    m_iMultiStep = NextReadySlot(0);
    COM_SetZMCOMConfgFlow(ZM_SET_SLAVES);
    ArmTimer(COM_TIMER_SLAVES_PREPARED, COM_MS_SLAVES_PREPARED);
    if (!SendRequest(TarSend_RequestRole(kRoleMaster), kReplyAck, m_iMultiStep)) {
        FailStep(ComFailure::PortGone);
        return FALSE;
    }
    return TRUE;
}

void CComPort::FinishMultiChannelActivation() {
    KillTimer(COM_TIMER_SLAVES_PREPARED);
    m_bRequestOutstanding = FALSE;
    KillTimer(COM_TIMER_REPLY_TIMEOUT);
    ReturnToRest();
    if (m_iNumberOfSensors > 0) {
        MarkGroupOfOpenEntryActivated();
    }
    if (m_pPages && m_iNumberOfSensors > 0) {
        m_pPages->UpdatePortStates(-1, FALSE);
        m_pPages->OnSensorConnected();
    }
    OnMultiChannelActivationDone(m_iActivatedCount);
}

// The activation flag of the device's group, whoever started the activation: the connection
// page shows the rows of a group as active only while it is set.
void CComPort::MarkGroupOfOpenEntryActivated() {
    if (m_iOpenEntry < 0 || m_iOpenEntry >= m_iEntryCount) {
        return;
    }
    CMasterSlaveDetector detector;
    detector.AddCandidates(m_aEntries, m_iEntryCount);
    detector.Detect();
    const int group = detector.FindGroupOfPort(m_aEntries[m_iOpenEntry].strPortName);
    if (group >= 0) {
        m_abGroupActivation[std::min(group, 3)] = TRUE;
    }
}

BOOL CComPort::COM_ShowWrongSensorIndexMessage() {
    // Channels A..D follow the sensors' indexes; an index out of range or given twice leaves
    // the order of the ports.
    int position = 0;
    bool seen[COM_MAX_SENSORS] = {};
    bool correct = true;
    for (int slot = 0; slot < COM_MAX_SENSORS; ++slot) {
        if (!m_abSlotReady[slot]) {
            continue;
        }
        const int index = m_aSensorRecord[slot].ucSensorIndex;
        if (index >= COM_MAX_SENSORS || seen[index]) {
            correct = false;
        } else {
            seen[index] = true;
        }
        m_aiSlotPosition[slot] = position;
        m_aiChannelRecord[position] = slot;
        ++position;
    }
    for (int ch = position; ch < COM_MAX_SENSORS; ++ch) {
        m_aiChannelRecord[ch] = ch;
    }
    if (!correct) {
        COM_ShowMessage(
            GetLanguageOffset() == 0
                ? "Die Module des Mehrkanal-Interfaces haben keinen korrekten Sensorindex."
                : "The modules of the multi-channel interface have no correct sensor "
                  "index.");
    }
    return correct ? TRUE : FALSE;
}

void CComPort::COM_ShowNotAllSensorsPreparedMessage() {
    COM_ShowMessage(GetLanguageString(IDS_NOT_ALL_SENSORS_PREPARED));
}

// 'M' acknowledged by one port: the next port follows; after the last the activation ends.
bool CComPort::AfterMultiportAck() {
    if (m_iZMCOMConfgFlow != ZM_SET_SLAVES) {
        return false;
    }
    const int next = NextReadySlot(m_iMultiStep + 1);
    if (next >= 0) {
        m_iMultiStep = next;
        if (!SendRequest(TarSend_RequestRole(kRoleSlave), kReplyAck, next)) {
            FailStep(ComFailure::PortGone);
        }
        return true;
    }
    KillTimer(COM_TIMER_SLAVES_PREPARED);
    FinishMultiChannelActivation();
    return true;
}
