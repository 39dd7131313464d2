// The resizable bars in rows: their sizing edges and hit codes, the drag limits that keep every
// bar of the row at its minimum, the pixels a drag moves from bar to bar, a row division that
// must shrink bars that keep their size, and stored sizes kept within the minimums and the screen.
#include "bars_fixture_test.h"
#include "platform/ui/Input.h"
#include "platform/ui/SystemMetrics.h"

namespace apptest {
namespace {

using Bar = CSizingControlBar;

class SizingRows : public SizingBars {
  protected:
    // Presses on a point, moves by the offset and lets go.
    void Drag(CPoint from, CSize by) {
        kq::ui::InjectMouseMove(from);
        kq::ui::InjectMouseButton(from, VK_LBUTTON, true);
        Pump();
        kq::ui::InjectMouseMove(from + by);
        Pump();
        kq::ui::InjectMouseButton(from + by, VK_LBUTTON, false);
        Pump();
        Advance(1000);  // no double click with the next press
    }
    void SetColumn(std::initializer_list<int> lengths) {
        int i = 0;
        for (int length : lengths) {
            bars_[i].m_szVert.cy = length;
            bars_[i].m_szMinVert.cy = 32;
            ++i;
        }
    }
};

TEST_F(SizingRows, EdgesFollowThePlaceInTheRowAndTheHitCodesTheirStrips) {
    // Columns of one, two and three bars at the right: the side towards the frame's centre is
    // always an edge, the others only between two bars.
    const DWORD expected[3][3] = {
        {Bar::kEdgeLeft, 0, 0},
        {Bar::kEdgeLeft | Bar::kEdgeBottom, Bar::kEdgeLeft | Bar::kEdgeTop, 0},
        {Bar::kEdgeLeft | Bar::kEdgeBottom, Bar::kEdgeLeft | Bar::kEdgeTop | Bar::kEdgeBottom,
         Bar::kEdgeLeft | Bar::kEdgeTop}};
    DockInOneRow(AFX_IDW_DOCKBAR_RIGHT, {0, 1, 2});
    for (int count = 1; count <= 3; ++count) {
        for (int i = 0; i < 3; ++i)
            frame_->ShowControlBar(&bars_[i], i < count, FALSE);
        for (int i = 0; i < count; ++i)
            EXPECT_EQ(bars_[i].GetSizingStyle() & Bar::kEdgeBits, expected[count - 1][i])
                << count << " bars, bar " << i;
    }

    // The middle bar: its left, top and bottom strips, the close button, the rest client.
    const CRect w = ScreenRect(&bars_[1]);
    const CPoint mid = w.CenterPoint();
    EXPECT_EQ(HitAt(bars_[1], CPoint(w.left + 2, mid.y)), HTLEFT);
    EXPECT_EQ(HitAt(bars_[1], CPoint(mid.x, w.top + 2)), HTTOP);
    EXPECT_EQ(HitAt(bars_[1], CPoint(mid.x, w.bottom - 2)), HTBOTTOM);
    EXPECT_EQ(HitAt(bars_[1], CPoint(w.right - 2, mid.y)), HTCLIENT);
    EXPECT_EQ(HitAt(bars_[1], CloseButtonOnScreen(bars_[1]).CenterPoint()), HTCLOSE);
    // The top strip leaves the corners to the left edge.
    EXPECT_EQ(HitAt(bars_[1], CPoint(w.left + 2, w.top + 2)), HTLEFT);

    // Along the top: the left and right strips leave the corners to the top and bottom.
    DockInOneRow(AFX_IDW_DOCKBAR_TOP, {0, 1});
    const CRect top = ScreenRect(&bars_[0]);
    EXPECT_EQ(bars_[0].GetSizingStyle() & Bar::kEdgeBits, Bar::kEdgeRight | Bar::kEdgeBottom);
    EXPECT_EQ(HitAt(bars_[0], CPoint(top.right - 2, top.CenterPoint().y)), HTRIGHT);
    EXPECT_EQ(HitAt(bars_[0], CPoint(top.right - 2, top.bottom - 2)), HTBOTTOM);
    EXPECT_EQ(HitAt(bars_[0], CPoint(top.left + 2, top.CenterPoint().y)), HTCLIENT);
    // Floating, the bar is all client and has no caption of its own.
    frame_->FloatControlBar(&bars_[2], CPoint(300, 300), CBRS_ALIGN_TOP);
    const CRect floating = ScreenRect(&bars_[2]);
    EXPECT_EQ(HitAt(bars_[2], CPoint(floating.left + 1, floating.top + 1)), HTCLIENT);
    EXPECT_FALSE(bars_[2].HasGripper());
}

TEST_F(SizingRows, AnEdgeBetweenBarsMovesWithinTheMinimumsAndTakesFromTheNearestFirst) {
    DockInOneRow(AFX_IDW_DOCKBAR_RIGHT, {0, 1});
    SetColumn({150, 100});
    const CRect first = ScreenRect(&bars_[0]);
    const CPoint edge(first.CenterPoint().x, first.bottom - 4);
    kq::ui::InjectMouseMove(edge);
    kq::ui::InjectMouseButton(edge, VK_LBUTTON, true);
    Pump();
    ASSERT_TRUE(bars_[0].IsTracking());
    EXPECT_EQ(bars_[0].m_nTrackLimitLow, edge.y - 118);
    EXPECT_EQ(bars_[0].m_nTrackLimitHigh, edge.y + 68);
    // Far beyond the limit: the second bar stops at its minimum.
    kq::ui::InjectMouseMove(edge + CSize(0, 300));
    kq::ui::InjectMouseButton(edge + CSize(0, 300), VK_LBUTTON, false);
    Pump();
    EXPECT_FALSE(bars_[0].IsTracking());
    EXPECT_EQ(::GetCapture(), nullptr);
    EXPECT_EQ(bars_[0].m_szVert.cy, 218);
    EXPECT_EQ(bars_[1].m_szVert.cy, 32);
    Advance(1000);

    // Three bars: the next bar gives up what it has above its minimum, then the one after it.
    DockInOneRow(AFX_IDW_DOCKBAR_RIGHT, {0, 1, 2});
    SetColumn({150, 100, 100});
    Drag(CPoint(ScreenRect(&bars_[0]).CenterPoint().x, ScreenRect(&bars_[0]).bottom - 4),
         CSize(0, 100));
    EXPECT_EQ(bars_[0].m_szVert.cy, 250);
    EXPECT_EQ(bars_[1].m_szVert.cy, 32);
    EXPECT_EQ(bars_[2].m_szVert.cy, 68);
    // The middle bar's top edge moved up: it grows, the bar above gives up the pixels.
    Drag(CPoint(ScreenRect(&bars_[1]).CenterPoint().x, ScreenRect(&bars_[1]).top + 4),
         CSize(0, -40));
    EXPECT_EQ(bars_[0].m_szVert.cy, 210);
    EXPECT_EQ(bars_[1].m_szVert.cy, 72);
    EXPECT_EQ(bars_[2].m_szVert.cy, 68);

    // The edge towards the frame's centre changes the whole column's width.
    Drag(CPoint(ScreenRect(&bars_[1]).left + 2, ScreenRect(&bars_[1]).CenterPoint().y),
         CSize(-30, 0));
    for (TestSizingBar& bar : bars_)
        EXPECT_EQ(bar.m_szVert.cx, 180);
}

TEST_F(SizingRows, ARowOfBarsAtTheirMinimumsThatMustShrinkEnds) {
    DockInOneRow(AFX_IDW_DOCKBAR_RIGHT, {0, 1, 2});
    for (TestSizingBar& bar : bars_) {
        bar.m_szMinVert.cy = 50;
        bar.m_szVert.cy = 50;
    }
    // The last bar keeps its size, the others cannot shrink: it gives way after all.
    bars_[2].m_szVert.cy = 200;
    bars_[2].m_bKeepSize = TRUE;
    EXPECT_TRUE(bars_[0].DivideRow(200));
    EXPECT_EQ(bars_[0].m_szVert.cy, 50);
    EXPECT_EQ(bars_[1].m_szVert.cy, 50);
    EXPECT_EQ(bars_[2].m_szVert.cy, 200 - 94);
    EXPECT_FALSE(bars_[2].m_bKeepSize);
    // Divided again at the same length, nothing moves.
    EXPECT_TRUE(bars_[0].DivideRow(200));
    EXPECT_EQ(bars_[2].m_szVert.cy, 200 - 94);
    // What does not fit at its minimum starts a new row, after the bars that fit.
    EXPECT_TRUE(bars_[0].DivideRow(120));
    EXPECT_EQ(bars_[2].RowBars().size(), 1u);
    EXPECT_EQ(bars_[0].RowBars().size(), 2u);
}

TEST_F(SizingRows, StoredSizesAreRaisedToTheMinimumsAndKeptOnTheScreen) {
    CWinApp* app = AfxGetApp();
    const CString section = "Bars-SCBar-110";
    app->WriteProfileInt(section, "sizeHorzCX", 10);
    app->WriteProfileInt(section, "sizeVertCY", 100000);
    app->WriteProfileInt(section, "sizeFloatCY", 5);
    CSizingControlBar::LoadAll("Bars", frame_);
    EXPECT_EQ(bars_[0].m_szHorz, CSize(33, 100));
    EXPECT_EQ(bars_[0].m_szVert, CSize(150, ::GetSystemMetrics(SM_CYVIRTUALSCREEN)));
    EXPECT_EQ(bars_[0].m_szFloat, CSize(150, 32));
    EXPECT_EQ(bars_[1].m_szHorz, CSize(150, 100));  // nothing stored for it
}

}  // namespace
}  // namespace apptest
