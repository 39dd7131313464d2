// The live diagram window: the chart, an interval slider and a range slider over the curve
// store. The diagram view feeds it points and shows or hides its ten curves; nothing is drawn
// per point, the chart paints the store's arrays in place. The 50 ms TIMER_REDRAW only follows
// slider moves; TIMER_READOUT_DELAY and TIMER_READOUT_HIDE show and hide the read-out of the curve
// under the mouse.
#pragma once

#include <memory>
#include <vector>

#include "app/flow/DataManager.h"
#include "app/views/DiagramPageTexts.h"
#include "chart/XGraph.h"
#include "chart/sliders/NiceSliderCtrl.h"
#include "chart/sliders/RangeSlider.h"
#include "platform/base/SyncLocks.h"
#include "platform/base/SyncObjects.h"
#include "platform/framework/Framework.h"

class CChartPage;

class CGraphicDisplayWnd : public CWnd, public ICurveChartLink {
    DECLARE_DYNAMIC(CGraphicDisplayWnd)
  public:
    static constexpr int kCurves = CDataManager::kCurves;
    static constexpr UINT IDC_INTERVAL_SLIDER = 4711;
    static constexpr UINT IDC_RANGE_SLIDER = 4712;
    static constexpr UINT TIMER_REDRAW = 1;
    static constexpr UINT TIMER_READOUT_DELAY = 2;
    static constexpr UINT TIMER_READOUT_HIDE = 3;
    static constexpr int kSliderSteps = 10000;
    // Why AddPoint refused a point.
    enum AddResult { ADD_NOT_READY = 0, ADD_BAD_CURVE = -1, ADD_OUT_OF_MEMORY = -2 };
    // The context menu's entries in their order, by command.
    static constexpr UINT kMenuCommands[13] = {4000,  60001, 60002, 60003, 60004, 60005, 60006,
                                               60007, 60008, 60009, 60010, 60011, 60012};

    CGraphicDisplayWnd();
    ~CGraphicDisplayWnd() override;

    // Builds chart and sliders in the window rect of the static it replaces (or the rect given)
    // once; false when the chart cannot be made or already exists.
    BOOL Create(CWnd* owner, const CRect& rect, UINT id);
    using CWnd::Create;

    // ---- Curves ----
    // Remakes the store for a measurement: the points per curve now allocated, 0 when the store
    // stayed as it was. The store's messages are shown once store and chart agree.
    size_t ReallocateStorage(long long points, std::span<const BYTE> inUse);
    BOOL IsStorageReady() const { return m_bStorageReady; }
    // How often the store's arrays were remade (each leaves a (0, 0) point in every curve).
    int GetReallocationCount() const { return m_nReallocations; }
    // The new number of points of the curve, or an AddResult.
    int AddPoint(int curve, double x, double y);
    BOOL ResetCurve(int curve);
    void showCurve(int curve, BOOL show, BOOL axisVisible, BOOL fitRange);
    int GetCurvePointCount(int curve) const;
    const TDataPoint* GetCurve(int curve) const { return m_store.GetData(curve); }
    double GetCurveX(int curve, int i) const;
    double GetCurveY(int curve, int i) const;
    int GetMaxCurvePointCount();
    CDataManager& GetStore() { return m_store; }
    void RepointCurve(int curve, TDataPoint* data, int count) override;

    // ---- The x window ----
    void SetXRange(double a, double b);
    void GetXRange(double& minimum, double& maximum, double& step);
    void SetWindowWidth(double width);
    double GetWindowWidth() const { return m_dWindowWidth; }
    // Mode 0: oldest to newest x; mode 1: the newest x less the window width to the newest x.
    void UpdateXWindow(int mode);
    void SyncSliders();

    // ---- Looks ----
    void SetCurveColor(int curve, COLORREF color);
    // The curve's colour on the chart; black for a curve the chart does not have.
    COLORREF GetCurveColor(int curve) const;
    void SetCurveLabel(int curve, const CString& label);
    void SetCurveLineWidth(int curve, int width);
    void SetYAxisLabel(int axis, const CString& label);
    void SetYAxisColor(int axis, COLORREF color);
    void SetYAxisFormat(int axis, const CString& format);
    void SetXAxisLabel(const CString& label);
    void SetXAxisFormat(const CString& format);
    // The decimal point of every axis's number labels.
    void SetDecimalPoint(char point);
    void SetTitles(const CString& first, const CString& second);
    // Context-menu entry i (order of kMenuCommands), 13 the read-out title, 14 its body format.
    // An empty entry text leaves the entry out.
    void SetMenuText(int i, const CString& text);
    CString GetMenuText(int i) const;
    // The texts of property page 0 chart, 1 axis, 2 curve, applied whenever the sheet is shown.
    void SetPageTexts(int page, PageTexts texts);
    // Shows the chart's property sheet (made on first use) with the page texts.
    void ShowProperties();
    CChartPage* GetProperties() const { return m_pProperties.get(); }
    // Fills the context menu as it is shown; false when no entry is left.
    BOOL BuildContextMenu(CMenu& menu);

    // ---- Output ----
    bool SaveBitmap(const CString& path);
    HGLOBAL GetWindowDIB();
    void Redraw();
    // While held, Redraw only notes that a paint is due; the last release paints once. Several
    // changes in a row (every curve, then the x range) then cost one paint, not one each.
    void HoldRedraw() { ++m_iRedrawHeld; }
    void ReleaseRedraw();
    CString GetVersion() const { return "1.01"; }
    CXGraph* GetChart() const { return m_pChart.get(); }
    CNiceSliderCtrl& GetIntervalSlider() { return m_intervalSlider; }
    CRangeSlider& GetRangeSlider() { return m_rangeSlider; }
    double GetXMinimum() const { return m_dXMin; }
    double GetXMaximum() const { return m_dXMax; }
    int m_iReadoutDelay = 2000;
    int m_iReadoutDuration = 3000;
    BOOL IsReadoutShown() const { return m_bReadoutShown; }
    const CXGraphLabel* GetReadout() const { return m_pReadout; }

    // The commands of the context menu.
    void OnMenuCommand(UINT id);
    LRESULT OnIntervalChange(WPARAM wParam, LPARAM lParam);
    LRESULT OnCurveUnderMouse(WPARAM wParam, LPARAM lParam);
    LRESULT OnUndoZoom(WPARAM wParam, LPARAM lParam);

  protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnSize(UINT nType, int cx, int cy);
    void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    void OnTimer(UINT_PTR nIDEvent);
    void OnPaint();
    void LayoutChildren(int cx, int cy);
    void ShowContextMenu();
    void ShowReadout();
    // The read-out box's size: the configured one, larger where the text needs it.
    CSize ReadoutSize(const CString& text);
    // Newest and oldest x over the curves in use (the store's last-index mode around it).
    double NewestX();
    double OldestX();
    // The interval slider's position of a window end: maximum ÷ newest x × 10000, in range.
    static int SliderPosition(double maximum, double newest);
    bool HasXAxis() const;

    void ApplyPageTexts();

    std::unique_ptr<CXGraph> m_pChart;
    std::unique_ptr<CChartPage> m_pProperties;
    PageTexts m_aPageTexts[3];
    CNiceSliderCtrl m_intervalSlider;
    CRangeSlider m_rangeSlider;
    CDataManager m_store;
    double m_dXMin = 0.0;
    double m_dXMax = 0.0;
    int m_iIntervalPosition = 0;
    BOOL m_bSliderBusy = FALSE;
    int m_iIntervalSliderHeight = 20;
    int m_iRangeSliderHeight = 20;
    BOOL m_bRangeSliderTop = FALSE;
    BOOL m_bIntervalSliderTop = TRUE;
    COLORREF m_crInner = RGB(255, 255, 255);
    COLORREF m_crBack = RGB(127, 127, 127);
    COLORREF m_crOuter = RGB(192, 192, 192);
    int m_iXWindowMode = 0;
    double m_dWindowWidth = 0.0;
    CWnd* m_pOwner = nullptr;
    CString m_astrMenu[15];
    int m_iCurveUnderMouse = -1;
    BOOL m_bReadoutShown = FALSE;
    CXGraphLabel* m_pReadout = nullptr;
    int m_iReadoutWidth = 100;
    int m_iReadoutHeight = 50;
    TDataPoint* m_apHandedOver[kCurves] = {};
    BOOL m_bCurveBusy = FALSE;
    int m_iRedrawHeld = 0;
    bool m_bRedrawDue = false;
    mutable CCriticalSection m_lock;
    BOOL m_bSuppressRedrawTimer = FALSE;
    BOOL m_bStorageReady = FALSE;
    BOOL m_bPrimed = FALSE;
    int m_nReallocations = 0;
    DECLARE_MESSAGE_MAP()
};
