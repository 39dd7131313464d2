// Block writes and restarts. A block is written from the image last read from the sensor with
// the record's fields stored into it, so that bytes this program does not know survive; a block
// never read is never written, and a field out of its range refuses the whole write.
#include "protocol/BlockLayouts.h"
#include "sensor/CComPort.h"
#include "sensor/ComPortTimerIds.h"

using namespace tarvik;

namespace {

// Serial-number writes: a busy dialogue is asked again after a second, the next marked sensor
// follows shortly.
constexpr UINT kSerialNumberBusyRetryMs = 1000;
constexpr UINT kSerialNumberNextMs = 100;

}  // namespace

bool CComPort::IsIdle() const {
    return m_iZMCOMConfgFlow == ZM_STOP_MEASURE && !m_bRequestOutstanding && !m_bMeasuring &&
           !m_bOpenDialogue;
}

// The port a sensor's requests go through: its own port on a multi-port device, else the
// current one.
int CComPort::PortOfSensor(int sensor) const {
    if (m_iNumberOfSensors > 1 && sensor >= 0 && sensor < COM_MAX_SENSORS &&
        m_abSlotReady[sensor]) {
        return sensor;
    }
    return kCurrentPort;
}

bool CComPort::WriteBlock(int sensor, int blockIndex, int state, int port) {
    if (sensor < 0 || sensor >= COM_MAX_SENSORS || blockIndex < 0 || blockIndex >= kBlockCount) {
        return false;
    }
    SensorRecord& record = m_aSensorRecord[sensor];
    if ((record.ucBlockReadMask & (1u << blockIndex)) == 0) {
        return false;
    }
    const BlockImage before = record.aBlock[blockIndex];
    if (!SensorRecord_StoreFieldsInBlock(record, blockIndex)) {
        return false;
    }
    const BlockImage image = record.aBlock[blockIndex];
    record.aBlock[blockIndex] = before;
    return WriteImage(sensor, blockIndex, image, state, port);
}

// Sends the image as block blockIndex of the sensor and takes it into the record; the record's
// image as it was comes back if the sensor refuses the write.
bool CComPort::WriteImage(int sensor, int blockIndex, const BlockImage& image, int state,
                          int port) {
    SensorRecord& record = m_aSensorRecord[sensor];
    m_bWriteBackup = true;
    m_iBackupSensor = sensor;
    m_iBackupBlock = blockIndex;
    m_backupImage = record.aBlock[blockIndex];
    SensorRecord_TakeOverBlock(record, blockIndex, image);
    m_iWriteSensor = sensor;
    COM_SetZMCOMConfgFlow(state);
    if (!SendRequest(TarSend_RequestWriteBlock(blockIndex, image), kReplyAck, port)) {
        FailStep(ComFailure::PortGone);
        return false;
    }
    m_request.blockNumber = BlockNumberFromIndex(blockIndex);
    return true;
}

void CComPort::RestoreWriteBackup() {
    if (m_bWriteBackup) {
        SensorRecord_TakeOverBlock(m_aSensorRecord[m_iBackupSensor], m_iBackupBlock, m_backupImage);
        m_bWriteBackup = false;
    }
}

// ---- Baud rate ------------------------------------------------------------------------------

int CComPort::COM_ZMCOMConfgSetNewBaudrate(int row, int baudCode) {
    if (row < 0 || row != m_iOpenEntry) {
        return COM_BAUD_BAD_ROW;
    }
    if (!IsValidBaudCode(baudCode)) {
        return COM_BAUD_BAD_CODE;
    }
    if (!IsIdle()) {
        return COM_BAUD_BUSY;
    }
    SensorRecord& record = m_aSensorRecord[0];
    const BYTE previous = record.ucBaudCode;
    record.ucBaudCode = static_cast<BYTE>(baudCode);
    if (!WriteBlock(0, kBlockStatorOperation, ZM_CNFG_SET_NEW_BAUDRATE)) {
        record.ucBaudCode = previous;
        return COM_BAUD_NOT_READ;
    }
    m_iStoredBaudCode = baudCode;
    m_iPendingBaudrate = BaudrateFromCode(baudCode);
    return COM_BAUD_OK;
}

void CComPort::COM_ZMCOMConfgSetNewBaudrateIsSetRestartDevice() {
    COM_SetZMCOMConfgFlow(ZM_RESTART_AFTER_BAUDRATE);
    if (!SendRequest(TarSend_RequestRestart(), kReplyAck)) {
        FailStep(ComFailure::PortGone);
    }
}

// ---- Low-pass filter ------------------------------------------------------------------------

BOOL CComPort::COM_ZMCOMConfgSetNewLowPassFilter(int sensor, int lowPassCode) {
    if (sensor < 0 || sensor >= COM_MAX_SENSORS || lowPassCode < 0 ||
        lowPassCode > kMaxLowPassCode || !IsIdle()) {
        return FALSE;
    }
    SensorRecord& record = m_aSensorRecord[sensor];
    const BYTE previous = record.ucLowPassCode;
    record.ucLowPassCode = static_cast<BYTE>(lowPassCode);
    if (!WriteBlock(sensor, kBlockStatorOperation, ZM_CNFG_SET_NEW_LOWPASS, PortOfSensor(sensor))) {
        record.ucLowPassCode = previous;
        return FALSE;
    }
    return TRUE;
}

void CComPort::COM_ZMCOMConfgNewLowPassFilterIsSetRestartThatDevice() {
    COM_SetZMCOMConfgFlow(ZM_RESTART_AFTER_LOWPASS);
    if (!SendRequest(TarSend_RequestRestart(), kReplyAck, PortOfSensor(m_iWriteSensor))) {
        FailStep(ComFailure::PortGone);
    }
}

// ---- Software configuration and serial numbers ----------------------------------------------

BOOL CComPort::COM_ZMCOMConfgSetSoftwareConfigBlock(int sensor, int /*timerId*/) {
    if (sensor < 0 || sensor >= COM_MAX_SENSORS || m_iOpenEntry < 0) {
        return FALSE;
    }
    const bool measuring = m_bMeasuring || (m_pPages && m_pPages->IsMeasuring());
    if (measuring || !IsIdle()) {
        // A measuring sensor refuses block writes: look again in 500 ms.
        m_iDelayedWriteSensor = sensor;
        ArmTimer(COM_TIMER_SW_CONFIG_REPEAT, COM_MS_SW_CONFIG_REPEAT);
        return TRUE;
    }
    return WriteBlock(sensor, kBlockSoftwareConfig, ZM_SET_SOFTWARE_CONFIG, PortOfSensor(sensor))
               ? TRUE
               : FALSE;
}

BOOL CComPort::COM_ZMCOMConfgSetSerialNumberRotorOperation(int sensor, int /*reserved*/) {
    if (sensor < 0 || sensor >= COM_MAX_SENSORS || m_iOpenEntry < 0) {
        return FALSE;
    }
    if (!IsIdle()) {
        COM_RequestSerialNumberWrite(sensor, kSerialNumberBusyRetryMs);
        return TRUE;
    }
    if (!WriteBlock(sensor, kBlockRotorOperation, ZM_SET_SERIAL_NUMBER_ROTOR_OPERATION,
                    PortOfSensor(sensor))) {
        return FALSE;
    }
    m_iZMCOMConfgFlowMulti = m_iNumberOfSensors > 1 ? ZM4_SET_SERIAL_NUMBER : ZM4_NONE;
    return TRUE;
}

void CComPort::COM_RequestSerialNumberWrite(int sensor, UINT ms) {
    if (sensor < 0 || sensor >= COM_MAX_SENSORS) {
        return;
    }
    m_abSerialNumberMarked[sensor] = true;
    ArmTimer(COM_TIMER_SERIAL_NUMBER_DELAY, ms);
}

BOOL CComPort::COM_IsSerialNumberWriteMarked(int sensor) const {
    return sensor >= 0 && sensor < COM_MAX_SENSORS && m_abSerialNumberMarked[sensor] ? TRUE : FALSE;
}

void CComPort::RunSerialNumberWriteStep() {
    if (!IsIdle()) {
        ArmTimer(COM_TIMER_SERIAL_NUMBER_DELAY, kSerialNumberBusyRetryMs);
        return;
    }
    for (int sensor = 0; sensor < COM_MAX_SENSORS; ++sensor) {
        if (!m_abSerialNumberMarked[sensor]) {
            continue;
        }
        m_abSerialNumberMarked[sensor] = false;
        const SensorRecord& record = m_aSensorRecord[sensor];
        RotorOperationBlock stored;
        const bool same = stored.Decode(record.aBlock[kBlockRotorOperation]) &&
                          stored.serialText[0] == record.szSerialText[0] &&
                          stored.serialText[1] == record.szSerialText[1];
        if (same) {
            continue;  // the sensor holds these texts already
        }
        COM_ZMCOMConfgSetSerialNumberRotorOperation(sensor, -1);
        break;
    }
    for (bool marked : m_abSerialNumberMarked) {
        if (marked) {
            ArmTimer(COM_TIMER_SERIAL_NUMBER_DELAY, kSerialNumberNextMs);
            return;
        }
    }
}

// ---- Restarts -------------------------------------------------------------------------------

void CComPort::COM_ZMCOMRestartSensor() {
    if (m_iOpenEntry < 0) {
        return;
    }
    COM_SetZMCOMConfgFlow(ZM_RESTART_SENSOR);
    if (!SendRequest(TarSend_RequestRestart(), kReplyAck)) {
        FailStep(ComFailure::PortGone);
    }
}

// ---- Multi-port devices ---------------------------------------------------------------------

BOOL CComPort::COM_ZMCOMConfgSetBaudrateOfSelectedPort(int baudCode) {
    if (!IsValidBaudCode(baudCode) || ReadySlotCount() == 0 || !IsIdle()) {
        return FALSE;
    }
    m_iStoredBaudCode = baudCode;
    m_iPendingBaudrate = BaudrateFromCode(baudCode);
    m_iPortsWrittenByBaudChange = 0;
    for (bool& took : m_abSlotTookBaudrate) {
        took = false;
    }
    m_iMultiStep = NextReadySlot(0);
    if (m_pPages) {
        m_pPages->ArmConnectionPageTimer(COM_PAGE_TIMER_BAUD_MULTIPORT_WAIT,
                                         COM_MS_BAUD_MULTIPORT_WAIT);
        m_pPages->ClearActivationBusy();
    }
    m_aSensorRecord[m_iMultiStep].ucBaudCode = static_cast<BYTE>(baudCode);
    return WriteBlock(m_iMultiStep, kBlockStatorOperation, ZM_CNFG_SET_BAUDRATE_MULTIPORT,
                      m_iMultiStep)
               ? TRUE
               : FALSE;
}

std::vector<CString> CComPort::COM_GetPortsThatTookBaudrate() const {
    std::vector<CString> ports;
    for (int slot = 0; slot < COM_MAX_SENSORS; ++slot) {
        const int entry = m_aiSlotEntry[slot];
        if (m_abSlotTookBaudrate[slot] && entry >= 0 && entry < m_iEntryCount) {
            ports.push_back(m_aEntries[entry].strPortName);
        }
    }
    return ports;
}

void CComPort::COM_ZMCOMRestartDeviceOfPort() {
    if (ReadySlotCount() == 0) {
        return;
    }
    m_iMultiStep = NextReadySlot(0);
    COM_SetZMCOMConfgFlow(ZM_RESTART_MULTIPORT);
    if (m_pPages) {
        m_pPages->StopProgress();
    }
    if (!SendRequest(TarSend_RequestRestart(), kReplyAck, m_iMultiStep)) {
        FailStep(ComFailure::PortGone);
    }
}

// ---- Acknowledges ---------------------------------------------------------------------------

// A written block or a restart acknowledged: the step's timer follows, or the dialogue rests.
bool CComPort::AfterWriteAck() {
    switch (m_iZMCOMConfgFlow) {
        case ZM_SET_SOFTWARE_CONFIG:
            TakeOverSoftwareScaling(m_iWriteSensor);
            ReturnToRest();
            return true;
        case ZM_CNFG_SET_NEW_BAUDRATE:
            ArmTimer(COM_TIMER_BAUD_STORED, COM_MS_BAUD_STORED);
            return true;
        case ZM_RESTART_AFTER_BAUDRATE:
            ArmTimer(COM_TIMER_BAUD_RESTART_CLOSE, COM_MS_BAUD_RESTART);
            return true;
        case ZM_CNFG_SET_NEW_LOWPASS:
            ArmTimer(COM_TIMER_LOWPASS_STORED, COM_MS_LOWPASS_STORED);
            return true;
        case ZM_RESTART_SENSOR:
        case ZM_RESTART_AFTER_LOWPASS:
            ArmTimer(COM_TIMER_REOPEN_AFTER_RESTART, COM_MS_REOPEN_AFTER_RESTART);
            return true;
        case ZM_SET_SERIAL_NUMBER_ROTOR_OPERATION:
            ReturnToRest();
            if (m_pPages) {
                m_pPages->ArmInformationPageTimer(COM_PAGE_TIMER_INFORMATION_REFRESH,
                                                  COM_MS_INFORMATION_REFRESH);
            }
            return true;
        case ZM_CNFG_SET_BAUDRATE_MULTIPORT: {
            ++m_iPortsWrittenByBaudChange;
            if (m_iMultiStep >= 0 && m_iMultiStep < COM_MAX_SENSORS) {
                m_abSlotTookBaudrate[m_iMultiStep] = true;
            }
            const int next = NextReadySlot(m_iMultiStep + 1);
            if (next < 0) {
                return true;  // the page's COM_PAGE_TIMER_BAUD_MULTIPORT_WAIT restarts the device
            }
            m_iMultiStep = next;
            m_aSensorRecord[next].ucBaudCode = static_cast<BYTE>(m_iStoredBaudCode);
            WriteBlock(next, kBlockStatorOperation, ZM_CNFG_SET_BAUDRATE_MULTIPORT, next);
            return true;
        }
        case ZM_RESTART_MULTIPORT: {
            const int next = NextReadySlot(m_iMultiStep + 1);
            if (next >= 0) {
                m_iMultiStep = next;
                if (!SendRequest(TarSend_RequestRestart(), kReplyAck, next)) {
                    FailStep(ComFailure::PortGone);
                }
                return true;
            }
            ArmTimer(COM_TIMER_BAUD_RESTART_CLOSE, COM_MS_BAUD_RESTART);
            return true;
        }
        default:
            return false;
    }
}
