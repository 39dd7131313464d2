#include "platform/ui/Timers.h"

#include <algorithm>
#include <climits>

#include "platform/base/Clock.h"
#include "platform/ui/Messages.h"
#include "platform/ui/detail/Delivery.h"
#include "platform/ui/detail/Retrieve.h"
#include "platform/ui/detail/Window.h"

using namespace kq::ui::detail;

namespace {

constexpr int64_t kNanosPerMilli = 1000000;
constexpr int64_t kLongestLatenessMs = 100;

// How late a waiting thread may wake for a due timer.
int64_t AllowedLateness(const WindowTimer& t) {
    return std::min<int64_t>(t.elapse / 4, kLongestLatenessMs) * kNanosPerMilli;
}

bool IsWindowOfThisThread(HWND hwnd) {
    std::lock_guard lock(TreeMutex());
    Window* w = Lookup(hwnd);
    return w && w->queue && w->queue->IsOwnerThread();
}

std::vector<WindowTimer>::iterator FindTimer(ThreadQueue& q, HWND hwnd, UINT_PTR id) {
    return std::find_if(q.timers.begin(), q.timers.end(),
                        [&](const WindowTimer& t) { return t.hwnd == hwnd && t.id == id; });
}

UINT_PTR NewThreadTimerId(ThreadQueue& q) {
    static UINT_PTR next = 0x7F00;
    for (;;) {
        UINT_PTR id = ++next;
        if (id != 0 && FindTimer(q, nullptr, id) == q.timers.end())
            return id;
    }
}

// Moves an expired timer to its next expiry after `now`, keeping its phase: a thread that
// was busy for several periods gets one WM_TIMER, not a burst.
void Advance(WindowTimer& t, int64_t now) {
    const int64_t period = static_cast<int64_t>(t.elapse) * kNanosPerMilli;
    const int64_t missed = (now - t.due) / period + 1;
    t.due += missed * period;
}

}  // namespace

UINT_PTR SetTimer(HWND hwnd, UINT_PTR nIDEvent, UINT elapse, TIMERPROC proc) {
    if (hwnd && !IsWindowOfThisThread(hwnd))
        return 0;
    elapse = std::clamp(elapse, USER_TIMER_MINIMUM, USER_TIMER_MAXIMUM);
    ThreadQueue& q = CurrentQueue();
    std::lock_guard lock(q.mutex);
    auto it = FindTimer(q, hwnd, nIDEvent);
    if (it == q.timers.end()) {
        WindowTimer t;
        t.hwnd = hwnd;
        t.id = hwnd ? nIDEvent : NewThreadTimerId(q);
        q.timers.push_back(t);
        it = std::prev(q.timers.end());
    }
    it->elapse = elapse;
    it->proc = proc;
    it->due = kq::CurrentClock().MonotonicNanos() + static_cast<int64_t>(elapse) * kNanosPerMilli;
    it->ready = false;
    if (!hwnd)
        return it->id;
    return nIDEvent ? nIDEvent : 1;
}

BOOL KillTimer(HWND hwnd, UINT_PTR nIDEvent) {
    if (hwnd && !IsWindowOfThisThread(hwnd))
        return FALSE;
    ThreadQueue& q = CurrentQueue();
    std::lock_guard lock(q.mutex);
    auto it = FindTimer(q, hwnd, nIDEvent);
    if (it == q.timers.end())
        return FALSE;
    q.timers.erase(it);
    return TRUE;
}

namespace kq::ui::detail {

bool TakeTimerMessage(ThreadQueue& q, const MessageFilter& f, bool remove, MSG* out) {
    if (!f.AdmitsMessage(WM_TIMER))
        return false;
    const int64_t now = kq::CurrentClock().MonotonicNanos();
    std::lock_guard lock(q.mutex);
    WindowTimer* pick = nullptr;
    for (WindowTimer& t : q.timers) {
        if (!t.ready && t.due <= now) {
            t.ready = true;
            t.readyAt = t.due;
            Advance(t, now);
        }
        if (t.ready && f.AdmitsWindow(t.hwnd) && (!pick || t.readyAt < pick->readyAt))
            pick = &t;
    }
    if (!pick)
        return false;
    *out = MSG{pick->hwnd,
               WM_TIMER,
               pick->id,
               reinterpret_cast<LPARAM>(pick->proc),
               static_cast<DWORD>(now / kNanosPerMilli),
               CursorPosition()};
    if (remove)
        pick->ready = false;
    return true;
}

int64_t NextTimerDue(ThreadQueue& q) {
    std::lock_guard lock(q.mutex);
    int64_t next = INT64_MAX;
    for (const WindowTimer& t : q.timers) {
        if (!t.ready)
            next = std::min(next, t.due + AllowedLateness(t));
    }
    return next;
}

void KillTimersOf(ThreadQueue& q, const std::function<bool(HWND)>& matches) {
    std::lock_guard lock(q.mutex);
    q.timers.erase(std::remove_if(q.timers.begin(), q.timers.end(),
                                  [&](const WindowTimer& t) { return t.hwnd && matches(t.hwnd); }),
                   q.timers.end());
}

}  // namespace kq::ui::detail
