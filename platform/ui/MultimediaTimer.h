// Periodic and one-shot high-resolution timers, in the shape of the multimedia timer API.
//
// The callback runs on the thread that created the timer, from its message loop
// (GetMessage, PeekMessage and the modal loops built on them), ahead of queued messages, so it
// may touch that thread's windows and data without locking. A timer that falls behind fires
// once and keeps its phase instead of firing in a burst. Time comes from kq::CurrentClock().
// Only TIME_CALLBACK_FUNCTION is supported: the event-signalling forms are refused.
#pragma once

#include "platform/ui/UiTypes.h"

using MMRESULT = UINT;
using LPTIMECALLBACK = void (*)(UINT timerId, UINT msg, DWORD_PTR user, DWORD_PTR dw1,
                                DWORD_PTR dw2);

struct TIMECAPS {
    UINT wPeriodMin;
    UINT wPeriodMax;
};
using LPTIMECAPS = TIMECAPS*;

constexpr MMRESULT TIMERR_NOERROR = 0;
constexpr MMRESULT TIMERR_NOCANDO = 97;
constexpr MMRESULT MMSYSERR_INVALPARAM = 11;

constexpr UINT TIME_ONESHOT = 0x0000;
constexpr UINT TIME_PERIODIC = 0x0001;
constexpr UINT TIME_CALLBACK_FUNCTION = 0x0000;
constexpr UINT TIME_CALLBACK_EVENT_SET = 0x0010;
constexpr UINT TIME_CALLBACK_EVENT_PULSE = 0x0020;
constexpr UINT TIME_KILL_SYNCHRONOUS = 0x0100;

MMRESULT timeGetDevCaps(LPTIMECAPS caps, UINT size);
MMRESULT timeBeginPeriod(UINT period);
MMRESULT timeEndPeriod(UINT period);
// Returns the timer id, or 0 for a delay outside 1..1000000 ms, a missing callback or an
// unsupported flag. The event may come up to `resolution` ms (at most the delay) late: a loop
// awake for other work by then runs it with that work instead of waking for it alone.
MMRESULT timeSetEvent(UINT delay, UINT resolution, LPTIMECALLBACK callback, DWORD_PTR user,
                      UINT flags);
// Safe from any thread and from inside the timer's own callback. Called from another thread
// while the callback runs, it waits for the callback to return.
MMRESULT timeKillEvent(UINT timerId);
