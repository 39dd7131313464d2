// The one source of time of the whole program. Production reads the system's monotonic and wall
// clocks; tests install a VirtualClock and move time forward themselves.
#pragma once

#include <atomic>
#include <cstdint>
#include <mutex>

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

// A clock that stands still until a test advances it. Safe to read from any thread.
class VirtualClock final : public Clock {
  public:
    // Starts at monotonic 1 s and at the given wall time (default 2024-01-01 12:00:00 UTC).
    explicit VirtualClock(int64_t wallNanos = 1704110400LL * 1000000000LL);
    int64_t MonotonicNanos() const override { return mono_.load(); }
    int64_t WallNanos() const override { return wall_.load(); }
    void AdvanceNanos(int64_t ns);
    void AdvanceMillis(int64_t ms) { AdvanceNanos(ms * 1000000); }
    void SetWallNanos(int64_t ns) { wall_.store(ns); }

  private:
    std::atomic<int64_t> mono_;
    std::atomic<int64_t> wall_;
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
