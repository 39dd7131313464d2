#include <climits>
#include <string>

#include "platform/ui/commctrl/ControlLanguage.h"
#include "ui/commctrl_value_fixture.h"

namespace kq::ui::test {
namespace {

using Events = std::vector<ScrollEvent>;

class UpDownTest : public ControlsBTest {
  protected:
    void TearDown() override {
        SetControlLanguage(ControlLanguage::English);
        ControlsBTest::TearDown();
    }
    // Up-down controls 16 x 40 at (300, 10); clicks land in the middle of an arrow.
    HWND Make(DWORD style = 0) {
        HWND ud = Create(UPDOWN_CLASS, style, {300, 10, 316, 50});
        ClearEvents();
        return ud;
    }
    void ClickArrow(HWND ud, bool up) {
        RECT rc{};
        GetClientRect(ud, &rc);
        Click(OnScreen(ud, rc.right / 2, up ? rc.bottom / 4 : rc.bottom * 3 / 4));
    }
    static int Pos(HWND ud) { return static_cast<int>(SendMessage(ud, UDM_GETPOS32, 0, 0)); }
    static std::string Text(HWND hwnd) {
        char buffer[64] = {};
        GetWindowText(hwnd, buffer, sizeof buffer);
        return buffer;
    }
    static ScrollEvent V(WORD code, WORD pos = 0) { return {WM_VSCROLL, code, pos}; }
    std::vector<NMUPDOWN> offers_;
    void RecordOffers(bool refuse = false) {
        answer_ = [this, refuse](NMHDR* h) -> LRESULT {
            if (h->code != UDN_DELTAPOS)
                return 0;
            offers_.push_back(*reinterpret_cast<NMUPDOWN*>(h));
            return refuse;
        };
    }
};

TEST_F(UpDownTest, StepsReachTheEndsOfTheFull32BitRangeWithoutOverflow) {
    HWND ud = Make();
    RecordOffers();
    SendMessage(ud, UDM_SETRANGE32, static_cast<WPARAM>(INT_MIN), INT_MAX);
    SendMessage(ud, UDM_SETPOS32, 0, INT_MAX - 1);
    ClickArrow(ud, true);
    ClickArrow(ud, true);
    EXPECT_EQ(Pos(ud), INT_MAX);
    // Both presses are offered to the parent; only the one that moved is reported.
    ASSERT_EQ(offers_.size(), 2u);
    EXPECT_EQ(offers_[1].iPos, INT_MAX);
    EXPECT_EQ(offers_[1].iDelta, 1);
    EXPECT_EQ(Scrolls(), (Events{V(4, static_cast<WORD>(INT_MAX)), V(8), V(8)}));

    SendMessage(ud, UDM_SETPOS32, 0, INT_MIN);
    ClickArrow(ud, false);
    EXPECT_EQ(Pos(ud), INT_MIN);

    int lower = 0, upper = 0;
    SendMessage(ud, UDM_GETRANGE32, reinterpret_cast<WPARAM>(&lower),
                reinterpret_cast<LPARAM>(&upper));
    EXPECT_EQ(lower, INT_MIN);
    EXPECT_EQ(upper, INT_MAX);
}

TEST_F(UpDownTest, WrappingGoesFromOneEndToTheOther) {
    HWND ud = Make(UDS_WRAP);
    SendMessage(ud, UDM_SETRANGE32, static_cast<WPARAM>(INT_MIN), INT_MAX);
    SendMessage(ud, UDM_SETPOS32, 0, INT_MAX);
    ClickArrow(ud, true);
    EXPECT_EQ(Pos(ud), INT_MIN);
    ClickArrow(ud, false);
    EXPECT_EQ(Pos(ud), INT_MAX);
}

TEST_F(UpDownTest, TheUpArrowMovesTowardsTheUpperEndWhicheverWayTheRangeRuns) {
    HWND ud = Make();
    RecordOffers();
    // The default range runs from 100 down to 0.
    EXPECT_EQ(SendMessage(ud, UDM_GETRANGE, 0, 0), MAKELRESULT(0, 100));
    SendMessage(ud, UDM_SETPOS, 0, 50);
    ClickArrow(ud, true);
    EXPECT_EQ(Pos(ud), 49);
    EXPECT_EQ(offers_.back().iDelta, -1);
    SendMessage(ud, UDM_SETRANGE, 0, MAKELPARAM(static_cast<WORD>(-5), 5));  // upper -5, lower 5
    EXPECT_EQ(Pos(ud), 5);
    ClickArrow(ud, true);
    EXPECT_EQ(Pos(ud), 4);
    EXPECT_EQ(SendMessage(ud, UDM_SETPOS, 0, MAKELPARAM(static_cast<WORD>(-100), 0)), 4);
    EXPECT_EQ(LOWORD(SendMessage(ud, UDM_GETPOS, 0, 0)), static_cast<WORD>(-5));
}

TEST_F(UpDownTest, TheParentMayRefuseAStep) {
    HWND ud = Make();
    SendMessage(ud, UDM_SETRANGE32, 0, 10);
    SendMessage(ud, UDM_SETPOS32, 0, 3);
    RecordOffers(true);
    ClickArrow(ud, true);
    EXPECT_EQ(Pos(ud), 3);
    ASSERT_EQ(offers_.size(), 1u);
    EXPECT_EQ(offers_[0].iPos, 3);
    EXPECT_EQ(Scrolls(), (Events{V(8)}));
}

TEST_F(UpDownTest, BuddyIsPlacedAndCarriesTheNumber) {
    HWND edit = CreateChild(parent_, 5, {100, 10, 200, 30});
    HWND ud = Create(UPDOWN_CLASS, UDS_AUTOBUDDY | UDS_ALIGNRIGHT | UDS_SETBUDDYINT | UDS_ARROWKEYS,
                     {0, 0, 16, 16}, 6);
    EXPECT_EQ(reinterpret_cast<HWND>(SendMessage(ud, UDM_GETBUDDY, 0, 0)), edit);
    RECT er{}, ur{};
    GetWindowRect(edit, &er);
    GetWindowRect(ud, &ur);
    EXPECT_EQ(er.right - er.left, 84);
    EXPECT_EQ(ur.left, er.right);
    EXPECT_EQ(ur.top, er.top);
    EXPECT_EQ(ur.bottom - ur.top, 20);

    SendMessage(ud, UDM_SETRANGE32, 0, 5000000);
    SendMessage(ud, UDM_SETPOS32, 0, 1234567);
    EXPECT_EQ(Text(edit), "1,234,567");
    SetControlLanguage(ControlLanguage::German);
    SetWindowText(edit, "2.500");  // typed by the user, read before the next step
    SetFocus(edit);
    Pump();
    KeyPress(VK_UP);
    EXPECT_EQ(Text(edit), "2.501");
    SetControlLanguage(ControlLanguage::French);
    KeyPress(VK_DOWN);
    KeyPress(VK_DOWN);
    EXPECT_EQ(Text(edit),
              "2\xC2\xA0"
              "499");
    EXPECT_EQ(Count(edit, WM_KEYDOWN), 0);  // the arrows never reached the buddy itself

    SetWindowText(edit, "abc");
    BOOL error = FALSE;
    EXPECT_EQ(SendMessage(ud, UDM_GETPOS32, 0, reinterpret_cast<LPARAM>(&error)), 2499);
    EXPECT_TRUE(error);
    SetWindowText(edit, "99999999");  // outside the range
    EXPECT_EQ(HIWORD(SendMessage(ud, UDM_GETPOS, 0, 0)), 1);

    SetWindowLong(ud, GWL_STYLE, GetWindowLong(ud, GWL_STYLE) | UDS_NOTHOUSANDS);
    EXPECT_EQ(SendMessage(ud, UDM_SETBASE, 16, 0), 10);
    EXPECT_EQ(SendMessage(ud, UDM_SETBASE, 8, 0), 0);
    SendMessage(ud, UDM_SETPOS32, 0, 31);
    EXPECT_EQ(Text(edit), "0x1F");
    SendMessage(ud, UDM_SETBASE, 10, 0);
    SendMessage(ud, UDM_SETPOS32, 0, 4096);
    EXPECT_EQ(Text(edit), "4096");
}

TEST_F(UpDownTest, HeldArrowRepeatsAndSpeedsUp) {
    HWND ud = Make();
    SendMessage(ud, UDM_SETRANGE32, 0, 1000);
    RECT rc{};
    GetClientRect(ud, &rc);
    const POINT up = OnScreen(ud, rc.right / 2, rc.bottom / 4);
    MouseDown(up);
    EXPECT_EQ(Pos(ud), 1);
    Advance(400);
    EXPECT_EQ(Pos(ud), 2);  // first repeat
    Advance(1500, 100);     // held 1.9 s: steps of 1 so far
    EXPECT_EQ(Pos(ud), 17);
    Advance(500, 100);  // from 2 s on, steps of 5
    EXPECT_EQ(Pos(ud), 42);
    MouseMove(OnScreen(ud, 100, 100));  // off the arrow: no steps while away
    Advance(500, 100);
    EXPECT_EQ(Pos(ud), 42);
    MouseUp(OnScreen(ud, 100, 100));
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(Scrolls().back(), V(8));

    UDACCEL fast[] = {{1, 100}, {0, 2}};
    EXPECT_TRUE(SendMessage(ud, UDM_SETACCEL, 2, reinterpret_cast<LPARAM>(fast)));
    UDACCEL back[3] = {};
    EXPECT_EQ(SendMessage(ud, UDM_GETACCEL, 3, reinterpret_cast<LPARAM>(back)), 2);
    EXPECT_EQ(back[0].nInc, 2u);  // kept in order of time
    ClickArrow(ud, false);
    EXPECT_EQ(Pos(ud), 40);
}

TEST_F(UpDownTest, DrawsTwoArrowButtonsThePressedOneSunken) {
    HWND ud = Make();
    RECT rc{};
    GetClientRect(ud, &rc);
    MouseDown(OnScreen(ud, rc.right / 2, rc.bottom * 3 / 4));
    Rendered pic(ud);
    const COLORREF light = GetSysColor(COLOR_BTNHIGHLIGHT);
    EXPECT_NE(pic.At(1, 1), GetSysColor(COLOR_BTNFACE));  // raised up arrow's edge
    EXPECT_NE(pic.At(1, rc.bottom / 2 + 1), light);       // sunken down arrow
    EXPECT_EQ(pic.At(rc.right - 1, rc.bottom / 2 - 1), GetSysColor(COLOR_3DDKSHADOW));
    MouseUp(OnScreen(ud, rc.right / 2, rc.bottom * 3 / 4));
}

}  // namespace
}  // namespace kq::ui::test
