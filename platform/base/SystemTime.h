// SYSTEMTIME and the calls that read the wall clock into it. Local time follows the process's
// time zone (TZ) through the C library.
#pragma once

#include "platform/base/WinTypes.h"

struct SYSTEMTIME {
    WORD wYear;
    WORD wMonth;
    WORD wDayOfWeek;  // 0 = Sunday
    WORD wDay;
    WORD wHour;
    WORD wMinute;
    WORD wSecond;
    WORD wMilliseconds;
};
using LPSYSTEMTIME = SYSTEMTIME*;

void GetLocalTime(LPSYSTEMTIME time);
// Coordinated universal time.
void GetSystemTime(LPSYSTEMTIME time);
