// Waiting for a condition with a deadline on the current clock: real time on the system clock,
// virtual time (by the rule in Clock.h) on a virtual clock.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <functional>
#include <limits>
#include <mutex>

namespace kq {

// A deadline that never passes.
inline constexpr int64_t kNoDeadline = std::numeric_limits<int64_t>::max();

// The monotonic deadline `millis` from now on the current clock; INFINITE (0xFFFFFFFF) gives
// kNoDeadline.
int64_t DeadlineAfterMillis(uint32_t millis);

// Blocks until done() is true or the monotonic deadline passes; returns done(). `lock` holds the
// mutex that guards the state done() reads, and whoever changes that state notifies `cv` while
// holding the same mutex. With pollNanos > 0, done() is also re-checked that often in real time,
// for state that changes without notice (a lock held by another process).
bool WaitOnClock(std::condition_variable& cv, std::unique_lock<std::mutex>& lock, int64_t deadline,
                 const std::function<bool()>& done, int64_t pollNanos = 0);

}  // namespace kq
