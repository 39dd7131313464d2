// The test application driven as a user would: commands through the menus by keyboard and mouse
// reaching view, document, frame and application with their update handlers, shortcut keys,
// status panes at idle, the bars docked on each side, floated, docked again, resized, hidden and
// restored from the saved bar state, and what the screen shows (headless, and once through an
// X server).
#include <gtest/gtest.h>

#include <chrono>
#include <memory>

#include "framework/FrameworkTest.h"
#include "framework/TestApplication.h"
#include "platform/ui/Input.h"
#include "platform/ui/backend/X11BackEnd.h"
#include "platform/ui/menu/MenuBar.h"
#include "platform/ui/paint/Screenshot.h"
#include "ui/XvfbServer.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

namespace kq::fw::testapp {
namespace {

using kq::fw::test::FrameworkTest;

class TestApplicationRun : public FrameworkTest {
  protected:
    void SetUp() override {
        FrameworkTest::SetUp();
        resources_ = std::make_unique<Resources>();
        RoutedCommands().clear();
        Start();
    }
    void TearDown() override {
        Stop();
        FrameworkTest::TearDown();
        resources_.reset();
    }
    // Starts the application as its entry point would, minus the blocking loop.
    void Start() {
        app_ = std::make_unique<CTestApplication>();
        ASSERT_TRUE(app_->InitInstance());
        app_->ConnectToMessageLoop();
        frame_ = DYNAMIC_DOWNCAST(CAppFrame, app_->m_pMainWnd);
        ASSERT_NE(frame_, nullptr);
        frame_->MoveWindow(20, 20, 640, 480);
        frame_->SetFocus();
        Pump();
    }
    // Closes the main window as the user would (the bar state is saved) and ends.
    void Stop() {
        if (app_ == nullptr)
            return;
        if (app_->m_pMainWnd != nullptr)
            app_->m_pMainWnd->SendMessage(WM_CLOSE);
        Pump();
        app_->DisconnectFromMessageLoop();
        app_->ExitInstance();
        app_.reset();
        frame_ = nullptr;
    }
    CAppView* View() const { return DYNAMIC_DOWNCAST(CAppView, frame_->GetActiveView()); }
    static void Key(UINT vk, const char* text = nullptr) {
        kq::ui::InjectKey(vk, true, text);
        kq::ui::InjectKey(vk, false);
    }
    static void Click(CPoint pt) {
        kq::ui::InjectMouseMove(pt);
        kq::ui::InjectMouseButton(pt, VK_LBUTTON, true);
        kq::ui::InjectMouseButton(pt, VK_LBUTTON, false);
    }
    // Runs the menu script until the menu has closed.
    void RunMenu(std::initializer_list<std::function<void(HWND)>> steps) {
        frame_->m_scriptMenus = TRUE;
        frame_->m_menuSteps.assign(steps.begin(), steps.end());
        for (int i = 0; i < 4; ++i)
            Pump();
        frame_->m_scriptMenus = FALSE;
    }
    CPoint BarItem(int index) const {
        const std::vector<RECT> items = kq::ui::MenuBarItemRects(frame_->m_hWnd);
        return CRect(items.at(static_cast<size_t>(index))).CenterPoint();
    }
    CDockBar* Dock(UINT id) const { return DYNAMIC_DOWNCAST(CDockBar, frame_->GetControlBar(id)); }
    static CRect Screen(CWnd* wnd) {
        CRect rect;
        wnd->GetWindowRect(&rect);
        return rect;
    }
    static COLORREF Pixel(CPoint pt) { return kq::ui::GetScreenPixel(pt.x, pt.y); }

    std::unique_ptr<Resources> resources_;
    std::unique_ptr<CTestApplication> app_;
    CAppFrame* frame_ = nullptr;
};

TEST_F(TestApplicationRun, CommandsFromTheMenuReachViewDocumentFrameAndApplication) {
    // The menu keys are typed with no window focused, so the active frame gets them directly.
    ::SetFocus(nullptr);
    // Alt+B opens "Befehle"; the items are chosen by their mnemonics, one menu each.
    for (const char* mnemonic : {"a", "d", "r", "p"}) {
        kq::ui::InjectKey(VK_MENU, true);
        Key('B', "b");
        kq::ui::InjectKey(VK_MENU, false);
        RunMenu({[mnemonic](HWND) { Key(static_cast<UINT>(toupper(*mnemonic)), mnemonic); }});
    }
    EXPECT_EQ(RoutedCommands(),
              (std::vector<std::string>{"view", "document", "frame", "application"}));

    // "Nirgends" has no handler: it is greyed when the menu opens and cannot be chosen.
    RoutedCommands().clear();
    kq::ui::InjectKey(VK_MENU, true);
    Key('B', "b");
    kq::ui::InjectKey(VK_MENU, false);
    RunMenu(
        {[](HWND) { Key('N', "n"); }, [](HWND) { Key(VK_ESCAPE); }, [](HWND) { Key(VK_ESCAPE); }});
    EXPECT_TRUE(RoutedCommands().empty());
    HMENU commands = ::GetSubMenu(::GetMenu(frame_->m_hWnd), 1);
    EXPECT_EQ(::GetMenuState(commands, ID_CMD_NOWHERE, MF_BYCOMMAND) & MF_GRAYED, MF_GRAYED);
}

TEST_F(TestApplicationRun, MenuKeysTypedInTheFocusedViewOpenTheFramesMenu) {
    ASSERT_EQ(CWnd::GetFocus(), frame_->GetActiveView());
    kq::ui::InjectKey(VK_MENU, true);
    Key('B', "b");
    kq::ui::InjectKey(VK_MENU, false);
    RunMenu({[](HWND) { Key('A', "a"); }});
    EXPECT_EQ(RoutedCommands(), std::vector<std::string>{"view"});
}

TEST_F(TestApplicationRun, TheMouseChoosesFromThePopupAndTheCheckFollowsTheView) {
    // A click on "Befehle", then on its first item.
    Click(BarItem(1));
    RunMenu({[](HWND popup) {
        CRect rect;
        ::GetWindowRect(popup, &rect);
        Click(CPoint(rect.CenterPoint().x, rect.top + 8));
    }});
    EXPECT_EQ(RoutedCommands(), std::vector<std::string>{"view"});

    // F5 counts; the menu shows the check of an odd count.
    Key(VK_F5);
    Pump();
    EXPECT_EQ(View()->count, 1);
    HMENU commands = ::GetSubMenu(::GetMenu(frame_->m_hWnd), 1);
    Click(BarItem(1));
    RunMenu({[](HWND) { Key(VK_ESCAPE); }, [](HWND) { Key(VK_ESCAPE); }});
    EXPECT_EQ(::GetMenuState(commands, ID_CMD_COUNT, MF_BYCOMMAND) & MF_CHECKED, MF_CHECKED);
    Key(VK_F5);
    Pump();
    Click(BarItem(1));
    RunMenu({[](HWND) { Key(VK_ESCAPE); }, [](HWND) { Key(VK_ESCAPE); }});
    EXPECT_EQ(::GetMenuState(commands, ID_CMD_COUNT, MF_BYCOMMAND) & MF_CHECKED, 0u);
}

TEST_F(TestApplicationRun, TheFormInTheBlueBarWorksOnTheDocument) {
    CFrameWnd* inner = frame_->m_wndBlue.m_pInner;
    ASSERT_NE(inner, nullptr);
    auto* form = DYNAMIC_DOWNCAST(CAppForm, inner->GetActiveView());
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(form->GetDocument(), frame_->GetActiveDocument());
    EXPECT_EQ(inner->GetParent(), &frame_->m_wndBlue);
    // The inner frame fills the bar and the form the inner frame.
    CRect bar;
    frame_->m_wndBlue.GetClientRect(&bar);
    EXPECT_EQ(Screen(inner).Size(), bar.Size());
    // Its button by mouse raises the tare and the field shows it.
    Click(Screen(form->GetDlgItem(IDC_FORM_TARE)).CenterPoint());
    Pump();
    auto* doc = static_cast<CAppDoc*>(form->GetDocument());
    EXPECT_EQ(doc->tare, 1);
    EXPECT_EQ(TextOf(form->GetDlgItem(IDC_FORM_VALUE)->m_hWnd), "1");
    // A value typed into the field goes back to the document.
    form->GetDlgItem(IDC_FORM_VALUE)->SetWindowText("25");
    EXPECT_TRUE(form->UpdateData(TRUE));
    EXPECT_EQ(doc->tare, 25);
    // The main frame's shortcuts still work while the form's field has the focus.
    form->GetDlgItem(IDC_FORM_VALUE)->SetFocus();
    Key(VK_F5);
    Pump();
    EXPECT_EQ(View()->count, 1);
}

TEST_F(TestApplicationRun, TheClockPaneFollowsItsUpdateHandlerAtIdle) {
    EXPECT_EQ(frame_->m_wndStatusBar.GetPaneText(1), " 12:00:00 ");
    frame_->m_clock = " 12:34:56 ";
    EXPECT_EQ(frame_->m_wndStatusBar.GetPaneText(1), " 12:00:00 ");
    frame_->PostMessage(WM_NULL);
    Pump();  // idle time after the message
    EXPECT_EQ(frame_->m_wndStatusBar.GetPaneText(1), " 12:34:56 ");
    EXPECT_EQ(frame_->m_wndStatusBar.GetPaneText(0), "Bereit");
    EXPECT_GT(frame_->m_wndRed.m_updates, 0);
}

TEST_F(TestApplicationRun, BarsMoveBetweenSidesFloatComeBackAndKeepTheirPlacesAcrossRuns) {
    // At the start: red at the top, green left, blue right.
    EXPECT_EQ(frame_->m_wndRed.m_pDockBar, Dock(AFX_IDW_DOCKBAR_TOP));
    EXPECT_EQ(frame_->m_wndGreen.m_pDockBar, Dock(AFX_IDW_DOCKBAR_LEFT));
    EXPECT_EQ(frame_->m_wndBlue.m_pDockBar, Dock(AFX_IDW_DOCKBAR_RIGHT));

    // Red dragged onto the bottom edge of the client area docks there.
    CRect client;
    frame_->GetClientRect(&client);
    frame_->ClientToScreen(&client);
    const CRect red = Screen(&frame_->m_wndRed);
    const CPoint grab(red.left + 20, red.top + 10);
    const CPoint drop(client.left + 100, client.bottom - 30);
    kq::ui::InjectMouseMove(grab);
    kq::ui::InjectMouseButton(grab, VK_LBUTTON, true);
    kq::ui::InjectMouseMove(drop);
    kq::ui::InjectMouseButton(drop, VK_LBUTTON, false);
    Pump();
    EXPECT_EQ(frame_->m_wndRed.m_pDockBar, Dock(AFX_IDW_DOCKBAR_BOTTOM));
    EXPECT_TRUE(frame_->m_wndRed.IsHorz());

    // Green floats by a double click and comes back by another.
    frame_->m_wndGreen.m_pDockContext->ToggleDocking();
    Pump();
    ASSERT_TRUE(frame_->m_wndGreen.IsFloating());
    frame_->m_wndGreen.m_pDockContext->ToggleDocking();
    Pump();
    EXPECT_EQ(frame_->m_wndGreen.m_pDockBar, Dock(AFX_IDW_DOCKBAR_LEFT));

    // Blue floats and its frame is widened by its right border.
    frame_->FloatControlBar(&frame_->m_wndBlue, CPoint(300, 250));
    frame_->RecalcLayout();
    Pump();
    CFrameWnd* floating = frame_->m_wndBlue.GetParentFrame();
    ASSERT_NE(floating, frame_);
    const CRect before = Screen(floating);
    const CPoint edge(before.right - 2, before.CenterPoint().y);
    kq::ui::InjectMouseMove(edge);
    kq::ui::InjectMouseButton(edge, VK_LBUTTON, true);
    kq::ui::InjectMouseMove(edge + CSize(60, 0));
    kq::ui::InjectMouseButton(edge + CSize(60, 0), VK_LBUTTON, false);
    Pump();
    const CRect after = Screen(floating);
    EXPECT_EQ(after.left, before.left);
    EXPECT_NEAR(after.Width(), before.Width() + 60, 2);
    const int blueWidth = frame_->m_wndBlue.m_sizeFloat.cx;
    EXPECT_GT(blueWidth, 160);

    // Red hidden through its menu item.
    frame_->SendMessage(WM_COMMAND, ID_BAR_RED);
    EXPECT_FALSE(frame_->m_wndRed.IsVisible());

    // The next run comes up as this one ended.
    const CPoint floatingAt = Screen(floating).TopLeft();
    Stop();
    Start();
    EXPECT_FALSE(frame_->m_wndRed.IsVisible());
    EXPECT_EQ(frame_->m_wndRed.m_pDockBar, Dock(AFX_IDW_DOCKBAR_BOTTOM));
    EXPECT_EQ(frame_->m_wndGreen.m_pDockBar, Dock(AFX_IDW_DOCKBAR_LEFT));
    ASSERT_TRUE(frame_->m_wndBlue.IsFloating());
    EXPECT_EQ(Screen(frame_->m_wndBlue.GetParentFrame()).TopLeft(), floatingAt);

    // Shown again through the menu.
    frame_->SendMessage(WM_COMMAND, ID_BAR_RED);
    Pump();
    EXPECT_TRUE(frame_->m_wndRed.IsWindowVisible());
}

TEST_F(TestApplicationRun, TheScreenShowsBarsViewAndStatusWhereTheyAre) {
    Pump();
    EXPECT_EQ(Pixel(Screen(&frame_->m_wndRed).CenterPoint()), kRed);
    EXPECT_EQ(Pixel(Screen(&frame_->m_wndGreen).CenterPoint()), kGreen);
    // The blue bar holds the form: its value field shows the document's tare.
    CFrameWnd* inner = frame_->m_wndBlue.m_pInner;
    ASSERT_NE(inner, nullptr);
    CView* form = inner->GetActiveView();
    ASSERT_NE(form, nullptr);
    EXPECT_TRUE(form->IsKindOf(RUNTIME_CLASS(CFormView)));
    EXPECT_TRUE(form->IsWindowVisible());
    EXPECT_EQ(TextOf(form->GetDlgItem(IDC_FORM_VALUE)->m_hWnd), "0");
    CView* view = frame_->GetActiveView();
    const CRect viewRect = Screen(view);
    EXPECT_EQ(Pixel(viewRect.CenterPoint()), kPaper);
    // The view lies between the bars.
    EXPECT_GE(viewRect.left, Screen(&frame_->m_wndGreen).right - 2);
    EXPECT_LE(viewRect.right, Screen(&frame_->m_wndBlue).left + 2);
    EXPECT_GE(viewRect.top, Screen(&frame_->m_wndRed).bottom - 2);

    // The status bar shows text in its panes: some pixels differ from the face colour.
    CRect pane;
    frame_->m_wndStatusBar.GetItemRect(1, &pane);
    frame_->m_wndStatusBar.ClientToScreen(&pane);
    const kq::gfx::Image shot = kq::ui::CaptureScreenRect(pane, {false, false});
    int ink = 0;
    for (int y = 2; y < shot.height - 2; ++y) {
        for (int x = 2; x < shot.width - 2; ++x)
            ink += (shot.Pixel(x, y) & 0xFFFFFF) != (::GetSysColor(COLOR_BTNFACE) & 0xFFFFFF);
    }
    EXPECT_GT(ink, 10);

    // The menu bar shows its three items.
    EXPECT_EQ(kq::ui::MenuBarItemRects(frame_->m_hWnd).size(), 3u);
    const CRect frameRect = Screen(frame_);
    EXPECT_TRUE(kq::ui::SaveScreenshot("testapp_headless.png", &frameRect, {false, false}));
}

using kq::ui::test::Xvfb;

class TestApplicationOnX : public FrameworkTest {};

TEST_F(TestApplicationOnX, TheApplicationShowsTheSameThroughAnXServerAndTakesItsKeys) {
    Xvfb xvfb;
    if (xvfb.Name().empty())
        GTEST_SKIP() << "Xvfb is not available";
    std::string error;
    auto backEnd = kq::ui::X11BackEnd::Open(xvfb.Name(), &error);
    ASSERT_TRUE(backEnd) << error;
    Resources resources;
    RoutedCommands().clear();
    auto app = std::make_unique<CTestApplication>();
    ASSERT_TRUE(app->InitInstance());
    app->ConnectToMessageLoop();
    auto* frame = DYNAMIC_DOWNCAST(CAppFrame, app->m_pMainWnd);
    ASSERT_NE(frame, nullptr);
    frame->MoveWindow(10, 10, 600, 400);
    frame->SetFocus();  // the main view: no caret blinking into the comparison
    const auto settle = [&] {
        for (int i = 0; i < 4; ++i) {
            Pump();
            backEnd->Sync();
        }
    };
    settle();

    // Keys typed on the X server reach the application's shortcut table.
    Display* probe = XOpenDisplay(xvfb.Name().c_str());
    ASSERT_NE(probe, nullptr);
    XSetInputFocus(probe, backEnd->Window(), RevertToParent, CurrentTime);
    const KeyCode f5 = XKeysymToKeycode(probe, XK_F5);
    XTestFakeKeyEvent(probe, f5, True, CurrentTime);
    XTestFakeKeyEvent(probe, f5, False, CurrentTime);
    XSync(probe, False);
    auto* view = DYNAMIC_DOWNCAST(CAppView, frame->GetActiveView());
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (view->count == 0 && std::chrono::steady_clock::now() < deadline) {
        backEnd->Sync();
        Pump();
        kq::ui::WaitForWork(20);
    }
    EXPECT_EQ(view->count, 1);
    settle();

    // What the X server shows of the frame is what the headless screen holds.
    CRect area;
    frame->GetWindowRect(&area);
    XImage* shot = XGetImage(probe, backEnd->Window(), area.left, area.top,
                             static_cast<unsigned>(area.Width()),
                             static_cast<unsigned>(area.Height()), AllPlanes, ZPixmap);
    ASSERT_NE(shot, nullptr);
    const kq::gfx::Image headless = kq::ui::CaptureScreenRect(area, {false, false});
    int differences = 0;
    for (int y = 0; y < area.Height(); ++y) {
        for (int x = 0; x < area.Width(); ++x)
            differences += (XGetPixel(shot, x, y) & 0xFFFFFF) != (headless.Pixel(x, y) & 0xFFFFFF);
    }
    EXPECT_EQ(differences, 0);
    XDestroyImage(shot);
    XCloseDisplay(probe);

    frame->SendMessage(WM_CLOSE);
    Pump();
    app->DisconnectFromMessageLoop();
    app->ExitInstance();
    app.reset();
    backEnd.reset();
}

}  // namespace
}  // namespace kq::fw::testapp
