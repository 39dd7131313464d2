#include "platform/ui/MultimediaTimer.h"

#include <algorithm>
#include <climits>
#include <map>

#include "platform/base/Clock.h"
#include "platform/ui/detail/Retrieve.h"

using namespace kq::ui::detail;

namespace {

constexpr UINT kPeriodMin = 1;
constexpr UINT kPeriodMax = 1000000;
constexpr int64_t kNanosPerMilli = 1000000;

struct TimerOwners {
    std::mutex mutex;
    std::map<UINT, std::weak_ptr<ThreadQueue>> owners;
    UINT next = 1;
};

TimerOwners& Owners() {
    static TimerOwners* owners = new TimerOwners;
    return *owners;
}

}  // namespace

MMRESULT timeGetDevCaps(LPTIMECAPS caps, UINT size) {
    if (!caps || size < sizeof(TIMECAPS))
        return MMSYSERR_INVALPARAM;
    caps->wPeriodMin = kPeriodMin;
    caps->wPeriodMax = kPeriodMax;
    return TIMERR_NOERROR;
}

MMRESULT timeBeginPeriod(UINT period) {
    return period >= kPeriodMin && period <= kPeriodMax ? TIMERR_NOERROR : TIMERR_NOCANDO;
}

MMRESULT timeEndPeriod(UINT period) {
    return period >= kPeriodMin && period <= kPeriodMax ? TIMERR_NOERROR : TIMERR_NOCANDO;
}

MMRESULT timeSetEvent(UINT delay, UINT resolution, LPTIMECALLBACK callback, DWORD_PTR user,
                      UINT flags) {
    const UINT known = TIME_PERIODIC | TIME_KILL_SYNCHRONOUS;
    if (!callback || delay < kPeriodMin || delay > kPeriodMax || (flags & ~known))
        return 0;
    UINT id;
    {
        TimerOwners& o = Owners();
        std::lock_guard lock(o.mutex);
        do {
            id = o.next++;
        } while (id == 0 || o.owners.count(id));
        o.owners[id] = CurrentQueuePtr();
    }
    HighResTimer t;
    t.id = id;
    t.delay = delay;
    t.periodic = (flags & TIME_PERIODIC) != 0;
    t.callback = [callback, user](UINT timerId) { callback(timerId, 0, user, 0, 0); };
    t.due = kq::CurrentClock().MonotonicNanos() + static_cast<int64_t>(delay) * kNanosPerMilli;
    t.slack = static_cast<int64_t>(std::min(resolution, delay)) * kNanosPerMilli;
    ThreadQueue& q = CurrentQueue();
    std::lock_guard lock(q.mutex);
    q.highResTimers.push_back(std::move(t));
    return id;
}

MMRESULT timeKillEvent(UINT timerId) {
    std::shared_ptr<ThreadQueue> q;
    {
        TimerOwners& o = Owners();
        std::lock_guard lock(o.mutex);
        auto it = o.owners.find(timerId);
        if (it == o.owners.end())
            return MMSYSERR_INVALPARAM;
        q = it->second.lock();
        o.owners.erase(it);
    }
    if (!q)
        return TIMERR_NOERROR;
    std::unique_lock lock(q->mutex);
    auto& list = q->highResTimers;
    list.erase(std::remove_if(list.begin(), list.end(),
                              [&](const HighResTimer& t) { return t.id == timerId; }),
               list.end());
    if (!q->IsOwnerThread())
        q->callbackFinished.wait(lock, [&] { return q->runningHighResTimer != timerId; });
    else
        q->Wake();
    return TIMERR_NOERROR;
}

namespace kq::ui::detail {

void RunDueHighResTimers(ThreadQueue& q) {
    const int64_t now = kq::CurrentClock().MonotonicNanos();
    std::vector<UINT> due;
    {
        std::lock_guard lock(q.mutex);
        if (q.highResTimers.empty())
            return;
        for (const HighResTimer& t : q.highResTimers) {
            if (t.due <= now)
                due.push_back(t.id);
        }
    }
    for (UINT id : due) {
        std::function<void(UINT)> callback;
        {
            std::lock_guard lock(q.mutex);
            auto it = std::find_if(q.highResTimers.begin(), q.highResTimers.end(),
                                   [&](const HighResTimer& t) { return t.id == id; });
            if (it == q.highResTimers.end())
                continue;  // killed by an earlier callback
            callback = it->callback;
            if (it->periodic) {
                const int64_t period = static_cast<int64_t>(it->delay) * kNanosPerMilli;
                it->due += ((now - it->due) / period + 1) * period;
            } else {
                q.highResTimers.erase(it);
                TimerOwners& o = Owners();
                std::lock_guard ownersLock(o.mutex);
                o.owners.erase(id);
            }
            q.runningHighResTimer = id;
        }
        callback(id);
        {
            std::lock_guard lock(q.mutex);
            q.runningHighResTimer = 0;
        }
        q.callbackFinished.notify_all();
    }
}

int64_t NextHighResDue(ThreadQueue& q) {
    std::lock_guard lock(q.mutex);
    int64_t next = INT64_MAX;
    for (const HighResTimer& t : q.highResTimers)
        next = std::min(next, t.due + t.slack);
    return next;
}

}  // namespace kq::ui::detail
