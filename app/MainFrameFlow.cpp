// The measured-value flow: every value set of the sensor dialogue becomes physical values (unit
// factor, moving average, sign, tare, angle zero), the power channels P1 and P2, minimum and
// maximum, the trigger check, the channel views' texts at the display rate, and the recording.
// Only ValueSet and SingleShot bring new counts; while a measurement runs the other reasons never
// push, check or record again.
#include <algorithm>
#include <cmath>

#include "app/MainFrame.h"
#include "foundation/NumberText.h"
#include "foundation/Units.h"
#include "sensor/ChanState.h"

namespace {

constexpr char kNotAvailable[] = "n.a.";

bool IsAngleChannel(int channel, int& pair) {
    if (channel == 1 && ChanState_IsChannelAConnected() && ChanState_IsChannelModeA(0)) {
        pair = 0;
        return true;
    }
    if (channel == 3 && ChanState_IsChannelBConnected() && ChanState_IsChannelModeA(1)) {
        pair = 1;
        return true;
    }
    return false;
}

}  // namespace

ChannelRecord& CMainFrame::RecordOfChannel(int channel) {
    int record = channel >= 0 && channel < COM_CHANNELS ? m_aiChannelRecord[channel] : 0;
    if (record < 0 || record >= COM_CHANNELS)
        record = channel >= 0 && channel < COM_CHANNELS ? channel : 0;
    return m_measurement.EditFlow().m_aChannelRecords[record];
}

void CMainFrame::ForgetShownChannelValues() {
    m_measurement.ForgetShownValues();
}

void CMainFrame::UpdateMeasuredValues(MeasuredValueReason reason, const MeasuredValueSet& values) {
    // A modal box inside the flow pumps further value sets: they are dropped, not nested.
    if (m_measurement.Flow().m_bInFlow) {
        COM_CountDroppedValueSet();
        return;
    }
    m_measurement.EditFlow().m_bInFlow = true;
    struct Leave {
        bool& flag;
        ~Leave() { flag = false; }
    } leave{m_measurement.EditFlow().m_bInFlow};
    m_measurement.EditFlow().m_lastFlowReason = reason;
    IFlowMeasurePanel* panel = FlowPanel();
    const bool running = panel != nullptr && panel->IsRunning();
    switch (reason) {
        case MeasuredValueReason::ValueSet:
            if (m_measurement.Flow().m_bStopReached)
                return;
            if (!running)
                COM_ShowNextValueSet();
            break;
        case MeasuredValueReason::SingleShot:
            COM_ShowNextValueSet();
            break;
        case MeasuredValueReason::Redisplay:
        case MeasuredValueReason::SettingsChanged:
            for (int channel = 0; channel < COM_CHANNELS; ++channel) {
                if (!m_measurement.Flow().m_bChannelActive[channel])
                    continue;
                // A running measurement keeps its extremes: only the texts are rewritten.
                if (running)
                    ShowChannelTexts(channel);
                else
                    RedisplayChannel(channel, values);
            }
            return;
        case MeasuredValueReason::ExtremesReset:
        case MeasuredValueReason::Retake:
            COM_ShowNextValueSet();
            if (running) {
                for (int channel = 0; channel < COM_CHANNELS; ++channel) {
                    if (!m_measurement.Flow().m_bChannelActive[channel])
                        continue;
                    ProcessChannelValue(channel, MeasuredValueReason::ExtremesReset, values);
                    ShowChannelTexts(channel);
                }
                return;
            }
            if (reason == MeasuredValueReason::Retake)
                ResetMovingAverages(1);
            break;
    }
    std::fill(std::begin(m_measurement.EditFlow().m_abTakenInSet),
              std::end(m_measurement.EditFlow().m_abTakenInSet), FALSE);
    const bool twoChannel = values.iPortCount < 2;
    for (int channel = 0; channel < 4; ++channel) {
        const bool take = twoChannel
                              ? (channel == 0 && m_measurement.Flow().m_iSelectionAB != 2) ||
                                    (channel == 1 && m_measurement.Flow().m_iSelectionAB != 1)
                              : m_measurement.Flow().m_bChannelActive[channel] != FALSE;
        if (!take)
            continue;
        COM_KeepPreviousRaw(channel, values.alRaw[channel]);
        ProcessChannelValue(channel, reason, values);
    }
    for (int derived = 0; derived < 2; ++derived) {
        if (!ChanState_IsPowerChannelOn(derived))
            continue;
        COM_KeepPreviousRaw(CHANNEL_P1 + derived, m_alPrevRaw[derived == 0 ? 0 : 1]);
        ProcessChannelValue(CHANNEL_P1 + derived, reason, values);
    }
    if (reason == MeasuredValueReason::ExtremesReset)
        return;
    m_measurement.EditFlow().m_bLastSetUnrecorded = TRUE;
    if (!m_measurement.Flow().m_bRecordingClosed && !m_measurement.Flow().m_bWaitingForTrigger)
        RecordValueSet(m_adValue);
}

// The power of P1 (A torque, B speed) or P2 (C, D) from this set's processed values; false when
// a factor cannot serve (a scaling, raw counts) or the result is not finite.
bool CMainFrame::ComputePowerValue(int channel, double& value) {
    const int torque = channel == CHANNEL_P1 ? 0 : 2;
    const double torqueFactor = GetTorqueUnitFactor(RecordOfChannel(torque).iUnitIndex);
    const double speedFactor = GetSpeedUnitFactor(RecordOfChannel(torque + 1).iUnitIndex);
    if (torqueFactor == 0.0 || speedFactor == 0.0)
        return false;
    const double newtonMetres = m_adValue[torque] / torqueFactor * 0.01;
    const double perMinute = m_adValue[torque + 1] / speedFactor;
    value = newtonMetres * perMinute * m_adUnitFactor[channel];
    return std::isfinite(value);
}

void CMainFrame::ProcessChannelValue(int channel, MeasuredValueReason reason,
                                     const MeasuredValueSet& values) {
    ChannelRecord& record = RecordOfChannel(channel);
    IFlowChannelView* view = FlowChannelView(channel);
    const bool show = m_iDisplayDownCounter == 0;
    auto ready = [&](int field) { return show && view != nullptr && view->IsFieldReady(field); };
    auto text = [&](double v) { return FormatDecimal(v, record.iDecimals, -1); };
    const bool extremesOnly = reason == MeasuredValueReason::ExtremesReset;
    if (m_measurement.Flow().m_abUnavailable[channel] && extremesOnly)
        return;
    if (!extremesOnly) {
        double v = 0.0;
        bool usable = true;
        if (channel < 4)
            v = values.alRaw[channel] * m_adUnitFactor[channel];
        else
            usable = ComputePowerValue(channel, v);
        if (!usable || !std::isfinite(v)) {
            // Nothing non-finite goes further: the channel shows "n.a." and records nothing.
            if (!m_measurement.Flow().m_abUnavailable[channel] && view != nullptr)
                view->ShowActualValue(kNotAvailable);
            m_measurement.EditFlow().m_abUnavailable[channel] = TRUE;
            return;
        }
        m_measurement.EditFlow().m_abUnavailable[channel] = FALSE;
        CMovingAverageRing& ring = *m_measurement.EditFlow().m_apDisplayRing[channel];
        ring.AddValue(v);
        ring.GetMean(v);
        if (record.iSignInversion == 1)
            v *= -1.0;
        v -= m_measurement.Flow().m_adTare[channel];
        int pair = 0;
        const bool angle = IsAngleChannel(channel, pair);
        if (angle && ChanState_IsChannelPhase2(pair))
            v -= m_measurement.Flow().m_adAngleZero[pair];
        COM_SetChannelValue(channel, v);
        m_measurement.EditFlow().m_abTakenInSet[channel] = TRUE;
        CheckTriggerThresholds(channel);
        if (angle && m_measurement.Flow().m_aucAngleZeroRequest[pair] != 0 &&
            ChanState_IsChannelPhase1(pair)) {
            m_measurement.TakeAngleZero(pair, v);
            COM_SetChannelValue(channel, 0.0);
            ChanState_SetChannelPhase(pair, 2);
        }
    }
    const double v = m_adValue[channel];
    COM_WidenExtremes(channel);
    // The extremes follow the value field whenever it is written, ready or not: neither ever
    // shows less than the value beside it.
    bool valueShown = false;
    if (!extremesOnly && v != m_measurement.Flow().m_adShownValue[channel] &&
        ready(IFlowChannelView::kValueField)) {
        m_measurement.EditFlow().m_adShownValue[channel] = v;
        view->ShowActualValue(text(v));
        valueShown = true;
    }
    if (m_adMaximum[channel] != m_measurement.Flow().m_adShownMaximum[channel] &&
        (valueShown || ready(IFlowChannelView::kMaxField))) {
        m_measurement.EditFlow().m_adShownMaximum[channel] = m_adMaximum[channel];
        view->ShowMaxValue(text(m_adMaximum[channel]));
    }
    if (m_adMinimum[channel] != m_measurement.Flow().m_adShownMinimum[channel] &&
        (valueShown || ready(IFlowChannelView::kMinField))) {
        m_measurement.EditFlow().m_adShownMinimum[channel] = m_adMinimum[channel];
        view->ShowMinValue(text(m_adMinimum[channel]));
    }
    if (m_measurement.Flow().m_adTare[channel] != m_measurement.Flow().m_adShownTare[channel] &&
        ready(IFlowChannelView::kTareField)) {
        m_measurement.EditFlow().m_adShownTare[channel] = m_measurement.Flow().m_adTare[channel];
        view->ShowTaraValue(text(m_measurement.Flow().m_adTare[channel]));
    }
}

void CMainFrame::ShowChannelTexts(int channel) {
    IFlowChannelView* view = FlowChannelView(channel);
    if (view == nullptr)
        return;
    const int decimals = RecordOfChannel(channel).iDecimals;
    if (m_measurement.Flow().m_abUnavailable[channel]) {
        view->ShowActualValue(kNotAvailable);
        return;
    }
    m_measurement.EditFlow().m_adShownValue[channel] = m_adValue[channel];
    m_measurement.EditFlow().m_adShownMaximum[channel] = m_adMaximum[channel];
    m_measurement.EditFlow().m_adShownMinimum[channel] = m_adMinimum[channel];
    m_measurement.EditFlow().m_adShownTare[channel] = m_measurement.Flow().m_adTare[channel];
    view->ShowActualValue(FormatDecimal(m_adValue[channel], decimals, -1));
    view->ShowMaxValue(FormatDecimal(m_adMaximum[channel], decimals, -1));
    view->ShowMinValue(FormatDecimal(m_adMinimum[channel], decimals, -1));
    view->ShowTaraValue(FormatDecimal(m_measurement.Flow().m_adTare[channel], decimals, -1));
}

void CMainFrame::RedisplayChannel(int channel, const MeasuredValueSet& values) {
    if (channel < 0 || channel >= COM_CHANNELS)
        return;
    ChannelRecord& record = RecordOfChannel(channel);
    double v = 0.0;
    bool usable = true;
    if (channel < 4) {
        v = values.alRaw[channel] * m_adUnitFactor[channel];
        if (record.iSignInversion == 1)
            v *= -1.0;
        v -= m_measurement.Flow().m_adTare[channel];
    } else {
        usable = ComputePowerValue(channel, v);
        if (usable) {
            if (record.iSignInversion == 1)
                v *= -1.0;
            v -= m_measurement.Flow().m_adTare[channel];
        }
    }
    m_measurement.EditFlow().m_abUnavailable[channel] = usable && std::isfinite(v) ? FALSE : TRUE;
    if (!m_measurement.Flow().m_abUnavailable[channel])
        COM_RestartChannelValue(channel, v);
    ShowChannelTexts(channel);
}

void CMainFrame::SetActiveChannelsAB(int selection) {
    m_measurement.SetActiveChannelsAB(selection);
}

void CMainFrame::SetActiveSensorChannels(const BOOL flags[4]) {
    m_measurement.SetActiveSensorChannels(flags);
}

// The channels the open sensors deliver take part in the flow: with one sensor the channels its
// long status reports connected (both when it reports none), with several channel A of each.
void CMainFrame::ActivateOpenSensorChannels() {
    BOOL flags[4] = {};
    if (m_iNumberOfSensors > 1) {
        for (int sensor = 0; sensor < std::min(m_iNumberOfSensors, 4); ++sensor)
            flags[sensor] = TRUE;
        SetActiveSensorChannels(flags);
        return;
    }
    const bool onlyA = ChanState_IsChannelAConnected() && !ChanState_IsChannelBConnected();
    const bool onlyB = ChanState_IsChannelBConnected() && !ChanState_IsChannelAConnected();
    flags[0] = !onlyB;
    flags[1] = !onlyA;
    SetActiveSensorChannels(flags);
    SetActiveChannelsAB(onlyA ? 1 : onlyB ? 2 : 0);
}

void CMainFrame::RefreshDerivedChannelActive(int derived) {
    if (derived == 0 || derived == 1)
        m_measurement.SetPowerChannelActive(derived, ChanState_IsPowerChannelOn(derived));
}

void CMainFrame::COM_ShowMessage(const CString& text) {
    AfxMessageBox(text, MB_OK);
}

void CMainFrame::PostFlowMessage(const CString& text) {
    m_astrFlowMessages.push_back(text);
    if (m_hWnd != nullptr)
        PostMessage(WM_FLOW_MESSAGE);
}

LRESULT CMainFrame::OnFlowMessage(WPARAM, LPARAM) {
    if (m_astrFlowMessages.empty())
        return 0;
    const CString text = m_astrFlowMessages.front();
    m_astrFlowMessages.pop_front();
    AfxMessageBox(text, MB_OK);
    return 0;
}
