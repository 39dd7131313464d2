// The measure-and-diagram page (template 138): starts, stops and triggers a measurement after
// preparing the curve store, watches the trigger thresholds, judges the result and shows it on
// the light view, follows the sensor's arrival and loss, and asks a single value set whenever it
// is shown. Its decisions live in MeasureRunLogic and CValidation_IO_NIO; the flow reaches it
// through IFlowMeasurePanel. Files: CDlgMeasureDiagram (texts, buttons, timers, monitor),
// MeasureDiagramRun (start, trigger, stop, end), MeasureDiagramSensor (sensor arrival and loss).
#pragma once

#include <cstdint>

#include "controls/LedButton.h"
#include "controls/WndImage.h"
#include "pages/common/MeasureFlow.h"
#include "pages/common/PageDialog.h"
#include "pages/common/PageLinks.h"
#include "pages/measurement/CValidation_IO_NIO.h"
#include "pages/measurement/MeasureRunLogic.h"

class PageHost;

// The page's settings block: byte 0 running, byte 1 trigger on, then the control state and the
// four run bytes that follow it.
struct MeasureDiagramBlock {
    uint8_t running = 0;
    uint8_t triggerOn = 0;
    uint8_t controlState = 0;
    uint8_t runBytes[4] = {};
};

class CDlgMeasureDiagram : public CPageDialog, public IFlowMeasurePanel, public IMeasurePanelLink {
    DECLARE_DYNAMIC(CDlgMeasureDiagram)
  public:
    enum { IDD = 138 };
    static constexpr UINT TIMER_SENSOR_CHANGED = 19;
    static constexpr UINT TIMER_FINISH = 64;
    static constexpr UINT kFinishPeriodMs = 1000;
    // While shown, the buttons follow the sensor's and the engine's state at this pace.
    static constexpr UINT TIMER_BUTTONS = 65;
    static constexpr UINT kButtonsPeriodMs = 250;
    // A click taken while the engine finishes a request runs when it is at rest, checked at this
    // pace, but no later than the limit.
    static constexpr UINT TIMER_PENDING_CLICK = 66;
    static constexpr UINT kPendingClickPeriodMs = 20;
    static constexpr uint64_t kPendingClickLimitMs = 10000;
    // Shown, the page asks CMainFrame::TIMER_SINGLE_SHOT for a single value set after this long.
    static constexpr UINT kSingleShotDelayMs = 50;
    // Messages of the page wait for its next turn: a start may come from inside the value flow.
    static constexpr UINT WM_PANEL_MESSAGE = WM_USER + 20;
    // The state button: idle, waiting for the trigger, measuring.
    enum { LED_IDLE, LED_WAITING, LED_MEASURING, LED_STATES };

    CDlgMeasureDiagram() = default;
    ~CDlgMeasureDiagram() override;

    BOOL SetLanguageTexts() override;
    // The measuring flag: 1 while a measurement runs.
    BOOL IsMeasuring() const override { return *m_pucMeasuring != 0; }
    // The run bytes read set, clear, clear, set while a measurement is under way.
    BOOL IsRunPatternSet() const {
        const uint8_t* r = m_psMsureDgrm->runBytes;
        return r[0] != 0 && r[1] == 0 && r[2] == 0 && r[3] != 0;
    }
    // A sensor is open and the engine is at rest: Start, Trigger and the single shot may go now.
    BOOL IsSensorReady() const;
    // No run under way and a sensor open: a click on Start, Trigger or the single shot is taken,
    // at once when the engine is at rest, else as soon as it comes to rest. Their buttons are
    // enabled exactly then (and while no click waits).
    BOOL CanTakeClick() const;
    // The buttons and the lamp as the run's, the sensor's and the engine's state has them now.
    void ShowButtons();
    void OnBnClickedStart();
    void OnBnClickedTrigger();
    // Harmless when idle: the engine is stopped and TIMER_FINISH finishes the measurement once the
    // engine is at rest.
    void OnBnClickedStop() override;
    // A measurement under way is finished first (as by Stop, through TIMER_FINISH), which then asks
    // the frame to mark the lost port; the displays show "---".
    void OnSensorDisconnected() override;
    // The channel views' buttons on, the calibration page's controls on, the scale dialog closed
    // unless calibration values wait.
    void OnSensorConnected();
    // The Tara, min Reset and max Reset buttons of the six channel views off, "---" in their
    // four fields.
    void ClearSensorDisplays();
    // One value set from every open sensor, when the dialogue is idle.
    void OnBnClickedSingleShot();
    void SetAroundTrigger(bool on) { m_bAroundTrigger = on; }
    void OnMeasureTick();
    void SetControlSignalState(int state) { m_iControlSignalState = state; }
    BOOL IsControlSignalOn() const override { return m_iControlSignalState == 1; }
    void NoteSensorChanged() override { m_bSensorChanged = TRUE; }
    const CValidation_IO_NIO& Validation() const override { return m_validation; }
    // The P1/P2 check boxes; the switching flag is set while the page itself switches a view.
    void SetPowerCheck(int derived, BOOL checked);

    // What the flow asks.
    BOOL IsRunning() const override { return m_psMsureDgrm->running != 0; }
    BOOL IsTriggerOn() const override { return m_psMsureDgrm->triggerOn != 0; }
    void SetTriggerStart(BYTE marker) override { m_ucTriggerStart = marker; }
    // The trigger start: the run begins without preparing the storage or starting the engine
    // again (both were done when the trigger was armed).
    void StartMeasurement() override;
    void CheckTriggerThreshold(int startStop, int direction, double value, char comparison,
                               char hysteresisSign, double level, double hysteresis,
                               BYTE armed) override;
    double GetMaxDuration() const override { return m_dMaxDuration; }
    void ArmDurationStopTimer() override;
    void EnableStopButton(BOOL enable) override;
    BOOL IsAutoTriggerRepeat() const override;
    BOOL IsDropLastRow() const override { return m_ucDropLastRow != 0; }
    BYTE GetResultByte(int criterion) const override;
    // The judgement, the light (green or red while the evaluation is on) and the stop program.
    void RunAfterStopActions() override;
    // Once per measurement, whichever of the stop and the conversion's end comes first; it
    // hands the diagram to the documentation's automatic save.
    void OnMeasurementEnded() override;
    // Code 0: a finished trigger cycle; re-arms once when the repeat box asks for it.
    void TriggerEvent(int code) override;
    // The storage budget of the next measurement from what the store allocated.
    void SetStorageBudget(int allocatedPoints, double intervalSeconds);

    uint8_t m_ucMeasuring = 0;
    uint8_t* m_pucMeasuring = &m_ucMeasuring;
    MeasureDiagramBlock m_sBlock;
    MeasureDiagramBlock* m_psMsureDgrm = &m_sBlock;
    // The pass/fail judgement of the last measurement.
    CValidation_IO_NIO m_validation;
    BOOL m_abPowerChecked[2] = {};
    BOOL m_bSwitchingPowerView = FALSE;
    bool m_bAroundTrigger = false;
    BOOL m_bSensorChanged = FALSE;  // set by the connection page's Update, taken at the next show
    bool m_bWaitingForTrigger = false;
    UINT m_uPendingClick = 0;  // the button whose click waits for the engine's rest
    uint64_t m_ullPendingSinceMs = 0;
    BYTE m_ucTriggerStart = 0;
    BYTE m_ucDropLastRow = 0;
    double m_dMaxDuration = 0.0;
    int m_iAllocatedPoints = 0;
    int m_iControlSignalState = 0;
    int64_t m_llStartTime = 0, m_llStopTime = 0;
    // Whether the frame's export of the last measurement completed (re-arming waits for it).
    bool m_bExportComplete = true;
    int m_iStopClicks = 0;
    int m_iSingleShots = 0;
    CLedButton m_ledState;
    CWndImage m_picture;

  protected:
    BOOL OnInitDialog() override;
    void OnShowWindow(BOOL bShow, UINT nStatus);
    void OnTimer(UINT_PTR nIDEvent);
    void OnPowerBox(UINT id);
    LRESULT OnPanelMessage(WPARAM, LPARAM);
    // Runs a start or stop program; one that cannot start is reported later, the run goes on.
    void RunProgram(const CString& path);
    // Shown in a box at the page's next turn, never inside the caller.
    void PostPanelMessage(const CString& text);
    DECLARE_MESSAGE_MAP()

  private:
    // The curve store for the next measurement and the curves' channels, on the GUI path; FALSE
    // (reported, status IDS_STATUS_READY) when the store could not be made.
    BOOL PrepareStorage();
    // Start step 3: a pending manual save written, the diagram restarted, averages (not for a
    // triggered run, whose Trigger press restarted them) and angle zero reset, the file set up.
    void PrepareRun(bool triggered);
    void BeginRun(bool triggered);
    // True when the click of the button is to run now; else it waits for the engine's rest
    // (TIMER_PENDING_CLICK) or, when no click can be taken, only the buttons are brought up to
    // date.
    bool TakeClick(UINT id);
    void RunPendingClick();
    void FinishStoppedRun();
    void SetRunBytes(bool underWay);
    void Status(UINT id);
    void SetLightState(int state);
    void EnableChannelViewButtons(BOOL enable);
    const IMeasureConfigLink* Adjust() const;

    measure_run::RunLifetime m_run;
    measure_run::MonitorThrottle m_monitor;
    // The newest threshold check; its text is made only when the monitor shows it.
    struct MonitorCheck {
        int startStop = 0;
        double value = 0.0;
        char comparison = '<';
        char hysteresisSign = '-';
        double level = 0.0;
        double hysteresis = 0.0;
        BYTE armed = 0;
    } m_lastCheck;
    void ShowMonitor();
    void ClearMonitor();
    // "Values: n", n the largest point count of the recording's curves.
    void ShowValueCount();
    uint64_t m_ullLostAtStart = 0;  // the frame's lost value sets when the run began
    uint64_t m_ullStopRequestedMs = 0;
    bool m_bFinishPending = false;
    // A lost sensor ended or is ending the measurement: once it is finished, the frame marks
    // the lost port.
    bool m_bRecoverAfterFinish = false;
    bool m_bEndedWithSensorLost = false;
    CStringArray m_astrPendingMessages;
};
