// The rectangle tracker: what lies under a point, what it draws, and the tracking loop driven
// by injected mouse and keys (moving, sizing against the minimum, inverting, cancelling) with
// the screen left as it was.
#include <gtest/gtest.h>

#include <vector>

#include "framework/FrameworkTest.h"
#include "platform/framework/RectTracker.h"
#include "platform/gfx/WindowDC.h"
#include "platform/ui/Input.h"
#include "platform/ui/paint/Screenshot.h"

namespace {

using kq::fw::test::FrameworkTest;

constexpr UINT kChartStyle = CRectTracker::resizeOutside | CRectTracker::hatchedBorder;

class RectTracking : public FrameworkTest {
  protected:
    void SetUp() override {
        FrameworkTest::SetUp();
        hwnd_ = CreateTopLevel({0, 0, 400, 300});
        wnd_.Attach(hwnd_);
        Pump();
    }
    void TearDown() override {
        wnd_.Detach();
        FrameworkTest::TearDown();
    }
    CPoint ToScreen(CPoint pt) const {
        wnd_.ClientToScreen(&pt);
        return pt;
    }
    // The user's moves after the press, queued before the loop starts.
    void Drag(std::vector<CPoint> moves, bool release = true) {
        for (CPoint pt : moves)
            kq::ui::InjectMouseMove(ToScreen(pt));
        if (release)
            kq::ui::InjectMouseButton(ToScreen(moves.back()), VK_LBUTTON, false);
    }
    std::vector<COLORREF> ClientPixels() const {
        CRect client;
        wnd_.GetClientRect(&client);
        std::vector<COLORREF> pixels;
        for (int y = 0; y < client.bottom; y += 2)
            for (int x = 0; x < client.right; x += 2) {
                const CPoint pt = ToScreen(CPoint(x, y));
                pixels.push_back(kq::ui::GetScreenPixel(pt.x, pt.y));
            }
        return pixels;
    }

    HWND hwnd_ = nullptr;
    CWnd wnd_;
};

TEST_F(RectTracking, HitsFindHandlesBorderAndNothingAndFollowAnInvertedRectangle) {
    CRectTracker tracker(CRect(100, 100, 200, 160), kChartStyle);
    // Handles lie outside the corners; the hatched border moves the whole.
    EXPECT_EQ(tracker.HitTest(CPoint(97, 97)), CRectTracker::hitTopLeft);
    EXPECT_EQ(tracker.HitTest(CPoint(202, 162)), CRectTracker::hitBottomRight);
    EXPECT_EQ(tracker.HitTest(CPoint(150, 97)), CRectTracker::hitTop);
    EXPECT_EQ(tracker.HitTest(CPoint(202, 130)), CRectTracker::hitRight);
    EXPECT_EQ(tracker.HitTest(CPoint(120, 98)), CRectTracker::hitMiddle);
    EXPECT_EQ(tracker.HitTest(CPoint(150, 130)), CRectTracker::hitMiddle);
    EXPECT_EQ(tracker.HitTest(CPoint(95, 95)), CRectTracker::hitNothing);
    EXPECT_EQ(tracker.HitTest(CPoint(250, 130)), CRectTracker::hitNothing);
    CRect rectTrue;
    tracker.GetTrueRect(&rectTrue);
    EXPECT_EQ(rectTrue, CRect(96, 96, 204, 164));

    // A short side has no middle handle.
    CRectTracker small(CRect(10, 10, 20, 100), kChartStyle);
    EXPECT_EQ(small.GetHandleMask() & 0x50u, 0u);
    EXPECT_EQ(small.GetHandleMask() & 0xA0u, 0xA0u);

    // Inverted: the corner the user sees at the top left is the rectangle's bottom right.
    CRectTracker inverted(CRect(200, 160, 100, 100), kChartStyle);
    EXPECT_EQ(inverted.HitTest(CPoint(97, 97)), CRectTracker::hitTopLeft);
    EXPECT_EQ(inverted.NormalizeHit(CRectTracker::hitTopLeft), CRectTracker::hitBottomRight);
    EXPECT_EQ(inverted.NormalizeHit(CRectTracker::hitLeft), CRectTracker::hitRight);

    // Without resize styles only the rectangle itself is hit.
    CRectTracker plain(CRect(10, 10, 50, 50), CRectTracker::solidLine);
    EXPECT_EQ(plain.HitTest(CPoint(30, 30)), CRectTracker::hitMiddle);
    EXPECT_EQ(plain.HitTest(CPoint(60, 30)), CRectTracker::hitNothing);
}

TEST_F(RectTracking, DrawingShowsHandlesAndHatchingOnlyAroundTheRectangle) {
    CRectTracker tracker(CRect(100, 100, 200, 160), kChartStyle);
    const COLORREF background =
        kq::ui::GetScreenPixel(ToScreen(CPoint(150, 130)).x, ToScreen(CPoint(150, 130)).y);
    {
        CClientDC dc(&wnd_);
        tracker.Draw(&dc);
    }
    auto pixel = [this](int x, int y) {
        const CPoint pt = ToScreen(CPoint(x, y));
        return kq::ui::GetScreenPixel(pt.x, pt.y);
    };
    EXPECT_EQ(pixel(97, 97), RGB(0, 0, 0));    // top-left handle
    EXPECT_EQ(pixel(201, 161), RGB(0, 0, 0));  // bottom-right handle
    EXPECT_EQ(pixel(150, 130), background);    // the inside is the owner's
    EXPECT_EQ(pixel(90, 130), background);     // nothing outside the border
    int ink = 0;                               // the hatching along the top border
    for (int x = 110; x < 140; ++x)
        for (int y = 96; y < 100; ++y)
            ink += pixel(x, y) == RGB(0, 0, 0) ? 1 : 0;
    EXPECT_GT(ink, 10);
    EXPECT_LT(ink, 110);
}

TEST_F(RectTracking, TheCursorShowsWhatAPressWouldDo) {
    CRectTracker tracker(CRect(100, 100, 200, 160), kChartStyle);
    auto cursorOver = [&](CPoint pt) {
        kq::ui::InjectMouseMove(ToScreen(pt));
        Pump();
        ::SetCursor(nullptr);
        const BOOL set = tracker.SetCursor(&wnd_, HTCLIENT);
        return set ? kq::ui::StandardCursorId(::GetCursor()) : 0;
    };
    EXPECT_EQ(cursorOver(CPoint(97, 97)), 32642);    // IDC_SIZENWSE
    EXPECT_EQ(cursorOver(CPoint(202, 97)), 32643);   // IDC_SIZENESW
    EXPECT_EQ(cursorOver(CPoint(150, 162)), 32645);  // IDC_SIZENS
    EXPECT_EQ(cursorOver(CPoint(150, 130)), 32646);  // IDC_SIZEALL
    EXPECT_EQ(cursorOver(CPoint(300, 250)), 0);
    EXPECT_FALSE(tracker.SetCursor(&wnd_, HTCAPTION));
}

TEST_F(RectTracking, DraggingTheBorderMovesAndLeavesTheScreenAsItWas) {
    CRectTracker tracker(CRect(100, 100, 200, 160), kChartStyle);
    const std::vector<COLORREF> before = ClientPixels();
    Drag({CPoint(130, 110), CPoint(160, 140)});
    EXPECT_TRUE(tracker.Track(&wnd_, CPoint(120, 98)));
    EXPECT_EQ(tracker.m_rect, CRect(140, 142, 240, 202));
    EXPECT_EQ(::GetCapture(), nullptr);
    EXPECT_EQ(ClientPixels(), before);  // every outline drawn was taken away again

    // A press without a move changes nothing.
    kq::ui::InjectMouseButton(ToScreen(CPoint(150, 150)), VK_LBUTTON, false);
    EXPECT_FALSE(tracker.Track(&wnd_, CPoint(150, 150)));
    EXPECT_EQ(tracker.m_rect, CRect(140, 142, 240, 202));
    // A press beside the tracker does not start.
    EXPECT_FALSE(tracker.Track(&wnd_, CPoint(20, 20)));
    EXPECT_EQ(::GetCapture(), nullptr);
}

TEST_F(RectTracking, SizingKeepsTheMinimumUnlessInvertingIsAllowed) {
    CRectTracker tracker(CRect(100, 100, 200, 160), kChartStyle);
    // The bottom-right handle pulled beyond the top-left corner stops at the minimum size.
    Drag({CPoint(150, 130), CPoint(50, 50)});
    EXPECT_TRUE(tracker.Track(&wnd_, CPoint(202, 162)));
    EXPECT_EQ(tracker.m_rect,
              CRect(100, 100, 100 + tracker.m_sizeMin.cx, 100 + tracker.m_sizeMin.cy));

    // The right side alone, with inverting allowed, crosses over the left one.
    tracker.m_rect.SetRect(100, 100, 200, 160);
    Drag({CPoint(150, 130), CPoint(60, 130)});
    EXPECT_TRUE(tracker.Track(&wnd_, CPoint(202, 130), TRUE));
    EXPECT_EQ(tracker.m_rect, CRect(100, 100, 58, 160));
    // The inverted rectangle still hits where it is seen.
    EXPECT_EQ(tracker.HitTest(CPoint(55, 97)), CRectTracker::hitTopLeft);
}

TEST_F(RectTracking, EscapeOrTheRightButtonCancelAndRestore) {
    CRectTracker tracker(CRect(100, 100, 200, 160), kChartStyle);
    const std::vector<COLORREF> before = ClientPixels();
    Drag({CPoint(130, 110), CPoint(170, 150)}, false);
    kq::ui::InjectKey(VK_ESCAPE, true);
    EXPECT_FALSE(tracker.Track(&wnd_, CPoint(120, 98)));
    kq::ui::InjectKey(VK_ESCAPE, false);
    Pump();
    EXPECT_EQ(tracker.m_rect, CRect(100, 100, 200, 160));
    EXPECT_EQ(::GetCapture(), nullptr);
    EXPECT_EQ(ClientPixels(), before);

    Drag({CPoint(180, 170)}, false);
    kq::ui::InjectMouseButton(ToScreen(CPoint(180, 170)), VK_RBUTTON, true);
    EXPECT_FALSE(tracker.Track(&wnd_, CPoint(202, 162)));
    kq::ui::InjectMouseButton(ToScreen(CPoint(180, 170)), VK_RBUTTON, false);
    Pump();
    EXPECT_EQ(tracker.m_rect, CRect(100, 100, 200, 160));
    EXPECT_EQ(ClientPixels(), before);
}

TEST_F(RectTracking, ARubberBandSpansFromThePressToTheRelease) {
    CRectTracker tracker;
    Drag({CPoint(80, 90), CPoint(150, 120)});
    EXPECT_TRUE(tracker.TrackRubberBand(&wnd_, CPoint(50, 60), FALSE));
    EXPECT_EQ(tracker.m_rect, CRect(50, 60, 150, 120));
}

TEST_F(RectTracking, ACopyTracksOnItsOwn) {
    CRectTracker original(CRect(10, 10, 60, 60), kChartStyle);
    CRectTracker copy = original;
    copy.m_rect.OffsetRect(5, 5);
    EXPECT_EQ(original.m_rect, CRect(10, 10, 60, 60));
    EXPECT_EQ(copy.m_nStyle, kChartStyle);
}

}  // namespace
