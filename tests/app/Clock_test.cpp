// The clock panes keep going without other traffic, and the date pane follows the day and the
// language.
#include <gtest/gtest.h>

#include <ctime>

#include "AppTest.h"
#include "foundation/Language.h"

namespace apptest {
namespace {

class Clock : public AppTest {
  protected:
    // Sets the wall clock to a local time.
    void SetLocalTime(int year, int month, int day, int hour, int minute, int second) {
        std::tm local{};
        local.tm_year = year - 1900;
        local.tm_mon = month - 1;
        local.tm_mday = day;
        local.tm_hour = hour;
        local.tm_min = minute;
        local.tm_sec = second;
        local.tm_isdst = -1;
        clock_->SetWallNanos(static_cast<int64_t>(std::mktime(&local)) * 1000000000);
    }
};

TEST_F(Clock, TheTimePaneMovesOnAndTheDateFollowsTheDayAndTheLanguage) {
    SetLocalTime(2026, 3, 1, 23, 58, 30);
    PrepareStore();
    CMainFrame* frame = StartAndComplete();
    ASSERT_NE(frame, nullptr);
    // Today from the first moment, not the panes' sample texts.
    EXPECT_EQ(PaneText(1), " Sonntag ");
    EXPECT_EQ(PaneText(2), " 01.03.2026 ");
    frame->ShowWindow(SW_SHOWNORMAL);  // the panes refresh while the frame shows
    Run(1500);
    EXPECT_EQ(PaneText(3), " 23:58 Uhr");
    EXPECT_EQ(PaneText(2), " 01.03.2026 ");
    EXPECT_EQ(PaneText(1), " Sonntag ");
    Run(61000);
    EXPECT_EQ(PaneText(3), " 23:59 Uhr");
    SetLocalTime(2026, 3, 2, 0, 0, 7);
    Run(1100);
    EXPECT_EQ(PaneText(2), " 02.03.2026 ");
    EXPECT_EQ(PaneText(1), " Montag ");
    EXPECT_EQ(PaneText(3), " 00:00 Uhr");
    frame->SwitchLanguage(LANGUAGE_ENGLISH);
    Run(200);
    EXPECT_EQ(PaneText(2), " 03/02/2026 ");
    EXPECT_EQ(PaneText(3), " 12:00 AM");
}

}  // namespace
}  // namespace apptest
