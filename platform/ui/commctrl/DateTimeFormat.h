// Date and time display formats of the date-time picker: a format string ("dd.MM.yyyy",
// "h:mm:ss tt", with 'quoted' literal text) split into literal text and fields, the default
// formats of each language, and the names of months, days and half days.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/base/SystemTime.h"

namespace kq::ui::commctrl {

enum class DateField {
    Literal,
    Day,        // d, dd
    DayName,    // ddd (short), dddd
    Month,      // M, MM
    MonthName,  // MMM (short), MMMM
    Year,       // y (one digit), yy (two), yyy or yyyy (all)
    Hour12,     // h, hh
    Hour24,     // H, HH
    Minute,     // m, mm
    Second,     // s, ss
    AmPm,       // t (one letter), tt
};

struct FormatElement {
    DateField field = DateField::Literal;
    int width = 0;     // how many letters gave the field
    std::string text;  // literal text
};

std::vector<FormatElement> ParseDateFormat(std::string_view format);
// The format a DTS_ style stands for in the controls' language.
std::string DefaultDateFormat(unsigned long style);

// The text of one element for a time.
std::string FormatElementText(const FormatElement& element, const SYSTEMTIME& time);
std::string FormatDateTime(const std::vector<FormatElement>& elements, const SYSTEMTIME& time);

// Names in the controls' language; month 1..12, weekday 0 (Sunday)..6.
std::string MonthName(int month, bool abbreviated);
std::string DayName(int weekday, bool abbreviated);
std::string HalfDayName(bool pm);

}  // namespace kq::ui::commctrl
