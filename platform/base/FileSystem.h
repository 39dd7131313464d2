// File and folder operations in the shape of the Windows API. Every function sets the last
// error (see LastError.h) when it fails. Paths use '/'. The security-attribute parameters are
// accepted for the call shape and ignored; new files and folders get the process's umask.
#pragma once

#include <cstddef>
#include <string>

#include "platform/base/WinTypes.h"

constexpr DWORD FILE_ATTRIBUTE_READONLY = 0x00000001;
constexpr DWORD FILE_ATTRIBUTE_HIDDEN = 0x00000002;
constexpr DWORD FILE_ATTRIBUTE_DIRECTORY = 0x00000010;
constexpr DWORD FILE_ATTRIBUTE_ARCHIVE = 0x00000020;
constexpr DWORD FILE_ATTRIBUTE_NORMAL = 0x00000080;
constexpr DWORD INVALID_FILE_ATTRIBUTES = 0xFFFFFFFFu;

constexpr DWORD MOVEFILE_REPLACE_EXISTING = 0x00000001;
constexpr DWORD MOVEFILE_COPY_ALLOWED = 0x00000002;
constexpr DWORD MOVEFILE_DELAY_UNTIL_REBOOT = 0x00000004;
constexpr DWORD MOVEFILE_WRITE_THROUGH = 0x00000008;

// Creates one folder: ERROR_ALREADY_EXISTS when the path exists, ERROR_PATH_NOT_FOUND when its
// parent does not.
BOOL CreateDirectory(LPCSTR path, const void* securityAttributes);
inline BOOL CreateDirectoryA(LPCSTR path, const void* securityAttributes) {
    return CreateDirectory(path, securityAttributes);
}
// Creates the folder and every missing parent. ERROR_SUCCESS, ERROR_ALREADY_EXISTS when the
// folder was there already, ERROR_FILE_EXISTS when the path is a file, else the error.
int SHCreateDirectoryEx(HWND owner, LPCSTR path, const void* securityAttributes);
// Removes an empty folder (ERROR_DIR_NOT_EMPTY otherwise).
BOOL RemoveDirectory(LPCSTR path);
// Removes a file; a folder gives ERROR_ACCESS_DENIED.
BOOL DeleteFile(LPCSTR path);
// Copies contents, permissions and modification time. The copy is written beside the target and
// renamed over it, so a failed copy never leaves a partial target behind. With failIfExists an
// existing target gives ERROR_FILE_EXISTS.
BOOL CopyFile(LPCSTR source, LPCSTR target, BOOL failIfExists);
// Renames a file or folder; an existing target gives ERROR_ALREADY_EXISTS. Across file systems a
// file is copied and the source removed.
BOOL MoveFile(LPCSTR source, LPCSTR target);
// MOVEFILE_REPLACE_EXISTING (files only, as on Windows), MOVEFILE_COPY_ALLOWED and
// MOVEFILE_WRITE_THROUGH; MOVEFILE_DELAY_UNTIL_REBOOT gives ERROR_INVALID_PARAMETER.
BOOL MoveFileEx(LPCSTR source, LPCSTR target, DWORD flags);
// FILE_ATTRIBUTE_DIRECTORY, READONLY (no write permission for the owner), HIDDEN (name starts
// with '.'), or NORMAL for a plain file; INVALID_FILE_ATTRIBUTES when the path does not exist.
DWORD GetFileAttributes(LPCSTR path);
BOOL PathFileExists(LPCSTR path);

namespace kq {

// Creates the folder with its parents; true when it exists afterwards.
bool CreateDirectories(const std::string& path);
// The attributes of a stat result for the named entry.
DWORD FileAttributesOf(unsigned mode, const std::string& name);
// Appends a block to a file all or nothing: the file's length is remembered, the block written
// and synced; on any failure the file is cut back to that length (a file this call created is
// removed). A writer killed part-way leaves a record beside the file by which the next append to
// it (or RemoveStaleWrites) cuts the block back. 0, or the errno of the failure.
int AppendBlock(const std::string& path, const void* data, size_t size);

}  // namespace kq
