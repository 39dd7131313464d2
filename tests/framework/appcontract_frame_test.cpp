// The main frame's contract with the framework while it runs: clock panes fed by update
// handlers at idle, one-shot timers, a message-string handler of its own with prompts of a
// language offset, a minimum tracking size, device changes, shortcut keys offered by the view
// and the pages before the framework's, and the edit view that hosts the pages.
#include <gtest/gtest.h>

#include "framework/appcontract_double_test.h"
#include "platform/ui/Caret.h"

namespace kq::fw::test::shell {
namespace {

class ShellFrameTest : public FrameworkTest {
  protected:
    void SetUp() override {
        FrameworkTest::SetUp();
        app_ = std::make_unique<CShellApp>();
        char name[] = "kq7";
        char* argv[] = {name};
        AfxWinInit(app_.get(), 1, argv);
        app_->InitApplication();
        ASSERT_TRUE(app_->InitInstance());
        app_->ConnectToMessageLoop();
        frame_ = ShellFrame();
        view_ = DYNAMIC_DOWNCAST(CShellView, frame_->GetActiveView());
        frame_->ShowWindow(SW_SHOWNORMAL);
        frame_->MoveWindow(0, 0, 1000, 760);
        Pump();
    }
    void TearDown() override {
        app_->DisconnectFromMessageLoop();
        FrameworkTest::TearDown();
        app_.reset();
    }

    ShellResources resources_;
    std::unique_ptr<CShellApp> app_;
    CShellFrame* frame_ = nullptr;
    CShellView* view_ = nullptr;
};

TEST_F(ShellFrameTest, ClockPanesFollowTheirHandlersAtIdleOnlyWhileTheFrameShows) {
    CStatusBar& bar = frame_->m_wndStatusBar;
    EXPECT_EQ(bar.CommandToIndex(kPaneWeekday), 1);
    EXPECT_EQ(bar.CommandToIndex(kPaneDate), 2);
    EXPECT_EQ(bar.CommandToIndex(kPaneTime), 3);
    EXPECT_EQ(bar.GetPaneText(3), " 09:05 AM");
    // A handler that sets no text leaves the pane's own.
    EXPECT_EQ(bar.GetPaneText(1), " Wednesday ");
    // The pane keeps the width its indicator string gave it.
    CRect time;
    bar.GetItemRect(3, &time);
    frame_->m_timeText = " 12:30 PM";
    frame_->PostMessage(WM_NULL);
    Pump();
    EXPECT_EQ(bar.GetPaneText(3), " 12:30 PM");
    CRect after;
    bar.GetItemRect(3, &after);
    EXPECT_EQ(after, time);
    // Hidden, the frame's panes are left alone.
    frame_->ShowWindow(SW_HIDE);
    frame_->m_timeText = " 12:31 PM";
    frame_->PostMessage(WM_NULL);
    Pump();
    EXPECT_EQ(bar.GetPaneText(3), " 12:30 PM");
}

TEST_F(ShellFrameTest, FrameTimersFireOnceWhenTheHandlerKillsThem) {
    // Created with the frame at 1000 ms each.
    Advance(999);
    EXPECT_TRUE(frame_->m_timers.empty());
    Advance(1);
    EXPECT_EQ(frame_->m_timers.size(), 3U);
    Advance(5000, 500);
    EXPECT_EQ(frame_->m_timers.size(), 3U);
    // Armed again, an id fires again, also one that names a pane.
    frame_->SetTimer(22, 50, nullptr);
    frame_->SetTimer(kPaneDate, 100, nullptr);
    Advance(100, 10);
    EXPECT_EQ(frame_->m_timers,
              (std::vector<UINT_PTR>{kPaneTime, kPaneDate, kPaneWeekday, 22, kPaneDate}));
}

TEST_F(ShellFrameTest, TheFramesMessageStringHandlerShowsTextsPromptsAndTheStoredIdleText) {
    CStatusBar& bar = frame_->m_wndStatusBar;
    frame_->SetMessageText("Sensor getrennt");
    EXPECT_EQ(bar.GetPaneText(0), "Sensor getrennt");
    // Pointing at a menu item shows the prompt of the item the frame translated, while the
    // menu idles; closing the menu brings back the stored text.
    frame_->SendMessage(WM_MENUSELECT, MAKEWPARAM(kCmdConnection, MF_STRING), 0);
    frame_->SendMessage(WM_ENTERIDLE, MSGF_MENU, 0);
    EXPECT_EQ(bar.GetPaneText(0), "Shows the connected devices");
    EXPECT_EQ(frame_->m_nIDLastMessage, kCmdConnection + kLanguageOffset);
    frame_->SendMessage(WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);
    EXPECT_EQ(bar.GetPaneText(0), "Sensor getrennt");
    EXPECT_EQ(frame_->m_nIDLastMessage, AFX_IDS_IDLEMESSAGE);
    // The previous id is what the message returns.
    EXPECT_EQ(frame_->SendMessage(WM_SETMESSAGESTRING, kCmdConnection), AFX_IDS_IDLEMESSAGE);
}

TEST_F(ShellFrameTest, TheMinimumTrackingSizeHoldsForMovesAndFollowsThePage) {
    frame_->MoveWindow(10, 10, 300, 200);
    CRect rect;
    frame_->GetWindowRect(&rect);
    EXPECT_EQ(rect.Width(), 800);
    EXPECT_EQ(rect.Height(), 705);
    frame_->OnPage(kCmdConnection);
    frame_->MoveWindow(10, 10, 300, 200);
    frame_->GetWindowRect(&rect);
    EXPECT_EQ(rect.Height(), 735);
}

TEST_F(ShellFrameTest, DeviceChangesReachTheFrameWithTheirDataAndAnswer) {
    EXPECT_EQ(frame_->SendMessage(WM_DEVICECHANGE, 0x8000, 0x1234), TRUE);
    frame_->m_stopMeasureDuringScan = TRUE;
    EXPECT_EQ(frame_->SendMessage(WM_DEVICECHANGE, 7, 0), FALSE);
    ASSERT_EQ(frame_->m_deviceChanges.size(), 1U);
    EXPECT_EQ(frame_->m_deviceChanges[0].first, 0x8000U);
    EXPECT_EQ(frame_->m_deviceChanges[0].second, 0x1234U);
}

TEST_F(ShellFrameTest, KeysInAPageMeetTheFramesShortcutsBeforeTheControl) {
    frame_->OnPage(kCmdConnection);
    Pump();
    HWND edit = ::GetDlgItem(view_->m_pages[1]->m_hWnd, kIdcPageEdit);
    ASSERT_NE(edit, nullptr);
    ::SetFocus(edit);
    Pump();
    ClearLog();
    KeyPress(VK_ESCAPE);
    KeyDown(VK_CONTROL);
    KeyPress(VK_TAB);
    KeyUp(VK_CONTROL);
    EXPECT_EQ(frame_->m_pageSteps, 1);
    // Neither key reached the page: it is still shown, the edit still has the focus.
    EXPECT_TRUE(view_->m_pages[1]->IsWindowVisible());
    EXPECT_EQ(::GetFocus(), edit);
    Type("7");
    EXPECT_EQ(TextOf(edit), "7");
}

TEST_F(ShellFrameTest, TheEditViewHostsHiddenPagesWithoutScrollBarsOrCaret) {
    const DWORD style = view_->GetStyle();
    EXPECT_EQ(style & (WS_HSCROLL | WS_VSCROLL | ES_AUTOHSCROLL), 0U);
    EXPECT_EQ(style & (ES_READONLY | ES_NOHIDESEL | ES_MULTILINE),
              static_cast<DWORD>(ES_READONLY | ES_NOHIDESEL | ES_MULTILINE));
    for (CDialog* page : view_->m_pages) {
        ASSERT_NE(page->m_hWnd, nullptr);
        EXPECT_EQ(page->GetParent(), view_);
        EXPECT_FALSE(page->IsWindowVisible());
    }
    // The view's size goes to the first page.
    CRect client;
    view_->GetClientRect(&client);
    CRect page;
    view_->m_pages[0]->GetWindowRect(&page);
    EXPECT_EQ(page.Size(), client.Size());
    // Focus on the view leaves no caret behind.
    view_->SetFocus();
    Pump();
    EXPECT_FALSE(::DestroyCaret());
    // The print command finds the view's handler through the frame's routing.
    AFX_CMDHANDLERINFO info{};
    EXPECT_TRUE(frame_->OnCmdMsg(ID_FILE_PRINT, CN_COMMAND, nullptr, &info));
    EXPECT_EQ(info.pTarget, view_);
}

}  // namespace
}  // namespace kq::fw::test::shell
