// The rules of a measurement's state that touch nothing but the state: what the fields showed,
// which channels take part, the tare, how a trigger cycle arms, begins and ends, and the files'
// state over a measurement.
#include "app/flow/MeasurementState.h"

#include <algorithm>
#include <iterator>
#include <limits>

CMeasurementState::CMeasurementState() {
    ForgetShownValues();
    for (auto& ring : m_flow.m_apDiagramRing)
        ring = std::make_unique<CMovingAverageRing>(1);
    for (auto& ring : m_flow.m_apDisplayRing)
        ring = std::make_unique<CMovingAverageRing>(1);
}

void CMeasurementState::ForgetShownValues() {
    // Nothing equals NaN: every field counts as differing from what it shows.
    const double nothingShown = std::numeric_limits<double>::quiet_NaN();
    for (int channel = 0; channel < COM_CHANNELS; ++channel) {
        m_flow.m_adShownValue[channel] = m_flow.m_adShownTare[channel] = nothingShown;
        m_flow.m_adShownMinimum[channel] = m_flow.m_adShownMaximum[channel] = nothingShown;
    }
}

void CMeasurementState::SetActiveChannelsAB(int selection) {
    m_flow.m_iSelectionAB = selection;
    m_flow.m_iFirstChannel = selection == 2 ? 1 : 0;
}

void CMeasurementState::SetActiveSensorChannels(const BOOL flags[4]) {
    m_flow.m_iFirstChannel = -1;
    for (int channel = 0; channel < 4; ++channel) {
        m_flow.m_bChannelActive[channel] = flags[channel];
        if (flags[channel] && m_flow.m_iFirstChannel < 0)
            m_flow.m_iFirstChannel = channel;
    }
}

void CMeasurementState::SetPowerChannelActive(int derived, BOOL active) {
    m_flow.m_bChannelActive[CHANNEL_P1 + derived] = active;
}

int CMeasurementState::ToggleTareLock(int channel) {
    int& lock = m_flow.m_aiTareState[channel];
    if (lock == 0)
        lock = 1;
    else if (lock == 1)
        lock = 0;
    return lock;
}

void CMeasurementState::TakeTare(int channel, double value) {
    m_flow.m_adTare[channel] = m_flow.m_aiTareState[channel] != 0 ? 0.0 : value;
}

void CMeasurementState::FreeTare(int channel) {
    m_flow.m_adTare[channel] = 0.0;
    m_flow.m_aiTareState[channel] = 1;
}

void CMeasurementState::RequestAngleZero() {
    m_flow.m_aucAngleZeroRequest[0] = m_flow.m_aucAngleZeroRequest[1] = 1;
}

void CMeasurementState::TakeAngleZero(int pair, double zero) {
    m_flow.m_adAngleZero[pair] = zero;
    m_flow.m_aucAngleZeroRequest[pair] = 0;
}

void CMeasurementState::SetStartStopConditions(int start, int stop) {
    m_triggers.m_iStartCondition = start;
    m_triggers.m_iStopCondition = stop;
}

void CMeasurementState::InitTriggerArmedFlags() {
    auto onSensorChannel = [](int condition) { return condition >= 1 && condition <= 4; };
    m_triggers.m_ucStartArmed = onSensorChannel(m_triggers.m_iStartCondition) ? 0 : 1;
    m_triggers.m_ucStopArmed = onSensorChannel(m_triggers.m_iStopCondition) ? 0 : 1;
}

void CMeasurementState::ArmTriggerCycle() {
    m_triggers.m_bMeasurementStarted = FALSE;
    m_triggers.m_ucFirstValuePending = 1;
    m_triggers.m_ucTriggerMarker = 1;
}

void CMeasurementState::BeginMeasurement() {
    // The export asks whether this run saw any value at all; every field shows this run's first
    // value set, whatever a reset left in it.
    m_triggers.m_bMeasurementStarted = TRUE;
    m_flow.m_bStopReached = FALSE;
    m_flow.m_bValueRecorded = FALSE;
    m_flow.m_bLastSetUnrecorded = FALSE;
    ForgetShownValues();
}

void CMeasurementState::StartEventFired() {
    m_triggers.m_bMeasurementStarted = TRUE;
    m_flow.m_bWaitingForTrigger = FALSE;
}

void CMeasurementState::StopEventFired() {
    m_triggers.m_bMeasurementStarted = FALSE;
    m_flow.m_bStopReached = TRUE;
}

void CMeasurementState::EndTriggerCycle() {
    m_triggers.m_bMeasurementStarted = FALSE;
    m_triggers.m_ucTriggerMarker = 0;
}

void CMeasurementState::ValueSetRecorded() {
    m_flow.m_bValueRecorded = TRUE;
    m_flow.m_bLastSetUnrecorded = FALSE;
}

void CMeasurementState::ForgetRecordBuffer() {
    m_recording.m_bRecordBufferPresent = FALSE;
    std::fill(std::begin(m_recording.m_adRecordHead), std::end(m_recording.m_adRecordHead), 0.0);
}

bool CMeasurementState::FinishOnce() {
    if (m_files.m_bMeasurementFinished)
        return false;
    m_files.m_bMeasurementFinished = TRUE;
    return true;
}

void CMeasurementState::BeginFiles() {
    m_files.m_iRowNumber = 0;
    m_flow.m_bRecordingClosed = FALSE;
    m_recording.m_bStoreRefused = FALSE;
    m_files.m_bExportFailed = FALSE;
    m_files.m_bMeasurementFinished = FALSE;
}

void CMeasurementState::ExportFailed() {
    m_files.m_bExportFailed = TRUE;
    m_files.m_ucDataAvailable = 1;
}

void CMeasurementState::BeginManualSave() {
    m_files.m_ucManualSavePending = 1;
    m_files.m_iRowNumber = 0;
    m_files.m_bExportFailed = FALSE;
}
