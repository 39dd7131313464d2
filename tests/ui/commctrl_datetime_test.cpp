#include <string>

#include "platform/ui/commctrl/ControlLanguage.h"
#include "platform/ui/commctrl/MonthCalendarPopup.h"
#include "platform/ui/commctrl/detail/ControlCommon.h"
#include "ui/commctrl_value_fixture.h"

namespace kq::ui::test {
namespace {

using Codes = std::vector<UINT>;

SYSTEMTIME Date(int y, int m, int d, int h = 12, int mi = 0, int s = 0) {
    SYSTEMTIME t{};
    t.wYear = static_cast<WORD>(y);
    t.wMonth = static_cast<WORD>(m);
    t.wDay = static_cast<WORD>(d);
    t.wHour = static_cast<WORD>(h);
    t.wMinute = static_cast<WORD>(mi);
    t.wSecond = static_cast<WORD>(s);
    return t;
}

class DateTimeTest : public ControlsBTest {
  protected:
    void SetUp() override {
        ControlsBTest::SetUp();
        SetControlLanguage(ControlLanguage::German);
    }
    void TearDown() override {
        SetControlLanguage(ControlLanguage::English);
        ControlsBTest::TearDown();
    }
    HWND Make(DWORD style, const SYSTEMTIME& t) {
        HWND dtp = Create(DATETIMEPICK_CLASS, style, {10, 10, 210, 32});
        EXPECT_TRUE(SendMessage(dtp, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&t)));
        SetFocus(dtp);
        Pump();
        ClearEvents();
        return dtp;
    }
    static std::string Text(HWND hwnd) {
        char buffer[80] = {};
        GetWindowText(hwnd, buffer, sizeof buffer);
        return buffer;
    }
    static SYSTEMTIME Get(HWND dtp) {
        SYSTEMTIME t{};
        EXPECT_EQ(SendMessage(dtp, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&t)), 0);
        return t;
    }
    int Changes() const {
        int n = 0;
        for (UINT code : notifications_)
            n += code == DTN_DATETIMECHANGE;
        return n;
    }
};

TEST_F(DateTimeTest, MonthAndYearChangesKeepTheDayInsideTheMonth) {
    HWND dtp = Make(0, Date(2024, 1, 31));
    EXPECT_EQ(Text(dtp), "31.01.2024");
    KeyPress(VK_RIGHT);  // month
    KeyPress(VK_UP);
    EXPECT_EQ(Text(dtp), "29.02.2024");
    KeyPress(VK_RIGHT);  // year
    KeyPress(VK_UP);
    EXPECT_EQ(Text(dtp), "28.02.2025");
    KeyPress(VK_DOWN);
    EXPECT_EQ(Text(dtp), "28.02.2024");  // a shortened day stays shortened
    EXPECT_EQ(Changes(), 3);
    const SYSTEMTIME t = Get(dtp);
    EXPECT_EQ(t.wDayOfWeek, 3);  // 28 February 2024 was a Wednesday
    EXPECT_EQ(t.wHour, 12);      // the time of day is kept

    KeyPress(VK_LEFT);
    KeyPress(VK_LEFT);  // day
    KeyPress(VK_UP);
    KeyPress(VK_UP);
    EXPECT_EQ(Text(dtp), "01.02.2024");  // the day wraps inside its month
    KeyPress(VK_END);
    EXPECT_EQ(Text(dtp), "29.02.2024");
    KeyPress(VK_LEFT);  // already the first field
    KeyPress(VK_HOME);
    EXPECT_EQ(Text(dtp), "01.02.2024");
}

TEST_F(DateTimeTest, TypedDigitsAreValidatedAgainstTheMonth) {
    HWND dtp = Make(0, Date(2023, 4, 15));
    Type("31");
    EXPECT_EQ(Text(dtp), "30.04.2023");  // April has 30 days
    Type("0");
    EXPECT_EQ(Text(dtp), "0.04.2023");  // being typed
    Type("0");
    EXPECT_EQ(Text(dtp), "30.04.2023");  // day 0 does not exist: nothing changes
    Type("4");                           // no day starts with 4 and a second digit
    EXPECT_EQ(Text(dtp), "04.04.2023");
    Type(".");  // the separator moves on to the month
    Type("2");
    KeyPress(VK_RIGHT);  // leaving the field takes the digit
    EXPECT_EQ(Text(dtp), "04.02.2023");
    Type("24");  // two digits in the year: 2024
    KeyPress(VK_LEFT);
    EXPECT_EQ(Text(dtp), "04.02.2024");
    KeyPress(VK_LEFT);
    Type("29");
    EXPECT_EQ(Text(dtp), "29.02.2024");
    KeyPress(VK_RIGHT);
    KeyPress(VK_RIGHT);
    Type("2023");
    EXPECT_EQ(Text(dtp), "28.02.2023");
    Type("1500");  // before the calendar's first year: refused
    EXPECT_EQ(Text(dtp), "28.02.2023");
    EXPECT_EQ(Changes(), 6);
}

TEST_F(DateTimeTest, TimeFieldsWrapInsideThemselves) {
    SetControlLanguage(ControlLanguage::English);
    HWND dtp = Make(DTS_TIMEFORMAT, Date(2024, 3, 10, 23, 59, 58));
    EXPECT_EQ(Text(dtp), "11:59:58 PM");
    KeyPress(VK_END);  // the hour field: its last value
    KeyPress(VK_RIGHT);
    KeyPress(VK_RIGHT);
    KeyPress(VK_UP);
    KeyPress(VK_UP);
    EXPECT_EQ(Text(dtp), "11:59:00 PM");  // the minute is left alone
    KeyPress(VK_RIGHT);
    Type("a");
    EXPECT_EQ(Text(dtp), "11:59:00 AM");
    KeyPress(VK_HOME);
    KeyPress(VK_LEFT);
    KeyPress(VK_LEFT);
    KeyPress(VK_LEFT);
    Type("12");
    EXPECT_EQ(Text(dtp), "12:59:00 AM");
    EXPECT_EQ(Get(dtp).wHour, 0);
    EXPECT_EQ(Get(dtp).wDay, 10);
}

TEST_F(DateTimeTest, MessagesSetFormatRangeAndRefuseInvalidTimes) {
    HWND dtp = Make(DTS_LONGDATEFORMAT, Date(2024, 2, 29));
    EXPECT_EQ(Text(dtp), "Donnerstag, 29. Februar 2024");
    SYSTEMTIME bad = Date(2023, 2, 29);
    EXPECT_FALSE(SendMessage(dtp, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&bad)));
    EXPECT_EQ(Get(dtp).wYear, 2024);
    EXPECT_TRUE(SendMessage(dtp, DTM_SETFORMAT, 0, reinterpret_cast<LPARAM>("'am' d. MMMM ''yy")));
    EXPECT_EQ(Text(dtp), "am 29. Februar '24");
    KeyPress(VK_RIGHT);
    Type("m");  // the next month starting with M
    EXPECT_EQ(Text(dtp), "am 29. M\xC3\xA4rz '24");
    Type("m");
    EXPECT_EQ(Text(dtp), "am 29. Mai '24");

    SYSTEMTIME range[2] = {Date(2024, 5, 1, 0, 0, 0), Date(2024, 6, 15, 0, 0, 0)};
    SendMessage(dtp, DTM_SETRANGE, GDTR_MIN | GDTR_MAX, reinterpret_cast<LPARAM>(range));
    SYSTEMTIME back[2] = {};
    EXPECT_EQ(SendMessage(dtp, DTM_GETRANGE, 0, reinterpret_cast<LPARAM>(back)),
              GDTR_MIN | GDTR_MAX);
    EXPECT_EQ(back[1].wDay, 15);
    KeyPress(VK_UP);  // June 29 lies past the end
    EXPECT_EQ(Text(dtp), "am 15. Juni '24");
    EXPECT_TRUE(SendMessage(dtp, DTM_SETFORMAT, 0, 0));
    EXPECT_EQ(Text(dtp), "Samstag, 15. Juni 2024");
}

TEST_F(DateTimeTest, TheDefaultFormatFollowsALanguageSwitchAndAnOwnFormatStays) {
    SetControlLanguage(ControlLanguage::English);
    HWND date = Make(DTS_SHORTDATEFORMAT, Date(2024, 2, 29));
    HWND own = Make(DTS_SHORTDATEFORMAT, Date(2024, 2, 29));
    SendMessage(own, DTM_SETFORMAT, 0, reinterpret_cast<LPARAM>("yyyy-MM-dd"));
    const std::string english = Text(date);
    SetControlLanguage(ControlLanguage::German);
    EXPECT_EQ(Text(date), "29.02.2024");
    EXPECT_EQ(Text(own), "2024-02-29");
    SetControlLanguage(ControlLanguage::English);
    EXPECT_EQ(Text(date), english);
}

TEST_F(DateTimeTest, MouseSelectsFieldsAndArrowsStepThem) {
    HWND dtp = Make(DTS_UPDOWN, Date(2024, 12, 31));
    RECT rc{};
    GetClientRect(dtp, &rc);
    // The year is the last field; a click in its middle selects it.
    const int yearX = 2 + commctrl::TextWidth(commctrl::DefaultControlFont(), "31.12.20");
    Click(OnScreen(dtp, yearX, rc.bottom / 2));
    Click(OnScreen(dtp, rc.right - 3, 3));  // the up arrow
    EXPECT_EQ(Text(dtp), "31.12.2025");
    Click(OnScreen(dtp, rc.right - 3, rc.bottom - 3));
    Click(OnScreen(dtp, rc.right - 3, rc.bottom - 3));
    EXPECT_EQ(Text(dtp), "31.12.2023");
    EXPECT_EQ(Changes(), 3);

    Rendered pic(dtp);
    const RECT year{yearX - 2, 0, yearX + 2, rc.bottom};
    EXPECT_GT(pic.Count(year, GetSysColor(COLOR_HIGHLIGHT)), 0);  // the selected field
    SetFocus(nullptr);
    Pump();
    Rendered unfocused(dtp);
    EXPECT_EQ(unfocused.Count(year, GetSysColor(COLOR_HIGHLIGHT)), 0);
}

TEST_F(DateTimeTest, CalendarDropsDownAndChoosesADay) {
    HWND dtp = Make(0, Date(2024, 2, 10, 8, 30));
    RECT rc{};
    GetClientRect(dtp, &rc);
    Click(OnScreen(dtp, rc.right - 3, rc.bottom / 2));
    HWND popup = GetCapture();
    ASSERT_NE(popup, nullptr);
    EXPECT_TRUE(IsWindowVisible(popup));
    EXPECT_EQ(GetFocus(), dtp);  // the keys still go to the picker, which hands them on
    auto* calendar = static_cast<commctrl::MonthCalendarPopup*>(commctrl::StateOf(popup));
    // German weeks start on Monday: February 2024 starts on a Thursday, in column 3.
    const RECT twentyNinth = calendar->DayCell(4, 3);
    Rendered pic(popup);
    EXPECT_GT(pic.Count(calendar->DayCell(1, 5), GetSysColor(COLOR_HIGHLIGHT)), 0);  // the 10th
    EXPECT_EQ(pic.Count(calendar->DayCell(0, 3), GetSysColor(COLOR_HIGHLIGHT)), 0);
    Click(OnScreen(popup, (twentyNinth.left + twentyNinth.right) / 2,
                   (twentyNinth.top + twentyNinth.bottom) / 2));
    EXPECT_FALSE(IsWindow(popup));
    EXPECT_EQ(Text(dtp), "29.02.2024");
    EXPECT_EQ(Get(dtp).wHour, 8);
    EXPECT_EQ(notifications_, (Codes{DTN_DROPDOWN, DTN_DATETIMECHANGE, DTN_CLOSEUP}));

    ClearEvents();
    KeyPress(VK_F4);
    ASSERT_NE(GetCapture(), nullptr);
    KeyPress(VK_NEXT);   // 29 March
    KeyPress(VK_RIGHT);  // 30 March
    KeyPress(VK_RETURN);
    EXPECT_EQ(Text(dtp), "30.03.2024");
    KeyPress(VK_F4);
    popup = GetCapture();
    KeyPress(VK_ESCAPE);
    EXPECT_FALSE(IsWindow(popup));
    Click(OnScreen(dtp, rc.right - 3, rc.bottom / 2));
    popup = GetCapture();
    Click(OnScreen(parent_, 500, 300));  // outside the calendar: closes it, nothing chosen
    EXPECT_FALSE(IsWindow(popup));
    EXPECT_EQ(Text(dtp), "30.03.2024");
}

}  // namespace
}  // namespace kq::ui::test
