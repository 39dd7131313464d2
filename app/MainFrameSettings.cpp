// The frame's settings in the store: the first reader (language, log switch, page, tree states,
// port names) runs before the window exists, the second (last used port, page flags, window
// position) when the start-up completes, the restore shows the frame with its bar layout at the
// end of the first search, and the writer saves everything when the window is destroyed. Every
// write is checked; the first failure is reported once.
#include <string>
#include <unordered_set>

#include "app/Kq7App.h"
#include "app/MainFrame.h"
#include "app/views/CAFormDiagram.h"
#include "foundation/DiagnosticTrace.h"
#include "foundation/Language.h"
#include "foundation/SharedConstants.h"
#include "pages/common/PageTable.h"
#include "pages/measurement/CDlgDocumentation.h"
#include "pages/measurement/CDlgMeasureAdjust.h"
#include "platform/base/Registry.h"
#include "platform/base/RegistryKey.h"
#include "platform/framework/DockState.h"
#include "res/TextIds.h"

namespace {

constexpr const char* kTreeSection = "AllViewState\\Configs\\TreeState";
constexpr const char* kConfigSection = "AllViewState\\Configs";
constexpr const char* kPortSection = "COM Einstellungen";
constexpr const char* kKeepSection = "DespiteReset";
constexpr const char* kBarSection = "AllViewState\\BarState\\ViewBar";

CString IndexedName(const char* stem, int index) {
    CString name;
    name.Format("%s%i", stem, index);
    return name;
}

// The names (in the store's comparison form) of the values a section of the application's profile
// holds. The port table has an entry for each of 256 ports, of which a file holds those of the
// ports ever seen: the others keep their defaults without the section being opened for each.
std::unordered_set<std::string> StoredValueNames(const CWinApp* app, const char* section) {
    std::unordered_set<std::string> names;
    if (app->m_pszRegistryKey == nullptr || app->m_pszProfileName == nullptr)
        return names;
    const std::string path = std::string("Software\\") + app->m_pszRegistryKey + "\\" +
                             app->m_pszProfileName + "\\" + section;
    HKEY key = nullptr;
    if (RegOpenKeyEx(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return names;
    std::string name(kq::kMaxValueNameLength + 1, '\0');
    for (DWORD index = 0;; ++index) {
        DWORD size = static_cast<DWORD>(name.size());
        if (RegEnumValue(key, index, name.data(), &size, nullptr, nullptr, nullptr, nullptr) !=
            ERROR_SUCCESS)
            break;
        names.insert(kq::FoldName(std::string_view(name.data(), size)));
    }
    RegCloseKey(key);
    return names;
}

bool HasStoredBarLayout(LPCTSTR section) {
    CDockState state;
    state.LoadState(section);
    return state.m_arrBarInfo.GetSize() > 0;
}

}  // namespace

BOOL CMainFrame::ReadSettings() {
    CWinApp* app = AfxGetApp();
    SetDecimalSeparatorIds(0, 1);
    SetColumnSeparatorIds(0, 1, 2, 3, 4);
    const bool firstStart = CollectSystemInfo(app, this);
    const int stored =
        firstStart
            ? m_iLanguageChoice
            : static_cast<int>(app->GetProfileInt("Language", "Language", m_iLanguageChoice));
    SetLanguage(stored);
    ::SetLanguageOffset(m_iLanguageOffset);
    m_bSuppressLog = app->GetProfileInt("Language", "WriteLogFile", 1);
    m_nActivePage =
        app->GetProfileInt(kConfigSection, "ActivDisplayMenu", static_cast<int>(m_nActivePage));
    for (int i = 0; i < 7; ++i)
        m_viewState.folderState[i] =
            app->GetProfileInt(kTreeSection, IndexedName("FolderState_", i), 1);
    for (int i = 0; i < 5; ++i)
        m_viewState.checkState[i] = 3;
    for (int i = 5; i < 8; ++i)
        m_viewState.checkState[i] =
            app->GetProfileInt(kTreeSection, IndexedName("CheckState_", i), 1);
    const std::unordered_set<std::string> portValues = StoredValueNames(app, kPortSection);
    const auto isStored = [&portValues](const CString& name) {
        return !portValues.empty() && portValues.count(kq::FoldName(name.GetString())) != 0;
    };
    const auto readInt = [&](const CString& name, int fallback) {
        return isStored(name) ? static_cast<int>(app->GetProfileInt(kPortSection, name, fallback))
                              : fallback;
    };
    for (int i = 0; i < COM_MAX_PORTS; ++i) {
        const CString prefix = portValues.empty() ? CString() : PortEntryName(i, "");
        const CString name = prefix + "Name";
        COM_TakeStoredPortEntry(
            i, isStored(name) ? app->GetProfileString(kPortSection, name, "n.a.") : CString("n.a."),
            readInt(prefix + "Disabled", -11), readInt(prefix + "Baudrate", 0));
    }
    return TRUE;
}

BOOL CMainFrame::ReadStartupSettings() {
    CWinApp* app = AfxGetApp();
    COM_TakeLastUsedSensor(app->GetProfileString(kKeepSection, "LastUsedComPort", ""),
                           app->GetProfileInt(kKeepSection, "LastUsedSerialNo", 0));
    if (CDlgMeasureAdjust* adjust = GetMeasureAdjustPage()) {
        DecodeViewUseShowWindow(app->GetProfileInt("Language", "ViewUseShowWindow", 1),
                                adjust->m_bViewUseShowWindow1, adjust->m_bViewUseShowWindow2);
    }
    return RestoreWindowPosition(this, app) ? TRUE : FALSE;
}

BOOL CMainFrame::RestoreWindowAndBarState() {
    CWinApp* app = AfxGetApp();
    const int maximized = app->GetProfileInt("AllViewState\\Configs\\WindowPos", "IsMaximized", 0);
    ShowWindow(maximized != 0 ? SW_SHOWMAXIMIZED : SW_SHOWNORMAL);
    m_bFrameShown = TRUE;
    CSizingControlBar::LoadAll(kBarSection, this);
    const bool layoutLoaded = HasStoredBarLayout(kBarSection) && VerifyBarState(kBarSection);
    if (layoutLoaded)
        LoadBarState(kBarSection);
    if (m_bStoredVersionIsCurrent)
        WaitCursorOff();
    // Without a stored layout the bars stand as they were made (every channel bar showing), so
    // they are laid out for the page like after a first start; on the measure-and-diagram page
    // with its own bars, since the other pages' layout would hide its diagram.
    if (!m_bStoredVersionIsCurrent || !layoutLoaded)
        UpdateViewBarsForPage(m_nActivePage == PAGE_MEASURE_DIAGRAM ? 3 : 2);
    return TRUE;
}

void CMainFrame::WriteInt(LPCTSTR section, LPCTSTR entry, int value) {
    if (!AfxGetApp()->WriteProfileInt(section, entry, value) && !m_bSettingsWriteFailed) {
        m_bSettingsWriteFailed = TRUE;
        m_strSettingsWriteFailure = CString(section) + "\\" + entry;
    }
}

void CMainFrame::WriteString(LPCTSTR section, LPCTSTR entry, LPCTSTR value) {
    if (!AfxGetApp()->WriteProfileString(section, entry, value) && !m_bSettingsWriteFailed) {
        m_bSettingsWriteFailed = TRUE;
        m_strSettingsWriteFailure = CString(section) + "\\" + entry;
    }
}

void CMainFrame::WriteBinary(LPCTSTR section, LPCTSTR entry, const BYTE* data, UINT bytes) {
    if (!AfxGetApp()->WriteProfileBinary(section, entry, const_cast<BYTE*>(data), bytes) &&
        !m_bSettingsWriteFailed) {
        m_bSettingsWriteFailed = TRUE;
        m_strSettingsWriteFailure = CString(section) + "\\" + entry;
    }
}

void CMainFrame::SaveSettings() {
    CWinApp* app = AfxGetApp();
    m_bSettingsWriteFailed = FALSE;
    m_viewState.Seal();
    SaveSystemInfo(app, this);

    WriteString(kKeepSection, "GrafikklasseVersion", CAFormDiagram::kLiveDiagramVersion);
    WriteString(kKeepSection, "ApplicationVersion", kSettingsVersion);
    WriteInt(kKeepSection, "LastUsedSerialNo", static_cast<int>(m_aSensorRecord[0].dwSerialNumber));
    // The port open for the first sensor, so that the next search tries it first; a multi-port
    // device's sensors are open on their own ports, its first one stands for the device.
    bool sensorPortOpen = COM_MainPort() != nullptr && COM_MainPort()->IsPortOpen();
    for (int slot = 0; slot < COM_MAX_SENSORS; ++slot)
        sensorPortOpen = sensorPortOpen ||
                         (COM_DevicePort(slot) != nullptr && COM_DevicePort(slot)->IsPortOpen());
    if (m_iOpenEntry >= 0 && m_iOpenEntry < COM_MAX_PORTS && sensorPortOpen)
        WriteString(kKeepSection, "LastUsedComPort", m_aEntries[m_iOpenEntry].strPortName);

    WriteInt(kConfigSection, "ActivDisplayMenu", static_cast<int>(m_nActivePage));
    const std::array<uint8_t, 72> record = m_viewState.ToBytes();
    WriteBinary(kTreeSection, "TreeCtrlStruct", record.data(), static_cast<UINT>(record.size()));
    for (int i = 0; i < 7; ++i)
        WriteInt(kTreeSection, IndexedName("FolderState_", i), m_viewState.folderState[i]);
    for (int i = 0; i < 8; ++i)
        WriteInt(kTreeSection, IndexedName("CheckState_", i), m_viewState.checkState[i]);

    WriteString("Version", "Version", SettingsVersionText(kSettingsVersion));
    WriteInt("Language", "Language", StoredLanguageOffset(m_iLanguageOffset));
    WriteInt("Language", "WriteLogFile", m_bSuppressLog);
    if (CDlgMeasureAdjust* adjust = GetMeasureAdjustPage())
        WriteInt(
            "Language", "ViewUseShowWindow",
            EncodeViewUseShowWindow(adjust->m_bViewUseShowWindow1, adjust->m_bViewUseShowWindow2));
    WriteInt("Settings", "SearchForOnlyUSBPorts", m_dlgStartUp.IsSearchForOnlyUsbPorts());
    if (CDlgDocumentation* documentation = GetDocumentationPage();
        documentation != nullptr && !documentation->SaveSettings(app) && !m_bSettingsWriteFailed) {
        m_bSettingsWriteFailed = TRUE;
        m_strSettingsWriteFailure = "DespiteReset\\DocumentationStruct";
    }
    if (CDlgMeasureAdjust* adjust = GetMeasureAdjustPage();
        adjust != nullptr && !adjust->SaveSettings(app) && !m_bSettingsWriteFailed) {
        m_bSettingsWriteFailed = TRUE;
        m_strSettingsWriteFailure = "DespiteReset\\PartOfMeasureStartAddProg";
    }

    for (int i = 0; i < COM_MAX_PORTS && m_aEntries[i].iStateId >= 0; ++i) {
        const SensorEntry& entry = m_aEntries[i];
        WriteString(kPortSection, PortEntryName(i, "Name"), entry.strPortName);
        WriteInt(kPortSection, PortEntryName(i, "Disabled"), entry.iDisabled);
        WriteInt(kPortSection, PortEntryName(i, "Baudrate"), entry.iBaudrate);
        WriteInt(kPortSection, PortEntryName(i, "State  ID"), entry.iStateId);
    }

    // A frame that was never shown keeps the stored placement and layout.
    if (m_bFrameShown) {
        CSizingControlBar::SaveAll(kBarSection, this);
        SaveBarState(kBarSection);
        SaveWindowPosition(app, this);
    }

    if (::kq::FlushRegistry() != ERROR_SUCCESS && !m_bSettingsWriteFailed) {
        m_bSettingsWriteFailed = TRUE;
        m_strSettingsWriteFailure = ::kq::RegistryFilePath().c_str();
    }
    if (!m_bSettingsWriteFailed)
        return;
    WriteDiagnosticTrace(CString("Settings write failed: ") + m_strSettingsWriteFailure);
    // Settings the start already said would not be kept are not announced a second time.
    const auto* program = dynamic_cast<const CKq7App*>(app);
    if (program != nullptr && program->m_bSettingsNotKeptReported)
        return;
    CString text = GetLanguageString(IDS_SETTINGS_NOT_SAVED);
    text.Replace("%s", ::kq::RegistryFilePath().c_str());
    AfxMessageBox(text, MB_ICONWARNING);
}
