#include "platform/base/RuntimeLibrary.h"

#include "platform/base/LastError.h"

HMODULE LoadLibraryA(LPCSTR name) {
    SetLastError(name ? ERROR_MOD_NOT_FOUND : ERROR_INVALID_PARAMETER);
    return nullptr;
}

FARPROC GetProcAddress(HMODULE module, LPCSTR) {
    SetLastError(module ? ERROR_PROC_NOT_FOUND : ERROR_INVALID_HANDLE);
    return nullptr;
}

BOOL FreeLibrary(HMODULE) {
    return kq::FailWith(ERROR_INVALID_HANDLE);
}
