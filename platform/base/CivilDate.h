// Proleptic Gregorian calendar arithmetic on day numbers, independent of time zones and of the
// range of the C library's time functions.
#pragma once

#include <cstdint>

namespace kq {

struct CivilDate {
    int64_t year;
    int month;  // 1..12
    int day;    // 1..31
};

bool IsLeapYear(int64_t year);
int DaysInMonth(int64_t year, int month);
// Days since 1970-01-01 (negative before).
int64_t DaysFromCivil(int64_t year, int month, int day);
CivilDate CivilFromDays(int64_t days);
// 0 = Sunday .. 6 = Saturday.
int WeekdayFromDays(int64_t days);
// 1..366.
int DayOfYear(int64_t year, int month, int day);

// Floor division and its remainder, for splitting signed counts into days and time of day.
inline int64_t FloorDiv(int64_t a, int64_t b) {
    const int64_t q = a / b;
    return (a % b != 0 && ((a < 0) != (b < 0))) ? q - 1 : q;
}
inline int64_t FloorMod(int64_t a, int64_t b) {
    return a - FloorDiv(a, b) * b;
}

}  // namespace kq
