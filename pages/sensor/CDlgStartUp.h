// The start-up search window (template 197): shows the progress of the first search for sensors
// and lets the user search USB ports only. A member of the main frame, registered with it by a
// direct call.
#pragma once

#include "platform/framework/Framework.h"

class CDlgStartUp : public CDialog {
    DECLARE_DYNAMIC(CDlgStartUp)
  public:
    enum { IDD = 197 };
    static constexpr UINT SHOW_SEARCH_DELAY_MS = 200;

    CDlgStartUp() = default;
    BOOL OnInitDialog() override;

    void ShowProgressBar(int) {}
    void SetPortProgress(int) {}
    void AdvanceProgress(int) {}
    void PresetProgressStep() {}
    void StopProgress() {}
    void ShowScanFinished() {}
    void SetProgressActive(BOOL active) { m_bProgressActive = active; }
    void HideWindow() {
        if (m_hWnd != nullptr)
            ShowWindow(SW_HIDE);
    }
    BOOL IsSearchForOnlyUsbPorts() const { return m_bSearchForOnlyUsbPorts; }

    BOOL m_bSearchForOnlyUsbPorts = FALSE;
    BOOL m_bProgressActive = FALSE;

  protected:
    void OnShowWindow(BOOL bShow, UINT nStatus);
    DECLARE_MESSAGE_MAP()
};
