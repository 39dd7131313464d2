#include "platform/base/SystemVersion.h"

#include <cstring>

#include "platform/base/LastError.h"

namespace {

// Windows 2000 with its last service pack; see the header for why.
constexpr DWORD kMajor = 5;
constexpr DWORD kMinor = 0;
constexpr DWORD kBuild = 2195;
constexpr char kServicePack[] = "Service Pack 4";
constexpr WORD kServicePackMajor = 4;

}  // namespace

DWORD GetVersion() {
    return kMajor | (kMinor << 8) | (kBuild << 16);
}

BOOL GetVersionExA(OSVERSIONINFOA* info) {
    if (!info)
        return kq::FailWith(ERROR_INVALID_PARAMETER);
    const DWORD size = info->dwOSVersionInfoSize;
    if (size != sizeof(OSVERSIONINFOA) && size != sizeof(OSVERSIONINFOEXA))
        return kq::FailWith(ERROR_INSUFFICIENT_BUFFER);
    std::memset(info, 0, size);
    info->dwOSVersionInfoSize = size;
    info->dwMajorVersion = kMajor;
    info->dwMinorVersion = kMinor;
    info->dwBuildNumber = kBuild;
    info->dwPlatformId = VER_PLATFORM_WIN32_NT;
    std::memcpy(info->szCSDVersion, kServicePack, sizeof kServicePack);
    if (size == sizeof(OSVERSIONINFOEXA)) {
        auto* ex = reinterpret_cast<OSVERSIONINFOEXA*>(info);
        ex->wServicePackMajor = kServicePackMajor;
        ex->wProductType = VER_NT_WORKSTATION;
    }
    return TRUE;
}
