// The settings store ("registry"): keys and values below HKEY_CURRENT_USER, reached through the
// Windows Reg... functions, persisted in one text file in the Windows registry export format.
//
// Values: REG_SZ and REG_EXPAND_SZ hold UTF-8 text. The store keeps the text up to its first
// 0x00 and always returns it terminated, so the size of a string value is its length + 1.
// REG_DWORD, REG_QWORD, REG_BINARY, REG_MULTI_SZ and other types keep their bytes as written.
// Key and value names compare without regard to case and keep the case they were created with;
// they may not contain line breaks or 0x00 (ERROR_INVALID_PARAMETER).
// Subkeys enumerate in the order Windows lists them (by upper-cased name), values in the order
// they were first written.
//
// HKEY_LOCAL_MACHINE, HKEY_CLASSES_ROOT, HKEY_USERS and HKEY_CURRENT_CONFIG can be opened for
// reading (they hold only what an imported file put there); changing them gives
// ERROR_ACCESS_DENIED. Handles are checked: an unknown handle gives ERROR_INVALID_HANDLE, one
// whose key was deleted ERROR_KEY_DELETED. Every function is thread-safe.
//
// The file is $XDG_CONFIG_HOME/kq7b/registry.reg (see kq::SetRegistryFilePath), read on first
// use. Every completed change is appended to a journal beside it (registry.reg.journal) before
// the call returns, so it survives the process being killed; the file itself is rewritten
// atomically (temporary file, fsync, rename, fsync of the folder) when the journal grows large,
// on RegFlushKey, on kq::FlushRegistry and at process exit, always under an advisory lock
// (registry.reg.lock). A change that cannot be journalled is not made: the call returns
// ERROR_CANTWRITE.
//
// Several processes: each sees the file as it was at its first use plus its own changes. Their
// changes all reach the file, in the order they were made: a rewrite merges the file on disk with
// the journal of every process rather than writing one process's view. A file replaced from
// outside while a process runs (a user copying in an exported file) wins over the changes
// journalled before the replacement.
//
// A damaged file (unknown header, bad syntax or hex, truncated) is moved aside to
// "registry.reg.damaged-<date>-<time>" and the store starts empty; kq::GetRegistryDamage tells
// the application so that it can show a message.
#pragma once

#include <string>

#include "platform/base/FileTime.h"
#include "platform/base/LastError.h"
#include "platform/base/WinTypes.h"

using REGSAM = DWORD;
using PHKEY = HKEY*;

#define KQ_PREDEFINED_KEY(value) \
    (reinterpret_cast<HKEY>(static_cast<intptr_t>(static_cast<int32_t>(value))))
#define HKEY_CLASSES_ROOT KQ_PREDEFINED_KEY(0x80000000u)
#define HKEY_CURRENT_USER KQ_PREDEFINED_KEY(0x80000001u)
#define HKEY_LOCAL_MACHINE KQ_PREDEFINED_KEY(0x80000002u)
#define HKEY_USERS KQ_PREDEFINED_KEY(0x80000003u)
#define HKEY_CURRENT_CONFIG KQ_PREDEFINED_KEY(0x80000005u)

constexpr DWORD REG_NONE = 0;
constexpr DWORD REG_SZ = 1;
constexpr DWORD REG_EXPAND_SZ = 2;
constexpr DWORD REG_BINARY = 3;
constexpr DWORD REG_DWORD = 4;
constexpr DWORD REG_DWORD_LITTLE_ENDIAN = 4;
constexpr DWORD REG_DWORD_BIG_ENDIAN = 5;
constexpr DWORD REG_LINK = 6;
constexpr DWORD REG_MULTI_SZ = 7;
constexpr DWORD REG_QWORD = 11;
constexpr DWORD REG_QWORD_LITTLE_ENDIAN = 11;

constexpr REGSAM DELETE = 0x00010000;
constexpr REGSAM KEY_QUERY_VALUE = 0x0001;
constexpr REGSAM KEY_SET_VALUE = 0x0002;
constexpr REGSAM KEY_CREATE_SUB_KEY = 0x0004;
constexpr REGSAM KEY_ENUMERATE_SUB_KEYS = 0x0008;
constexpr REGSAM KEY_NOTIFY = 0x0010;
constexpr REGSAM KEY_CREATE_LINK = 0x0020;
constexpr REGSAM KEY_WOW64_64KEY = 0x0100;
constexpr REGSAM KEY_WOW64_32KEY = 0x0200;
constexpr REGSAM KEY_READ = 0x00020019;
constexpr REGSAM KEY_EXECUTE = KEY_READ;
constexpr REGSAM KEY_WRITE = 0x00020006;
constexpr REGSAM KEY_ALL_ACCESS = 0x000F003F;

constexpr DWORD REG_OPTION_NON_VOLATILE = 0;
constexpr DWORD REG_OPTION_VOLATILE = 1;
constexpr DWORD REG_CREATED_NEW_KEY = 1;
constexpr DWORD REG_OPENED_EXISTING_KEY = 2;

// Opens the subkey, creating it and any missing key above it. An empty or null subKey opens hKey
// again. Options are accepted; every key is kept in the file.
LONG RegCreateKeyEx(HKEY hKey, LPCSTR subKey, DWORD reserved, LPSTR keyClass, DWORD options,
                    REGSAM desired, const void* securityAttributes, PHKEY result,
                    LPDWORD disposition);
LONG RegOpenKeyEx(HKEY hKey, LPCSTR subKey, DWORD options, REGSAM desired, PHKEY result);
LONG RegCloseKey(HKEY hKey);

// A null or empty name is the key's default value. The size protocol: with data null the size
// is returned; a buffer smaller than the value gives ERROR_MORE_DATA, the size needed and the
// type, and leaves the buffer unchanged.
LONG RegQueryValueEx(HKEY hKey, LPCSTR name, LPDWORD reserved, LPDWORD type, LPBYTE data,
                     LPDWORD size);
LONG RegSetValueEx(HKEY hKey, LPCSTR name, DWORD reserved, DWORD type, const BYTE* data,
                   DWORD size);
LONG RegDeleteValue(HKEY hKey, LPCSTR name);
// Deletes a key without subkeys (ERROR_ACCESS_DENIED when it has some).
LONG RegDeleteKey(HKEY hKey, LPCSTR subKey);
// Deletes the subkey with everything below it; with a null subKey, everything below hKey.
LONG RegDeleteTree(HKEY hKey, LPCSTR subKey);

// nameSize: in, the buffer size in bytes with the terminator; out, the length without it.
// ERROR_MORE_DATA when the name does not fit, ERROR_NO_MORE_ITEMS past the last subkey.
LONG RegEnumKeyEx(HKEY hKey, DWORD index, LPSTR name, LPDWORD nameSize, LPDWORD reserved,
                  LPSTR keyClass, LPDWORD classSize, FILETIME* lastWriteTime);
LONG RegEnumValue(HKEY hKey, DWORD index, LPSTR name, LPDWORD nameSize, LPDWORD reserved,
                  LPDWORD type, LPBYTE data, LPDWORD dataSize);
LONG RegQueryInfoKey(HKEY hKey, LPSTR keyClass, LPDWORD classSize, LPDWORD reserved,
                     LPDWORD subKeys, LPDWORD maxSubKeyLength, LPDWORD maxClassLength,
                     LPDWORD values, LPDWORD maxValueNameLength, LPDWORD maxValueLength,
                     LPDWORD securityDescriptorSize, FILETIME* lastWriteTime);
// Rewrites the file now.
LONG RegFlushKey(HKEY hKey);

namespace kq {

// Where the file lives below $XDG_CONFIG_HOME.
constexpr const char* kRegistryFileName = "kq7b/registry.reg";

// Uses the given file from now on; an empty path returns to the default location, resolved again
// from the environment. Rewrites the current file first, closes every open handle (they then give
// ERROR_INVALID_HANDLE) and reads the new file on next use. For tests and tools.
void SetRegistryFilePath(const std::string& path);
std::string RegistryFilePath();

// Rewrites the file now (what RegFlushKey does). ERROR_SUCCESS or the reason it failed.
LONG FlushRegistry();

// What happened to a damaged settings file when the store was read.
struct RegistryDamage {
    std::string file;     // the damaged file's path
    std::string reason;   // "line 12: bad hex byte \"0g\""
    std::string movedTo;  // where it was moved (empty when moving failed; it was then left alone)
};
// True, with the details, when the file was found damaged since the store last read it.
bool GetRegistryDamage(RegistryDamage* damage);
// The caller found the file damaged in a way only it can tell (a value it always writes is
// missing): the file is moved aside and reported as a damaged one, and the store starts empty.
void DeclareRegistryDamaged(const std::string& reason);
// Whether changes can be kept: false when the file could not be read (it is then left alone) or
// its folder cannot be written; changes then live only as long as the process.
bool RegistryKeepsChanges();

}  // namespace kq
