#include "framework/bars_fixture_test.h"

namespace kq::fw::test {
namespace {

class DockingTest : public BarsTest {
  protected:
    void SetUp() override {
        BarsTest::SetUp();
        kq::fw::EnableDocking(frame_, CBRS_ALIGN_ANY);
        for (int i = 0; i < 4; ++i) {
            ASSERT_TRUE(bars_[i].Create(frame_, 0xE880 + static_cast<UINT>(i)));
            bars_[i].EnableDocking(CBRS_ALIGN_ANY);
        }
    }

    CRect Client() const {
        CRect client;
        frame_->GetClientRect(&client);
        return client;
    }

    FixedBar bars_[4];
};

TEST_F(DockingTest, BarsDockedOnEachSideLeaveTheRestToTheView) {
    kq::fw::DockControlBar(frame_, &bars_[0], AFX_IDW_DOCKBAR_TOP);
    kq::fw::DockControlBar(frame_, &bars_[1], AFX_IDW_DOCKBAR_BOTTOM);
    kq::fw::DockControlBar(frame_, &bars_[2], AFX_IDW_DOCKBAR_LEFT);
    kq::fw::DockControlBar(frame_, &bars_[3], AFX_IDW_DOCKBAR_RIGHT);
    frame_->RecalcLayout();

    const CRect client = Client();
    // The top row is moved up over the frame's edge by the bars' border overlap.
    EXPECT_EQ(ClientRectIn(Dock(AFX_IDW_DOCKBAR_TOP)), CRect(0, 0, client.right, 28));
    EXPECT_EQ(ClientRectIn(Dock(AFX_IDW_DOCKBAR_BOTTOM)),
              CRect(0, client.bottom - 30, client.right, client.bottom));
    EXPECT_EQ(ClientRectIn(Dock(AFX_IDW_DOCKBAR_LEFT)), CRect(0, 28, 40, client.bottom - 30));
    EXPECT_EQ(ClientRectIn(Dock(AFX_IDW_DOCKBAR_RIGHT)),
              CRect(client.right - 40, 28, client.right, client.bottom - 30));
    EXPECT_EQ(ClientRectIn(CWnd::FromHandle(pane_)),
              CRect(40, 28, client.right - 40, client.bottom - 30));

    // Each bar takes the side's orientation and its own size.
    EXPECT_TRUE(bars_[2].m_dwStyle & CBRS_ALIGN_LEFT);
    EXPECT_FALSE(bars_[2].IsHorz());
    EXPECT_EQ(ScreenRect(&bars_[2]).Size(), CSize(40, 90));
    EXPECT_EQ(ScreenRect(&bars_[0]).Size(), CSize(120, 30));
    EXPECT_EQ(bars_[0].GetParent(), Dock(AFX_IDW_DOCKBAR_TOP));
}

TEST_F(DockingTest, RowsAreSeparatedByNullEntries) {
    kq::fw::DockControlBar(frame_, &bars_[0], AFX_IDW_DOCKBAR_TOP);
    kq::fw::DockControlBar(frame_, &bars_[1], AFX_IDW_DOCKBAR_TOP);
    frame_->RecalcLayout();
    EXPECT_EQ(Rows(AFX_IDW_DOCKBAR_TOP), (std::vector<UINT>{0, 0xE880, 0, 0xE881, 0}));
    // Two rows of 30 overlapping by 2, from 2 above the edge.
    EXPECT_EQ(ClientRectIn(Dock(AFX_IDW_DOCKBAR_TOP)).Height(), 56);

    // A rectangle right of the first bar puts the bar into the first row, after it.
    CRect place = ScreenRect(&bars_[0]);
    place.OffsetRect(place.Width(), 0);
    kq::fw::DockControlBar(frame_, &bars_[2], AFX_IDW_DOCKBAR_TOP, &place);
    frame_->RecalcLayout();
    EXPECT_EQ(Rows(AFX_IDW_DOCKBAR_TOP), (std::vector<UINT>{0, 0xE880, 0xE882, 0, 0xE881, 0}));
    const CRect first = ClientRectIn(&bars_[0]);
    const CRect third = ClientRectIn(&bars_[2]);
    EXPECT_EQ(third.top, first.top);
    EXPECT_GE(third.left, first.right - 2);

    // A rectangle above the first row makes a new first row.
    CRect above = ScreenRect(&bars_[0]);
    above.OffsetRect(0, -40);
    kq::fw::DockControlBar(frame_, &bars_[3], AFX_IDW_DOCKBAR_TOP, &above);
    EXPECT_EQ(Rows(AFX_IDW_DOCKBAR_TOP),
              (std::vector<UINT>{0, 0xE883, 0, 0xE880, 0xE882, 0, 0xE881, 0}));

    // Taking out the only bar of a row takes the row away.
    kq::fw::DockControlBar(frame_, &bars_[1], AFX_IDW_DOCKBAR_LEFT);
    EXPECT_EQ(Rows(AFX_IDW_DOCKBAR_TOP), (std::vector<UINT>{0, 0xE883, 0, 0xE880, 0xE882, 0}));
    EXPECT_EQ(Rows(AFX_IDW_DOCKBAR_LEFT), (std::vector<UINT>{0, 0xE881, 0}));
}

TEST_F(DockingTest, FloatsAndDocksAgain) {
    kq::fw::DockControlBar(frame_, &bars_[0], AFX_IDW_DOCKBAR_TOP);
    frame_->RecalcLayout();
    const CRect docked = ScreenRect(&bars_[0]);

    kq::fw::FloatControlBar(frame_, &bars_[0], CPoint(300, 200));
    frame_->RecalcLayout();
    ASSERT_TRUE(bars_[0].IsFloating());
    CFrameWnd* mini = bars_[0].GetParentFrame();
    ASSERT_TRUE(mini->IsKindOf(RUNTIME_CLASS(CMiniDockFrameWnd)));
    EXPECT_EQ(ScreenRect(mini).TopLeft(), CPoint(300, 200));
    EXPECT_TRUE(mini->IsWindowVisible());
    EXPECT_EQ(bars_[0].GetDockingFrame(), frame_);
    EXPECT_TRUE(bars_[0].m_dwStyle & CBRS_FLOATING);
    // The floating frame fits the bar; the frame's top side is empty again.
    CRect inside;
    mini->GetClientRect(&inside);
    EXPECT_EQ(inside.Size(), CSize(120, 30));
    EXPECT_EQ(Rows(AFX_IDW_DOCKBAR_TOP), (std::vector<UINT>{0}));
    EXPECT_EQ(ClientRectIn(Dock(AFX_IDW_DOCKBAR_TOP)).Height(), 0);

    // Floating bars are updated at idle time too.
    const int updates = bars_[0].updates;
    Idle();
    EXPECT_GT(bars_[0].updates, updates);

    // A double click goes back to the place it came from and closes the floating frame.
    const HWND miniWnd = mini->m_hWnd;
    bars_[0].m_pDockContext->ToggleDocking();
    Pump();
    EXPECT_FALSE(bars_[0].IsFloating());
    EXPECT_FALSE(::IsWindow(miniWnd));
    EXPECT_EQ(ScreenRect(&bars_[0]), docked);
    // And once more to where it floated.
    bars_[0].m_pDockContext->ToggleDocking();
    EXPECT_EQ(ScreenRect(bars_[0].GetParentFrame()).TopLeft(), CPoint(300, 200));
}

TEST_F(DockingTest, DraggingWithTheMouseDocksWhereTheBarIsDropped) {
    kq::fw::DockControlBar(frame_, &bars_[0], AFX_IDW_DOCKBAR_TOP);
    frame_->RecalcLayout();
    Pump();
    const CRect start = ScreenRect(&bars_[0]);
    CPoint grip(start.left + 10, start.top + 10);

    // Into the middle of the frame: it floats there.
    MouseDown(grip);
    MouseMove(CPoint(grip.x + 200, grip.y + 150));
    MouseUp(CPoint(grip.x + 200, grip.y + 150));
    ASSERT_TRUE(bars_[0].IsFloating());
    EXPECT_EQ(ScreenRect(bars_[0].GetParentFrame()).TopLeft(),
              CPoint(start.left + 200, start.top + 150));
    // Moving the floating bar moves its frame by as much; a click moves nothing.
    const CRect floating = ScreenRect(bars_[0].GetParentFrame());
    const CPoint inBar = ScreenRect(&bars_[0]).TopLeft() + CSize(5, 5);
    Click(inBar);
    EXPECT_EQ(ScreenRect(bars_[0].GetParentFrame()), floating);
    Advance(1000);  // not a double click
    MouseDown(inBar);
    MouseMove(inBar + CSize(-30, 20));
    MouseUp(inBar + CSize(-30, 20));
    EXPECT_EQ(ScreenRect(bars_[0].GetParentFrame()).TopLeft(), floating.TopLeft() + CSize(-30, 20));

    // Onto the left edge of the frame's client area: it docks there, standing.
    const CRect client = ScreenRect(CWnd::FromHandle(pane_));
    bars_[0].m_pDockContext->StartDrag(CPoint(0, 0));
    CRect bar = ScreenRect(&bars_[0]);
    bars_[0].m_pDockContext->Move(CPoint(client.left - bar.left + 2, client.top + 20 - bar.top));
    bars_[0].m_pDockContext->EndDrag();
    EXPECT_FALSE(bars_[0].IsFloating());
    EXPECT_EQ(bars_[0].m_pDockBar, Dock(AFX_IDW_DOCKBAR_LEFT));
    EXPECT_FALSE(bars_[0].IsHorz());

    // The right button gives up the drag.
    bars_[0].m_pDockContext->StartDrag(CPoint(0, 0));
    EXPECT_TRUE(bars_[0].m_pDockContext->IsDragging());
    MouseDown(CPoint(5, 5), VK_RBUTTON);
    EXPECT_FALSE(bars_[0].m_pDockContext->IsDragging());
    EXPECT_EQ(bars_[0].m_pDockBar, Dock(AFX_IDW_DOCKBAR_LEFT));
}

TEST_F(DockingTest, HiddenBarsTakeNoRoomAndShowAgainAtIdle) {
    kq::fw::DockControlBar(frame_, &bars_[2], AFX_IDW_DOCKBAR_LEFT);
    frame_->RecalcLayout();
    EXPECT_EQ(ClientRectIn(CWnd::FromHandle(pane_)).left, 40);

    kq::fw::ShowControlBar(frame_, &bars_[2], FALSE, FALSE);
    EXPECT_FALSE(bars_[2].IsVisible());
    EXPECT_EQ(ClientRectIn(CWnd::FromHandle(pane_)).left, 0);

    // Delayed: counts as shown at once, shows and lays out at idle time.
    kq::fw::ShowControlBar(frame_, &bars_[2], TRUE, TRUE);
    EXPECT_TRUE(bars_[2].IsVisible());
    EXPECT_FALSE(bars_[2].IsWindowVisible());
    Idle();
    EXPECT_TRUE(bars_[2].IsWindowVisible());
    EXPECT_EQ(ClientRectIn(CWnd::FromHandle(pane_)).left, 40);
    EXPECT_GT(bars_[2].updates, 0);

    // Closing a floating frame hides its bar rather than destroying it.
    kq::fw::FloatControlBar(frame_, &bars_[2], CPoint(200, 200));
    CFrameWnd* mini = bars_[2].GetParentFrame();
    mini->SendMessage(WM_CLOSE);
    EXPECT_TRUE(::IsWindow(bars_[2].m_hWnd));
    EXPECT_FALSE(bars_[2].IsVisible());
    EXPECT_FALSE(mini->IsWindowVisible());
    kq::fw::ShowControlBar(frame_, &bars_[2], TRUE, FALSE);
    EXPECT_TRUE(mini->IsWindowVisible());
}

}  // namespace
}  // namespace kq::fw::test
