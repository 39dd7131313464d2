#include "platform/base/ClockWait.h"

#include <algorithm>
#include <chrono>

#include "platform/base/Clock.h"

namespace kq {
namespace {

// Wakes one waiting thread on every advance of a virtual clock. Notifying under the waiter's own
// mutex means an advance cannot slip in between its look at the time and its sleep.
class CvWaiter final : public ClockWaiter {
  public:
    CvWaiter(std::mutex& mutex, std::condition_variable& cv) : mutex_(mutex), cv_(cv) {}
    void OnTimeAdvanced() override {
        std::lock_guard lock(mutex_);
        cv_.notify_all();
    }

  private:
    std::mutex& mutex_;
    std::condition_variable& cv_;
};

bool WaitInRealTime(std::condition_variable& cv, std::unique_lock<std::mutex>& lock,
                    const Clock& clock, int64_t deadline, const std::function<bool()>& done,
                    int64_t pollNanos) {
    for (;;) {
        if (done())
            return true;
        int64_t step = pollNanos > 0 ? pollNanos : kNoDeadline;
        if (deadline != kNoDeadline) {
            const int64_t now = clock.MonotonicNanos();
            if (now >= deadline)
                return false;
            step = std::min(step, deadline - now);
        }
        if (step == kNoDeadline)
            cv.wait(lock);
        else
            cv.wait_for(lock, std::chrono::nanoseconds(step));
    }
}

bool WaitInVirtualTime(std::condition_variable& cv, std::unique_lock<std::mutex>& lock,
                       VirtualClock& clock, int64_t deadline, const std::function<bool()>& done,
                       int64_t pollNanos) {
    if (done())
        return true;
    if (clock.MonotonicNanos() >= deadline)
        return false;
    if (clock.IsDriverThread()) {
        // Nobody else moves time for the driver: jump to the deadline, which also lets every
        // other waiter whose deadline lies before it time out.
        lock.unlock();
        clock.AdvanceNanos(deadline - clock.MonotonicNanos());
        lock.lock();
        return done();
    }
    CvWaiter waiter(*lock.mutex(), cv);
    lock.unlock();
    clock.AddWaiter(&waiter);
    lock.lock();
    bool result = false;
    for (;;) {
        if (done()) {
            result = true;
            break;
        }
        if (clock.IsRetired() || clock.MonotonicNanos() >= deadline)
            break;
        if (pollNanos > 0)
            cv.wait_for(lock, std::chrono::nanoseconds(pollNanos));
        else
            cv.wait(lock);
    }
    lock.unlock();
    clock.RemoveWaiter(&waiter);
    lock.lock();
    return result;
}

}  // namespace

int64_t DeadlineAfterMillis(uint32_t millis) {
    if (millis == 0xFFFFFFFFu)
        return kNoDeadline;
    return CurrentClock().MonotonicNanos() + static_cast<int64_t>(millis) * 1000000;
}

bool WaitOnClock(std::condition_variable& cv, std::unique_lock<std::mutex>& lock, int64_t deadline,
                 const std::function<bool()>& done, int64_t pollNanos) {
    Clock& clock = CurrentClock();
    auto* virtualClock = dynamic_cast<VirtualClock*>(&clock);
    if (virtualClock && deadline != kNoDeadline)
        return WaitInVirtualTime(cv, lock, *virtualClock, deadline, done, pollNanos);
    return WaitInRealTime(cv, lock, clock, deadline, done, pollNanos);
}

}  // namespace kq
