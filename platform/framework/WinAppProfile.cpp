// The application's profile in the settings store, and the standard profile settings.
#include <cstring>

#include "platform/base/Registry.h"
#include "platform/framework/RecentFileList.h"
#include "platform/framework/WinApp.h"

namespace {

constexpr const char* kFileSection = "Recent File List";
constexpr const char* kFileEntry = "File%d";
constexpr const char* kPreviewSection = "Settings";
constexpr const char* kPreviewEntry = "PreviewPages";
constexpr UINT kMaxMRU = 16;

HKEY OpenOrCreate(HKEY parent, LPCSTR name, bool create) {
    HKEY key = nullptr;
    const LONG result = create ? ::RegCreateKeyEx(parent, name, 0, nullptr, REG_OPTION_NON_VOLATILE,
                                                  KEY_READ | KEY_WRITE, nullptr, &key, nullptr)
                               : ::RegOpenKeyEx(parent, name, 0, KEY_READ | KEY_WRITE, &key);
    return result == ERROR_SUCCESS ? key : nullptr;
}

}  // namespace

void CWinApp::SetRegistryKey(LPCTSTR lpszRegistryKey) {
    ResolveNames();
    m_strRegistryKey = lpszRegistryKey;
    m_pszRegistryKey = m_strRegistryKey;
    m_strProfileName = m_pszAppName;
    m_pszProfileName = m_strProfileName;
}

HKEY CWinApp::OpenSectionKey(LPCTSTR lpszSection, bool create) {
    // Reading does not create keys; writing creates what is missing, "Software" included.
    if (m_pszRegistryKey == nullptr || m_pszProfileName == nullptr || lpszSection == nullptr)
        return nullptr;
    HKEY software = OpenOrCreate(HKEY_CURRENT_USER, "Software", create);
    if (software == nullptr)
        return nullptr;
    HKEY company = OpenOrCreate(software, m_pszRegistryKey, create);
    ::RegCloseKey(software);
    if (company == nullptr)
        return nullptr;
    HKEY app = OpenOrCreate(company, m_pszProfileName, create);
    ::RegCloseKey(company);
    if (app == nullptr || *lpszSection == '\0')
        return app;
    HKEY section = OpenOrCreate(app, lpszSection, create);
    ::RegCloseKey(app);
    return section;
}

HKEY CWinApp::GetAppRegistryKey() {
    return OpenSectionKey("", true);
}

UINT CWinApp::GetProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nDefault) {
    HKEY key = OpenSectionKey(lpszSection, false);
    if (key == nullptr)
        return static_cast<UINT>(nDefault);
    DWORD value = 0;
    DWORD type = REG_NONE;
    DWORD size = sizeof value;
    const LONG result =
        ::RegQueryValueEx(key, lpszEntry, nullptr, &type, reinterpret_cast<LPBYTE>(&value), &size);
    ::RegCloseKey(key);
    // A value of another type is not an integer of this profile.
    if (result != ERROR_SUCCESS || type != REG_DWORD || size != sizeof value)
        return static_cast<UINT>(nDefault);
    return value;
}

CString CWinApp::GetProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszDefault) {
    const CString fallback = lpszDefault != nullptr ? lpszDefault : "";
    HKEY key = OpenSectionKey(lpszSection, false);
    if (key == nullptr)
        return fallback;
    DWORD type = REG_NONE;
    DWORD size = 0;
    LONG result = ::RegQueryValueEx(key, lpszEntry, nullptr, &type, nullptr, &size);
    CString value;
    if (result == ERROR_SUCCESS && (type == REG_SZ || type == REG_EXPAND_SZ)) {
        char* buffer = value.GetBuffer(static_cast<int>(size) + 1);
        result = ::RegQueryValueEx(key, lpszEntry, nullptr, &type, reinterpret_cast<LPBYTE>(buffer),
                                   &size);
        buffer[size] = '\0';
        value.ReleaseBuffer();
    } else if (result == ERROR_SUCCESS) {
        result = ERROR_INVALID_DATA;
    }
    ::RegCloseKey(key);
    return result == ERROR_SUCCESS ? value : fallback;
}

BOOL CWinApp::GetProfileBinary(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPBYTE* ppData,
                               UINT* pBytes) {
    *ppData = nullptr;
    *pBytes = 0;
    HKEY key = OpenSectionKey(lpszSection, false);
    if (key == nullptr)
        return FALSE;
    DWORD type = REG_NONE;
    DWORD size = 0;
    LONG result = ::RegQueryValueEx(key, lpszEntry, nullptr, &type, nullptr, &size);
    if (result == ERROR_SUCCESS && type == REG_BINARY) {
        auto* data = new BYTE[size > 0 ? size : 1];
        result = ::RegQueryValueEx(key, lpszEntry, nullptr, &type, data, &size);
        if (result == ERROR_SUCCESS) {
            *ppData = data;
            *pBytes = size;
        } else {
            delete[] data;
        }
    } else if (result == ERROR_SUCCESS) {
        result = ERROR_INVALID_DATA;
    }
    ::RegCloseKey(key);
    return result == ERROR_SUCCESS;
}

BOOL CWinApp::WriteProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nValue) {
    HKEY key = OpenSectionKey(lpszSection, true);
    if (key == nullptr)
        return FALSE;
    const auto value = static_cast<DWORD>(nValue);
    const LONG result = ::RegSetValueEx(key, lpszEntry, 0, REG_DWORD,
                                        reinterpret_cast<const BYTE*>(&value), sizeof value);
    ::RegCloseKey(key);
    return result == ERROR_SUCCESS;
}

BOOL CWinApp::WriteProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszValue) {
    LONG result = ERROR_INVALID_PARAMETER;
    if (lpszEntry == nullptr) {
        // The whole section (a key without subkeys) goes.
        HKEY app = OpenSectionKey("", false);
        if (app == nullptr)
            return FALSE;
        result = ::RegDeleteKey(app, lpszSection);
        ::RegCloseKey(app);
    } else if (lpszValue == nullptr) {
        HKEY key = OpenSectionKey(lpszSection, false);
        if (key == nullptr)
            return FALSE;
        result = ::RegDeleteValue(key, lpszEntry);
        ::RegCloseKey(key);
    } else {
        HKEY key = OpenSectionKey(lpszSection, true);
        if (key == nullptr)
            return FALSE;
        result =
            ::RegSetValueEx(key, lpszEntry, 0, REG_SZ, reinterpret_cast<const BYTE*>(lpszValue),
                            static_cast<DWORD>(std::strlen(lpszValue) + 1));
        ::RegCloseKey(key);
    }
    return result == ERROR_SUCCESS;
}

BOOL CWinApp::WriteProfileBinary(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPBYTE pData,
                                 UINT nBytes) {
    HKEY key = OpenSectionKey(lpszSection, true);
    if (key == nullptr)
        return FALSE;
    const LONG result = ::RegSetValueEx(key, lpszEntry, 0, REG_BINARY, pData, nBytes);
    ::RegCloseKey(key);
    return result == ERROR_SUCCESS;
}

void CWinApp::LoadStdProfileSettings(UINT nMaxMRU) {
    if (nMaxMRU > kMaxMRU)
        nMaxMRU = kMaxMRU;
    if (nMaxMRU != 0) {
        delete m_pRecentFileList;
        m_pRecentFileList =
            new CRecentFileList(0, kFileSection, kFileEntry, static_cast<int>(nMaxMRU));
        m_pRecentFileList->ReadList();
    }
    m_nNumPreviewPages = GetProfileInt(kPreviewSection, kPreviewEntry, 0);
}

void CWinApp::SaveStdProfileSettings() {
    if (m_pRecentFileList != nullptr)
        m_pRecentFileList->WriteList();
    if (m_nNumPreviewPages != 0)
        WriteProfileInt(kPreviewSection, kPreviewEntry, static_cast<int>(m_nNumPreviewPages));
}
