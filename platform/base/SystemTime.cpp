#include "platform/base/SystemTime.h"

#include "platform/base/CivilDate.h"
#include "platform/base/Clock.h"
#include "platform/base/LocalTime.h"

namespace {

void FillFromWallClock(LPSYSTEMTIME time, bool local) {
    if (!time)
        return;
    const int64_t nanos = kq::CurrentClock().WallNanos();
    const int64_t seconds = kq::FloorDiv(nanos, 1000000000);
    const int64_t millis = kq::FloorMod(nanos, 1000000000) / 1000000;
    std::tm fields{};
    if (local)
        kq::LocalTmFromSeconds(seconds, fields);
    else
        kq::UtcTmFromSeconds(seconds, fields);
    time->wYear = static_cast<WORD>(fields.tm_year + 1900);
    time->wMonth = static_cast<WORD>(fields.tm_mon + 1);
    time->wDayOfWeek = static_cast<WORD>(fields.tm_wday);
    time->wDay = static_cast<WORD>(fields.tm_mday);
    time->wHour = static_cast<WORD>(fields.tm_hour);
    time->wMinute = static_cast<WORD>(fields.tm_min);
    time->wSecond = static_cast<WORD>(fields.tm_sec);
    time->wMilliseconds = static_cast<WORD>(millis);
}

}  // namespace

void GetLocalTime(LPSYSTEMTIME time) {
    FillFromWallClock(time, true);
}

void GetSystemTime(LPSYSTEMTIME time) {
    FillFromWallClock(time, false);
}
