// The step dialogs of an adjustment: confirmation, zero reading, loaded reading, wrong scale and
// deletion. Each is made anew for a run, registers with the main frame when it opens and leaves
// its slot when it goes.
#pragma once

#include "platform/framework/Framework.h"

class CCalibStepDialog : public CDialog {
    DECLARE_DYNAMIC(CCalibStepDialog)
  public:
    explicit CCalibStepDialog(UINT registration) : m_nRegistration(registration) {}
    BOOL OnInitDialog() override;

  protected:
    void OnDestroy();
    UINT m_nRegistration;
    DECLARE_MESSAGE_MAP()
};

class CDlgCalibMsgDoCalib : public CCalibStepDialog {
    DECLARE_DYNAMIC(CDlgCalibMsgDoCalib)
  public:
    CDlgCalibMsgDoCalib() : CCalibStepDialog(1229) {}
};

class CDlgCalibMsgGetValueZero : public CCalibStepDialog {
    DECLARE_DYNAMIC(CDlgCalibMsgGetValueZero)
  public:
    CDlgCalibMsgGetValueZero() : CCalibStepDialog(1230) {}
};

class CDlgCalibMsgGetValueEnd : public CCalibStepDialog {
    DECLARE_DYNAMIC(CDlgCalibMsgGetValueEnd)
  public:
    CDlgCalibMsgGetValueEnd() : CCalibStepDialog(1231) {}
};

class CDlgCalibMsgWrongScaleValue : public CCalibStepDialog {
    DECLARE_DYNAMIC(CDlgCalibMsgWrongScaleValue)
  public:
    CDlgCalibMsgWrongScaleValue() : CCalibStepDialog(1232) {}
};

class CDlgCalibMsgDeleteCalib : public CCalibStepDialog {
    DECLARE_DYNAMIC(CDlgCalibMsgDeleteCalib)
  public:
    CDlgCalibMsgDeleteCalib() : CCalibStepDialog(1233) {}
};
