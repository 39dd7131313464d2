// Dispatch of window messages through message maps: cracking, results, the base-class chain,
// registered messages and Default.
#include <gtest/gtest.h>

#include "framework/FrameworkTest.h"

namespace {

using kq::fw::test::FrameworkTest;

const UINT kRegistered = RegisterWindowMessage("KqFrameworkTestMessage");

class CProbeWnd : public CWnd {
  public:
    std::vector<std::string> log;

    int OnCreate(LPCREATESTRUCT cs) {
        log.push_back(std::string("create ") + (cs->lpszName ? cs->lpszName : ""));
        return CWnd::OnCreate(cs);
    }
    void OnSize(UINT type, int cx, int cy) {
        log.push_back(kq::Format("size %u %dx%d", type, cx, cy));
    }
    void OnTimer(UINT_PTR id) { log.push_back(kq::Format("timer %u", static_cast<unsigned>(id))); }
    void OnLButtonDown(UINT flags, CPoint pt) {
        log.push_back(kq::Format("down %u %d,%d", flags, pt.x, pt.y));
    }
    void OnKeyDown(UINT ch, UINT repeat, UINT) {
        log.push_back(kq::Format("key %u x%u", ch, repeat));
    }
    void OnDestroy() {
        log.push_back("destroy");
        CWnd::OnDestroy();
    }
    LRESULT OnSum(WPARAM a, LPARAM b) { return static_cast<LRESULT>(a) + b; }
    LRESULT OnBaseOnly(WPARAM, LPARAM) { return 100; }
    LRESULT OnRegistered(WPARAM a, LPARAM) { return static_cast<LRESULT>(a) * 2; }
    void PreSubclassWindow() override { log.push_back("presubclass"); }
    void PostNcDestroy() override { log.push_back("postncdestroy"); }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CProbeWnd, CWnd)
ON_WM_CREATE()
ON_WM_SIZE()
ON_WM_TIMER()
ON_WM_LBUTTONDOWN()
ON_WM_KEYDOWN()
ON_WM_DESTROY()
ON_MESSAGE(WM_USER + 1, &CProbeWnd::OnSum)
ON_MESSAGE(WM_USER + 2, &CProbeWnd::OnBaseOnly)
ON_REGISTERED_MESSAGE(kRegistered, &CProbeWnd::OnRegistered)
END_MESSAGE_MAP()

class CDerivedProbe : public CProbeWnd {
  public:
    LRESULT OnSum(WPARAM a, LPARAM b) { return static_cast<LRESULT>(a) * b; }
    LRESULT OnText(WPARAM, LPARAM) {
        log.push_back("settext");
        return Default();  // the default procedure stores the text
    }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CDerivedProbe, CProbeWnd)
ON_MESSAGE(WM_USER + 1, &CDerivedProbe::OnSum)
ON_MESSAGE(WM_SETTEXT, &CDerivedProbe::OnText)
END_MESSAGE_MAP()

class CRefusing : public CProbeWnd {
  public:
    int OnCreate(LPCREATESTRUCT) { return -1; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CRefusing, CProbeWnd)
ON_WM_CREATE()
END_MESSAGE_MAP()

class MessageMaps : public FrameworkTest {
  protected:
    template <class W>
    void CreateTop(W& wnd, const char* title = "probe") {
        ASSERT_TRUE(wnd.CreateEx(0, AfxRegisterWndClass(CS_DBLCLKS), title,
                                 WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, 200, 150, nullptr,
                                 nullptr));
    }
};

TEST_F(MessageMaps, WindowMessagesReachTheirHandlersWithCrackedParameters) {
    CProbeWnd wnd;
    CreateTop(wnd);
    EXPECT_EQ(wnd.log.at(0), "presubclass");
    EXPECT_EQ(wnd.log.at(1), "create probe");
    EXPECT_EQ(CWnd::FromHandlePermanent(wnd.m_hWnd), &wnd);

    wnd.log.clear();
    wnd.MoveWindow(10, 10, 300, 250);
    CRect client;
    wnd.GetClientRect(&client);
    ASSERT_FALSE(wnd.log.empty());
    EXPECT_EQ(wnd.log.back(), kq::Format("size 0 %dx%d", client.Width(), client.Height()));

    wnd.log.clear();
    CPoint pt(30, 40);
    wnd.ClientToScreen(&pt);
    Click(pt);
    KeyPress('A');
    wnd.SetTimer(7, 100);
    Advance(100);
    wnd.KillTimer(7);
    EXPECT_EQ(wnd.log, (std::vector<std::string>{"down 1 30,40", "key 65 x1", "timer 7"}));

    EXPECT_EQ(wnd.SendMessage(WM_USER + 1, 2, 3), 5);
    EXPECT_EQ(wnd.SendMessage(kRegistered, 21), 42);
    // Nothing in the map: the default procedure answers.
    EXPECT_EQ(wnd.SendMessage(WM_USER + 9), 0);
}

TEST_F(MessageMaps, DerivedMapsComeFirstAndFallBackToTheBase) {
    CDerivedProbe wnd;
    CreateTop(wnd, "derived");
    EXPECT_EQ(wnd.log.at(1), "create derived");  // from the base map
    EXPECT_EQ(wnd.SendMessage(WM_USER + 1, 2, 3), 6);
    EXPECT_EQ(wnd.SendMessage(WM_USER + 2), 100);
    wnd.SetWindowText("kept");
    EXPECT_EQ(wnd.log.back(), "settext");
    CString text;
    wnd.GetWindowText(text);
    EXPECT_EQ(text, "kept");
}

TEST_F(MessageMaps, DestroyingDetachesThenCallsPostNcDestroy) {
    CProbeWnd wnd;
    CreateTop(wnd);
    HWND hwnd = wnd.m_hWnd;
    wnd.log.clear();
    EXPECT_TRUE(wnd.DestroyWindow());
    EXPECT_EQ(wnd.log, (std::vector<std::string>{"destroy", "postncdestroy"}));
    EXPECT_EQ(wnd.m_hWnd, nullptr);
    EXPECT_EQ(CWnd::FromHandlePermanent(hwnd), nullptr);
    EXPECT_FALSE(IsWindow(hwnd));
}

TEST_F(MessageMaps, AnObjectThatDiesFirstTakesItsWindowAlong) {
    HWND hwnd = nullptr;
    {
        CProbeWnd wnd;
        CreateTop(wnd);
        hwnd = wnd.m_hWnd;
    }
    EXPECT_FALSE(IsWindow(hwnd));
    EXPECT_EQ(CWnd::FromHandlePermanent(hwnd), nullptr);
}

TEST_F(MessageMaps, WindowsOfOtherClassesGetTheirCreationMessagesAndTheirOwnProcedure) {
    CProbeWnd wnd;
    ASSERT_TRUE(
        wnd.CreateEx(0, kClass, "foreign", WS_OVERLAPPEDWINDOW, 0, 0, 100, 80, nullptr, nullptr));
    EXPECT_EQ(wnd.log.at(1), "create foreign");
    // The class's own procedure still sees what the map passes on.
    EXPECT_GE(Count(wnd.m_hWnd, WM_CREATE), 1);
    EXPECT_EQ(wnd.SendMessage(WM_USER + 1, 4, 4), 8);
    EXPECT_EQ(Count(wnd.m_hWnd, WM_USER + 1), 0);
    wnd.SendMessage(WM_USER + 9);
    EXPECT_EQ(Count(wnd.m_hWnd, WM_USER + 9), 1);
}

TEST_F(MessageMaps, FailedCreationReportsFailureAndCleansUp) {
    CRefusing wnd;
    EXPECT_FALSE(wnd.CreateEx(0, nullptr, "x", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));
    EXPECT_EQ(wnd.m_hWnd, nullptr);
    EXPECT_EQ(wnd.log.back(), "postncdestroy");

    CProbeWnd unknown;
    EXPECT_FALSE(unknown.CreateEx(0, "NoSuchClass", "x", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));
    EXPECT_EQ(unknown.log, std::vector<std::string>{"postncdestroy"});
}

}  // namespace
