#include "platform/base/Paths.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fstream>

#include "platform/base/FileSystem.h"
#include "platform/base/LastError.h"

namespace kq {
namespace {

std::string Environment(const char* name) {
    const char* value = std::getenv(name);
    return value ? std::string(value) : std::string();
}

// An XDG variable counts only when it holds an absolute path.
std::string XdgFolder(const char* name) {
    std::string value = Environment(name);
    return !value.empty() && value[0] == '/' ? value : std::string();
}

bool IsDirectory(const std::string& path) {
    struct stat st {};
    return !path.empty() && ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

// The documents entry of user-dirs.dirs: XDG_DOCUMENTS_DIR="$HOME/Dokumente" or an absolute path.
std::string UserDirsDocuments() {
    std::ifstream in(JoinPath(AppDataFolder(), "user-dirs.dirs"));
    std::string line;
    const std::string key = "XDG_DOCUMENTS_DIR=";
    while (std::getline(in, line)) {
        if (line.compare(0, key.size(), key) != 0)
            continue;
        std::string value = line.substr(key.size());
        if (value.size() < 2 || value.front() != '"' || value.back() != '"')
            return {};
        value = value.substr(1, value.size() - 2);
        if (value.compare(0, 5, "$HOME") == 0)
            return HomeFolder() + value.substr(5);
        return value.empty() || value[0] != '/' ? std::string() : value;
    }
    return {};
}

// Copies text into a buffer with the size protocol of GetTempPath: the length on success, the
// size needed (with terminator) when it does not fit.
DWORD CopyOut(const std::string& text, DWORD size, LPSTR buffer) {
    if (buffer == nullptr || text.size() + 1 > size)
        return static_cast<DWORD>(text.size() + 1);
    std::memcpy(buffer, text.c_str(), text.size() + 1);
    return static_cast<DWORD>(text.size());
}

}  // namespace

std::string HomeFolder() {
    std::string home = Environment("HOME");
    if (!home.empty())
        return home;
    if (const passwd* entry = ::getpwuid(::getuid()); entry && entry->pw_dir)
        return entry->pw_dir;
    return "/";
}

std::string LocalAppDataFolder() {
    std::string folder = XdgFolder("XDG_DATA_HOME");
    return folder.empty() ? JoinPath(HomeFolder(), ".local/share") : folder;
}

std::string AppDataFolder() {
    std::string folder = XdgFolder("XDG_CONFIG_HOME");
    return folder.empty() ? JoinPath(HomeFolder(), ".config") : folder;
}

std::string DocumentsFolder() {
    std::string folder = XdgFolder("XDG_DOCUMENTS_DIR");
    if (folder.empty())
        folder = UserDirsDocuments();
    if (!folder.empty())
        return folder;
    std::string documents = JoinPath(HomeFolder(), "Documents");
    return IsDirectory(documents) ? documents : HomeFolder();
}

std::string CommonAppDataFolder() {
    std::string dirs = Environment("XDG_DATA_DIRS");
    std::string first = dirs.substr(0, dirs.find(':'));
    return !first.empty() && first[0] == '/' ? first : std::string("/usr/local/share");
}

std::string RuntimeFolder() {
    std::string folder = XdgFolder("XDG_RUNTIME_DIR");
    return folder.empty() ? std::string("/tmp") : folder;
}

std::string TempFolder() {
    std::string folder = Environment("TMPDIR");
    return !folder.empty() && folder[0] == '/' ? folder : std::string("/tmp");
}

std::string SpecialFolder(int csidl) {
    switch (csidl & ~CSIDL_FLAG_MASK) {
        case CSIDL_PERSONAL:
            return DocumentsFolder();
        case CSIDL_APPDATA:
            return AppDataFolder();
        case CSIDL_LOCAL_APPDATA:
            return LocalAppDataFolder();
        case CSIDL_COMMON_APPDATA:
            return CommonAppDataFolder();
        default:
            return {};
    }
}

std::string ExecutablePath() {
    std::string path(4096, '\0');
    const ssize_t length = ::readlink("/proc/self/exe", path.data(), path.size());
    if (length <= 0 || static_cast<size_t>(length) >= path.size())
        return {};
    path.resize(static_cast<size_t>(length));
    return path;
}

std::string JoinPath(const std::string& folder, const std::string& name) {
    if (folder.empty())
        return name;
    if (name.empty())
        return folder;
    const bool folderSlash = folder.back() == '/';
    const bool nameSlash = name.front() == '/';
    if (folderSlash && nameSlash)
        return folder + name.substr(1);
    if (folderSlash || nameSlash)
        return folder + name;
    return folder + "/" + name;
}

ScopedFolderRoots::ScopedFolderRoots(const std::string& root) {
    const std::pair<const char*, const char*> folders[] = {{"HOME", "home"},
                                                           {"XDG_DATA_HOME", "data"},
                                                           {"XDG_CONFIG_HOME", "config"},
                                                           {"XDG_DOCUMENTS_DIR", "documents"},
                                                           {"XDG_DATA_DIRS", "common"},
                                                           {"XDG_RUNTIME_DIR", "run"},
                                                           {"TMPDIR", "tmp"}};
    for (const auto& [variable, sub] : folders) {
        const char* old = std::getenv(variable);
        saved_.push_back({variable, {old != nullptr, old ? old : ""}});
        const std::string path = JoinPath(root, sub);
        CreateDirectories(path);
        ::setenv(variable, path.c_str(), 1);
    }
}

ScopedFolderRoots::~ScopedFolderRoots() {
    for (const auto& [variable, old] : saved_) {
        if (old.first)
            ::setenv(variable.c_str(), old.second.c_str(), 1);
        else
            ::unsetenv(variable.c_str());
    }
}

}  // namespace kq

HRESULT SHGetFolderPath(HWND, int csidl, HANDLE, DWORD, LPSTR path) {
    if (path == nullptr)
        return E_INVALIDARG;
    path[0] = '\0';
    const std::string folder = kq::SpecialFolder(csidl);
    if (folder.empty())
        return E_INVALIDARG;
    if (folder.size() >= static_cast<size_t>(MAX_PATH))
        return E_FAIL;
    if ((csidl & CSIDL_FLAG_CREATE) && !kq::CreateDirectories(folder))
        return E_FAIL;
    std::memcpy(path, folder.c_str(), folder.size() + 1);
    return S_OK;
}

BOOL SHGetSpecialFolderPath(HWND owner, LPSTR path, int csidl, BOOL create) {
    return SHGetFolderPath(owner, csidl | (create ? CSIDL_FLAG_CREATE : 0), nullptr,
                           SHGFP_TYPE_CURRENT, path) == S_OK;
}

DWORD GetModuleFileName(HMODULE, LPSTR buffer, DWORD size) {
    const std::string path = kq::ExecutablePath();
    if (path.empty()) {
        kq::FailWithErrno(errno ? errno : ENOENT);
        return 0;
    }
    if (buffer == nullptr || size == 0) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return 0;
    }
    if (path.size() + 1 > size) {
        std::memcpy(buffer, path.data(), size - 1);
        buffer[size - 1] = '\0';
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return size;
    }
    std::memcpy(buffer, path.c_str(), path.size() + 1);
    SetLastError(ERROR_SUCCESS);
    return static_cast<DWORD>(path.size());
}

DWORD GetTempPath(DWORD size, LPSTR buffer) {
    std::string folder = kq::TempFolder();
    if (folder.back() != '/')
        folder += '/';
    return kq::CopyOut(folder, size, buffer);
}

DWORD GetCurrentDirectory(DWORD size, LPSTR buffer) {
    std::string path(4096, '\0');
    if (::getcwd(path.data(), path.size()) == nullptr) {
        kq::FailWithErrno();
        return 0;
    }
    path.resize(std::strlen(path.c_str()));
    return kq::CopyOut(path, size, buffer);
}
