// The one source of time of the whole program. Production reads the system's monotonic and wall
// clocks; tests install a VirtualClock and move time forward themselves.
//
// Waiting on a virtual clock (Sleep, time-outs of WaitForSingleObject and friends, see
// ClockWait.h) follows one rule:
// - Virtual time moves only when AdvanceNanos is called. Every advance wakes the threads that
//   wait for a deadline, and those whose deadline has passed time out.
// - The thread that constructed the VirtualClock is its driver. Nothing else would move time for
//   it, so on the driver a wait with a finite time-out that is not satisfied at once advances the
//   clock to its deadline and times out; Sleep(ms) on the driver advances the clock by ms.
// - Any other thread waits until the driver (or a test) advances the clock past its deadline.
//   AwaitWaiters lets a test wait until a worker has reached such a wait before it advances.
// - Waits without time-out (INFINITE) wait in real time for their object on every thread.
// Destroying a virtual clock lets the threads still waiting on its deadlines time out; a test
// ends its threads before the clock goes.
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <thread>
#include <vector>

namespace kq {

class Clock {
  public:
    virtual ~Clock() = default;
    // Nanoseconds on a monotonic time line with an arbitrary origin.
    virtual int64_t MonotonicNanos() const = 0;
    // Nanoseconds since 1970-01-01 00:00:00 UTC.
    virtual int64_t WallNanos() const = 0;
};

class SystemClock final : public Clock {
  public:
    int64_t MonotonicNanos() const override;
    int64_t WallNanos() const override;
};

// Something blocked until a point of virtual time; woken on every advance of the clock.
class ClockWaiter {
  public:
    virtual void OnTimeAdvanced() = 0;

  protected:
    ~ClockWaiter() = default;
};

// A clock that stands still until a test advances it. Safe to read from any thread.
class VirtualClock final : public Clock {
  public:
    // Starts at monotonic 1 s and at the given wall time (default 2024-01-01 12:00:00 UTC).
    explicit VirtualClock(int64_t wallNanos = 1704110400LL * 1000000000LL);
    ~VirtualClock() override;
    VirtualClock(const VirtualClock&) = delete;
    VirtualClock& operator=(const VirtualClock&) = delete;

    int64_t MonotonicNanos() const override { return mono_.load(); }
    int64_t WallNanos() const override { return wall_.load(); }
    void AdvanceNanos(int64_t ns);
    void AdvanceMillis(int64_t ms) { AdvanceNanos(ms * 1000000); }
    void SetWallNanos(int64_t ns) { wall_.store(ns); }

    // The driver is the constructing thread (see the rule above).
    bool IsDriverThread() const { return std::this_thread::get_id() == driver_; }
    // Number of threads now waiting for a deadline on this clock.
    size_t WaiterCount() const;
    // Blocks (in real time) until at least `count` threads wait for a deadline on this clock.
    void AwaitWaiters(size_t count) const;

    // Registration of waiters (used by the waiting functions, not by tests). A waiter must not
    // hold a lock that its OnTimeAdvanced takes while it registers or unregisters.
    void AddWaiter(ClockWaiter* waiter);
    void RemoveWaiter(ClockWaiter* waiter);
    // True once the clock is being destroyed: its waiters give up.
    bool IsRetired() const { return retired_.load(); }

  private:
    void WakeWaiters();

    std::atomic<int64_t> mono_;
    std::atomic<int64_t> wall_;
    std::atomic<bool> retired_{false};
    const std::thread::id driver_;
    mutable std::mutex waitersLock_;
    mutable std::condition_variable waitersChanged_;
    std::vector<ClockWaiter*> waiters_;
};

// The clock in force. Never null: the system clock unless a test installed another.
Clock& CurrentClock();
// Installs a clock (nullptr restores the system clock). The caller keeps ownership.
void SetCurrentClock(Clock* clock);

inline int64_t MonotonicMillis() {
    return CurrentClock().MonotonicNanos() / 1000000;
}

// Installs a virtual clock for the lifetime of the guard (tests).
class ScopedVirtualClock {
  public:
    ScopedVirtualClock() { SetCurrentClock(&clock_); }
    ~ScopedVirtualClock() { SetCurrentClock(nullptr); }
    ScopedVirtualClock(const ScopedVirtualClock&) = delete;
    ScopedVirtualClock& operator=(const ScopedVirtualClock&) = delete;
    VirtualClock& operator*() { return clock_; }
    VirtualClock* operator->() { return &clock_; }

  private:
    VirtualClock clock_;
};

}  // namespace kq
