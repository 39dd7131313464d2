#include "platform/base/Clock.h"

#include <time.h>

#include <algorithm>

namespace kq {
namespace {

int64_t ReadClock(clockid_t id) {
    timespec ts{};
    clock_gettime(id, &ts);
    return static_cast<int64_t>(ts.tv_sec) * 1000000000LL + ts.tv_nsec;
}

SystemClock g_systemClock;
std::atomic<Clock*> g_clock{&g_systemClock};

}  // namespace

int64_t SystemClock::MonotonicNanos() const {
    return ReadClock(CLOCK_MONOTONIC);
}
int64_t SystemClock::WallNanos() const {
    return ReadClock(CLOCK_REALTIME);
}

VirtualClock::VirtualClock(int64_t wallNanos)
    : mono_(1000000000LL), wall_(wallNanos), driver_(std::this_thread::get_id()) {}

VirtualClock::~VirtualClock() {
    retired_.store(true);
    WakeWaiters();
    std::unique_lock lock(waitersLock_);
    waitersChanged_.wait(lock, [this] { return waiters_.empty(); });
}

void VirtualClock::AdvanceNanos(int64_t ns) {
    if (ns <= 0)
        return;
    mono_.fetch_add(ns);
    wall_.fetch_add(ns);
    WakeWaiters();
}

void VirtualClock::WakeWaiters() {
    // Waiters cannot leave while the list is locked, so each one is alive when it is woken.
    std::lock_guard lock(waitersLock_);
    for (ClockWaiter* waiter : waiters_)
        waiter->OnTimeAdvanced();
}

size_t VirtualClock::WaiterCount() const {
    std::lock_guard lock(waitersLock_);
    return waiters_.size();
}

void VirtualClock::AwaitWaiters(size_t count) const {
    std::unique_lock lock(waitersLock_);
    waitersChanged_.wait(lock, [&] { return waiters_.size() >= count; });
}

void VirtualClock::AddWaiter(ClockWaiter* waiter) {
    std::lock_guard lock(waitersLock_);
    waiters_.push_back(waiter);
    waitersChanged_.notify_all();
}

void VirtualClock::RemoveWaiter(ClockWaiter* waiter) {
    std::lock_guard lock(waitersLock_);
    waiters_.erase(std::remove(waiters_.begin(), waiters_.end(), waiter), waiters_.end());
    waitersChanged_.notify_all();
}

Clock& CurrentClock() {
    return *g_clock.load();
}

void SetCurrentClock(Clock* clock) {
    g_clock.store(clock ? clock : &g_systemClock);
}

}  // namespace kq
