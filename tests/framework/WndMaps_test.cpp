// Window objects and their handles: temporary objects and their cleanup at idle, subclassing,
// pre-translation, the application's message loop, exceptions in handlers, the wait cursor.
#include <gtest/gtest.h>

#include "framework/FrameworkTest.h"

namespace {

using kq::fw::test::FrameworkTest;
using kq::fw::test::TemporaryWindowObjects;

class CSubclasser : public CWnd {
  public:
    int presubclassed = 0;
    BOOL swallowKey = FALSE;
    std::function<void()> onIdleRequest;

    void PreSubclassWindow() override { ++presubclassed; }
    LRESULT OnAnswer(WPARAM, LPARAM) { return 42; }
    LRESULT OnRunIdle(WPARAM, LPARAM) {
        onIdleRequest();
        return 0;
    }
    BOOL PreTranslateMessage(MSG* msg) override {
        return swallowKey && msg->message == WM_KEYDOWN && msg->wParam == VK_F5;
    }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CSubclasser, CWnd)
ON_MESSAGE(WM_USER + 1, &CSubclasser::OnAnswer)
ON_MESSAGE(WM_USER + 2, &CSubclasser::OnRunIdle)
END_MESSAGE_MAP()

class CLoopApp : public CWinApp {
  public:
    CLoopApp() : CWinApp("LoopApp") {}
    std::vector<std::pair<int, UINT>> filtered;
    BOOL ProcessMessageFilter(int code, LPMSG msg) override {
        filtered.emplace_back(code, msg->message);
        return msg->message == WM_USER + 77;
    }
};

class CMainProbe : public CWnd {
  public:
    int idleUpdates = 0;
    LRESULT OnIdleUpdate(WPARAM, LPARAM) {
        if (++idleUpdates == 1)
            AfxPostQuitMessage(7);
        return 0;
    }
    void OnFailingCommand() { AfxThrowNotSupportedException(); }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CMainProbe, CWnd)
ON_MESSAGE(WM_IDLEUPDATECMDUI, &CMainProbe::OnIdleUpdate)
ON_COMMAND(500, &CMainProbe::OnFailingCommand)
END_MESSAGE_MAP()

using WindowObjects = FrameworkTest;

TEST_F(WindowObjects, TemporaryObjectsLastUntilIdleButNotWhileAHandlerRuns) {
    CLoopApp app;
    HWND plain = CreateTopLevel(RECT{0, 0, 100, 100});
    CWnd* temp = CWnd::FromHandle(plain);
    EXPECT_EQ(CWnd::FromHandle(plain), temp);
    EXPECT_EQ(CWnd::FromHandlePermanent(plain), nullptr);
    EXPECT_EQ(temp->m_hWnd, plain);
    EXPECT_EQ(TemporaryWindowObjects(), 1u);

    // A modal loop inside a handler idles too: the handler may still use its temporaries.
    CSubclasser host;
    ASSERT_TRUE(host.CreateEx(0, nullptr, "host", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));
    host.onIdleRequest = [&] {
        app.OnIdle(1);
        EXPECT_EQ(TemporaryWindowObjects(), 1u);
    };
    host.SendMessage(WM_USER + 2);

    EXPECT_FALSE(app.OnIdle(1));
    EXPECT_EQ(TemporaryWindowObjects(), 0u);
    EXPECT_TRUE(IsWindow(plain));  // a temporary never destroys its window
}

TEST_F(WindowObjects, SubclassingPutsTheMapFirstAndUnsubclassingRestores) {
    HWND plain = CreateTopLevel(RECT{0, 0, 100, 100});
    CSubclasser wnd;
    ASSERT_TRUE(wnd.SubclassWindow(plain));
    EXPECT_EQ(wnd.presubclassed, 1);
    EXPECT_EQ(CWnd::FromHandle(plain), &wnd);
    CSubclasser second;
    EXPECT_FALSE(second.Attach(plain));  // one permanent object per window

    EXPECT_EQ(SendMessage(plain, WM_USER + 1, 0, 0), 42);
    EXPECT_EQ(Count(plain, WM_USER + 1), 0);
    SendMessage(plain, WM_USER + 3, 0, 0);
    EXPECT_EQ(Count(plain, WM_USER + 3), 1);  // unhandled: the window's own procedure

    EXPECT_EQ(wnd.UnsubclassWindow(), plain);
    EXPECT_EQ(wnd.m_hWnd, nullptr);
    SendMessage(plain, WM_USER + 1, 0, 0);
    EXPECT_EQ(Count(plain, WM_USER + 1), 1);
}

TEST_F(WindowObjects, SubclassDlgItemFindsTheChildAndDestructionDetaches) {
    HWND parent = CreateTopLevel(RECT{0, 0, 100, 100});
    HWND child = CreateChild(parent, 55, RECT{0, 0, 10, 10});
    CWnd parentWnd;
    ASSERT_TRUE(parentWnd.Attach(parent));
    CSubclasser wnd;
    EXPECT_FALSE(wnd.SubclassDlgItem(56, &parentWnd));
    ASSERT_TRUE(wnd.SubclassDlgItem(55, &parentWnd));
    EXPECT_EQ(parentWnd.GetDlgItem(55), &wnd);
    DestroyWindow(child);
    EXPECT_EQ(wnd.m_hWnd, nullptr);
    EXPECT_EQ(CWnd::FromHandlePermanent(child), nullptr);
    parentWnd.Detach();
}

TEST_F(WindowObjects, PreTranslationWalksFromTheTargetUpToTheMainWindow) {
    CLoopApp app;
    CSubclasser main;
    ASSERT_TRUE(main.CreateEx(0, nullptr, "main", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 200,
                              nullptr, nullptr));
    app.m_pMainWnd = &main;
    HWND inner = CreateChild(main.m_hWnd, 1, RECT{0, 0, 50, 50});
    MSG msg{inner, WM_KEYDOWN, VK_F5, 0, 0, {}};
    EXPECT_FALSE(app.PreTranslateMessage(&msg));
    main.swallowKey = TRUE;
    EXPECT_TRUE(app.PreTranslateMessage(&msg));
    msg.wParam = VK_F6;
    EXPECT_FALSE(app.PreTranslateMessage(&msg));

    // Another top-level window's messages get the main window's pre-translation as well.
    HWND other = CreateTopLevel(RECT{0, 0, 50, 50});
    MSG foreign{other, WM_KEYDOWN, VK_F5, 0, 0, {}};
    EXPECT_TRUE(app.PreTranslateMessage(&foreign));
    app.m_pMainWnd = nullptr;
}

TEST_F(WindowObjects, RunIdlesTheVisibleMainWindowAndEndsWithTheQuitCode) {
    CLoopApp app;
    char name[] = "kq7b-test";
    char* argv[] = {name};
    ASSERT_TRUE(AfxWinInit(&app, 1, argv));
    CMainProbe main;
    ASSERT_TRUE(main.CreateEx(0, nullptr, "main", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 200,
                              nullptr, nullptr));
    app.m_pMainWnd = &main;
    EXPECT_EQ(app.Run(), 7);
    EXPECT_EQ(main.idleUpdates, 1);

    // Modal loops hand their messages to the filter; TRUE keeps them from being dispatched.
    AfxWinInit(&app, 1, argv);
    MSG msg{main.m_hWnd, WM_USER + 77, 0, 0, 0, {}};
    EXPECT_TRUE(CallMsgFilter(&msg, MSGF_DIALOGBOX));
    msg.message = WM_USER + 78;
    EXPECT_FALSE(CallMsgFilter(&msg, MSGF_MENU));
    EXPECT_EQ(app.filtered, (std::vector<std::pair<int, UINT>>{{MSGF_DIALOGBOX, WM_USER + 77},
                                                               {MSGF_MENU, WM_USER + 78}}));
    app.ExitInstance();
    app.m_pMainWnd = nullptr;
}

TEST_F(WindowObjects, AnExceptionInACommandHandlerIsReportedAndTheLoopGoesOn) {
    CLoopApp app;
    char name[] = "kq7b-test";
    char* argv[] = {name};
    ASSERT_TRUE(AfxWinInit(&app, 1, argv));
    CMainProbe main;
    ASSERT_TRUE(main.CreateEx(0, nullptr, "main", WS_POPUP, 0, 0, 20, 20, nullptr, nullptr));
    EXPECT_EQ(main.SendMessage(WM_COMMAND, 500), TRUE);
    ASSERT_EQ(boxes_.size(), 1u);
    EXPECT_EQ(boxes_[0].caption, "LoopApp");
    app.ExitInstance();
}

TEST_F(WindowObjects, WaitCursorsNestAndTheLastEndRestoresTheCursor) {
    CLoopApp app;
    HCURSOR arrow = LoadCursor(nullptr, IDC_ARROW);
    SetCursor(arrow);
    {
        CWaitCursor outer;
        app.BeginWaitCursor();
        EXPECT_EQ(kq::ui::StandardCursorId(GetCursor()), 32514);
        app.EndWaitCursor();
        EXPECT_EQ(kq::ui::StandardCursorId(GetCursor()), 32514);
        SetCursor(arrow);
        outer.Restore();
        EXPECT_EQ(kq::ui::StandardCursorId(GetCursor()), 32514);
    }
    EXPECT_EQ(GetCursor(), arrow);
    EXPECT_EQ(kq::fw::WaitCursorCount(), 0);
    app.EndWaitCursor();  // one end too many changes nothing
    EXPECT_EQ(kq::fw::WaitCursorCount(), 0);
}

}  // namespace
