// What follows an acknowledge, by the step of the dialogue that waited for it.
#include "foundation/Language.h"
#include "platform/base/Clock.h"
#include "sensor/CComPort.h"
#include "sensor/CSensorConfigSequence.h"
#include "sensor/ComPortTimerIds.h"

using namespace tarvik;

void CComPort::AfterAck() {
    switch (m_iZMCOMConfgFlow) {
        case ZM_MEASURE_START:
            if (m_iZMCOMConfgFlowMulti == ZM4_MEASURE) {
                StartMultiportMeasure();
                return;
            }
            m_iZMCOMConfgFlow = ZM_MEASURE;
            m_bMeasuring = TRUE;
            m_llLastValueMs = kq::MonotonicMillis();
            if (m_pTimers) {
                m_pTimers->StartTick(COM_MS_MEASURE_TICK, [this] { OnTick(); });
            }
            return;
        case ZM_MEASURE_STOP: {
            // On a multi-port device every port is stopped, the master first.
            const int next =
                m_iZMCOMConfgFlowMulti == ZM4_MEASURE ? NextReadySlot(m_iMultiStep + 1) : -1;
            if (next >= 0) {
                m_iMultiStep = next;
                if (!SendRequest(TarSend_RequestStopMeasure(), kReplyAck, next)) {
                    FailStep(ComFailure::PortGone);
                }
                return;
            }
            StopTick();
            m_bMeasuring = FALSE;
            ReturnToRest();
            return;
        }
        case ZM_SET_CTRL_ON:
            if (m_pPages) {
                m_pPages->SetControlSignalState(1);
            }
            if (!m_aCalib[0].ucControlTaken) {
                COM_ZMCOMStartReadRawCalib(CALIB_PHASE_CONTROL);
                return;
            }
            ReturnToRest();
            if (m_pPages) {
                m_pPages->StartZeroWaitTimer();
            }
            return;
        case ZM_SET_CTRL_OFF:
            if (m_pPages) {
                m_pPages->SetControlSignalState(0);
            }
            if (!m_aCalib[0].ucZeroTaken && !m_aCalib[1].ucZeroTaken) {
                COM_ZMCOMStartReadRawCalib(CALIB_PHASE_ZERO);
                return;
            }
            ReturnToRest();
            if (m_pPages) {
                m_pPages->StartZeroWaitTimer();
            }
            return;
        case ZM_CALIB_STOPPED_CTRL_OFF:
            if (m_pPages) {
                m_pPages->SetControlSignalState(0);
            }
            ReturnToRest();
            return;
        case ZM_SET_NEW_USERCALIB:
            if (m_pPages) {
                m_pPages->AdvanceCalibProgress(1);
            }
            ArmTimer(COM_TIMER_RESTART_SENSOR, COM_MS_RESTART_SENSOR);
            return;
        case ZM_DEACTIVATE_USERCALIB:
            ArmTimer(COM_TIMER_RESTART_SENSOR, COM_MS_RESTART_SENSOR);
            return;
        case ZM_SET_INACCURACY_USERCALIB:
            if (m_bUncertaintyMadeUserCopy) {
                // The sensor still uses the factory adjustment: it restarts and is read anew,
                // so that the adjustment it reports is the copy with the new uncertainty.
                m_bUncertaintyMadeUserCopy = false;
                ArmTimer(COM_TIMER_RESTART_SENSOR, COM_MS_RESTART_SENSOR);
                return;
            }
            // Read the block back, so that the record shows what the sensor keeps.
            if (!SendRequest(TarSend_RequestReadBlock(kBlockUserCalib), kReplyBlockContent,
                             PortOfSensor(m_iWriteSensor))) {
                FailStep(ComFailure::PortGone);
            }
            return;
        case ZM_SET_SOFTWARE_CONFIG:
            TakeOverSoftwareScaling(m_iWriteSensor);
            ReturnToRest();
            return;
        case ZM_CNFG_SET_NEW_BAUDRATE:
            ArmTimer(COM_TIMER_BAUD_STORED, COM_MS_BAUD_STORED);
            return;
        case ZM_RESTART_AFTER_BAUDRATE:
            ArmTimer(COM_TIMER_BAUD_RESTART_CLOSE, COM_MS_BAUD_RESTART);
            return;
        case ZM_CNFG_SET_NEW_LOWPASS:
            ArmTimer(COM_TIMER_LOWPASS_STORED, COM_MS_LOWPASS_STORED);
            return;
        case ZM_RESTART_SENSOR:
        case ZM_RESTART_AFTER_LOWPASS:
            ArmTimer(COM_TIMER_REOPEN_AFTER_RESTART, COM_MS_REOPEN_AFTER_RESTART);
            return;
        case ZM_SET_SERIAL_NUMBER_ROTOR_OPERATION:
            ReturnToRest();
            if (m_pPages) {
                m_pPages->ArmInformationPageTimer(COM_PAGE_TIMER_INFORMATION_REFRESH,
                                                  COM_MS_INFORMATION_REFRESH);
            }
            return;
        case ZM_CNFG_SET_BAUDRATE_MULTIPORT: {
            ++m_iPortsWrittenByBaudChange;
            if (m_iMultiStep >= 0 && m_iMultiStep < COM_MAX_SENSORS) {
                m_abSlotTookBaudrate[m_iMultiStep] = true;
            }
            const int next = NextReadySlot(m_iMultiStep + 1);
            if (next < 0) {
                return;  // the page's COM_PAGE_TIMER_BAUD_MULTIPORT_WAIT restarts the device
            }
            m_iMultiStep = next;
            m_aSensorRecord[next].ucBaudCode = static_cast<BYTE>(m_iStoredBaudCode);
            WriteBlock(next, kBlockStatorOperation, ZM_CNFG_SET_BAUDRATE_MULTIPORT, next);
            return;
        }
        case ZM_RESTART_MULTIPORT: {
            const int next = NextReadySlot(m_iMultiStep + 1);
            if (next >= 0) {
                m_iMultiStep = next;
                if (!SendRequest(TarSend_RequestRestart(), kReplyAck, next)) {
                    FailStep(ComFailure::PortGone);
                }
                return;
            }
            ArmTimer(COM_TIMER_BAUD_RESTART_CLOSE, COM_MS_BAUD_RESTART);
            return;
        }
        case ZM_SET_SLAVES: {
            const int next = NextReadySlot(m_iMultiStep + 1);
            if (next >= 0) {
                m_iMultiStep = next;
                if (!SendRequest(TarSend_RequestRole(kRoleSlave), kReplyAck, next)) {
                    FailStep(ComFailure::PortGone);
                }
                return;
            }
            KillTimer(COM_TIMER_SLAVES_PREPARED);
            FinishMultiChannelActivation();
            return;
        }
        case ZM_CLOSE_CONFIG_SEQUENCE:
            if (m_pConfigSequence) {
                m_pConfigSequence->OnAcknowledged();
            }
            return;
        default:
            ReturnToRest();
            return;
    }
}
