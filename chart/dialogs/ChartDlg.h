// The chart tab of the property sheet: the chart's three colours, legend, snapping and double
// buffering, and the lists that choose the axis and curve the other two tabs edit.
#pragma once

#include "chart/dialogs/ChartTabPage.h"
#include "chart/dialogs/ColorButton.h"
#include "platform/framework/commctrl/SpinButtonCtrl.h"

class CChartDlg : public CChartTabPage {
  public:
    enum { IDD = 5011 };
    explicit CChartDlg(CChartPage* sheet);

    void Load() override;
    bool Apply() override;

    CSpinButtonCtrl m_SnapSpin;
    CComboBox m_CurveCombo;
    CComboBox m_YAxisCombo;
    CComboBox m_XAxisCombo;
    CComboBox m_LegendPosCombo;
    CColorButton m_InnerColor;
    CColorButton m_OuterColor;
    CColorButton m_BackColor;
    int m_bShowLegend = 0;
    int m_bDoubleBuffer = 0;
    int m_nXAxis = -1;
    int m_nYAxis = -1;
    int m_nCurve = -1;
    int m_bSnap = 0;
    int m_nSnapRange = 0;
    int m_nLegendPos = -1;
    COLORREF m_crBack = 0;
    COLORREF m_crOuter = 0;
    COLORREF m_crInner = 0;

  protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnChange();
    void OnSelXAxis();
    void OnSelYAxis();
    void OnSelCurve();
    DECLARE_MESSAGE_MAP()

  private:
    CXGraph* Graph() const;
    CChartPage* m_pSheet;
};
