#include "platform/ui/commctrl/DateTimeFormat.h"

#include "platform/ui/commctrl/ControlLanguage.h"
#include "platform/ui/commctrl/DateTimePickerApi.h"

namespace kq::ui::commctrl {

namespace {

int LanguageIndex() {
    switch (GetControlLanguage()) {
        case ControlLanguage::German:
            return 0;
        case ControlLanguage::French:
            return 2;
        case ControlLanguage::English:
            break;
    }
    return 1;
}

const char* const kMonths[3][12] = {
    {"Januar", "Februar", "M\xC3\xA4rz", "April", "Mai", "Juni", "Juli", "August", "September",
     "Oktober", "November", "Dezember"},
    {"January", "February", "March", "April", "May", "June", "July", "August", "September",
     "October", "November", "December"},
    {"janvier", "f\xC3\xA9vrier", "mars", "avril", "mai", "juin", "juillet", "ao\xC3\xBBt",
     "septembre", "octobre", "novembre",
     "d\xC3\xA9"
     "cembre"},
};
const char* const kShortMonths[3][12] = {
    {"Jan", "Feb", "M\xC3\xA4r", "Apr", "Mai", "Jun", "Jul", "Aug", "Sep", "Okt", "Nov", "Dez"},
    {"Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"},
    {"janv.", "f\xC3\xA9vr.", "mars", "avr.", "mai", "juin", "juil.", "ao\xC3\xBBt", "sept.",
     "oct.", "nov.",
     "d\xC3\xA9"
     "c."},
};
const char* const kDays[3][7] = {
    {"Sonntag", "Montag", "Dienstag", "Mittwoch", "Donnerstag", "Freitag", "Samstag"},
    {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"},
    {"dimanche", "lundi", "mardi", "mercredi", "jeudi", "vendredi", "samedi"},
};
const char* const kShortDays[3][7] = {
    {"So", "Mo", "Di", "Mi", "Do", "Fr", "Sa"},
    {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"},
    {"dim.", "lun.", "mar.", "mer.", "jeu.", "ven.", "sam."},
};

DateField FieldOf(char c, int width) {
    switch (c) {
        case 'd':
            return width >= 3 ? DateField::DayName : DateField::Day;
        case 'M':
            return width >= 3 ? DateField::MonthName : DateField::Month;
        case 'y':
            return DateField::Year;
        case 'h':
            return DateField::Hour12;
        case 'H':
            return DateField::Hour24;
        case 'm':
            return DateField::Minute;
        case 's':
            return DateField::Second;
        case 't':
            return DateField::AmPm;
        default:
            return DateField::Literal;
    }
}

int MaxWidth(char c) {
    return (c == 'd' || c == 'M' || c == 'y') ? 4 : 2;
}

void AppendLiteral(std::vector<FormatElement>& out, std::string_view text) {
    if (text.empty())
        return;
    if (!out.empty() && out.back().field == DateField::Literal)
        out.back().text += text;
    else
        out.push_back(FormatElement{DateField::Literal, 0, std::string(text)});
}

std::string Number(int value, int minDigits) {
    std::string digits = std::to_string(value);
    if (static_cast<int>(digits.size()) < minDigits)
        digits.insert(0, static_cast<size_t>(minDigits) - digits.size(), '0');
    return digits;
}

}  // namespace

std::vector<FormatElement> ParseDateFormat(std::string_view format) {
    std::vector<FormatElement> out;
    for (size_t i = 0; i < format.size();) {
        const char c = format[i];
        if (c == '\'') {
            // Quoted literal; '' inside or outside quotes is one quote character.
            size_t j = i + 1;
            std::string text;
            while (j < format.size()) {
                if (format[j] == '\'') {
                    if (j + 1 < format.size() && format[j + 1] == '\'') {
                        text += '\'';
                        j += 2;
                        continue;
                    }
                    ++j;
                    break;
                }
                text += format[j++];
            }
            if (text.empty() && j == i + 2)
                text = "'";
            AppendLiteral(out, text);
            i = j;
            continue;
        }
        size_t run = 1;
        while (i + run < format.size() && format[i + run] == c)
            ++run;
        if (FieldOf(c, 1) == DateField::Literal) {
            AppendLiteral(out, format.substr(i, run));
        } else {
            // Longer runs than a field knows start a new field of the same letter.
            for (size_t left = run; left > 0;) {
                const int width = static_cast<int>(std::min<size_t>(left, MaxWidth(c)));
                out.push_back(FormatElement{FieldOf(c, width), width, {}});
                left -= static_cast<size_t>(width);
            }
        }
        i += run;
    }
    return out;
}

std::string DefaultDateFormat(unsigned long style) {
    const int lang = LanguageIndex();
    if ((style & DTS_TIMEFORMAT) == DTS_TIMEFORMAT)
        return lang == 1 ? "h:mm:ss tt" : "HH:mm:ss";
    if ((style & DTS_SHORTDATECENTURYFORMAT) == DTS_SHORTDATECENTURYFORMAT ||
        (style & DTS_LONGDATEFORMAT) == 0) {
        static const char* const kShort[3] = {"dd.MM.yyyy", "M/d/yyyy", "dd/MM/yyyy"};
        return kShort[lang];
    }
    static const char* const kLong[3] = {"dddd, d. MMMM yyyy", "dddd, MMMM d, yyyy",
                                         "dddd d MMMM yyyy"};
    return kLong[lang];
}

std::string MonthName(int month, bool abbreviated) {
    if (month < 1 || month > 12)
        return {};
    return (abbreviated ? kShortMonths : kMonths)[LanguageIndex()][month - 1];
}

std::string DayName(int weekday, bool abbreviated) {
    if (weekday < 0 || weekday > 6)
        return {};
    return (abbreviated ? kShortDays : kDays)[LanguageIndex()][weekday];
}

std::string HalfDayName(bool pm) {
    return pm ? "PM" : "AM";
}

std::string FormatElementText(const FormatElement& e, const SYSTEMTIME& t) {
    const int w = e.width;
    switch (e.field) {
        case DateField::Literal:
            return e.text;
        case DateField::Day:
            return Number(t.wDay, w);
        case DateField::DayName:
            return DayName(t.wDayOfWeek, w == 3);
        case DateField::Month:
            return Number(t.wMonth, w);
        case DateField::MonthName:
            return MonthName(t.wMonth, w == 3);
        case DateField::Year:
            if (w == 1)
                return Number(t.wYear % 10, 1);
            if (w == 2)
                return Number(t.wYear % 100, 2);
            return Number(t.wYear, 4);
        case DateField::Hour12:
            return Number(t.wHour % 12 == 0 ? 12 : t.wHour % 12, w);
        case DateField::Hour24:
            return Number(t.wHour, w);
        case DateField::Minute:
            return Number(t.wMinute, w);
        case DateField::Second:
            return Number(t.wSecond, w);
        case DateField::AmPm: {
            const std::string name = HalfDayName(t.wHour >= 12);
            return w == 1 ? name.substr(0, 1) : name;
        }
    }
    return {};
}

std::string FormatDateTime(const std::vector<FormatElement>& elements, const SYSTEMTIME& t) {
    std::string text;
    for (const FormatElement& e : elements)
        text += FormatElementText(e, t);
    return text;
}

}  // namespace kq::ui::commctrl
