// Requests outside a measurement: the single shot ('A' once to every open sensor, then one
// redisplay) and the diagnostic page's raw requests ('B', link test, repeat, restart), whose
// reply frame goes to the page as it came. Both wait for their replies like every request and
// end at rest; a restart goes on through the engine's reopening of the sensor.
#include "protocol/Messages.h"
#include "sensor/CComPort.h"
#include "sensor/ComPortTimerIds.h"

using namespace tarvik;

BOOL CComPort::COM_ZMCOMSingleShot() {
    if (m_iOpenEntry < 0 || !IsIdle()) {
        return FALSE;
    }
    COM_SetZMCOMConfgFlow(ZM_SINGLE_SHOT);
    m_pfnReplyAnalyser = &CComPort::AnalyseSingleShotValue;
    const int first = m_iNumberOfSensors > 1 ? NextReadySlot(0) : kCurrentPort;
    if (m_iNumberOfSensors > 1 && first < 0) {
        m_pfnReplyAnalyser = nullptr;
        ReturnToRest();
        return FALSE;
    }
    if (!SendSingleShotRequest(first)) {
        FailStep(ComFailure::PortGone);
        return FALSE;
    }
    return TRUE;
}

bool CComPort::SendSingleShotRequest(int slot) {
    m_iSingleShotSlot = slot;
    return SendRequest(TarSend_RequestValues(kModeCalibrated), kReplyValues, slot);
}

void CComPort::AnalyseSingleShotValue(const Frame& frame, int port) {
    ValueSetReply values;
    if (m_iZMCOMConfgFlow != ZM_SINGLE_SHOT || port != m_iSingleShotSlot ||
        !IsAwaited(frame, port) || !ParseMessage(frame, values)) {
        return;
    }
    RequestAnswered();
    if (port == kCurrentPort) {
        m_alRaw[0] = values.value[0];
        m_alRaw[1] = values.value[1];
    } else {
        // One channel per sensor of a multi-port device, at the sensor's position.
        m_alRaw[m_aiSlotPosition[port]] = values.value[0];
        const int next = NextReadySlot(port + 1);
        if (next >= 0) {
            if (!SendSingleShotRequest(next)) {
                FailStep(ComFailure::PortGone);
            }
            return;
        }
    }
    m_pfnReplyAnalyser = nullptr;
    m_iSingleShotSlot = -1;
    ReturnToRest();
    UpdateMeasuredValues(MeasuredValueReason::SingleShot, COM_GetLastValueSet());
}

void CComPort::FailSingleShot(ComFailure why) {
    m_pfnReplyAnalyser = nullptr;
    m_iSingleShotSlot = -1;
    if (why == ComFailure::NoAnswer || why == ComFailure::PortGone) {
        EnterLostState();
        return;
    }
    ReturnToRest();
}

BOOL CComPort::COM_SendDiagnosticRequest(int kind) {
    if (kind < 0 || kind >= COM_DIAG_KINDS || m_iOpenEntry < 0 || !IsIdle()) {
        return FALSE;
    }
    // Reopening after a restart knows the single port of one sensor only.
    if (kind == COM_DIAG_RESTART && m_iNumberOfSensors > 1) {
        return FALSE;
    }
    CString request;
    switch (kind) {
        case COM_DIAG_STATUS_LONG:
            request = TarSend_RequestStatusLong();
            break;
        case COM_DIAG_LINK_TEST:
            request = TarSend_RequestLinkTest();
            break;
        case COM_DIAG_REPEAT:
            request = TarSend_RequestRepeat();
            break;
        default:
            request = TarSend_RequestRestart();
            break;
    }
    // On a multi-port device the first sensor that is ready answers.
    const int port = m_iNumberOfSensors > 1 ? NextReadySlot(0) : kCurrentPort;
    if (m_iNumberOfSensors > 1 && port < 0) {
        return FALSE;
    }
    m_iDiagnosticKind = kind;
    m_strDiagnosticRequest = request;
    COM_SetZMCOMConfgFlow(ZM_DIAGNOSTIC_REQUEST);
    // The expected code only names the request; any reply frame ends it (see DispatchFrame).
    if (!SendRequest(request, kind == COM_DIAG_STATUS_LONG ? kReplyStatusLong : kReplyAck, port)) {
        FailStep(ComFailure::PortGone);
        return FALSE;
    }
    return TRUE;
}

void CComPort::AnalyseDiagnosticReply(const Frame& frame, int port) {
    if (!m_bRequestOutstanding || port != m_request.port) {
        return;
    }
    RequestAnswered();
    const int kind = m_iDiagnosticKind;
    m_iDiagnosticKind = -1;
    if (kind == COM_DIAG_RESTART && frame.code == kReplyAck) {
        // The sensor restarts: it is silent for a while, then identified and read again.
        COM_SetZMCOMConfgFlow(ZM_RESTART_SENSOR);
        ArmTimer(COM_TIMER_REOPEN_AFTER_RESTART, COM_MS_REOPEN_AFTER_RESTART);
    } else {
        ReturnToRest();
    }
    if (m_pPages) {
        m_pPages->OnDiagnosticReply(kind, BuildFrame(frame), TRUE);
    }
}

void CComPort::FailDiagnosticRequest(ComFailure why) {
    const int kind = m_iDiagnosticKind;
    m_iDiagnosticKind = -1;
    // A sensor that does not answer a raw request stays open: the page is there to find out
    // what it does answer. A port that went away is lost like anywhere else.
    if (why == ComFailure::PortGone) {
        EnterLostState();
    } else {
        ReturnToRest();
    }
    if (m_pPages) {
        m_pPages->OnDiagnosticReply(kind, CString(), FALSE);
    }
}
