#include "app/Kq7App.h"

#include <cstdio>

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

namespace {

constexpr const char* kKeepSection = "DespiteReset";

}  // namespace

CKq7App::CKq7App() = default;

BOOL CKq7App::InitApplication() {
    m_nCmdShow = SW_HIDE;
    return CWinApp::InitApplication();
}

BOOL CKq7App::InitInstance() {
    const bool restart = m_lpCmdLine != nullptr && CString(m_lpCmdLine).Find("--Restart") >= 0;
    if (restart)
        WaitForRestartMutex();
    // Before anything reads or writes the settings: a second instance would overwrite the first
    // one's settings at its close.
    if (!m_instanceLock.Take(kq::RegistryFilePath(), restart)) {
        const CString why = GetLanguageString(IDS_ALREADY_RUNNING);
        std::fprintf(stderr, "%s\n", why.GetString());
        if (!m_bWithoutDisplay)
            AfxMessageBox(why, MB_ICONWARNING);
        m_bRefused = true;
        return FALSE;
    }
    SetRegistryKey(kRegistryCompany);
    LoadStdProfileSettings(4);
    AfxInitRichEdit();
    CheckSettingsVersion();
    if (!ReportDamagedSettings())
        ReportSettingsNotKept();
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
    m_instanceLock.Release();
    ReleaseRestartMutex();
    ReleaseMenuClassResources();
    return m_bRefused ? 1 : code;
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

namespace {

// Each "%s" of the text in turn takes the next of the values.
CString FillIn(CString text, std::initializer_list<const char*> values) {
    CString out;
    for (const char* value : values) {
        const int at = text.Find("%s");
        if (at < 0)
            break;
        out += text.Left(at) + value;
        text = text.Mid(at + 2);
    }
    return out + text;
}

// What the default of a read tells apart from every stored text.
constexpr const char* kNotStored = "\x01";
constexpr int kNotStoredNumber = -0x1F2E3D4C;

}  // namespace

bool CKq7App::ReportDamagedSettings() {
    kq::RegistryDamage damage;
    if (!kq::GetRegistryDamage(&damage))
        return false;
    // A file that could not be moved aside is left as it is, and nothing is kept over it.
    m_bSettingsNotKeptReported = damage.movedTo.empty();
    const CString text = damage.movedTo.empty()
                             ? FillIn(GetLanguageString(IDS_SETTINGS_FILE_UNREADABLE),
                                      {damage.file.c_str(), damage.reason.c_str()})
                             : FillIn(GetLanguageString(IDS_SETTINGS_FILE_DAMAGED),
                                      {damage.file.c_str(), damage.movedTo.c_str()});
    AfxMessageBox(text, MB_ICONWARNING);
    return true;
}

void CKq7App::ReportSettingsNotKept() {
    if (kq::RegistryKeepsChanges())
        return;
    m_bSettingsNotKeptReported = TRUE;
    AfxMessageBox(
        FillIn(GetLanguageString(IDS_SETTINGS_NOT_KEPT), {kq::RegistryFilePath().c_str()}),
        MB_ICONWARNING);
}

bool CKq7App::WereSettingsSavedBefore() {
    return !GetProfileString(kKeepSection, "ApplicationVersion", "").IsEmpty() ||
           GetProfileInt("AllViewState\\Configs", "ActivDisplayMenu", kNotStoredNumber) !=
               static_cast<UINT>(kNotStoredNumber);
}

void CKq7App::CheckSettingsVersion() {
    const CString stored = GetProfileString("Version", "Version", kNotStored);
    if (stored == SettingsVersionText(kSettingsVersion))
        return;
    if (stored == kNotStored && WereSettingsSavedBefore()) {
        // The program's save always writes the version, last of all in the file: a file saved
        // before that has none was cut, and what it still holds may be cut too.
        kq::DeclareRegistryDamaged("the settings version is missing");
        return;
    }
    CEnvironment::DeleteRegistryTree(HKEY_CURRENT_USER, kRegistryPath);
}

void CKq7App::RemoveStaleWritesOfLastRun() {
    // The folders as the last close stored them.
    for (const int folder :
         {CDlgDocumentation::kMWTargetDirectory, CDlgDocumentation::kIONIOTargetDirectory,
          CDlgDocumentation::kDMTargetDirectory}) {
        const CString path =
            GetProfileString(kKeepSection, CDlgDocumentation::kTextEntries[folder], "");
        if (!path.IsEmpty())
            kq::RemoveStaleWrites(path.GetString());
    }
}
