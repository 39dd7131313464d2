// The dialog manager's keyboard interface: Tab order, radio groups, Enter, Escape, mnemonics.
#include "ui/dialog_test_support.h"

namespace kq::ui::test {
namespace {

constexpr int kName = 100;
constexpr int kFast = 201;
constexpr int kSlow = 202;
constexpr int kLog = 300;

class DialogKeyboardTest : public DialogTest {
  protected:
    void SetUp() override {
        DialogTest::SetUp();
        builder_.Add("STATIC", "&Name:", -1, SS_LEFT, 5, 5, 40, 10)
            .Add("EDIT", "hello", kName, WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL, 50, 5, 100, 12)
            .Add("BUTTON", "Mode", -1, BS_GROUPBOX, 5, 20, 150, 40)
            .Add("BUTTON", "&Fast", kFast, BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP, 10, 30, 60,
                 10)
            .Add("BUTTON", "&Slow", kSlow, BS_AUTORADIOBUTTON, 10, 42, 60, 10)
            .Add("BUTTON", "&Log", kLog, BS_AUTOCHECKBOX | WS_GROUP | WS_TABSTOP, 5, 65, 60, 10)
            .Add("BUTTON", "OK", IDOK, BS_DEFPUSHBUTTON | WS_GROUP | WS_TABSTOP, 40, 90, 50, 14)
            .Add("BUTTON", "Cancel", IDCANCEL, BS_PUSHBUTTON | WS_TABSTOP, 100, 90, 50, 14);
        dlg_ = Modeless(builder_.Style(WS_POPUP | WS_CAPTION | WS_VISIBLE | DS_MODALFRAME).Get());
        ASSERT_NE(dlg_, nullptr);
        CheckRadioButton(dlg_, kFast, kSlow, kFast);
    }
    HWND Item(int id) { return GetDlgItem(dlg_, id); }
    void Alt(UINT vk) {
        KeyDown(VK_MENU);
        KeyPress(vk);
        KeyUp(VK_MENU);
    }
    DWORD ButtonType(int id) {
        return static_cast<DWORD>(GetWindowLong(Item(id), GWL_STYLE)) & BS_TYPEMASK;
    }

    TemplateBuilder builder_;
    HWND dlg_ = nullptr;
};

TEST_F(DialogKeyboardTest, TabCyclesThroughTabStopsAndSelectsEditText) {
    EXPECT_EQ(GetFocus(), Item(kName));
    DWORD start = 0, end = 0;
    SendMessage(Item(kName), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 0u);
    EXPECT_EQ(end, 5u);

    const int order[] = {kFast, kLog, IDOK, IDCANCEL, kName};
    for (int id : order) {
        KeyPress(VK_TAB);
        EXPECT_EQ(GetFocus(), Item(id)) << id;
    }
    KeyDown(VK_SHIFT);
    KeyPress(VK_TAB);
    KeyUp(VK_SHIFT);
    EXPECT_EQ(GetFocus(), Item(IDCANCEL));
    // Tab and Shift+Tab were taken by the dialog: no character reached the edit.
    char text[16];
    GetWindowText(Item(kName), text, sizeof text);
    EXPECT_STREQ(text, "hello");
}

// A box the dialog opens disables it first (the focus leaves it then): once the box has gone,
// the focus is back on the control that had it, not on the first tab stop.
TEST_F(DialogKeyboardTest, TheFocusComesBackToItsControlAfterABox) {
    SetFocus(Item(kLog));
    EnableWindow(dlg_, FALSE);
    HWND box = CreateTopLevel({50, 50, 200, 150}, WS_POPUP | WS_CAPTION | WS_VISIBLE, 0, dlg_);
    SetActiveWindow(box);
    EnableWindow(dlg_, TRUE);
    DestroyWindow(box);
    EXPECT_EQ(GetActiveWindow(), dlg_);
    EXPECT_EQ(GetFocus(), Item(kLog));
}

TEST_F(DialogKeyboardTest, ArrowsMoveWithinTheRadioGroupAndCheckTheButton) {
    KeyPress(VK_TAB);
    ASSERT_EQ(GetFocus(), Item(kFast));
    commands_.clear();
    KeyPress(VK_DOWN);
    EXPECT_EQ(GetFocus(), Item(kSlow));
    EXPECT_EQ(IsDlgButtonChecked(dlg_, kSlow), BST_CHECKED);
    EXPECT_EQ(IsDlgButtonChecked(dlg_, kFast), BST_UNCHECKED);
    EXPECT_EQ(Clicks(), std::vector<int>{kSlow});
    // The group ends before the next WS_GROUP control and wraps round.
    KeyPress(VK_DOWN);
    EXPECT_EQ(GetFocus(), Item(kFast));
    KeyPress(VK_UP);
    EXPECT_EQ(GetFocus(), Item(kSlow));
    // Tab leaves the group; coming back stops at the checked button.
    KeyPress(VK_TAB);
    EXPECT_EQ(GetFocus(), Item(kLog));
    KeyDown(VK_SHIFT);
    KeyPress(VK_TAB);
    KeyUp(VK_SHIFT);
    EXPECT_EQ(GetFocus(), Item(kSlow));
}

TEST_F(DialogKeyboardTest, EnterPressesTheDefaultOrTheFocusedPushButton) {
    KeyPress(VK_RETURN);
    EXPECT_EQ(Clicks(), std::vector<int>{IDOK});
    EXPECT_EQ(ButtonType(IDOK), BS_DEFPUSHBUTTON);

    // A focused push button is the default while it has the focus.
    SetDialogFocus(dlg_, Item(IDCANCEL));
    EXPECT_EQ(ButtonType(IDCANCEL), BS_DEFPUSHBUTTON);
    EXPECT_EQ(ButtonType(IDOK), BS_PUSHBUTTON);
    commands_.clear();
    KeyPress(VK_RETURN);
    EXPECT_EQ(Clicks(), std::vector<int>{IDCANCEL});

    KeyPress(VK_TAB);  // to the edit: the dialog's default comes back
    EXPECT_EQ(GetFocus(), Item(kName));
    EXPECT_EQ(ButtonType(IDOK), BS_DEFPUSHBUTTON);
    EXPECT_EQ(ButtonType(IDCANCEL), BS_PUSHBUTTON);
}

TEST_F(DialogKeyboardTest, DefaultIdCanMoveAndADisabledDefaultIgnoresEnter) {
    EXPECT_EQ(SendMessage(dlg_, DM_GETDEFID, 0, 0), MAKELRESULT(IDOK, DC_HASDEFID));
    SendMessage(dlg_, DM_SETDEFID, IDCANCEL, 0);
    EXPECT_EQ(ButtonType(IDCANCEL), BS_DEFPUSHBUTTON);
    EXPECT_EQ(ButtonType(IDOK), BS_PUSHBUTTON);
    KeyPress(VK_RETURN);
    EXPECT_EQ(Clicks(), std::vector<int>{IDCANCEL});
    EnableWindow(Item(IDCANCEL), FALSE);
    commands_.clear();
    KeyPress(VK_RETURN);
    KeyPress(VK_ESCAPE);
    EXPECT_TRUE(Clicks().empty());
}

TEST_F(DialogKeyboardTest, EscapeSendsCancel) {
    KeyPress(VK_ESCAPE);
    EXPECT_EQ(Clicks(), std::vector<int>{IDCANCEL});
}

TEST_F(DialogKeyboardTest, MnemonicsActivateButtonsAndLabelsPassTheFocusOn) {
    SetDialogFocus(dlg_, Item(IDOK));
    Alt('N');
    EXPECT_EQ(GetFocus(), Item(kName));

    commands_.clear();
    Alt('L');
    EXPECT_EQ(IsDlgButtonChecked(dlg_, kLog), BST_CHECKED);
    EXPECT_EQ(GetFocus(), Item(kLog));
    EXPECT_EQ(Clicks(), std::vector<int>{kLog});

    // Without Alt a letter is a mnemonic only where the focused control takes no characters.
    KeyPress('S');
    EXPECT_EQ(IsDlgButtonChecked(dlg_, kSlow), BST_CHECKED);
    SetDialogFocus(dlg_, Item(kName));
    KeyPress('F');
    char text[16];
    GetWindowText(Item(kName), text, sizeof text);
    EXPECT_STREQ(text, "f");  // replaced the selected text
    EXPECT_EQ(IsDlgButtonChecked(dlg_, kFast), BST_UNCHECKED);
}

TEST_F(DialogKeyboardTest, EnterGoesToAMultiLineEditOnlyWithWantReturn) {
    TemplateBuilder b;
    b.Add("EDIT", "", 10, ES_MULTILINE | WS_TABSTOP | ES_WANTRETURN | ES_AUTOVSCROLL, 5, 5, 100, 40)
        .Add("EDIT", "", 11, ES_MULTILINE | WS_TABSTOP | ES_AUTOVSCROLL, 5, 50, 100, 40)
        .Add("BUTTON", "OK", IDOK, BS_DEFPUSHBUTTON | WS_TABSTOP, 5, 95, 50, 14);
    DestroyWindow(dlg_);
    HWND dlg = Modeless(b.Style(WS_POPUP | WS_VISIBLE).Get());
    commands_.clear();
    Type("a");
    KeyPress(VK_RETURN);
    Type("b");
    char text[32];
    GetDlgItemText(dlg, 10, text, sizeof text);
    EXPECT_STREQ(text, "a\r\nb");
    EXPECT_TRUE(Clicks().empty());

    SetDialogFocus(dlg, GetDlgItem(dlg, 11));
    commands_.clear();
    KeyPress(VK_RETURN);
    GetDlgItemText(dlg, 11, text, sizeof text);
    EXPECT_STREQ(text, "");
    EXPECT_EQ(Clicks(), std::vector<int>{IDOK});
}

TEST_F(DialogKeyboardTest, NextDlgCtlMovesTheFocusLikeTab) {
    SendMessage(dlg_, WM_NEXTDLGCTL, 0, FALSE);
    EXPECT_EQ(GetFocus(), Item(kFast));
    SendMessage(dlg_, WM_NEXTDLGCTL, 1, FALSE);
    EXPECT_EQ(GetFocus(), Item(kName));
    SendMessage(dlg_, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(Item(IDCANCEL)), TRUE);
    EXPECT_EQ(GetFocus(), Item(IDCANCEL));
    EXPECT_EQ(GetNextDlgGroupItem(dlg_, Item(kFast), FALSE), Item(kSlow));
    EXPECT_EQ(GetNextDlgTabItem(dlg_, nullptr, TRUE), Item(IDCANCEL));
}

}  // namespace
}  // namespace kq::ui::test
