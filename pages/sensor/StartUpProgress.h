// The arithmetic of the start-up search's progress: the position of the bar, the value it
// shows (quick up to the half, slowing towards the end) and the value of the port row being
// probed. No window: the start-up window draws what this computes.
#pragma once

class StartUpProgress {
  public:
    static constexpr int kSubStepsPerPort = 29;
    static constexpr int kPresetSubSteps = 15;

    // A new search over portCount ports; no ports leaves every step at 0.
    void Start(int portCount);
    // The search reached port index (counting down from portCount - 1 to 0).
    void ReachPort(int port);
    // kind 0: one sub-step of the current port; 1: one whole port step.
    void Advance(int kind);
    void PresetSubSteps() { m_iSubSteps = kPresetSubSteps; }

    int Position() const { return m_iPosition; }
    int PortCount() const { return m_iPortCount; }
    int SubSteps() const { return m_iSubSteps; }
    // The value of the previous port's row once the search moved on: position x ports, at most 100.
    int FinishedRowValue() const;
    // The value the bar shows for the current position.
    int DisplayedValue() const { return DisplayedValueOf(m_iPosition); }
    // The value of the current port's row after its sub-steps.
    int RowValue(int row) const { return RowValueOf(m_iSubSteps, row); }

    // Positions up to 50 show as they are, above that 50 + sqrt(2500 - (100 - p)^2): the
    // position is held to 0..100 first, so the square root never sees a negative number.
    static int DisplayedValueOf(int position);
    static int RowValueOf(int subSteps, int row);

  private:
    int m_iPortCount = 0;
    int m_iPosition = 0;
    double m_dSubStepWidth = 0.0;
    double m_dPortStep = 0.0;
    int m_iPortCounter = 0;
    int m_iSubSteps = 0;
};
