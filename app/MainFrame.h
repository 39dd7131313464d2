// The main window: at once the frame window, the environment record and the sensor dialogue. It
// builds the status bar, the view bars and the navigation tree, keeps the table of the windows
// that register with it and completes the start-up when the last awaited one has come, keeps the
// settings, routes the port messages and device changes, runs the one-shot timers, switches the
// pages, owns the menus and the status line, and closes by its protocol. Each concern lives in a
// file of its own (MainFrameCreate, MainFrameSettings, MainFrameRouting, MainFrameTimers, ...).
#pragma once

#include <deque>
#include <functional>
#include <memory>
#include <optional>

#include "app/MainMenuClasses.h"
#include "app/SettingsValues.h"
#include "app/WindowTable.h"
#include "app/bars/ViewBars.h"
#include "app/flow/CsvBody.h"
#include "app/flow/ExportFile.h"
#include "app/flow/MeasurementState.h"
#include "app/sensorlink/ComPortWindowTimers.h"
#include "controls/BrowsePageInterfaces.h"
#include "foundation/Environment.h"
#include "foundation/MovingAverageRing.h"
#include "foundation/StopWatch.h"
#include "pages/common/ChannelRecord.h"
#include "pages/common/ChannelUnitSource.h"
#include "pages/common/ExportHeaderSource.h"
#include "pages/common/MeasureFlow.h"
#include "pages/common/PageHost.h"
#include "pages/sensor/CDlgStartUp.h"
#include "platform/framework/Framework.h"
#include "sensor/CComPort.h"
#include "sensor/ComPortPages.h"

class CKq7View;
class CAFormChannelX;
class CAFormDiagram;
class CPage;
struct DiagramPrintLayout;
class CAFormLight;
class CDlgTKBk;
class CDlgSensorConnection;
class CDlgSensorInformationPkr;
class CDlgMeasureAdjust;
class CDlgDocumentation;
class CDlgSensorCalibration;
class CDlgMeasureDiagram;
class CDlgDiagnostic;
class CThreadedConvertFile;

class CMainFrame : public CFrameWnd,
                   public CEnvironment,
                   public CComPort,
                   public IComPortPages,
                   public IBrowsePageOwner,
                   public IExportHeaderSource,
                   public IChannelUnitSource,
                   public PageHost {
    DECLARE_DYNCREATE(CMainFrame)
  public:
    // ---- Frame timers (one-shot; the dispatcher kills each before it acts) ----
    static constexpr UINT TIMER_MULTIPORT_DETECTION = 8;
    static constexpr UINT TIMER_SENSOR_READY = 15;
    static constexpr UINT TIMER_NODES_CHANGED = 16;
    static constexpr UINT TIMER_REMOVAL = 17;
    static constexpr UINT TIMER_STATUS_RESTORE = 21;
    static constexpr UINT TIMER_MEASURE_ADJUST_NOTICE = 25;
    static constexpr UINT TIMER_ACTIVATE_ROW = 34;
    static constexpr UINT TIMER_BAUD_WRITE = 36;
    static constexpr UINT TIMER_OPEN_NEXT_SENSOR = 44;
    static constexpr UINT TIMER_REENABLE_CONNECTION = 46;
    static constexpr UINT TIMER_STREAMING_SENSOR = 47;
    static constexpr UINT TIMER_CLOSE_AGAIN = 49;
    // A page asked for while the sensor's answer was awaited, shown once it has come. The engine's
    // timers share the frame's window: its ids (sensor/ComPortTimerIds.h) are not to be taken.
    static constexpr UINT TIMER_PAGE_WHEN_ANSWERED = 67;
    static constexpr UINT PANE_TIME = 32782;
    static constexpr UINT PANE_WEEKDAY = 32783;
    static constexpr UINT PANE_DATE = 32784;
    // The notification message of the conversion worker.
    static constexpr UINT WM_CONVERSION_NOTIFY = 0xB6;
    // The device-change data of the time-out calls of TIMER_NODES_CHANGED and TIMER_REMOVAL.
    static constexpr DWORD_PTR kNoDeviceData = 0xFFFFFFFF;

    // The ports the sensor dialogue uses; tests give simulated ones.
    static std::function<std::unique_ptr<ISensorPortProvider>()> s_portProviderFactory;

    CMainFrame();
    ~CMainFrame() override;

    // ---- Creation and start-up (MainFrameCreate) ----
    BOOL DestroyWindow() override;
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    // Files the window in its slot; 1 when this call completed the start-up.
    LRESULT OnRegisterWindow(WPARAM wParam, LPARAM lParam, UINT code);
    LRESULT RegisterWindow(CWnd* window, LPARAM lParam, UINT code) override;
    // A per-run dialog goes: its slot is emptied.
    void UnregisterWindow(CWnd* window) override;
    BOOL RefreshPagesForLanguage();
    void ApplyViewStateToBars();
    // Whether the docking layout stored under the section names only bars the frame has.
    BOOL VerifyBarState(LPCTSTR lpszProfileName);
    BOOL IsStartUpPending() const override { return m_bStartUpPending; }
    CWnd* GetRegisteredWindow(WindowSlot slot) const;

    // ---- Settings (MainFrameSettings) ----
    BOOL ReadSettings();
    BOOL ReadStartupSettings();
    BOOL RestoreWindowAndBarState() override;
    void SaveSettings();

    // ---- Routing, device changes, clock panes (MainFrameRouting, MainFrameClock) ----
    BOOL OnDeviceChange(UINT nEventType, DWORD_PTR dwData);
    static CString FormatDateText(int day, int month, int year, int languageOffset);
    static CString FormatTimeText(int64_t seconds);

    // ---- Timers (MainFrameTimers) ----
    void OnTimer(UINT_PTR nIDEvent);
    // Marks the sensor's software configuration for writing and (re)arms TIMER_SW_CONFIG_WRITE.
    void RequestSoftwareConfigWrite(int sensor) override;
    void OnMultiChannelActivationDone(int activated) override;

    // ---- Pages, bars, menus (MainFramePageSwitching, MainFrameMenu) ----
    BOOL SetOperatingMode(UINT pageId) override;
    // Makes the page change kept while a request awaited its reply (TIMER_PAGE_WHEN_ANSWERED).
    void ShowPageWhenAnswered();
    // TRUE unless the documentation page is shown and refuses to be left (its storage targets
    // incomplete, its separators clashing); the page switch and the tree ask before they leave.
    BOOL CheckDocumentationBeforeLeaving();
    UINT GetActivePageId() const { return m_nActivePage; }
    BOOL StepPage(int direction);
    void UpdateViewBarsForPage(int mode);
    BOOL OnViewBarClosed(HWND hBar);
    BOOL UpdateMenuTexts(BOOL firstSetUp);
    // The View menu's digital views, named for one sensor's channels or a group's sensors.
    bool UpdateDigitalViewMenuTexts();
    HMENU CreateOwnerDrawMenu();
    BOOL UpdateViewBarCaptions();
    BOOL UpdateChannelFormButtonTexts();
    void RestoreDiagramBarDocking();
    // ---- The value formatter's view of the channel records (MainFrameChannelUnits) ----
    int GetRecordOfChannel(int channel) const override;
    char GetChannelUnitLetter(int channel) const override;
    int GetChannelUnitIndex(int channel) const override;
    bool GetChannelUnitText(int channel, int index, CString& text) const override;
    // ---- Diagram export (MainFrameDiagramExport) ----
    // Floats the diagram bar at the export size of the mode (see ExportRect.h), remembering its
    // docking for RestoreDiagramBarDocking; returns the export rectangle.
    CRect PrepareDiagramForExport(int mode);
    // ---- Bar sizes (MainFrameBarSizes) ----
    // On the measure-and-diagram page the channel bars of each docked column stand equally high.
    void EqualizeChannelBarHeights();
    // On the measure-and-diagram page the docked diagram takes the height that the page's
    // controls and the channel bars beside it leave, until the operator drags its edge.
    void FitDiagramToMeasurePage();
    // A bar the user closed (caption button or floating frame's close box) while its view
    // setting is on has that setting switched off, once (MainFrameBarClose).
    void OnViewBarClosedByUser(CControlBar* pBar);
    // Focus to the edit, its whole text selected and the caret in view.
    static void FocusAndSelectEditText(CWnd* edit);
    void WaitCursorOn() override;
    void WaitCursorOff() override;
    BOOL IsWaitCursorShown() const override { return m_bWaitCursor; }
    void ShowViewBar(CControlBar* pBar, BOOL bShow, BOOL bDelay);

    // ---- Commands and status line (MainFrameCommands, MainFrameStatus) ----
    void ToggleChannelView(int channel) override;
    void ShowStatusMessage(UINT id) override;
    void SetStatusTextString(const CString& text);
    // A fixed format of the program with its arguments; never a text from elsewhere.
    template <typename... Args>
    void SetStatusText(const char* format, const Args&... args) {
        CString text;
        text.Format(format, args...);
        SetStatusTextString(text);
    }
    UINT GetLastStatusId() const { return m_nLastStatusId; }

    // ---- Keys and clipboard (MainFrameKeys, -Clipboard); the scan stop and the adjustment
    // notice (MainFrameDialogueToPages); the way to the connection page (MainFramePageHost) ----
    BOOL HandleShortcutKeys(MSG* pMsg) override;
    void CopySelectionToClipboard(MSG* pMsg);
    void SetStopMeasureDuringScan(BOOL flag) override;
    void SwitchToSensorConnectionPage() override;
    void ShowMeasureAdjustNotice() override;

    // ---- Tree, language, averaging (MainFrameTree, MainFrameAveraging) ----
    BOOL BuildNavigationTree();
    BOOL RebuildNavigationTree();
    void RefreshChannelItems();
    // Greys the two save items while no finished measurement is available.
    void RefreshSaveItems();
    void RefreshTreeStates();
    // Highlights the tree item of the page shown (the closed folder that holds it, if any).
    void SelectPageTreeItem();
    int OnTreeItemAction(const CString& eventText, UINT textId);
    // The tree's callback: a click (tag = the item's text) or an expansion.
    static void OnTreeCallback(void* context, CString tag, CString text, DWORD_PTR data);
    BOOL SetLanguage(int offset);
    void SwitchLanguage(int offset);
    int GetLanguageOffset() const override { return m_iLanguageOffset; }
    BOOL IsSwitchingLanguage() const { return m_bSwitchingLanguage; }
    BOOL AverageChannelValue(int channel, double value, double& out);
    void ResetMovingAverages(int mode) override;
    void TareChannel(int channel);
    // The Tara button's lock of a channel: free comes to hold and holding to free; the new lock.
    int ToggleTareLock(int channel);
    void ResetChannelMinimum(int channel);
    void ResetChannelMaximum(int channel);

    // ---- Measured-value flow (MainFrameFlow) ----
    void UpdateMeasuredValues(MeasuredValueReason reason, const MeasuredValueSet& values) override;
    // The flow on the counts last received (redisplays, and sets that arrive late).
    void UpdateMeasuredValues(MeasuredValueReason reason) {
        UpdateMeasuredValues(reason, COM_GetLastValueSet());
    }
    void ProcessChannelValue(int channel, MeasuredValueReason reason,
                             const MeasuredValueSet& values);
    void RedisplayChannel(int channel, const MeasuredValueSet& values);
    void SetActiveChannelsAB(int selection);
    void SetActiveSensorChannels(const BOOL flags[4]);
    void ActivateOpenSensorChannels();
    void RefreshDerivedChannelActive(int derived);
    ChannelRecord& RecordOfChannel(int channel) override;
    bool ComputePowerValue(int channel, double& value);
    // The four texts of a channel from its stored values, unconditionally.
    void ShowChannelTexts(int channel);
    void ForgetShownChannelValues() override;
    // Messages raised inside the flow wait for the frame's next turn (a box inside the flow
    // would pump value sets into it).
    void PostFlowMessage(const CString& text);
    LRESULT OnFlowMessage(WPARAM wParam, LPARAM lParam);
    static constexpr UINT WM_FLOW_MESSAGE = WM_APP + 21;
    std::deque<CString> m_astrFlowMessages;
    void COM_ShowMessage(const CString& text) override;

    // ---- Start and stop triggers (MainFrameTrigger) ----
    void TakeOverStartStopConditions() override;
    void InitTriggerArmedFlags() override;
    // The panel's Trigger button: a new cycle waits for its start condition.
    void ArmTriggerCycle() override;
    // A measurement begins (the panel's start, or a trigger's start event).
    void BeginMeasurement() override;
    // The panel's Stop button: nothing of the cycle remains started.
    void EndTriggerCycle() override;
    void CheckTriggerThresholds(int channel);
    void RunStartEvent();
    void RunStopEvent();
    // The stop condition is a count (7, 8) that the curve store holds by now.
    bool IsStopCountReached();

    // ---- Recording (MainFrameRecording) ----
    void RecordValueSet(const double values[COM_CHANNELS]);
    void PrepareRecordingFirstCall(const double values[COM_CHANNELS]);
    BOOL IsDurationLimitReached(double time);
    // Stops the measurement as at its maximum duration (the Stop button disabled on request).
    void StopByRecording(BOOL disableStop);
    // The values and active flags as the curve store gets them (a copy it may round).
    void CopyForStore(const double values[COM_CHANNELS], double copy[COM_CHANNELS],
                      BOOL active[COM_CHANNELS]) const;

    // ---- Conversion and its worker (MainFrameConvert) ----
    void ConvertStepDriver();
    // FALSE when no export file was open (nothing was done).
    BOOL ConvertRecordToCsv();
    CsvLayout BuildCsvLayout(const IRecordedCurves& curves);
    void FinishMeasurement() override;
    void FreeRecordBuffer();
    void FreeRecordBuffer(BYTE& flag);
    // Closes both export files and ends the measurement's file phase; a close that waited for
    // it goes on.
    void EndOfConversion();
    // The close and every start complete a manual save that still waits for its ticks.
    void CompletePendingManualSave() override;

    // ---- Measurement files (MainFrameExport) ----
    void SaveMeasuredValuesAs();
    void SaveDiagramAs();
    BOOL SetupMeasureValueFile(int mode) override;
    BOOL OpenExportFile(CExportFile& file, const CString& name, const CString& extension, int kind,
                        int openMode);
    CString BuildFileOpenErrorText(const CString& name);
    CString BuildResultRow();
    CString CloseExportFile(CExportFile& file, BOOL bareLineEnd);
    void ReportExportFailure(const CString& path, const CString& reason);
    // The manual save of the values into a chosen file (the command after its dialog).
    void StartManualSave(const CString& path);
    // Gets the diagram ready for its picture, at the documentation page's export size.
    void PrepareDiagramBitmap();
    // ---- Diagram print (MainFramePrint) ----
    // Command 10003: floats the diagram at the print size and lets the view capture it.
    void StartDiagramPrint();
    // Chooses the printer and prints the captured diagram's page on it.
    void PrintDiagram();
    // The page on a given printer DC at the DC's own resolution (m_iPrinterDpiX/Y, the print
    // settings' values, only when it answers none); false and reported when the printer refuses
    // the document or the page, which leaves no output.
    BOOL PrintDiagramPage(CDC& dc);
    CRect m_rectExport;
    int m_iPrinterDpiX = 0;
    int m_iPrinterDpiY = 0;

  private:
    void PrintDiagramFrame(CDC& dc, const DiagramPrintLayout& layout);
    void PrintDiagramHeader(CDC& dc, const DiagramPrintLayout& layout);
    void PrintDiagramPicture(CDC& dc, CPage& page, const DiagramPrintLayout& layout);

  public:
    // The system or the session ends the program (a signal, the display gone), not the operator:
    // the close goes through without the operator's refusals. A measurement is stopped as Stop
    // does and saved as the documentation settings say; a sensor step under way is waited for.
    void CloseForSystem();

    // ---- The export header's sensors and column titles (MainFrameExportHeader) ----
    std::vector<documentation_texts::SensorHeaderLines> GetExportSensorLines() override;
    std::vector<CString> GetExportColumnTitles(int kind) override;
    // A column's channel title with its current unit, "" for an empty column.
    CString ExportChannelTitle(int channel);

    // ---- Log (MainFrameLog) ----
    BOOL WriteApplicationLog(int sensor, const char* eventText = nullptr,
                             const char* extraText = nullptr);
    // One entry in the log of every sensor that is connected now (at least the first).
    void LogSensorEvent(const char* eventText = nullptr);

    // ---- Channel set-up (MainFrameChannels) ----
    void ResetChannelRecord(int channel);
    void ResetAllChannelRecords();
    void SetupChannelsOfSensor(int sensor, int mode) override;
    void SetChannelLedState(int sensor);
    void SetupChannelUnits(int sensor);
    // The channel bars' display choices from the records' view states, the bars laid out anew.
    void TakeChannelViewChoices();
    // The unit list and settings of one channel record from side 0 (A) or 1 (B) of a sensor.
    void BuildChannelUnitList(int sensor, int target, int side);
    void ClearUnsetSoftwareConfig(int sensor);
    void TakeOverSoftwareScaling(int sensor) override;
    void StoreChannelSettingsInSoftwareConfig(int sensor) override;
    void RecoverFromSensorLoss(BOOL stop) override;
    double SensorChannelUnitFactor(int channel, const SensorRecord& record, int side) override;

    // ---- The measurement panel's engine calls ----
    BOOL StartEngineMeasuring() override { return COM_ZMCOMStartMeasure(); }
    BOOL StopEngineMeasuring() override { return COM_ZMCOMStopMeasure(); }
    BOOL IsEngineAtRest() const override { return !m_bMeasuring && !m_bRequestOutstanding; }

    // ---- The flow's partners (MainFrameFlowPartners): the registered window's
    // interface, or the fake a test put in its place; null when neither exists ----
    IFlowChannelView* FlowChannelView(int channel) const;
    IFlowBestUnit* FlowBestUnit() const;
    IFlowDiagram* FlowDiagram() const override;
    IFlowMeasurePanel* FlowPanel() const;
    IFlowDocumentation* FlowDocumentation() const;
    IFlowMeasureConfig* FlowMeasureConfig() const override;
    IFlowPortList* FlowPortList() const;
    struct FlowPartnerFakes {
        IFlowChannelView* channel[COM_CHANNELS] = {};
        IFlowBestUnit* bestUnit = nullptr;
        IFlowDiagram* diagram = nullptr;
        IFlowMeasurePanel* panel = nullptr;
        IFlowDocumentation* documentation = nullptr;
        IFlowMeasureConfig* measureConfig = nullptr;
        IFlowPortList* portList = nullptr;
    } m_flowFakes;
    // The pages' unit changes: the sensor's unit factors follow its channel records again.
    void RecomputeUnitFactors(int sensor) override;

    // ---- The dialogue's calls into the pages (MainFrameDialogueToPages) ----
    void ShowProgressBar(int portCount) override;
    void SetPortProgress(int port) override;
    void AdvanceProgress(int kind) override;
    void PresetProgressStep() override;
    void StopProgress() override;
    void ShowScanFinished() override;
    void SetProgressActive(BOOL active) override;
    void HideStartUpWindow() override;
    BOOL IsSearchForOnlyUsbPorts() override;
    void FillPortRow(const CString& displayName, int row, int state, DWORD serialNumber,
                     COLORREF background) override;
    void RebuildPortList(int mode) override;
    void SetEnablingOfAllPorts(int flag) override;
    void SetCheckboxCellsOk() override;
    void OnPortRefreshDone() override;
    void SetXPicoBaudrateForPort(int row, int rate, BOOL save) override;
    void UpdatePortStates(int row, BOOL keep) override;
    void SetPortRowStateAndSerial(int row, const CString& stateText,
                                  const CString& serialText) override;
    void ClearActivationBusy() override;
    void ArmConnectionPageTimer(UINT id, UINT ms) override;
    void ArmInformationPageTimer(UINT id, UINT ms) override;
    void ShowControlElements(BOOL enable) override;
    void AdvanceCalibProgress(int kind) override;
    BOOL CalcualteCalibValues(BOOL askUser, int readingSet, int& errors) override;
    int GetUncertaintyAction() override;
    void StartZeroWaitTimer() override;
    void ShowNotLoadedIndicator() override;
    void CloseScaleDialogIfVisible() override;
    void OnMeasureTick() override;
    BOOL IsMeasuring() override;
    void SetControlSignalState(int on) override;
    void OnSensorConnected() override;
    void OnSensorDisconnected() override;
    // ---- The diagnostic page's raw requests (MainFrameDiagnostic) ----
    void OnDiagnosticReply(int kind, const CString& frame, BOOL answered) override;

    // ---- The pages the browse control serves (null until they have registered) ----
    IBrowseDocumentationPage* BrowseDocumentationPage() override;
    IBrowseMeasureAdjustPage* BrowseMeasureAdjustPage() override;

    // ---- The registered windows ----
    CKq7View* GetView() const;
    CAFormChannelX* GetChannelView(int channel) const;
    CAFormDiagram* GetDiagramView() const;
    CDlgTKBk* GetLogoPage() const;
    CDlgSensorConnection* GetConnectionPage() const;
    CDlgSensorInformationPkr* GetInformationPage() const;
    CDlgMeasureAdjust* GetMeasureAdjustPage() const;
    CDlgDocumentation* GetDocumentationPage() const;
    CDlgSensorCalibration* GetCalibrationPage() const;
    CDlgMeasureDiagram* GetMeasureDiagramPage() const;
    CDlgDiagnostic* GetDiagnosticPage() const;
    IConnectionPageLink* ConnectionPage() const override;
    ISensorInformationLink* InformationPage() const override;
    IMeasureConfigLink* MeasureConfigPage() const override;
    IFlowDocumentation* DocumentationPage() const override;
    IMeasurePanelLink* MeasurePanel() const override;
    IDiagnosticLink* DiagnosticPage() const override;
    // The page of a page id; null for an id that is no page or a page not registered.
    CWnd* GetPageWindow(UINT pageId) const;

    // ---- What the pages reach of the frame (MainFramePageHost) ----
    CWnd& HostWindow() override;
    CWnd* PageArea() const override;
    const CComPort& Dialogue() const override;
    IComPortCommands& Commands() override;
    int* LanguageOffsetVariable() override;
    CDlgStartUp& StartUpWindow() override;
    void SetWaitingForTrigger(BOOL waiting) override;
    void RequestAngleZero() override;
    BOOL HasExportFailed() const override;
    int GetDefaultDiagramLength() const override;
    int GetFrameSetting() const override;
    void SetFrameSetting(int value) override;
    ChannelRecord& ChannelRecordAt(int record) override;
    BOOL IsChannelActive(int channel) const override;
    BOOL IsChannelBarVisible(int channel) const override;
    IChannelViewControl* ChannelViewControl(int channel) const override;
    IDiagramRun* DiagramRun() const override;
    ILightIndicator* Light() const override;

    // ---- The measurement's state: flow, triggers, recording and files (MeasurementState) ----
    // Read only: the frame's own operations write it (tests set a case up through
    // MeasurementForTest).
    const CMeasurementState& Measurement() const { return m_measurement; }
    friend class MeasurementForTest;

    // ---- State (public: pages, views and tests read it) ----
    CDlgStartUp m_dlgStartUp;
    CStatusBar m_wndStatusBar;
    CViewBar m_wndViewBar[7];  // A, B, C, D, P1, P2, light
    CViewBarDiagram m_wndDiagramBar;
    CViewBarNavi m_wndNaviBar;
    NavigationTree m_wndTree;
    static constexpr int kTreeItems = 32;
    HTREEITEM m_ahTreeItems[kTreeItems] = {};
    ViewStateRecord m_viewState;
    CWindowTable m_windows;

    BOOL m_bStoredVersionIsCurrent = FALSE;
    int m_iLanguageOffset = 1000;
    BOOL m_bSuppressLog = TRUE;  // TRUE: no application log is written (stored as "WriteLogFile")
    UINT m_nActivePage = 0;
    int m_iBarsForPage = 0;
    BOOL m_bPageSwitched = FALSE;
    UINT m_nPageWhenAnswered = 0;  // 0: none kept
    BOOL m_bDiagramHiddenBeforeExport = FALSE;
    bool m_bAroundTrigger = false;

    // Status line.
    double m_dConversionProgress = 100.0;
    BOOL m_bStatusRestoreOnMouseMove = TRUE;

    // Device changes.
    BOOL m_bPortDataReceived = FALSE;
    BOOL m_bStopMeasureDuringScan = FALSE;
    BOOL m_bPortArrivalPending = FALSE;
    int m_iRemovals = 0;

    // Timers.
    BOOL m_abSoftwareConfigPending[COM_MAX_SENSORS] = {};
    int m_iSoftwareConfigWriteCalls = 0;

    // Close.
    BOOL m_bCloseAfterFastStop = FALSE;
    BOOL m_bCloseAfterStop = FALSE;
    BOOL m_bClosing = FALSE;

    // Log.
    static DWORD s_dwLastLogSerial;  // the last non-zero stator serial of this run
    static bool s_bFirstLogEntry;

  protected:
    int OnCreate(LPCREATESTRUCT lpcs);
    void OnClose();
    LRESULT OnRegisterMessage(WPARAM wParam, LPARAM lParam);
    LRESULT OnReceivedData(WPARAM wParam, LPARAM lParam);
    LRESULT OnPortEventMessage(WPARAM wParam, LPARAM lParam);
    LRESULT OnPortData(WPARAM wParam, LPARAM lParam);
    LRESULT OnConversionNotify(WPARAM wParam, LPARAM lParam);
    LRESULT OnSetMessageString(WPARAM wParam, LPARAM lParam);
    void OnMenuSelect(UINT nItemID, UINT nFlags, HMENU hSysMenu);
    CString WeekdayPaneText() const;
    CString DatePaneText() const;
    // The weekday and date panes written now, before the first idle update.
    void ShowClockPanesNow();
    void OnUpdateWeekdayPane(CCmdUI* pCmdUI);
    void OnUpdateDatePane(CCmdUI* pCmdUI);
    void OnUpdateTimePane(CCmdUI* pCmdUI);
    void OnGetMinMaxInfo(MINMAXINFO* lpMMI);
    void OnSize(UINT nType, int cx, int cy);
    void OnWindowPosChanging(WINDOWPOS* lpwndpos);
    BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    void OnMeasureItem(int nIDCtl, LPMEASUREITEMSTRUCT lpMeasureItemStruct);
    LRESULT OnMenuChar(UINT nChar, UINT nFlags, CMenu* pMenu);
    void OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu);

    // Commands.
    void OnSaveMeasuredValues();
    void OnSaveDiagram();
    void OnPrint();
    void OnExit();
    void OnOperatingMode(UINT nID);
    void OnToggleNavigationBar();
    void OnToggleStatusBar();
    void OnResetViews();
    void OnLanguage(UINT nID);
    void OnInfo();
    void OnAdvice();
    void OnToggleDiagram();
    void OnChannelView(UINT nID);
    void OnAroundTrigger();
    void OnUpdateSave(CCmdUI* pCmdUI);
    void OnUpdateOperatingMode(CCmdUI* pCmdUI);
    void OnUpdateNavigationBar(CCmdUI* pCmdUI);
    void OnUpdateStatusBar(CCmdUI* pCmdUI);
    void OnUpdateLanguage(CCmdUI* pCmdUI);
    void OnUpdateDiagram(CCmdUI* pCmdUI);
    void OnUpdateChannelView(CCmdUI* pCmdUI);
    void OnUpdateAroundTrigger(CCmdUI* pCmdUI);

  private:
    // Creation steps.
    BOOL CreateBars(CCreateContext* frameContext);
    void DockBarsByDefault();
    void JoinChannelColumn();
    void CompleteStartUp();
    // The dialogue is in a step of the sensor pages that a close must not cut.
    bool IsSensorWriteUnderWay() const;
    // Marked serial numbers are written before the configuration: true while the close waits.
    bool WaitForMarkedSerialNumbers();
    void DropStoredBarLayout(LPCTSTR lpszProfileName);
    // Settings writes, checked.
    void WriteInt(LPCTSTR section, LPCTSTR entry, int value);
    void WriteString(LPCTSTR section, LPCTSTR entry, LPCTSTR value);
    void WriteBinary(LPCTSTR section, LPCTSTR entry, const BYTE* data, UINT bytes);
    // Routing steps.
    void CompleteNodeChanges();
    void CompleteRemoval(bool timeoutCall, DWORD deviceType);
    // Timer steps.
    void RunFrameTimerStep(UINT id);
    void EvaluateMultiportDetection();
    void RunBaudWriteStep();
    void RunSoftwareConfigWriteStep();
    // Puts the dialogue at rest unless a request waits for its reply.
    void RestIfNoRequestOutstanding();
    // Toggles.
    void ToggleBar(CControlBar& bar, int entry);
    void ResetViews();
    void ShowPageWindow(UINT pageId, BOOL show);
    void DockChannelBars();

    CMeasurementState m_measurement;
    // ---- The frame's own state (only its own code reads it) ----
    int m_iFittedDiagramHeight = 0;
    CImageList m_imageList;
    MainMenu m_menu;
    BOOL m_bFillingTree = FALSE;
    BOOL m_bStartUpPending = TRUE;
    BOOL m_bStartUpComplete = FALSE;  // the completion ran (the frame may still be hidden)
    BOOL m_bFrameShown = FALSE;       // the first search ended and the frame was shown
    BOOL m_bKeepInsideWorkArea = FALSE;
    BOOL m_bSwitchingLanguage = FALSE;
    BOOL m_bWaitCursor = FALSE;
    int64_t m_llLastPageSwitchMs = 0;
    UINT m_nDiagramDockBarId = AFX_IDW_DOCKBAR_BOTTOM;
    CRect m_rectDiagramFloat;
    BOOL m_bSuppressDiagramDocking = FALSE;
    int m_aiChannelViewSensor[4] = {0, 0, 0, 0};
    // Status line.
    UINT m_nLastStatusId = 0;
    CString m_strStatusText;
    double m_dConversionSpeed = 0.0;
    CStopWatch m_conversionStopWatch;
    BOOL m_bConversionStopWatchValid = FALSE;
    // Clock panes.
    int64_t m_llCurrentTime = 0;
    BOOL m_bWeekdayRefresh = FALSE;
    int m_iDateShownDay = -1;  // day of the date pane's text (yyyymmdd), -1 before the first
    int m_iDateShownLanguage = -1;
    // Device changes.
    BOOL m_bSensorLostDuringMeasurement = FALSE;
    int m_iDeviceChangeCalls = 0;
    int m_iNodeChanges = 0;
    struct RemovedDevice {
        DWORD deviceType = 0;
        CString portName;
        bool valid = false;
    } m_removedDevice;
    // Timers.
    int m_iBaudWriteWaitMs = 0;
    int m_iActivationGeneration = 0;
    // The activation generation when TIMER_REENABLE_CONNECTION was armed.
    int m_iActivationGenerationAtReenable = 0;
    // Close.
    BOOL m_bCloseAfterSerialWrite = FALSE;  // the close waits for the marked serial numbers
    BOOL m_bCloseDuringMeasurement = FALSE;
    BOOL m_bSystemClose = FALSE;           // CloseForSystem asked: no refusal, only waits
    BOOL m_bCloseAfterModalLoops = FALSE;  // a close met in a modal loop comes back after it
    // Log.
    BOOL m_bLogStarted = TRUE;
    BOOL m_bLogEnded = FALSE;
    // Settings writes: the first failure is reported once per save.
    BOOL m_bSettingsWriteFailed = FALSE;
    CString m_strSettingsWriteFailure;

    std::unique_ptr<ISensorPortProvider> m_pPortProvider;
    std::unique_ptr<CComPortWindowTimers> m_pWindowTimers;
    // Writes the sensors' configuration when the program closes; it registers with the dialogue.
    std::unique_ptr<CSensorConfigSequence> m_closeSequence;

    DECLARE_MESSAGE_MAP()
};

// The application's main frame, null while none exists.
CMainFrame* GetMainFrame();

// Offers a keyboard or mouse message to the main frame's shortcut handler, as the view, the pages
// and the form views do before their own handling; TRUE when it was consumed.
BOOL OfferToShortcutKeys(MSG* pMsg);

// Posts a form view's registration to the main frame, once its top-level frame exists.
void PostFormRegistration(CWnd* view, UINT code);
