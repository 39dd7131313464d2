// The operating-system version that the program is told it runs on (GetVersion,
// GetVersionExA).
//
// The window system draws the classic look and there is no visual-style library. Code written
// against Windows picks its look from the version: 5.1 makes it look for XP visual styles
// (and take themed colours when it cannot tell the classic theme is chosen), and callers that
// single out 5.2 and later tend to take reduced paths there, while 9x versions send them down
// code paths for old shells. Windows 2000 (NT 5.0) is the newest version whose shell has the
// classic look only, so reporting it makes such code take its fullest classic path - the menu
// font, three-dimensional edges, no theme queries - consistent with what the window system
// draws.
#pragma once

#include "platform/base/WinTypes.h"

constexpr DWORD VER_PLATFORM_WIN32s = 0;
constexpr DWORD VER_PLATFORM_WIN32_WINDOWS = 1;
constexpr DWORD VER_PLATFORM_WIN32_NT = 2;
constexpr BYTE VER_NT_WORKSTATION = 1;

struct OSVERSIONINFOA {
    DWORD dwOSVersionInfoSize;
    DWORD dwMajorVersion;
    DWORD dwMinorVersion;
    DWORD dwBuildNumber;
    DWORD dwPlatformId;
    CHAR szCSDVersion[128];
};
using OSVERSIONINFO = OSVERSIONINFOA;
using LPOSVERSIONINFOA = OSVERSIONINFOA*;
using LPOSVERSIONINFO = OSVERSIONINFOA*;

struct OSVERSIONINFOEXA {
    DWORD dwOSVersionInfoSize;
    DWORD dwMajorVersion;
    DWORD dwMinorVersion;
    DWORD dwBuildNumber;
    DWORD dwPlatformId;
    CHAR szCSDVersion[128];
    WORD wServicePackMajor;
    WORD wServicePackMinor;
    WORD wSuiteMask;
    BYTE wProductType;
    BYTE wReserved;
};
using OSVERSIONINFOEX = OSVERSIONINFOEXA;

static_assert(sizeof(OSVERSIONINFOA) == 148 && sizeof(OSVERSIONINFOEXA) == 156,
              "callers choose the form by its Windows size");

// Major version in the low byte, minor in the next, the build number in the high word (high
// bit clear: the NT family).
DWORD GetVersion();
// Fills an OSVERSIONINFOA or, when dwOSVersionInfoSize says so, an OSVERSIONINFOEXA. FALSE with
// ERROR_INSUFFICIENT_BUFFER for any other size, ERROR_INVALID_PARAMETER for null.
BOOL GetVersionExA(OSVERSIONINFOA* info);
inline BOOL GetVersionExA(OSVERSIONINFOEXA* info) {
    return GetVersionExA(reinterpret_cast<OSVERSIONINFOA*>(info));
}
inline BOOL GetVersionEx(OSVERSIONINFOA* info) {
    return GetVersionExA(info);
}
inline BOOL GetVersionEx(OSVERSIONINFOEXA* info) {
    return GetVersionExA(info);
}
