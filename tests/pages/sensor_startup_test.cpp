// The start-up search window on the application: the search's progress in the bar, a search
// without a sensor and its offer, the only-USB choice during and outside a search and over a
// restart, French captions, Escape, and its white background.
#include <gtest/gtest.h>

#include "app/AppTest.h"
#include "pages/sensor/CDlgSensorConnection.h"
#include "platform/framework/commctrl/ProgressCtrl.h"
#include "platform/ui/Timers.h"

namespace apptest {
namespace {

using StartUpWindow = AppTest;

bool Visible(CDlgStartUp& window, int id) {
    CWnd* control = window.GetDlgItem(id);
    return control != nullptr && (control->GetStyle() & WS_VISIBLE) != 0;
}

CString TextOfItem(CDlgStartUp& window, int id) {
    CString text;
    window.GetDlgItemText(id, text);
    return text;
}

TEST_F(StartUpWindow, ASearchWithoutASensorOffersToSearchAgainOverEveryPort) {
    PrepareStore();
    sim_->AddSilentPort("COM3 Other serial port");
    CMainFrame* frame = StartAndComplete();
    ASSERT_NE(frame, nullptr);
    CDlgStartUp& window = frame->m_dlgStartUp;
    ASSERT_NE(window.m_hWnd, nullptr);
    EXPECT_EQ(TextOfItem(window, CDlgStartUp::IDC_MESSAGE_TEXT),
              "Die Suche nach einem kompatiblen Sensor läuft...");
    EXPECT_EQ(TextOfItem(window, CDlgStartUp::IDC_QUIT), "Beenden");
    // The ticked box says what it does.
    EXPECT_TRUE(Visible(window, CDlgStartUp::IDC_SEARCH_ALL_PORTS));
    EXPECT_EQ(TextOfItem(window, CDlgStartUp::IDC_SEARCH_ALL_PORTS), "Alle Schnittstellen");
    EXPECT_FALSE(Visible(window, CDlgStartUp::IDC_SEARCH_AGAIN));
    CString caption;
    window.GetWindowText(caption);
    EXPECT_EQ(caption, "KQ7-B Brevan S.A.S.");

    Run(5000);
    EXPECT_FALSE(window.IsBusy());
    EXPECT_TRUE(window.IsWindowVisible());
    EXPECT_TRUE(Visible(window, CDlgStartUp::IDC_SEARCH_AGAIN));
    EXPECT_TRUE(Visible(window, CDlgStartUp::IDC_INFO));
    EXPECT_EQ(TextOfItem(window, CDlgStartUp::IDC_SEARCH_AGAIN), "Nochmals suchen");
    EXPECT_TRUE(TextOfItem(window, CDlgStartUp::IDC_MESSAGE_TEXT)
                    .Find("Es konnte kein kompatibler Sensor gefunden werden.") == 0);

    // Searched again in vain: the whole offer comes back, the search of every port with it.
    window.SendMessage(WM_COMMAND, MAKEWPARAM(CDlgStartUp::IDC_SEARCH_AGAIN, BN_CLICKED), 0);
    EXPECT_FALSE(Visible(window, CDlgStartUp::IDC_SEARCH_ALL_PORTS));
    Run(5000);
    EXPECT_TRUE(Visible(window, CDlgStartUp::IDC_SEARCH_AGAIN));
    EXPECT_TRUE(Visible(window, CDlgStartUp::IDC_SEARCH_ALL_PORTS));

    // A sensor plugged in since: Search again finds it and the window goes.
    sim_->AddSensor("COM4 Tarvik USB sensor interface port", 4444);
    window.SendMessage(WM_COMMAND, MAKEWPARAM(CDlgStartUp::IDC_SEARCH_AGAIN, BN_CLICKED), 0);
    EXPECT_FALSE(Visible(window, CDlgStartUp::IDC_SEARCH_AGAIN));
    EXPECT_FALSE(Visible(window, CDlgStartUp::IDC_INFO));
    Run(5000);
    EXPECT_FALSE(window.IsWindowVisible());
    EXPECT_TRUE(frame->IsWindowVisible());
}

TEST_F(StartUpWindow, OnlyUsbDuringASearchRestartsItAndLeavesOtherStepsArmed) {
    PrepareStore();
    sim_->AddSensor("COM1 Tarvik USB sensor interface port", 1111);
    CMainFrame* frame = StartAndComplete();
    ASSERT_NE(frame, nullptr);
    CDlgStartUp& window = frame->m_dlgStartUp;
    Run(250);  // the search has started: the bar is shown
    ASSERT_TRUE(window.IsBusy());
    frame->SetTimer(CMainFrame::TIMER_CLOSE_AGAIN, 60000, nullptr);
    frame->SetTimer(38, 60000, nullptr);
    window.CheckDlgButton(CDlgStartUp::IDC_ONLY_USB, BST_CHECKED);
    window.SendMessage(WM_COMMAND, MAKEWPARAM(CDlgStartUp::IDC_ONLY_USB, BN_CLICKED), 0);
    EXPECT_TRUE(window.IsSearchForOnlyUsbPorts());
    EXPECT_TRUE(::KillTimer(frame->m_hWnd, CMainFrame::TIMER_CLOSE_AGAIN));
    EXPECT_TRUE(::KillTimer(frame->m_hWnd, 38));
    Run(5000);
    EXPECT_FALSE(window.IsWindowVisible());
    EXPECT_TRUE(frame->IsWindowVisible());

    // Idle, the box only stores the choice; the choice survives the next start.
    window.CheckDlgButton(CDlgStartUp::IDC_ONLY_USB, BST_UNCHECKED);
    window.SendMessage(WM_COMMAND, MAKEWPARAM(CDlgStartUp::IDC_ONLY_USB, BN_CLICKED), 0);
    EXPECT_FALSE(window.IsSearchForOnlyUsbPorts());
    EXPECT_FALSE(::KillTimer(frame->m_hWnd, 31));
    window.CheckDlgButton(CDlgStartUp::IDC_ONLY_USB, BST_CHECKED);
    window.SendMessage(WM_COMMAND, MAKEWPARAM(CDlgStartUp::IDC_ONLY_USB, BN_CLICKED), 0);
    CloseFrame();
    Run(3000);
    ASSERT_EQ(Frame(), nullptr);
    NewApplication();
    ASSERT_NE(StartAndComplete(), nullptr);
    EXPECT_TRUE(Frame()->m_dlgStartUp.IsSearchForOnlyUsbPorts());
}

TEST_F(StartUpWindow, TheProgressReachesTheConnectionRowsAndStopsWithTheSearch) {
    PrepareStore();
    CMainFrame* frame = StartAndComplete();
    ASSERT_NE(frame, nullptr);
    CDlgStartUp& window = frame->m_dlgStartUp;
    CDlgSensorConnection* page = frame->GetConnectionPage();
    ASSERT_NE(page, nullptr);
    window.SetProgressActive(TRUE);
    window.ShowProgressBar(4);
    window.SetPortProgress(3);
    EXPECT_EQ(page->RowProgress(3), 0);
    window.PresetProgressStep();
    window.AdvanceProgress(0);
    EXPECT_EQ(page->RowProgress(3), StartUpProgress::RowValueOf(16, 3));
    window.SetPortProgress(2);
    EXPECT_EQ(page->RowProgress(3), 100);
    EXPECT_EQ(page->RowProgress(2), 0);
    CProgressCtrl* bar = static_cast<CProgressCtrl*>(window.GetDlgItem(CDlgStartUp::IDC_PROGRESS));
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(static_cast<int>(bar->SendMessage(PBM_GETPOS)), 50);
    window.StopProgress();
    EXPECT_EQ(page->RowProgress(2), -1);
    EXPECT_FALSE(window.m_bProgressActive);
    EXPECT_FALSE(Visible(window, CDlgStartUp::IDC_PROGRESS));
}

TEST_F(StartUpWindow, EscapeIsSwallowedOnlyAsAKey) {
    PrepareStore();
    CMainFrame* frame = StartAndComplete();
    ASSERT_NE(frame, nullptr);
    CDlgStartUp& window = frame->m_dlgStartUp;
    MSG key{window.m_hWnd, WM_KEYDOWN, VK_ESCAPE, 0, 0, {}};
    EXPECT_TRUE(window.PreTranslateMessage(&key));
    MSG mouse{frame->m_hWnd, WM_LBUTTONDOWN, VK_ESCAPE, 0, 0, {}};
    EXPECT_FALSE(window.PreTranslateMessage(&mouse));
    EXPECT_TRUE(window.IsWindowVisible());
}

TEST_F(StartUpWindow, FrenchShowsTheTallerCaption) {
    PrepareStore(2000);
    sim_->AddSilentPort("COM3 Other serial port");
    CMainFrame* frame = StartAndComplete();
    ASSERT_NE(frame, nullptr);
    CDlgStartUp& window = frame->m_dlgStartUp;
    EXPECT_TRUE(Visible(window, CDlgStartUp::IDC_ONLY_USB_CAPTION_FRENCH));
    EXPECT_FALSE(Visible(window, CDlgStartUp::IDC_ONLY_USB_CAPTION));
}

}  // namespace
}  // namespace apptest
