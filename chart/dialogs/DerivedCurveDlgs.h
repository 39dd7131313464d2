// The two modal dialogs of the curve page's derived curves: the moving average's kind and
// window, and a trend's extension and polynomial degree.
#pragma once

#include "platform/framework/Dialog.h"
#include "platform/framework/commctrl/SpinButtonCtrl.h"

class CMovingAvgDlg : public CDialog {
  public:
    enum { IDD = 5013 };
    explicit CMovingAvgDlg(CWnd* parent = nullptr);
    INT_PTR DoModal() override;

    CSpinButtonCtrl m_Spin;
    // 0 simple, 1 linear, 2 exponential, 3 triangular, 4 sine-weighted.
    int m_nKind = 0;
    int m_nWindowSize = 10;
    // Set by the caller before DoModal; the window size is kept within 1..maximum.
    int m_nMaximum = 100;

  protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
};

class CTrendDlg : public CDialog {
  public:
    enum { IDD = 5014 };
    // Points added past the last one; an array the memory cannot hold is refused when made.
    static constexpr int kMaxExtension = 100000000;
    explicit CTrendDlg(CWnd* parent = nullptr);
    INT_PTR DoModal() override;

    CSpinButtonCtrl m_DegreeSpin;
    CSpinButtonCtrl m_ExtensionSpin;
    int m_nExtension = 0;
    int m_nDegree = 5;

  protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
};
