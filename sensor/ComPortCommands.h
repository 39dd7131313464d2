// What the pages may ask of the sensor dialogue. The pages read the dialogue through a const view
// and change it only through these commands, so that the dialogue keeps its own invariants (which
// row is open, how many sensors are active, which rate is pending, what the adjustment computed).
#pragma once

#include <cstdint>

#include "platform/base/CString.h"
#include "platform/base/WinTypes.h"

class IComPortCommands {
  public:
    // ---- Port table and search ----
    virtual void COM_BuildPortTable(int mode) = 0;
    // While a search runs (it owns the main port), another one is asked to follow it: TRUE, and
    // the new search starts when the running one ends. FALSE when no search runs.
    virtual BOOL COM_SearchAgainAfterRunningSearch() = 0;
    virtual void COM_RefreshPortTable(int flag, int mode) = 0;
    // A refresh of the connection page has begun; the engine clears it when the table is merged.
    virtual void COM_BeginPortRefresh() = 0;
    virtual void COM_SetWithoutMultiportDetection(BOOL without) = 0;
    // The ports of a multi-port device are opened one by one (the adjustment of one sensor) until
    // the next refresh ends it (apart FALSE); no group is evaluated meanwhile.
    virtual void COM_KeepDevicePortsApart(BOOL apart) = 0;
    // The row takes part in the search (enabling 1) or not, now and after the next search.
    virtual void COM_SetEntryEnabling(int row, WORD enabling) = 0;
    // The device server of a network row could not be reached: the row's rate is unknown.
    virtual void COM_MarkEntryRateUnknown(int row) = 0;
    virtual void COM_SetSelectedPortIsNetwork(BOOL network) = 0;
    virtual void COM_UpdatePortRowStateAndSerial(int row) = 0;

    // ---- Opening and closing ----
    virtual BOOL COM_CreateMainPortManager(HWND owner) = 0;
    // The main port closes; the search opens it again.
    virtual void COM_CloseMainPort() = 0;
    virtual void COM_CloseSensorPorts() = 0;
    // Every port closes; a device loses its sensors and its groups' activation.
    virtual void COM_CloseDevice() = 0;
    // The open row closes: no row is current, the port to open is the sensor's again; with a
    // device, it closes as by COM_CloseDevice.
    virtual void COM_CloseActiveRow(BOOL device) = 0;
    // Opens the port of a row for one sensor; FALSE when the port cannot be opened.
    virtual BOOL COM_OpenRowPort(int row, const CString& portName) = 0;
    // The entry whose device the next multi-port activation opens, and whose port is searched for
    // first.
    virtual void COM_SelectEntry(int entry) = 0;
    // The row the connection page shows as the device's active one.
    virtual void COM_SetCurrentRow(int row) = 0;
    // The current port text becomes the main port's state text.
    virtual void COM_TakeMainPortTextAsCurrent() = 0;
    // The group's rows are shown active while its device is open.
    virtual void COM_ActivateGroup(int group) = 0;
    virtual void COM_StartMultiChannelActivation(int entry, UINT ms) = 0;
    // The sensor the pages of one sensor address (0..3).
    virtual void COM_SelectSensor(int sensor) = 0;

    // ---- Writes ----
    virtual BOOL COM_ZMCOMConfgSetBaudrateOfSelectedPort(int baudCode) = 0;
    virtual void COM_ZMCOMRestartDeviceOfPort() = 0;
    // The rate the next search tries first (0: none).
    virtual void COM_SetPendingBaudrate(int rate) = 0;
    virtual BOOL COM_ZMCOMConfgSetNewLowPassFilter(int sensor, int lowPassCode) = 0;
    // The sensor's record keeps the filter code; the close sequence writes it.
    virtual void COM_KeepLowPassCode(int sensor, int lowPassCode) = 0;
    // The operator accepted the sensor's configuration as this program's.
    virtual void COM_AcceptSensorConfig(int sensor) = 0;
    // The software scaling of one channel (0 = A, 1 = B) of a sensor's record.
    virtual void COM_TakeSoftwareScaling(int sensor, int channel, BOOL present, const CString& name,
                                         double factor) = 0;
    // Stores the channel settings in the sensor's record and writes its software configuration.
    virtual BOOL COM_WriteSoftwareConfigNow(int sensor, int timerId) = 0;
    // The serial-number text of a sensor's side (0 = A, 1 = B) is taken (at most 6 characters),
    // that sensor becomes the selected one and its texts are written after ms.
    virtual void COM_WriteSerialText(int sensor, int side, const CString& text, UINT ms) = 0;
    virtual void COM_RequestSerialNumberWrite(int sensor, UINT ms) = 0;

    // ---- Adjustment ----
    // New readings begin: readings reset, nothing pending, and the channels that have no
    // built-in control signal say so.
    virtual void COM_BeginCalibReading(BOOL noControlA, BOOL noControlB) = 0;
    virtual void COM_SetCalibPendingFlags() = 0;
    virtual int COM_ZMCOMStartReadRawCalib(int phase) = 0;
    virtual void COM_ZMCOMStopReadRawCalib() = 0;
    // A channel without a control signal uses its scale reading as the control reading.
    virtual void COM_UseScaleReadingAsControl(int channel) = 0;
    // What the adjustment computed for channel 0 (A) or 1 (B).
    virtual void COM_TakeCalibResult(int channel, int32_t offset, int32_t gain, int32_t control,
                                     DWORD digits) = 0;
    virtual BOOL COM_ZMCOMConfgDeactivateUserCalib(BOOL flag) = 0;
    virtual BOOL COM_ZMCOMConfgSetInaccuracy(int sensor, double percent, int channel) = 0;

    // ---- Measuring ----
    // The measuring rate of every open sensor (0..kMaxRateIndex).
    virtual void COM_SetMeasureRate(int rateIndex) = 0;
    // The last value set is shown again after a change of the channels' settings.
    virtual void COM_ShowLastValuesAgain() = 0;
    virtual BOOL COM_ZMCOMSingleShot() = 0;
    virtual BOOL COM_SendDiagnosticRequest(int kind) = 0;

  protected:
    ~IComPortCommands() = default;
};
