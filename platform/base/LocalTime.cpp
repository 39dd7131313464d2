#include "platform/base/LocalTime.h"

#include <errno.h>
#include <time.h>

#include "platform/base/CivilDate.h"
#include "platform/base/Clock.h"

namespace kq {

bool LocalTmFromSeconds(int64_t seconds, std::tm& out) {
    tzset();
    const time_t t = static_cast<time_t>(seconds);
    return localtime_r(&t, &out) != nullptr;
}

bool UtcTmFromSeconds(int64_t seconds, std::tm& out) {
    const time_t t = static_cast<time_t>(seconds);
    return gmtime_r(&t, &out) != nullptr;
}

bool SecondsFromLocalTm(std::tm& fields, int64_t& seconds) {
    // mktime answers -1 both for failure and for 1969-12-31 23:59:59; errno tells them apart.
    errno = 0;
    const time_t t = mktime(&fields);
    if (t == static_cast<time_t>(-1) && errno != 0)
        return false;
    seconds = static_cast<int64_t>(t);
    return true;
}

int64_t WallSecondsNow() {
    return FloorDiv(CurrentClock().WallNanos(), 1000000000);
}

}  // namespace kq
