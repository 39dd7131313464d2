// The step dialogs of an adjustment: confirmation, zero reading, loaded reading, wrong scale and
// deletion. Each is made anew for a run, registers with the main frame when it opens and leaves
// its slot when it goes.
#pragma once

#include "app/PerRunDialog.h"

class CDlgCalibMsgDoCalib : public CPerRunDialog {
    DECLARE_DYNAMIC(CDlgCalibMsgDoCalib)
  public:
    CDlgCalibMsgDoCalib() : CPerRunDialog(1229) {}
};

class CDlgCalibMsgGetValueZero : public CPerRunDialog {
    DECLARE_DYNAMIC(CDlgCalibMsgGetValueZero)
  public:
    CDlgCalibMsgGetValueZero() : CPerRunDialog(1230) {}
};

class CDlgCalibMsgGetValueEnd : public CPerRunDialog {
    DECLARE_DYNAMIC(CDlgCalibMsgGetValueEnd)
  public:
    CDlgCalibMsgGetValueEnd() : CPerRunDialog(1231) {}
};

class CDlgCalibMsgWrongScaleValue : public CPerRunDialog {
    DECLARE_DYNAMIC(CDlgCalibMsgWrongScaleValue)
  public:
    CDlgCalibMsgWrongScaleValue() : CPerRunDialog(1232) {}
};

class CDlgCalibMsgDeleteCalib : public CPerRunDialog {
    DECLARE_DYNAMIC(CDlgCalibMsgDeleteCalib)
  public:
    CDlgCalibMsgDeleteCalib() : CPerRunDialog(1233) {}
};
