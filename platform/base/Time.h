// CTime: a point in time as 64-bit seconds since 1970-01-01 UTC, shown in local time; CTimeSpan:
// a signed number of seconds.
#pragma once

#include <compare>
#include <ctime>

#include "platform/base/CString.h"
#include "platform/base/SystemTime.h"
#include "platform/base/WinTypes.h"

static_assert(sizeof(time_t) == 8, "CTime needs 64-bit seconds");

class CTimeSpan {
  public:
    CTimeSpan() = default;
    CTimeSpan(time_t seconds) : span_(seconds) {}
    CTimeSpan(LONG days, int hours, int minutes, int seconds);

    time_t GetTimeSpan() const { return span_; }
    LONGLONG GetDays() const { return span_ / 86400; }
    LONGLONG GetTotalHours() const { return span_ / 3600; }
    LONG GetHours() const { return static_cast<LONG>(GetTotalHours() % 24); }
    LONGLONG GetTotalMinutes() const { return span_ / 60; }
    LONG GetMinutes() const { return static_cast<LONG>(GetTotalMinutes() % 60); }
    LONGLONG GetTotalSeconds() const { return span_; }
    LONG GetSeconds() const { return static_cast<LONG>(span_ % 60); }

    // %D days, %H hours, %M minutes, %S seconds (the last three two digits wide), %% a percent.
    CString Format(const char* format) const;

    CTimeSpan operator+(CTimeSpan other) const { return span_ + other.span_; }
    CTimeSpan operator-(CTimeSpan other) const { return span_ - other.span_; }
    CTimeSpan operator-() const { return -span_; }
    CTimeSpan& operator+=(CTimeSpan other) {
        span_ += other.span_;
        return *this;
    }
    CTimeSpan& operator-=(CTimeSpan other) {
        span_ -= other.span_;
        return *this;
    }
    auto operator<=>(const CTimeSpan&) const = default;

  private:
    time_t span_ = 0;
};

class CTime {
  public:
    static CTime GetCurrentTime();

    CTime() = default;
    CTime(time_t time) : time_(time) {}
    // Local time. dst: 1 summer time, 0 standard time, -1 decide from the zone's rules. Fields
    // outside year 1900.., month 1..12, day 1..31, hour 0..23, minute and second 0..59 give -1,
    // the run-time library's value for a time it cannot represent; day 31 of a short month
    // rolls over into the next month.
    CTime(int year, int month, int day, int hour, int minute, int second, int dst = -1);
    CTime(const SYSTEMTIME& time, int dst = -1);

    time_t GetTime() const { return time_; }
    std::tm* GetLocalTm(std::tm* out) const;
    BOOL GetAsSystemTime(SYSTEMTIME& time) const;

    int GetYear() const { return Local().tm_year + 1900; }
    int GetMonth() const { return Local().tm_mon + 1; }
    int GetDay() const { return Local().tm_mday; }
    int GetHour() const { return Local().tm_hour; }
    int GetMinute() const { return Local().tm_min; }
    int GetSecond() const { return Local().tm_sec; }
    // 1 = Sunday .. 7 = Saturday.
    int GetDayOfWeek() const { return Local().tm_wday + 1; }

    // strftime-style codes (TimeFormat.h) in local time, or in UTC for FormatGmt.
    CString Format(const char* format) const;
    CString FormatGmt(const char* format) const;

    CTimeSpan operator-(CTime other) const { return time_ - other.time_; }
    CTime operator+(CTimeSpan span) const { return time_ + span.GetTimeSpan(); }
    CTime operator-(CTimeSpan span) const { return time_ - span.GetTimeSpan(); }
    CTime& operator+=(CTimeSpan span) {
        time_ += span.GetTimeSpan();
        return *this;
    }
    CTime& operator-=(CTimeSpan span) {
        time_ -= span.GetTimeSpan();
        return *this;
    }
    auto operator<=>(const CTime&) const = default;

  private:
    std::tm Local() const;

    time_t time_ = 0;
};
