// The chart's property sheet: a modeless window (template 5000) with a tab control whose pages
// edit the chart (tab 0), one axis (tab 1) and one curve (tab 2). The pages are made on the first
// show; every show reloads them from the chart. The edited axis and curve are kept as indices,
// so that curves appended or deleted while the sheet is open never leave it holding a stale item.
#pragma once

#include "platform/framework/Dialog.h"
#include "platform/framework/commctrl/TabCtrl.h"

class CXGraph;
class CXGraphAxis;
class CXGraphDataSerie;
class CChartDlg;
class CAxisDlg;
class CCurveDlg;
class CChartTabPage;

class CChartPage : public CDialog {
  public:
    enum { IDD = 5000 };
    static constexpr int kChartTab = 0;
    static constexpr int kAxisTab = 1;
    static constexpr int kCurveTab = 2;

    explicit CChartPage(CXGraph* graph = nullptr);
    ~CChartPage() override;
    CChartPage(const CChartPage&) = delete;
    CChartPage& operator=(const CChartPage&) = delete;

    BOOL Create(UINT templateId, CWnd* parent = nullptr) override;
    using CDialog::Create;

    void SetGraph(CXGraph* graph) { m_pGraph = graph; }
    CXGraph* GetGraph() const { return m_pGraph; }
    // The pages, null until the first show.
    CChartDlg* GetChartDlg() const { return m_pChartDlg; }
    CAxisDlg* GetAxisDlg() const { return m_pAxisDlg; }
    CCurveDlg* GetCurveDlg() const { return m_pCurveDlg; }
    CTabCtrl& GetTabCtrl() { return m_TabCtrl; }
    CChartTabPage* GetPage(int tab) const;

    // The item the axis and curve pages edit: (X or Y, index) and a curve index; the pointers
    // are resolved with bounds checks, null when the item does not exist.
    void SelectXAxis(int index);
    void SelectYAxis(int index);
    void SelectCurve(int index);
    CXGraphAxis* GetCurrentAxis() const;
    CXGraphDataSerie* GetCurrentCurve() const;
    bool IsCurrentAxisX() const { return m_bAxisIsX; }
    int GetCurrentAxisIndex() const { return m_nAxis; }
    int GetCurrentCurveIndex() const { return m_nCurve; }

    // Makes the page of the tab the visible one (0 chart, 1 axis, 2 curve; others hide all).
    void ShowPage(int tab);
    // OK applies every page whose Apply is enabled, stopping on that page's tab at the first
    // refusal; then it hides the sheet. Cancel only hides it.
    void OnOK() override;
    void OnCancel() override;

  protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void OnShowWindow(BOOL show, UINT status);
    void OnSelChange(NMHDR* header, LRESULT* result);
    DECLARE_MESSAGE_MAP()

  private:
    void CreatePages();
    void RebuildTabs();
    void KeepCurrentItemsValid();
    void HideAndRepaintChart();

    CTabCtrl m_TabCtrl;
    CChartDlg* m_pChartDlg = nullptr;
    CCurveDlg* m_pCurveDlg = nullptr;
    CAxisDlg* m_pAxisDlg = nullptr;
    CXGraph* m_pGraph = nullptr;
    bool m_bAxisIsX = false;
    int m_nAxis = -1;
    int m_nCurve = -1;
};
