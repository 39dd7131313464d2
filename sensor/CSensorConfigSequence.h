// Writes the configuration of every activated sensor when the program closes: the software
// configuration block, and the stator operation block followed by a restart when the low-pass
// filter was changed. Its end sets the sequence-finished flag and state 57 and arms the frame's
// COM_TIMER_CLOSE_AGAIN, whose second close request then completes.
#pragma once

class CComPort;

class CSensorConfigSequence {
  public:
    explicit CSensorConfigSequence(CComPort* owner);
    ~CSensorConfigSequence();
    CSensorConfigSequence(const CSensorConfigSequence&) = delete;
    CSensorConfigSequence& operator=(const CSensorConfigSequence&) = delete;

    void Start();
    bool IsRunning() const { return m_running; }
    // The sensor acknowledged the last write or restart.
    void OnAcknowledged();
    // The sensor refused or did not answer: its remaining writes are skipped.
    void OnFailed();

  private:
    enum class Step { SoftwareConfig, Operation, Restart };
    void Next();
    void Finish();
    bool LowPassPending(int sensor) const;

    CComPort* m_owner;
    bool m_running = false;
    int m_sensor = 0;
    Step m_step = Step::SoftwareConfig;
};
