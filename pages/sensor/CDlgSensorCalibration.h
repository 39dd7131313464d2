// The sensor calibration page (template 137): the user adjustment and the measurement
// uncertainty, with its step dialogs.
#pragma once

#include "app/PageDialog.h"

class CDlgSensorCalibration : public CPageDialog {
    DECLARE_DYNAMIC(CDlgSensorCalibration)
  public:
    enum { IDD = 137 };
    CDlgSensorCalibration() = default;

    void ShowControlElements(BOOL) {}
    void AdvanceCalibProgress(int) {}
    BOOL CalcualteCalibValues(BOOL, int, int& errors) {
        errors = 0;
        return TRUE;
    }
    int GetUncertaintyAction() { return 0; }
    void StartZeroWaitTimer() {}
    void ShowNotLoadedIndicator() {}
    void CloseScaleDialogIfVisible() {}
};
