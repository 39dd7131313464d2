// The diagnostic page (template 139): four raw requests to the open sensor (long status, link
// test, repeat, restart) with their request and reply bytes and the decoded reply; and the
// detection of multi-port devices among the ports of the port table, with the groups it found
// (COM numbers, serial number, master) in a list.
#pragma once

#include <vector>

#include "controls/list/CXListCtrl.h"
#include "pages/common/PageLinks.h"
#include "pages/measurement/SettingsPage.h"
#include "sensor/CMasterSlaveDetector.h"

class CDlgDiagnostic : public CSettingsPage, public IDiagnosticLink {
    DECLARE_DYNAMIC(CDlgDiagnostic)
  public:
    enum { IDD = 139 };
    // While shown, the request buttons follow the engine's state at this pace.
    static constexpr UINT TIMER_BUTTONS = 1;
    static constexpr UINT kButtonsPeriodMs = 250;
    enum { COL_PORTS, COL_SERIAL, COL_MASTER, COLUMN_COUNT };

    CDlgDiagnostic() = default;
    ~CDlgDiagnostic() override;

    BOOL SetLanguageTexts() override;
    // Collects the ports of the multi-port types from the frame's port table into the detector,
    // forms the groups and arms CMainFrame::TIMER_MULTIPORT_EVALUATION (20 ms).
    void StartMultiportDetection();
    BOOL HasMultiportResult() const override { return m_detector.HasResult() ? TRUE : FALSE; }
    int GetMultiportResultCount() const { return m_detector.GetResultCount(); }
    BOOL IsPortInMultiportGroup(const CString& port) const {
        return m_detector.IsPortInMultiportGroup(port) ? TRUE : FALSE;
    }
    // The groups, a copy the caller keeps for one use.
    std::vector<CMultiportGroup> GetMultiportResult() const;
    // Shows the detector's groups on the page.
    void ShowGroups();

    // Request kind 0..3 (CComPort::DiagnosticKind) to the open sensor; a request that cannot be
    // sent says so in the pane.
    void SendRequest(int kind);
    // The engine's end of a request: the bytes and what they say, or "no answer".
    void OnDiagnosticReply(int kind, const CString& frame, BOOL answered);
    // Enabled only with an open sensor and the engine at rest (the restart with one sensor only).
    void UpdateRequestButtons();
    CString GetPaneText() const { return m_strPane; }

    CMasterSlaveDetector m_detector;
    CXListCtrl m_listGroups;

  protected:
    BOOL OnInitDialog() override;
    void OnShowWindow(BOOL bShow, UINT nStatus);
    void OnTimer(UINT_PTR nIDEvent);
    void OnRequestButton(UINT id);
    DECLARE_MESSAGE_MAP()

  private:
    void ShowPane(const CString& text);
    void SetColumnTitles();

    CString m_strPane;
};
