// Conversions between seconds since 1970 and local broken-down time, re-reading TZ on each call
// so that a changed zone takes effect at once.
#pragma once

#include <cstdint>
#include <ctime>

namespace kq {

bool LocalTmFromSeconds(int64_t seconds, std::tm& out);
bool UtcTmFromSeconds(int64_t seconds, std::tm& out);
// Normalises `fields` like mktime; false when the time cannot be represented.
bool SecondsFromLocalTm(std::tm& fields, int64_t& seconds);
// The wall clock's current second.
int64_t WallSecondsNow();

}  // namespace kq
