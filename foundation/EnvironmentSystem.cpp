#include <pwd.h>
#include <sys/utsname.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

#include "foundation/Environment.h"
#include "foundation/Language.h"
#include "platform/base/FileSystem.h"
#include "platform/base/LastError.h"
#include "platform/base/Paths.h"
#include "platform/base/Registry.h"
#include "platform/base/Trace.h"

namespace {

CString UserName() {
    if (const passwd* pw = getpwuid(geteuid()))
        return pw->pw_name;
    if (const char* user = std::getenv("USER"))
        return user;
    return CString();
}

CString HostName() {
    char name[256] = {};
    if (gethostname(name, sizeof(name) - 1) != 0)
        return CString();
    return name;
}

// The part of the host's full name after the first dot, else the NIS domain when one is set.
CString DomainName(const CString& host) {
    const int dot = host.Find('.');
    if (dot > 0)
        return host.Mid(dot + 1);
    char domain[256] = {};
    if (getdomainname(domain, sizeof(domain) - 1) == 0 && domain[0] && CString(domain) != "(none)")
        return domain;
    return CString();
}

const char* LocaleName() {
    for (const char* var : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = std::getenv(var);
        if (value && *value)
            return value;
    }
    return "";
}

}  // namespace

int CEnvironment::LanguageChoiceFromLocale() {
    const std::string locale = LocaleName();
    if (locale.rfind("de", 0) == 0)
        return LANGUAGE_GERMAN;
    if (locale.rfind("fr", 0) == 0)
        return LANGUAGE_FRENCH_OLD;
    return LANGUAGE_ENGLISH;
}

void CEnvironment::ReadSystemFacts() {
    m_strUserName = UserName();
    const CString host = HostName();
    const int dot = host.Find('.');
    m_strComputerName = dot > 0 ? host.Left(dot) : host;
    m_strDomainName = DomainName(host);
    // There is no logon server on a Linux desktop: the machine itself signs the user in.
    m_strLogonServer = m_strComputerName;
    m_strHomePath = kq::HomeFolder().c_str();
    const long processors = sysconf(_SC_NPROCESSORS_ONLN);
    m_iProcessors = processors > 0 ? static_cast<int>(processors) : 1;
    utsname uts{};
    if (uname(&uts) == 0) {
        m_strOsVersion.Format("%s %s %s", uts.sysname, uts.release, uts.machine);
    }
    m_strSystemLanguage = LocaleName();
    m_iLanguageChoice = LanguageChoiceFromLocale();
    m_strApplicationPath = kq::ExecutablePath().c_str();
    const int slash = m_strApplicationPath.ReverseFind('/');
    m_strApplicationFolder = slash >= 0 ? m_strApplicationPath.Left(slash) : CString();
    GetLocalAppDataPath(m_strLocalAppDataPath);
}

CString CEnvironment::BuildSystemInfoText() const {
    CString text;
    text.AppendFormat("User name: %s\n", m_strUserName);
    text.AppendFormat("Computer name: %s\n", m_strComputerName);
    text.AppendFormat("Domain name: %s\n", m_strDomainName);
    text.AppendFormat("Logon server: %s\n", m_strLogonServer);
    text.AppendFormat("Home path: %s\n", m_strHomePath);
    text.AppendFormat("Processors: %d\n", m_iProcessors);
    text.AppendFormat("Operating system: %s\n", m_strOsVersion);
    text.AppendFormat("System language: %s\n", m_strSystemLanguage);
    text.AppendFormat("Application: %s\n", m_strApplicationPath);
    text.AppendFormat("Local application data: %s\n", m_strLocalAppDataPath);
    return text;
}

void CEnvironment::SetDecimalSeparatorIds(int commaId, int pointId) {
    m_iDecimalSeparatorIds[0] = commaId;
    m_iDecimalSeparatorIds[1] = pointId;
}

void CEnvironment::SetColumnSeparatorIds(int tabId, int semicolonId, int commaId, int pointId,
                                         int blankId) {
    const int ids[5] = {tabId, semicolonId, commaId, pointId, blankId};
    for (int i = 0; i < 5; ++i)
        m_iColumnSeparatorIds[i] = ids[i];
}

LONG CEnvironment::DeleteRegistryTree(HKEY root, const char* keyPath) {
    HKEY key = nullptr;
    LONG result = RegOpenKeyEx(root, keyPath, 0, KEY_ALL_ACCESS, &key);
    if (result != ERROR_SUCCESS) {
        TRACE("DeleteRegistryTree: key '%s' cannot be opened (%ld)\n", keyPath ? keyPath : "",
              static_cast<long>(result));
        return result;
    }
    RegCloseKey(key);
    result = RegDeleteTree(root, keyPath);
    if (result != ERROR_SUCCESS) {
        TRACE("DeleteRegistryTree: key '%s' cannot be deleted (%ld)\n", keyPath ? keyPath : "",
              static_cast<long>(result));
    }
    return result;
}

bool CEnvironment::GetLocalAppDataPath(CString& path) {
    char buffer[MAX_PATH] = {};
    if (SHGetFolderPath(nullptr, CSIDL_LOCAL_APPDATA, nullptr, 0, buffer) != S_OK) {
        path.Empty();
        return false;
    }
    path = buffer;
    return true;
}

bool CEnvironment::FileExists(const char* path) {
    if (!path || !*path)
        return false;
    const DWORD attributes = GetFileAttributes(path);
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}
