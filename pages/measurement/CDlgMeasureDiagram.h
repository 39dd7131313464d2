// The measure-and-diagram page (template 138): starts, stops and triggers a measurement, watches
// the trigger thresholds and judges the result. Its decisions live in MeasureRunLogic and
// CValidation_IO_NIO; the flow reaches it through IMeasurePanelSeam.
#pragma once

#include <cstdint>

#include "app/MeasureFlowSeams.h"
#include "app/PageDialog.h"
#include "pages/measurement/CValidation_IO_NIO.h"
#include "pages/measurement/MeasureRunLogic.h"

class CDlgMeasureAdjust;

// The page's settings block: byte 0 running, byte 1 trigger on, then the control state and the
// four run bytes that follow it.
struct MeasureDiagramBlock {
    uint8_t running = 0;
    uint8_t triggerOn = 0;
    uint8_t controlState = 0;
    uint8_t runBytes[4] = {};
};

class CDlgMeasureDiagram : public CPageDialog, public IMeasurePanelSeam {
    DECLARE_DYNAMIC(CDlgMeasureDiagram)
  public:
    enum { IDD = 138 };
    static constexpr UINT TIMER_SENSOR_CHANGED = 19;
    static constexpr UINT TIMER_FINISH = 64;
    static constexpr UINT kFinishPeriodMs = 1000;
    static constexpr UINT WM_PROGRAM_FAILED = WM_USER + 20;

    CDlgMeasureDiagram() = default;

    BOOL SetLanguageTexts() override;
    // The measuring flag: 1 while a measurement runs.
    BOOL IsMeasuring() const { return *m_pucMeasuring != 0; }
    // The run bytes read set, clear, clear, set while a measurement is under way.
    BOOL IsRunPatternSet() const {
        const uint8_t* r = m_psMsureDgrm->runBytes;
        return r[0] != 0 && r[1] == 0 && r[2] == 0 && r[3] != 0;
    }
    void OnBnClickedStart();
    void OnBnClickedTrigger();
    // Harmless when idle: the engine is stopped and timer 64 finishes the measurement once the
    // engine is at rest.
    void OnBnClickedStop() override;
    void OnSensorDisconnected() override;
    void OnSensorConnected() {}
    void OnBnClickedSingleShot() { ++m_iSingleShots; }
    void SetAroundTrigger(bool on) { m_bAroundTrigger = on; }
    void OnMeasureTick();
    void SetControlSignalState(int state) { m_iControlSignalState = state; }
    // The P1/P2 check boxes; the switching flag is set while the page itself switches a view.
    void SetPowerCheck(int derived, BOOL checked);

    // What the flow asks.
    BOOL IsRunning() const override { return m_psMsureDgrm->running != 0; }
    BOOL IsTriggerOn() const override { return m_psMsureDgrm->triggerOn != 0; }
    void SetTriggerStart(BYTE marker) override { m_ucTriggerStart = marker; }
    // The trigger start: the run begins without starting the engine again.
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
    void RunAfterStopActions() override;
    // Once per measurement, whichever of the stop and the conversion's end comes first.
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
    bool m_bWaitingForTrigger = false;
    BYTE m_ucTriggerStart = 0;
    BYTE m_ucDropLastRow = 0;
    double m_dMaxDuration = 0.0;
    int m_iControlSignalState = 0;
    int64_t m_llStartTime = 0, m_llStopTime = 0;
    // Whether the frame's export of the last measurement completed (re-arming waits for it).
    bool m_bExportComplete = true;
    int m_iStopClicks = 0;
    int m_iSingleShots = 0;

  protected:
    BOOL OnInitDialog() override;
    void OnTimer(UINT_PTR nIDEvent);
    void OnPowerBox(UINT id);
    LRESULT OnProgramFailed(WPARAM, LPARAM);
    // Runs a start or stop program; one that cannot start is reported later, the run goes on.
    void RunProgram(const CString& path);
    DECLARE_MESSAGE_MAP()

  private:
    void BeginRun(bool triggered);
    void SetRunBytes(bool underWay);
    void ShowButtons();
    void Status(UINT id);
    CDlgMeasureAdjust* Adjust() const;

    measure_run::RunLifetime m_run;
    measure_run::MonitorThrottle m_monitor;
    uint64_t m_ullStopRequestedMs = 0;
    bool m_bFinishPending = false;
    CStringArray m_astrFailedPrograms;
};
