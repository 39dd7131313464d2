// Libraries loaded at run time by name (LoadLibrary, GetProcAddress, FreeLibrary).
//
// The program is one executable: there are no DLLs to load. Code written against Windows
// loads optional system libraries this way so that it still runs where they are missing - the
// visual-style library, or the common-controls library only to ask its version - and falls
// back to the classic look when the load fails. So every load fails with ERROR_MOD_NOT_FOUND,
// which is the true answer here and the one such code is written to handle. The common
// controls themselves are part of the window system; nothing needs their version to use the
// list and header features, and a caller that asks it only to decide on visual styles is
// right to find no version and draw classic.
#pragma once

#include "platform/base/WinTypes.h"

using FARPROC = INT_PTR (*)();

// Null with ERROR_MOD_NOT_FOUND (ERROR_INVALID_PARAMETER for a null name).
HMODULE LoadLibraryA(LPCSTR name);
inline HMODULE LoadLibrary(LPCSTR name) {
    return LoadLibraryA(name);
}
// Null: ERROR_INVALID_HANDLE for a null module, ERROR_PROC_NOT_FOUND otherwise (no module
// here exports anything by name).
FARPROC GetProcAddress(HMODULE module, LPCSTR name);
// FALSE with ERROR_INVALID_HANDLE: no handle ever names a loaded library.
BOOL FreeLibrary(HMODULE module);
