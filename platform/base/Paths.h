// Where the program finds its folders, in the shape of the Windows shell's special folders.
//
// Every folder is read from the environment at each call, never cached:
//   local application data  $XDG_DATA_HOME     (default $HOME/.local/share)   CSIDL_LOCAL_APPDATA
//   application data        $XDG_CONFIG_HOME   (default $HOME/.config)        CSIDL_APPDATA
//   documents               $XDG_DOCUMENTS_DIR, else the XDG_DOCUMENTS_DIR line of
//                           user-dirs.dirs, else $HOME/Documents when it exists, else $HOME
//                                                                             CSIDL_PERSONAL
//   common application data the first entry of $XDG_DATA_DIRS (default /usr/local/share);
//                           usually not writable                             CSIDL_COMMON_APPDATA
//   runtime files           $XDG_RUNTIME_DIR   (default /tmp)
//   temporary files         $TMPDIR            (default /tmp)
// Relative XDG values are ignored, as the XDG rules demand. Tests point all of them at a
// temporary folder with kq::ScopedFolderRoots. Paths use '/'.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "platform/base/HResult.h"
#include "platform/base/WinTypes.h"

constexpr int CSIDL_PERSONAL = 0x0005;
constexpr int CSIDL_MYDOCUMENTS = CSIDL_PERSONAL;
constexpr int CSIDL_APPDATA = 0x001A;
constexpr int CSIDL_LOCAL_APPDATA = 0x001C;
constexpr int CSIDL_COMMON_APPDATA = 0x0023;
constexpr int CSIDL_FLAG_CREATE = 0x8000;
constexpr int CSIDL_FLAG_DONT_VERIFY = 0x4000;
constexpr int CSIDL_FLAG_MASK = 0xFF00;
constexpr DWORD SHGFP_TYPE_CURRENT = 0;
constexpr DWORD SHGFP_TYPE_DEFAULT = 1;

// Fills path (MAX_PATH bytes) with the folder; CSIDL_FLAG_CREATE creates it when missing.
// E_INVALIDARG for an unknown folder, E_FAIL when it cannot be determined, created or does not
// fit the buffer (path is then empty).
HRESULT SHGetFolderPath(HWND owner, int csidl, HANDLE token, DWORD flags, LPSTR path);
BOOL SHGetSpecialFolderPath(HWND owner, LPSTR path, int csidl, BOOL create);

// The running program's path (from /proc/self/exe) for any module. Returns the length; a buffer
// too small receives the truncated, terminated path, the result is size and the last error
// ERROR_INSUFFICIENT_BUFFER.
DWORD GetModuleFileName(HMODULE module, LPSTR buffer, DWORD size);

// The temporary folder with a trailing '/'. Returns the length, or the size needed (with the
// terminator) when the buffer is too small, or 0 on failure.
DWORD GetTempPath(DWORD size, LPSTR buffer);
// The current directory, with the same size protocol as GetTempPath.
DWORD GetCurrentDirectory(DWORD size, LPSTR buffer);

namespace kq {

std::string HomeFolder();
std::string LocalAppDataFolder();
std::string AppDataFolder();
std::string DocumentsFolder();
std::string CommonAppDataFolder();
std::string RuntimeFolder();
std::string TempFolder();
// The folder of a CSIDL value (flags stripped); empty when unknown or undeterminable.
std::string SpecialFolder(int csidl);
std::string ExecutablePath();

// Joins two path parts with exactly one '/' between them.
std::string JoinPath(const std::string& folder, const std::string& name);

// Points HOME and every XDG folder, TMPDIR included, at subfolders of root (created here):
// home/, data/, config/, documents/, common/, run/, tmp/. Restores the previous environment when
// destroyed. For tests; the environment is process-wide, so use it on one thread only.
class ScopedFolderRoots {
  public:
    explicit ScopedFolderRoots(const std::string& root);
    ~ScopedFolderRoots();
    ScopedFolderRoots(const ScopedFolderRoots&) = delete;
    ScopedFolderRoots& operator=(const ScopedFolderRoots&) = delete;

  private:
    std::vector<std::pair<std::string, std::pair<bool, std::string>>> saved_;
};

}  // namespace kq
