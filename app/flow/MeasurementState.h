// The state of one measurement as the main frame keeps it: the measured-value flow's per-channel
// values, flags and rings, the start and stop triggers, what the recording prepared for the
// conversion, and the export files with their names. The frame owns one and runs the flow, the
// triggers, the recording and the conversion on it; the operations here are the rules that touch
// nothing but this state. Everyone else reads the groups through their const views.
#pragma once

#include <experimental/propagate_const>
#include <memory>
#include <optional>

#include "app/flow/ExportFile.h"
#include "foundation/MovingAverageRing.h"
#include "pages/common/ChannelRecord.h"
#include "sensor/CComPort.h"
#include "sensor/MeasuredValueSet.h"

class CMainFrame;
class CThreadedConvertFile;
class MeasurementForTest;

class CMeasurementState {
  public:
    // A pointer whose target is as const as the group holding it: the const views reach no ring
    // and no worker to change.
    template <typename Pointer>
    using Owned = std::experimental::propagate_const<Pointer>;

    // ---- Measured-value flow ----
    struct FlowGroup {
        ChannelRecord m_aChannelRecords[COM_CHANNELS];
        int m_iFrameSetting = 1;  // kept 1..9999 by the measure configuration
        // What each view field last received; "nothing shown" (NaN) until it received
        // anything, so that a field never written shows the first value even when it is 0.
        double m_adShownValue[COM_CHANNELS] = {};
        double m_adShownTare[COM_CHANNELS] = {};
        double m_adShownMinimum[COM_CHANNELS] = {};
        double m_adShownMaximum[COM_CHANNELS] = {};
        BOOL m_abUnavailable[COM_CHANNELS] = {};  // a power channel without a usable factor
        double m_adTare[COM_CHANNELS] = {};
        int m_aiTareState[COM_CHANNELS] = {1, 1, 1, 1, 1, 1};  // 1 free, 0 the tare holds
        BOOL m_bChannelActive[COM_CHANNELS] = {};
        int m_iSelectionAB = 0;
        int m_iFirstChannel = 0;
        BOOL m_bStopReached = FALSE;
        BOOL m_bRecordingClosed = TRUE;
        BOOL m_bWaitingForTrigger = FALSE;
        BOOL m_bValueRecorded = FALSE;      // the curve store took a value set of this run
        BOOL m_bLastSetUnrecorded = FALSE;  // the run's latest value set is not in the store
        // Channels the value set under way has brought so far (a start inside it keeps them).
        BOOL m_abTakenInSet[COM_CHANNELS] = {};
        BYTE m_aucAngleZeroRequest[2] = {};
        double m_adAngleZero[2] = {};
        bool m_bInFlow = false;
        std::optional<MeasuredValueReason> m_lastFlowReason;  // the reason of the last flow run
        int m_aiAverageCounter[7] = {1, 1, 1, 1, 1, 1, 1};
        int m_iDefaultDiagramLength = 1;
        Owned<std::unique_ptr<CMovingAverageRing>> m_apDiagramRing[7];
        Owned<std::unique_ptr<CMovingAverageRing>> m_apDisplayRing[COM_CHANNELS];
    };

    // ---- Start and stop triggers ----
    struct TriggerGroup {
        int m_iStartCondition = 0;
        int m_iStopCondition = 0;
        BYTE m_ucStartArmed = 0;
        BYTE m_ucStopArmed = 0;
        BYTE m_ucFirstValuePending = 0;
        BYTE m_ucTriggerMarker = 0;
        BOOL m_bMeasurementStarted = FALSE;
    };

    // ---- Recording ----
    struct RecordingGroup {
        BOOL m_bRecordBufferPresent = FALSE;  // the first value set of the measurement was recorded
        double m_adRecordHead[4] = {};
        BYTE m_ucConversionPending = 0;
        int m_iDecimalLanguage = 0;
        CString m_strLineEnd = "\r\n";
        CString m_strColumnSeparator = ";";
        CString m_astrColumnUnit[COM_CHANNELS];
        int m_aiAxisAssignment[COM_CHANNELS] = {};
        BOOL m_bStoreRefused = FALSE;
    };

    // ---- Conversion and files ----
    struct FileGroup {
        BYTE m_ucDataAvailable = 0;
        Owned<CThreadedConvertFile*> m_pConvertThread =
            nullptr;  // the frame creates and deletes it
        CExportFile m_fileMeasuredValues;
        CExportFile m_fileResults;
        CString m_strManualFileName;
        CString m_strDiagramFileName;
        BYTE m_ucManualSavePending = 0;
        int m_iRowNumber = 0;
        BOOL m_bExportFailed = FALSE;         // the last measurement's file could not be written
        BOOL m_bMeasurementFinished = FALSE;  // FinishMeasurement ran for this measurement
        BYTE m_ucDropLastRow = 0;
        CString m_strDiagramBitmap = "TEMP_DIAGRAM.bmp";
        CString m_strPrintLogoBitmap = "Brevn_TEMP.bmp";
    };

    // Nothing shown yet, every ring of length 1, no channel active.
    CMeasurementState();

    const FlowGroup& Flow() const { return m_flow; }
    const TriggerGroup& Triggers() const { return m_triggers; }
    const RecordingGroup& Recording() const { return m_recording; }
    const FileGroup& Files() const { return m_files; }

    // Every view field counts as showing nothing, so that the next value set writes it even when
    // the value equals what the field held.
    void ForgetShownValues();
    // The A/B selection of one sensor (1 only A, 2 only B, else both) and its first channel.
    void SetActiveChannelsAB(int selection);
    // The active flags of A-D; the first channel is the first active one, -1 when none is.
    void SetActiveSensorChannels(const BOOL flags[4]);
    // Whether the computed power channel P1 (0) or P2 (1) takes part.
    void SetPowerChannelActive(int derived, BOOL active);

    // The Tara button of a channel's view: a free tare comes to hold and a holding one is freed;
    // answers the new lock (1 free, 0 holding; any other value stays as it is).
    int ToggleTareLock(int channel);
    // The tare a channel takes from its value: none while its lock is free.
    void TakeTare(int channel, double value);
    // A channel without tare, its lock free: the first Tara takes the value.
    void FreeTare(int channel);
    // Both angle pairs take their next value in phase 1 as their zero.
    void RequestAngleZero();
    // An angle pair took its zero; the request is done.
    void TakeAngleZero(int pair, double zero);

    // The start and stop conditions of the measure configuration (codes as the page keeps them).
    void SetStartStopConditions(int start, int stop);
    // A threshold on a sensor channel (codes 1-4) waits until the value has been on its far side;
    // every other condition starts out armed.
    void InitTriggerArmedFlags();
    // The Trigger button: a new cycle waits for its own start; its first value set is shown at
    // once and the run it starts is marked as started by the trigger.
    void ArmTriggerCycle();
    // A measurement begins: nothing of the run before counts (its stop, its maxima, what the
    // fields showed).
    void BeginMeasurement();
    // A start event fired: the run is started and no longer waits, so that a value set arriving
    // while it starts does not start it a second time.
    void StartEventFired();
    // A stop event fired: the run is no longer started and its stop is reached.
    void StopEventFired();
    // The panel's Stop: nothing of the cycle remains started.
    void EndTriggerCycle();

    // The curve store took the run's latest value set.
    void ValueSetRecorded();
    // Nothing of the measurement is in the record buffer any more.
    void ForgetRecordBuffer();
    // A measurement sets up its files: no row written yet, the recording open, nothing refused,
    // failed or finished.
    void BeginFiles();
    // A measurement finishes once however many ends reach it: true only for the first.
    bool FinishOnce();
    // The measurement's file could not be written: its values stay for a manual save.
    void ExportFailed();
    // A manual save, its file open, starts from its first row.
    void BeginManualSave();

  private:
    // The frame runs the flow, the triggers, the recording and the conversion on these groups.
    friend class CMainFrame;
    // Tests set up a case through this one accessor (tests/app/MeasurementForTest.h).
    friend class MeasurementForTest;
    FlowGroup& EditFlow() { return m_flow; }
    TriggerGroup& EditTriggers() { return m_triggers; }
    RecordingGroup& EditRecording() { return m_recording; }
    FileGroup& EditFiles() { return m_files; }

    FlowGroup m_flow;
    TriggerGroup m_triggers;
    RecordingGroup m_recording;
    FileGroup m_files;
};
