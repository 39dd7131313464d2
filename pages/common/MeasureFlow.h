// What the measured-value flow, the recording, the exports, the log and the channel set-up ask of
// the views and pages. Each view or page implements its interface; the frame finds it on the
// registered window (a window that does not implement it yet is asked nothing), tests put fakes.
#pragma once

#include <cstdint>
#include <vector>

#include "pages/common/RecordedCurves.h"
#include "platform/base/CString.h"

// A digital channel view: its four value fields, each written only while it says it is ready.
class IFlowChannelView {
  public:
    enum Field { kValueField = 0, kTareField = 1, kMinField = 2, kMaxField = 3 };
    virtual ~IFlowChannelView() = default;
    virtual BOOL IsFieldReady(int field) const = 0;
    virtual void ShowActualValue(const CString& text) = 0;
    virtual void ShowTaraValue(const CString& text) = 0;
    virtual void ShowMinValue(const CString& text) = 0;
    virtual void ShowMaxValue(const CString& text) = 0;
    virtual BOOL IsViewVisible() const = 0;
};

// The value formatter's best-unit mode: the unit index and decimals that suit a value text of a
// channel of the given quantity letter (false when it finds none).
class IFlowBestUnit {
  public:
    virtual ~IFlowBestUnit() = default;
    virtual BOOL FindBestUnit(const CString& valueText, char quantityLetter, int& unitIndex,
                              int& decimals) = 0;
};

// Why the diagram's store took or refused a point.
enum class DiagramAddResult { Stored, NotReady, Full, OutOfMemory };

// The diagram view and its curve store; exports read the recording through its IRecordedCurves
// part.
class IFlowDiagram : public IRecordedCurves {
  public:
    virtual ~IFlowDiagram() = default;
    // Rounds its own copy; time is -1.0 on entry and receives the point's time in time mode.
    virtual DiagramAddResult AddMeasuredValues(const double values[6], BOOL multiSensor,
                                               const BOOL active[6], int selectionAB,
                                               double& time) = 0;
    virtual int GetMaxCountOfValues() const = 0;
    virtual void UpdateDiagram(int reason) = 0;
    // CAFormDiagram::TIMER_REDRAW, the live redraw.
    virtual void StopLiveTimer() = 0;
    virtual double GetLastValue(int channel) const = 0;
    virtual void SaveDiagramToDocumentation() = 0;
    // CAFormDiagram::TIMER_SAVE_AS: the bitmap goes to the frame's diagram file name.
    virtual void ArmSaveAsTimer() = 0;
    // CAFormDiagram::TIMER_PRINT: the picture is captured into the frame's temporary bitmap, then
    // printed.
    virtual void ArmPrintTimer() {}
};

// The measure-and-diagram page (the measurement panel).
class IFlowMeasurePanel {
  public:
    virtual ~IFlowMeasurePanel() = default;
    virtual BOOL IsRunning() const = 0;    // settings byte 0
    virtual BOOL IsTriggerOn() const = 0;  // settings byte 1
    virtual void SetTriggerStart(BYTE marker) = 0;
    virtual void StartMeasurement() = 0;
    virtual void OnBnClickedStop() = 0;
    virtual void CheckTriggerThreshold(int startStop, int direction, double value, char comparison,
                                       char hysteresisSign, double level, double hysteresis,
                                       BYTE armed) = 0;
    virtual double GetMaxDuration() const = 0;
    // CDlgMeasureDiagram::TIMER_FINISH at 1000 ms, and the Stop button (IDC_MD_STOP).
    virtual void ArmDurationStopTimer() = 0;
    virtual void EnableStopButton(BOOL enable) = 0;
    virtual BOOL IsAutoTriggerRepeat() const = 0;  // check box IDC_MD_REPEAT
    virtual BOOL IsDropLastRow() const = 0;
    virtual BYTE GetResultByte(int criterion) const = 0;  // 0 = not passed
    virtual void RunAfterStopActions() = 0;
    virtual void OnMeasurementEnded() = 0;
    virtual void OnSensorDisconnected() = 0;
    virtual void TriggerEvent(int code) = 0;
};

// The documentation page: separators, file names, the texts around the rows.
class IFlowDocumentation {
  public:
    virtual ~IFlowDocumentation() = default;
    virtual int GetDecimalSeparatorLanguage() const = 0;  // 1000 for '.', else 0
    virtual CString GetLineEndText() const = 0;
    virtual CString GetColumnSeparatorText() const = 0;
    virtual int GetMeasuredValueStorageMode() const = 0;  // 0 none, 1 indexed, 2 constant
    virtual int GetResultStorageMode() const = 0;
    virtual int GetDiagramStorageMode() const = 0;
    virtual int GetStorageSelection() const = 0;
    virtual BOOL ShowsUnits() const = 0;
    // Kind 0 measured values, 1 results.
    virtual CString GetTargetDirectory(int kind) const = 0;
    // The automatic name without extension; constant selects the constant variant.
    virtual CString GetAutoFileName(int kind, BOOL constant) const = 0;
    virtual void MakeAutoFileNames(int mode) = 0;
    virtual CString BuildMeasurementInfoHeader(int kind) = 0;
    virtual CString BuildStopInfoText() = 0;
    // The measurement of the current header has ended: its stop block tells this moment.
    virtual void NoteMeasurementStop() {}
    virtual CString BuildIoNioResultText() = 0;
    virtual CString GetCurrentHeaderText() const = 0;
    virtual BOOL CheckAutoSaveSettings() = 0;
    // The texts of the printed diagram's header band: the headline on one line, the address and
    // the comment line by line. Without a documentation page they are empty.
    virtual CString GetPrintHeadline() const { return ""; }
    virtual std::vector<CString> GetPrintAddressLines() const { return {}; }
    virtual std::vector<CString> GetPrintCommentLines() const { return {}; }
    // The automatic diagram save: its folder, the file name (a full path) that
    // MakeAutoFileNames(1) renews, and the export size mode (0..4) of the picture.
    virtual CString GetDiagramTargetDirectory() const { return ""; }
    virtual CString GetAutoDiagramFileName() const { return ""; }
    virtual int GetExportSizeMode() const { return 2; }
};

// The measure configuration page: trigger conditions, axes, judged measurands.
class IFlowMeasureConfig {
  public:
    virtual ~IFlowMeasureConfig() = default;
    virtual int GetStartCondition() const = 0;
    virtual int GetStopCondition() const = 0;
    virtual double GetStartLevel() const = 0;
    virtual double GetStopLevel() const = 0;
    virtual double GetStartHysteresis() const = 0;
    virtual double GetStopHysteresis() const = 0;
    virtual int GetStartDirection() const = 0;
    virtual int GetStopDirection() const = 0;
    virtual int64_t GetStartDateTime() const = 0;
    virtual double GetStopCount() const = 0;
    // A channel's diagram axis entry when its enable byte is set, else 0.
    virtual int GetAxisAssignment(int channel) const = 0;
    virtual int GetChannelCount() const = 0;
    virtual BOOL CheckIoNioMode(int kind) const = 0;
    // The judged measurand of criterion 0/1 (a channel index) and its maximum, -1 when none.
    virtual int GetJudgedMeasurand(int criterion) const = 0;
    virtual double GetJudgedMaximum(int criterion) const = 0;
    // The unit beside criterion 0/1's limits (IDC_ADJ_UNIT_LABEL_1 and the other).
    virtual CString GetJudgedUnitLabel(int criterion) const = 0;
    virtual BOOL IsChannelChecked(int channel) const = 0;  // the A and B check boxes
};

// The connection page's port list.
class IFlowPortList {
  public:
    virtual ~IFlowPortList() = default;
    virtual int GetRowCount() const = 0;
    virtual CString GetRowText(int row) const = 0;
};
