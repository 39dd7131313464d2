#include "pages/measurement/MeasureRunLogic.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace measure_run {

namespace {

bool IsCountStop(int stopCode) {
    return stopCode == 7 || stopCode == 8;
}

CString Number(double value, char decimalSeparator) {
    char text[64];
    std::snprintf(text, sizeof(text), "%g", value);
    CString number = text;
    number.Replace('.', decimalSeparator);
    return number;
}

}  // namespace

int PointsPerCurve(int stopCode, double stopCount) {
    double points = kMinPoints;
    if (IsCountStop(stopCode) && std::isfinite(stopCount))
        points = std::max(points, std::trunc(stopCount));
    return static_cast<int>(std::min(points, static_cast<double>(kMaxPoints)));
}

double MaxDuration(int allocatedPoints, double intervalSeconds) {
    // The first point's time is 0: the last one the store holds comes at (points - 1) intervals.
    return allocatedPoints > 1 && intervalSeconds > 0 ? (allocatedPoints - 1) * intervalSeconds
                                                      : 0.0;
}

bool CountStopBeyondStorage(int stopCode, double stopCount, int allocatedPoints) {
    return IsCountStop(stopCode) && std::trunc(stopCount) > allocatedPoints;
}

CString MonitorText(const CString& check, double value, char comparison, char hysteresisSign,
                    double level, double hysteresis, const CString& armedText,
                    char decimalSeparator) {
    CString text;
    text.Format("%s: %s %c %s (%c%s) %s", check.GetString(),
                Number(value, decimalSeparator).GetString(), comparison,
                Number(level, decimalSeparator).GetString(), hysteresisSign,
                Number(hysteresis, decimalSeparator).GetString(), armedText.GetString());
    return text;
}

bool MonitorThrottle::Offer(uint64_t nowMs) {
    if (!m_bShown || nowMs - m_lastShownMs >= kPeriodMs) {
        m_bShown = true;
        m_lastShownMs = nowMs;
        m_bPending = false;
        return true;
    }
    m_bPending = true;
    return false;
}

bool MonitorThrottle::Flush(uint64_t nowMs) {
    if (!m_bPending || nowMs - m_lastShownMs < kPeriodMs)
        return false;
    m_bPending = false;
    m_lastShownMs = nowMs;
    return true;
}

bool MonitorThrottle::Offer(const CString& text, uint64_t nowMs) {
    if (Offer(nowMs))
        return true;
    m_strPending = text;
    return false;
}

bool MonitorThrottle::Flush(uint64_t nowMs, CString& text) {
    if (!Flush(nowMs))
        return false;
    text = m_strPending;
    return true;
}

void RunLifetime::Begin(bool triggered) {
    m_bRunning = true;
    m_bTriggered = triggered;
    m_bRearmTaken = false;
}

bool RunLifetime::End() {
    if (!m_bRunning)
        return false;
    m_bRunning = false;
    return true;
}

bool RunLifetime::TakeRearm(bool triggerOn, bool repeatChecked, int storageSelection,
                            bool exportComplete) {
    if (m_bRunning || m_bRearmTaken || !m_bTriggered)
        return false;
    if (!triggerOn || !repeatChecked || storageSelection < 0 || !exportComplete)
        return false;
    m_bRearmTaken = true;
    return true;
}

bool FinishNow(bool engineAtRest, uint64_t waitedMs) {
    return engineAtRest || waitedMs >= kFinishWaitLimitMs;
}

}  // namespace measure_run
