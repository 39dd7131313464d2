#include "framework/appcontract_double_test.h"

#include "platform/base/Registry.h"
#include "platform/base/Resource.h"
#include "platform/framework/commctrl/RichEditCtrl.h"
#include "platform/ui/Caret.h"

namespace kq::fw::test::shell {
namespace {

using Item = kq::MenuItemTemplate;
const Item kFileItems[] = {{"B&eenden", kCmdExit, 0, {}}};
const Item kModeItems[] = {
    {"&Angeschlossene Geräte", kCmdConnection, 0, {}},
    {"&Messeinstellungen", kCmdMeasure, 0, {}},
};
const Item kShellBar[] = {
    {"&Datei", 0, Item::Popup, kFileItems},
    {"&Betriebsart", 0, Item::Popup, kModeItems},
};
const Item kOwnerBar[] = {
    {"&File", 0, Item::Popup, kFileItems},
    {"&Mode", 0, Item::Popup, kModeItems},
};
const kq::MenuResource kMenus[] = {
    {kq::ResourceName(static_cast<int>(kIdrShell)), {kShellBar}},
    {kq::ResourceName(static_cast<int>(kIdrOwnerMenu)), {kOwnerBar}},
};

const kq::StringResource kStrings[] = {
    {kIdrShell, "KQ7-B Brevan S.A.S."},
    {AFX_IDS_APP_TITLE, "KQ7-B"},
    {AFX_IDS_IDLEMESSAGE, "Bereit"},
    {kPaneTime, " 00:00 AM"},
    {kPaneWeekday, " Wednesday "},
    {kPaneDate, " 00/00/0000 "},
    {kCmdConnection, "Zeigt die angeschlossenen Geräte\nGeräte"},
    {kCmdConnection + kLanguageOffset, "Shows the connected devices\nDevices"},
};

using Ctl = kq::ControlTemplate;
const Ctl kPageControls[] = {
    {"EDIT", "", kIdcPageEdit, WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 0,
     4, 4, 80, 12},
};
const kq::DialogResource kDialogs[] = {
    {kq::ResourceName(static_cast<int>(kPageLogo)),
     {WS_CHILD | DS_CONTROL, 0, 0, 0, 200, 100, "", {}, {}, {}, kPageControls}},
    {kq::ResourceName(static_cast<int>(kPageConnection)),
     {WS_CHILD | DS_CONTROL, 0, 0, 0, 200, 100, "", {}, {}, {}, kPageControls}},
};

const kq::ResourceBundle kBundle{kStrings, kDialogs, kMenus, {}, {}};

const UINT kPageIds[2] = {kPageLogo, kPageConnection};

CShellFrame* g_frame = nullptr;

}  // namespace

ShellResources::ShellResources() {
    kq::InstallResources(kBundle);
    Journal().clear();
    CShellFrame::s_failCreate = false;
}

ShellResources::~ShellResources() {
    kq::UninstallResources(kBundle);
}

std::vector<std::string>& Journal() {
    static std::vector<std::string> journal;
    return journal;
}

CShellFrame* ShellFrame() {
    return g_frame;
}

// --- document ---

IMPLEMENT_DYNCREATE(CShellDoc, CDocument)
BEGIN_MESSAGE_MAP(CShellDoc, CDocument)
END_MESSAGE_MAP()

// --- pages and view ---

BOOL CShellPage::PreTranslateMessage(MSG* pMsg) {
    if (g_frame != nullptr && g_frame->HandleShortcutKeys(pMsg))
        return TRUE;
    return CDialog::PreTranslateMessage(pMsg);
}

IMPLEMENT_DYNCREATE(CShellView, CEditView)
BEGIN_MESSAGE_MAP(CShellView, CEditView)
ON_WM_DESTROY()
ON_WM_SETFOCUS()
ON_WM_SIZE()
ON_COMMAND(ID_FILE_PRINT, &CView::OnFilePrint)
END_MESSAGE_MAP()

CShellView::CShellView() {
    for (CShellPage*& page : m_pages)
        page = new CShellPage;
}

CShellView::~CShellView() {
    Journal().push_back("view deleted");
}

BOOL CShellView::PreCreateWindow(CREATESTRUCT& cs) {
    const BOOL result = CEditView::PreCreateWindow(cs);
    cs.style &= ~static_cast<LONG>(WS_HSCROLL | WS_VSCROLL | ES_AUTOHSCROLL);
    cs.style |= ES_NOHIDESEL | ES_READONLY;
    return result;
}

BOOL CShellView::PreTranslateMessage(MSG* pMsg) {
    if (g_frame != nullptr && g_frame->HandleShortcutKeys(pMsg))
        return TRUE;
    return CWnd::PreTranslateMessage(pMsg);
}

void CShellView::OnInitialUpdate() {
    CEditView::OnInitialUpdate();
    ++m_nInitialUpdates;
    for (int i = 0; i < 2; ++i)
        m_pages[i]->Create(kPageIds[i], this);
    for (CShellPage* page : m_pages)
        page->ShowWindow(SW_HIDE);
    if (!m_bRegistrationPending)
        return;
    m_pMainWndAtInitialUpdate = AfxGetMainWnd();
    m_pMainWndAtInitialUpdate->PostMessage(kRegisterView, reinterpret_cast<WPARAM>(this), 0);
    for (int i = 0; i < 2; ++i)
        m_pMainWndAtInitialUpdate->PostMessage(kRegisterView + 1 + static_cast<UINT>(i),
                                               reinterpret_cast<WPARAM>(m_pages[i]), 0);
    m_bRegistrationPending = FALSE;
}

void CShellView::OnDestroy() {
    CEditView::OnDestroy();
    for (int i = 0; i < 2; ++i) {
        if (m_pages[i] == nullptr)
            continue;
        Journal().push_back("page " + std::to_string(i) + " destroyed");
        m_pages[i]->DestroyWindow();
        delete m_pages[i];
        m_pages[i] = nullptr;
    }
}

void CShellView::OnSetFocus(CWnd* pOldWnd) {
    CEditView::OnSetFocus(pOldWnd);
    ::DestroyCaret();
}

void CShellView::OnSize(UINT nType, int cx, int cy) {
    CEditView::OnSize(nType, cx, cy);
    if (m_bRegistrationPending || m_pages[0]->m_hWnd == nullptr)
        return;
    m_pages[0]->MoveWindow(0, 0, cx, cy, TRUE);
}

// --- frame ---

bool CShellFrame::s_failCreate = false;

IMPLEMENT_DYNCREATE(CShellFrame, CFrameWnd)
BEGIN_MESSAGE_MAP(CShellFrame, CFrameWnd)
ON_WM_CREATE()
ON_WM_CLOSE()
ON_WM_TIMER()
ON_WM_MENUSELECT()
ON_WM_GETMINMAXINFO()
ON_WM_DEVICECHANGE()
ON_MESSAGE(WM_SETMESSAGESTRING, &CShellFrame::OnSetMessageString)
ON_MESSAGE(kRegisterView, &CShellFrame::OnRegister)
ON_MESSAGE(kRegisterView + 1, &CShellFrame::OnRegister)
ON_MESSAGE(kRegisterView + 2, &CShellFrame::OnRegister)
ON_COMMAND(kCmdExit, &CShellFrame::OnExit)
ON_COMMAND_RANGE(kCmdConnection, kCmdMeasure, &CShellFrame::OnPage)
ON_UPDATE_COMMAND_UI_RANGE(kCmdConnection, kCmdMeasure, &CShellFrame::OnUpdatePage)
ON_UPDATE_COMMAND_UI(kPaneTime, &CShellFrame::OnUpdateTime)
ON_UPDATE_COMMAND_UI(kPaneWeekday, &CShellFrame::OnUpdateWeekday)
END_MESSAGE_MAP()

BOOL CShellFrame::PreCreateWindow(CREATESTRUCT& cs) {
    if (!CFrameWnd::PreCreateWindow(cs))
        return FALSE;
    cs.style = WS_OVERLAPPEDWINDOW;
    return TRUE;
}

int CShellFrame::OnCreate(LPCREATESTRUCT lpcs) {
    if (CFrameWnd::OnCreate(lpcs) == -1 || s_failCreate)
        return -1;
    static const UINT indicators[] = {ID_SEPARATOR, kPaneWeekday, kPaneDate, kPaneTime};
    if (!m_wndStatusBar.Create(this, WS_CHILD | WS_VISIBLE | CBRS_BOTTOM, AFX_IDW_STATUS_BAR) ||
        !m_wndStatusBar.SetIndicators(indicators, 4))
        return -1;
    for (UINT id : {kPaneTime, kPaneDate, kPaneWeekday})
        SetTimer(id, 1000, nullptr);
    g_frame = this;
    return 0;
}

LRESULT CShellFrame::OnRegister(WPARAM wParam, LPARAM) {
    const MSG* msg = GetCurrentMessage();
    for (const auto& entry : m_registered) {
        if (entry.first == msg->message)
            return 0;  // the first registration stays
    }
    m_registered.emplace_back(msg->message, reinterpret_cast<CWnd*>(wParam));
    return 0;
}

void CShellFrame::OnTimer(UINT_PTR nIDEvent) {
    KillTimer(nIDEvent);
    m_timers.push_back(nIDEvent);
    Default();
}

LRESULT CShellFrame::OnSetMessageString(WPARAM wParam, LPARAM lParam) {
    m_nFlags &= ~WF_NOPOPMSG;
    const UINT previous = m_nIDLastMessage;
    if (CWnd* bar = GetMessageBar()) {
        CString text;
        if (lParam != 0) {
            m_storedStatus = reinterpret_cast<LPCTSTR>(lParam);
            text = m_storedStatus;
        } else if (wParam == AFX_IDS_IDLEMESSAGE) {
            text = m_storedStatus;
        } else if (wParam != 0) {
            GetMessageString(static_cast<UINT>(wParam), text);
        }
        bar->SetWindowText(text);
        bar->UpdateWindow();
    }
    m_nIDLastMessage = static_cast<UINT>(wParam);
    m_nIDTracking = static_cast<UINT>(wParam);
    return previous;
}

void CShellFrame::OnMenuSelect(UINT nItemID, UINT nFlags, HMENU hSysMenu) {
    const bool translated = nItemID >= kCmdConnection && nItemID <= kCmdMeasure;
    CFrameWnd::OnMenuSelect(translated ? nItemID + kLanguageOffset : nItemID, nFlags, hSysMenu);
}

void CShellFrame::OnGetMinMaxInfo(MINMAXINFO* lpMMI) {
    CFrameWnd::OnGetMinMaxInfo(lpMMI);
    lpMMI->ptMinTrackSize.x = 800;
    lpMMI->ptMinTrackSize.y = m_activePage == kPageConnection ? 735 : 705;
}

BOOL CShellFrame::OnDeviceChange(UINT nEventType, DWORD_PTR dwData) {
    if (m_stopMeasureDuringScan)
        return FALSE;
    m_deviceChanges.emplace_back(nEventType, dwData);
    return TRUE;
}

void CShellFrame::OnClose() {
    if (m_refuseClose > 0) {
        --m_refuseClose;
        Journal().push_back("close refused");
        return;
    }
    Journal().push_back("close");
    CFrameWnd::OnClose();
}

BOOL CShellFrame::DestroyWindow() {
    ++m_destroyCalls;
    Journal().push_back("settings saved");
    AfxGetApp()->WriteProfileString("Version", "Version", "2.04");
    return CFrameWnd::DestroyWindow();
}

void CShellFrame::OnExit() {
    PostMessage(WM_COMMAND, ID_APP_EXIT);
}

void CShellFrame::OnPage(UINT nID) {
    ShowPage(nID == kCmdConnection ? kPageConnection : kPageLogo);
}

void CShellFrame::OnUpdatePage(CCmdUI* pCmdUI) {
    const UINT page = pCmdUI->m_nID == kCmdConnection ? kPageConnection : kPageLogo;
    pCmdUI->SetCheck(m_activePage == page);
}

void CShellFrame::OnUpdateTime(CCmdUI* pCmdUI) {
    pCmdUI->Enable(TRUE);
    pCmdUI->SetText(m_timeText);
}

void CShellFrame::OnUpdateWeekday(CCmdUI*) {
    // Shows nothing new until the date changes: the pane keeps its text.
}

BOOL CShellFrame::HandleShortcutKeys(MSG* pMsg) {
    if (pMsg->message != WM_KEYDOWN)
        return FALSE;
    if (pMsg->wParam == VK_ESCAPE)
        return TRUE;
    if (pMsg->wParam == VK_TAB && (::GetKeyState(VK_CONTROL) & 0x8000)) {
        ++m_pageSteps;
        return TRUE;
    }
    return FALSE;
}

BOOL CShellFrame::PreTranslateMessage(MSG* pMsg) {
    if (HandleShortcutKeys(pMsg))
        return TRUE;
    return CFrameWnd::PreTranslateMessage(pMsg);
}

void CShellFrame::ShowPage(UINT id) {
    auto* view = DYNAMIC_DOWNCAST(CShellView, GetActiveView());
    if (view == nullptr)
        return;
    for (int i = 0; i < 2; ++i) {
        if (kPageIds[i] == m_activePage)
            view->m_pages[i]->ShowWindow(SW_HIDE);
    }
    m_activePage = id;
    for (int i = 0; i < 2; ++i) {
        if (kPageIds[i] == id)
            view->m_pages[i]->ShowWindow(SW_SHOW);
    }
}

// --- application ---

BEGIN_MESSAGE_MAP(CShellApp, CWinApp)
ON_COMMAND(ID_FILE_NEW, &CWinApp::OnFileNew)
END_MESSAGE_MAP()

CShellApp::CShellApp() {
    g_frame = nullptr;
}

BOOL CShellApp::InitApplication() {
    m_nCmdShow = SW_HIDE;
    return CWinApp::InitApplication();
}

BOOL CShellApp::InitInstance() {
    m_bRestartSeen = CString(m_lpCmdLine).Find("--Restart") >= 0;
    SetRegistryKey(kCompany);
    LoadStdProfileSettings(4);
    AfxInitRichEdit();
    if (GetProfileString("Version", "Version", "0.0") != "2.04")
        ::RegDeleteTree(HKEY_CURRENT_USER, kAppKey);
    AddDocTemplate(new CSingleDocTemplate(kIdrShell, RUNTIME_CLASS(CShellDoc),
                                          RUNTIME_CLASS(CShellFrame), RUNTIME_CLASS(CShellView)));
    CCommandLineInfo info;
    ParseCommandLine(info);
    if (!ProcessShellCommand(info))
        return FALSE;
    auto* frame = static_cast<CFrameWnd*>(m_pMainWnd);
    m_hOldMenu = ::GetMenu(frame->m_hWnd);
    if (m_hOldMenu != nullptr)
        ::DestroyMenu(m_hOldMenu);
    HMENU owner = ::LoadMenu(AfxGetResourceHandle(), MAKEINTRESOURCE(kIdrOwnerMenu));
    ::SetMenu(frame->m_hWnd, owner);
    frame->m_hMenuDefault = owner;
    return TRUE;
}

int CShellApp::ExitInstance() {
    const int code = CWinApp::ExitInstance();
    Journal().push_back("exit " + std::to_string(code));
    return code;
}

BOOL CShellApp::ProcessMessageFilter(int code, LPMSG lpMsg) {
    if (lpMsg->message == WM_KEYDOWN)
        m_lastKey = static_cast<UINT>(lpMsg->wParam);
    return CWinApp::ProcessMessageFilter(code, lpMsg);
}

}  // namespace kq::fw::test::shell
