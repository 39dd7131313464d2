// Start-up and end of a single-document shell as the product runs it: the process arguments,
// the hidden first show, the order of creation and initial update against posted messages, the
// menu the application puts in place of the resource's, the frame's own style, a failed frame,
// and the way out through the exit command, the close handler and the message loop.
#include <gtest/gtest.h>

#include "framework/appcontract_double_test.h"
#include "platform/base/Registry.h"

namespace kq::fw::test::shell {
namespace {

class ShellStart : public FrameworkTest {
  protected:
    void SetUp() override {
        FrameworkTest::SetUp();
        app_ = std::make_unique<CShellApp>();
    }
    void TearDown() override {
        if (app_->m_pMainWnd != nullptr)
            app_->DisconnectFromMessageLoop();
        FrameworkTest::TearDown();
        app_.reset();
    }
    BOOL Start(std::vector<const char*> args = {"kq7"}) {
        std::vector<char*> argv;
        for (const char* arg : args)
            argv.push_back(const_cast<char*>(arg));
        AfxWinInit(app_.get(), static_cast<int>(argv.size()), argv.data());
        EXPECT_TRUE(app_->InitApplication());
        return app_->InitInstance();
    }

    ShellResources resources_;
    std::unique_ptr<CShellApp> app_;
};

TEST_F(ShellStart, TheFrameIsMadeHiddenAndThePagesRegisterAfterTheInitialUpdate) {
    ASSERT_TRUE(Start({"kq7", "--Restart"}));
    // The restart hand-over is seen in the command line; the shell command stays a new file.
    EXPECT_TRUE(app_->m_bRestartSeen);
    CShellFrame* frame = ShellFrame();
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(app_->m_pMainWnd, frame);
    EXPECT_FALSE(frame->IsWindowVisible());
    EXPECT_EQ(app_->m_nCmdShow, -1);
    // The frame's style is exactly the overlapped window's: the document name never joins the
    // title, which is the first part of the template's string.
    EXPECT_EQ(frame->GetStyle() & ~(WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN),
              static_cast<DWORD>(WS_OVERLAPPEDWINDOW));
    EXPECT_EQ(TextOf(frame->m_hWnd), "KQ7-B Brevan S.A.S.");

    auto* view = DYNAMIC_DOWNCAST(CShellView, frame->GetActiveView());
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(view->m_nInitialUpdates, 1);
    EXPECT_EQ(view->m_pMainWndAtInitialUpdate, frame);
    // The registrations were posted: none has arrived when start-up returns.
    EXPECT_TRUE(frame->m_registered.empty());
    Pump();
    ASSERT_EQ(frame->m_registered.size(), 3U);
    EXPECT_EQ(frame->m_registered[0].first, kRegisterView);
    EXPECT_EQ(frame->m_registered[0].second, view);
    EXPECT_EQ(frame->m_registered[1].second, view->m_pages[0]);
    EXPECT_EQ(frame->m_registered[2].second, view->m_pages[1]);

    // Once the frame shows, the status line carries the idle message the frame posted itself.
    frame->ShowWindow(SW_SHOWMAXIMIZED);
    Pump();
    EXPECT_TRUE(frame->IsZoomed());
    EXPECT_EQ(frame->m_wndStatusBar.GetPaneText(0), "");
}

TEST_F(ShellStart, TheApplicationsOwnMenuReplacesTheResourceMenuForGood) {
    ASSERT_TRUE(Start());
    CShellFrame* frame = ShellFrame();
    HMENU menu = ::GetMenu(frame->m_hWnd);
    ASSERT_NE(menu, nullptr);
    EXPECT_NE(menu, app_->m_hOldMenu);
    EXPECT_FALSE(::IsMenu(app_->m_hOldMenu));
    EXPECT_EQ(frame->m_hMenuDefault, menu);
    CString text;
    ::GetMenuString(menu, 0, text.GetBuffer(32), 32, MF_BYPOSITION);
    text.ReleaseBuffer();
    EXPECT_EQ(text, "&File");
    // Its pop-ups take their state from the frame's update handlers.
    frame->OnPage(kCmdConnection);
    HMENU mode = ::GetSubMenu(menu, 1);
    frame->SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(mode), 1);
    EXPECT_EQ(::GetMenuState(mode, kCmdConnection, MF_BYCOMMAND) & MF_CHECKED,
              static_cast<UINT>(MF_CHECKED));
    EXPECT_EQ(::GetMenuState(mode, kCmdMeasure, MF_BYCOMMAND) & MF_CHECKED, 0U);
    // Destroying the frame keeps the menu that is its default and destroys it with the window.
    frame->DestroyWindow();
    EXPECT_FALSE(::IsMenu(menu));
}

TEST_F(ShellStart, AFrameThatFailsToCreateFailsTheStartWithoutLeftovers) {
    CShellFrame::s_failCreate = true;
    EXPECT_FALSE(Start());
    EXPECT_EQ(app_->m_pMainWnd, nullptr);
    EXPECT_EQ(ShellFrame(), nullptr);
    EXPECT_EQ(app_->m_hOldMenu, nullptr);  // the menu swap was not reached
    // The framework told the user that no document could be made.
    ASSERT_EQ(boxes_.size(), 1U);
    // The document went with the frame.
    POSITION pos = app_->GetFirstDocTemplatePosition();
    EXPECT_EQ(app_->GetNextDocTemplate(pos)->GetFirstDocPosition(), nullptr);
}

TEST_F(ShellStart, ExitGoesThroughTheCloseHandlerAndEndsTheLoopWithItsCode) {
    ASSERT_TRUE(Start());
    CShellFrame* frame = ShellFrame();
    frame->ShowWindow(SW_SHOWNORMAL);
    frame->m_refuseClose = 1;
    // The menu's exit posts the framework's exit command, which closes the main window.
    frame->SendMessage(WM_COMMAND, kCmdExit);
    Pump();
    EXPECT_EQ(Journal(), (std::vector<std::string>{"close refused"}));
    EXPECT_TRUE(::IsWindow(frame->m_hWnd));

    Journal().clear();
    frame->PostMessage(WM_COMMAND, kCmdExit);
    const int code = app_->Run();
    EXPECT_EQ(code, 0);
    // The override of DestroyWindow saves once before the window goes; the view's pages go
    // with the view, in their order; the application's exit follows the loop.
    EXPECT_EQ(Journal(), (std::vector<std::string>{"close", "settings saved", "page 0 destroyed",
                                                   "page 1 destroyed", "view deleted", "exit 0"}));
    EXPECT_EQ(app_->m_pMainWnd, nullptr);
    EXPECT_EQ(app_->GetProfileString("Version", "Version", "0.0"), "2.04");
}

TEST_F(ShellStart, TheFirstStartWipesStaleSettingsBeforeTheFrameReadsThem) {
    app_->SetRegistryKey(kCompany);
    app_->WriteProfileString("Version", "Version", "2.04 ");
    app_->WriteProfileInt("DespiteReset", "LastUsedSerialNo", 77);
    app_->WriteProfileString("Recent File List", "File1", "/data/old.kq");
    ASSERT_TRUE(Start());
    // The recent-file list was read before the key went.
    ASSERT_NE(app_->m_pRecentFileList, nullptr);
    EXPECT_EQ((*app_->m_pRecentFileList)[0], "/data/old.kq");
    EXPECT_EQ(app_->GetProfileInt("DespiteReset", "LastUsedSerialNo", 0), 0);
    HKEY key = nullptr;
    EXPECT_NE(::RegOpenKeyEx(HKEY_CURRENT_USER, kAppKey, 0, KEY_READ, &key), ERROR_SUCCESS);
    // Writing again makes the key anew.
    app_->WriteProfileString("Version", "Version", "2.04");
    EXPECT_EQ(app_->GetProfileString("Version", "Version", "0.0"), "2.04");
}

}  // namespace
}  // namespace kq::fw::test::shell
