// A sensor lost while its port stays (it stopped answering, or its line carried only noise) is
// tried again, as a sensor plugged in again is found again: while the dialogue rests with no port
// open, its port is opened every little while and sent the stop request. A sensor that answers
// has stopped streaming and is listed available again, to be opened as usual; a port that goes
// away ends the tries (its return is a device change like any other).
#include <algorithm>

#include "foundation/Language.h"
#include "protocol/Messages.h"
#include "res/TextIds.h"
#include "sensor/CComPort.h"
#include "sensor/ComPortTimerIds.h"

using namespace tarvik;

void CComPort::StopStreamingSensors() {
    const CString stop = TarSend_RequestStopMeasure();
    if (m_pPortMan && m_pPortMan->IsPortOpen()) {
        m_pPortMan->Write(stop.View());
    }
    for (int slot = 0; slot < COM_MAX_SENSORS; ++slot) {
        if (m_abSlotReady[slot] && m_apPortManSensor[slot] &&
            m_apPortManSensor[slot]->IsPortOpen()) {
            m_apPortManSensor[slot]->Write(stop.View());
        }
    }
}

void CComPort::WatchLostSensor(int entry) {
    m_lostSensor = LostSensor{};
    if (entry < 0 || entry >= m_iEntryCount) {
        return;
    }
    m_lostSensor.entry = entry;
    m_lostSensor.portName = m_aEntries[entry].strPortName;
    ArmTimer(COM_TIMER_LOST_SENSOR_TRY, COM_MS_LOST_SENSOR_TRY);
}

void CComPort::COM_ForgetLostSensor() {
    KillTimer(COM_TIMER_LOST_SENSOR_TRY);
    KillTimer(COM_TIMER_LOST_SENSOR_ANSWER);
    if (IsTryingLostSensor() && m_pPortMan) {
        m_pPortMan->ClosePort(false);
    }
    m_lostSensor = LostSensor{};
}

bool CComPort::IsLostSensorStillListed() const {
    const int entry = m_lostSensor.entry;
    return entry >= 0 && entry < m_iEntryCount && m_aEntries[entry].bSensorLost &&
           m_aEntries[entry].strPortName == m_lostSensor.portName;
}

// Nothing else uses the main port: no sensor open, no search, no request.
bool CComPort::IsMainPortFree() const {
    return m_pPortMan && m_iOpenEntry < 0 && m_iScanIndex < 0 && !m_bPortRefreshRunning &&
           !m_bRequestOutstanding && !m_bMeasuring && ReadySlotCount() == 0 &&
           m_iZMCOMConfgFlow == ZM_STOP_MEASURE;
}

bool CComPort::IsTryingLostSensor() const {
    return m_lostSensor.trying && IsMainPortFree();
}

bool CComPort::IsLostSensorPortPresent() const {
    if (!m_pPortProvider) {
        return false;
    }
    const bool usbOnly = m_pPages && m_pPages->IsSearchForOnlyUsbPorts();
    const std::vector<CString> ports = m_pPortProvider->EnumeratePorts(usbOnly);
    return std::any_of(ports.begin(), ports.end(), [this](const CString& text) {
        return COM_ParsePortDisplayName(COM_MakePortDisplayName(text)) == m_lostSensor.portName;
    });
}

void CComPort::TryLostSensor() {
    if (!IsLostSensorStillListed() || !IsLostSensorPortPresent()) {
        m_lostSensor = LostSensor{};
        return;
    }
    if (!IsMainPortFree() || m_pPortMan->IsPortOpen()) {
        ArmTimer(COM_TIMER_LOST_SENSOR_TRY, COM_MS_LOST_SENSOR_TRY);
        return;
    }
    const SensorEntry& entry = m_aEntries[m_lostSensor.entry];
    const int rate = entry.iBaudrate == kBaud230400 ? kBaud230400 : kBaud115200;
    if (!m_pPortMan->OpenPort(entry.strPortName, rate)) {
        ArmTimer(COM_TIMER_LOST_SENSOR_TRY, COM_MS_LOST_SENSOR_TRY);
        return;
    }
    m_strReceiveCOM.Empty();
    m_lostSensor.trying = true;
    m_lostSensor.answered = false;
    m_pPortMan->Write(TarSend_RequestStopMeasure().View());
    ArmTimer(COM_TIMER_LOST_SENSOR_ANSWER, COM_MS_LOST_SENSOR_ANSWER);
}

bool CComPort::TakeLostSensorReply(const Frame& frame) {
    if (!IsTryingLostSensor()) {
        return false;
    }
    if (frame.code == kReplyAck || frame.code == kReplyNak) {
        m_lostSensor.answered = true;
    }
    return true;  // value sets still streaming and the like: not for anyone else
}

void CComPort::EndLostSensorTry() {
    if (!IsTryingLostSensor()) {
        // Someone else took the port meanwhile: the tries go on while the sensor stays lost.
        m_lostSensor.trying = false;
        if (IsLostSensorStillListed()) {
            ArmTimer(COM_TIMER_LOST_SENSOR_TRY, COM_MS_LOST_SENSOR_TRY);
        }
        return;
    }
    m_lostSensor.trying = false;
    m_pPortMan->ClosePort(false);
    m_strReceiveCOM.Empty();
    if (!m_lostSensor.answered || !IsLostSensorStillListed()) {
        ArmTimer(COM_TIMER_LOST_SENSOR_TRY, COM_MS_LOST_SENSOR_TRY);
        return;
    }
    const int index = m_lostSensor.entry;
    SensorEntry& entry = m_aEntries[index];
    entry.iState = PORT_STATE_FOUND;
    entry.iStateTextId = IDS_AVAILABLE;
    entry.bSensorLost = false;
    m_lostSensor = LostSensor{};
    COM_UpdatePortRowStateAndSerial(index);
}
