#include "sensor/CSensorConfigSequence.h"

#include <algorithm>

#include "protocol/BlockLayouts.h"
#include "sensor/CComPort.h"
#include "sensor/ComPortTimerIds.h"

using namespace tarvik;

CSensorConfigSequence::CSensorConfigSequence(CComPort* owner) : m_owner(owner) {
    if (m_owner) {
        m_owner->m_pConfigSequence = this;
    }
}

CSensorConfigSequence::~CSensorConfigSequence() {
    if (m_owner && m_owner->m_pConfigSequence == this) {
        m_owner->m_pConfigSequence = nullptr;
    }
}

void CSensorConfigSequence::Start() {
    if (!m_owner) {
        return;
    }
    m_owner->m_bSequenceFinished = FALSE;
    m_owner->COM_SetZMCOMConfgFlow(ZM_CLOSE_CONFIG_SEQUENCE);
    m_running = true;
    m_sensor = -1;
    m_step = Step::Restart;
    Next();
}

bool CSensorConfigSequence::LowPassPending(int sensor) const {
    const SensorRecord& record = m_owner->m_aSensorRecord[sensor];
    StatorOperationBlock operation;
    return (record.ucBlockReadMask & (1u << kBlockStatorOperation)) != 0 &&
           operation.Decode(record.aBlock[kBlockStatorOperation]) &&
           operation.lowPassCode != record.ucLowPassCode;
}

// Moves to the next write: per sensor the software configuration, then, with a changed low-pass
// filter, the stator operation and a restart. A write that cannot be made (no sensor, a block
// never read, a value out of range) is skipped.
void CSensorConfigSequence::Next() {
    CComPort& port = *m_owner;
    const int sensors = port.m_iOpenEntry < 0 ? 0 : std::max(port.m_iNumberOfSensors, 1);
    for (;;) {
        if (m_step == Step::SoftwareConfig && LowPassPending(m_sensor)) {
            m_step = Step::Operation;
            if (port.WriteBlock(m_sensor, kBlockStatorOperation, ZM_CLOSE_CONFIG_SEQUENCE,
                                port.PortOfSensor(m_sensor))) {
                return;
            }
        } else if (m_step == Step::Operation) {
            m_step = Step::Restart;
            port.m_iZMCOMConfgFlow = ZM_CLOSE_CONFIG_SEQUENCE;
            if (port.SendRequest(port.TarSend_RequestRestart(), kReplyAck,
                                 port.PortOfSensor(m_sensor))) {
                return;
            }
        } else {
            ++m_sensor;
            if (m_sensor >= sensors || m_sensor >= COM_MAX_SENSORS) {
                Finish();
                return;
            }
            m_step = Step::SoftwareConfig;
            port.StoreChannelSettingsInSoftwareConfig(m_sensor);
            if (port.WriteBlock(m_sensor, kBlockSoftwareConfig, ZM_CLOSE_CONFIG_SEQUENCE,
                                port.PortOfSensor(m_sensor))) {
                return;
            }
        }
        if (!port.m_bRequestOutstanding && port.m_iOpenEntry < 0) {
            Finish();  // the sensor was lost on the way
            return;
        }
        port.m_iZMCOMConfgFlow = ZM_CLOSE_CONFIG_SEQUENCE;
    }
}

void CSensorConfigSequence::OnAcknowledged() {
    if (m_running) {
        Next();
    }
}

void CSensorConfigSequence::OnFailed() {
    if (!m_running) {
        return;
    }
    m_step = Step::Restart;
    m_owner->m_iZMCOMConfgFlow = ZM_CLOSE_CONFIG_SEQUENCE;
    Next();
}

void CSensorConfigSequence::Finish() {
    m_running = false;
    m_owner->m_bSequenceFinished = TRUE;
    m_owner->m_iZMCOMConfgFlow = ZM_CLOSE_CONFIG_DONE;
    m_owner->ArmTimer(COM_TIMER_CLOSE_AGAIN, COM_MS_CLOSE_AGAIN);
}
