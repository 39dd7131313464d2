// The measurement panel's decisions apart from its window: how many points a measurement may
// store and how long it may run, when the trigger monitor is rewritten, that a measurement ends
// once, and when a finished triggered measurement re-arms the trigger.
#pragma once

#include <cstdint>

#include "platform/base/CString.h"

namespace measure_run {

constexpr int kMinPoints = 10000;
constexpr int kMaxPoints = 1000000;

// Points per curve asked of the curve store: the larger of 10,000 and a set stop count, at
// most 1,000,000. stopCode 7 and 8 are the count stops.
int PointsPerCurve(int stopCode, double stopCount);
// The longest a measurement may run: the time of the last point the store holds, the first at 0.
double MaxDuration(int allocatedPoints, double intervalSeconds);
// True when a count stop asks for more rows than the store gave: the duration limits instead.
bool CountStopBeyondStorage(int stopCode, double stopCount, int allocatedPoints);

// The trigger monitor's text: "Start|Stop: value cmp level (sign hyst) armed|not armed", given
// the texts of the check ("Start" or "Stop") and of its armed state.
CString MonitorText(const CString& check, double value, char comparison, char hysteresisSign,
                    double level, double hysteresis, const CString& armedText,
                    char decimalSeparator);

// Rewrites the monitor at most every 100 ms and always ends with the last state: a text offered
// too early waits until Flush finds it due.
class MonitorThrottle {
  public:
    static constexpr uint64_t kPeriodMs = 100;
    // True when the text is to be shown now.
    bool Offer(const CString& text, uint64_t nowMs);
    // The waiting text when it is due (true), else false.
    bool Flush(uint64_t nowMs, CString& text);
    // The same for a state the caller keeps itself and turns into text only when it is shown:
    // true when the newest state is to be shown now.
    bool Offer(uint64_t nowMs);
    bool Flush(uint64_t nowMs);

  private:
    bool m_bShown = false;
    uint64_t m_lastShownMs = 0;
    bool m_bPending = false;
    CString m_strPending;
};

// One measurement's life: begun once accepted, ended exactly once whichever path ends it.
class RunLifetime {
  public:
    void Begin(bool triggered);
    // True for the first end of the current measurement only.
    bool End();
    bool IsRunning() const { return m_bRunning; }
    bool WasTriggered() const { return m_bTriggered; }
    // A triggered measurement re-arms once, when the repeat box is checked, the storage is set up
    // and its export completed.
    bool TakeRearm(bool triggerOn, bool repeatChecked, int storageSelection, bool exportComplete);

  private:
    bool m_bRunning = false;
    bool m_bTriggered = false;
    bool m_bRearmTaken = true;
};

// CDlgMeasureDiagram::TIMER_FINISH waits for the engine to be at rest, but no longer than 10 s.
constexpr uint64_t kFinishWaitLimitMs = 10000;
bool FinishNow(bool engineAtRest, uint64_t waitedMs);

}  // namespace measure_run
