// FILETIME: 100-nanosecond intervals since 1601-01-01 UTC, as file and registry times report.
#pragma once

#include <cstdint>

#include "platform/base/WinTypes.h"

struct FILETIME {
    DWORD dwLowDateTime;
    DWORD dwHighDateTime;
};
using LPFILETIME = FILETIME*;
using PFILETIME = FILETIME*;

namespace kq {

FILETIME FileTimeFromUnixNanos(int64_t unixNanos);

}  // namespace kq
