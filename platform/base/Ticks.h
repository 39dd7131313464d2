// Millisecond tick counts and the high-resolution counter, all read from the current clock's
// monotonic time. The counter runs at 10 MHz (100 ns per count), the rate Windows commonly
// reports, so that code computing count * 1000 / frequency in 64 bits stays far from overflow.
#pragma once

#include "platform/base/WinTypes.h"

union LARGE_INTEGER {
    struct {
        DWORD LowPart;
        LONG HighPart;
    };
    struct {
        DWORD LowPart;
        LONG HighPart;
    } u;
    LONGLONG QuadPart;
};
using PLARGE_INTEGER = LARGE_INTEGER*;

// Milliseconds of monotonic time; wraps to 0 after 2^32 ms (49.7 days).
DWORD GetTickCount();
ULONGLONG GetTickCount64();
// The multimedia timer's millisecond count: the same time line as GetTickCount.
DWORD timeGetTime();

BOOL QueryPerformanceCounter(LARGE_INTEGER* count);
BOOL QueryPerformanceFrequency(LARGE_INTEGER* frequency);
