// The five controls inside a dialog made from a template: made by class name, reached with Tab,
// given the keys they claim, and drawn on the screen.
#include "platform/ui/commctrl/ControlLanguage.h"
#include "platform/ui/commdlg/detail/DialogBuilder.h"
#include "platform/ui/paint/Painting.h"
#include "platform/ui/paint/Screenshot.h"
#include "ui/commctrl_value_fixture.h"

namespace kq::ui::test {
namespace {

constexpr int kTrack = 10, kEdit = 11, kSpin = 12, kDate = 13, kTabs = 14, kProgress = 15;

class ControlsInADialog : public ControlsBTest {
  protected:
    void SetUp() override {
        ControlsBTest::SetUp();
        commdlg::DialogBuilder b("Controls", 220, 150);
        b.Add(TRACKBAR_CLASS, "", kTrack, WS_TABSTOP | TBS_AUTOTICKS, 7, 7, 120, 20);
        b.Edit(kEdit, 7, 32, 50, 12);
        b.Add(UPDOWN_CLASS, "", kSpin,
              UDS_AUTOBUDDY | UDS_SETBUDDYINT | UDS_ALIGNRIGHT | UDS_ARROWKEYS, 0, 0, 10, 12);
        b.Add(DATETIMEPICK_CLASS, "", kDate, WS_TABSTOP, 7, 50, 100, 12);
        b.Add(WC_TABCONTROL, "", kTabs, WS_TABSTOP, 7, 68, 150, 50);
        b.Add(PROGRESS_CLASS, "", kProgress, PBS_SMOOTH, 7, 124, 150, 10);
        dialog_ = CreateDialogIndirectParam(nullptr, &b.Template(), parent_, &DialogProc, 0);
        ASSERT_NE(dialog_, nullptr);
        ShowWindow(dialog_, SW_SHOW);
        SetPreTranslateHandler([this](MSG& m) { return IsDialogMessage(dialog_, &m); });
        Pump();
    }
    void TearDown() override {
        SetPreTranslateHandler(nullptr);
        SetControlLanguage(ControlLanguage::English);
        ControlsBTest::TearDown();
    }
    static INT_PTR DialogProc(HWND, UINT message, WPARAM, LPARAM) {
        return message == WM_INITDIALOG ? TRUE : FALSE;
    }
    HWND Item(int id) const { return GetDlgItem(dialog_, id); }

    HWND dialog_ = nullptr;
};

TEST_F(ControlsInADialog, TabReachesEachControlAndTheKeysTheyClaimStayWithThem) {
    SetDialogFocus(dialog_, Item(kTrack));
    Pump();
    KeyPress(VK_RIGHT);
    KeyPress(VK_RIGHT);
    EXPECT_EQ(SendMessage(Item(kTrack), TBM_GETPOS, 0, 0), 2);
    EXPECT_EQ(GetFocus(), Item(kTrack));  // the arrows did not move the focus

    KeyPress(VK_TAB);
    EXPECT_EQ(GetFocus(), Item(kEdit));
    SendMessage(Item(kSpin), UDM_SETRANGE32, 0, 50);
    KeyPress(VK_UP);  // through the buddy
    KeyPress(VK_UP);
    EXPECT_EQ(SendMessage(Item(kSpin), UDM_GETPOS32, 0, 0), 2);
    char text[16] = {};
    GetWindowText(Item(kEdit), text, sizeof text);
    EXPECT_STREQ(text, "2");

    KeyPress(VK_TAB);
    EXPECT_EQ(GetFocus(), Item(kDate));
    SYSTEMTIME t{2024, 2, 0, 28, 9, 0, 0, 0};
    SendMessage(Item(kDate), DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&t));
    KeyPress(VK_RIGHT);  // English short dates start with the month: on to the day
    Type("29");
    SendMessage(Item(kDate), DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&t));
    EXPECT_EQ(t.wDay, 29);
    EXPECT_EQ(GetFocus(), Item(kDate));  // digits are the picker's, not mnemonics

    KeyPress(VK_TAB);
    EXPECT_EQ(GetFocus(), Item(kTabs));
    KeyPress(VK_TAB);
    EXPECT_EQ(GetFocus(), Item(kTrack));  // the progress bar takes no focus
}

TEST_F(ControlsInADialog, ControlsDrawOnTheScreenWhereTheDialogPutThem) {
    SendMessage(Item(kProgress), PBM_SETPOS, 50, 0);
    TCITEM item{};
    item.mask = TCIF_TEXT;
    item.pszText = const_cast<char*>("Achse");
    SendMessage(Item(kTabs), TCM_INSERTITEM, 0, reinterpret_cast<LPARAM>(&item));
    UpdateWindow(dialog_);
    Pump();
    RECT bar{};
    GetWindowRect(Item(kProgress), &bar);
    const int y = (bar.top + bar.bottom) / 2;
    const COLORREF highlight = GetSysColor(COLOR_HIGHLIGHT);
    EXPECT_EQ(GetScreenPixel(bar.left + 3, y), highlight);
    EXPECT_NE(GetScreenPixel(bar.right - 3, y), highlight);
    RECT date{};
    GetWindowRect(Item(kDate), &date);
    // The picker's field lies inside its sunken edge.
    EXPECT_EQ(GetScreenPixel(date.left, date.top), GetSysColor(COLOR_3DSHADOW));
    EXPECT_EQ(GetScreenPixel(date.left + 3, date.top + 3), GetSysColor(COLOR_WINDOW));
    RECT tab{};
    SendMessage(Item(kTabs), TCM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&tab));
    POINT top{tab.left + 5, tab.top - 2};
    ClientToScreen(Item(kTabs), &top);
    EXPECT_EQ(GetScreenPixel(top.x, top.y), GetSysColor(COLOR_BTNHIGHLIGHT));  // the selected tab
}

}  // namespace
}  // namespace kq::ui::test
