// Fakes of the measured-value flow's partners: views that count their writes, a curve store
// backed by vectors, a panel, a documentation page and a measure configuration that record what
// the frame asks of them.
#pragma once

#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "pages/common/MeasureFlow.h"

namespace flowtest {

class FakeChannelView : public IFlowChannelView {
  public:
    BOOL IsFieldReady(int field) const override { return ready[field]; }
    void ShowActualValue(const CString& text) override { Show(0, text); }
    void ShowTaraValue(const CString& text) override { Show(1, text); }
    void ShowMinValue(const CString& text) override { Show(2, text); }
    void ShowMaxValue(const CString& text) override { Show(3, text); }
    BOOL IsViewVisible() const override { return visible; }
    void Show(int field, const CString& text) {
        texts[field] = text;
        ++writes[field];
    }
    BOOL ready[4] = {TRUE, TRUE, TRUE, TRUE};
    BOOL visible = TRUE;
    CString texts[4];  // value, tare, minimum, maximum
    int writes[4] = {};
};

// Curve c belongs to channel c; time mode with a 1 s interval.
class FakeDiagram : public IFlowDiagram {
  public:
    DiagramAddResult AddMeasuredValues(const double values[6], BOOL, const BOOL active[6], int,
                                       double& time) override {
        ++calls;
        if (refuse != DiagramAddResult::Stored)
            return refuse;
        for (int c = 0; c < 6; ++c) {
            last[c] = active[c] ? values[c] : 8888888888.0;
            if (active[c]) {
                x[c].push_back(clock);
                y[c].push_back(values[c]);
            }
        }
        time = clock;
        clock += interval;
        return DiagramAddResult::Stored;
    }
    int GetMaxCountOfValues() const override {
        size_t n = 0;
        for (const auto& curve : y)
            n = std::max(n, curve.size());
        return static_cast<int>(n);
    }
    void UpdateDiagram(int reason) override { lastUpdateReason = reason; }
    void StopLiveTimer() override { ++timerStops; }
    double GetLastValue(int channel) const override { return last[channel]; }
    int GetCurveOfChannel(int channel) const override {
        return channel >= 0 && channel < 6 ? channel : -1;
    }
    int GetPointCount(int curve) const override { return static_cast<int>(y[curve].size()); }
    double GetPointX(int curve, int index) const override { return x[curve][index]; }
    double GetPointY(int curve, int index) const override { return y[curve][index]; }
    void SaveDiagramToDocumentation() override {
        ++saves;
        if (onSave)
            onSave();
    }
    void ArmSaveAsTimer() override {}
    void Fill(int curve, std::vector<double> values) {
        y[curve] = std::move(values);
        x[curve].clear();
        for (size_t i = 0; i < y[curve].size(); ++i)
            x[curve].push_back(static_cast<double>(i));
    }

    std::vector<double> x[6], y[6];
    double last[6] = {};
    double clock = 0.0;
    double interval = 1.0;
    DiagramAddResult refuse = DiagramAddResult::Stored;
    int calls = 0;
    int lastUpdateReason = -1;
    int timerStops = 0;
    int saves = 0;
    std::function<void()> onSave;
};

class FakePanel : public IFlowMeasurePanel {
  public:
    BOOL IsRunning() const override { return running; }
    BOOL IsTriggerOn() const override { return triggerOn; }
    void SetTriggerStart(BYTE marker) override {
        events.push_back("marker" + std::to_string(marker));
    }
    void StartMeasurement() override {
        events.push_back("start");
        ++starts;
        if (onStart)
            onStart();
    }
    void OnBnClickedStop() override {
        events.push_back("stop");
        ++stops;
        running = FALSE;
    }
    void CheckTriggerThreshold(int, int, double, char, char, double, double, BYTE) override {}
    double GetMaxDuration() const override { return maxDuration; }
    void ArmDurationStopTimer() override { ++durationTimers; }
    void EnableStopButton(BOOL enable) override { stopEnabled = enable; }
    BOOL IsAutoTriggerRepeat() const override { return autoRepeat; }
    BOOL IsDropLastRow() const override { return FALSE; }
    BYTE GetResultByte(int criterion) const override { return result[criterion]; }
    void RunAfterStopActions() override { events.push_back("afterStop"); }
    void OnMeasurementEnded() override { ++ended; }
    void OnSensorDisconnected() override { ++disconnects; }
    void TriggerEvent(int) override { ++triggerEvents; }

    BOOL running = TRUE;
    BOOL triggerOn = FALSE;
    BOOL autoRepeat = FALSE;
    BOOL stopEnabled = TRUE;
    double maxDuration = 0.0;
    BYTE result[2] = {1, 1};
    std::vector<std::string> events;
    std::function<void()> onStart;
    int starts = 0, stops = 0, durationTimers = 0, ended = 0, disconnects = 0, triggerEvents = 0;
};

class FakeDocumentation : public IFlowDocumentation {
  public:
    int GetDecimalSeparatorLanguage() const override { return decimalLanguage; }
    CString GetLineEndText() const override { return lineEnd; }
    CString GetColumnSeparatorText() const override { return separator; }
    int GetMeasuredValueStorageMode() const override { return valueMode; }
    int GetResultStorageMode() const override { return resultMode; }
    int GetDiagramStorageMode() const override { return diagramMode; }
    int GetStorageSelection() const override { return valueMode; }
    BOOL ShowsUnits() const override { return units; }
    CString GetTargetDirectory(int kind) const override { return kind == 0 ? valueDir : resultDir; }
    CString GetAutoFileName(int kind, BOOL constant) const override {
        return (kind == 0 ? valueDir : resultDir) + (constant ? "/constant" : "/indexed");
    }
    void MakeAutoFileNames(int) override { ++nameRenewals; }
    CString BuildMeasurementInfoHeader(int kind) override {
        return kind == 0 ? "HEAD\n" : "RHEAD\n";
    }
    CString BuildStopInfoText() override {
        if (onStop)
            onStop();
        return "STOP\n";
    }
    CString BuildIoNioResultText() override { return "RESULT\n"; }
    CString GetCurrentHeaderText() const override { return "MANUAL\n"; }
    BOOL CheckAutoSaveSettings() override { return TRUE; }

    int decimalLanguage = 0;
    CString lineEnd = "\r\n";
    CString separator = ";";
    int valueMode = 2;
    int resultMode = 0;
    int diagramMode = 0;
    BOOL units = TRUE;
    CString valueDir, resultDir;
    int nameRenewals = 0;
    std::function<void()> onStop;  // while the file is still being written
};

class FakeMeasureConfig : public IFlowMeasureConfig {
  public:
    int GetStartCondition() const override { return startCondition; }
    int GetStopCondition() const override { return stopCondition; }
    double GetStartLevel() const override { return startLevel; }
    double GetStopLevel() const override { return stopLevel; }
    double GetStartHysteresis() const override { return startHysteresis; }
    double GetStopHysteresis() const override { return stopHysteresis; }
    int GetStartDirection() const override { return startDirection; }
    int GetStopDirection() const override { return stopDirection; }
    int64_t GetStartDateTime() const override { return startTime; }
    double GetStopCount() const override { return stopCount; }
    int GetAxisAssignment(int channel) const override { return channel == 0 ? 1 : 0; }
    int GetChannelCount() const override { return channelCount; }
    BOOL CheckIoNioMode(int kind) const override { return kind == ioNioMode; }
    int GetJudgedMeasurand(int criterion) const override { return measurand[criterion]; }
    double GetJudgedMaximum(int criterion) const override { return maximum[criterion]; }
    CString GetJudgedUnitLabel(int) const override { return "N·m"; }
    BOOL IsChannelChecked(int channel) const override { return channel == 0; }

    int startCondition = 0, stopCondition = 0;
    double startLevel = 0, stopLevel = 0, startHysteresis = 0, stopHysteresis = 0;
    int startDirection = 0, stopDirection = 0;
    int64_t startTime = 0;
    double stopCount = 0;
    int channelCount = 2;
    int ioNioMode = 0;
    int measurand[2] = {-1, -1};
    double maximum[2] = {-1e99, -1e99};
};

}  // namespace flowtest
