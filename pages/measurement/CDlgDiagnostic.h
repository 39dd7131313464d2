// The diagnostic page (template 139): the detection of multi-port devices among the ports of the
// port table, and the groups it found (COM numbers, serial number, master).
#pragma once

#include <vector>

#include "pages/measurement/SettingsPage.h"
#include "sensor/CMasterSlaveDetector.h"

class CDlgDiagnostic : public CSettingsPage {
    DECLARE_DYNAMIC(CDlgDiagnostic)
  public:
    enum { IDD = 139 };
    CDlgDiagnostic() = default;

    BOOL SetLanguageTexts() override;
    // Collects the ports of the multi-port types from the frame's port table into the detector,
    // forms the groups and arms main-frame timer 14 (20 ms).
    void StartMultiportDetection();
    BOOL HasMultiportResult() const { return m_detector.HasResult() ? TRUE : FALSE; }
    int GetMultiportResultCount() const { return m_detector.GetResultCount(); }
    BOOL IsPortInMultiportGroup(const CString& port) const {
        return m_detector.IsPortInMultiportGroup(port) ? TRUE : FALSE;
    }
    // The groups, a copy the caller keeps for one use.
    std::vector<CMultiportGroup> GetMultiportResult() const;
    // Shows the detector's groups on the page.
    void ShowGroups();

    CMasterSlaveDetector m_detector;

  protected:
    BOOL OnInitDialog() override;
};
