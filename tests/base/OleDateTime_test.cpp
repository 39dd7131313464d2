#include "platform/base/OleDateTime.h"

#include <gtest/gtest.h>

#include <cmath>

#include "base/ScopedTimeZone.h"
#include "platform/base/CivilDate.h"
#include "platform/base/Clock.h"

namespace {

CString Iso(const COleDateTime& t) {
    return t.Format("%Y-%m-%d %H:%M:%S");
}

}  // namespace

TEST(COleDateTime, DayZeroAndBothSidesOfIt) {
    EXPECT_EQ(COleDateTime(1899, 12, 30, 0, 0, 0).m_dt, 0.0);
    EXPECT_EQ(COleDateTime(1899, 12, 31, 18, 0, 0).m_dt, 1.75);
    EXPECT_EQ(COleDateTime(1900, 1, 1, 0, 0, 0).m_dt, 2.0);
    // Before day 0 the fraction counts forward from the (negative) day.
    EXPECT_EQ(COleDateTime(1899, 12, 29, 6, 0, 0).m_dt, -1.25);
    EXPECT_EQ(COleDateTime(1899, 12, 28, 18, 0, 0).m_dt, -2.75);
    EXPECT_EQ(COleDateTime(1899, 12, 29, 0, 0, 0).m_dt, -1.0);

    EXPECT_EQ(Iso(COleDateTime(-1.25)), "1899-12-29 06:00:00");
    EXPECT_EQ(Iso(COleDateTime(-2.75)), "1899-12-28 18:00:00");
    EXPECT_EQ(Iso(COleDateTime(1.75)), "1899-12-31 18:00:00");
    // -0.5 and 0.5 are the same moment: noon of day 0.
    EXPECT_EQ(Iso(COleDateTime(-0.5)), "1899-12-30 12:00:00");
    EXPECT_TRUE(COleDateTime(-0.5) == COleDateTime(0.5));
    // -1.25 lies after -1.0 in time, although it is the smaller number.
    EXPECT_TRUE(COleDateTime(-1.25) > COleDateTime(-1.0));
    EXPECT_TRUE(COleDateTime(-1.75) > COleDateTime(-1.25));
}

TEST(COleDateTime, ArithmeticAcrossDayZero) {
    const COleDateTime evening(1899, 12, 29, 18, 0, 0);
    const COleDateTime morning = evening + COleDateTimeSpan(0, 12, 0, 0);
    EXPECT_EQ(Iso(morning), "1899-12-30 06:00:00");
    EXPECT_DOUBLE_EQ(morning.m_dt, 0.25);
    EXPECT_DOUBLE_EQ((morning - evening).GetTotalHours(), 12.0);
    EXPECT_EQ(Iso(morning - COleDateTimeSpan(1, 0, 0, 0)), "1899-12-29 06:00:00");
    EXPECT_DOUBLE_EQ((morning - COleDateTimeSpan(1, 0, 0, 0)).m_dt, -1.25);

    COleDateTime t(2024, 2, 28, 23, 0, 0);
    t += COleDateTimeSpan(0, 2, 0, 0);
    EXPECT_EQ(Iso(t), "2024-02-29 01:00:00");
}

TEST(COleDateTime, LeapYears) {
    COleDateTime t;
    EXPECT_EQ(t.SetDate(1900, 2, 29), 1);  // 1900 is not a leap year
    EXPECT_EQ(t.GetStatus(), COleDateTime::invalid);
    EXPECT_EQ(t.SetDate(1900, 3, 1), 0);
    EXPECT_EQ(t.m_dt, 61.0);
    EXPECT_EQ(t.SetDate(2000, 2, 29), 0);
    EXPECT_EQ(t.GetStatus(), COleDateTime::valid);
    EXPECT_EQ(t.SetDate(2024, 2, 29), 0);
    EXPECT_EQ(t.GetDayOfWeek(), 5);  // Thursday
    EXPECT_EQ(t.GetDayOfYear(), 60);
    EXPECT_EQ(t.SetDate(2023, 2, 29), 1);
    EXPECT_EQ(t.SetDate(2100, 2, 29), 1);
    EXPECT_EQ(COleDateTime(2024, 12, 31, 0, 0, 0).GetDayOfYear(), 366);
    EXPECT_EQ(COleDateTime(2023, 12, 31, 0, 0, 0).GetDayOfYear(), 365);
    EXPECT_EQ(COleDateTime(2024, 1, 1, 0, 0, 0).m_dt, 45292.0);
    EXPECT_EQ(COleDateTime(1899, 12, 30, 0, 0, 0).GetDayOfWeek(), 7);  // Saturday
    EXPECT_EQ(COleDateTime(2038, 1, 19, 3, 14, 8).GetDayOfWeek(), 3);
    EXPECT_EQ(Iso(COleDateTime(2038, 1, 19, 3, 14, 8) + COleDateTimeSpan(365, 0, 0, 0)),
              "2039-01-19 03:14:08");
}

TEST(COleDateTime, RoundingCarriesIntoTheNextDayInsteadOfHour24) {
    const COleDateTime late(45292 + 0.99999999);
    EXPECT_EQ(late.GetStatus(), COleDateTime::valid);
    EXPECT_EQ(Iso(late), "2024-01-02 00:00:00");
    EXPECT_EQ(late.GetHour(), 0);
    SYSTEMTIME st{};
    ASSERT_TRUE(late.GetAsSystemTime(st));
    EXPECT_EQ(st.wDay, 2);
    EXPECT_EQ(st.wHour, 0);
    // The same on the negative side: the end of 1899-12-29 is the start of day 0.
    EXPECT_EQ(Iso(COleDateTime(-1.99999999)), "1899-12-30 00:00:00");
    EXPECT_EQ(Iso(COleDateTime(45292 + 13.0 / 24 + 0.4 / 86400)), "2024-01-01 13:00:00");
    EXPECT_EQ(Iso(COleDateTime(45292 + 13.0 / 24 + 0.6 / 86400)), "2024-01-01 13:00:01");
}

TEST(COleDateTime, InvalidAndNullValues) {
    COleDateTime t;
    EXPECT_EQ(t.SetDateTime(2024, 13, 1, 0, 0, 0), 1);
    EXPECT_EQ(t.GetStatus(), COleDateTime::invalid);
    EXPECT_EQ(t.GetYear(), -1);
    EXPECT_EQ(t.GetDayOfWeek(), -1);
    EXPECT_EQ(t.Format("%Y"), "Invalid DateTime");
    EXPECT_EQ(t.SetDateTime(2024, 1, 1, 24, 0, 0), 1);
    EXPECT_EQ(t.SetDateTime(2024, 1, 1, 0, 60, 0), 1);
    EXPECT_EQ(t.SetDateTime(2024, 4, 31, 0, 0, 0), 1);
    EXPECT_EQ(t.SetDateTime(99, 12, 31, 0, 0, 0), 1);
    EXPECT_EQ(t.SetDateTime(10000, 1, 1, 0, 0, 0), 1);
    EXPECT_EQ(t.SetTime(23, 59, 59), 0);
    EXPECT_EQ(t.GetStatus(), COleDateTime::valid);
    EXPECT_EQ(Iso(t), "1899-12-30 23:59:59");

    EXPECT_EQ(COleDateTime(-657434.0).GetYear(), 100);
    EXPECT_EQ(COleDateTime(-657435.0).GetStatus(), COleDateTime::invalid);
    EXPECT_EQ(Iso(COleDateTime(2958465.99998)), "9999-12-31 23:59:58");
    EXPECT_EQ(COleDateTime(2958466.0).GetStatus(), COleDateTime::invalid);
    EXPECT_EQ(COleDateTime(1e300).GetStatus(), COleDateTime::invalid);
    EXPECT_EQ(COleDateTime(std::nan("")).GetStatus(), COleDateTime::invalid);

    COleDateTime null;
    null.SetStatus(COleDateTime::null);
    EXPECT_EQ(null.Format("%Y"), "");
    EXPECT_EQ((null + COleDateTimeSpan(1.0)).GetStatus(), COleDateTime::null);
    EXPECT_EQ((COleDateTime(2958465.0) + COleDateTimeSpan(2.0)).GetStatus(), COleDateTime::invalid);
}

TEST(COleDateTime, FormatCodesInEnglish) {
    const COleDateTime t(2024, 3, 5, 14, 7, 9);
    EXPECT_EQ(t.Format("%a %A %b %B %d %H %I %j %m %M %p %S %y %Y %w %%"),
              "Tue Tuesday Mar March 05 14 02 065 03 07 PM 09 24 2024 2 %");
    EXPECT_EQ(t.Format("%c|%x|%X"), "03/05/24 14:07:09|03/05/24|14:07:09");
    EXPECT_EQ(t.Format("%#d.%#m. %#x"), "5.3. Tuesday, March 5, 2024");
    EXPECT_EQ(t.Format("%U %W"), "09 10");
    // Formats come from user input: unknown codes and a trailing percent stay as typed.
    EXPECT_EQ(t.Format("%Q %5 100%"), "%Q %5 100%");
    EXPECT_EQ(t.Format("\n%H:%M\n"), "\n14:07\n");
    EXPECT_EQ(COleDateTime(2024, 3, 5, 0, 30, 0).Format("%I %p"), "12 AM");

    EXPECT_EQ(t.Format(), "3/5/2024 2:07:09 PM");
    EXPECT_EQ(COleDateTime(2024, 3, 5, 0, 0, 0).Format(), "3/5/2024");
    EXPECT_EQ(COleDateTime(0.0).Format(), "12:00:00 AM");
    EXPECT_EQ(COleDateTime(0.75).Format(), "6:00:00 PM");
}

TEST(COleDateTime, SystemTimeCTimeAndCurrentTime) {
    ScopedTimeZone zone(kCentralEurope);
    SYSTEMTIME st{};
    ASSERT_TRUE(COleDateTime(2024, 7, 1, 8, 30, 15).GetAsSystemTime(st));
    EXPECT_EQ(st.wYear, 2024);
    EXPECT_EQ(st.wMonth, 7);
    EXPECT_EQ(st.wDay, 1);
    EXPECT_EQ(st.wDayOfWeek, 1);
    EXPECT_EQ(st.wHour, 8);
    EXPECT_EQ(st.wSecond, 15);
    EXPECT_TRUE(COleDateTime(st) == COleDateTime(2024, 7, 1, 8, 30, 15));

    // CTime counts UTC seconds; COleDateTime holds the local wall time (summer time, +2 h).
    const CTime utcMorning(time_t{1719822615});  // 2024-07-01 08:30:15 UTC
    EXPECT_EQ(Iso(COleDateTime(utcMorning)), "2024-07-01 10:30:15");

    kq::ScopedVirtualClock clock;
    clock->SetWallNanos(1704110400LL * 1000000000 + 999000000);
    EXPECT_EQ(Iso(COleDateTime::GetCurrentTime()), "2024-01-01 13:00:00");
}

TEST(COleDateTimeSpan, PartsTotalsAndFormat) {
    const COleDateTimeSpan span(1, 2, 3, 4);
    EXPECT_EQ(span.GetDays(), 1);
    EXPECT_EQ(span.GetHours(), 2);
    EXPECT_EQ(span.GetMinutes(), 3);
    EXPECT_EQ(span.GetSeconds(), 4);
    EXPECT_NEAR(span.GetTotalHours(), 26.0 + 3.0 / 60 + 4.0 / 3600, 1e-9);
    EXPECT_NEAR(span.GetTotalSeconds(), 93784.0, 1e-6);
    EXPECT_EQ(span.Format("%D days %H:%M:%S %%"), "1 days 02:03:04 %");

    const COleDateTimeSpan negative = -span;
    EXPECT_EQ(negative.GetDays(), -1);
    EXPECT_EQ(negative.GetHours(), -2);
    EXPECT_EQ(negative.GetSeconds(), -4);
    EXPECT_DOUBLE_EQ(COleDateTimeSpan(0, 0, 0, 3600).GetTotalDays(), 1.0 / 24);
    EXPECT_EQ(COleDateTimeSpan(0.49999 / 86400).GetSeconds(), 0);
    EXPECT_TRUE(COleDateTimeSpan(1.0) + COleDateTimeSpan(0.5) == COleDateTimeSpan(1.5));
    EXPECT_TRUE(COleDateTimeSpan(1.0) < COleDateTimeSpan(1.5));
}

TEST(CivilDate, RoundTripsEveryDayOverFourCenturies) {
    int64_t days = kq::DaysFromCivil(1800, 1, 1);
    for (int64_t year = 1800; year < 2200; ++year) {
        for (int month = 1; month <= 12; ++month) {
            for (int day = 1; day <= kq::DaysInMonth(year, month); ++day, ++days) {
                ASSERT_EQ(kq::DaysFromCivil(year, month, day), days);
                const kq::CivilDate civil = kq::CivilFromDays(days);
                ASSERT_EQ(civil.year, year);
                ASSERT_EQ(civil.month, month);
                ASSERT_EQ(civil.day, day);
            }
        }
    }
    EXPECT_EQ(kq::DaysFromCivil(1899, 12, 30), -25569);
    EXPECT_EQ(kq::DaysFromCivil(100, 1, 1) - kq::DaysFromCivil(1899, 12, 30), -657434);
    EXPECT_EQ(kq::DaysFromCivil(10000, 1, 1) - kq::DaysFromCivil(1899, 12, 30), 2958466);
}
