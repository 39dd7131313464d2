// Texts the controls read and write themselves: date formats with their quoting rules and
// language defaults, and the numbers an up-down control puts into and takes from its buddy.
#include <gtest/gtest.h>

#include <climits>

#include "platform/ui/commctrl/ControlLanguage.h"
#include "platform/ui/commctrl/DateTimeFormat.h"
#include "platform/ui/commctrl/DateTimePickerApi.h"
#include "platform/ui/commctrl/UpDownModel.h"

namespace kq::ui::commctrl {
namespace {

class TextTest : public ::testing::Test {
  protected:
    void TearDown() override { SetControlLanguage(ControlLanguage::English); }
};

std::string Show(const std::string& format, const SYSTEMTIME& t) {
    return FormatDateTime(ParseDateFormat(format), t);
}

TEST_F(TextTest, DateFormatsQuoteLiteralsAndSplitOverlongRuns) {
    const SYSTEMTIME t{2024, 3, 4, 7, 9, 4, 2, 0};  // Thursday 7 March 2024, 09:04:02
    EXPECT_EQ(Show("d/M/yy h:m:s t", t), "7/3/24 9:4:2 A");
    EXPECT_EQ(Show("'Week of' dd.MM.yyyy", t), "Week of 07.03.2024");
    EXPECT_EQ(Show("hh 'o''clock' ''", t), "09 o'clock '");
    EXPECT_EQ(Show("dddddd", t), "Thursday07");  // six letters: a full name and a day
    EXPECT_EQ(Show("'unclosed", t), "unclosed");
    const auto elements = ParseDateFormat("HH:mm");
    ASSERT_EQ(elements.size(), 3u);
    EXPECT_EQ(elements[1].field, DateField::Literal);

    SetControlLanguage(ControlLanguage::French);
    EXPECT_EQ(Show(DefaultDateFormat(DTS_LONGDATEFORMAT), t), "jeudi 7 mars 2024");
    EXPECT_EQ(Show(DefaultDateFormat(DTS_SHORTDATECENTURYFORMAT), t), "07/03/2024");
    EXPECT_EQ(Show(DefaultDateFormat(DTS_TIMEFORMAT), t), "09:04:02");
    SetControlLanguage(ControlLanguage::German);
    EXPECT_EQ(Show("ddd, d. MMM", t), "Do, 7. M\xC3\xA4r");
}

TEST_F(TextTest, BuddyNumbersKeepTheirGroupsAndRefuseWhatIsNoNumber) {
    UpDownModel model;
    EXPECT_EQ(model.Format(-1234567, false), "-1,234,567");
    EXPECT_EQ(model.Format(INT_MIN, false), "-2,147,483,648");
    EXPECT_EQ(model.Format(999, false), "999");
    EXPECT_EQ(model.Parse(" 1,234 ").value_or(0), 1234);
    EXPECT_EQ(model.Parse("-2.147.483.648").value_or(0), INT_MIN);
    EXPECT_FALSE(model.Parse("2147483648"));
    EXPECT_FALSE(model.Parse("12a"));
    EXPECT_FALSE(model.Parse("-"));
    EXPECT_FALSE(model.Parse(",5"));  // a separator only counts between digits
    SetControlLanguage(ControlLanguage::French);
    EXPECT_EQ(model.Format(10000, false),
              "10\xC2\xA0"
              "000");
    EXPECT_EQ(model
                  .Parse("10\xC2\xA0"
                         "000")
                  .value_or(0),
              10000);

    EXPECT_EQ(model.SetBase(16), 10);
    EXPECT_EQ(model.Format(-1, false), "0xFFFFFFFF");
    EXPECT_EQ(model.Parse("0x7fffffff").value_or(0), INT_MAX);
    EXPECT_EQ(model.Parse("ff").value_or(0), 255);
    EXPECT_FALSE(model.Parse("0x1FFFFFFFF"));
}

}  // namespace
}  // namespace kq::ui::commctrl
