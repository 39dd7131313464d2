// The start and stop triggers: a threshold with hysteresis on one channel, at once (the first
// value set), at a date and time, or after a number of values. Checked for every processed value
// inside the flow; a threshold on a sensor channel starts unarmed, so a value already past the
// level never fires at once, while one on a computed power channel starts armed.
#include <algorithm>
#include <cmath>

#include "app/MainFrame.h"
#include "app/flow/TriggerThreshold.h"
#include "platform/base/Time.h"
#include "sensor/ChanState.h"

void CMainFrame::TakeOverStartStopConditions() {
    if (IFlowMeasureConfig* config = FlowMeasureConfig()) {
        m_measurement.SetStartStopConditions(config->GetStartCondition(),
                                             config->GetStopCondition());
    }
}

void CMainFrame::InitTriggerArmedFlags() {
    m_measurement.InitTriggerArmedFlags();
}

void CMainFrame::ArmTriggerCycle() {
    m_measurement.ArmTriggerCycle();
}

void CMainFrame::BeginMeasurement() {
    m_measurement.BeginMeasurement();
    // The run's extremes and counts start afresh as the engine's start makes them, also when a
    // trigger starts it while the engine has long been measuring. A start inside a value set
    // keeps what that set brought so far: it is the run's first.
    for (int channel = 0; channel < COM_CHANNELS; ++channel) {
        const bool taken =
            m_measurement.Flow().m_bInFlow && m_measurement.Flow().m_abTakenInSet[channel];
        COM_StartExtremes(channel, taken);
    }
    COM_ResetValueCounts();
}

void CMainFrame::EndTriggerCycle() {
    m_measurement.EndTriggerCycle();
}

void CMainFrame::CheckTriggerThresholds(int channel) {
    IFlowMeasurePanel* panel = FlowPanel();
    IFlowMeasureConfig* config = FlowMeasureConfig();
    if (panel == nullptr || config == nullptr || !panel->IsTriggerOn())
        return;
    const double v = m_adValue[channel];
    auto takeFirstValue = [this] {
        if (m_measurement.Triggers().m_ucFirstValuePending != 0) {
            COM_ShowNextValueSet();
            m_measurement.EditTriggers().m_ucFirstValuePending = 0;
        }
    };
    auto check = [&](int startStop, int direction, double level, double hysteresis, BYTE& armed) {
        if (m_iMeasureRateIndex > 2 && (direction == 0 || direction == 1))
            panel->CheckTriggerThreshold(startStop, direction, v, direction == 0 ? '<' : '>',
                                         direction == 0 ? '-' : '+', level, hysteresis, armed);
        return CheckThreshold(direction, v, level, hysteresis, armed);
    };
    const bool started = m_measurement.Triggers().m_bMeasurementStarted != FALSE;
    // Only a cycle the Trigger button armed waits for its start: after a triggered run, a value
    // set of a TARA or of the page's single shot starts nothing, with or without the engine.
    const bool waiting = !started && m_measurement.Flow().m_bWaitingForTrigger;
    if (m_measurement.Triggers().m_iStartCondition == channel + 1 && waiting) {
        takeFirstValue();
        if (check(0, config->GetStartDirection(), config->GetStartLevel(),
                  config->GetStartHysteresis(), m_measurement.EditTriggers().m_ucStartArmed))
            RunStartEvent();
        return;
    }
    if (m_measurement.Triggers().m_iStopCondition == channel + 1 && started) {
        if (check(1, config->GetStopDirection(), config->GetStopLevel(),
                  config->GetStopHysteresis(), m_measurement.EditTriggers().m_ucStopArmed))
            RunStopEvent();
        return;
    }
    // "At once" starts with the first value set after the Trigger press, as a date already
    // passed does: a trigger armed for it must not wait for ever.
    if ((m_measurement.Triggers().m_iStartCondition == 0 ||
         m_measurement.Triggers().m_iStartCondition == 7) &&
        waiting && channel == m_measurement.Flow().m_iFirstChannel) {
        takeFirstValue();
        if (m_measurement.Triggers().m_iStartCondition == 0 ||
            CTime::GetCurrentTime().GetTime() >= config->GetStartDateTime())
            RunStartEvent();
        return;
    }
    if (started && IsStopCountReached())
        RunStopEvent();
}

bool CMainFrame::IsStopCountReached() {
    if (m_measurement.Triggers().m_iStopCondition != 7 &&
        m_measurement.Triggers().m_iStopCondition != 8)
        return false;
    IFlowDiagram* diagram = FlowDiagram();
    IFlowMeasureConfig* config = FlowMeasureConfig();
    if (diagram == nullptr || config == nullptr)
        return false;
    // Compared in floating point: a huge count never overflows, NaN never fires.
    return diagram->GetMaxCountOfValues() >= std::floor(config->GetStopCount());
}

void CMainFrame::RunStartEvent() {
    IFlowMeasurePanel* panel = FlowPanel();
    if (panel == nullptr)
        return;
    panel->SetTriggerStart(m_measurement.Triggers().m_ucTriggerMarker);
    // Started and no longer waiting before the call: a value set arriving inside it does not
    // start a second time.
    m_measurement.StartEventFired();
    panel->StartMeasurement();
    m_measurement.EditTriggers().m_bMeasurementStarted = TRUE;
    ChanState_SetBothChannelPhases(1);
}

void CMainFrame::RunStopEvent() {
    if (IFlowMeasurePanel* panel = FlowPanel())
        panel->OnBnClickedStop();
    m_measurement.StopEventFired();
    COM_ShowNextValueSet();
}
