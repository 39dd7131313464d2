// Listing folders with wildcards: FindFirstFile/FindNextFile and the framework's CFileFind.
// A pattern is a folder path followed by a name pattern in which '*' matches any run of
// characters and '?' one character; letters match regardless of case, and "*.*" also matches
// names without a dot, as on Windows. "." and ".." are listed when the pattern matches them.
// Entries come sorted by name.
#pragma once

#include <string>
#include <string_view>

#include "platform/base/CString.h"
#include "platform/base/FileSystem.h"
#include "platform/base/FileTime.h"
#include "platform/base/WinTypes.h"

struct WIN32_FIND_DATA {
    DWORD dwFileAttributes;
    FILETIME ftCreationTime;
    FILETIME ftLastAccessTime;
    FILETIME ftLastWriteTime;
    DWORD nFileSizeHigh;
    DWORD nFileSizeLow;
    DWORD dwReserved0;
    DWORD dwReserved1;
    char cFileName[MAX_PATH];
    char cAlternateFileName[14];
};
using WIN32_FIND_DATAA = WIN32_FIND_DATA;
using LPWIN32_FIND_DATA = WIN32_FIND_DATA*;

// INVALID_HANDLE_VALUE with ERROR_FILE_NOT_FOUND when nothing matches, ERROR_PATH_NOT_FOUND when
// the folder does not exist.
HANDLE FindFirstFile(LPCSTR pattern, WIN32_FIND_DATA* data);
// FALSE with ERROR_NO_MORE_FILES after the last entry.
BOOL FindNextFile(HANDLE find, WIN32_FIND_DATA* data);
BOOL FindClose(HANDLE find);

namespace kq {

// Windows wildcard match of a whole name, letters compared without regard to case.
bool MatchesWildcard(std::string_view pattern, std::string_view name);

}  // namespace kq

// The framework's finder. FindFile starts a search; each FindNextFile then moves to the next
// entry and returns FALSE when that entry is the last one (it is still valid to read):
//     BOOL more = finder.FindFile(folder + "/*.txt");
//     while (more) { more = finder.FindNextFile(); use(finder.GetFilePath()); }
class CFileFind {
  public:
    CFileFind() = default;
    ~CFileFind();
    CFileFind(const CFileFind&) = delete;
    CFileFind& operator=(const CFileFind&) = delete;

    BOOL FindFile(LPCSTR pattern = nullptr, DWORD unused = 0);
    BOOL FindNextFile();
    void Close();

    CString GetFileName() const;
    CString GetFilePath() const;
    CString GetFileTitle() const;
    CString GetRoot() const;
    BOOL IsDirectory() const { return MatchesMask(FILE_ATTRIBUTE_DIRECTORY); }
    BOOL IsReadOnly() const { return MatchesMask(FILE_ATTRIBUTE_READONLY); }
    BOOL IsHidden() const { return MatchesMask(FILE_ATTRIBUTE_HIDDEN); }
    BOOL IsNormal() const { return MatchesMask(FILE_ATTRIBUTE_NORMAL); }
    BOOL IsDots() const;
    BOOL MatchesMask(DWORD mask) const;

  private:
    HANDLE find_ = nullptr;
    bool hasNext_ = false;
    bool hasCurrent_ = false;
    WIN32_FIND_DATA next_{};
    WIN32_FIND_DATA current_{};
    std::string root_;
};
