// The curve tab of the property sheet: name, draw mode, line, markers and the filled area of the
// curve the sheet selected, and four operations that derive a new curve from it (a moving
// average and a polynomial, linear or cubic trend) for the host to offer.
#pragma once

#include "chart/dialogs/ChartTabPage.h"
#include "chart/dialogs/ColorButton.h"
#include "platform/framework/commctrl/SpinButtonCtrl.h"

class CXGraphDataSerie;

class CCurveDlg : public CChartTabPage {
  public:
    enum { IDD = 5004 };
    explicit CCurveDlg(CChartPage* sheet);

    void Load() override;
    bool Apply() override;
    bool HasItem() const override;

    // Each asks for its parameters in a modal dialog and appends the new curve; nothing happens
    // on cancel, for a curve of fewer than two points or when the computation yields nothing.
    void AddMovingAverage();
    void AddPolynomialTrend();
    void AddLinearTrend();
    void AddCubicTrend();

    CComboBox m_FillCurveCombo;
    CSpinButtonCtrl m_LineWidthSpin;
    CSpinButtonCtrl m_MarkerSizeSpin;
    CComboBox m_MarkerCombo;
    CColorButton m_Color;
    int m_nDrawMode = -1;
    int m_nLineWidth = 0;
    int m_nLineStyle = -1;
    int m_bShowMarkers = 0;
    int m_bVisible = 0;
    int m_bFill = 0;
    int m_nFillStyle = -1;
    int m_bFillTransparent = 0;
    CString m_cName;
    int m_nMarkerType = 0;
    int m_nMarkerSymbol = 0;
    int m_nMarkerSize = 1;
    // The chart's index of the curve the area is filled to, -1 for none.
    int m_nFillCurve = -1;
    COLORREF m_crColor = 0;

  protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnChange();
    void OnMeasureItem(int id, LPMEASUREITEMSTRUCT item);
    void OnDrawItem(int id, LPDRAWITEMSTRUCT item);
    DECLARE_MESSAGE_MAP()

  private:
    CXGraphDataSerie* Curve() const;
    void ApplyEnablingRule(bool fill, bool markers, bool symbolFromList);
    void SelectFillCurve(int curve);
    int SelectedFillCurve() const;
    // A trend by kind (0 polynomial, 1 linear, 2 cubic).
    void AddTrend(int kind);
    CChartPage* m_pSheet;
};

namespace kq::chart {

// "f(x)=" and one "%5.4e*X^%d" term per non-zero coefficient (rising powers), each but the
// last followed by "+" and a line feed.
CString PolynomialFormula(const double* coefficients, int count);

}  // namespace kq::chart
