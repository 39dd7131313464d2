#include "foundation/DateTimeText.h"

#include <gtest/gtest.h>

#include "base/ScopedTimeZone.h"
#include "platform/base/Clock.h"

namespace {

// 2024-01-01 12:00:00 UTC is a Monday: the virtual clock's default start.
class DateTimeTextTest : public ::testing::Test {
  protected:
    ScopedTimeZone zone_{"UTC"};
    kq::ScopedVirtualClock clock_;
};

}  // namespace

TEST_F(DateTimeTextTest, DateAndTimeTextsPerLanguage) {
    clock_->AdvanceNanos(5'000'000'000LL);
    CDateTimeText german(0, 1000, 2000, 3000, 0);
    german.Update();
    EXPECT_EQ(german.GetDateText(), "01.01.2024");
    EXPECT_EQ(german.GetTimeText(), "12:00:05");
    CDateTimeText english(0, 1000, 2000, 3000, 1000, true, false);
    english.Update();
    EXPECT_EQ(english.GetDateText(), "Monday 01/01/2024");
    EXPECT_EQ(english.GetTimeText(), "12:00");
    EXPECT_EQ(CDateTimeText::FormatCurrentTime(4000), "12:00:05");
}

TEST_F(DateTimeTextTest, WeekdayNamesAndTheRevisedFrenchOffset) {
    const CTime monday = CTime::GetCurrentTime();
    EXPECT_EQ(CDateTimeText(0, 1000, 2000, 3000, 0).GetWeekdayName(monday), "Montag");
    EXPECT_EQ(CDateTimeText(0, 1000, 2000, 3000, 2000).GetWeekdayName(monday), "lundi");
    EXPECT_EQ(CDateTimeText(0, 1000, 2000, 3000, 4000).GetWeekdayName(monday), "lundi");
    EXPECT_EQ(CDateTimeText(0, 1000, 2000, 3000, 3000).GetWeekdayName(monday), "lunes");
    EXPECT_EQ(CDateTimeText(0, 1000, 2000, 3000, 7000).GetWeekdayName(monday), "F:WDAY987");
    EXPECT_EQ(
        CDateTimeText(0, 1000, 2000, 3000, 1000).GetWeekdayName(monday + CTimeSpan(6, 0, 0, 0)),
        "Sunday");
}
