#include "platform/framework/WinApp.h"

#include <strings.h>
#include <algorithm>
#include <vector>

#include "platform/base/Paths.h"
#include "platform/base/Registry.h"
#include "platform/base/Trace.h"
#include "platform/framework/CommandLineInfo.h"
#include "platform/framework/ControlBar.h"
#include "platform/framework/DocManager.h"
#include "platform/framework/MessageBox.h"
#include "platform/framework/RecentFileList.h"
#include "platform/framework/WaitCursor.h"
#include "platform/framework/Wnd.h"
#include "platform/framework/detail/WndThreadState.h"

IMPLEMENT_DYNAMIC(CWinApp, CCmdTarget)

BEGIN_MESSAGE_MAP(CWinApp, CCmdTarget)
ON_COMMAND(ID_APP_EXIT, &CWinApp::OnAppExit)
ON_COMMAND_EX_RANGE(ID_FILE_MRU_FILE1, ID_FILE_MRU_LAST, &CWinApp::OnOpenRecentFile)
END_MESSAGE_MAP()

namespace {

CWinApp* g_app = nullptr;
char g_moduleToken = 0;  // its address is the program's instance handle
HINSTANCE g_resourceHandle = nullptr;
std::vector<std::string> g_arguments;

// Sends the idle update to `top` and the windows under it that have a framework object, as a
// deep send does, except to the descendants of a hidden window that is neither a frame nor a
// control bar. Only frames and control bars answer the update, and none sits inside a hidden
// page or control, while a bar waiting for the idle pass to show it, and the bars of a hidden
// dock bar, are still reached.
void SendIdleUpdate(CWnd* top) {
    const HWND hwnd = top->m_hWnd;
    AfxCallWndProc(top, hwnd, WM_IDLEUPDATECMDUI, TRUE, 0);
    if (CWnd::FromHandlePermanent(hwnd) != top)
        return;
    const std::vector<HWND> targets = kq::ui::DescendantsEnteringHidden(hwnd, [](HWND hidden) {
        const CWnd* wnd = CWnd::FromHandlePermanent(hidden);
        return wnd != nullptr && (wnd->IsFrameWnd() || wnd->IsKindOf(RUNTIME_CLASS(CControlBar)));
    });
    // An update may destroy windows: each is looked up again as its turn comes.
    for (HWND target : targets) {
        if (CWnd* wnd = CWnd::FromHandlePermanent(target))
            AfxCallWndProc(wnd, target, WM_IDLEUPDATECMDUI, TRUE, 0);
    }
}

HINSTANCE ModuleHandle() {
    return reinterpret_cast<HINSTANCE>(&g_moduleToken);
}

// The program's file name without folder and extension.
CString ExeNameOf(const std::string& path) {
    CString name(path);
    const int slash = name.ReverseFind('/');
    if (slash >= 0)
        name = name.Mid(slash + 1);
    const int dot = name.ReverseFind('.');
    if (dot > 0)
        name = name.Left(dot);
    return name;
}

}  // namespace

CWinApp::CWinApp(LPCTSTR lpszAppName) {
    if (lpszAppName != nullptr) {
        m_strAppName = lpszAppName;
        m_pszAppName = m_strAppName;
    }
    m_hInstance = ModuleHandle();
    g_app = this;
}

CWinApp::~CWinApp() {
    delete m_pDocManager;
    m_pDocManager = nullptr;
    delete m_pRecentFileList;
    m_pRecentFileList = nullptr;
    ReleasePrinterDefaults();
    if (g_app == this)
        g_app = nullptr;
}

// --- process start ---

BOOL AfxWinInit(CWinApp* pApp, int argc, char** argv) {
    g_arguments.assign(argv, argv + (argc > 0 ? argc : 0));
    pApp->m_hInstance = ModuleHandle();
    pApp->m_strExeName = ExeNameOf(!g_arguments.empty() ? g_arguments[0] : kq::ExecutablePath());
    pApp->m_pszExeName = pApp->m_strExeName;
    pApp->m_strCmdLine.Empty();
    for (size_t i = 1; i < g_arguments.size(); ++i) {
        if (i > 1)
            pApp->m_strCmdLine += ' ';
        pApp->m_strCmdLine += g_arguments[i].c_str();
    }
    pApp->m_lpCmdLine = pApp->m_strCmdLine.GetBuffer();
    pApp->ResolveNames();
    pApp->InstallMessageFilter();
    // Errors the base library reports appear as the application's message boxes.
    kq::SetErrorReporter([](const CString& text, UINT type) { return AfxMessageBox(text, type); });
    return TRUE;
}

int AfxWinMain(int argc, char** argv) {
    CWinApp* app = AfxGetApp();
    if (app == nullptr)
        return -1;
    if (!AfxWinInit(app, argc, argv) || !app->InitApplication())
        return -1;
    if (!app->InitInstance()) {
        if (app->m_pMainWnd != nullptr) {
            TRACE("Warning: destroying the main window of a failed start.\n");
            app->m_pMainWnd->DestroyWindow();
        }
        return app->ExitInstance();
    }
    return app->Run();
}

void CWinApp::ResolveNames() {
    if (m_pszExeName == nullptr) {
        m_strExeName = ExeNameOf(kq::ExecutablePath());
        m_pszExeName = m_strExeName;
    }
    if (m_pszAppName == nullptr) {
        if (!m_strAppName.LoadString(AFX_IDS_APP_TITLE))
            m_strAppName = m_strExeName;
        m_pszAppName = m_strAppName;
    }
}

void CWinApp::InstallMessageFilter() {
    if (m_messageFilterHook != 0)
        return;
    m_messageFilterHook = kq::ui::AddMessageFilterHook([](int code, MSG& msg) {
        CWinApp* app = AfxGetApp();
        return app != nullptr ? app->ProcessMessageFilter(code, &msg) : FALSE;
    });
}

// --- life cycle ---

BOOL CWinApp::InitApplication() {
    return TRUE;
}

BOOL CWinApp::InitInstance() {
    return TRUE;
}

int CWinApp::Run() {
    ConnectToMessageLoop();
    m_nQuitCode = kq::ui::RunMessageLoop();
    DisconnectFromMessageLoop();
    return ExitInstance();
}

void CWinApp::ConnectToMessageLoop() {
    kq::ui::SetIdleHandler([](LONG count) {
        CWinApp* app = AfxGetApp();
        return app != nullptr ? app->OnIdle(count) : FALSE;
    });
    kq::ui::SetPreTranslateHandler([](MSG& msg) {
        CWinApp* app = AfxGetApp();
        return app != nullptr ? app->PreTranslateMessage(&msg) : FALSE;
    });
    InstallMessageFilter();
}

void CWinApp::DisconnectFromMessageLoop() {
    kq::ui::SetIdleHandler(nullptr);
    kq::ui::SetPreTranslateHandler(nullptr);
    if (m_messageFilterHook != 0) {
        kq::ui::RemoveMessageFilterHook(m_messageFilterHook);
        m_messageFilterHook = 0;
    }
}

int CWinApp::ExitInstance() {
    if (m_pCmdInfo == nullptr || m_pCmdInfo->m_nShellCommand != CCommandLineInfo::AppUnregister)
        SaveStdProfileSettings();
    if (m_messageFilterHook != 0) {
        kq::ui::RemoveMessageFilterHook(m_messageFilterHook);
        m_messageFilterHook = 0;
    }
    // The code the message loop ended with (PostQuitMessage's).
    return m_nQuitCode;
}

BOOL CWinApp::OnIdle(LONG lCount) {
    if (lCount <= 0) {
        CWnd* main = m_pMainWnd;
        if (main != nullptr && main->m_hWnd != nullptr && main->IsWindowVisible())
            SendIdleUpdate(main);
        // The other visible top-level frames (floating bars) and the active window (a
        // modeless dialog) are updated too.
        std::vector<HWND> others;
        for (HWND top = ::GetTopWindow(nullptr); top != nullptr;
             top = ::GetWindow(top, GW_HWNDNEXT)) {
            CWnd* wnd = CWnd::FromHandlePermanent(top);
            if (wnd != nullptr && wnd != main && wnd->IsFrameWnd())
                others.push_back(top);
        }
        HWND active = ::GetActiveWindow();
        if (std::find(others.begin(), others.end(), active) == others.end())
            others.push_back(active);
        for (HWND hwnd : others) {
            CWnd* wnd = CWnd::FromHandlePermanent(hwnd);
            if (wnd == nullptr || wnd == main || !wnd->IsWindowVisible())
                continue;
            SendIdleUpdate(wnd);
        }
        if (m_pDocManager != nullptr)
            m_pDocManager->OnIdle();
    } else if (lCount == 1) {
        // Temporary objects go only when no handler is running (a modal loop inside a
        // handler also idles, and that handler may still hold one).
        if (kq::fw::detail::ThreadState().dispatchDepth == 0) {
            AfxLockTempMaps();
            AfxUnlockTempMaps();
        }
    }
    return lCount < 1;
}

namespace {

bool IsComboBox(HWND hwnd) {
    char name[16] = {};
    return hwnd != nullptr && ::GetClassName(hwnd, name, sizeof name) > 0 &&
           strcasecmp(name, "ComboBox") == 0;
}

// Escape and Enter for a combo box whose drop-down shows (or for its edit field) close the
// drop-down before the shortcut keys of the windows around it or the dialog manager see them.
bool DeliverToOpenDropDown(MSG* pMsg) {
    if (pMsg->message != WM_KEYDOWN || (pMsg->wParam != VK_ESCAPE && pMsg->wParam != VK_RETURN))
        return false;
    HWND combo = IsComboBox(pMsg->hwnd) ? pMsg->hwnd : ::GetParent(pMsg->hwnd);
    if (!IsComboBox(combo) || !::SendMessage(combo, CB_GETDROPPEDSTATE, 0, 0))
        return false;
    ::TranslateMessage(pMsg);
    ::DispatchMessage(pMsg);
    return true;
}

}  // namespace

BOOL CWinApp::PreTranslateMessage(MSG* pMsg) {
    if (pMsg->hwnd == nullptr)
        return FALSE;
    if (DeliverToOpenDropDown(pMsg))
        return TRUE;
    CWnd* main = GetMainWnd();
    if (CWnd::WalkPreTranslateTree(main != nullptr ? main->m_hWnd : nullptr, pMsg))
        return TRUE;
    // Messages of other top-level windows (modeless dialogs) get the main window's shortcuts.
    if (main != nullptr && main->m_hWnd != nullptr) {
        CWnd* target = CWnd::FromHandle(pMsg->hwnd);
        if (target->GetTopLevelParent() != main)
            return main->PreTranslateMessage(pMsg);
    }
    return FALSE;
}

BOOL CWinApp::ProcessMessageFilter(int, LPMSG) {
    return FALSE;
}

LRESULT CWinApp::ProcessWndProcException(CException* e, const MSG* pMsg) {
    if (pMsg->message == WM_CREATE)
        return -1;  // the creation fails
    // A window whose painting failed must not be asked to paint again at once, forever.
    if (pMsg->message == WM_PAINT)
        ::ValidateRect(pMsg->hwnd, nullptr);
    UINT prompt = AFX_IDP_INTERNAL_FAILURE;
    LRESULT result = 0;
    if (pMsg->message == WM_COMMAND && pMsg->lParam == 0) {
        prompt = AFX_IDP_COMMAND_FAILURE;
        result = TRUE;
    }
    // The user has already been told about a user exception.
    if (!e->IsKindOf(RUNTIME_CLASS(CUserException)))
        e->ReportError(MB_ICONSTOP, prompt);
    return result;
}

CWnd* CWinApp::GetMainWnd() {
    return m_pMainWnd;
}

int CWinApp::DoMessageBox(LPCTSTR lpszPrompt, UINT nType, UINT) {
    HWND owner = nullptr;
    if (m_pMainWnd != nullptr && m_pMainWnd->m_hWnd != nullptr)
        owner = m_pMainWnd->m_hWnd;
    else
        owner = ::GetActiveWindow();
    if ((nType & MB_ICONMASK) == 0) {
        switch (nType & MB_TYPEMASK) {
            case 0:  // MB_OK
            case 1:  // MB_OKCANCEL
                nType |= MB_ICONEXCLAMATION;
                break;
            case 3:  // MB_YESNOCANCEL
            case 4:  // MB_YESNO
                nType |= MB_ICONQUESTION;
                break;
            default:
                break;
        }
    }
    return kq::fw::ShowMessageBox(owner, lpszPrompt, m_pszAppName, nType);
}

void CWinApp::DoWaitCursor(int nCode) {
    kq::fw::StepWaitCursor(nCode);
}

// --- documents ---

void CWinApp::AddDocTemplate(CDocTemplate* pTemplate) {
    if (m_pDocManager == nullptr)
        m_pDocManager = new CDocManager;
    m_pDocManager->AddDocTemplate(pTemplate);
}

POSITION CWinApp::GetFirstDocTemplatePosition() const {
    return m_pDocManager != nullptr ? m_pDocManager->GetFirstDocTemplatePosition() : nullptr;
}

CDocTemplate* CWinApp::GetNextDocTemplate(POSITION& pos) const {
    return m_pDocManager->GetNextDocTemplate(pos);
}

CDocument* CWinApp::OpenDocumentFile(LPCTSTR lpszFileName) {
    return m_pDocManager != nullptr ? m_pDocManager->OpenDocumentFile(lpszFileName) : nullptr;
}

void CWinApp::AddToRecentFileList(LPCTSTR lpszPathName) {
    if (m_pRecentFileList != nullptr)
        m_pRecentFileList->Add(lpszPathName);
}

BOOL CWinApp::SaveAllModified() {
    return m_pDocManager != nullptr ? m_pDocManager->SaveAllModified() : TRUE;
}

void CWinApp::CloseAllDocuments(BOOL bEndSession) {
    if (m_pDocManager != nullptr)
        m_pDocManager->CloseAllDocuments(bEndSession);
}

void CWinApp::HideApplication() {
    if (m_pMainWnd != nullptr && m_pMainWnd->m_hWnd != nullptr)
        m_pMainWnd->ShowWindow(SW_HIDE);
}

// --- command line ---

void CWinApp::ParseCommandLine(CCommandLineInfo& rCmdInfo) {
    for (size_t i = 1; i < g_arguments.size(); ++i) {
        const char* param = g_arguments[i].c_str();
        BOOL flag = FALSE;
        if (param[0] == '-' || param[0] == '/') {
            flag = TRUE;
            ++param;
        }
        rCmdInfo.ParseParam(param, flag, i + 1 == g_arguments.size());
    }
}

BOOL CWinApp::ProcessShellCommand(CCommandLineInfo& rCmdInfo) {
    BOOL result = TRUE;
    switch (rCmdInfo.m_nShellCommand) {
        case CCommandLineInfo::FileNew:
            if (!OnCmdMsg(ID_FILE_NEW, 0, nullptr, nullptr))
                OnFileNew();
            if (m_pMainWnd == nullptr)
                result = FALSE;
            break;
        case CCommandLineInfo::FileOpen:
            if (OpenDocumentFile(rCmdInfo.m_strFileName) == nullptr)
                result = FALSE;
            break;
        case CCommandLineInfo::FilePrint:
        case CCommandLineInfo::FilePrintTo:
            // Print without showing the window; the program ends afterwards.
            m_nCmdShow = SW_HIDE;
            if (OpenDocumentFile(rCmdInfo.m_strFileName) != nullptr && m_pMainWnd != nullptr) {
                m_pCmdInfo = &rCmdInfo;
                m_pMainWnd->SendMessage(WM_COMMAND, ID_FILE_PRINT_DIRECT);
                m_pCmdInfo = nullptr;
            }
            result = FALSE;
            break;
        case CCommandLineInfo::FileDDE:
            m_nCmdShow = SW_HIDE;
            break;
        case CCommandLineInfo::AppRegister:
        case CCommandLineInfo::AppUnregister:
            // Nothing to register: the program ends without a window.
            result = FALSE;
            break;
        default:
            break;
    }
    return result;
}

// --- commands ---

void CWinApp::OnFileNew() {
    if (m_pDocManager != nullptr)
        m_pDocManager->OnFileNew();
}

void CWinApp::OnFileOpen() {
    if (m_pDocManager != nullptr)
        m_pDocManager->OnFileOpen();
}

void CWinApp::OnFilePrintSetup() {
    TRACE("Warning: the printer set-up dialog is not available.\n");
}

void CWinApp::OnAppExit() {
    // As if the user closed the main window.
    if (m_pMainWnd != nullptr && m_pMainWnd->m_hWnd != nullptr)
        m_pMainWnd->SendMessage(WM_CLOSE);
}

BOOL CWinApp::OnOpenRecentFile(UINT nID) {
    if (m_pRecentFileList == nullptr)
        return FALSE;
    const int index = static_cast<int>(nID - ID_FILE_MRU_FILE1);
    if (index < 0 || index >= m_pRecentFileList->GetSize())
        return FALSE;
    const CString path = (*m_pRecentFileList)[index];
    if (path.IsEmpty())
        return FALSE;
    if (OpenDocumentFile(path) == nullptr)
        m_pRecentFileList->Remove(index);
    return TRUE;
}

// --- globals ---

CWinApp* AfxGetApp() {
    return g_app;
}

CWnd* AfxGetMainWnd() {
    return g_app != nullptr ? g_app->GetMainWnd() : nullptr;
}

HINSTANCE AfxGetInstanceHandle() {
    return g_app != nullptr && g_app->m_hInstance != nullptr ? g_app->m_hInstance : ModuleHandle();
}

HINSTANCE AfxGetResourceHandle() {
    return g_resourceHandle != nullptr ? g_resourceHandle : AfxGetInstanceHandle();
}

void AfxPostQuitMessage(int nExitCode) {
    ::PostQuitMessage(nExitCode);
}
