// CWinApp: the application object. One instance exists per program; AfxWinMain (or a test)
// runs InitApplication, InitInstance and Run on the GUI thread. Run is the window system's
// message loop with the framework's pre-translation, idle processing (command-UI update of the
// main window's tree, cleanup of temporary objects) and message filter.
//
// Profile settings live in the settings store under
//     HKEY_CURRENT_USER\Software\<registry key>\<profile name>\<section>\<entry>
// once SetRegistryKey has named the company; a section may name nested keys ("A\B").
#pragma once

#include "platform/base/CString.h"
#include "platform/base/Exceptions.h"
#include "platform/base/Lists.h"
#include "platform/base/WinThread.h"
#include "platform/framework/CmdTarget.h"
#include "platform/ui/WinUser.h"

class CCommandLineInfo;
class CDocManager;
class CDocTemplate;
class CDocument;
class CRecentFileList;
class CWnd;
struct PRINTDLGA;

class CWinApp : public CCmdTarget, public CWinThread {
    DECLARE_DYNAMIC(CWinApp)
  public:
    // The application name defaults to the string AFX_IDS_APP_TITLE, else the program's file
    // name.
    explicit CWinApp(LPCTSTR lpszAppName = nullptr);
    ~CWinApp() override;

    // Names, process start data and state. The name members point into the application's own
    // copies.
    LPCTSTR m_pszAppName = nullptr;
    LPCTSTR m_pszExeName = nullptr;
    LPCTSTR m_pszRegistryKey = nullptr;
    LPCTSTR m_pszProfileName = nullptr;
    HINSTANCE m_hInstance = nullptr;
    LPTSTR m_lpCmdLine = nullptr;
    // How the first frame is shown (SW_ value); the frame's initial update takes it.
    int m_nCmdShow = SW_SHOWDEFAULT;
    CWnd* m_pMainWnd = nullptr;
    CWnd* m_pActiveWnd = nullptr;
    CDocManager* m_pDocManager = nullptr;
    CRecentFileList* m_pRecentFileList = nullptr;
    CCommandLineInfo* m_pCmdInfo = nullptr;
    UINT m_nNumPreviewPages = 0;

    // --- life cycle ---
    virtual BOOL InitApplication();
    BOOL InitInstance() override;
    int Run() override;
    // Run's connection to the thread's message loop (idle processing, pre-translation and the
    // message filter), for driving the application from another loop (tests); Run makes and
    // ends it itself.
    void ConnectToMessageLoop();
    void DisconnectFromMessageLoop();
    int ExitInstance() override;
    // lCount 0: update the command UI; 1: delete temporary objects. TRUE asks for more.
    virtual BOOL OnIdle(LONG lCount);
    // Pre-translation of the message loop: the permanent windows from the target up to the
    // main window, then the main window for messages of other top-level windows.
    virtual BOOL PreTranslateMessage(MSG* pMsg);
    // Messages of modal loops (dialog boxes, menus, message boxes) come here first.
    virtual BOOL ProcessMessageFilter(int code, LPMSG lpMsg);
    virtual LRESULT ProcessWndProcException(CException* e, const MSG* pMsg);
    virtual CWnd* GetMainWnd();

    // --- messages and cursor ---
    virtual int DoMessageBox(LPCTSTR lpszPrompt, UINT nType, UINT nIDPrompt);
    virtual void DoWaitCursor(int nCode);

    // --- documents ---
    void AddDocTemplate(CDocTemplate* pTemplate);
    POSITION GetFirstDocTemplatePosition() const;
    CDocTemplate* GetNextDocTemplate(POSITION& pos) const;
    virtual CDocument* OpenDocumentFile(LPCTSTR lpszFileName);
    virtual void AddToRecentFileList(LPCTSTR lpszPathName);
    BOOL SaveAllModified();
    void CloseAllDocuments(BOOL bEndSession);
    void HideApplication();

    // --- command line ---
    void ParseCommandLine(CCommandLineInfo& rCmdInfo);
    BOOL ProcessShellCommand(CCommandLineInfo& rCmdInfo);

    // --- profile ---
    void SetRegistryKey(LPCTSTR lpszRegistryKey);
    // Reads the recent-file list (nMaxMRU entries, 0 for none) from the profile.
    void LoadStdProfileSettings(UINT nMaxMRU = 4);
    void SaveStdProfileSettings();
    // Open keys the caller closes with RegCloseKey; null without a registry key.
    HKEY GetAppRegistryKey();
    UINT GetProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nDefault);
    CString GetProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszDefault = nullptr);
    // *ppData: a new[]-allocated copy the caller deletes with delete[]; null when missing.
    BOOL GetProfileBinary(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPBYTE* ppData, UINT* pBytes);
    BOOL WriteProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nValue);
    // A null entry deletes the section, a null value deletes the entry.
    BOOL WriteProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszValue);
    BOOL WriteProfileBinary(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPBYTE pData, UINT nBytes);

    // --- commands ---
    void OnFileNew();
    void OnFileOpen();
    void OnFilePrintSetup();
    void OnAppExit();
    BOOL OnOpenRecentFile(UINT nID);

    // --- printer ---
    // Hands out the application's printer blocks (DEVMODE and DEVNAMES) in pd->hDevMode and
    // pd->hDevNames; they belong to the application, which makes them on first use from the
    // framework's default printer settings (printer or PDF file, orientation, resolution) and
    // frees them. FALSE, with the handles left alone, only when there is no printer at all.
    BOOL GetPrinterDeviceDefaults(PRINTDLGA* pd);

  private:
    // Fills in the application and profile names that were not given.
    void ResolveNames();
    void ReleasePrinterDefaults();
    // Routes the modal loops' messages of the calling thread to ProcessMessageFilter.
    void InstallMessageFilter();
    HKEY OpenSectionKey(LPCTSTR lpszSection, bool create);

    CString m_strAppName;
    CString m_strExeName;
    CString m_strRegistryKey;
    CString m_strProfileName;
    CString m_strCmdLine;
    int m_messageFilterHook = 0;
    int m_nQuitCode = 0;
    HGLOBAL m_hDevMode = nullptr;
    HGLOBAL m_hDevNames = nullptr;

    friend int AfxWinMain(int argc, char** argv);
    friend BOOL AfxWinInit(CWinApp* pApp, int argc, char** argv);

    DECLARE_MESSAGE_MAP()
};

CWinApp* AfxGetApp();
CWnd* AfxGetMainWnd();
HINSTANCE AfxGetInstanceHandle();
HINSTANCE AfxGetResourceHandle();
void AfxPostQuitMessage(int nExitCode);

// Sets the application's process data from the arguments: program name, command line (the
// arguments after the program name, joined by blanks), instance handle. Called by AfxWinMain;
// tests call it for an application they run themselves.
BOOL AfxWinInit(CWinApp* pApp, int argc, char** argv);
// The program's main: AfxWinInit, InitApplication, InitInstance and then Run (or ExitInstance
// when the initialisation failed); returns the exit code.
int AfxWinMain(int argc, char** argv);
