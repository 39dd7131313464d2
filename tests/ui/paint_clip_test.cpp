#include "ui/PaintTestSupport.h"

namespace kq::ui::test {
namespace {

class PaintClip : public PaintTest {};

TEST_F(PaintClip, ChildrenAreLeftOutOnlyWithClipChildren) {
    HWND parent = Solid(nullptr, {0, 0, 300, 200}, kBlue);
    HWND child = Solid(parent, {10, 10, 60, 60}, kGreen);
    Pump();
    EXPECT_EQ(At(20, 20), kGreen);
    FillThroughDc(parent, {0, 0, 300, 200}, kRed);
    EXPECT_EQ(At(20, 20), kRed);  // without WS_CLIPCHILDREN the parent draws over its child
    InvalidateRect(child, nullptr, TRUE);
    Pump();
    EXPECT_EQ(At(20, 20), kGreen);

    SetWindowLong(parent, GWL_STYLE, GetWindowLong(parent, GWL_STYLE) | WS_CLIPCHILDREN);
    FillThroughDc(parent, {0, 0, 300, 200}, kYellow);
    EXPECT_EQ(At(20, 20), kGreen);
    EXPECT_EQ(At(100, 100), kYellow);
    // A child never draws outside its parent's client area.
    FillThroughDc(child, {-100, -100, 400, 400}, kRed);
    EXPECT_EQ(At(65, 20), kYellow);
    EXPECT_EQ(At(59, 59), kRed);
}

TEST_F(PaintClip, AChildReachingIntoItsParentsFrameLeavesTheFrameToTheParent) {
    HWND parent = Solid(nullptr, {0, 0, 300, 200}, kBlue, WS_POPUP | WS_BORDER | WS_CLIPCHILDREN);
    // The child's window covers the parent's border on the left and top as well.
    Solid(parent, {-1, -1, 60, 60}, kGreen);
    Pump();
    HDC whole = GetWindowDC(parent);
    SetPixel(whole, 0, 30, kYellow);
    SetPixel(whole, 30, 0, kYellow);
    SetPixel(whole, 30, 30, kYellow);
    ReleaseDC(parent, whole);
    EXPECT_EQ(At(0, 30), kYellow);
    EXPECT_EQ(At(30, 0), kYellow);
    EXPECT_EQ(At(30, 30), kGreen);
}

TEST_F(PaintClip, SiblingsAboveAreLeftOutWithClipSiblings) {
    HWND parent = Solid(nullptr, {0, 0, 300, 200}, kBlue, WS_POPUP | WS_CLIPCHILDREN);
    HWND upper = Solid(parent, {10, 10, 110, 110}, kGreen);  // created first: above
    HWND lower = Solid(parent, {60, 60, 160, 160}, kYellow, WS_CLIPSIBLINGS);
    Pump();
    EXPECT_EQ(At(80, 80), kGreen);
    FillThroughDc(lower, {0, 0, 100, 100}, kRed);
    EXPECT_EQ(At(80, 80), kGreen);
    EXPECT_EQ(At(120, 120), kRed);
    SetWindowLong(lower, GWL_STYLE, GetWindowLong(lower, GWL_STYLE) & ~WS_CLIPSIBLINGS);
    FillThroughDc(lower, {0, 0, 100, 100}, kRed);
    EXPECT_EQ(At(80, 80), kRed);
    (void)upper;
}

TEST_F(PaintClip, TopLevelWindowsAreClippedByThoseAboveThem) {
    HWND below = Solid(nullptr, {0, 0, 200, 200}, kBlue);
    HWND above = Solid(nullptr, {100, 100, 300, 300}, kGreen);
    Pump();
    FillThroughDc(below, {0, 0, 200, 200}, kRed);
    EXPECT_EQ(At(50, 50), kRed);
    EXPECT_EQ(At(150, 150), kGreen);
    // The screen DC draws over everything; a window DC takes in the frame.
    HDC screen = GetDC(nullptr);
    SetPixel(screen, 150, 150, kYellow);
    ReleaseDC(nullptr, screen);
    EXPECT_EQ(At(150, 150), kYellow);
    HWND framed = Solid(nullptr, {400, 0, 500, 100}, kBlue, WS_POPUP | WS_BORDER);
    Pump();
    EXPECT_EQ(At(400, 0), GetSysColor(COLOR_WINDOWFRAME));
    HDC whole = GetWindowDC(framed);
    SetPixel(whole, 0, 0, kYellow);
    ReleaseDC(framed, whole);
    EXPECT_EQ(At(400, 0), kYellow);
    EXPECT_EQ(WindowFromDC(whole), nullptr);  // given back
    (void)above;
}

// Rows painted in a colour that depends on y, so that moved rows can be recognised.
COLORREF RowColor(int y) {
    return RGB(y % 256, 255 - y % 256, 7);
}

void PaintRows(HWND hwnd, HDC dc, const RECT& clip) {
    RECT rc{};
    GetClientRect(hwnd, &rc);
    for (int y = clip.top; y < clip.bottom; ++y) {
        HBRUSH brush = CreateSolidBrush(RowColor(y));
        RECT row{rc.left, y, rc.right, y + 1};
        FillRect(dc, &row, brush);
        DeleteObject(brush);
    }
}

TEST_F(PaintClip, ScrollingMovesPixelsAndInvalidatesTheUncoveredStrip) {
    HWND hwnd = CreateTopLevel({0, 0, 200, 100}, WS_POPUP | WS_VISIBLE);
    int paints = 0;
    OnMessage(hwnd, [&](HWND h, UINT m, WPARAM, LPARAM) -> std::optional<LRESULT> {
        if (m != WM_PAINT)
            return std::nullopt;
        ++paints;
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(h, &ps);
        PaintRows(h, dc, ps.rcPaint);
        EndPaint(h, &ps);
        return 0;
    });
    Pump();
    ASSERT_EQ(At(5, 50), RowColor(50));

    HRGN update = CreateRectRgn(0, 0, 0, 0);
    RECT updateRect{};
    EXPECT_EQ(ScrollWindowEx(hwnd, 0, -10, nullptr, nullptr, update, &updateRect, SW_INVALIDATE),
              SIMPLEREGION);
    EXPECT_EQ(R(updateRect), (Rc{0, 90, 200, 100}));
    EXPECT_EQ(At(5, 50), RowColor(60));  // copied, not repainted
    RECT pending{};
    EXPECT_TRUE(GetUpdateRect(hwnd, &pending, FALSE));
    EXPECT_EQ(R(pending), (Rc{0, 90, 200, 100}));
    Pump();
    EXPECT_EQ(paints, 2);
    EXPECT_EQ(At(5, 95), RowColor(95));

    // Pixels that were covered cannot be copied: they are invalidated too.
    HWND cover = Solid(nullptr, {0, 0, 200, 20}, kBlue);
    Pump();
    ScrollWindowEx(hwnd, 0, 10, nullptr, nullptr, update, nullptr, SW_INVALIDATE);
    EXPECT_TRUE(PtInRegion(update, 5, 25));   // its source row 15 lay under the cover
    EXPECT_FALSE(PtInRegion(update, 5, 40));  // row 30 was on the screen
    DestroyWindow(cover);
    Pump();
    for (int y : {0, 25, 40, 99})
        EXPECT_EQ(At(5, y), RowColor(y)) << y;

    // An update region waiting in the scrolled area moves with it; a scroll rectangle and a
    // clip rectangle keep the rest.
    RECT waiting{0, 50, 200, 52};
    InvalidateRect(hwnd, &waiting, FALSE);
    RECT scroll{0, 40, 100, 100};
    ScrollWindowEx(hwnd, 0, 5, &scroll, &scroll, update, &updateRect, 0);
    EXPECT_EQ(R(updateRect), (Rc{0, 40, 100, 45}));
    EXPECT_TRUE(GetUpdateRect(hwnd, &pending, FALSE));
    EXPECT_EQ(R(pending), (Rc{0, 50, 200, 57}));
    EXPECT_EQ(At(150, 70), RowColor(70));
    EXPECT_EQ(At(50, 70), RowColor(65));
    DeleteObject(update);
}

TEST_F(PaintClip, ScrollingChildrenMovesThem) {
    HWND parent = Solid(nullptr, {0, 0, 200, 200}, kBlue, WS_POPUP | WS_CLIPCHILDREN);
    HWND child = Solid(parent, {10, 10, 50, 50}, kGreen);
    Pump();
    ClearProbes();
    ScrollWindow(parent, 20, 30, nullptr, nullptr);
    RECT r{};
    GetWindowRect(child, &r);
    EXPECT_EQ(R(r), (Rc{30, 40, 70, 80}));
    Pump();
    EXPECT_EQ(At(40, 50), kGreen);
    EXPECT_EQ(At(15, 15), kBlue);
    EXPECT_EQ(Probe(parent).erases, 1);
}

}  // namespace
}  // namespace kq::ui::test
