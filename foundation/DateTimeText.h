// Date, time and weekday texts of a moment in one of the program's languages.
#pragma once

#include "platform/base/CString.h"
#include "platform/base/Time.h"

class CDateTimeText {
  public:
    // The language codes the caller uses for German, English, French and Spanish (0, 1000, 2000,
    // 3000), the current language offset, whether the date text starts with the weekday name, and
    // whether the time text shows seconds. The offset 4000 (revised French texts) counts as French.
    CDateTimeText(int german, int english, int french, int spanish, int languageOffset,
                  bool withWeekday = false, bool withSeconds = true);

    // Takes the current time (or the given moment) and builds the date and time texts.
    void Update();
    void Update(const CTime& moment);
    const CString& GetDateText() const { return dateText_; }
    const CString& GetTimeText() const { return timeText_; }

    // The weekday name of the time in the language, or "F:WDAY987" for an unknown language.
    CString GetWeekdayName(const CTime& time) const;

    // The current time as hours, minutes and seconds ("HH:MM:SS") for the language offset.
    static CString FormatCurrentTime(int languageOffset);

  private:
    enum class Language { German, English, French, Spanish, Unknown };
    Language language_;
    bool withWeekday_;
    bool withSeconds_;
    CString dateText_;
    CString timeText_;
};
