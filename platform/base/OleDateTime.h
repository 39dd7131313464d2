// COleDateTime: a date as a double count of days since 1899-12-30 00:00 with the time of day as
// the fraction. Before that day the fraction keeps its own sign: -1.25 is 1899-12-29 06:00, one
// day back and a quarter day forward. Valid dates run from 100-01-01 to 9999-12-31; the broken-
// down fields are rounded to the second. COleDateTimeSpan: a signed count of days.
#pragma once

#include "platform/base/CString.h"
#include "platform/base/SystemTime.h"
#include "platform/base/Time.h"
#include "platform/base/WinTypes.h"

using DATE = double;

class COleDateTimeSpan {
  public:
    enum DateTimeSpanStatus { valid = 0, invalid = 1, null = 2 };

    COleDateTimeSpan() = default;
    COleDateTimeSpan(double days);
    COleDateTimeSpan(LONG days, int hours, int minutes, int seconds);

    DateTimeSpanStatus GetStatus() const { return m_status; }
    void SetStatus(DateTimeSpanStatus status) { m_status = status; }
    void SetDateTimeSpan(LONG days, int hours, int minutes, int seconds);

    double GetTotalDays() const { return m_span; }
    double GetTotalHours() const { return m_span * 24; }
    double GetTotalMinutes() const { return m_span * 24 * 60; }
    double GetTotalSeconds() const { return m_span * 24 * 60 * 60; }
    // Parts of the span rounded to the second; negative spans give negative parts.
    LONG GetDays() const;
    LONG GetHours() const;
    LONG GetMinutes() const;
    LONG GetSeconds() const;

    // %D days, %H hours, %M minutes, %S seconds (the last three two digits wide), %% a percent.
    CString Format(const char* format) const;

    operator double() const { return m_span; }
    COleDateTimeSpan operator+(const COleDateTimeSpan& other) const;
    COleDateTimeSpan operator-() const;
    COleDateTimeSpan& operator+=(const COleDateTimeSpan& other) { return *this = *this + other; }
    bool operator==(const COleDateTimeSpan& other) const;
    bool operator<(const COleDateTimeSpan& other) const { return m_span < other.m_span; }
    bool operator>(const COleDateTimeSpan& other) const { return m_span > other.m_span; }
    bool operator<=(const COleDateTimeSpan& other) const { return m_span <= other.m_span; }
    bool operator>=(const COleDateTimeSpan& other) const { return m_span >= other.m_span; }

    double m_span = 0;
    DateTimeSpanStatus m_status = valid;

  private:
    int64_t RoundedSeconds() const;
};

class COleDateTime {
  public:
    enum DateTimeStatus { valid = 0, invalid = 1, null = 2 };

    // The local time now, to the second.
    static COleDateTime GetCurrentTime();

    COleDateTime() = default;
    // Invalid when the value lies outside the valid dates or is not a number.
    COleDateTime(DATE date);
    // Seconds since 1970 in local time.
    COleDateTime(time_t time);
    COleDateTime(const SYSTEMTIME& time);
    COleDateTime(const CTime& time);
    COleDateTime(int year, int month, int day, int hour, int minute, int second);
    COleDateTime& operator=(DATE date);

    DateTimeStatus GetStatus() const { return m_status; }
    void SetStatus(DateTimeStatus status) { m_status = status; }

    // 0 on success; 1 and status invalid when a field is out of range (year 100..9999, month
    // 1..12, a day that the month has, hour 0..23, minute and second 0..59).
    int SetDateTime(int year, int month, int day, int hour, int minute, int second);
    int SetDate(int year, int month, int day);
    // The time of day on 1899-12-30.
    int SetTime(int hour, int minute, int second);

    // -1 when the date is not valid.
    int GetYear() const;
    int GetMonth() const;
    int GetDay() const;
    int GetHour() const;
    int GetMinute() const;
    int GetSecond() const;
    int GetDayOfWeek() const;  // 1 = Sunday
    int GetDayOfYear() const;  // 1..366

    bool GetAsSystemTime(SYSTEMTIME& time) const;

    // strftime-style codes (TimeFormat.h). A null date gives "", an invalid one
    // "Invalid DateTime".
    CString Format(const char* format) const;
    // M/D/YYYY h:mm:ss AM, leaving out the date of 1899-12-30 and a time of midnight.
    CString Format() const;

    operator DATE() const { return m_dt; }
    COleDateTime operator+(const COleDateTimeSpan& span) const;
    COleDateTime operator-(const COleDateTimeSpan& span) const;
    COleDateTimeSpan operator-(const COleDateTime& other) const;
    COleDateTime& operator+=(const COleDateTimeSpan& span) { return *this = *this + span; }
    COleDateTime& operator-=(const COleDateTimeSpan& span) { return *this = *this - span; }
    // Compare the moments, so that -0.5 and 0.5 (both 1899-12-30 12:00) are equal.
    bool operator==(const COleDateTime& other) const;
    bool operator<(const COleDateTime& other) const;
    bool operator>(const COleDateTime& other) const { return other < *this; }
    bool operator<=(const COleDateTime& other) const { return !(other < *this); }
    bool operator>=(const COleDateTime& other) const { return !(*this < other); }

    DATE m_dt = 0;
    DateTimeStatus m_status = valid;
};
