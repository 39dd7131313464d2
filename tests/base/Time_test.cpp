#include "platform/base/Time.h"

#include <gtest/gtest.h>

#include <ctime>

#include "base/ScopedTimeZone.h"
#include "platform/base/Clock.h"

TEST(CTime, SixtyFourBitSecondsBeyond2038) {
    ScopedTimeZone zone("UTC0");
    const CTime last32(2038, 1, 19, 3, 14, 7);
    EXPECT_EQ(last32.GetTime(), 2147483647);
    const CTime first64 = last32 + CTimeSpan(1);
    EXPECT_EQ(first64.GetTime(), 2147483648LL);
    EXPECT_EQ(first64.Format("%Y-%m-%d %H:%M:%S"), "2038-01-19 03:14:08");
    EXPECT_EQ(first64.GetDayOfWeek(), 3);  // Tuesday
    EXPECT_EQ(CTime(2100, 3, 1, 0, 0, 0).GetTime(), 4107542400LL);
    EXPECT_EQ(CTime(3000, 12, 31, 23, 59, 59).GetYear(), 3000);
    EXPECT_EQ(CTime(1969, 12, 31, 23, 59, 59).GetTime(), -1);
    EXPECT_EQ(CTime(1950, 6, 1, 0, 0, 0).GetYear(), 1950);
}

TEST(CTime, LocalFieldsFollowTheZoneAndItsSummerTime) {
    ScopedTimeZone zone(kCentralEurope);
    const CTime summer(2024, 7, 1, 12, 0, 0);
    EXPECT_EQ(summer.GetTime(), 1719828000);  // 10:00 UTC
    EXPECT_EQ(summer.GetHour(), 12);
    EXPECT_EQ(summer.FormatGmt("%H:%M"), "10:00");
    const CTime winter(2024, 1, 15, 12, 0, 0);
    EXPECT_EQ(winter.FormatGmt("%H:%M"), "11:00");
    EXPECT_EQ((summer - winter).GetDays(), 167);
    EXPECT_EQ((summer - winter).GetHours(), 23);  // one hour lost to summer time

    std::tm local{};
    ASSERT_NE(summer.GetLocalTm(&local), nullptr);
    EXPECT_EQ(local.tm_isdst, 1);
    SYSTEMTIME st{};
    ASSERT_TRUE(summer.GetAsSystemTime(st));
    EXPECT_EQ(st.wHour, 12);
    EXPECT_EQ(st.wDayOfWeek, 1);
    EXPECT_EQ(CTime(st).GetTime(), summer.GetTime());
}

TEST(CTime, OutOfRangeFieldsAndRollOver) {
    ScopedTimeZone zone("UTC0");
    EXPECT_EQ(CTime(2024, 13, 1, 0, 0, 0).GetTime(), -1);
    EXPECT_EQ(CTime(2024, 1, 1, 24, 0, 0).GetTime(), -1);
    EXPECT_EQ(CTime(1899, 1, 1, 0, 0, 0).GetTime(), -1);
    EXPECT_EQ(CTime(2023, 2, 31, 0, 0, 0).Format("%Y-%m-%d"), "2023-03-03");
    EXPECT_EQ(CTime(2024, 2, 29, 0, 0, 0).Format("%Y-%m-%d %j"), "2024-02-29 060");
}

TEST(CTime, FormatMatchesTheCLibraryForEveryCode) {
    ScopedTimeZone zone("UTC0");
    const char* const codes[] = {"%a", "%A", "%b", "%B", "%d", "%H", "%I", "%j", "%m",
                                 "%M", "%p", "%S", "%U", "%w", "%W", "%y", "%Y", "%%"};
    // Every 37 hours over eleven years, crossing leap days and week-number edges.
    for (time_t t = 946684800; t < 1293840000; t += 37 * 3600 + 59) {
        std::tm fields{};
        gmtime_r(&t, &fields);
        for (const char* code : codes) {
            char expected[64];
            strftime(expected, sizeof expected, code, &fields);
            ASSERT_EQ(CTime(t).FormatGmt(code), expected) << code << " at " << t;
        }
    }
    const CTime t(2024, 3, 5, 14, 7, 9);
    EXPECT_EQ(t.Format("%c"), "03/05/24 14:07:09");
    EXPECT_EQ(t.Format("%#c"), "Tuesday, March 5, 2024, 14:07:09");
    EXPECT_EQ(t.Format("%#H:%#M %#j"), "14:7 65");
    EXPECT_EQ(t.Format("%"), "%");
}

TEST(CTime, CurrentTimeComesFromTheClock) {
    ScopedTimeZone zone("UTC0");
    kq::ScopedVirtualClock clock;
    EXPECT_EQ(CTime::GetCurrentTime().GetTime(), 1704110400);
    clock->AdvanceMillis(1999);
    EXPECT_EQ(CTime::GetCurrentTime().GetTime(), 1704110401);
    clock->SetWallNanos(-1500000000LL);
    EXPECT_EQ(CTime::GetCurrentTime().GetTime(), -2);
}

TEST(CTime, AChangedZoneTakesEffectWithoutTheCallerReloadingIt) {
    ScopedTimeZone zone("UTC0");
    const CTime noon(static_cast<time_t>(1704110400));  // 2024-01-01 12:00 UTC
    EXPECT_EQ(noon.GetHour(), 12);
    EXPECT_EQ(noon.GetHour(), 12);  // the zone stays loaded
    setenv("TZ", "EST5", 1);        // no tzset: the conversions notice the change themselves
    EXPECT_EQ(noon.GetHour(), 7);
    EXPECT_EQ(CTime(2024, 1, 1, 7, 0, 0).GetTime(), noon.GetTime());
    setenv("TZ", "UTC0", 1);
    EXPECT_EQ(noon.Format("%H"), "12");
}

TEST(CTimeSpan, PartsAndFormat) {
    const CTimeSpan span(1, 25, 61, 59);  // out-of-range parts carry over
    EXPECT_EQ(span.GetDays(), 2);
    EXPECT_EQ(span.GetHours(), 2);
    EXPECT_EQ(span.GetMinutes(), 1);
    EXPECT_EQ(span.GetSeconds(), 59);
    EXPECT_EQ(span.GetTotalHours(), 50);
    EXPECT_EQ(span.GetTotalSeconds(), 180119);
    EXPECT_EQ(span.Format("%D:%H:%M:%S %%"), "2:02:01:59 %");
    EXPECT_EQ(CTimeSpan(100LL * 365 * 86400).GetDays(), 36500);

    CTime t(1000);
    t -= CTimeSpan(0, 0, 10, 0);
    EXPECT_EQ(t.GetTime(), 400);
    EXPECT_TRUE(CTime(5) < CTime(6));
    EXPECT_TRUE(CTimeSpan(-5) < CTimeSpan(0));
    EXPECT_EQ((CTime(10) - CTime(70)).GetTotalSeconds(), -60);
}
