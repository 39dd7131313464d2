#include "ui/UiTestFixture.h"

namespace kq::ui::test {
namespace {

using Names = std::vector<std::string>;

const std::vector<UINT> kActivation = {WM_NCACTIVATE, WM_ACTIVATE, WM_ACTIVATEAPP, WM_SETFOCUS,
                                       WM_KILLFOCUS};

class Focus : public UiTest {
  protected:
    void SetUp() override {
        UiTest::SetUp();
        a_ = CreateTopLevel({0, 0, 300, 300});
        aChild_ = CreateChild(a_, 1, {10, 10, 50, 50});
        b_ = CreateTopLevel({400, 0, 700, 300});
        SetFocus(aChild_);
        Pump();
        ClearLog();
        names_ = {{a_, "a"}, {aChild_, "aChild"}, {b_, "b"}};
    }
    HWND a_ = nullptr;
    HWND aChild_ = nullptr;
    HWND b_ = nullptr;
    std::map<HWND, std::string> names_;
};

TEST_F(Focus, ActivationDeactivatesTheOldWindowFirstAndMovesTheFocus) {
    ASSERT_EQ(GetActiveWindow(), a_);
    ASSERT_EQ(GetFocus(), aChild_);
    EXPECT_EQ(SetActiveWindow(b_), a_);
    EXPECT_EQ(Sequence(kActivation, names_),
              (Names{"a:WM_NCACTIVATE", "a:WM_ACTIVATE", "b:WM_NCACTIVATE", "b:WM_ACTIVATE",
                     "aChild:WM_KILLFOCUS", "b:WM_SETFOCUS"}));
    auto log = Log();
    for (const LoggedMessage& m : log) {
        if (m.hwnd == a_ && m.message == WM_ACTIVATE) {
            EXPECT_EQ(LOWORD(m.wParam), WA_INACTIVE);
            EXPECT_EQ(reinterpret_cast<HWND>(m.lParam), b_);
        }
        if (m.hwnd == aChild_ && m.message == WM_KILLFOCUS) {
            EXPECT_EQ(reinterpret_cast<HWND>(m.wParam), b_);
        }
    }
    EXPECT_EQ(GetFocus(), b_);
    EXPECT_EQ(GetForegroundWindow(), b_);
    EXPECT_EQ(GetTopWindow(nullptr), b_);
}

TEST_F(Focus, AChildOfTheDesktopShowsWithoutTakingTheActivation) {
    // A drop-down list: a child window of the desktop, shown over the others.
    HWND dropDown = CreateChild(GetDesktopWindow(), 0, {20, 320, 120, 420}, WS_CHILD);
    ShowWindow(dropDown, SW_SHOW);
    SetWindowPos(dropDown, HWND_TOP, 20, 330, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
    Pump();
    EXPECT_TRUE(IsWindowVisible(dropDown));
    EXPECT_EQ(GetActiveWindow(), a_);
    EXPECT_EQ(GetFocus(), aChild_);
    DestroyWindow(dropDown);
}

TEST_F(Focus, LosingAndRegainingTheApplicationFocus) {
    InjectKey(VK_SHIFT, true);
    InjectAppFocus(false);
    EXPECT_EQ(Sequence(kActivation, names_),
              (Names{"a:WM_NCACTIVATE", "a:WM_ACTIVATE", "a:WM_ACTIVATEAPP", "b:WM_ACTIVATEAPP",
                     "aChild:WM_KILLFOCUS"}));
    for (const LoggedMessage& m : Log()) {
        if (m.message == WM_ACTIVATEAPP) {
            EXPECT_EQ(m.wParam, static_cast<WPARAM>(FALSE));
        }
    }
    EXPECT_EQ(GetForegroundWindow(), nullptr);
    EXPECT_EQ(GetFocus(), nullptr);
    EXPECT_FALSE(GetAsyncKeyState(VK_SHIFT) & 0x8000);  // no key stays stuck down
    ClearLog();
    InjectAppFocus(true);
    EXPECT_EQ(Sequence(kActivation, names_),
              (Names{"a:WM_ACTIVATEAPP", "b:WM_ACTIVATEAPP", "a:WM_NCACTIVATE", "a:WM_ACTIVATE",
                     "aChild:WM_SETFOCUS"}));
    EXPECT_EQ(GetActiveWindow(), a_);
    EXPECT_EQ(GetFocus(), aChild_);  // back where it was
}

// Whichever way the focus left a window (another window activated, the window disabled for a
// modal box), activating it again gives the focus back to the control that had it, while that
// control can take it.
TEST_F(Focus, AWindowActivatedAgainGivesTheFocusBackToTheControlThatHadIt) {
    HWND second = CreateChild(a_, 2, {60, 10, 100, 50});
    SetFocus(second);
    SetActiveWindow(b_);
    SetActiveWindow(a_);
    EXPECT_EQ(GetFocus(), second);

    EnableWindow(a_, FALSE);
    HWND box = CreateTopLevel({50, 50, 200, 150}, WS_POPUP | WS_CAPTION | WS_VISIBLE, 0, a_);
    SetActiveWindow(box);
    EXPECT_EQ(GetFocus(), box);
    EnableWindow(a_, TRUE);
    DestroyWindow(box);
    EXPECT_EQ(GetActiveWindow(), a_);
    EXPECT_EQ(GetFocus(), second);

    SetActiveWindow(b_);
    ShowWindow(second, SW_HIDE);
    SetActiveWindow(a_);
    EXPECT_EQ(GetFocus(), a_);  // the control cannot take it: the window itself does
}

TEST_F(Focus, SetFocusKillsBeforeItSetsAndActivatesTheTopLevelWindow) {
    HWND bChild = CreateChild(b_, 2, {1, 1, 20, 20});
    names_[bChild] = "bChild";
    SetActiveWindow(a_);
    SetFocus(aChild_);
    ClearLog();
    EXPECT_EQ(SetFocus(bChild), aChild_);
    EXPECT_EQ(GetActiveWindow(), b_);
    EXPECT_EQ(GetFocus(), bChild);
    EXPECT_EQ(
        Sequence({WM_SETFOCUS, WM_KILLFOCUS}, names_),
        (Names{"aChild:WM_KILLFOCUS", "b:WM_SETFOCUS", "b:WM_KILLFOCUS", "bChild:WM_SETFOCUS"}));
    EXPECT_EQ(SetFocus(reinterpret_cast<HWND>(0x99)), nullptr);
}

TEST_F(Focus, FocusAndActivationLeaveWindowsThatGoAway) {
    SetActiveWindow(a_);
    SetFocus(aChild_);
    DestroyWindow(aChild_);
    EXPECT_EQ(GetFocus(), a_);

    HWND owned = CreateTopLevel({0, 0, 100, 100}, WS_POPUP | WS_VISIBLE, 0, a_);
    SetActiveWindow(b_);
    SetActiveWindow(owned);
    ShowWindow(owned, SW_HIDE);
    EXPECT_EQ(GetActiveWindow(), a_);  // the owner takes over, not the window last active

    HWND child = CreateChild(a_, 3, {0, 0, 10, 10});
    SetFocus(child);
    ClearLog();
    EXPECT_FALSE(EnableWindow(child, FALSE));
    EXPECT_EQ(GetFocus(), nullptr);
    EXPECT_EQ(NamesOf(child, {WM_CANCELMODE, WM_KILLFOCUS, WM_ENABLE}),
              (Names{"WM_CANCELMODE", "WM_KILLFOCUS", "WM_ENABLE"}));
    EXPECT_EQ(SetFocus(child), nullptr);
    EXPECT_EQ(GetFocus(), nullptr);
    EXPECT_TRUE(EnableWindow(child, TRUE));
    EXPECT_TRUE(IsWindowEnabled(child));

    DestroyWindow(a_);
    EXPECT_EQ(GetActiveWindow(), b_);
    DestroyWindow(b_);
    EXPECT_EQ(GetActiveWindow(), nullptr);
    EXPECT_EQ(GetFocus(), nullptr);
}

}  // namespace
}  // namespace kq::ui::test
