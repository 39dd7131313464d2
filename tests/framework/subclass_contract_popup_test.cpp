// Self-drawn controls of the program's own window classes and the windows they open: a control
// of a class registered with the plain default procedure, its drop-down made as a child of the
// desktop that holds the mouse capture and closes on a click outside or when the application
// loses the activation, focus handed to the drop-down's list, and a window that takes the place
// of a static picture control.
#include <gtest/gtest.h>

#include <vector>

#include "framework/FrameworkTest.h"
#include "platform/gfx/WindowDC.h"
#include "platform/ui/Input.h"

namespace {

using kq::fw::test::FrameworkTest;

constexpr int IDC_SELF = 4001;
constexpr int IDC_PICTURE = 4002;
constexpr UINT WM_CLOSEDROP = WM_USER + 2;
constexpr UINT WM_PICTURECLICK = 10450;
constexpr const char* kSelfDrawnClass = "KqTestSelfDrawnCombo";

// The drop-down: a list inside a window that watches every click while it has the capture.
class CDropDown : public CWnd {
  public:
    CWnd* combo = nullptr;
    CListBox list;
    std::vector<CPoint>* presses = nullptr;
    int* appDeactivations = nullptr;

    int OnCreate(LPCREATESTRUCT cs) {
        if (CWnd::OnCreate(cs) == -1)
            return -1;
        ModifyStyleEx(0, WS_EX_TOOLWINDOW);
        SetWindowPos(&wndTopMost, cs->x, cs->y, cs->cx, cs->cy, SWP_SHOWWINDOW | SWP_NOACTIVATE);
        CRect client;
        GetClientRect(&client);
        client.bottom -= 10;
        if (!list.Create(WS_CHILD | WS_VISIBLE | LBS_NOINTEGRALHEIGHT | LBS_NOTIFY, client, this,
                         101))
            return -1;
        SetCapture();
        return 0;
    }
    void OnLButtonDown(UINT, CPoint point) {
        presses->push_back(point);
        CRect client;
        GetClientRect(&client);
        if (!client.PtInRect(point)) {
            ::ReleaseCapture();
            combo->PostMessage(WM_CLOSEDROP);
        }
    }
    void OnActivateApp(BOOL active, DWORD thread) {
        if (!active) {
            ++*appDeactivations;
            combo->PostMessage(WM_CLOSEDROP);
        }
        CWnd::OnActivateApp(active, thread);
    }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CDropDown, CWnd)
ON_WM_CREATE()
ON_WM_LBUTTONDOWN()
ON_WM_ACTIVATEAPP()
END_MESSAGE_MAP()

class CSelfDrawnCombo : public CWnd {
  public:
    int preSubclassCalls = 0;
    bool createdYetInPreSubclass = true;
    CWnd* ownerInPreSubclass = nullptr;
    int creates = 0;
    int paints = 0;
    int closes = 0;
    CDropDown* drop = nullptr;
    std::vector<CPoint> dropPresses;
    int dropDeactivations = 0;
    CWnd* focusWentTo = reinterpret_cast<CWnd*>(1);

    ~CSelfDrawnCombo() override { CloseDrop(); }

    BOOL Make(CWnd* parent) {
        WNDCLASS wc{};
        wc.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
        wc.lpfnWndProc = ::DefWindowProc;
        wc.hInstance = AfxGetInstanceHandle();
        wc.hCursor = ::LoadCursor(nullptr, IDC_ARROW);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_MENU + 1);
        wc.lpszClassName = kSelfDrawnClass;
        if (!AfxRegisterClass(&wc))
            return FALSE;
        return CWnd::Create(kSelfDrawnClass, "", WS_CHILD | WS_VISIBLE | WS_TABSTOP,
                            CRect(10, 10, 160, 32), parent, IDC_SELF);
    }
    void PreSubclassWindow() override {
        ++preSubclassCalls;
        createdYetInPreSubclass = creates != 0;
        ownerInPreSubclass = GetParent();
        CWnd::PreSubclassWindow();
    }
    int OnCreate(LPCREATESTRUCT cs) {
        ++creates;
        return CWnd::OnCreate(cs);
    }
    void OnPaint() {
        ++paints;
        CPaintDC dc(this);
        CRect client;
        GetClientRect(&client);
        dc.FillSolidRect(&client, RGB(0, 0, 255));
    }
    void OnLButtonDown(UINT, CPoint) {
        if (drop != nullptr) {
            CloseDrop();
            return;
        }
        CRect rect;
        GetWindowRect(&rect);
        drop = new CDropDown;
        drop->combo = this;
        drop->presses = &dropPresses;
        drop->appDeactivations = &dropDeactivations;
        drop->CreateEx(0, nullptr, "", 0x40001001,
                       CRect(rect.left, rect.bottom, rect.right, rect.bottom + 80),
                       CWnd::GetDesktopWindow(), 6);
    }
    void OnKillFocus(CWnd* newWnd) {
        focusWentTo = newWnd;
        CWnd::OnKillFocus(newWnd);
    }
    LRESULT OnCloseDrop(WPARAM, LPARAM) {
        ++closes;
        CloseDrop();
        return 1;
    }
    void CloseDrop() {
        if (drop == nullptr)
            return;
        drop->DestroyWindow();
        delete drop;
        drop = nullptr;
    }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CSelfDrawnCombo, CWnd)
ON_WM_CREATE()
ON_WM_PAINT()
ON_WM_LBUTTONDOWN()
ON_WM_KILLFOCUS()
ON_MESSAGE(WM_CLOSEDROP, &CSelfDrawnCombo::OnCloseDrop)
END_MESSAGE_MAP()

// Takes the place of a static picture control and reports clicks to its parent.
class CPictureWindow : public CWnd {
  public:
    HBITMAP bitmap = nullptr;
    bool down = false;

    BOOL CreateFromStatic(CWnd* stat) {
        if (stat == nullptr || !::IsWindow(stat->m_hWnd) || stat->GetParent() == nullptr)
            return FALSE;
        CWnd* parent = stat->GetParent();
        CRect rect;
        stat->GetWindowRect(&rect);
        parent->ScreenToClient(&rect);
        const DWORD style = stat->GetStyle();
        const DWORD exStyle = stat->GetExStyle();
        CString text;
        stat->GetWindowText(text);
        const int id = stat->GetDlgCtrlID();
        bitmap = reinterpret_cast<HBITMAP>(stat->SendMessage(STM_GETIMAGE, IMAGE_BITMAP));
        if (bitmap != nullptr)
            stat->SendMessage(STM_SETIMAGE, IMAGE_BITMAP, 0);
        stat->DestroyWindow();
        return CreateEx(exStyle, nullptr, text, style, rect, parent, id);
    }
    void OnLButtonDown(UINT, CPoint point) {
        SetCapture();
        SetFocus();
        down = true;
        GetParent()->PostMessage(WM_PICTURECLICK, GetDlgCtrlID(), point.x * 65535 + point.y);
        Default();
    }
    void OnLButtonUp(UINT, CPoint) {
        ::ReleaseCapture();
        down = false;
        Default();
    }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CPictureWindow, CWnd)
ON_WM_LBUTTONDOWN()
ON_WM_LBUTTONUP()
END_MESSAGE_MAP()

class CPopupHost : public CWnd {
  public:
    std::vector<std::pair<WPARAM, LPARAM>> pictureClicks;
    LRESULT OnPictureClick(WPARAM wParam, LPARAM lParam) {
        pictureClicks.emplace_back(wParam, lParam);
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CPopupHost, CWnd)
ON_MESSAGE(WM_PICTURECLICK, &CPopupHost::OnPictureClick)
END_MESSAGE_MAP()

class OwnWindows : public FrameworkTest {
  protected:
    void SetUp() override {
        FrameworkTest::SetUp();
        ASSERT_TRUE(host_.CreateEx(0, nullptr, "host", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                   CRect(50, 50, 450, 350), nullptr, 0));
        Pump();
    }
    void TearDown() override {
        if (::IsWindow(host_.m_hWnd))
            host_.DestroyWindow();
        FrameworkTest::TearDown();
    }
    CPopupHost host_;
};

TEST_F(OwnWindows, AControlOfAPlainRegisteredClassIsTheFrameworksFromItsFirstMessage) {
    CSelfDrawnCombo combo;
    ASSERT_TRUE(combo.Make(&host_));
    EXPECT_EQ(combo.preSubclassCalls, 1);
    EXPECT_FALSE(combo.createdYetInPreSubclass);
    EXPECT_EQ(combo.ownerInPreSubclass, &host_);
    EXPECT_EQ(combo.creates, 1);
    EXPECT_EQ(CWnd::FromHandle(combo.m_hWnd), &combo);
    Pump();
    EXPECT_GE(combo.paints, 1);
    // A redraw with RDW_UPDATENOW paints before it returns.
    const int before = combo.paints;
    combo.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
    EXPECT_EQ(combo.paints, before + 1);
}

TEST_F(OwnWindows, ADropDownOnTheDesktopHoldsTheCaptureAndClosesOnAClickOutside) {
    CSelfDrawnCombo combo;
    ASSERT_TRUE(combo.Make(&host_));
    Pump();
    CRect comboRect;
    combo.GetWindowRect(&comboRect);
    Click(comboRect.CenterPoint());
    ASSERT_NE(combo.drop, nullptr);
    CDropDown& drop = *combo.drop;
    ASSERT_TRUE(::IsWindow(drop.m_hWnd));
    EXPECT_TRUE(drop.IsWindowVisible());
    EXPECT_TRUE(drop.GetExStyle() & WS_EX_TOOLWINDOW);
    EXPECT_TRUE(drop.GetExStyle() & WS_EX_TOPMOST);
    EXPECT_EQ(CWnd::GetCapture(), &drop);
    CRect dropRect;
    drop.GetWindowRect(&dropRect);
    EXPECT_EQ(dropRect,
              CRect(comboRect.left, comboRect.bottom, comboRect.right, comboRect.bottom + 80));
    // It lies over the host window yet outside its client area's clipping.
    EXPECT_EQ(CWnd::WindowFromPoint(CPoint(dropRect.left + 3, dropRect.bottom - 3)), &drop);

    // A press inside goes to the drop-down at its own client coordinates.
    Click(CPoint(dropRect.left + 4, dropRect.bottom - 4));
    ASSERT_EQ(combo.dropPresses.size(), 1u);
    EXPECT_EQ(combo.dropPresses[0], CPoint(4, dropRect.Height() - 4));
    EXPECT_NE(combo.drop, nullptr);

    // A press far outside reaches it too, as it holds the capture, and closes it.
    Click(CPoint(dropRect.right + 30, dropRect.top - 60));
    ASSERT_EQ(combo.dropPresses.size(), 2u);
    EXPECT_EQ(combo.dropPresses[1], CPoint(dropRect.Width() + 30, -60));
    EXPECT_EQ(combo.closes, 1);
    EXPECT_EQ(combo.drop, nullptr);
    EXPECT_EQ(CWnd::GetCapture(), nullptr);
}

TEST_F(OwnWindows, FocusGivenToTheDropDownsListIsNamedToTheControlThatLosesIt) {
    CSelfDrawnCombo combo;
    ASSERT_TRUE(combo.Make(&host_));
    combo.SetFocus();
    CRect comboRect;
    combo.GetWindowRect(&comboRect);
    Click(comboRect.CenterPoint());
    ASSERT_NE(combo.drop, nullptr);
    // Opening it without activation leaves the focus where it was.
    EXPECT_EQ(CWnd::GetFocus(), &combo);
    combo.drop->list.SetFocus();
    // The activation of the drop-down may come first; either way the window is named by its
    // permanent object, so the control can tell its own drop-down.
    EXPECT_TRUE(combo.focusWentTo == combo.drop || combo.focusWentTo == &combo.drop->list);
    combo.CloseDrop();
}

TEST_F(OwnWindows, TheDropDownClosesWhenTheApplicationLosesTheActivation) {
    CSelfDrawnCombo combo;
    ASSERT_TRUE(combo.Make(&host_));
    host_.SetActiveWindow();
    CRect comboRect;
    combo.GetWindowRect(&comboRect);
    Click(comboRect.CenterPoint());
    ASSERT_NE(combo.drop, nullptr);
    kq::ui::InjectAppFocus(false);
    Pump();
    EXPECT_EQ(combo.dropDeactivations, 1);
    EXPECT_EQ(combo.closes, 1);
    EXPECT_EQ(combo.drop, nullptr);
    kq::ui::InjectAppFocus(true);
    Pump();
}

TEST_F(OwnWindows, APictureWindowTakesAStaticsPlaceAndReportsClicks) {
    CBitmap picture;
    ASSERT_TRUE(picture.CreateBitmap(8, 6, 1, 32, nullptr));
    HWND stat = ::CreateWindowEx(WS_EX_STATICEDGE, "STATIC", "Logo",
                                 WS_CHILD | WS_VISIBLE | SS_BITMAP, 30, 40, 100, 60, host_.m_hWnd,
                                 reinterpret_cast<HMENU>(IDC_PICTURE), nullptr, nullptr);
    ASSERT_NE(stat, nullptr);
    ::SendMessage(stat, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(picture.m_hObject));
    CRect placed;
    ::GetWindowRect(stat, &placed);
    host_.ScreenToClient(&placed);

    CPictureWindow window;
    ASSERT_TRUE(window.CreateFromStatic(host_.GetDlgItem(IDC_PICTURE)));
    EXPECT_FALSE(::IsWindow(stat));
    EXPECT_EQ(window.bitmap, static_cast<HBITMAP>(picture.m_hObject));
    EXPECT_EQ(host_.GetDlgItem(IDC_PICTURE), &window);
    CRect now;
    window.GetWindowRect(&now);
    host_.ScreenToClient(&now);
    EXPECT_EQ(now, placed);
    EXPECT_TRUE(window.GetExStyle() & WS_EX_STATICEDGE);
    CString text;
    window.GetWindowText(text);
    EXPECT_EQ(text, "Logo");

    CRect client;
    window.GetClientRect(&client);
    CPoint at(2, 3);
    window.ClientToScreen(&at);
    EXPECT_EQ(CWnd::WindowFromPoint(at), &window);
    MouseDown(at);
    EXPECT_TRUE(window.down);
    EXPECT_EQ(CWnd::GetCapture(), &window);
    EXPECT_EQ(CWnd::GetFocus(), &window);
    ASSERT_EQ(host_.pictureClicks.size(), 1u);
    EXPECT_EQ(host_.pictureClicks[0].first, static_cast<WPARAM>(IDC_PICTURE));
    EXPECT_EQ(host_.pictureClicks[0].second, 2 * 65535 + 3);
    MouseUp(at);
    EXPECT_FALSE(window.down);
    EXPECT_EQ(CWnd::GetCapture(), nullptr);
}

}  // namespace
