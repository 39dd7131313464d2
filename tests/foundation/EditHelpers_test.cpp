#include "foundation/EditHelpers.h"

#include <gtest/gtest.h>

#include "foundation/Environment.h"
#include "foundation/Language.h"
#include "kq_res.h"
#include "platform/base/Resource.h"
#include "platform/ui/Screen.h"
#include "ui/UiTestFixture.h"

namespace {

// A window that keeps a selection like an edit control does; its text is the default window
// text.
class EditHelpersTest : public kq::ui::test::UiTest {
  protected:
    void SetUp() override {
        kq::ui::test::UiTest::SetUp();
        edit_ = CreateTopLevel(RECT{0, 0, 200, 30});
        OnMessage(
            edit_,
            [this](HWND, UINT message, WPARAM wParam, LPARAM lParam) -> std::optional<LRESULT> {
                if (message == 0x00B0) {  // get selection
                    *reinterpret_cast<DWORD*>(wParam) = selStart_;
                    *reinterpret_cast<DWORD*>(lParam) = selEnd_;
                    return 0;
                }
                if (message == 0x00B1) {  // set selection
                    selStart_ = static_cast<DWORD>(wParam);
                    selEnd_ = static_cast<DWORD>(lParam);
                    return 0;
                }
                return std::nullopt;
            });
    }
    void TearDown() override {
        SetLanguageOffset(LANGUAGE_ENGLISH);
        kq::ui::test::UiTest::TearDown();
    }
    // Types text as the user would: the caret stands after the last character typed.
    double Typed(const char* text, bool& changed) {
        SetWindowText(edit_, text);
        selStart_ = selEnd_ = static_cast<DWORD>(strlen(text));
        return FilterNumericEditInput(edit_, changed);
    }
    CString Text() const {
        char buffer[256] = {};
        GetWindowText(edit_, buffer, sizeof(buffer));
        return buffer;
    }

    HWND edit_ = nullptr;
    DWORD selStart_ = 0;
    DWORD selEnd_ = 0;
};

}  // namespace

TEST_F(EditHelpersTest, RefusesWhatNoNumberCanHold) {
    SetLanguageOffset(LANGUAGE_GERMAN);
    bool changed = false;
    EXPECT_DOUBLE_EQ(Typed("12,5", changed), 12.5);
    EXPECT_FALSE(changed);
    EXPECT_DOUBLE_EQ(Typed("12,5,", changed), 12.5);  // a second separator
    EXPECT_TRUE(changed);
    EXPECT_EQ(Text(), "12,5");
    EXPECT_EQ(selEnd_, 4u);
    Typed(",", changed);  // a separator in the first place
    EXPECT_EQ(Text(), "");
    Typed("-3-", changed);  // a sign after the first place
    EXPECT_EQ(Text(), "-3");
    Typed("7x", changed);
    EXPECT_EQ(Text(), "7");
    EXPECT_DOUBLE_EQ(Typed("-0.25", changed), -0.25);  // the point becomes the comma
    EXPECT_TRUE(changed);
    EXPECT_EQ(Text(), "-0,25");
}

TEST_F(EditHelpersTest, EnglishKeepsThePointAndOtherSetsFilterToo) {
    SetLanguageOffset(LANGUAGE_ENGLISH);
    bool changed = false;
    Typed("3,5", changed);
    EXPECT_EQ(Text(), "3.5");
    SetWindowText(edit_, "C:\\Mess daten:");
    selStart_ = selEnd_ = 3;  // the backslash was typed last
    FilterNumericEditInput(edit_, changed,
                           "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz_ \\:");
    EXPECT_FALSE(changed);
    SetWindowText(edit_, "ab*");
    selStart_ = selEnd_ = 3;
    FilterNumericEditInput(edit_, changed, "abc");
    EXPECT_EQ(Text(), "ab");
    SetWindowText(edit_, "");
    EXPECT_EQ(GetNumericEditValue(edit_), 0.0);
    SetWindowText(edit_, "abc");
    EXPECT_EQ(GetNumericEditValue(edit_), 0.0);
    EXPECT_DOUBLE_EQ(ParseNumberText("+1,5e2"), 150.0);
}

TEST_F(EditHelpersTest, WindowTextsFromStringIds) {
    kq::InstallResources(kq_res_bundle());
    SetLanguageOffset(LANGUAGE_GERMAN);
    EXPECT_TRUE(SetWindowTextFromId(edit_, 5321, ":"));
    EXPECT_EQ(Text(), "Kanal A:");
    EXPECT_FALSE(SetWindowTextFromId(edit_, 5999, "?"));
    EXPECT_EQ(Text(), "?");
    kq::UninstallResources(kq_res_bundle());
}

TEST_F(EditHelpersTest, ScreenQueriesOverTwoMonitors) {
    kq::ui::SetMonitors({{RECT{0, 0, 1920, 1080}, RECT{0, 0, 1920, 1040}},
                         {RECT{1920, 0, 3200, 1024}, RECT{1920, 0, 3200, 1024}}});
    CRect work;
    ASSERT_TRUE(CEnvironment::GetMonitorWorkArea(1, work));
    EXPECT_EQ(work, CRect(1920, 0, 3200, 1024));
    EXPECT_FALSE(CEnvironment::GetMonitorWorkArea(2, work));
    EXPECT_EQ(CEnvironment::GetMonitorOverlapping(RECT{1800, 10, 2400, 500}), 1);
    EXPECT_EQ(CEnvironment::GetMonitorOverlapping(RECT{100, 10, 2000, 500}), 0);
    EXPECT_EQ(CEnvironment::GetMonitorOverlapping(RECT{-500, -500, -10, -10}), -1);
    EXPECT_EQ(CEnvironment::GetUnionOfRects(RECT{0, 0, 10, 10}, RECT{20, 5, 30, 40}),
              CRect(0, 0, 30, 40));
    EXPECT_EQ(CEnvironment::GetScreenRect(), CRect(0, 0, 1920, 1080));
    kq::ui::SetScreenSize(1920, 1080);
}
