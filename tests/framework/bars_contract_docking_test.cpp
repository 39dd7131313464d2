// Resizable bars docked at the frame's sides: what the framework asks of them, when, and how
// the rows it keeps let the bars share a side's length.
#include "framework/bars_contract_double_test.h"

namespace kq::fw::test {
namespace {

constexpr UINT kFirstBar = 110;

class BarsContractDocking : public BarsTest {
  protected:
    void SetUp() override {
        BarsTest::SetUp();
        for (UINT i = 0; i < 3; ++i) {
            ASSERT_TRUE(bars_[i].Create("bar", frame_, CSize(150, 100), kFirstBar + i));
            bars_[i].SetBarStyle(bars_[i].GetBarStyle() | CBRS_SIZE_DYNAMIC);
            bars_[i].EnableDocking(CBRS_ALIGN_ANY);
        }
        frame_->EnableDocking(CBRS_ALIGN_ANY);
        frame_->RecalcLayout();
    }

    // Docks the bars one below (or beside) the other in one row, as the main frame does: each
    // in the rectangle of the one before it, moved by a pixel.
    void DockInOneRow(UINT side, std::initializer_list<int> which) {
        const bool horz = side == AFX_IDW_DOCKBAR_TOP || side == AFX_IDW_DOCKBAR_BOTTOM;
        SizingBar* previous = nullptr;
        for (int i : which) {
            if (previous == nullptr) {
                frame_->DockControlBar(&bars_[i], side);
            } else {
                CRect rect = ScreenRect(previous);
                rect.OffsetRect(horz ? 1 : 0, horz ? 0 : 1);
                frame_->DockControlBar(&bars_[i], side, &rect);
            }
            previous = &bars_[i];
        }
        frame_->RecalcLayout();
    }

    CRect InDock(const CControlBar* bar) const {
        CRect rect = ScreenRect(bar);
        bar->m_pDockBar->ScreenToClient(&rect);
        return rect;
    }

    CRect DockClient(UINT side) const {
        CRect rect;
        Dock(side)->GetClientRect(&rect);
        return rect;
    }

    SizingBar bars_[3];
};

TEST_F(BarsContractDocking, UndockedBarsAreSizedByTheFramesLayoutBeforeTheyDock) {
    // The bar keeps the bar-style bits; the window gets the rest and clips its children.
    EXPECT_EQ(bars_[0].GetBarStyle(), CBRS_TOP | CBRS_SIZE_DYNAMIC);
    EXPECT_EQ(bars_[0].GetStyle() & 0xFFFF, 0u);
    EXPECT_TRUE(bars_[0].GetStyle() & WS_CLIPCHILDREN);
    EXPECT_EQ(bars_[0].m_pDockSite, frame_);
    EXPECT_EQ(frame_->GetControlBar(kFirstBar + 1), &bars_[1]);

    // Still children of the frame, they lie along its top stretched to its width, the frame
    // asking as it lays out (length -1).
    ASSERT_FALSE(bars_[0].calls.empty());
    EXPECT_EQ(bars_[0].calls.back().length, -1);
    EXPECT_EQ(bars_[0].calls.back().mode, LM_STRETCH | LM_HORZ | LM_HORZDOCK);
    CRect client;
    frame_->GetClientRect(&client);
    EXPECT_EQ(ScreenRect(&bars_[0]).Size(), CSize(client.Width(), 100));
    EXPECT_EQ(ClientRectIn(&bars_[1]).top, ClientRectIn(&bars_[0]).bottom);
}

TEST_F(BarsContractDocking, BarsDockedInTheRectangleOfTheOneBeforeStackInOneColumn) {
    DockInOneRow(AFX_IDW_DOCKBAR_RIGHT, {0, 1, 2});
    EXPECT_EQ(Rows(AFX_IDW_DOCKBAR_RIGHT),
              (std::vector<UINT>{0, kFirstBar, kFirstBar + 1, kFirstBar + 2, 0}));

    CDockBar* dock = Dock(AFX_IDW_DOCKBAR_RIGHT);
    const CRect column = DockClient(AFX_IDW_DOCKBAR_RIGHT);
    for (SizingBar& bar : bars_) {
        EXPECT_EQ(bar.m_pDockBar, dock);
        EXPECT_EQ(bar.GetParent(), dock);
        // Every position change shows the bar in its dock bar, whose id tells the side.
        EXPECT_EQ(bar.dockBarId, AFX_IDW_DOCKBAR_RIGHT);
        EXPECT_TRUE(bar.IsVertDocked());
        EXPECT_EQ(bar.calls.back().length, -1);
        EXPECT_EQ(bar.calls.back().mode, LM_VERTDOCK);
        // While the frame lays out, the dock bar holds the space it offers the side.
        ASSERT_FALSE(bar.layoutOffered.empty());
        EXPECT_EQ(bar.layoutOffered.back().Height(), column.Height());
        EXPECT_FALSE(bar.IsHorz());
    }

    // The column is divided among the three: the first at the top, each next one overlapping
    // the one before by 2 pixels, the last ending at the bottom; all as wide as the side.
    EXPECT_EQ(InDock(&bars_[0]).top, 0);
    EXPECT_EQ(InDock(&bars_[1]).top, InDock(&bars_[0]).bottom - 2);
    EXPECT_EQ(InDock(&bars_[2]).top, InDock(&bars_[1]).bottom - 2);
    EXPECT_EQ(InDock(&bars_[2]).bottom, column.bottom);
    for (SizingBar& bar : bars_)
        EXPECT_EQ(InDock(&bar).Size(), bar.vert);
    EXPECT_EQ(ClientRectIn(CWnd::FromHandle(pane_)).right, ClientRectIn(dock).left);

    // The non-client calculation sees the row as the framework keeps it.
    EXPECT_TRUE(bars_[0].firstInRow);
    EXPECT_FALSE(bars_[0].lastInRow);
    EXPECT_FALSE(bars_[1].firstInRow);
    EXPECT_FALSE(bars_[1].lastInRow);
    EXPECT_TRUE(bars_[2].lastInRow);
    CRect client;
    bars_[1].GetClientRect(&client);
    EXPECT_EQ(client.Size(), bars_[1].vert - CSize(10, 10));
}

TEST_F(BarsContractDocking, EachSideAsksForItsOrientationAndTheBarFillsItsLength) {
    const UINT sides[] = {AFX_IDW_DOCKBAR_TOP, AFX_IDW_DOCKBAR_LEFT, AFX_IDW_DOCKBAR_BOTTOM};
    for (int i = 0; i < 3; ++i)
        frame_->DockControlBar(&bars_[i], sides[i]);
    frame_->RecalcLayout();

    EXPECT_EQ(bars_[0].dockBarId, AFX_IDW_DOCKBAR_TOP);
    EXPECT_EQ(bars_[1].dockBarId, AFX_IDW_DOCKBAR_LEFT);
    EXPECT_EQ(bars_[2].dockBarId, AFX_IDW_DOCKBAR_BOTTOM);
    EXPECT_EQ(bars_[0].calls.back().mode, LM_HORZ | LM_HORZDOCK);
    EXPECT_EQ(bars_[1].calls.back().mode, LM_VERTDOCK);
    EXPECT_EQ(bars_[2].calls.back().mode, LM_HORZ | LM_HORZDOCK);

    // A horizontal row starts 2 pixels before its dock bar and ends 2 pixels after it, so the
    // bar's side borders are hidden; on the top side it also starts 2 pixels higher.
    const int width = DockClient(AFX_IDW_DOCKBAR_TOP).Width();
    EXPECT_EQ(InDock(&bars_[0]), CRect(-2, -2, width + 2, 98));
    EXPECT_EQ(InDock(&bars_[2]), CRect(-2, 0, width + 2, 100));
    // A vertical one fills the side's height exactly.
    EXPECT_EQ(InDock(&bars_[1]), CRect(0, 0, 150, DockClient(AFX_IDW_DOCKBAR_LEFT).Height()));
    const CRect pane = ClientRectIn(CWnd::FromHandle(pane_));
    EXPECT_EQ(pane.left, ClientRectIn(Dock(AFX_IDW_DOCKBAR_LEFT)).right);
    EXPECT_EQ(pane.top, ClientRectIn(Dock(AFX_IDW_DOCKBAR_TOP)).bottom);
    EXPECT_EQ(pane.bottom, ClientRectIn(Dock(AFX_IDW_DOCKBAR_BOTTOM)).top);

    // The space left for the view, as a layout query reports it, moves nothing.
    const CRect bar = ScreenRect(&bars_[1]);
    CRect left;
    frame_->RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST, CWnd::reposQuery, &left, nullptr, TRUE);
    EXPECT_EQ(CRect(left), ClientRectIn(CWnd::FromHandle(pane_)));
    EXPECT_EQ(ScreenRect(&bars_[1]), bar);
}

TEST_F(BarsContractDocking, ARowSharesTheSideAgainWhenTheFrameIsResized) {
    DockInOneRow(AFX_IDW_DOCKBAR_TOP, {0, 1});
    EXPECT_EQ(Rows(AFX_IDW_DOCKBAR_TOP), (std::vector<UINT>{0, kFirstBar, kFirstBar + 1, 0}));
    auto checkRow = [&] {
        const int width = DockClient(AFX_IDW_DOCKBAR_TOP).Width();
        EXPECT_EQ(InDock(&bars_[0]).left, -2);
        EXPECT_EQ(InDock(&bars_[1]).left, InDock(&bars_[0]).right - 2);
        EXPECT_EQ(InDock(&bars_[1]).right, width + 2);
        EXPECT_EQ(InDock(&bars_[1]).top, InDock(&bars_[0]).top);
    };
    checkRow();

    // Wider: the frame lays out at once and offers the dock bars the new space.
    CRect frameRect = ScreenRect(frame_);
    frame_->SetWindowPos(nullptr, 0, 0, frameRect.Width() + 120, frameRect.Height(),
                         SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_EQ(bars_[0].layoutOffered.back().Width(), DockClient(AFX_IDW_DOCKBAR_TOP).Width());
    checkRow();
    // Narrower, down to the bars' minimums.
    frame_->SetWindowPos(nullptr, 0, 0, frameRect.Width() - 200, frameRect.Height(),
                         SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    checkRow();
}

TEST_F(BarsContractDocking, BarsThatDoNotFitARowStartANewOneWhileTheFrameLaysOut) {
    for (SizingBar& bar : bars_)
        bar.minHorz.cx = 250;
    DockInOneRow(AFX_IDW_DOCKBAR_TOP, {0, 1, 2});
    // The first bar's layout breaks the row in the dock bar's list; the framework lays out
    // the list as it is then.
    EXPECT_EQ(Rows(AFX_IDW_DOCKBAR_TOP),
              (std::vector<UINT>{0, kFirstBar, kFirstBar + 1, 0, kFirstBar + 2, 0}));
    const int width = DockClient(AFX_IDW_DOCKBAR_TOP).Width();
    EXPECT_EQ(InDock(&bars_[0]).left, -2);
    EXPECT_EQ(InDock(&bars_[1]).left, InDock(&bars_[0]).right - 2);
    EXPECT_EQ(InDock(&bars_[1]).right, width + 2);
    EXPECT_EQ(InDock(&bars_[2]), CRect(-2, InDock(&bars_[0]).bottom - 2, width + 2,
                                       InDock(&bars_[0]).bottom - 2 + bars_[2].horz.cy));
    EXPECT_TRUE(bars_[1].lastInRow);
    EXPECT_TRUE(bars_[2].firstInRow);
    EXPECT_EQ(ClientRectIn(Dock(AFX_IDW_DOCKBAR_TOP)).bottom,
              ClientRectIn(CWnd::FromHandle(pane_)).top);
}

TEST_F(BarsContractDocking, NewSizesShowAtTheNextIdleLayout) {
    DockInOneRow(AFX_IDW_DOCKBAR_LEFT, {0, 1});
    // What a drag of the edge between the two bars leaves behind.
    bars_[0].vert.cy += 30;
    bars_[1].vert.cy -= 30;
    frame_->DelayRecalcLayout();
    EXPECT_NE(InDock(&bars_[0]).Size(), bars_[0].vert);
    Idle();
    EXPECT_EQ(InDock(&bars_[0]).Size(), bars_[0].vert);
    EXPECT_EQ(InDock(&bars_[1]).Size(), bars_[1].vert);
    EXPECT_EQ(InDock(&bars_[1]).top, InDock(&bars_[0]).bottom - 2);
    EXPECT_EQ(InDock(&bars_[1]).bottom, DockClient(AFX_IDW_DOCKBAR_LEFT).Height());
}

TEST_F(BarsContractDocking, TheBarsOwnEdgesAndCloseButtonGetTheMouse) {
    DockInOneRow(AFX_IDW_DOCKBAR_RIGHT, {0, 1});
    const CRect window = ScreenRect(&bars_[1]);

    // A press on the left edge: the bar's hit code and the screen point; the bar keeps the
    // mouse while the edge is dragged, and learns when the capture goes.
    const CPoint edge(window.left + 2, window.CenterPoint().y);
    kq::ui::InjectMouseMove(edge);
    kq::ui::InjectMouseButton(edge, VK_LBUTTON, true);
    kq::ui::InjectMouseMove(edge + CSize(-60, 5));
    kq::ui::InjectMouseButton(edge + CSize(-60, 5), VK_LBUTTON, false);
    Pump();
    ASSERT_EQ(bars_[1].ncDown.size(), 1u);
    EXPECT_EQ(bars_[1].ncDown[0].first, static_cast<UINT>(HTLEFT));
    EXPECT_EQ(bars_[1].ncDown[0].second, edge);
    ASSERT_FALSE(bars_[1].dragMoves.empty());
    EXPECT_EQ(bars_[1].dragMoves.back(), edge + CSize(-60, 5));
    EXPECT_EQ(bars_[1].capturesLost, 1);
    EXPECT_EQ(::GetCapture(), nullptr);
    Advance(1000);

    // The close button hides the bar through the frame; the other bar takes the column.
    const CPoint close(window.right - 10, window.top + 10);
    kq::ui::InjectMouseMove(close);
    kq::ui::InjectMouseButton(close, VK_LBUTTON, true);
    kq::ui::InjectMouseButton(close, VK_LBUTTON, false);
    Pump();
    ASSERT_FALSE(bars_[1].ncUp.empty());
    EXPECT_EQ(bars_[1].ncUp.back().first, static_cast<UINT>(HTCLOSE));
    EXPECT_FALSE(bars_[1].IsWindowVisible());
    EXPECT_EQ(InDock(&bars_[0]).bottom, DockClient(AFX_IDW_DOCKBAR_RIGHT).Height());
}

TEST_F(BarsContractDocking, AHiddenBarLeavesItsRowAndComesBackWithItsLength) {
    DockInOneRow(AFX_IDW_DOCKBAR_RIGHT, {0, 1, 2});
    const CSize middle = bars_[1].vert;
    const int height = DockClient(AFX_IDW_DOCKBAR_RIGHT).Height();

    frame_->ShowControlBar(&bars_[1], FALSE, FALSE);
    EXPECT_FALSE(bars_[1].IsWindowVisible());
    EXPECT_TRUE(bars_[1].changedFlags.back() & SWP_HIDEWINDOW);
    // It keeps its place in the row; the others take its room at once.
    EXPECT_EQ(Rows(AFX_IDW_DOCKBAR_RIGHT),
              (std::vector<UINT>{0, kFirstBar, kFirstBar + 1, kFirstBar + 2, 0}));
    EXPECT_EQ(InDock(&bars_[2]).top, InDock(&bars_[0]).bottom - 2);
    EXPECT_EQ(InDock(&bars_[2]).bottom, height);
    EXPECT_TRUE(bars_[2].lastInRow);
    EXPECT_TRUE(bars_[0].firstInRow);

    // Shown again, it sees the show before the frame asks for sizes, so it keeps its length
    // and the others give up the room.
    frame_->ShowControlBar(&bars_[1], TRUE, FALSE);
    EXPECT_FALSE(bars_[1].keepSize);  // used and cleared by the row's division
    EXPECT_EQ(InDock(&bars_[1]).Size(), middle);
    EXPECT_EQ(InDock(&bars_[1]).top, InDock(&bars_[0]).bottom - 2);
    EXPECT_EQ(InDock(&bars_[2]).bottom, height);

    // Hidden and shown through the bar's close button and the menu: the same at idle time.
    frame_->ShowControlBar(&bars_[2], FALSE, TRUE);
    EXPECT_FALSE(bars_[2].IsVisible());
    Idle();
    EXPECT_FALSE(bars_[2].IsWindowVisible());
    EXPECT_EQ(InDock(&bars_[1]).bottom, height);
}

}  // namespace
}  // namespace kq::fw::test
