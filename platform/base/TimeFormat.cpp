#include "platform/base/TimeFormat.h"

#include "platform/base/CivilDate.h"

namespace kq {
namespace {

const char* const kDayNames[7] = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                  "Thursday", "Friday", "Saturday"};
const char* const kMonthNames[12] = {"January",   "February", "March",    "April",
                                     "May",       "June",     "July",     "August",
                                     "September", "October",  "November", "December"};

void AppendNumber(std::string& out, int64_t value, int width, bool dropZeros) {
    std::string digits = std::to_string(value < 0 ? -value : value);
    if (!dropZeros && static_cast<int>(digits.size()) < width)
        digits.insert(0, static_cast<size_t>(width) - digits.size(), '0');
    if (value < 0)
        out += '-';
    out += digits;
}

void AppendAbbreviation(std::string& out, const char* name) {
    out.append(name, 3);
}

int Hour12(int hour) {
    const int h = hour % 12;
    return h == 0 ? 12 : h;
}

// Week number of the year, weeks starting on `firstDay` (0 Sunday, 1 Monday); days before the
// first such day are in week 0.
int WeekOfYear(const TimeFields& t, int firstDay) {
    const int weekday = (t.dayOfWeek - firstDay + 7) % 7;
    return (t.dayOfYear - 1 + 7 - weekday) / 7;
}

}  // namespace

TimeFields TimeFieldsFromTm(const std::tm& tm) {
    return {static_cast<int64_t>(tm.tm_year) + 1900,
            tm.tm_mon + 1,
            tm.tm_mday,
            tm.tm_hour,
            tm.tm_min,
            tm.tm_sec,
            tm.tm_wday,
            tm.tm_yday + 1};
}

std::string FormatTimeFields(std::string_view format, const TimeFields& t) {
    std::string out;
    for (size_t i = 0; i < format.size(); ++i) {
        if (format[i] != '%' || i + 1 >= format.size()) {
            out += format[i];
            continue;
        }
        const size_t start = i;
        bool alternate = false;
        if (format[i + 1] == '#' && i + 2 < format.size()) {
            alternate = true;
            ++i;
        }
        const char code = format[++i];
        const bool month_ok = t.month >= 1 && t.month <= 12;
        const bool day_ok = t.dayOfWeek >= 0 && t.dayOfWeek <= 6;
        switch (code) {
            case 'a':
                if (day_ok)
                    AppendAbbreviation(out, kDayNames[t.dayOfWeek]);
                break;
            case 'A':
                if (day_ok)
                    out += kDayNames[t.dayOfWeek];
                break;
            case 'b':
                if (month_ok)
                    AppendAbbreviation(out, kMonthNames[t.month - 1]);
                break;
            case 'B':
                if (month_ok)
                    out += kMonthNames[t.month - 1];
                break;
            case 'c':
                out += FormatTimeFields(
                    alternate ? "%A, %B %#d, %Y, %H:%M:%S" : "%m/%d/%y %H:%M:%S", t);
                break;
            case 'x':
                out += FormatTimeFields(alternate ? "%A, %B %#d, %Y" : "%m/%d/%y", t);
                break;
            case 'X':
                out += FormatTimeFields("%H:%M:%S", t);
                break;
            case 'd':
                AppendNumber(out, t.day, 2, alternate);
                break;
            case 'H':
                AppendNumber(out, t.hour, 2, alternate);
                break;
            case 'I':
                AppendNumber(out, Hour12(t.hour), 2, alternate);
                break;
            case 'j':
                AppendNumber(out, t.dayOfYear, 3, alternate);
                break;
            case 'm':
                AppendNumber(out, t.month, 2, alternate);
                break;
            case 'M':
                AppendNumber(out, t.minute, 2, alternate);
                break;
            case 'S':
                AppendNumber(out, t.second, 2, alternate);
                break;
            case 'p':
                out += t.hour < 12 ? "AM" : "PM";
                break;
            case 'U':
                AppendNumber(out, WeekOfYear(t, 0), 2, alternate);
                break;
            case 'W':
                AppendNumber(out, WeekOfYear(t, 1), 2, alternate);
                break;
            case 'w':
                AppendNumber(out, t.dayOfWeek, 1, alternate);
                break;
            case 'y':
                AppendNumber(out, FloorMod(t.year, 100), 2, alternate);
                break;
            case 'Y':
                AppendNumber(out, t.year, 1, alternate);
                break;
            case '%':
                out += '%';
                break;
            default:
                out.append(format.substr(start, i - start + 1));
                break;
        }
    }
    return out;
}

std::string FormatSpanFields(std::string_view format, int64_t days, int64_t hours, int64_t minutes,
                             int64_t seconds) {
    std::string out;
    for (size_t i = 0; i < format.size(); ++i) {
        if (format[i] != '%' || i + 1 >= format.size()) {
            out += format[i];
            continue;
        }
        switch (format[++i]) {
            case 'D':
                out += std::to_string(days);
                break;
            case 'H':
                AppendNumber(out, hours, 2, false);
                break;
            case 'M':
                AppendNumber(out, minutes, 2, false);
                break;
            case 'S':
                AppendNumber(out, seconds, 2, false);
                break;
            case '%':
                out += '%';
                break;
            default:
                out.append(format.substr(i - 1, 2));
                break;
        }
    }
    return out;
}

}  // namespace kq
