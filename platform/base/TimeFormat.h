// strftime-style formatting of broken-down times with English names, never depending on the
// process locale. Codes: %a %A %b %B %c %d %H %I %j %m %M %p %S %U %w %W %x %X %y %Y %%; a '#'
// after '%' drops leading zeros of numbers and makes %c and %x the long forms. An unknown code
// is copied as it stands, since formats may come from user input.
#pragma once

#include <cstdint>
#include <ctime>
#include <string>
#include <string_view>

namespace kq {

struct TimeFields {
    int64_t year;
    int month;      // 1..12
    int day;        // 1..31
    int hour;       // 0..23
    int minute;     // 0..59
    int second;     // 0..59
    int dayOfWeek;  // 0 = Sunday
    int dayOfYear;  // 1..366
};

TimeFields TimeFieldsFromTm(const std::tm& tm);
std::string FormatTimeFields(std::string_view format, const TimeFields& t);

// Time spans: %D days, %H hours, %M minutes, %S seconds (the last three two digits wide), %%.
std::string FormatSpanFields(std::string_view format, int64_t days, int64_t hours, int64_t minutes,
                             int64_t seconds);

}  // namespace kq
