#include "foundation/StopWatch.h"

#include "platform/base/Clock.h"

double CStopWatch::GetElapsedSeconds() {
    const int64_t now = kq::CurrentClock().MonotonicNanos();
    if (!valid_) {
        lastNanos_ = now;
        valid_ = true;
        return 0.0;
    }
    const double seconds = static_cast<double>(now - lastNanos_) / 1e9;
    lastNanos_ = now;
    return seconds;
}
