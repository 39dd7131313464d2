// The environment record of the application: who and where it runs, the screen, the separators
// of the user's language, and the settings helpers around them. The main frame derives from it.
#pragma once

#include "foundation/BitmapFileWriter.h"
#include "foundation/RecordChecksum.h"
#include "foundation/TextHelpers.h"
#include "platform/base/CString.h"
#include "platform/base/Geometry.h"
#include "platform/base/WinTypes.h"

class CWinApp;
class CWnd;

// The text helpers, the record checksum and the bitmap writer are bases so that they keep the
// record's name (CEnvironment::DumpBytes) while living in files of their own.
class CEnvironment : public TextHelpers, public RecordChecksum, public BitmapFileWriter {
  public:
    CEnvironment() = default;
    virtual ~CEnvironment() = default;

    // The facts of the machine and the user that need no window: user, computer and domain
    // names, home folder, processors, operating system, system language and the program's
    // paths. Collecting the screen and the settings is done with the window (see below).
    void ReadSystemFacts();
    // The system-information text written at the head of a new log file: one "name: value" line
    // per fact.
    CString BuildSystemInfoText() const;

    // The language offset that suits the user's locale (LC_ALL, LC_MESSAGES, LANG): 0 for German,
    // 2000 for French, 1000 for every other language.
    static int LanguageChoiceFromLocale();

    // Ids of the decimal separators (',' and '.') and of the column separators (tab, ';', ',',
    // '.', blank) as the settings store them.
    void SetDecimalSeparatorIds(int commaId, int pointId);
    void SetColumnSeparatorIds(int tabId, int semicolonId, int commaId, int pointId, int blankId);

    // Deletes the key with all its subkeys and values. A key that is missing or cannot be opened
    // is only traced. Returns the registry's result code.
    static LONG DeleteRegistryTree(HKEY root, const char* keyPath);
    // The user's local application-data folder; false and empty when it cannot be determined.
    static bool GetLocalAppDataPath(CString& path);
    static bool FileExists(const char* path);

    // With the application and its main window. CollectSystemInfo fills the record, the screen
    // and the system-information text, and returns whether this is the first start of the
    // application (the first-start marker "Language"/"IsFirstTimeOfApp" is then written).
    bool CollectSystemInfo(CWinApp* app, CWnd* window);
    // Writes the profile section "SystemInfo".
    void SaveSystemInfo(CWinApp* app, CWnd* window);
    // Places the window from "AllViewState\Configs\WindowPos" (X, Y, CX, CY), fitted to the
    // monitors; false when no position is stored.
    bool RestoreWindowPosition(CWnd* window, CWinApp* app);
    // Writes the window's restored rectangle and whether it is maximised.
    void SaveWindowPosition(CWinApp* app, CWnd* window);
    // Creates the folder below the user's local application-data folder (an existing one is
    // fine) and gives its full path; a failure is shown to the user and returns false.
    bool CreateLocalAppDataFolder(CWnd* window, const char* folderName, CString& path);

    // Screen queries. Monitor 0 is the primary one, 1 the second; false when there is no such
    // monitor.
    static bool GetMonitorWorkArea(int monitor, CRect& workArea);
    // The monitor (0 or 1) whose work area the rectangle overlaps most; -1 when it overlaps
    // neither.
    static int GetMonitorOverlapping(const RECT& rect);
    static CRect GetUnionOfRects(const RECT& a, const RECT& b);
    // The primary monitor's rectangle: the bound of the minimum window size and the size of an
    // exported diagram.
    static CRect GetScreenRect();

    // The record.
    CString m_strUserName;
    CString m_strComputerName;
    CString m_strDomainName;
    CString m_strLogonServer;
    CString m_strHomePath;
    CString m_strOsVersion;
    CString m_strSystemLanguage;
    CString m_strApplicationPath;
    CString m_strApplicationFolder;
    CString m_strLocalAppDataPath;
    int m_iProcessors = 1;
    int m_iLanguageChoice = 1000;
    bool m_bFirstStart = false;
    int m_iDecimalSeparatorIds[2] = {0, 1};
    int m_iColumnSeparatorIds[5] = {0, 1, 2, 3, 4};
    CString m_strSystemInfo;
};
