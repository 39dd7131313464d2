// The diagram view (form 184) in the diagram bar: one live diagram window on the form's static
// 1209, the channels assigned to its curves from the measure configuration, every set of
// measured values added as points, and the chart redrawn on the view's TIMER_REDRAW.
#pragma once

#include "app/views/DiagramAssignment.h"
#include "app/views/GraphicDisplayWnd.h"
#include "pages/common/DiagramRun.h"
#include "pages/common/MeasureFlow.h"
#include "platform/framework/Framework.h"

class CMainFrame;

class CAFormDiagram : public CFormView, public IFlowDiagram, public IDiagramRun {
    DECLARE_DYNCREATE(CAFormDiagram)
  public:
    enum { IDD = 184 };
    static constexpr UINT IDC_DIAGRAM = 1209;
    static constexpr UINT TIMER_REDRAW = 6;
    static constexpr int kChannels = DiagramAssignment::kChannels;
    // The last value of a channel that is not active.
    static constexpr double kInactiveValue = 8888888888.0;
    // The version text of the live diagram window, kept in the settings.
    static constexpr const char* kLiveDiagramVersion = "1.01";
    static constexpr UINT TIMER_SAVE_AS = 11;
    static constexpr UINT TIMER_PRINT = 12;
    static constexpr UINT TIMER_AUTO_SAVE = 10;

    CAFormDiagram();
    void OnInitialUpdate() override;
    BOOL PreTranslateMessage(MSG* pMsg) override;

    // Where the diagram rows, interval, averaging and decimals come from (the measure
    // configuration page unless set).
    void SetDiagramSource(const IDiagramSource* source) { m_pSource = source; }

    void AssignCurvesToChannels() override;
    // Starts a measurement's diagram; assigns the curves itself when nobody did.
    void StartDiagram(BOOL reset) override;
    size_t ReallocateCurveStorage(long long points, std::span<const BYTE> inUse) override {
        return m_pDiagram != nullptr ? m_pDiagram->ReallocateStorage(points, inUse) : 0;
    }
    // Adds the set of values (channels A..P2) as points, or tells why the diagram refused one;
    // the caller owns any stop. values stays as given.
    DiagramAddResult AddMeasuredValues(const double values[6], BOOL multiSensor,
                                       const BOOL active[6], int selectionAB,
                                       double& time) override;
    // Reason 0 the timer's redraw, 1 the end of a measurement.
    void UpdateDiagram(int reason) override;
    int GetMaxCountOfValues() const override;
    void StopLiveTimer() override;
    double GetLastValue(int channel) const override;
    int GetCurveOfChannel(int channel) const override;
    int GetPointCount(int curve) const override;
    double GetPointX(int curve, int index) const override;
    double GetPointY(int curve, int index) const override;
    // After a measurement: the diagram is no longer fed; with automatic diagram storage its
    // picture goes to the documentation's diagram folder (TIMER_AUTO_SAVE).
    void SaveDiagramToDocumentation() override;
    // TIMER_SAVE_AS saves the bitmap under the frame's chosen name (m_strSaveAsFile without a
    // frame).
    void ArmSaveAsTimer() override;
    void ArmPrintTimer() override;
    CString m_strSaveAsFile;
    void SetPointLimit(BOOL on, int count);
    void ResetCount(int channel);
    // Rewrites the diagram's texts in the current language.
    void ApplyLanguage();
    // The view fills the bar's client; the diagram is inset 9 pixels left and top, 10 right and
    // bottom.
    void ResizeToBar(CWnd* bar, int left, int top, int right, int bottom);

    CGraphicDisplayWnd* GetDiagram() { return m_pDiagram; }
    const DiagramAssignment& GetAssignment() const { return m_assignment; }
    int GetRedrawPeriod() const { return m_iRedrawPeriod; }
    int GetChannelPointCount(int channel) const { return m_aiPointCount[channel]; }
    BOOL IsStarted() const { return m_bStarted; }

  protected:
    void OnTimer(UINT_PTR nIDEvent);
    void CapturePrintPicture();
    void SaveAutomaticPicture();
    // After the automatic save, written or not: the panel's next trigger, or the pending close.
    void ContinueAfterAutoSave();
    void OnPaint();
    void OnShowWindow(BOOL bShow, UINT nStatus);
    void SetupCurves();
    CString GetAxisLabel(int source, bool twoLines) const;
    CString GetAxisFormat(int source, int& decimals) const;
    const IDiagramSource* Source() const;
    // A value through the frame's diagram averaging (index 0 the x value, c + 1 channel c);
    // false while the average is not complete.
    bool Average(int index, double value, double& out) const;

    CMainFrame* m_pFrame = nullptr;
    const IDiagramSource* m_pSource = nullptr;
    BOOL m_bFirstUpdatePending = TRUE;
    CGraphicDisplayWnd m_diagram;
    CGraphicDisplayWnd* m_pDiagram = nullptr;
    DiagramAssignment m_assignment;
    int m_iXDecimals = 2;
    int m_aiCurveDecimals[kChannels] = {2, 2, 2, 2, 2, 2};
    double m_dObservedXMin = 0.0;
    double m_dObservedXMax = 0.0;
    // The colour SetupCurves last gave each curve; another one on the chart is the operator's.
    static constexpr COLORREF kNoColourGiven = 0xFFFFFFFF;
    COLORREF m_aclrCurveGiven[kChannels] = {kNoColourGiven, kNoColourGiven, kNoColourGiven,
                                            kNoColourGiven, kNoColourGiven, kNoColourGiven};
    // Value sets since the start in time mode: the next one's time is this many intervals.
    int64_t m_llValueSets = 0;
    double m_adLastPlottedY[kChannels] = {};
    double m_dInterval = 1.0;
    double m_dEffectiveInterval = 1.0;
    int m_iRedrawPeriod = 450;
    int m_aiPointCount[kChannels] = {};
    BOOL m_bPointLimit = FALSE;
    int m_iPointLimit = 0;
    double m_adLastValue[kChannels] = {};
    BOOL m_bStarted = FALSE;
    BOOL m_bPrimed = FALSE;
    int m_iPointsUntilPrimed = 2;
    BOOL m_bXChannelFit = FALSE;
    BOOL m_bAssignmentDone = FALSE;
    int m_nReallocationsSeen = 0;
    bool m_bLastMultiSensor = true;
    int m_iLastSelectionAB = 3;
    DECLARE_MESSAGE_MAP()
};
