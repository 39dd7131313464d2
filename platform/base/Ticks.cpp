#include "platform/base/Ticks.h"

#include "platform/base/Clock.h"

namespace {

constexpr LONGLONG kCounterFrequency = 10000000;

}  // namespace

DWORD GetTickCount() {
    return static_cast<DWORD>(GetTickCount64());
}

ULONGLONG GetTickCount64() {
    return static_cast<ULONGLONG>(kq::CurrentClock().MonotonicNanos() / 1000000);
}

DWORD timeGetTime() {
    return GetTickCount();
}

BOOL QueryPerformanceCounter(LARGE_INTEGER* count) {
    if (!count)
        return FALSE;
    count->QuadPart = kq::CurrentClock().MonotonicNanos() / (1000000000 / kCounterFrequency);
    return TRUE;
}

BOOL QueryPerformanceFrequency(LARGE_INTEGER* frequency) {
    if (!frequency)
        return FALSE;
    frequency->QuadPart = kCounterFrequency;
    return TRUE;
}
