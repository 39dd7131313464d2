// A single-document shell built on the framework the way the product's main window is: an
// application that starts its frame hidden and swaps the frame's menu after start-up, an edit
// view that hosts modeless page dialogs and registers them with the frame by posted messages,
// and a frame with clock panes, one-shot timers, its own message-string handler, shortcut keys
// offered before the framework's, a minimum size, a close it may refuse and a DestroyWindow
// that saves first. It records what the framework asks of it.
#pragma once

#include <string>
#include <vector>

#include "framework/FrameworkTest.h"

namespace kq::fw::test::shell {

constexpr UINT kIdrShell = 120;
constexpr UINT kIdrOwnerMenu = 121;  // stands for the menu the frame builds itself
constexpr UINT kPageLogo = 131;
constexpr UINT kPageConnection = 133;
constexpr UINT kPaneTime = 32782;
constexpr UINT kPaneWeekday = 32783;
constexpr UINT kPaneDate = 32784;
constexpr UINT kCmdExit = 10004;
constexpr UINT kCmdConnection = 10005;
constexpr UINT kCmdMeasure = 10007;
constexpr int kIdcPageEdit = 1001;
constexpr UINT kRegisterView = WM_USER;  // the pages follow at WM_USER + 1, + 2
constexpr UINT kLanguageOffset = 1000;
constexpr const char* kCompany = "Brevan S.A.S.";
constexpr const char* kAppKey = "Software\\Brevan S.A.S.\\KQ7-B";

// Installs the shell's strings, menus and page templates while it lives.
class ShellResources {
  public:
    ShellResources();
    ~ShellResources();
    ShellResources(const ShellResources&) = delete;
    ShellResources& operator=(const ShellResources&) = delete;
};

// What happened, in order, across the shell's objects.
std::vector<std::string>& Journal();

class CShellDoc : public CDocument {
    DECLARE_DYNCREATE(CShellDoc)
  public:
    DECLARE_MESSAGE_MAP()
};

// A page: a modeless dialog that offers keys to the frame's shortcuts before its own dialog
// keys see them.
class CShellPage : public CDialog {
  public:
    BOOL PreTranslateMessage(MSG* pMsg) override;
};

class CShellView : public CEditView {
    DECLARE_DYNCREATE(CShellView)
  public:
    CShellView();
    ~CShellView() override;

    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    void OnInitialUpdate() override;
    void OnDestroy();
    void OnSetFocus(CWnd* pOldWnd);
    void OnSize(UINT nType, int cx, int cy);

    CShellPage* m_pages[2];
    BOOL m_bRegistrationPending = TRUE;
    CWnd* m_pMainWndAtInitialUpdate = nullptr;
    int m_nInitialUpdates = 0;
    DECLARE_MESSAGE_MAP()
};

class CShellFrame : public CFrameWnd {
    DECLARE_DYNCREATE(CShellFrame)
  public:
    static bool s_failCreate;  // the next frame's WM_CREATE fails after the framework's part

    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL DestroyWindow() override;

    int OnCreate(LPCREATESTRUCT lpcs);
    LRESULT OnRegister(WPARAM wParam, LPARAM lParam);
    void OnTimer(UINT_PTR nIDEvent);
    LRESULT OnSetMessageString(WPARAM wParam, LPARAM lParam);
    void OnMenuSelect(UINT nItemID, UINT nFlags, HMENU hSysMenu);
    void OnGetMinMaxInfo(MINMAXINFO* lpMMI);
    BOOL OnDeviceChange(UINT nEventType, DWORD_PTR dwData);
    void OnClose();
    void OnExit();
    void OnPage(UINT nID);
    void OnUpdatePage(CCmdUI* pCmdUI);
    void OnUpdateTime(CCmdUI* pCmdUI);
    void OnUpdateWeekday(CCmdUI* pCmdUI);
    // The frame's own keys, offered before the framework's pre-translation (Esc is swallowed,
    // Ctrl+Tab steps the page).
    BOOL HandleShortcutKeys(MSG* pMsg);
    // Shows page id (the hosted dialogs) and hides the one shown before.
    void ShowPage(UINT id);

    CStatusBar m_wndStatusBar;
    std::vector<std::pair<UINT, CWnd*>> m_registered;
    std::vector<UINT_PTR> m_timers;
    std::vector<std::pair<UINT, DWORD_PTR>> m_deviceChanges;
    CString m_storedStatus;
    CString m_timeText = " 09:05 AM";
    UINT m_activePage = 0;
    int m_pageSteps = 0;
    int m_refuseClose = 0;  // WM_CLOSEs still to refuse
    int m_destroyCalls = 0;
    BOOL m_stopMeasureDuringScan = FALSE;
    DECLARE_MESSAGE_MAP()
};

class CShellApp : public CWinApp {
  public:
    CShellApp();
    BOOL InitApplication() override;
    BOOL InitInstance() override;
    int ExitInstance() override;
    BOOL ProcessMessageFilter(int code, LPMSG lpMsg) override;

    UINT m_lastKey = 0;
    HMENU m_hOldMenu = nullptr;
    BOOL m_bRestartSeen = FALSE;
    DECLARE_MESSAGE_MAP()
};

// The main frame of the running shell, null before start-up.
CShellFrame* ShellFrame();

}  // namespace kq::fw::test::shell
