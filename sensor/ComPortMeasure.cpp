// Measuring: fast rates stream ('C' until 'S'), slow rates are polled with 'A' once per period
// from the periodic tick; every value set goes through its analyser into the frame's
// UpdateMeasuredValues as a ValueSet. The periodic tick runs on the GUI thread.
#include <algorithm>

#include "platform/base/Clock.h"
#include "protocol/Messages.h"
#include "sensor/CComPort.h"
#include "sensor/ComPortTimerIds.h"

using namespace tarvik;

namespace {

// A streaming sensor that sends nothing for this long (and at least four periods) is lost.
constexpr int64_t kStreamSilenceMs = 1000;
// A streaming tick later than this after the one before means the GUI thread was held up.
constexpr int64_t kStreamTickHeldUpMs = 2 * COM_MS_STREAM_TICK + COM_MS_STREAM_TICK_SLACK;

}  // namespace

void CComPort::COM_ResetMeasuredValues() {
    for (int ch = 0; ch < COM_CHANNELS; ++ch) {
        m_adValue[ch] = 0.0;
        COM_StartExtremes(ch, FALSE);
    }
    COM_ResetValueCounts();
}

MeasuredValueSet CComPort::COM_GetLastValueSet() const {
    MeasuredValueSet values;
    for (int channel = 0; channel < 4; ++channel) {
        values.alRaw[channel] = m_alRaw[channel];
    }
    values.iPortCount = std::max(m_iNumberOfSensors, 1);
    return values;
}

BOOL CComPort::COM_ZMCOMStartMeasure() {
    if (m_iOpenEntry < 0 || !IsIdle()) {
        return FALSE;
    }
    COM_ResetMeasuredValues();
    COM_SetMeasureRateParameters();
    m_counterCheck.Restart();
    m_iDisplayDownCounter = 0;
    m_ucValueReceived = 0;
    m_ucMultiportAligned = 0;
    m_llLastValueMs = kq::MonotonicMillis();
    if (m_iNumberOfSensors > 1) {
        // Nothing of the frame's user interface may hold the GUI thread up while several
        // sensors stream: its status-restore, page-switch and clock timers stop.
        for (UINT id : {COM_TIMER_STATUS_RESTORE, COM_TIMER_PAGE_SWITCH, COM_TIMER_CLOCK_TIME,
                        COM_TIMER_CLOCK_WEEKDAY, COM_TIMER_CLOCK_DATE}) {
            KillTimer(id);
        }
        // The slaves are started first, so that they sample with the master's first value set.
        m_pfnReplyAnalyser = &CComPort::AnalyseMultiportValueSet;
        m_aligner.Start(ReadySlotCount());
        m_iZMCOMConfgFlowMulti = ZM4_MEASURE;
        COM_SetZMCOMConfgFlow(ZM_MEASURE_START);
        m_iMultiStep = COM_MAX_SENSORS;
        StartMultiportMeasure();
        return TRUE;
    }
    m_pfnReplyAnalyser = &CComPort::AnalyseValueSet;
    if (m_bFastRate) {
        COM_SetZMCOMConfgFlow(ZM_MEASURE_START);
        if (!SendRequest(TarSend_RequestStartMeasure(m_iMeasureRateIndex, kModeCalibrated),
                         kReplyAck)) {
            FailStep(ComFailure::PortGone);
            return FALSE;
        }
        return TRUE;
    }
    COM_SetZMCOMConfgFlow(ZM_MEASURE);
    m_bMeasuring = TRUE;
    m_llNextPollMs = kq::MonotonicMillis();
    if (m_pTimers) {
        m_pTimers->StartTick(COM_MS_MEASURE_TICK, 0, [this] { OnTick(); });
    }
    OnTick();
    return TRUE;
}

// Sends 'C' to the next port below m_iMultiStep (slaves first, the master last); with every
// port started the measurement runs.
void CComPort::StartMultiportMeasure() {
    int next = -1;
    for (int slot = m_iMultiStep - 1; slot >= 0 && next < 0; --slot) {
        if (m_abSlotReady[slot]) {
            next = slot;
        }
    }
    if (next < 0) {
        m_iZMCOMConfgFlow = ZM_MEASURE;
        m_bMeasuring = TRUE;
        m_llLastValueMs = kq::MonotonicMillis();
        if (m_pTimers) {
            m_pTimers->StartTick(COM_MS_STREAM_TICK, COM_MS_STREAM_TICK_SLACK,
                                 [this] { OnTick(); });
        }
        return;
    }
    m_iMultiStep = next;
    if (!SendRequest(TarSend_RequestStartMeasure(m_iMeasureRateIndex, kModeCalibrated), kReplyAck,
                     next)) {
        FailStep(ComFailure::PortGone);
    }
}

BOOL CComPort::COM_ZMCOMStopMeasure() {
    const int state = m_iZMCOMConfgFlow;
    if (state != ZM_MEASURE && state != ZM_MEASURE_START && state != ZM_STOP_MEASURE_MAX_DURATION) {
        return FALSE;
    }
    if (!m_bFastRate && m_iZMCOMConfgFlowMulti != ZM4_MEASURE) {
        StopTick();
        m_bMeasuring = FALSE;
        ReturnToRest();
        return TRUE;
    }
    KillTimer(COM_TIMER_REPLY_TIMEOUT);
    m_bRequestOutstanding = FALSE;
    COM_SetZMCOMConfgFlow(ZM_MEASURE_STOP);
    const int port = m_iZMCOMConfgFlowMulti == ZM4_MEASURE ? NextReadySlot(0) : kCurrentPort;
    m_iMultiStep = port;
    if (!SendRequest(TarSend_RequestStopMeasure(), kReplyAck, port)) {
        FailStep(ComFailure::PortGone);
        return FALSE;
    }
    return TRUE;
}

// 'C' acknowledged: the next port of a multi-port device is started, or the tick runs. 'S'
// acknowledged: the next port is stopped, or the tick ends and the dialogue rests.
bool CComPort::AfterMeasureAck() {
    switch (m_iZMCOMConfgFlow) {
        case ZM_MEASURE_START:
            if (m_iZMCOMConfgFlowMulti == ZM4_MEASURE) {
                StartMultiportMeasure();
                return true;
            }
            m_iZMCOMConfgFlow = ZM_MEASURE;
            m_bMeasuring = TRUE;
            m_llLastValueMs = kq::MonotonicMillis();
            if (m_pTimers) {
                m_pTimers->StartTick(COM_MS_STREAM_TICK, COM_MS_STREAM_TICK_SLACK,
                                     [this] { OnTick(); });
            }
            return true;
        case ZM_MEASURE_STOP: {
            // On a multi-port device every port is stopped, the master first.
            const int next =
                m_iZMCOMConfgFlowMulti == ZM4_MEASURE ? NextReadySlot(m_iMultiStep + 1) : -1;
            if (next >= 0) {
                m_iMultiStep = next;
                if (!SendRequest(TarSend_RequestStopMeasure(), kReplyAck, next)) {
                    FailStep(ComFailure::PortGone);
                }
                return true;
            }
            StopTick();
            m_bMeasuring = FALSE;
            ReturnToRest();
            return true;
        }
        default:
            return false;
    }
}

void CComPort::OnTick() {
    const int64_t now = kq::MonotonicMillis();
    if (m_iZMCOMConfgFlow == ZM_READ_RAW_CALIB_INIT) {
        if (!m_bRequestOutstanding &&
            !SendRequest(TarSend_RequestValues(kModeRaw), kReplyValues, PortOfSensor(0))) {
            FailStep(ComFailure::PortGone);
        }
        return;
    }
    if (!m_bMeasuring) {
        return;
    }
    if (m_pPages) {
        m_pPages->OnMeasureTick();
    }
    if (m_bFastRate || m_iZMCOMConfgFlowMulti == ZM4_MEASURE) {
        // The tick runs before the bytes that wait for the GUI thread: after the thread was held
        // up, what the sensor sent meanwhile is still unread, so the silence is known only up to
        // the tick before.
        const int64_t heardUntil =
            now - m_llLastStreamTickMs > kStreamTickHeldUpMs ? m_llLastStreamTickMs : now;
        m_llLastStreamTickMs = now;
        const int64_t silence = std::max<int64_t>(kStreamSilenceMs, 4LL * m_iMeasurePeriodMs);
        if (m_iZMCOMConfgFlow == ZM_MEASURE && heardUntil - m_llLastValueMs > silence) {
            EnterLostState();
        }
        return;
    }
    if (m_iZMCOMConfgFlow == ZM_MEASURE && !m_bRequestOutstanding && now >= m_llNextPollMs) {
        m_llNextPollMs = now + m_iMeasurePeriodMs;
        if (!SendRequest(TarSend_RequestValues(kModeCalibrated), kReplyValues)) {
            FailStep(ComFailure::PortGone);
        }
    }
}

void CComPort::CountValueSet(uint8_t counter) {
    if (m_bFrameCounterCheck) {
        const int lost = m_counterCheck.Check(counter);
        if (lost > 0) {
            m_ullLostValueSets += static_cast<uint64_t>(lost);
            if (!m_bFastRate) {
                m_llNextPollMs = kq::MonotonicMillis() + kErrorRetryDelayMs;
            }
        }
    }
    if (m_iDisplayDownCounter <= 0) {
        m_iDisplayDownCounter = m_iDisplayReload;
    }
    --m_iDisplayDownCounter;
    m_ucValueReceived = 1;
    m_llLastValueMs = kq::MonotonicMillis();
}

void CComPort::AnalyseValueSet(const Frame& frame, int port) {
    if (port == kCurrentPort && m_iZMCOMConfgFlow == ZM_MEASURE_START && m_bRequestOutstanding &&
        m_request.expect == kReplyAck) {
        // Only a started sensor streams: the start was taken, its acknowledge is lost or still
        // on the way behind this value set. Waiting for it would re-send the start, which the
        // streaming sensor refuses.
        RequestAnswered();
        AfterAck();
    }
    const int state = m_iZMCOMConfgFlow;
    if (port != kCurrentPort || (state != ZM_MEASURE && state != ZM_MEASURE_STOP &&
                                 state != ZM_STOP_MEASURE_MAX_DURATION)) {
        return;
    }
    ValueSetReply values;
    if (!ParseMessage(frame, values)) {
        return;
    }
    if (IsAwaited(frame, port)) {
        RequestAnswered();
    }
    m_alRaw[0] = values.value[0];
    m_alRaw[1] = values.value[1];
    ++m_adwValueCount[0];
    CountValueSet(values.counter);
    UpdateMeasuredValues(MeasuredValueReason::ValueSet, COM_GetLastValueSet());
}

void CComPort::AnalyseMultiportValueSet(const Frame& frame, int port) {
    const int state = m_iZMCOMConfgFlow;
    if (port < 0 || !m_abSlotReady[port] ||
        (state != ZM_MEASURE && state != ZM_MEASURE_STOP && state != ZM_MEASURE_START)) {
        return;
    }
    ValueSetReply values;
    if (!ParseMessage(frame, values)) {
        return;
    }
    const int position = m_aiSlotPosition[port];
    ++m_adwValueCount[position];
    int32_t joined[CMultiportAligner::kMaxPorts] = {};
    const uint64_t lostBefore = m_aligner.Lost();
    const bool complete = m_aligner.Add(position, values.counter, values.value[0], joined);
    m_ullLostValueSets += m_aligner.Lost() - lostBefore;
    if (!complete) {
        return;  // a port that stopped sending shows as sets that never complete
    }
    m_llLastValueMs = kq::MonotonicMillis();
    for (int p = 0; p < m_aligner.PortCount(); ++p) {
        m_alRaw[p] = joined[p];
    }
    m_ucMultiportAligned = 1;
    if (m_iDisplayDownCounter <= 0) {
        m_iDisplayDownCounter = m_iDisplayReload;
    }
    --m_iDisplayDownCounter;
    m_ucValueReceived = 1;
    UpdateMeasuredValues(MeasuredValueReason::ValueSet, COM_GetLastValueSet());
}
