#include "platform/base/Clock.h"

#include <time.h>

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

VirtualClock::VirtualClock(int64_t wallNanos) : mono_(1000000000LL), wall_(wallNanos) {}

void VirtualClock::AdvanceNanos(int64_t ns) {
    if (ns <= 0)
        return;
    mono_.fetch_add(ns);
    wall_.fetch_add(ns);
}

Clock& CurrentClock() {
    return *g_clock.load();
}

void SetCurrentClock(Clock* clock) {
    g_clock.store(clock ? clock : &g_systemClock);
}

}  // namespace kq
