// The measurement-uncertainty dialogs of the calibration page: the input of a channel's value
// (change or delete) and the message that a value is outside its range. They write nothing:
// the page checks the pending value and has the engine write it.
#pragma once

#include "pages/common/PerRunDialog.h"

class CDlgSensorCalibration;

class CDlgCalibInaccuracyDefine : public CDialog {
    DECLARE_DYNAMIC(CDlgCalibInaccuracyDefine)
  public:
    enum { IDD = 194 };
    explicit CDlgCalibInaccuracyDefine(CDlgSensorCalibration* page);
    BOOL OnInitDialog() override;

    double m_dValue[2] = {};
    // Kept over the program's run: the channel chosen last.
    static BOOL s_bChannelA;

  protected:
    void OnShowWindow(BOOL bShow, UINT nStatus);
    void OnChangeA();
    void OnChangeB();
    void OnChangeChannelA() { Finish(m_dValue[0], 0); }
    void OnChangeChannelB() { Finish(m_dValue[1], 1); }
    void OnDeleteA() { Finish(kDeleteValue, 2); }
    void OnDeleteB() { Finish(kDeleteValue, 3); }
    void OnChannelChosen();
    DECLARE_MESSAGE_MAP()

  private:
    // A value inside the range, so that the page's check lets a delete through (it writes 0).
    static constexpr double kDeleteValue = 0.666;
    void ApplyChannelEnabling();
    void Finish(double value, int action);
    CDlgSensorCalibration* m_pPage;
};

class CDlgCalibInaccuracyRangeFailure : public CDialog {
    DECLARE_DYNAMIC(CDlgCalibInaccuracyRangeFailure)
  public:
    enum { IDD = 195 };
    explicit CDlgCalibInaccuracyRangeFailure(CWnd* parent) : CDialog(IDD, parent) {}

  protected:
    void OnShowWindow(BOOL bShow, UINT nStatus);
    DECLARE_MESSAGE_MAP()
};
