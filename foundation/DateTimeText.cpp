#include "foundation/DateTimeText.h"

#include "foundation/Language.h"

namespace {

// Sunday first, as CTime::GetDayOfWeek counts (1 = Sunday).
const char* const kWeekdays[4][7] = {
    {"Sonntag", "Montag", "Dienstag", "Mittwoch", "Donnerstag", "Freitag", "Samstag"},
    {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"},
    {"dimanche", "lundi", "mardi", "mercredi", "jeudi", "vendredi", "samedi"},
    {"domingo", "lunes", "martes", "miércoles", "jueves", "viernes", "sábado"},
};

}  // namespace

CDateTimeText::CDateTimeText(int german, int english, int french, int spanish, int languageOffset,
                             bool withWeekday, bool withSeconds)
    : withWeekday_(withWeekday), withSeconds_(withSeconds) {
    if (languageOffset == german) {
        language_ = Language::German;
    } else if (languageOffset == english) {
        language_ = Language::English;
    } else if (languageOffset == french || languageOffset == LANGUAGE_FRENCH) {
        language_ = Language::French;
    } else if (languageOffset == spanish) {
        language_ = Language::Spanish;
    } else {
        language_ = Language::Unknown;
    }
}

void CDateTimeText::Update() {
    Update(CTime::GetCurrentTime());
}

void CDateTimeText::Update(const CTime& now) {
    if (language_ == Language::English) {
        dateText_.Format("%02d/%02d/%04d", now.GetMonth(), now.GetDay(), now.GetYear());
    } else {
        dateText_.Format("%02d.%02d.%04d", now.GetDay(), now.GetMonth(), now.GetYear());
    }
    if (withWeekday_)
        dateText_ = GetWeekdayName(now) + " " + dateText_;
    if (withSeconds_) {
        timeText_.Format("%02d:%02d:%02d", now.GetHour(), now.GetMinute(), now.GetSecond());
    } else {
        timeText_.Format("%02d:%02d", now.GetHour(), now.GetMinute());
    }
}

CString CDateTimeText::GetWeekdayName(const CTime& time) const {
    const int day = time.GetDayOfWeek() - 1;
    if (language_ == Language::Unknown || day < 0 || day > 6)
        return "F:WDAY987";
    return kWeekdays[static_cast<int>(language_)][day];
}

CString CDateTimeText::FormatCurrentTime(int /*languageOffset*/) {
    // Every language writes the time of day the same way.
    const CTime now = CTime::GetCurrentTime();
    CString text;
    text.Format("%02d:%02d:%02d", now.GetHour(), now.GetMinute(), now.GetSecond());
    return text;
}
