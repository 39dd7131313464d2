// Conversions between seconds since 1970 and local broken-down time. The zone is loaded once
// and again when TZ changes, or (without TZ) when the system's zone file is replaced, which is
// looked at no more than once a second.
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
