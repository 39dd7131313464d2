// Window and thread timers on the program's clock (kq::CurrentClock()), so tests drive them by
// advancing a virtual clock.
//
// A timer expires every `elapse` milliseconds (at least USER_TIMER_MINIMUM). An expired timer
// waits as one pending WM_TIMER, handed out only when no posted message or input is waiting;
// further expiries while it waits are merged into it. Setting an existing (window, id) again
// replaces it and restarts its period. A timer belongs to the thread of its window (a thread
// timer, hwnd null, to the calling thread) and may be killed from inside its own handler.
#pragma once

#include "platform/ui/UiTypes.h"

constexpr UINT USER_TIMER_MINIMUM = 0x0000000A;
constexpr UINT USER_TIMER_MAXIMUM = 0x7FFFFFFF;

// Window timers return a nonzero value (the id, or 1 for id 0). Thread timers (hwnd null)
// return the id of the timer: nIDEvent when it names an existing thread timer, else a new one.
// 0 when hwnd is not a window of the calling thread. A timer fires on the first look at the
// queue once it is due; a thread waiting for nothing else wakes for it up to a quarter of its
// period late (at most 100 ms), so that it comes with other work instead of waking the program
// for itself. It keeps its phase: a late expiry does not move the next.
UINT_PTR SetTimer(HWND hwnd, UINT_PTR nIDEvent, UINT elapse, TIMERPROC proc);
BOOL KillTimer(HWND hwnd, UINT_PTR nIDEvent);
