// The sensor dialogue: the port table and the search for sensors, opening a sensor, its memory
// blocks, writes, calibration readings, measuring and the ports of multi-port devices. The main
// frame derives from it: it overrides the frame hooks below, routes the received-data messages
// to the receive entries, hands the engine's timer ids to COM_RunTimerStep, reads the fields of the
// dialogue and changes them only through its operations. The pages read them through a const view
// and change the dialogue only through its commands (IComPortCommands). The port managers and the
// close sequence are reached from outside only as const objects.
//
// Everything runs on the GUI thread. Every wait for a sensor is bounded: a request that gets no
// answer is sent again a fixed number of times, then the step fails cleanly (the dialogue returns
// to rest, the port entry shows the lost state, the pages hear of it).
#pragma once

#include <memory>
#include <vector>

#include "foundation/MovingAverageRing.h"
#include "platform/base/CString.h"
#include "platform/base/WinTypes.h"
#include "protocol/FrameCutter.h"
#include "sensor/CCalibrationValues.h"
#include "sensor/CTarvik_Send.h"
#include "sensor/ChannelUnitFactor.h"
#include "sensor/ComPortCommands.h"
#include "sensor/ComPortInterfaces.h"
#include "sensor/ComPortPages.h"
#include "sensor/MeasuredValueSet.h"
#include "sensor/MultiportAligner.h"
#include "sensor/SensorEntry.h"
#include "sensor/SensorRecord.h"
#include "sensor/ValueCounterCheck.h"
#include "sensor/ZMStates.h"

class CSensorConfigSequence;

// What the frame's channel settings put into a sensor's software configuration (index 0 = side
// A, 1 = B).
struct SoftwareChannelSettings {
    BYTE averaging[2] = {};
    BYTE unitIndex[2] = {};
    BYTE signInversion[2] = {};
    BYTE decimals[2] = {};
    BYTE viewState[2] = {};
    DWORD frameSetting = 1;
};

constexpr int COM_MAX_SENSORS = 4;
constexpr int COM_CHANNELS = 6;  // A, B, C, D, P1, P2

// Why a step of the dialogue ended early.
enum class ComFailure { NoAnswer, Refused, PortGone, BadValue };

// Result codes of COM_ZMCOMConfgSetNewBaudrate.
constexpr int COM_BAUD_OK = 0;
constexpr int COM_BAUD_BAD_ROW = -1;
constexpr int COM_BAUD_BAD_CODE = -2;
constexpr int COM_BAUD_BUSY = -3;
constexpr int COM_BAUD_NOT_READ = -4;

class CComPort : public CTarvik_Send, public IComPortCommands {
  public:
    CComPort();
    ~CComPort() override;
    CComPort(const CComPort&) = delete;
    CComPort& operator=(const CComPort&) = delete;

    // ---- Wiring ----
    void COM_SetInterfaces(ISensorPortProvider* ports, IComPortTimers* timers,
                           IComPortPages* pages);

    // ---- Hooks the main frame implements ----
    // A value set arrived, or the frame's flow is to show, check or record again.
    virtual void UpdateMeasuredValues(MeasuredValueReason reason,
                                      const MeasuredValueSet& values) = 0;
    virtual void SetStopMeasureDuringScan(BOOL flag) = 0;
    virtual BOOL RestoreWindowAndBarState() = 0;
    virtual void SetupChannelsOfSensor(int sensor, int mode) = 0;
    virtual void TakeOverSoftwareScaling(int sensor) = 0;
    virtual void StoreChannelSettingsInSoftwareConfig(int sensor) = 0;
    virtual void ShowMeasureAdjustNotice() = 0;
    // A message box with the text in the current language.
    virtual void COM_ShowMessage(const CString& text) = 0;
    // The sensors of a multi-port device are open (activated of them answered) and prepared.
    virtual void OnMultiChannelActivationDone(int activated) = 0;
    // Factor of one count of sensor channel 0..3 (side 0 = A, 1 = B of the sensor's record).
    // The frame overrides it so that a channel shows the unit its channel record names.
    virtual double SensorChannelUnitFactor(int channel, const SensorRecord& record, int side) {
        (void)channel;
        return ChannelUnitFactor(record, side);
    }

    // ---- Receive ----
    // Data message of the main port: appends the bytes and analyses every complete reply.
    LRESULT OnReceiveConfigFlow(WPARAM count, LPARAM buffer);
    LRESULT OnPortEvent(WPARAM wParam, LPARAM lParam);
    // Data messages of the ports 0..3 of a multi-port device.
    LRESULT OnReceivePort(WPARAM count, LPARAM buffer, int port);
    void COM_SetFrameCounterCheck(BOOL on) { m_bFrameCounterCheck = on; }
    // Analyses the long-status reply found in m_strReceiveCOM.
    void ZMCOMConfg_AnalyseStatusLong();

    // ---- Timer steps ----
    // Runs the engine's step of a main-frame timer (the frame has killed it already). FALSE for
    // ids that are not the engine's.
    BOOL COM_RunTimerStep(UINT id);

    // ---- Dialogue state ----
    void COM_SetZMCOMConfgFlow(int state);
    int COM_GetZMCOMConfgFlow() const { return m_iZMCOMConfgFlow; }
    // False while a sensor is opened or restarted (states 1, 2, 45).
    BOOL COM_IsZMCOMConfgFlowOutsideInit() const;

    // ---- Port table and search ----
    BOOL COM_CreateMainPortManager(HWND owner) override;
    // Mode 0 search, 2 search again after a baud change (pending rate first, enabling flags
    // kept), 4 search every serial port.
    void COM_BuildPortTable(int mode) override;
    BOOL COM_SearchAgainAfterRunningSearch() override;
    void COM_ScanPortStep(int step);
    void COM_ScanNextPort();
    // Merges the present ports into the table, refills the connection page and, with mode 3,
    // opens the sensor to use (or starts the multi-port detection).
    void COM_RefreshPortTable(int flag, int mode) override;
    void COM_SavePortTableAsPrevious();
    BOOL COM_IsCurrentPortNotInTable() const;
    int COM_GetEntryCount() const { return m_iEntryCount; }
    BOOL COM_OpenFirstSensorPort();
    // Selects the entry of the port used last (the settings keep it) when the search found its
    // sensor there; false, selecting nothing, otherwise.
    BOOL COM_SelectLastUsedEntry();
    BOOL COM_OpenTableEntryPort(int entry);
    // Opens the port of slot 0..3 of the selected multi-port device and identifies its sensor.
    BOOL COM_OpenNextSensorPort(int slot, HWND owner);
    // Closes every port of the dialogue and returns to rest.
    void COM_CloseSensorPorts() override;
    // Starts opening the ports of the multi-port device of an entry, the first one ms later:
    // the activation step (COM_TIMER_OPEN_NEXT_SENSOR) begins at sensor index 0 with nothing
    // activated or found.
    void COM_StartMultiChannelActivation(int entry, UINT ms) override;
    void COM_UpdatePortRowStateAndSerial(int row) override;
    static CString COM_MakePortDisplayName(const CString& portText);
    static CString COM_ParsePortDisplayName(const CString& rowText);
    int COM_GetRealSensorNo(int position) const;
    static BOOL COM_IsPkrUsbWithoutDigitalInput(const SensorRecord& record);
    static BOOL COM_IsPkrUsbWithDigitalInput(const SensorRecord& record);
    void COM_SetMeasureRateParameters();

    // ---- Writes ----
    int COM_ZMCOMConfgSetNewBaudrate(int row, int baudCode);
    void COM_ZMCOMConfgSetNewBaudrateIsSetRestartDevice();
    BOOL COM_ZMCOMConfgSetNewLowPassFilter(int sensor, int lowPassCode) override;
    void COM_ZMCOMConfgNewLowPassFilterIsSetRestartThatDevice();
    // Writes the software configuration now, or as soon as no measurement and no other request
    // stands in the way (COM_TIMER_SW_CONFIG_REPEAT looks again every 500 ms).
    BOOL COM_ZMCOMConfgSetSoftwareConfigBlock(int sensor, int timerId);
    BOOL COM_ZMCOMConfgSetSerialNumberRotorOperation(int sensor, int reserved);
    // Marks a sensor's serial-number texts (sensors 0-3) for writing and (re)arms
    // COM_TIMER_SERIAL_NUMBER_DELAY after ms; the timer writes the marked sensors one per expiry.
    void COM_RequestSerialNumberWrite(int sensor, UINT ms) override;
    BOOL COM_IsSerialNumberWriteMarked(int sensor) const;
    void COM_ZMCOMRestartSensor();
    BOOL COM_ZMCOMConfgSetBaudrateOfSelectedPort(int baudCode) override;
    // The ports of a multi-port device whose sensor acknowledged the rate of the last call above,
    // in the order of the sensors; they keep it even when the device was given up since.
    std::vector<CString> COM_GetPortsThatTookBaudrate() const;
    void COM_ZMCOMRestartDeviceOfPort() override;
    BOOL COM_ZMCOM4xSSetSensors234ToSlave();
    // Checks the sensor indexes of the open sensors, orders the channel-to-record table by them
    // and shows the message when an index is missing, repeated or out of range.
    BOOL COM_ShowWrongSensorIndexMessage();
    void COM_ShowNotAllSensorsPreparedMessage();

    // ---- Calibration ----
    void COM_ResetCalibValues();
    void COM_ClearCalibPendingFlags();
    void COM_SetCalibPendingFlags() override;
    BOOL COM_IsCalibPending() const;
    double COM_GetActiveCalibValue(int sensor, BOOL* valid, BYTE* state, const double* given,
                                   BOOL channelA) const;
    int COM_ZMCOMStartReadRawCalib(int phase) override;
    // Ends a raw reading at once (a cancelled adjustment): no further request, a late reply is
    // ignored, and a control signal the reading switched on is switched off by one request
    // whose acknowledge starts nothing more.
    void COM_ZMCOMStopReadRawCalib() override;
    BOOL COM_ZMCOMConfgDeactivateUserCalib(BOOL flag) override;
    BOOL COM_ZMCOMConfgSetInaccuracy(int sensor, double percent);
    BOOL COM_ZMCOMConfgSetInaccuracy(int sensor, double percent, int channel) override;
    BOOL COM_IsUserCalibEqualFactoryCalib(int sensor) const;

    // ---- Measuring ----
    BOOL COM_ZMCOMStartMeasure();
    BOOL COM_ZMCOMStopMeasure();
    // Ends the tries of a sensor lost while its port stayed (the program closes).
    void COM_ForgetLostSensor();
    void COM_ResetMeasuredValues();
    // The counts last received and the number of sensors that deliver them.
    MeasuredValueSet COM_GetLastValueSet() const;
    // The unit of the computed power channels (index into the power units).
    void COM_SetPowerUnit(int derived, int unitIndex);
    // At rest with a sensor open: one calibrated value set from every open sensor, then
    // UpdateMeasuredValues(SingleShot) and rest. FALSE when the dialogue is busy or no sensor is
    // open.
    BOOL COM_ZMCOMSingleShot() override;

    // ---- Diagnostic requests ----
    enum DiagnosticKind {
        COM_DIAG_STATUS_LONG = 0,  // 'B'
        COM_DIAG_LINK_TEST = 1,    // 0x06, answered with an acknowledge
        COM_DIAG_REPEAT = 2,       // 0x15, the sensor's last reply again
        COM_DIAG_RESTART = 3,      // 'R'; the sensor is then opened again (state 45)
        COM_DIAG_KINDS = 4
    };
    // Sends one raw request to the (first) open sensor, bounded like every request; the end is
    // reported through IComPortPages::OnDiagnosticReply. FALSE when not at rest, no sensor is
    // open, or a restart is asked of a multi-port device.
    BOOL COM_SendDiagnosticRequest(int kind) override;
    // The bytes of the last diagnostic request sent.
    CString m_strDiagnosticRequest;

    // ---- Commands of the pages (see IComPortCommands) ----
    void COM_BeginPortRefresh() override;
    void COM_SetWithoutMultiportDetection(BOOL without) override;
    void COM_KeepDevicePortsApart(BOOL apart) override;
    void COM_SetEntryEnabling(int row, WORD enabling) override;
    void COM_MarkEntryRateUnknown(int row) override;
    void COM_SetSelectedPortIsNetwork(BOOL network) override;
    void COM_CloseMainPort() override;
    void COM_CloseDevice() override;
    void COM_CloseActiveRow(BOOL device) override;
    BOOL COM_OpenRowPort(int row, const CString& portName) override;
    void COM_SelectEntry(int entry) override;
    void COM_SetCurrentRow(int row) override;
    void COM_TakeMainPortTextAsCurrent() override;
    void COM_ActivateGroup(int group) override;
    void COM_SelectSensor(int sensor) override;
    void COM_SetPendingBaudrate(int rate) override;
    void COM_KeepLowPassCode(int sensor, int lowPassCode) override;
    void COM_AcceptSensorConfig(int sensor) override;
    void COM_TakeSoftwareScaling(int sensor, int channel, BOOL present, const CString& name,
                                 double factor) override;
    BOOL COM_WriteSoftwareConfigNow(int sensor, int timerId) override;
    void COM_WriteSerialText(int sensor, int side, const CString& text, UINT ms) override;
    void COM_BeginCalibReading(BOOL noControlA, BOOL noControlB) override;
    void COM_UseScaleReadingAsControl(int channel) override;
    void COM_TakeCalibResult(int channel, int32_t offset, int32_t gain, int32_t control,
                             DWORD digits) override;
    void COM_SetMeasureRate(int rateIndex) override;
    void COM_ShowLastValuesAgain() override;

    // ---- Operations of the main frame ----
    void COM_SetOwnerWindow(HWND owner);
    // The settings' port table and the sensor used last.
    void COM_TakeStoredPortEntry(int row, const CString& name, int disabled, int baudrate);
    void COM_TakeLastUsedSensor(const CString& portName, DWORD serialNumber);
    // A device change: the main port manager follows it.
    void COM_PassDeviceChange(UINT event, DWORD_PTR data);
    // The sensor's port is taken as closed until a sensor is opened again.
    void COM_MarkPortClosed();
    // A port came or went: the connection page's next update searches the ports anew.
    void COM_NoteDeviceChanged();
    // The port table is to be refreshed, or rebuilt, by the next merge.
    void COM_RequestPortTableRefresh();
    void COM_RequestPortTableRebuild();
    // Closes and drops the port managers of slots 1..3 of a multi-port device.
    void COM_CloseFurtherPortManagers();
    // Closes the port of the sensor the dialogue talks to.
    void COM_CloseCurrentPort();
    void COM_TakeCurrentPortName(const CString& portName);
    // The rows of the port the sensor was lost on show it as not available.
    void COM_MarkPortNotAvailable(const CString& portName);
    // The multi-port detection's result is evaluated afresh: no group marked, sensor 0 current;
    // then the first groups found are marked.
    void COM_BeginMultiportEvaluation();
    void COM_MarkMultiportGroups(int groups);
    // One sensor is used from now on; or none is activated any more.
    void COM_ActivateOneSensor();
    void COM_ResetActivatedCount();
    // Bytes received so far and not analysed are dropped.
    void COM_ClearReceivedText();
    // A record that holds no configuration of this program loses its unset software settings;
    // TRUE when it did.
    BOOL COM_ClearUnsetSoftwareConfig(int sensor);
    // Notes whether the first sensor is a PKR-USB without digital input.
    void COM_NoteFirstSensorKind();
    // The frame's channel settings and the measuring rate go into a sensor's software
    // configuration, which from now on holds a configuration of this program.
    void COM_TakeChannelSettings(int sensor, const SoftwareChannelSettings& settings);
    // A value set the frame could not take (it was in the flow already) counts as lost.
    void COM_CountDroppedValueSet();
    // The next value set is shown, whatever the display rate.
    void COM_ShowNextValueSet();
    void COM_KeepPreviousRaw(int channel, int32_t raw);
    void COM_SetChannelValue(int channel, double value);
    // The channel's value, its minimum and its maximum become value.
    void COM_RestartChannelValue(int channel, double value);
    // The channel's extremes take in its value.
    void COM_WidenExtremes(int channel);
    // The channel's extremes start afresh: at its value, or empty.
    void COM_StartExtremes(int channel, BOOL fromValue);
    void COM_ResetMinimum(int channel);
    void COM_ResetMaximum(int channel);
    void COM_ResetValueCounts();
    // The run has ended: no value set received or aligned since.
    void COM_ForgetValueReceived();
    void COM_ForgetMultiportAligned();
    // The close comes back after the close sequence: the dialogue's state says it is done.
    void COM_EndConfigFlowOnClose();
    // Starts the close sequence (the configuration of every activated sensor is written);
    // FALSE when there is none or it runs already.
    BOOL COM_StartCloseSequence();

    // ---- The port managers and the close sequence, read-only ----
    const ISensorPort* COM_MainPort() const { return m_pPortMan.get(); }
    // Slot 0..3 of a multi-port device; nullptr outside.
    const ISensorPort* COM_DevicePort(int slot) const;
    const ISensorPort* COM_CurrentPort() const { return m_pCurrentPortMan; }
    const CSensorConfigSequence* COM_ConfigSequence() const { return m_pConfigSequence; }

  public:
    // ---- Fields: written by the dialogue, read by the main frame and the pages ----
    HWND m_hOwnerWnd = nullptr;
    int m_iPortManSensorCount = 0;

    CString m_strCurrentPortName;
    CString m_strSensorPortName;
    CString m_strReferencePortText;
    CString m_strCurrentPortText;
    BOOL m_bPortClosed = TRUE;
    int m_iPortInUse = -1;
    int m_iOpenEntry = -1;
    int m_iCurrentRow = -1;
    BOOL m_bFirstSearchAhead = TRUE;
    BOOL m_bCloseWithoutSaving = FALSE;
    CString m_strLastUsedComPort;
    CString m_strOpenBeforeSearch;  // the port of the sensor open when the search began
    DWORD m_dwLastUsedSerialNo = 0;
    BOOL m_bRefreshPortTableRequest = FALSE;
    BOOL m_bRebuildPortTableRequest = FALSE;
    BOOL m_bDeviceChanged = FALSE;
    int m_iStoredBaudCode = tarvik::kBaudCode115200;
    int m_iPendingBaudrate = 0;  // after a baud change: the rate to try first
    int m_iPortsWrittenByBaudChange = 0;
    BOOL m_abGroupActivation[4] = {};
    BOOL m_bWithoutMultiportDetection = FALSE;

    SensorEntry m_aEntries[COM_MAX_PORTS];
    SensorEntry m_aPrevEntries[COM_MAX_PORTS];
    int m_iEntryCount = 0;
    SensorRecord m_aSensorRecord[COM_MAX_SENSORS];

    // Timer-step fields.
    int m_iScanIndex = -1;
    int m_iCurrentSensorIndex = 0;
    int m_iActivatedCount = 0;
    int m_iActivatedCountCopy = 0;
    int m_aiGroupMark[4] = {-1, -1, -1, -1};
    int m_iSelectedEntry = -1;
    int m_iLastFoundEntry = -1;
    int m_iSensorsFound = 0;
    int m_iDetectionValue = -1;
    int m_iMultiportMode = 0;  // 2: no group evaluation (also the calibration page's separation)

    // Flags read by the frame.
    BOOL m_bMeasuring = FALSE;
    BOOL m_bFastRate = FALSE;
    BOOL m_bRequestOutstanding = FALSE;
    BOOL m_bSequenceFinished = FALSE;
    BOOL m_bSensorAnswered = FALSE;
    BOOL m_bFirstSensorIsPkrWithoutDigitalInput = FALSE;

    // Measured values.
    int32_t m_alRaw[4] = {};
    int32_t m_alPrevRaw[COM_CHANNELS] = {};
    double m_adUnitFactor[COM_CHANNELS] = {1.0, 1.0, 1.0, 1.0, 1.0, 1.0};
    double m_adValue[COM_CHANNELS] = {};
    double m_adMinimum[COM_CHANNELS] = {};
    double m_adMaximum[COM_CHANNELS] = {};
    int m_iNumberOfSensors = -1;
    int m_aiChannelRecord[COM_CHANNELS] = {0, 1, 2, 3, 4, 5};
    int m_iDisplayDownCounter = 0;
    int m_iDisplayReload = 1;
    int m_iMeasureRateIndex = tarvik::kDefaultRateIndex;
    int m_iMeasurePeriodMs = 5000;
    using ValueAnalyser = void (CComPort::*)(const tarvik::Frame& frame, int port);
    ValueAnalyser m_pfnReplyAnalyser = nullptr;
    BYTE m_ucValueReceived = 0;
    BYTE m_ucMultiportAligned = 0;
    uint64_t m_ullLostValueSets = 0;  // counted by the running-counter check and the aligner

    // Dialogue.
    int m_iZMCOMConfgFlow = ZM_STOP_MEASURE;
    int m_iZMCOMConfgFlowMulti = ZM4_NONE;
    CString m_strReceiveCOM;
    CString m_astrReceivePort[COM_MAX_SENSORS];

    // Calibration: channels A and B of the current sensor, and two more entries.
    CCalibrationValues m_aCalib[4];
    int m_iCalibPhase = CALIB_PHASE_ZERO;
    CMovingAverageRing m_aCalibRing[COM_MAX_SENSORS][2];

  protected:
    friend class CSensorConfigSequence;

    // ---- Port managers and the close sequence ----
    std::unique_ptr<ISensorPort> m_pPortMan;                          // main port manager
    std::unique_ptr<ISensorPort> m_apPortManSensor[COM_MAX_SENSORS];  // multi-port device
    ISensorPort* m_pCurrentPortMan = nullptr;
    CSensorConfigSequence* m_pConfigSequence = nullptr;

    // ---- Fields only the dialogue itself keeps ----
    CString m_strMainPortStateText;
    CString m_strPortToOpen;
    DWORD m_dwFirstSerialNumber = 0;
    BOOL m_bPortRefreshRunning = FALSE;
    BOOL m_bSelectedPortIsLantronixCpr = FALSE;
    // The sensor of the delayed writes of COM_TIMER_SERIAL_NUMBER_DELAY and
    // COM_TIMER_SW_CONFIG_REPEAT.
    int m_iDelayedWriteSensor = 0;
    DWORD m_adwValueCount[COM_MAX_SENSORS] = {};
    BOOL m_bFrameCounterCheck = FALSE;
    int m_iCalibCount = 0;
    BOOL m_bAllWithoutControl = FALSE;

    // ---- Requests ----
    static constexpr int kCurrentPort = -1;
    struct Request {
        CString bytes;
        int expect = -1;  // reply code awaited
        int port = kCurrentPort;
        int retriesLeft = 0;
        UINT timeoutMs = 0;
        UINT timerId = 0;      // the timer that guards the wait
        int blockNumber = -1;  // the block of a write, whose acknowledge names it
    };
    ISensorPort* PortOf(int port) const;
    bool SendRequest(const CString& bytes, int expect, int port = kCurrentPort);
    void RequestAnswered();
    void OnReplyTimeout();
    void FailStep(ComFailure why);
    UINT ReplyTimeoutMs() const;
    void ArmTimer(UINT id, UINT ms);
    void KillTimer(UINT id);
    void ReturnToRest();
    void EnterLostState();
    void StopTick();

    // ---- A sensor lost while its port stays (ComPortLostSensor) ----
    struct LostSensor {
        int entry = -1;
        CString portName;
        bool trying = false;    // its port is open and was sent the stop request
        bool answered = false;  // it acknowledged (or refused) the stop
    };
    // The stop request to every open port of the dialogue, as a Stop sends it.
    void StopStreamingSensors();
    void WatchLostSensor(int entry);
    bool IsLostSensorStillListed() const;
    bool IsLostSensorPortPresent() const;
    bool IsMainPortFree() const;
    bool IsTryingLostSensor() const;
    void TryLostSensor();
    // A frame received while the lost sensor is tried: true when it was the try's.
    bool TakeLostSensorReply(const tarvik::Frame& frame);
    void EndLostSensorTry();
    LostSensor m_lostSensor;

    // ---- Receive and dispatch ----
    void AnalyseBuffer(CString& buffer, tarvik::FrameCutter& cutter, int port);
    void DispatchFrame(const tarvik::Frame& frame, int port);
    bool IsAwaited(const tarvik::Frame& frame, int port) const;
    void ZMCOMConfg_AnalyseAck(const tarvik::Frame& frame, int port);
    void ZMCOMConfg_AnalyseNak(const tarvik::Frame& frame, int port);
    // A start measuring request sent again after its reply wait ran out.
    bool IsResentStart() const;
    void ZMCOMConfg_AnalyseIdentification(const tarvik::Frame& frame, int port);
    void AnalyseStatusLongFrame(const tarvik::Frame& frame, int port);
    void ZMCOMConfg_AnalyseBlockContent(const tarvik::Frame& frame, int port);
    bool TakeBlockReply(const tarvik::Frame& frame, int index, SensorRecord& record);
    void ZMCOMConfg_AnalyseDefault(const tarvik::Frame& frame);

    // ---- Search ----
    void ScanOpenEntry();
    bool ScanSend(const CString& bytes, int expect);
    void ScanEntryDone(int state);
    void ScanTimeout();
    void ScanEnd();
    void ScanReadNextBlock();
    bool HasMultiportCandidates() const;
    bool m_bScanPreferPending = false;
    bool m_bSearchAgain = false;  // a search was asked for while this one ran
    int m_aiScanRates[3] = {};
    int m_iScanRateCount = 0;
    int m_iScanRatePos = 0;
    int m_iScanBlock = 0;
    int m_iScanRetries = 0;
    uint64_t m_ullUnaskedBytes = 0;
    uint64_t m_ullScanCheckErrors = 0;  // the main cutter's check errors when the scan last asked
    bool m_bUnaskedValueSet = false;

    // ---- Opening a sensor ----
    bool StartOpenDialogue(int sensor, int port);
    void OpenNextBlock();
    void OpenFinished();
    void ReopenAfterRestart();
    void TakeOverRecord(int sensor);
    void ComputeUnitFactors();
    int m_iOpenSensor = 0;  // record being filled
    int m_iOpenPort = kCurrentPort;
    int m_iOpenBlock = 0;
    bool m_bOpenDialogue = false;

    // ---- Writes ----
    bool WriteBlock(int sensor, int blockIndex, int state, int port = kCurrentPort);
    bool WriteImage(int sensor, int blockIndex, const tarvik::BlockImage& image, int state,
                    int port = kCurrentPort);
    bool IsIdle() const;
    int PortOfSensor(int sensor) const;
    void AfterAck();
    // The acknowledges of one group of steps each; false when the step is none of the group's.
    bool AfterMeasureAck();
    bool AfterCalibrationAck();
    bool AfterWriteAck();
    bool AfterMultiportAck();
    void RestoreWriteBackup();
    int m_iWriteSensor = 0;
    // The uncertainty write made the user adjustment a copy of the factory one: the sensor
    // restarts to use it.
    bool m_bUncertaintyMadeUserCopy = false;
    int m_iMultiStep = 0;  // slot being written, restarted, prepared or started
    bool m_bWriteBackup = false;
    int m_iBackupSensor = 0;
    int m_iBackupBlock = 0;
    tarvik::BlockImage m_backupImage;

    // ---- Calibration readings ----
    void AnalyseRawReading(const tarvik::Frame& frame, int port);
    void FinishRawPhase();
    void WriteNewUserCalibration();
    double CalibRingMean(int channel) const;
    int m_iScaleWindowCount = 0;

    // ---- Measuring ----
    void AnalyseValueSet(const tarvik::Frame& frame, int port);
    void AnalyseMultiportValueSet(const tarvik::Frame& frame, int port);
    void OnTick();
    void StartMultiportMeasure();
    void CountValueSet(uint8_t counter);
    // ---- Single shot and diagnostic requests ----
    bool SendSingleShotRequest(int slot);
    void AnalyseSingleShotValue(const tarvik::Frame& frame, int port);
    void AnalyseDiagnosticReply(const tarvik::Frame& frame, int port);
    void FailDiagnosticRequest(ComFailure why);
    void FailSingleShot(ComFailure why);
    int m_iSingleShotSlot = -1;  // the slot asked (kCurrentPort with one sensor)
    int m_iDiagnosticKind = -1;
    CValueCounterCheck m_counterCheck;
    CMultiportAligner m_aligner;
    int64_t m_llNextPollMs = 0;
    int64_t m_llLastValueMs = 0;
    int64_t m_llLastStreamTickMs = 0;
    bool m_bStreamingAnnounced = false;
    int m_aiPowerUnit[2] = {};

    // ---- Multi-port devices ----
    int FindSlotEntry(int slot) const;
    int NextReadySlot(int from) const;
    int ReadySlotCount() const;
    bool m_abSlotReady[COM_MAX_SENSORS] = {};
    int m_aiSlotEntry[COM_MAX_SENSORS] = {-1, -1, -1, -1};
    int m_aiSlotPosition[COM_MAX_SENSORS] = {};
    bool m_abSlotTookBaudrate[COM_MAX_SENSORS] = {};
    void FinishMultiChannelActivation();
    void MarkGroupOfOpenEntryActivated();
    void RunMultiChannelActivationStep();
    // COM_TIMER_SERIAL_NUMBER_DELAY: the next marked sensor whose texts differ from its block 131
    // is written; while the dialogue is busy it looks again after 1000 ms, while marks remain after
    // 100 ms.
    void RunSerialNumberWriteStep();
    bool m_abSerialNumberMarked[COM_MAX_SENSORS] = {};

    tarvik::FrameCutter m_cutter;
    tarvik::FrameCutter m_aPortCutter[COM_MAX_SENSORS];
    Request m_request;
    ISensorPortProvider* m_pPortProvider = nullptr;
    IComPortTimers* m_pTimers = nullptr;
    IComPortPages* m_pPages = nullptr;
};
