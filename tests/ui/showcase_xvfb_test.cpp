// The dialog of every control once through a real X server: what the server shows is what the
// headless screen holds.
#include <chrono>

#include "platform/ui/backend/X11BackEnd.h"
#include "ui/XvfbServer.h"
#include "ui/showcase_dialog.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>

namespace kq::ui::test {
namespace {

class ShowcaseXvfb : public ShowcaseDialogTest {};

TEST_F(ShowcaseXvfb, TheServerShowsTheSamePixelsAsTheHeadlessScreen) {
    Xvfb xvfb;
    if (xvfb.Name().empty())
        GTEST_SKIP() << "Xvfb is not available";
    std::string error;
    auto backEnd = X11BackEnd::Open(xvfb.Name(), &error);
    ASSERT_TRUE(backEnd) << error;
    const auto settle = [&] {
        for (int i = 0; i < 4; ++i) {
            Pump();
            backEnd->Sync();
        }
    };
    Show();
    settle();

    // The server's pointer rests where the tool tip is asked for, so no motion of its own
    // moves the mouse away from the tool.
    Display* probe = XOpenDisplay(xvfb.Name().c_str());
    ASSERT_NE(probe, nullptr);
    const POINT tool = TipPoint();
    int rootX = 0;
    int rootY = 0;
    ::Window child = 0;
    XTranslateCoordinates(probe, backEnd->Window(), DefaultRootWindow(probe), tool.x, tool.y,
                          &rootX, &rootY, &child);
    XTestFakeMotionEvent(probe, -1, rootX, rootY, CurrentTime);
    XSync(probe, False);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    POINT cursor{};
    while ((GetCursorPos(&cursor), cursor.x != tool.x || cursor.y != tool.y) &&
           std::chrono::steady_clock::now() < deadline) {
        backEnd->Sync();
        Pump();
        WaitForWork(20);
    }
    ShowTip();
    settle();
    ASSERT_TRUE(IsWindowVisible(tip_));

    RECT area = WindowRect(dialog_);
    const RECT tip = WindowRect(tip_);
    UnionRect(&area, &area, &tip);
    const int width = area.right - area.left;
    const int height = area.bottom - area.top;
    XImage* shot =
        XGetImage(probe, backEnd->Window(), area.left, area.top, static_cast<unsigned>(width),
                  static_cast<unsigned>(height), AllPlanes, ZPixmap);
    ASSERT_NE(shot, nullptr);
    const kq::gfx::Image headless = CaptureScreenRect(area, {false, false});
    ASSERT_EQ(headless.width, width);
    ASSERT_EQ(headless.height, height);
    int differences = 0;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x)
            differences += (XGetPixel(shot, x, y) & 0xFFFFFF) != (headless.Pixel(x, y) & 0xFFFFFF);
    }
    EXPECT_EQ(differences, 0);
    // And those pixels are the dialog's: the tip, the default button's frame, the fill.
    const auto server = [&](int x, int y) {
        const unsigned long p = XGetPixel(shot, x - area.left, y - area.top);
        return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
    };
    EXPECT_EQ(server(tip.left + 2, tip.top + 2), GetSysColor(COLOR_INFOBK));
    const RECT ok = ScreenRect(IDOK);
    EXPECT_EQ(server(ok.left, (ok.top + ok.bottom) / 2), RGB(0, 0, 0));
    const RECT bar = ScreenRect(kProgress);
    EXPECT_EQ(server(bar.left + 2, (bar.top + bar.bottom) / 2), GetSysColor(COLOR_HIGHLIGHT));
    XDestroyImage(shot);
    XCloseDisplay(probe);
    EXPECT_TRUE(SaveScreenshot("showcase_xvfb.png", &area, {false, false}, &error)) << error;
}

}  // namespace
}  // namespace kq::ui::test
