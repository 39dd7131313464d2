#include "ui/PaintTestSupport.h"

namespace kq::ui::test {
namespace {

using Names = std::vector<std::string>;

// A sizable frame at (100,100)-(500,400): caption row at y 104..122, buttons from the right
// (close around x 486, maximise 466, minimise 450).
class NonClientMoveSize : public PaintTest {
  protected:
    void SetUp() override {
        PaintTest::SetUp();
        top_ = Solid(nullptr, {100, 100, 500, 400}, kBlue, WS_OVERLAPPEDWINDOW);
        Pump();
        ClearLog();
    }
    RECT Where() const {
        RECT r{};
        GetWindowRect(top_, &r);
        return r;
    }
    void Drag(POINT from, POINT to) {
        MouseDown(from);
        MouseMove(POINT{(from.x + to.x) / 2, (from.y + to.y) / 2});
        MouseMove(to);
        MouseUp(to);
    }
    HWND top_ = nullptr;
};

const std::vector<UINT> kTracking = {WM_ENTERSIZEMOVE, WM_MOVING,        WM_SIZING,
                                     WM_EXITSIZEMOVE,  WM_MOUSEMOVE,     WM_LBUTTONUP,
                                     WM_SYSCOMMAND,    WM_CAPTURECHANGED};

TEST_F(NonClientMoveSize, TheCaptionMovesTheWindow) {
    Drag(POINT{300, 110}, POINT{350, 160});
    EXPECT_EQ(R(Where()), (Rc{150, 150, 550, 450}));
    EXPECT_EQ(Trace(kTracking, {{top_, "t"}}),
              (Names{"t:WM_SYSCOMMAND", "t:WM_ENTERSIZEMOVE", "t:WM_MOVING", "t:WM_MOVING",
                     "t:WM_CAPTURECHANGED", "t:WM_EXITSIZEMOVE"}));
    EXPECT_EQ(GetCapture(), nullptr);

    // The window may change where it goes; ESC puts it back where it started.
    Handler paint = SolidHandler(kBlue, &Probe(top_));
    OnMessage(top_, [paint](HWND h, UINT m, WPARAM w, LPARAM l) -> std::optional<LRESULT> {
        if (m == WM_MOVING) {
            auto* r = reinterpret_cast<RECT*>(l);
            OffsetRect(r, 0, 100 - r->top);  // only sideways
        }
        return paint(h, m, w, l);
    });
    Drag(POINT{300, 160}, POINT{200, 300});
    EXPECT_EQ(R(Where()), (Rc{50, 100, 450, 400}));
    MouseDown(POINT{300, 110});
    MouseMove(POINT{400, 110});
    EXPECT_EQ(R(Where()), (Rc{150, 100, 550, 400}));
    KeyDown(VK_ESCAPE);
    EXPECT_EQ(R(Where()), (Rc{50, 100, 450, 400}));
    MouseUp(POINT{400, 110});
    EXPECT_EQ(R(Where()), (Rc{50, 100, 450, 400}));
    EXPECT_EQ(At(200, 300), kBlue);
    EXPECT_EQ(At(500, 300), GetDesktopColor());
}

TEST_F(NonClientMoveSize, TheBorderSizesTheWindowWithinItsLimits) {
    std::vector<WPARAM> edges;
    Handler paint = SolidHandler(kBlue, &Probe(top_));
    OnMessage(top_, [&, paint](HWND h, UINT m, WPARAM w, LPARAM l) -> std::optional<LRESULT> {
        if (m == WM_GETMINMAXINFO) {
            auto* mmi = reinterpret_cast<MINMAXINFO*>(l);
            mmi->ptMinTrackSize = POINT{200, 150};
            mmi->ptMaxTrackSize = POINT{600, 450};
            return 0;
        }
        if (m == WM_SIZING)
            edges.push_back(w);
        return paint(h, m, w, l);
    });
    Drag(POINT{101, 250}, POINT{451, 250});  // the left edge, far to the right
    EXPECT_EQ(R(Where()), (Rc{300, 100, 500, 400}));
    EXPECT_EQ(edges.back(), WMSZ_LEFT);
    Drag(POINT{499, 399}, POINT{999, 999});  // the bottom-right corner, far out
    EXPECT_EQ(R(Where()), (Rc{300, 100, 900, 550}));
    EXPECT_EQ(edges.back(), WMSZ_BOTTOMRIGHT);
    Drag(POINT{600, 101}, POINT{600, 51});            // the top edge up
    EXPECT_EQ(R(Where()), (Rc{300, 100, 900, 550}));  // already as high as allowed
    Drag(POINT{600, 101}, POINT{600, 151});
    EXPECT_EQ(R(Where()), (Rc{300, 150, 900, 550}));
    // The window is painted as it grows.
    EXPECT_EQ(At(850, 500), kBlue);
}

TEST_F(NonClientMoveSize, CaptionButtonsActWhenReleasedOverThem) {
    const POINT close{486, 113};
    const POINT maximize{466, 113};
    const POINT minimize{450, 113};
    const RECT closeRect{478, 106, 494, 120};
    const kq::gfx::Image before = CaptureScreenRect(closeRect);
    MouseDown(close);
    EXPECT_NE(CaptureScreenRect(closeRect).pixels, before.pixels);  // drawn pushed
    MouseMove(POINT{300, 300});
    EXPECT_EQ(CaptureScreenRect(closeRect).pixels, before.pixels);  // left: drawn up again
    MouseUp(POINT{300, 300});
    EXPECT_TRUE(IsWindow(top_));
    EXPECT_EQ(Count(top_, WM_SYSCOMMAND), 0);

    Click(maximize);
    EXPECT_TRUE(IsZoomed(top_));
    RECT r = Where();
    Click(POINT{r.right - 34, r.top + 13});  // the restore button now
    EXPECT_FALSE(IsZoomed(top_));
    EXPECT_EQ(R(Where()), (Rc{100, 100, 500, 400}));
    Click(minimize);
    EXPECT_TRUE(IsIconic(top_));
    ShowWindow(top_, SW_RESTORE);
    Pump();

    ClearLog();
    Click(close);
    EXPECT_FALSE(IsWindow(top_));
    EXPECT_EQ(Trace({WM_SYSCOMMAND, WM_CLOSE}, {{top_, "t"}}),
              (Names{"t:WM_SYSCOMMAND", "t:WM_CLOSE"}));
}

TEST_F(NonClientMoveSize, DoubleClickOnTheCaptionTogglesMaximise) {
    Click(POINT{300, 110});
    Click(POINT{300, 110});
    EXPECT_TRUE(IsZoomed(top_));
    Advance(1000);
    RECT r = Where();
    Click(POINT{r.left + 200, r.top + 10});
    Click(POINT{r.left + 200, r.top + 10});
    EXPECT_FALSE(IsZoomed(top_));
    // A maximised window does not move; one without a maximise box does not maximise.
    HWND fixed = Solid(nullptr, {600, 100, 800, 200}, kGreen, WS_POPUP | WS_CAPTION | WS_SYSMENU);
    Pump();
    Advance(1000);
    Click(POINT{650, 110});
    Click(POINT{650, 110});
    EXPECT_FALSE(IsZoomed(fixed));
}

// Where no task bar holds them, minimised windows are small captioned bars side by side along
// the bottom of the work area from its left; the bar's restore button brings its window back.
TEST_F(NonClientMoveSize, AMinimisedWindowIsABarAtTheBottomLeftThatRestoresIt) {
    HWND first = Solid(nullptr, {600, 100, 900, 400}, kBlue, WS_OVERLAPPEDWINDOW);
    ShowWindow(first, SW_MINIMIZE);
    Click(POINT{450, 113});  // the minimise button
    ASSERT_TRUE(IsIconic(top_));
    MONITORINFO info{};
    info.cbSize = sizeof info;
    GetMonitorInfo(MonitorFromWindow(top_, MONITOR_DEFAULTTOPRIMARY), &info);
    const int cx = GetSystemMetrics(SM_CXMINIMIZED);
    const int cy = GetSystemMetrics(SM_CYMINIMIZED);
    RECT bar{};
    GetWindowRect(first, &bar);
    EXPECT_EQ(R(bar), (Rc{info.rcWork.left, info.rcWork.bottom - cy, info.rcWork.left + cx,
                          info.rcWork.bottom}));
    bar = Where();
    EXPECT_EQ(R(bar), (Rc{info.rcWork.left + cx, info.rcWork.bottom - cy, info.rcWork.left + 2 * cx,
                          info.rcWork.bottom}));
    POINT restore{-1, -1};
    for (LONG x = bar.left; x < bar.right && restore.x < 0; ++x) {
        const POINT pt{x, (bar.top + bar.bottom) / 2};
        if (SendMessage(top_, WM_NCHITTEST, 0, MAKELPARAM(pt.x, pt.y)) == HTMINBUTTON)
            restore = POINT{pt.x + 3, pt.y};
    }
    ASSERT_GE(restore.x, 0) << "the bar has no restore button";
    Click(restore);
    EXPECT_FALSE(IsIconic(top_));
    EXPECT_EQ(R(Where()), (Rc{100, 100, 500, 400}));
}

}  // namespace
}  // namespace kq::ui::test
