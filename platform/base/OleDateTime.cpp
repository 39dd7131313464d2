#include "platform/base/OleDateTime.h"

#include <cmath>

#include "platform/base/CivilDate.h"
#include "platform/base/LocalTime.h"
#include "platform/base/TimeFormat.h"

namespace {

constexpr int64_t kSecondsPerDay = 86400;
// 1899-12-30, day 0 of the stored values, counted from 1970-01-01.
constexpr int64_t kDayZero = -25569;
// 100-01-01 and 10000-01-01 counted from day 0.
constexpr int64_t kFirstValidSecond = -657434 * kSecondsPerDay;
constexpr int64_t kLastValidSecond = 2958466 * kSecondsPerDay - 1;

// The stored value on a continuous time line: -1.25 (a day back, a quarter forward) is -0.75.
double LinearFromDate(double date) {
    if (date >= 0)
        return date;
    const double whole = std::ceil(date);
    return whole - (date - whole);
}

double DateFromLinear(double linear) {
    if (linear >= 0)
        return linear;
    const double day = std::floor(linear);
    const double fraction = linear - day;
    return fraction == 0 ? day : day - fraction;
}

// Whole seconds since 1899-12-30 00:00, rounded to the nearest; false outside the valid dates.
// Rounding before splitting into day and time lets 23:59:59.9999 become 00:00:00 of the next day.
bool SecondsFromDate(double date, int64_t& seconds) {
    if (!std::isfinite(date))
        return false;
    const double linear = LinearFromDate(date);
    if (linear < -1e7 || linear > 1e7)
        return false;
    seconds = static_cast<int64_t>(std::floor(linear * kSecondsPerDay + 0.5));
    return seconds >= kFirstValidSecond && seconds <= kLastValidSecond;
}

bool FieldsFromDate(double date, kq::TimeFields& fields) {
    int64_t seconds = 0;
    if (!SecondsFromDate(date, seconds))
        return false;
    const int64_t days = kq::FloorDiv(seconds, kSecondsPerDay) + kDayZero;
    const int64_t secondOfDay = kq::FloorMod(seconds, kSecondsPerDay);
    const kq::CivilDate civil = kq::CivilFromDays(days);
    fields.year = civil.year;
    fields.month = civil.month;
    fields.day = civil.day;
    fields.hour = static_cast<int>(secondOfDay / 3600);
    fields.minute = static_cast<int>(secondOfDay / 60 % 60);
    fields.second = static_cast<int>(secondOfDay % 60);
    fields.dayOfWeek = kq::WeekdayFromDays(days);
    fields.dayOfYear = kq::DayOfYear(civil.year, civil.month, civil.day);
    return true;
}

// Null or invalid operands make the result null or invalid, invalid winning.
template <typename A, typename B>
auto CombinedStatus(const A& a, const B& b) {
    if (a.m_status == A::invalid || b.m_status == B::invalid)
        return A::invalid;
    if (a.m_status == A::null || b.m_status == B::null)
        return A::null;
    return A::valid;
}

template <typename Pick>
int FieldOf(const COleDateTime& date, Pick pick) {
    kq::TimeFields fields{};
    if (date.m_status != COleDateTime::valid || !FieldsFromDate(date.m_dt, fields))
        return -1;
    return static_cast<int>(pick(fields));
}

}  // namespace

// ---- COleDateTimeSpan

COleDateTimeSpan::COleDateTimeSpan(double days)
    : m_span(days), m_status(std::isfinite(days) ? valid : invalid) {}

COleDateTimeSpan::COleDateTimeSpan(LONG days, int hours, int minutes, int seconds) {
    SetDateTimeSpan(days, hours, minutes, seconds);
}

void COleDateTimeSpan::SetDateTimeSpan(LONG days, int hours, int minutes, int seconds) {
    m_span = days + hours / 24.0 + minutes / (24.0 * 60) + seconds / (24.0 * 60 * 60);
    m_status = valid;
}

int64_t COleDateTimeSpan::RoundedSeconds() const {
    if (m_status != valid || !std::isfinite(m_span) || std::fabs(m_span) > 1e12)
        return 0;
    return static_cast<int64_t>(std::llround(m_span * kSecondsPerDay));
}

LONG COleDateTimeSpan::GetDays() const {
    return static_cast<LONG>(RoundedSeconds() / kSecondsPerDay);
}
LONG COleDateTimeSpan::GetHours() const {
    return static_cast<LONG>(RoundedSeconds() / 3600 % 24);
}
LONG COleDateTimeSpan::GetMinutes() const {
    return static_cast<LONG>(RoundedSeconds() / 60 % 60);
}
LONG COleDateTimeSpan::GetSeconds() const {
    return static_cast<LONG>(RoundedSeconds() % 60);
}

CString COleDateTimeSpan::Format(const char* format) const {
    if (m_status != valid)
        return CString();
    return CString(kq::FormatSpanFields(format ? format : "", GetDays(), GetHours(), GetMinutes(),
                                        GetSeconds()));
}

COleDateTimeSpan COleDateTimeSpan::operator+(const COleDateTimeSpan& other) const {
    COleDateTimeSpan result(m_span + other.m_span);
    if (result.m_status == valid)
        result.m_status = CombinedStatus(*this, other);
    return result;
}

COleDateTimeSpan COleDateTimeSpan::operator-() const {
    COleDateTimeSpan result(-m_span);
    result.m_status = m_status;
    return result;
}

bool COleDateTimeSpan::operator==(const COleDateTimeSpan& other) const {
    return m_status == other.m_status && (m_status != valid || m_span == other.m_span);
}

// ---- COleDateTime

COleDateTime COleDateTime::GetCurrentTime() {
    return COleDateTime(static_cast<time_t>(kq::WallSecondsNow()));
}

COleDateTime::COleDateTime(DATE date) {
    *this = date;
}

COleDateTime::COleDateTime(time_t time) {
    std::tm fields{};
    if (!kq::LocalTmFromSeconds(time, fields)) {
        m_status = invalid;
        return;
    }
    SetDateTime(fields.tm_year + 1900, fields.tm_mon + 1, fields.tm_mday, fields.tm_hour,
                fields.tm_min, fields.tm_sec);
}

COleDateTime::COleDateTime(const SYSTEMTIME& time) {
    SetDateTime(time.wYear, time.wMonth, time.wDay, time.wHour, time.wMinute, time.wSecond);
}

COleDateTime::COleDateTime(const CTime& time) : COleDateTime(time.GetTime()) {}

COleDateTime::COleDateTime(int year, int month, int day, int hour, int minute, int second) {
    SetDateTime(year, month, day, hour, minute, second);
}

COleDateTime& COleDateTime::operator=(DATE date) {
    int64_t seconds = 0;
    m_dt = date;
    m_status = SecondsFromDate(date, seconds) ? valid : invalid;
    return *this;
}

int COleDateTime::SetDateTime(int year, int month, int day, int hour, int minute, int second) {
    if (year < 100 || year > 9999 || month < 1 || month > 12 || day < 1 ||
        day > kq::DaysInMonth(year, month) || hour < 0 || hour > 23 || minute < 0 || minute > 59 ||
        second < 0 || second > 59) {
        m_dt = 0;
        m_status = invalid;
        return 1;
    }
    const int64_t days = kq::DaysFromCivil(year, month, day) - kDayZero;
    const int secondOfDay = hour * 3600 + minute * 60 + second;
    m_dt = DateFromLinear(static_cast<double>(days) +
                          static_cast<double>(secondOfDay) / kSecondsPerDay);
    m_status = valid;
    return 0;
}

int COleDateTime::SetDate(int year, int month, int day) {
    return SetDateTime(year, month, day, 0, 0, 0);
}

int COleDateTime::SetTime(int hour, int minute, int second) {
    return SetDateTime(1899, 12, 30, hour, minute, second);
}

int COleDateTime::GetYear() const {
    return FieldOf(*this, [](const kq::TimeFields& f) { return f.year; });
}
int COleDateTime::GetMonth() const {
    return FieldOf(*this, [](const kq::TimeFields& f) { return f.month; });
}
int COleDateTime::GetDay() const {
    return FieldOf(*this, [](const kq::TimeFields& f) { return f.day; });
}
int COleDateTime::GetHour() const {
    return FieldOf(*this, [](const kq::TimeFields& f) { return f.hour; });
}
int COleDateTime::GetMinute() const {
    return FieldOf(*this, [](const kq::TimeFields& f) { return f.minute; });
}
int COleDateTime::GetSecond() const {
    return FieldOf(*this, [](const kq::TimeFields& f) { return f.second; });
}
int COleDateTime::GetDayOfWeek() const {
    return FieldOf(*this, [](const kq::TimeFields& f) { return f.dayOfWeek + 1; });
}
int COleDateTime::GetDayOfYear() const {
    return FieldOf(*this, [](const kq::TimeFields& f) { return f.dayOfYear; });
}

bool COleDateTime::GetAsSystemTime(SYSTEMTIME& time) const {
    kq::TimeFields fields{};
    if (m_status != valid || !FieldsFromDate(m_dt, fields))
        return false;
    time.wYear = static_cast<WORD>(fields.year);
    time.wMonth = static_cast<WORD>(fields.month);
    time.wDayOfWeek = static_cast<WORD>(fields.dayOfWeek);
    time.wDay = static_cast<WORD>(fields.day);
    time.wHour = static_cast<WORD>(fields.hour);
    time.wMinute = static_cast<WORD>(fields.minute);
    time.wSecond = static_cast<WORD>(fields.second);
    time.wMilliseconds = 0;
    return true;
}

CString COleDateTime::Format(const char* format) const {
    if (m_status == null)
        return CString();
    kq::TimeFields fields{};
    if (m_status != valid || !FieldsFromDate(m_dt, fields))
        return CString("Invalid DateTime");
    return CString(kq::FormatTimeFields(format ? format : "", fields));
}

CString COleDateTime::Format() const {
    if (m_status == null)
        return CString();
    int64_t seconds = 0;
    if (m_status != valid || !SecondsFromDate(m_dt, seconds))
        return CString("Invalid DateTime");
    const bool hasDate = kq::FloorDiv(seconds, kSecondsPerDay) != 0;
    const bool hasTime = kq::FloorMod(seconds, kSecondsPerDay) != 0 || !hasDate;
    std::string text;
    if (hasDate)
        text = Format("%#m/%#d/%Y").Str();
    if (hasTime) {
        if (!text.empty())
            text += ' ';
        text += Format("%#I:%M:%S %p").Str();
    }
    return CString(std::move(text));
}

COleDateTime COleDateTime::operator+(const COleDateTimeSpan& span) const {
    COleDateTime result(DateFromLinear(LinearFromDate(m_dt) + span.m_span));
    if (result.m_status == valid)
        result.m_status = CombinedStatus(*this, span);
    return result;
}

COleDateTime COleDateTime::operator-(const COleDateTimeSpan& span) const {
    COleDateTime result(DateFromLinear(LinearFromDate(m_dt) - span.m_span));
    if (result.m_status == valid)
        result.m_status = CombinedStatus(*this, span);
    return result;
}

COleDateTimeSpan COleDateTime::operator-(const COleDateTime& other) const {
    COleDateTimeSpan result(LinearFromDate(m_dt) - LinearFromDate(other.m_dt));
    if (result.m_status == COleDateTimeSpan::valid) {
        const DateTimeStatus status = CombinedStatus(*this, other);
        result.m_status = static_cast<COleDateTimeSpan::DateTimeSpanStatus>(status);
    }
    return result;
}

bool COleDateTime::operator==(const COleDateTime& other) const {
    return m_status == other.m_status &&
           (m_status != valid || LinearFromDate(m_dt) == LinearFromDate(other.m_dt));
}

bool COleDateTime::operator<(const COleDateTime& other) const {
    return LinearFromDate(m_dt) < LinearFromDate(other.m_dt);
}
