#include "app/Kq7App.h"

#include "app/Kq7Doc.h"
#include "app/Kq7View.h"
#include "app/MainFrame.h"
#include "app/SettingsValues.h"
#include "foundation/Environment.h"
#include "foundation/Language.h"
#include "foundation/RestartMutex.h"
#include "foundation/SharedConstants.h"
#include "pages/measurement/CDlgDocumentation.h"
#include "platform/base/InterruptedWrites.h"
#include "platform/base/Registry.h"
#include "platform/framework/commctrl/RichEditCtrl.h"
#include "res/TextIds.h"

BEGIN_MESSAGE_MAP(CKq7App, CWinApp)
ON_COMMAND(ID_FILE_NEW, &CWinApp::OnFileNew)
ON_COMMAND(ID_FILE_OPEN, &CWinApp::OnFileOpen)
ON_COMMAND(ID_FILE_PRINT_SETUP, &CWinApp::OnFilePrintSetup)
END_MESSAGE_MAP()

CKq7App::CKq7App() = default;

BOOL CKq7App::InitApplication() {
    m_nCmdShow = SW_HIDE;
    return CWinApp::InitApplication();
}

BOOL CKq7App::InitInstance() {
    if (m_lpCmdLine != nullptr && CString(m_lpCmdLine).Find("--Restart") >= 0)
        WaitForRestartMutex();
    SetRegistryKey(kRegistryCompany);
    LoadStdProfileSettings(4);
    ReportDamagedSettings();
    AfxInitRichEdit();
    CheckSettingsVersion();
    RemoveStaleWritesOfLastRun();

    AddDocTemplate(new CSingleDocTemplate(120, RUNTIME_CLASS(CKq7Doc), RUNTIME_CLASS(CMainFrame),
                                          RUNTIME_CLASS(CKq7View)));
    CCommandLineInfo cmdInfo;
    ParseCommandLine(cmdInfo);
    if (!ProcessShellCommand(cmdInfo))
        return FALSE;

    auto* frame = DYNAMIC_DOWNCAST(CMainFrame, m_pMainWnd);
    if (frame == nullptr)
        return FALSE;
    if (HMENU old = ::GetMenu(frame->m_hWnd))
        ::DestroyMenu(old);
    HMENU menu = frame->CreateOwnerDrawMenu();
    ::SetMenu(frame->m_hWnd, menu);
    frame->m_hMenuDefault = menu;
    return TRUE;
}

int CKq7App::ExitInstance() {
    const int code = CWinApp::ExitInstance();
    ReleaseRestartMutex();
    ReleaseMenuClassResources();
    return code;
}

BOOL CKq7App::ProcessMessageFilter(int code, LPMSG lpMsg) {
    if (lpMsg->message == WM_KEYDOWN)
        m_nLastKeyCode = static_cast<UINT>(lpMsg->wParam);
    return CWinApp::ProcessMessageFilter(code, lpMsg);
}

BOOL CKq7App::PreTranslateMessage(MSG* pMsg) {
    if (pMsg->message == WM_KEYDOWN)
        m_nLastKeyCode = static_cast<UINT>(pMsg->wParam);
    return CWinApp::PreTranslateMessage(pMsg);
}

void CKq7App::ReportDamagedSettings() {
    kq::RegistryDamage damage;
    if (!kq::GetRegistryDamage(&damage))
        return;
    CString text = GetLanguageString(IDS_SETTINGS_FILE_DAMAGED);
    const int first = text.Find("%s");
    if (first >= 0)
        text = text.Left(first) + damage.file.c_str() + text.Mid(first + 2);
    text.Replace("%s", damage.movedTo.empty() ? damage.file.c_str() : damage.movedTo.c_str());
    AfxMessageBox(text, MB_ICONWARNING);
}

void CKq7App::CheckSettingsVersion() {
    const CString stored = GetProfileString("Version", "Version", "0.0");
    if (stored == SettingsVersionText(kSettingsVersion))
        return;
    CEnvironment::DeleteRegistryTree(HKEY_CURRENT_USER, kRegistryPath);
}

void CKq7App::RemoveStaleWritesOfLastRun() {
    for (const int folder :
         {CDlgDocumentation::kMWTargetDirectory, CDlgDocumentation::kIONIOTargetDirectory,
          CDlgDocumentation::kDMTargetDirectory}) {
        const CString path =
            GetProfileString("DespiteReset", CDlgDocumentation::kTextEntries[folder], "");
        if (!path.IsEmpty())
            kq::RemoveStaleWrites(path.GetString());
    }
}
