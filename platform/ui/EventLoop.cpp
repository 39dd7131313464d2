#include "platform/ui/EventLoop.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdint>

#include "platform/base/Clock.h"
#include "platform/ui/Messaging.h"
#include "platform/ui/detail/Delivery.h"
#include "platform/ui/detail/Retrieve.h"

using namespace kq::ui::detail;

namespace {

// Descriptor pauses follow the real clock: they let bytes gather in the kernel, whichever clock
// the timers follow.
int64_t SteadyNanos() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

}  // namespace

namespace kq::ui {
namespace {

constexpr int kPumpLimit = 1000000;
constexpr LONG kIdleLimit = 1000;
// Timer and paint messages call for the idle handler at most this often.
constexpr int64_t kIdleCoalesceMs = 250;
constexpr int64_t kNanosPerMilli = 1000000;

bool IsMouseMove(UINT message) {
    return message == WM_MOUSEMOVE || message == WM_NCMOUSEMOVE;
}

// What a message taken from the queue asks of the idle handler. Input, commands and posted
// messages change what the user interface shows: the idle pass follows once the queue has
// drained. Timers and painting come often and rarely change it: they are answered within
// kIdleCoalesceMs. A mouse move to where the mouse already was asks for nothing.
void NoteForIdle(const MSG& msg) {
    ThreadHooks& hooks = CurrentQueue().hooks;
    if (msg.message == WM_TIMER || msg.message == WM_PAINT) {
        hooks.idleLater = true;
        return;
    }
    if (IsMouseMove(msg.message)) {
        if (msg.pt.x == hooks.lastMousePoint.x && msg.pt.y == hooks.lastMousePoint.y)
            return;
        hooks.lastMousePoint = msg.pt;
    }
    hooks.idleNow = true;
}

// Milliseconds until the idle handler is due: 0 now, -1 when nothing calls for it.
int64_t IdleDueInMs() {
    const ThreadHooks& hooks = CurrentQueue().hooks;
    if (hooks.idleNow)
        return 0;
    if (!hooks.idleLater)
        return -1;
    const int64_t since = kq::CurrentClock().MonotonicNanos() - hooks.lastIdleNanos;
    const int64_t left = kIdleCoalesceMs * kNanosPerMilli - since;
    // A clock that went back (a new virtual clock) does not hold the idle handler off.
    if (since < 0 || left <= 0)
        return 0;
    return (left + kNanosPerMilli - 1) / kNanosPerMilli;
}

std::atomic<FdSourceId> g_nextSourceId{1};

void DispatchWithHooks(MSG& msg) {
    NoteForIdle(msg);
    auto preTranslate = CurrentQueue().hooks.preTranslate;
    if (preTranslate && preTranslate(msg))
        return;
    TranslateMessage(&msg);
    DispatchMessage(&msg);
}

bool MessageWaiting() {
    MSG msg;
    return PeekMessage(&msg, nullptr, 0, 0, PM_NOREMOVE) != FALSE;
}

// Runs the idle handler while it asks for more and nothing arrives.
void RunIdle() {
    ThreadHooks& hooks = CurrentQueue().hooks;
    hooks.idleNow = false;
    hooks.idleLater = false;
    hooks.lastIdleNanos = kq::CurrentClock().MonotonicNanos();
    auto idle = hooks.idle;
    if (!idle)
        return;
    for (LONG count = 0; count < kIdleLimit; ++count) {
        if (!idle(count) || MessageWaiting())
            return;
    }
}

}  // namespace

FdSourceId AddFdSource(int fd, short events, FdCallback callback) {
    return AddFdSource(CurrentThreadId(), fd, events, std::move(callback));
}

FdSourceId AddFdSource(DWORD threadId, int fd, short events, FdCallback callback) {
    if (fd < 0 || !callback)
        return 0;
    std::shared_ptr<ThreadQueue> q =
        threadId == CurrentThreadId() ? CurrentQueuePtr() : FindQueue(threadId);
    if (!q)
        return 0;
    FdSourceId id = g_nextSourceId.fetch_add(1);
    {
        std::lock_guard lock(q->mutex);
        if (!q->alive)
            return 0;
        q->fdSources.push_back(FdSource{id, fd, events, std::move(callback)});
    }
    q->Wake();
    return id;
}

bool RemoveFdSource(FdSourceId id) {
    for (auto& q : AllQueues()) {
        std::unique_lock lock(q->mutex);
        auto it = std::find_if(q->fdSources.begin(), q->fdSources.end(),
                               [&](const FdSource& s) { return s.id == id; });
        if (it == q->fdSources.end())
            continue;
        q->fdSources.erase(it);
        if (!q->IsOwnerThread())
            q->callbackFinished.wait(lock, [&] { return q->runningFdSource != id; });
        return true;
    }
    return false;
}

bool PauseFdSource(FdSourceId id, int ms) {
    int64_t until = 0;
    if (ms > 0) {
        const int64_t step = static_cast<int64_t>(ms) * 1000000;
        until = (SteadyNanos() / step + 1) * step;
    }
    for (auto& q : AllQueues()) {
        {
            std::lock_guard lock(q->mutex);
            auto it = std::find_if(q->fdSources.begin(), q->fdSources.end(),
                                   [&](const FdSource& s) { return s.id == id; });
            if (it == q->fdSources.end())
                continue;
            it->pausedUntil = until;
        }
        // A loop waiting elsewhere takes the new pause into its wait.
        q->Wake();
        return true;
    }
    return false;
}

void SetIdleHandler(std::function<BOOL(LONG)> handler) {
    CurrentQueue().hooks.idle = std::move(handler);
}

void SetPreTranslateHandler(std::function<BOOL(MSG&)> handler) {
    CurrentQueue().hooks.preTranslate = std::move(handler);
}

int AddMessageFilterHook(std::function<BOOL(int, MSG&)> hook) {
    ThreadHooks& hooks = CurrentQueue().hooks;
    int id = hooks.nextFilterId++;
    hooks.filters.insert(hooks.filters.begin(), {id, std::move(hook)});
    return id;
}

void RemoveMessageFilterHook(int hookId) {
    auto& filters = CurrentQueue().hooks.filters;
    filters.erase(std::remove_if(filters.begin(), filters.end(),
                                 [&](const auto& f) { return f.first == hookId; }),
                  filters.end());
}

int RunMessageLoop() {
    ThreadQueue& q = CurrentQueue();
    MSG msg;
    for (;;) {
        // The first look at the queue leaves the descriptors alone: when it finds nothing, the
        // wait that follows polls them, and returns at once for one that is ready.
        bool waited = false;
        q.fdsJustPolled = true;
        if (!MessageWaiting()) {
            const int64_t due = IdleDueInMs();
            if (due == 0) {
                RunIdle();
            } else {
                q.fdsJustPolled = true;
                if (due > 0 && !WaitForWork(static_cast<int>(due)))
                    continue;   // the wait ran out: the idle handler is due now
                waited = true;  // or GetMessage goes straight to its own wait
            }
        }
        // After a wait the descriptors were just polled. Otherwise taking the message polls them:
        // messages that keep coming cannot hold them off, and what the idle handler did may
        // have made one ready.
        q.fdsJustPolled = waited;
        BOOL result = GetMessage(&msg, nullptr, 0, 0);
        if (result == FALSE)
            return static_cast<int>(msg.wParam);
        if (result == -1)
            return -1;
        DispatchWithHooks(msg);
    }
}

int PumpUntilIdle() {
    int dispatched = 0;
    MSG msg;
    for (;;) {
        while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) {
                PostQuitMessage(static_cast<int>(msg.wParam));
                return dispatched;
            }
            DispatchWithHooks(msg);
            if (++dispatched >= kPumpLimit)
                return dispatched;
        }
        if (IdleDueInMs() == 0)
            RunIdle();
        if (!MessageWaiting())
            return dispatched;
    }
}

bool WaitForWork(int timeoutMs) {
    MSG msg;
    return RetrieveMessage(&msg, MessageFilter(nullptr, 0, 0), PM_NOREMOVE, timeoutMs);
}

void NotifyClockChanged() {
    for (auto& q : AllQueues())
        q->Wake();
}

int PollServingSentMessages(pollfd* fds, nfds_t count, int timeoutMs) {
    ThreadQueue& q = CurrentQueue();
    const auto start = std::chrono::steady_clock::now();
    std::vector<pollfd> set;
    for (;;) {
        q.ArmWake();
        ServeIncomingSends(q);
        int wait = timeoutMs;
        if (timeoutMs > 0) {
            auto spent = std::chrono::duration_cast<std::chrono::milliseconds>(
                             std::chrono::steady_clock::now() - start)
                             .count();
            wait = spent >= timeoutMs ? 0 : static_cast<int>(timeoutMs - spent);
        }
        set.assign(fds, fds + count);
        q.Poll(set, wait);
        int ready = 0;
        for (nfds_t i = 0; i < count; ++i) {
            fds[i].revents = set[i].revents;
            if (set[i].revents)
                ++ready;
        }
        if (ready > 0 || wait == 0)
            return ready;
    }
}

}  // namespace kq::ui

namespace kq::ui::detail {

void RunFdSources(ThreadQueue& q, int timeoutMs) {
    std::vector<pollfd> fds;
    std::vector<FdSourceId> ids;
    int64_t resume = INT64_MAX;
    {
        std::lock_guard lock(q.mutex);
        const int64_t now = q.fdSources.empty() ? 0 : SteadyNanos();
        for (const FdSource& s : q.fdSources) {
            if (s.pausedUntil > now) {
                resume = std::min(resume, s.pausedUntil);
                continue;
            }
            fds.push_back(pollfd{s.fd, s.events, 0});
            ids.push_back(s.id);
        }
        if (resume != INT64_MAX) {
            // Wake when the first pause ends, to watch that source again.
            const int64_t ms = (resume - now + 999999) / 1000000;
            if (timeoutMs < 0 || ms < timeoutMs)
                timeoutMs = static_cast<int>(ms);
        }
    }
    if (fds.empty() && timeoutMs == 0)
        return;
    q.Poll(fds, timeoutMs);
    for (size_t i = 0; i < fds.size(); ++i) {
        if (!fds[i].revents)
            continue;
        FdCallback callback;
        {
            std::lock_guard lock(q.mutex);
            auto it = std::find_if(q.fdSources.begin(), q.fdSources.end(),
                                   [&](const FdSource& s) { return s.id == ids[i]; });
            if (it == q.fdSources.end())
                continue;  // removed by an earlier callback
            callback = it->callback;
            if (fds[i].revents & POLLNVAL)
                q.fdSources.erase(it);  // closed without removal: report once, then forget it
            q.runningFdSource = ids[i];
        }
        callback(fds[i].fd, fds[i].revents);
        {
            std::lock_guard lock(q.mutex);
            q.runningFdSource = 0;
        }
        q.callbackFinished.notify_all();
    }
}

}  // namespace kq::ui::detail
