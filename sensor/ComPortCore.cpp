// The dialogue's core: wiring, the state, requests with their bounded waits, failures, and the
// timer steps.
#include "foundation/Language.h"
#include "platform/base/Clock.h"
#include "sensor/CComPort.h"
#include "sensor/CSensorConfigSequence.h"
#include "sensor/ComPortTimerIds.h"
#include "sensor/PortDisplayName.h"

using namespace tarvik;

namespace {

constexpr int kCalibRingLength = 300;

}  // namespace

CComPort::CComPort() {
    for (SensorRecord& record : m_aSensorRecord) {
        SensorRecord_Reset(record);
    }
    for (auto& sensor : m_aCalibRing) {
        for (CMovingAverageRing& ring : sensor) {
            ring.SetLength(kCalibRingLength);
        }
    }
    for (CCalibrationValues& values : m_aCalib) {
        CalibrationValues_Reset(values);
    }
    COM_ResetMeasuredValues();
}

CComPort::~CComPort() = default;

void CComPort::COM_SetInterfaces(ISensorPortProvider* ports, IComPortTimers* timers,
                                 IComPortPages* pages) {
    m_pPortProvider = ports;
    m_pTimers = timers;
    m_pPages = pages;
}

// ---- State ----------------------------------------------------------------------------------

void CComPort::COM_SetZMCOMConfgFlow(int state) {
    m_iZMCOMConfgFlow = state;
    // While the dialogue works on the sensor, the calibration page offers nothing to start.
    if (state != ZM_STOP_MEASURE && m_pPages) {
        m_pPages->ShowControlElements(FALSE);
    }
}

BOOL CComPort::COM_IsZMCOMConfgFlowOutsideInit() const {
    return m_iZMCOMConfgFlow != ZM_START_INIT && m_iZMCOMConfgFlow != ZM_START_READ_BLOCKS &&
           m_iZMCOMConfgFlow != ZM_RESTART_SENSOR;
}

void CComPort::ReturnToRest() {
    KillTimer(COM_TIMER_REPLY_TIMEOUT);
    m_bRequestOutstanding = FALSE;
    m_iZMCOMConfgFlow = ZM_STOP_MEASURE;
    m_iZMCOMConfgFlowMulti = ZM4_NONE;
    if (m_pPages) {
        m_pPages->ClearActivationBusy();
        // Whatever disabled the calibration page's buttons has ended.
        m_pPages->ShowControlElements(m_iOpenEntry >= 0 && m_iNumberOfSensors < 2);
    }
}

// ---- Timers ---------------------------------------------------------------------------------

void CComPort::ArmTimer(UINT id, UINT ms) {
    if (m_pTimers) {
        m_pTimers->ArmFrameTimer(id, ms);
    }
}

void CComPort::KillTimer(UINT id) {
    if (m_pTimers) {
        m_pTimers->KillFrameTimer(id);
    }
}

void CComPort::StopTick() {
    if (m_pTimers) {
        m_pTimers->StopTick();
    }
}

BOOL CComPort::COM_RunTimerStep(UINT id) {
    switch (id) {
        case COM_TIMER_SCAN_OPEN:
            COM_ScanPortStep(2);
            return TRUE;
        case COM_TIMER_SCAN_ANSWER:
            ScanTimeout();
            return TRUE;
        case COM_TIMER_STATUS_LONG_SLOT:
            COM_SetZMCOMConfgFlow(ZM_CHECK_IF_PKR_USB_KQ6_IS_CONNECTED);
            if (m_iScanIndex >= 0 && m_iScanIndex < m_iEntryCount) {
                m_strReceiveCOM = SensorEntry_SelectedReply(m_aEntries[m_iScanIndex]);
                ZMCOMConfg_AnalyseStatusLong();
            }
            return TRUE;
        case COM_TIMER_SCAN_CLOSE_NEXT:
            if (m_pPortMan && m_pPortMan->IsPortOpen()) {
                m_pPortMan->ClosePort(false);
            }
            COM_ScanNextPort();
            return TRUE;
        case COM_TIMER_SCAN_END_CLOSE:
            if (m_pCurrentPortMan) {
                m_pCurrentPortMan->ClosePort(false);
            }
            ArmTimer(COM_TIMER_SCAN_END_REFRESH, COM_MS_SCAN_END);
            return TRUE;
        case COM_TIMER_SCAN_END_REFRESH:
            COM_RefreshPortTable(0, 3);
            return TRUE;
        case COM_TIMER_SCAN_END_FOUND:
            COM_RefreshPortTable(0, 3);
            if (m_pPages) {
                m_pPages->HideStartUpWindow();
            }
            RestoreWindowAndBarState();
            return TRUE;
        case COM_TIMER_SCAN_NEXT:
            COM_ScanPortStep(1);
            return TRUE;
        case COM_TIMER_LOST_SENSOR_TRY:
            TryLostSensor();
            return TRUE;
        case COM_TIMER_LOST_SENSOR_ANSWER:
            EndLostSensorTry();
            return TRUE;
        case COM_TIMER_BUILD_PORT_TABLE:
            COM_BuildPortTable(4);
            return TRUE;
        case COM_TIMER_BAUD_RESTART_CLOSE:
            m_strReceiveCOM.Empty();
            COM_CloseSensorPorts();
            ArmTimer(COM_TIMER_BAUD_RESTART_REBUILD, COM_MS_BAUD_RESTART_REBUILD);
            return TRUE;
        case COM_TIMER_BAUD_RESTART_REBUILD:
            m_strReceiveCOM.Empty();
            if (m_pPages) {
                m_pPages->ClearActivationBusy();
            }
            COM_BuildPortTable(2);
            return TRUE;
        case COM_TIMER_BAUD_STORED:
            m_strReceiveCOM.Empty();
            COM_ZMCOMConfgSetNewBaudrateIsSetRestartDevice();
            return TRUE;
        case COM_TIMER_SERIAL_NUMBER_DELAY:
            RunSerialNumberWriteStep();
            return TRUE;
        case COM_TIMER_SW_CONFIG_REPEAT:
            COM_ZMCOMConfgSetSoftwareConfigBlock(m_iDelayedWriteSensor, COM_TIMER_SW_CONFIG_REPEAT);
            return TRUE;
        case COM_TIMER_RESTART_SENSOR:
            COM_ZMCOMRestartSensor();
            return TRUE;
        case COM_TIMER_LOWPASS_STORED:
            m_strReceiveCOM.Empty();
            COM_ZMCOMConfgNewLowPassFilterIsSetRestartThatDevice();
            return TRUE;
        case COM_TIMER_REPLY_TIMEOUT:
            OnReplyTimeout();
            return TRUE;
        case COM_TIMER_OPEN_NEXT_SENSOR:
            RunMultiChannelActivationStep();
            return TRUE;
        case COM_TIMER_REOPEN_AFTER_RESTART:
            ReopenAfterRestart();
            return TRUE;
        case COM_TIMER_SLAVES_PREPARED:
            if (m_iZMCOMConfgFlow == ZM_SET_SLAVES) {
                COM_ShowNotAllSensorsPreparedMessage();
                FinishMultiChannelActivation();
            }
            return TRUE;
        default:
            return FALSE;
    }
}

// ---- Requests -------------------------------------------------------------------------------

ISensorPort* CComPort::PortOf(int port) const {
    if (port == kCurrentPort) {
        return m_pCurrentPortMan;
    }
    return port >= 0 && port < COM_MAX_SENSORS ? m_apPortManSensor[port].get() : nullptr;
}

UINT CComPort::ReplyTimeoutMs() const {
    return m_bSelectedPortIsLantronixCpr ? kReplyTimeoutNetworkMs : kReplyTimeoutMs;
}

// Sends a request that waits for a reply code; the wait is guarded by the reply timer, and the
// request is sent again kRequestRetries times before the step fails.
bool CComPort::SendRequest(const CString& bytes, int expect, int port) {
    ISensorPort* target = PortOf(port);
    if (bytes.IsEmpty() || !target || !target->IsPortOpen() || !target->Write(bytes.View())) {
        return false;
    }
    m_request.bytes = bytes;
    m_request.expect = expect;
    m_request.port = port;
    m_request.retriesLeft = kRequestRetries;
    m_request.timeoutMs = ReplyTimeoutMs();
    m_request.timerId = COM_TIMER_REPLY_TIMEOUT;
    m_request.blockNumber = -1;
    m_bRequestOutstanding = TRUE;
    ArmTimer(m_request.timerId, m_request.timeoutMs);
    return true;
}

void CComPort::RequestAnswered() {
    m_bRequestOutstanding = FALSE;
    KillTimer(m_request.timerId);
}

bool CComPort::IsAwaited(const Frame& frame, int port) const {
    return m_bRequestOutstanding && m_request.port == port &&
           (frame.code == m_request.expect || frame.code == kReplyNak);
}

void CComPort::OnReplyTimeout() {
    if (!m_bRequestOutstanding || m_request.timerId != COM_TIMER_REPLY_TIMEOUT) {
        return;
    }
    ISensorPort* target = PortOf(m_request.port);
    const bool open = target && target->IsPortOpen();
    if (m_request.retriesLeft > 0 && open) {
        if (target->Write(m_request.bytes.View())) {
            --m_request.retriesLeft;
            ArmTimer(m_request.timerId, m_request.timeoutMs);
            return;
        }
        // A port that takes no more bytes has gone, whatever its handle still says.
        FailStep(ComFailure::PortGone);
        return;
    }
    FailStep(open ? ComFailure::NoAnswer : ComFailure::PortGone);
}

// A step that cannot go on. A sensor that refused stays open and the dialogue rests; a sensor
// that no longer answers (or whose port went away) is lost.
void CComPort::FailStep(ComFailure why) {
    const int state = m_iZMCOMConfgFlow;
    m_bRequestOutstanding = FALSE;
    KillTimer(COM_TIMER_REPLY_TIMEOUT);
    if (why != ComFailure::NoAnswer && why != ComFailure::PortGone) {
        RestoreWriteBackup();
    }
    m_bWriteBackup = false;

    if (state == ZM_DIAGNOSTIC_REQUEST) {
        FailDiagnosticRequest(why);
        return;
    }
    if (state == ZM_SINGLE_SHOT) {
        FailSingleShot(why);
        return;
    }
    if (state == ZM_SCAN_CHECK_ADDRESS || state == ZM_SCAN_STATUS_LONG ||
        state == ZM_SCAN_READ_BLOCKS || state == ZM_CHECK_IF_PKR_USB_KQ6_IS_CONNECTED) {
        ScanEntryDone(PORT_STATE_NO_ANSWER);
        return;
    }
    if (state == ZM_CLOSE_CONFIG_SEQUENCE && m_pConfigSequence && m_pConfigSequence->IsRunning()) {
        if (why == ComFailure::NoAnswer || why == ComFailure::PortGone) {
            EnterLostState();
        }
        m_pConfigSequence->OnFailed();
        return;
    }
    if (state == ZM_OPEN_FURTHER_SENSORS && m_bOpenDialogue && m_iOpenPort >= 0) {
        // One sensor of a multi-port device did not come up; the activation goes on without it.
        const int slot = m_iOpenPort;
        m_bOpenDialogue = false;
        if (m_apPortManSensor[slot]) {
            m_apPortManSensor[slot]->ClosePort(false);
        }
        if (m_aiSlotEntry[slot] >= 0) {
            m_aEntries[m_aiSlotEntry[slot]].iState = PORT_STATE_NO_ANSWER;
            m_aEntries[m_aiSlotEntry[slot]].iStateTextId = IDS_PORT_NOT_AVAILABLE;
        }
        m_abSlotReady[slot] = false;
        return;
    }
    if (state == ZM_SET_SLAVES) {
        COM_ShowNotAllSensorsPreparedMessage();
        FinishMultiChannelActivation();
        return;
    }
    if (state == ZM_MEASURE && !m_bFastRate && why == ComFailure::Refused) {
        // A polled value set that was refused: ask again after the error pause.
        m_llNextPollMs = kq::MonotonicMillis() + kErrorRetryDelayMs;
        return;
    }
    if (state == ZM_RESTART_AFTER_BAUDRATE && why == ComFailure::NoAnswer) {
        // The sensor holds the new rate: a restart whose acknowledge was lost has it listening
        // at that rate, where the requests sent again cannot reach it. The search after the
        // restart finds it at whichever rate it answers.
        ArmTimer(COM_TIMER_BAUD_RESTART_CLOSE, COM_MS_BAUD_RESTART);
        return;
    }
    if (why == ComFailure::NoAnswer || why == ComFailure::PortGone) {
        EnterLostState();
        return;
    }
    // The sensor answered but refused, or a value could not be sent.
    const bool calibrating = state == ZM_READ_RAW_CALIB_INIT || state == ZM_SET_CTRL_ON ||
                             state == ZM_SET_CTRL_OFF || state == ZM_SET_NEW_USERCALIB;
    if (state == ZM_READ_RAW_CALIB_INIT) {
        StopTick();
        m_pfnReplyAnalyser = nullptr;
    }
    if (state == ZM_MEASURE_START || state == ZM_MEASURE || state == ZM_MEASURE_STOP) {
        StopTick();
        m_bMeasuring = FALSE;
        m_pfnReplyAnalyser = nullptr;
    }
    m_bOpenDialogue = false;
    ReturnToRest();
    if (calibrating && m_pPages) {
        m_pPages->CloseScaleDialogIfVisible();
    }
}

void CComPort::EnterLostState() {
    const int entry = m_iOpenEntry;
    const int state = m_iZMCOMConfgFlow;
    // The tries below are for a sensor on a port of its own; a multi-port device is found again
    // by the search.
    const bool device = ReadySlotCount() > 0;
    if (state == ZM_MEASURE_START || state == ZM_MEASURE || state == ZM_MEASURE_STOP ||
        state == ZM_STOP_MEASURE_MAX_DURATION) {
        // A sensor that may still stream is sent the stop, as at every Stop, in case the line
        // still carries it.
        StopStreamingSensors();
    }
    StopTick();
    m_bMeasuring = FALSE;
    m_pfnReplyAnalyser = nullptr;
    m_bOpenDialogue = false;
    m_bRequestOutstanding = FALSE;
    KillTimer(COM_TIMER_REPLY_TIMEOUT);
    KillTimer(COM_TIMER_REOPEN_AFTER_RESTART);
    KillTimer(COM_TIMER_SLAVES_PREPARED);
    auto markLost = [this](int index) {
        if (index < 0 || index >= m_iEntryCount) {
            return;
        }
        m_aEntries[index].iState = PORT_STATE_NO_ANSWER;
        m_aEntries[index].iStateTextId = IDS_PORT_NOT_AVAILABLE;
        m_aEntries[index].bSensorLost = true;
        if (m_pPages) {
            m_pPages->SetPortRowStateAndSerial(index, GetLanguageString(IDS_PORT_NOT_AVAILABLE),
                                               "n.a.");
        }
    };
    markLost(entry);
    for (int slot = 0; slot < COM_MAX_SENSORS; ++slot) {
        if (m_abSlotReady[slot]) {
            markLost(m_aiSlotEntry[slot]);
        }
    }
    if (m_pPortMan) {
        m_pPortMan->ClosePort(false);
    }
    for (auto& port : m_apPortManSensor) {
        if (port) {
            port->ClosePort(false);
        }
    }
    for (bool& ready : m_abSlotReady) {
        ready = false;
    }
    m_bPortClosed = TRUE;
    m_iOpenEntry = -1;
    m_iPortInUse = -1;
    m_bSensorAnswered = FALSE;
    m_iZMCOMConfgFlow = ZM_STOP_MEASURE;
    m_iZMCOMConfgFlowMulti = ZM4_NONE;
    if (!device) {
        WatchLostSensor(entry);
    }
    if (m_pPages) {
        m_pPages->OnSensorDisconnected();
        m_pPages->ShowControlElements(FALSE);
        m_pPages->CloseScaleDialogIfVisible();
        m_pPages->ClearActivationBusy();
    }
}

int CComPort::COM_GetRealSensorNo(int position) const {
    if (position < 0 || position >= COM_MAX_SENSORS) {
        return position;
    }
    return m_iNumberOfSensors < 2 ? position : m_aiChannelRecord[position];
}

CString CComPort::COM_MakePortDisplayName(const CString& portText) {
    return MakePortDisplayName(portText);
}

CString CComPort::COM_ParsePortDisplayName(const CString& rowText) {
    return ParsePortDisplayName(rowText);
}

BOOL CComPort::COM_IsPkrUsbWithoutDigitalInput(const SensorRecord& record) {
    return record.ucDeviceKind == kDevicePkrUsb && record.ucStatorId == kStatorNxOrPkr &&
           record.ucDigitalInputKind == 0;
}

BOOL CComPort::COM_IsPkrUsbWithDigitalInput(const SensorRecord& record) {
    return record.ucDeviceKind == kDevicePkrUsb && record.ucStatorId == kStatorNxOrPkr &&
           record.ucDigitalInputKind != 0;
}
