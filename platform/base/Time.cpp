#include "platform/base/Time.h"

#include "platform/base/LocalTime.h"
#include "platform/base/TimeFormat.h"

CTimeSpan::CTimeSpan(LONG days, int hours, int minutes, int seconds)
    : span_(static_cast<time_t>(days) * 86400 + static_cast<time_t>(hours) * 3600 +
            static_cast<time_t>(minutes) * 60 + seconds) {}

CString CTimeSpan::Format(const char* format) const {
    return CString(kq::FormatSpanFields(format ? format : "", GetDays(), GetHours(), GetMinutes(),
                                        GetSeconds()));
}

CTime CTime::GetCurrentTime() {
    return CTime(static_cast<time_t>(kq::WallSecondsNow()));
}

CTime::CTime(int year, int month, int day, int hour, int minute, int second, int dst) {
    time_ = -1;
    if (year < 1900 || month < 1 || month > 12 || day < 1 || day > 31 || hour < 0 || hour > 23 ||
        minute < 0 || minute > 59 || second < 0 || second > 59)
        return;
    std::tm fields{};
    fields.tm_year = year - 1900;
    fields.tm_mon = month - 1;
    fields.tm_mday = day;
    fields.tm_hour = hour;
    fields.tm_min = minute;
    fields.tm_sec = second;
    fields.tm_isdst = dst < 0 ? -1 : (dst > 0 ? 1 : 0);
    int64_t seconds = 0;
    if (kq::SecondsFromLocalTm(fields, seconds))
        time_ = static_cast<time_t>(seconds);
}

CTime::CTime(const SYSTEMTIME& time, int dst)
    : CTime(time.wYear, time.wMonth, time.wDay, time.wHour, time.wMinute, time.wSecond, dst) {}

std::tm CTime::Local() const {
    std::tm fields{};
    kq::LocalTmFromSeconds(time_, fields);
    return fields;
}

std::tm* CTime::GetLocalTm(std::tm* out) const {
    if (!out || !kq::LocalTmFromSeconds(time_, *out))
        return nullptr;
    return out;
}

BOOL CTime::GetAsSystemTime(SYSTEMTIME& time) const {
    std::tm fields{};
    if (!kq::LocalTmFromSeconds(time_, fields) || fields.tm_year + 1900 < 1601 ||
        fields.tm_year + 1900 > 30827)
        return FALSE;
    time.wYear = static_cast<WORD>(fields.tm_year + 1900);
    time.wMonth = static_cast<WORD>(fields.tm_mon + 1);
    time.wDayOfWeek = static_cast<WORD>(fields.tm_wday);
    time.wDay = static_cast<WORD>(fields.tm_mday);
    time.wHour = static_cast<WORD>(fields.tm_hour);
    time.wMinute = static_cast<WORD>(fields.tm_min);
    time.wSecond = static_cast<WORD>(fields.tm_sec);
    time.wMilliseconds = 0;
    return TRUE;
}

CString CTime::Format(const char* format) const {
    std::tm fields{};
    if (!kq::LocalTmFromSeconds(time_, fields))
        return CString();
    return CString(kq::FormatTimeFields(format ? format : "", kq::TimeFieldsFromTm(fields)));
}

CString CTime::FormatGmt(const char* format) const {
    std::tm fields{};
    if (!kq::UtcTmFromSeconds(time_, fields))
        return CString();
    return CString(kq::FormatTimeFields(format ? format : "", kq::TimeFieldsFromTm(fields)));
}
