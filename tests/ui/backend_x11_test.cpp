// The x11 back end against a real X server (Xvfb, started here on a display it chooses itself;
// the test is skipped where Xvfb is not installed).
#include <chrono>
#include <string>
#include <thread>

#include "platform/ui/backend/X11BackEnd.h"
#include "platform/ui/paint/ScreenSurface.h"
#include "ui/PaintTestSupport.h"
#include "ui/XvfbServer.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

namespace kq::ui::test {
namespace {

// A button-like child: raised and grey until it is clicked, then sunken and yellow.
class BackEndX11 : public PaintTest {
  protected:
    HWND Button(HWND parent, RECT r) {
        HWND button = CreateChild(parent, 1, r);
        OnMessage(button, [this](HWND h, UINT m, WPARAM, LPARAM) -> std::optional<LRESULT> {
            if (m == WM_LBUTTONUP) {
                clicked_ = true;
                InvalidateRect(h, nullptr, TRUE);
                return 0;
            }
            if (m != WM_PAINT)
                return std::nullopt;
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(h, &ps);
            RECT rc{};
            GetClientRect(h, &rc);
            HBRUSH face = CreateSolidBrush(clicked_ ? kYellow : GetSysColor(COLOR_BTNFACE));
            FillRect(dc, &rc, face);
            DeleteObject(face);
            DrawEdge(dc, &rc, clicked_ ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
            SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
            SetBkMode(dc, TRANSPARENT);
            DrawText(dc, "OK", 2, &rc, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
            EndPaint(h, &ps);
            return 0;
        });
        return button;
    }

    // Lets both sides finish: the program paints and presents, the server handles it all.
    void Settle(X11BackEnd& backEnd) {
        for (int i = 0; i < 4; ++i) {
            Pump();
            backEnd.Sync();
        }
    }

    bool clicked_ = false;
};

TEST_F(BackEndX11, AClickThroughTheServerReachesTheWindowAndTheScreensAgree) {
    Xvfb xvfb;
    if (xvfb.Name().empty())
        GTEST_SKIP() << "Xvfb is not available";
    std::string error;
    auto backEnd = X11BackEnd::Open(xvfb.Name(), &error);
    ASSERT_TRUE(backEnd) << error;
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 1024);  // the screen took the display's size
    {
        // Before the program has painted anything the window shows the desktop, not black.
        Display* early = XOpenDisplay(xvfb.Name().c_str());
        ASSERT_NE(early, nullptr);
        XImage* first = XGetImage(early, backEnd->Window(), 5, 5, 1, 1, AllPlanes, ZPixmap);
        ASSERT_NE(first, nullptr);
        EXPECT_NE(XGetPixel(first, 0, 0) & 0xFFFFFF, 0u);
        XDestroyImage(first);
        XCloseDisplay(early);
    }

    HWND top = Solid(nullptr, {50, 50, 350, 250}, kBlue, WS_OVERLAPPEDWINDOW);
    SetWindowText(top, "Smoke");
    HWND button = Button(top, {20, 20, 120, 50});
    Settle(*backEnd);

    Display* probe = XOpenDisplay(xvfb.Name().c_str());
    ASSERT_NE(probe, nullptr);
    POINT center{50, 15};
    ClientToScreen(button, &center);
    int rootX = 0;
    int rootY = 0;
    ::Window child = 0;
    XTranslateCoordinates(probe, backEnd->Window(), DefaultRootWindow(probe), center.x, center.y,
                          &rootX, &rootY, &child);
    XTestFakeMotionEvent(probe, -1, rootX, rootY, CurrentTime);
    XTestFakeButtonEvent(probe, 1, True, CurrentTime);
    XTestFakeButtonEvent(probe, 1, False, CurrentTime);
    XSync(probe, False);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!clicked_ && std::chrono::steady_clock::now() < deadline) {
        backEnd->Sync();
        Pump();
        if (!clicked_)
            WaitForWork(20);
    }
    ASSERT_TRUE(clicked_);
    Settle(*backEnd);
    EXPECT_EQ(At(center.x, center.y + 8), kYellow);

    const RECT area{50, 50, 350, 250};
    XImage* shot =
        XGetImage(probe, backEnd->Window(), area.left, area.top, 300, 200, AllPlanes, ZPixmap);
    ASSERT_NE(shot, nullptr);
    const kq::gfx::Image headless = CaptureScreenRect(area, {false, false});
    int differences = 0;
    for (int y = 0; y < 200; ++y) {
        for (int x = 0; x < 300; ++x)
            differences += (XGetPixel(shot, x, y) & 0xFFFFFF) != (headless.Pixel(x, y) & 0xFFFFFF);
    }
    EXPECT_EQ(differences, 0);
    XDestroyImage(shot);

    // Keys typed on the X server arrive as text; the screen follows the window's size.
    XSetInputFocus(probe, backEnd->Window(), RevertToParent, CurrentTime);
    const KeyCode a = XKeysymToKeycode(probe, XK_a);
    XTestFakeKeyEvent(probe, a, True, CurrentTime);
    XTestFakeKeyEvent(probe, a, False, CurrentTime);
    XResizeWindow(probe, backEnd->Window(), 800, 600);
    XSync(probe, False);
    const auto typed = [&] {
        for (const LoggedMessage& m : Log()) {
            if (m.message == WM_CHAR && m.wParam == 'a')
                return true;
        }
        return false;
    };
    while ((!typed() || GetSystemMetrics(SM_CXSCREEN) != 800) &&
           std::chrono::steady_clock::now() < deadline) {
        backEnd->Sync();
        Pump();
        WaitForWork(20);
    }
    EXPECT_TRUE(typed());
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 800);
    EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), 600);

    // Losing the keyboard focus deactivates the program.
    ClearLog();
    XSetInputFocus(probe, PointerRoot, RevertToPointerRoot, CurrentTime);
    XSync(probe, False);
    const auto deactivated = [&] {
        for (const LoggedMessage& m : Log()) {
            if (m.hwnd == top && m.message == WM_ACTIVATEAPP && m.wParam == FALSE)
                return true;
        }
        return false;
    };
    while (!deactivated() && std::chrono::steady_clock::now() < deadline) {
        backEnd->Sync();
        Pump();
        WaitForWork(20);
    }
    EXPECT_TRUE(deactivated());
    EXPECT_EQ(GetActiveWindow(), nullptr);
    XCloseDisplay(probe);
}

// A large paint put on the display makes Xlib read what the server sent meanwhile: a click
// read that way still arrives, though the loop then waits without asking the server again.
TEST_F(BackEndX11, AClickReadWhileTheScreenIsPutStillArrives) {
    Xvfb xvfb;
    if (xvfb.Name().empty())
        GTEST_SKIP() << "Xvfb is not available";
    std::string error;
    auto backEnd = X11BackEnd::Open(xvfb.Name(), &error);
    ASSERT_TRUE(backEnd) << error;
    HWND top = Solid(nullptr, {0, 0, 1024, 768}, kBlue);
    HWND button = Button(top, {20, 20, 120, 50});
    Settle(*backEnd);
    Display* probe = XOpenDisplay(xvfb.Name().c_str());
    ASSERT_NE(probe, nullptr);
    POINT center{50, 15};
    ClientToScreen(button, &center);
    XTestFakeMotionEvent(probe, -1, center.x, center.y, CurrentTime);
    XTestFakeButtonEvent(probe, 1, True, CurrentTime);
    XTestFakeButtonEvent(probe, 1, False, CurrentTime);
    XSync(probe, False);
    RedrawWindow(top, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    UpdateWindow(top);
    detail::PresentScreenChanges();  // puts the whole screen before the loop looks at the server
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(3);
    while (!clicked_ && std::chrono::steady_clock::now() < deadline) {
        WaitForWork(20);
        Pump();
    }
    EXPECT_TRUE(clicked_);
    XCloseDisplay(probe);
}

TEST_F(BackEndX11, ALostServerLeavesTheProgramRunning) {
    Xvfb xvfb;
    if (xvfb.Name().empty())
        GTEST_SKIP() << "Xvfb is not available";
    std::string error;
    auto backEnd = X11BackEnd::Open(xvfb.Name(), &error);
    ASSERT_TRUE(backEnd) << error;
    HWND top = Solid(nullptr, {50, 50, 350, 250}, kBlue);
    Pump();
    xvfb.Stop();
    for (int i = 0; i < 10; ++i) {
        WaitForWork(20);
        Pump();
    }
    InvalidateRect(top, nullptr, TRUE);
    Pump();
    EXPECT_EQ(At(100, 100), kBlue);  // painting goes on in memory
    backEnd.reset();
}

}  // namespace
}  // namespace kq::ui::test
