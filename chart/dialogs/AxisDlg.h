// The axis tab of the property sheet: title, visibility, grid, auto-scale, number or time
// display with range and step, fonts, colours and sizes of the axis the sheet selected.
#pragma once

#include "chart/dialogs/ChartTabPage.h"
#include "chart/dialogs/ColorButton.h"
#include "platform/base/OleDateTime.h"
#include "platform/framework/commctrl/SpinButtonCtrl.h"

class CXGraphAxis;

class CAxisDlg : public CChartTabPage {
  public:
    enum { IDD = 5007 };
    explicit CAxisDlg(CChartPage* sheet);

    void Load() override;
    bool Apply() override;
    bool HasItem() const override;

    CSpinButtonCtrl m_MarkerSizeSpin;
    CSpinButtonCtrl m_ArrowSizeSpin;
    CSpinButtonCtrl m_TickSizeSpin;
    CColorButton m_GridColor;
    CColorButton m_AxisColor;
    CSpinButtonCtrl m_DecimalsSpin;
    CString m_cTitle;
    int m_bAutoScale = 0;
    double m_fMin = 0.0;
    double m_fMax = 0.0;
    int m_bShowGrid = 0;
    int m_bTimeAxis = 0;
    int m_bVisible = 1;
    int m_nDecimals = 0;
    int m_nArrowSize = 0;
    int m_nTickSize = 0;
    int m_nMarkerSize = 0;
    double m_fStep = 0.0;
    COleDateTime m_MaxDate{0.0};
    COleDateTime m_MaxTime{0.0};
    COleDateTime m_MinDate{0.0};
    COleDateTime m_MinTime{0.0};
    CString m_cTimeFormat;
    int m_bShowMarkers = 1;
    int m_nPlacement = -1;
    int m_nGridStyle = -1;
    int m_nTimeUnit = -1;
    int m_nTimeStep = 0;
    COLORREF m_crAxis = 0;
    COLORREF m_crGrid = 0;

  protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnChange();
    void OnPickerChange(NMHDR* header, LRESULT* result);
    void OnTitleFont();
    void OnLabelFont();
    void OnMeasureItem(int id, LPMEASUREITEMSTRUCT item);
    void OnDrawItem(int id, LPDRAWITEMSTRUCT item);
    DECLARE_MESSAGE_MAP()

  private:
    CXGraphAxis* Axis() const;
    void ApplyEnablingRule(bool autoScale, bool timeAxis);
    void ChooseFont(bool title);
    void ApplyRange(CXGraphAxis& axis);
    CChartPage* m_pSheet;
};
