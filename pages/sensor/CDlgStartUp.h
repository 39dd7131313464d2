// The start-up search window (template 197): shows the progress of the search for sensors, the
// per-port progress in the connection page's State cells, and, when nothing was found, the
// buttons to search again, to read the information text and to quit. It holds the only-USB
// choice of the search. A member of the main frame, registered with it by a direct call.
#pragma once

#include "controls/WndImage.h"
#include "pages/sensor/StartUpProgress.h"
#include "platform/framework/Controls.h"
#include "platform/framework/Framework.h"
#include "platform/framework/commctrl/ProgressCtrl.h"
#include "platform/gfx/GdiWrappers.h"

class PageHost;

class CDlgStartUp : public CDialog {
    DECLARE_DYNAMIC(CDlgStartUp)
  public:
    enum { IDD = 197 };
    static constexpr UINT SHOW_SEARCH_DELAY_MS = 200;
    static constexpr int IDC_MESSAGE_TEXT = 1254;
    static constexpr int IDC_DEFAULT_BUTTON = 1255;
    static constexpr int IDC_SEARCH_AGAIN = 1257;
    static constexpr int IDC_QUIT = 1258;
    static constexpr int IDC_PROGRESS = 1259;
    static constexpr int IDC_SEARCH_ALL_PORTS = 1292;
    static constexpr int IDC_INFO = 1161;
    static constexpr int IDC_ONLY_USB = 1483;
    static constexpr int IDC_ONLY_USB_CAPTION = 315;
    static constexpr int IDC_ONLY_USB_CAPTION_FRENCH = 316;
    static constexpr int IDC_HIDDEN_STATIC = 1491;

    CDlgStartUp();
    BOOL OnInitDialog() override;
    BOOL PreTranslateMessage(MSG* pMsg) override;

    // ---- The search's calls ----
    void ShowProgressBar(int portCount);
    void SetPortProgress(int port);
    void AdvanceProgress(int kind);
    void PresetProgressStep() { m_progress.PresetSubSteps(); }
    void StopProgress();
    void ShowScanFinished();
    void SetProgressActive(BOOL active) { m_bProgressActive = active; }
    void HideWindow() {
        if (m_hWnd != nullptr)
            ShowWindow(SW_HIDE);
    }
    BOOL IsSearchForOnlyUsbPorts() const { return m_bSearchForOnlyUsbPorts; }

    const StartUpProgress& Progress() const { return m_progress; }
    BOOL IsBusy() const { return m_bBusy; }

    BOOL m_bSearchForOnlyUsbPorts = FALSE;
    BOOL m_bProgressActive = FALSE;  // the connection page's State cells show the progress

  protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void OnShowWindow(BOOL bShow, UINT nStatus);
    HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    void OnClose();
    void OnInfo();
    void OnSearchAgain();
    void OnQuit();
    void OnOnlyUsb();
    DECLARE_MESSAGE_MAP()

  private:
    void UpdateProgressBar();
    void PostCloseToFrame();
    CString Text(int id) const;

    PageHost* m_pHost = nullptr;
    BOOL m_bFirstInit = TRUE;
    int m_iLanguageOffset = 0;
    BOOL m_bBusy = FALSE;
    int m_iProgressRow = -1;  // the connection page's row showing the port being probed
    StartUpProgress m_progress;
    CProgressCtrl m_progressBar;
    CButton m_checkOnlyUsb;
    CWndImage m_picture;  // in place of the picture static 1244
    CBrush m_brushWindow;
    CBrush m_brushStatics;
};
