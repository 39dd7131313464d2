// The calls of the sensor dialogue into the windows above it: the start-up search window, the
// connection page, the sensor information page, the calibration page with its step dialogs and
// the measure-and-diagram page. The application implements it (the main frame forwards each call
// to its page); the dialogue works without it (nullptr) and then simply shows nothing.
#pragma once

#include "platform/base/CString.h"
#include "platform/base/WinTypes.h"

class IComPortPages {
  public:
    virtual ~IComPortPages() = default;

    // ---- Start-up search window ----
    virtual void ShowProgressBar(int portCount) = 0;
    virtual void SetPortProgress(int port) = 0;
    virtual void AdvanceProgress(int kind) = 0;  // 0 one sub-step, 1 one port step
    virtual void PresetProgressStep() = 0;
    virtual void StopProgress() = 0;
    virtual void ShowScanFinished() = 0;  // the search found no sensor
    virtual void SetProgressActive(BOOL active) = 0;
    virtual void HideStartUpWindow() = 0;
    virtual BOOL IsSearchForOnlyUsbPorts() = 0;

    // ---- Connection page ----
    virtual void FillPortRow(const CString& displayName, int row, int state, DWORD serialNumber,
                             COLORREF background) = 0;
    virtual void RebuildPortList(int mode) = 0;
    virtual void SetEnablingOfAllPorts(int flag) = 0;
    virtual void SetCheckboxCellsOk() = 0;
    virtual void OnPortRefreshDone() = 0;
    virtual void SetXPicoBaudrateForPort(int row, int rate, BOOL save) = 0;
    virtual void UpdatePortStates(int row, BOOL keep) = 0;
    // The State and Serial number cells of one row.
    virtual void SetPortRowStateAndSerial(int row, const CString& stateText,
                                          const CString& serialText) = 0;
    // The dialogue that followed an activation or a baud change has ended.
    virtual void ClearActivationBusy() = 0;
    virtual void ArmConnectionPageTimer(UINT id, UINT ms) = 0;

    // ---- Sensor information page ----
    virtual void ArmInformationPageTimer(UINT id, UINT ms) = 0;

    // ---- Calibration page and its step dialogs ----
    virtual void ShowControlElements(BOOL enable) = 0;
    virtual void AdvanceCalibProgress(int kind) = 0;  // 0 one reading, 1 block acknowledged
    // Computes offset, gain, control factor and digits into the calibration values; errors
    // receives the failure bits (0x10 / 0x20: channel A / B not loaded).
    virtual BOOL CalcualteCalibValues(BOOL askUser, int readingSet, int& errors) = 0;
    virtual int GetUncertaintyAction() = 0;     // 0, 2 channel A; 1, 3 channel B
    virtual void StartZeroWaitTimer() = 0;      // zero dialog: close itself 500 ms later
    virtual void ShowNotLoadedIndicator() = 0;  // scale dialog: "sensor seems not loaded"
    virtual void CloseScaleDialogIfVisible() = 0;

    // ---- Measure-and-diagram page ----
    virtual void OnMeasureTick() = 0;  // the page's check on every tick of a measurement
    virtual BOOL IsMeasuring() = 0;    // the page's measuring flag
    virtual void SetControlSignalState(int on) = 0;
    virtual void OnSensorConnected() = 0;
    virtual void OnSensorDisconnected() = 0;

    // ---- Diagnostic page ----
    // The end of a raw request of kind 0..3 (see COM_SendDiagnosticRequest): the whole reply
    // frame when the sensor answered, else empty with answered FALSE.
    virtual void OnDiagnosticReply(int kind, const CString& frame, BOOL answered) {
        (void)kind;
        (void)frame;
        (void)answered;
    }
};
