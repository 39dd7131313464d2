// The label's properties dialog (modal, opened by the label's "Properties" command): background
// colour, font and text colour, alignment, border, transparency and the curve it is tied to.
#pragma once

#include "chart/dialogs/ColorButton.h"
#include "platform/framework/Dialog.h"

class CXGraphLabel;

class CLabelDlg : public CDialog {
  public:
    enum { IDD = 5012 };
    explicit CLabelDlg(CXGraphLabel* label = nullptr, CWnd* parent = nullptr);
    INT_PTR DoModal() override;

    // Writes the dialog into the label; false when a field is refused.
    bool Apply();

    // Runs the dialog on the label, owned by its chart: what the label's "Properties" command
    // opens.
    static void ShowFor(CXGraphLabel* label);

    CComboBox m_CurveCombo;
    CColorButton m_Color;
    int m_bBorder = 0;
    int m_nAlignment = -1;
    int m_nAnchorCurve = -1;
    int m_bTransparent = 0;
    COLORREF m_crBack = 0;
    CXGraphLabel* m_pLabel;

  protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnApply();
    void OnFont();
    void OnChange();
    LRESULT OnColourChanged(WPARAM, LPARAM);
    DECLARE_MESSAGE_MAP()
};
