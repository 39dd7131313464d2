#include "platform/ui/Timers.h"
#include "platform/ui/controls/Button.h"
#include "ui/PaintTestSupport.h"

namespace kq::ui::test {
namespace {

using Names = std::vector<std::string>;

class PaintUpdate : public PaintTest {};

TEST_F(PaintUpdate, OnlyWhatWasInvalidIsPaintedOnce) {
    HWND top = Solid(nullptr, {100, 100, 500, 400}, kBlue, WS_OVERLAPPEDWINDOW);
    Pump();
    ASSERT_EQ(Probe(top).paints.size(), 1u);
    EXPECT_EQ(R(Probe(top).paints[0]), (Rc{0, 0, 392, 273}));
    EXPECT_EQ(Probe(top).erases, 1);
    ClearProbes();

    RECT a{10, 10, 50, 40};
    RECT b{100, 100, 120, 130};
    InvalidateRect(top, &a, FALSE);
    InvalidateRect(top, &b, FALSE);
    HRGN update = CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(GetUpdateRgn(top, update, FALSE), COMPLEXREGION);
    EXPECT_TRUE(PtInRegion(update, 20, 20));
    EXPECT_FALSE(PtInRegion(update, 70, 70));
    DeleteObject(update);
    Pump();
    ASSERT_EQ(Probe(top).paints.size(), 1u);
    EXPECT_EQ(R(Probe(top).paints[0]), (Rc{10, 10, 120, 130}));
    EXPECT_EQ(Probe(top).erases, 0);
    Pump();
    EXPECT_EQ(Probe(top).paints.size(), 1u);

    // Validated before the queue got to it, or invalidated outside the client area: no paint.
    InvalidateRect(top, &a, TRUE);
    ValidateRect(top, nullptr);
    RECT outside{-50, -50, -10, -10};
    InvalidateRect(top, &outside, TRUE);
    Pump();
    EXPECT_EQ(Probe(top).paints.size(), 1u);
    RECT r{};
    EXPECT_FALSE(GetUpdateRect(top, &r, FALSE));
}

TEST_F(PaintUpdate, TheBackgroundIsErasedBeforeThePaint) {
    HWND top = Solid(nullptr, {0, 0, 200, 100}, kGreen);
    Pump();
    ClearLog();
    InvalidateRect(top, nullptr, TRUE);
    Pump();
    // BeginPaint erases before it returns the DC to paint with.
    EXPECT_EQ(Trace({WM_ERASEBKGND, WM_PAINT}, {{top, "t"}}),
              (Names{"t:WM_PAINT", "t:WM_ERASEBKGND"}));
    EXPECT_EQ(At(50, 50), kGreen);
    EXPECT_FALSE(Probe(top).fErase.back());

    // A window that does not erase leaves the job to its WM_PAINT (fErase).
    OnMessage(top, [](HWND, UINT m, WPARAM, LPARAM) -> std::optional<LRESULT> {
        if (m == WM_ERASEBKGND)
            return 0;
        return std::nullopt;
    });
    PAINTSTRUCT ps{};
    InvalidateRect(top, nullptr, TRUE);
    BeginPaint(top, &ps);
    EXPECT_TRUE(ps.fErase);
    EndPaint(top, &ps);

    // The default erases with the class brush, also a COLOR_ index plus one.
    static bool registered = [] {
        WNDCLASS wc{};
        wc.lpfnWndProc = DefWindowProc;
        wc.lpszClassName = "KqPaintBrushWindow";
        wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<intptr_t>(COLOR_WINDOW + 1));
        return RegisterClass(&wc) != 0;
    }();
    ASSERT_TRUE(registered);
    CreateWindowEx(0, "KqPaintBrushWindow", "", WS_POPUP | WS_VISIBLE, 300, 0, 50, 50, nullptr,
                   nullptr, nullptr, nullptr);
    Pump();
    EXPECT_EQ(At(320, 20), GetSysColor(COLOR_WINDOW));
}

TEST_F(PaintUpdate, PaintComesAfterPostedMessagesAndInputAndBeforeTimers) {
    HWND top = Solid(nullptr, {0, 0, 200, 100}, kGreen);
    Pump();
    ClearLog();
    SetTimer(top, 1, 10, nullptr);
    clock_->AdvanceMillis(20);
    InvalidateRect(top, nullptr, FALSE);
    PostMessage(top, WM_USER, 0, 0);
    InjectMouseMove(POINT{10, 10});
    Pump();
    EXPECT_EQ(Trace({WM_USER, WM_MOUSEMOVE, WM_PAINT, WM_TIMER}, {{top, "t"}}),
              (Names{"t:WM_USER", "t:WM_MOUSEMOVE", "t:WM_PAINT", "t:WM_TIMER"}));
    KillTimer(top, 1);
}

TEST_F(PaintUpdate, ChildrenFollowTheirParentUnlessItClipsThem) {
    HWND parent = Solid(nullptr, {0, 0, 300, 200}, kBlue);
    HWND a = Solid(parent, {10, 10, 110, 60}, kRed);
    HWND b = Solid(parent, {150, 10, 250, 60}, kGreen);
    Pump();
    ClearProbes();
    ClearLog();
    RECT left{0, 0, 100, 100};
    InvalidateRect(parent, &left, FALSE);
    Pump();
    // The parent paints first; only the child under the rectangle follows, in its coordinates.
    EXPECT_EQ(Trace({WM_PAINT}, {{parent, "p"}, {a, "a"}, {b, "b"}}),
              (Names{"p:WM_PAINT", "a:WM_PAINT"}));
    EXPECT_EQ(R(Probe(a).paints[0]), (Rc{0, 0, 90, 50}));

    ClearLog();
    SetWindowLong(parent, GWL_STYLE, GetWindowLong(parent, GWL_STYLE) | WS_CLIPCHILDREN);
    InvalidateRect(parent, nullptr, FALSE);
    Pump();
    EXPECT_EQ(Trace({WM_PAINT}, {{parent, "p"}, {a, "a"}, {b, "b"}}), (Names{"p:WM_PAINT"}));
    ClearLog();
    RedrawWindow(parent, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
    Pump();
    EXPECT_EQ(Trace({WM_PAINT}, {{parent, "p"}, {a, "a"}, {b, "b"}}),
              (Names{"p:WM_PAINT", "b:WM_PAINT", "a:WM_PAINT"}));  // bottom of the z-order first
}

TEST_F(PaintUpdate, HiddenAndRedrawOffWindowsAreNotPainted) {
    HWND top = Solid(nullptr, {0, 0, 200, 100}, kGreen);
    HWND child = Solid(top, {0, 0, 50, 50}, kRed);
    ShowWindow(child, SW_HIDE);
    Pump();
    ClearProbes();
    InvalidateRect(child, nullptr, TRUE);
    Pump();
    EXPECT_TRUE(Probe(child).paints.empty());
    ShowWindow(child, SW_SHOW);
    Pump();
    EXPECT_EQ(Probe(child).paints.size(), 1u);
    EXPECT_EQ(At(10, 10), kRed);

    SendMessage(top, WM_SETREDRAW, FALSE, 0);
    InvalidateRect(top, nullptr, TRUE);
    Pump();
    EXPECT_EQ(Probe(child).paints.size(), 1u);
    EXPECT_TRUE(IsWindowVisible(child));  // still shown and reachable
    SendMessage(top, WM_SETREDRAW, TRUE, 0);
    Pump();
    EXPECT_EQ(Probe(child).paints.size(), 1u);  // turning drawing on paints nothing by itself
    InvalidateRect(top, nullptr, TRUE);
    Pump();
    EXPECT_EQ(Probe(child).paints.size(), 2u);
}

TEST_F(PaintUpdate, RedrawWindowFlagsAndUpdateWindowPaintAtOnce) {
    HWND top = Solid(nullptr, {0, 0, 200, 100}, kGreen, WS_OVERLAPPEDWINDOW);
    Pump();
    ClearProbes();
    ClearLog();
    InvalidateRect(top, nullptr, TRUE);
    UpdateWindow(top);  // sent, not posted
    EXPECT_EQ(Probe(top).paints.size(), 1u);
    EXPECT_EQ(Probe(top).erases, 1);
    UpdateWindow(top);  // nothing left to paint
    EXPECT_EQ(Probe(top).paints.size(), 1u);

    RedrawWindow(top, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ERASENOW | RDW_FRAME);
    EXPECT_EQ(Probe(top).erases, 2);
    EXPECT_EQ(Count(top, WM_NCPAINT), 1);
    EXPECT_EQ(Probe(top).paints.size(), 1u);
    Pump();
    EXPECT_EQ(Probe(top).paints.size(), 2u);
    EXPECT_EQ(Probe(top).erases, 2);  // erased once only

    // An internal paint comes once, with nothing to paint.
    RedrawWindow(top, nullptr, nullptr, RDW_INTERNALPAINT);
    Pump();
    ASSERT_EQ(Probe(top).paints.size(), 3u);
    EXPECT_EQ(R(Probe(top).paints[2]), (Rc{0, 0, 0, 0}));
    Pump();
    EXPECT_EQ(Probe(top).paints.size(), 3u);

    // The frame alone gets WM_NCPAINT without a WM_PAINT.
    ClearLog();
    RedrawWindow(top, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_NOCHILDREN);
    ValidateRect(top, nullptr);
    Pump();
    EXPECT_EQ(Trace({WM_NCPAINT, WM_PAINT}, {{top, "t"}}), (Names{"t:WM_NCPAINT"}));
}

TEST_F(PaintUpdate, MovingSizingAndRestackingInvalidateWhatTheyExpose) {
    HWND below = Solid(nullptr, {0, 0, 300, 200}, kBlue);
    HWND above = Solid(nullptr, {100, 50, 200, 150}, kRed);
    Pump();
    ClearProbes();
    EXPECT_EQ(At(150, 100), kRed);
    MoveWindow(above, 250, 50, 100, 100, TRUE);
    Pump();
    ASSERT_EQ(Probe(below).paints.size(), 1u);
    EXPECT_EQ(R(Probe(below).paints[0]), (Rc{100, 50, 200, 150}));
    EXPECT_EQ(At(150, 100), kBlue);
    EXPECT_EQ(At(320, 100), kRed);
    EXPECT_EQ(At(320, 10), GetDesktopColor());  // the desktop repaints at once

    // Growing without moving the client area paints the new strip only.
    ClearProbes();
    MoveWindow(below, 0, 0, 300, 260, TRUE);
    Pump();
    ASSERT_EQ(Probe(below).paints.size(), 1u);
    EXPECT_EQ(R(Probe(below).paints[0]), (Rc{0, 200, 300, 260}));
    EXPECT_TRUE(Probe(above).paints.empty());

    // Raising the lower window repaints the part the other one covered.
    ClearProbes();
    SetWindowPos(below, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    Pump();
    ASSERT_EQ(Probe(below).paints.size(), 1u);
    EXPECT_EQ(R(Probe(below).paints[0]), (Rc{250, 50, 300, 150}));
    EXPECT_EQ(At(270, 100), kBlue);

    // Hiding and destroying expose what was below.
    DestroyWindow(below);
    Pump();
    EXPECT_EQ(At(270, 100), kRed);
    EXPECT_EQ(At(10, 10), GetDesktopColor());
}

TEST_F(PaintUpdate, AControlHiddenInsideAGroupBoxLeavesTheSiblingBelowRepainted) {
    HWND page = Solid(nullptr, {0, 0, 300, 200}, kBlue);
    HWND list = Solid(page, {20, 20, 280, 180}, kGreen);
    HWND group = CreateWindowEx(0, "Button", "Group", WS_CHILD | WS_VISIBLE | BS_GROUPBOX, 10, 5,
                                280, 190, page, nullptr, nullptr, nullptr);
    HWND button = Solid(page, {100, 50, 160, 80}, kRed);
    SetWindowPos(group, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    SetWindowPos(button, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    Pump();
    ASSERT_EQ(At(130, 65), kRed);
    ShowWindow(button, SW_HIDE);
    Pump();
    EXPECT_EQ(At(130, 65), kGreen);
    (void)list;
}

TEST_F(PaintUpdate, LockWindowUpdateDrawsNothingUntilUnlocked) {
    HWND top = Solid(nullptr, {0, 0, 200, 100}, kGreen);
    Pump();
    ClearProbes();
    ASSERT_TRUE(LockWindowUpdate(top));
    EXPECT_FALSE(LockWindowUpdate(top));  // one lock at a time
    FillThroughDc(top, {0, 0, 50, 50}, kRed);
    EXPECT_EQ(At(10, 10), kGreen);
    HDC dc = GetDCEx(top, nullptr, DCX_LOCKWINDOWUPDATE);
    SetPixel(dc, 60, 60, kYellow);
    ReleaseDC(top, dc);
    EXPECT_EQ(At(60, 60), kYellow);
    Pump();
    EXPECT_TRUE(Probe(top).paints.empty());
    LockWindowUpdate(nullptr);
    Pump();
    ASSERT_EQ(Probe(top).paints.size(), 1u);
    EXPECT_EQ(R(Probe(top).paints[0]), (Rc{0, 0, 200, 100}));
    EXPECT_EQ(At(60, 60), kGreen);
}

}  // namespace
}  // namespace kq::ui::test
