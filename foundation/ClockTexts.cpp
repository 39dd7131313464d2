#include "foundation/ClockTexts.h"

#include "foundation/Language.h"

namespace {

CString ZeroPadded(const char* format, int a, int b, int c = 0) {
    CString text;
    text.Format(format, a, b, c);
    text.Replace(" ", "0");
    return text;
}

}  // namespace

CString FormatTimePaneText(int hour, int minute, int languageOffset) {
    if (languageOffset == LANGUAGE_ENGLISH) {
        int shown = hour % 12;
        if (shown == 0)
            shown = 12;
        return " " + ZeroPadded("%2i:%2i", shown, minute) + (hour < 12 ? " AM" : " PM");
    }
    if (languageOffset == LANGUAGE_GERMAN)
        return " " + ZeroPadded("%2i:%2i", hour, minute) + " Uhr";
    return " " + ZeroPadded("%2i:%2i", hour, minute) + " ";
}

CString FormatDateText(int day, int month, int year, int languageOffset) {
    if (day < 1 || day > 31 || month < 1 || month > 12 || year < 1970 || year > 3000)
        return "n.a.";
    if (languageOffset == LANGUAGE_ENGLISH)
        return " " + ZeroPadded("%2i/%2i/%4i", month, day, year) + " ";
    return " " + ZeroPadded("%2i.%2i.%4i", day, month, year) + " ";
}

CString FormatTimeText(int64_t seconds) {
    const int hours = static_cast<int>((seconds / 3600) % 24);
    const int minutes = static_cast<int>((seconds / 60) % 60);
    const int secs = static_cast<int>(seconds % 60);
    return " " + ZeroPadded("%2i:%2i:%2i", hours, minutes, secs);
}
