// What the pages need of the window that hosts them: the sensor dialogue they drive, the state and
// requests of the measurement engine, the channel records, the other pages and the views they
// touch. The main frame implements it; the pages reach it through GetPageHost(), so that they
// never see the frame itself.
#pragma once

#include "pages/common/ChannelRecord.h"
#include "pages/common/MeasureFlow.h"
#include "platform/framework/Framework.h"
#include "sensor/CComPort.h"

class IChannelViewControl;
class IDiagramRun;
class ILightIndicator;
class CDlgStartUp;
class IConnectionPageLink;
class ISensorInformationLink;
class IMeasureConfigLink;
class IMeasurePanelLink;
class IDiagnosticLink;

class PageHost {
  public:
    // The frame's timers that pages arm on the frame window.
    static constexpr UINT TIMER_MULTIPORT_EVALUATION = 14;
    static constexpr UINT TIMER_SW_CONFIG_WRITE = 37;
    static constexpr UINT TIMER_SINGLE_SHOT = 40;

    // ---- The host's window and the sensor dialogue ----
    // The frame window: timers, messages and caption of the application.
    virtual CWnd& HostWindow() = 0;
    // The window whose client area the pages fill; null before it exists.
    virtual CWnd* PageArea() const = 0;
    // The sensor dialogue, read only: its sensor records, port entries and state.
    virtual const CComPort& Dialogue() const = 0;
    // What the pages may ask the sensor dialogue to do.
    virtual IComPortCommands& Commands() = 0;

    // ---- Start-up, language, cursor, keys ----
    virtual BOOL IsStartUpPending() const = 0;
    virtual LRESULT RegisterWindow(CWnd* window, LPARAM lParam, UINT code) = 0;
    virtual void UnregisterWindow(CWnd* window) = 0;
    virtual BOOL HandleShortcutKeys(MSG* pMsg) = 0;
    virtual int GetLanguageOffset() const = 0;
    // The offset itself, for the formatters that read it whenever they format.
    virtual int* LanguageOffsetVariable() = 0;
    virtual void WaitCursorOn() = 0;
    virtual void WaitCursorOff() = 0;
    virtual BOOL IsWaitCursorShown() const = 0;
    virtual void ShowStatusMessage(UINT id) = 0;
    virtual BOOL SetOperatingMode(UINT pageId) = 0;
    // The connection page, whose refresh follows 20 ms later.
    virtual void SwitchToSensorConnectionPage() = 0;
    virtual CDlgStartUp& StartUpWindow() = 0;

    // ---- The measurement engine ----
    virtual BOOL StartEngineMeasuring() = 0;
    virtual BOOL StopEngineMeasuring() = 0;
    virtual BOOL IsEngineAtRest() const = 0;
    virtual void RequestSoftwareConfigWrite(int sensor) = 0;
    virtual void TakeOverStartStopConditions() = 0;
    virtual void InitTriggerArmedFlags() = 0;
    virtual void ArmTriggerCycle() = 0;
    virtual void BeginMeasurement() = 0;
    virtual void EndTriggerCycle() = 0;
    virtual void FinishMeasurement() = 0;
    virtual BOOL SetupMeasureValueFile(int mode) = 0;
    // A manual save still waiting for its worker writes its rows now, before a start empties
    // the curve store.
    virtual void CompletePendingManualSave() = 0;
    virtual void ResetMovingAverages(int mode) = 0;
    virtual void RecoverFromSensorLoss(BOOL stop) = 0;
    virtual void RecomputeUnitFactors(int sensor) = 0;
    virtual void SetWaitingForTrigger(BOOL waiting) = 0;
    // Both angle channels take their next value as zero.
    virtual void RequestAngleZero() = 0;
    virtual BOOL HasExportFailed() const = 0;
    virtual int GetDefaultDiagramLength() const = 0;
    // The frame setting of the measure configuration (1..9999).
    virtual int GetFrameSetting() const = 0;
    virtual void SetFrameSetting(int value) = 0;

    // ---- Channels ----
    virtual ChannelRecord& RecordOfChannel(int channel) = 0;
    virtual ChannelRecord& ChannelRecordAt(int record) = 0;
    virtual BOOL IsChannelActive(int channel) const = 0;
    virtual BOOL IsChannelBarVisible(int channel) const = 0;
    virtual void ToggleChannelView(int channel) = 0;
    // The views' fields were cleared: the next value set writes each of them again.
    virtual void ForgetShownChannelValues() = 0;

    // ---- The sensor dialogue's page calls that pages make themselves ----
    virtual void SetProgressActive(BOOL active) = 0;
    virtual void ShowControlElements(BOOL enable) = 0;
    virtual void CloseScaleDialogIfVisible() = 0;
    virtual BOOL IsMeasuring() = 0;

    // ---- Views and pages (null until they have registered) ----
    virtual IChannelViewControl* ChannelViewControl(int channel) const = 0;
    virtual IDiagramRun* DiagramRun() const = 0;
    virtual ILightIndicator* Light() const = 0;
    virtual IFlowDiagram* FlowDiagram() const = 0;
    virtual IFlowMeasureConfig* FlowMeasureConfig() const = 0;
    // The other pages, each through what the pages ask of it (pages/common/PageLinks.h).
    virtual IConnectionPageLink* ConnectionPage() const = 0;
    virtual ISensorInformationLink* InformationPage() const = 0;
    virtual IMeasureConfigLink* MeasureConfigPage() const = 0;
    virtual IFlowDocumentation* DocumentationPage() const = 0;
    virtual IMeasurePanelLink* MeasurePanel() const = 0;
    virtual IDiagnosticLink* DiagnosticPage() const = 0;

  protected:
    ~PageHost() = default;
};

// The host of the pages, null while none exists.
PageHost* GetPageHost();
// The host announces itself when it is made and withdraws (null) when it goes.
void SetPageHost(PageHost* host);
