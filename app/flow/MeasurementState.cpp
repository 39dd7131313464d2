// The rules of a measurement's state that touch nothing but the state: what the fields showed,
// which channels take part, and how a trigger cycle arms, begins and ends.
#include "app/flow/MeasurementState.h"

#include <limits>

CMeasurementState::CMeasurementState() {
    ForgetShownValues();
    for (auto& ring : m_apDiagramRing)
        ring = std::make_unique<CMovingAverageRing>(1);
    for (auto& ring : m_apDisplayRing)
        ring = std::make_unique<CMovingAverageRing>(1);
}

void CMeasurementState::ForgetShownValues() {
    // Nothing equals NaN: every field counts as differing from what it shows.
    const double nothingShown = std::numeric_limits<double>::quiet_NaN();
    for (int channel = 0; channel < COM_CHANNELS; ++channel) {
        m_adShownValue[channel] = m_adShownTare[channel] = nothingShown;
        m_adShownMinimum[channel] = m_adShownMaximum[channel] = nothingShown;
    }
}

void CMeasurementState::SetActiveChannelsAB(int selection) {
    m_iSelectionAB = selection;
    m_iFirstChannel = selection == 2 ? 1 : 0;
}

void CMeasurementState::SetActiveSensorChannels(const BOOL flags[4]) {
    m_iFirstChannel = -1;
    for (int channel = 0; channel < 4; ++channel) {
        m_bChannelActive[channel] = flags[channel];
        if (flags[channel] && m_iFirstChannel < 0)
            m_iFirstChannel = channel;
    }
}

void CMeasurementState::InitTriggerArmedFlags() {
    auto onSensorChannel = [](int condition) { return condition >= 1 && condition <= 4; };
    m_ucStartArmed = onSensorChannel(m_iStartCondition) ? 0 : 1;
    m_ucStopArmed = onSensorChannel(m_iStopCondition) ? 0 : 1;
}

void CMeasurementState::ArmTriggerCycle() {
    m_bMeasurementStarted = FALSE;
    m_ucFirstValuePending = 1;
    m_ucTriggerMarker = 1;
}

void CMeasurementState::BeginMeasurement() {
    // The export asks whether this run saw any value at all; every field shows this run's first
    // value set, whatever a reset left in it.
    m_bMeasurementStarted = TRUE;
    m_bStopReached = FALSE;
    m_bValueRecorded = FALSE;
    m_bLastSetUnrecorded = FALSE;
    ForgetShownValues();
}

void CMeasurementState::EndTriggerCycle() {
    m_bMeasurementStarted = FALSE;
    m_ucTriggerMarker = 0;
}
