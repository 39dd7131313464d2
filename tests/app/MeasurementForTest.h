// A test's one way to write the measurement state, of a frame or on its own: its groups, to set
// up a case the operations do not reach directly. Reading goes through the const views.
#pragma once

#include "app/MainFrame.h"
#include "app/flow/MeasurementState.h"

class MeasurementForTest {
  public:
    explicit MeasurementForTest(CMainFrame& frame) : m_state(frame.m_measurement) {}
    explicit MeasurementForTest(CMeasurementState& state) : m_state(state) {}

    CMeasurementState& State() { return m_state; }
    CMeasurementState::FlowGroup& Flow() { return m_state.EditFlow(); }
    CMeasurementState::TriggerGroup& Triggers() { return m_state.EditTriggers(); }
    CMeasurementState::RecordingGroup& Recording() { return m_state.EditRecording(); }
    CMeasurementState::FileGroup& Files() { return m_state.EditFiles(); }

  private:
    CMeasurementState& m_state;
};
