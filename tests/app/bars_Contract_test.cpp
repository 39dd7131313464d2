// The framework's docking scenarios run against the resizable bar family: a column divided among
// its bars and again when the frame is resized, bars that do not fit starting a new row, a
// hidden bar coming back with its length, the floating frame's border sizing a floating bar,
// and sizes and arrangement saved and loaded together.
#include "bars_fixture_test.h"
#include "platform/ui/Input.h"

namespace apptest {
namespace {

constexpr const char* kProfile = "AllViewState\\BarState\\ViewBar";

class BarContract : public SizingBars {
  protected:
    CRect InDock(const CControlBar* bar) const {
        CRect rect = ScreenRect(bar);
        bar->m_pDockBar->ScreenToClient(&rect);
        return rect;
    }
    int DockLength(UINT side, bool horz) const {
        CRect rect;
        frame_->GetControlBar(side)->GetClientRect(&rect);
        return horz ? rect.Width() : rect.Height();
    }
    void CheckColumn(std::initializer_list<int> which) {
        const std::vector<int> bars(which);
        EXPECT_EQ(InDock(&bars_[bars.front()]).top, 0);
        for (size_t k = 1; k < bars.size(); ++k)
            EXPECT_EQ(InDock(&bars_[bars[k]]).top, InDock(&bars_[bars[k - 1]]).bottom - 2);
        EXPECT_EQ(InDock(&bars_[bars.back()]).bottom, DockLength(AFX_IDW_DOCKBAR_RIGHT, false));
        for (int i : bars)
            EXPECT_EQ(InDock(&bars_[i]).Size(), bars_[i].m_szVert) << i;
    }
};

TEST_F(BarContract, AColumnIsSharedAmongItsBarsAndAgainWhenTheFrameIsResized) {
    DockInOneRow(AFX_IDW_DOCKBAR_RIGHT, {0, 1, 2});
    EXPECT_EQ(Rows(AFX_IDW_DOCKBAR_RIGHT), (std::vector<UINT>{0, 110, 111, 112, 0}));
    CheckColumn({0, 1, 2});
    const CRect frameRect = ScreenRect(frame_);
    frame_->SetWindowPos(nullptr, 0, 0, frameRect.Width(), frameRect.Height() + 90,
                         SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    CheckColumn({0, 1, 2});
    frame_->SetWindowPos(nullptr, 0, 0, frameRect.Width(), frameRect.Height() - 150,
                         SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    CheckColumn({0, 1, 2});
}

TEST_F(BarContract, BarsThatDoNotFitStartANewRowAndHiddenBarsComeBackWithTheirLength) {
    for (TestSizingBar& bar : bars_)
        bar.m_szMinHorz.cx = 250;
    DockInOneRow(AFX_IDW_DOCKBAR_TOP, {0, 1, 2});
    EXPECT_EQ(Rows(AFX_IDW_DOCKBAR_TOP), (std::vector<UINT>{0, 110, 111, 0, 112, 0}));
    const int width = DockLength(AFX_IDW_DOCKBAR_TOP, true);
    EXPECT_EQ(InDock(&bars_[0]).left, -2);
    EXPECT_EQ(InDock(&bars_[1]).right, width + 2);
    EXPECT_EQ(InDock(&bars_[2]).Width(), width + 4);

    DockInOneRow(AFX_IDW_DOCKBAR_RIGHT, {0, 1, 2});
    const CSize middle = bars_[1].m_szVert;
    frame_->ShowControlBar(&bars_[1], FALSE, FALSE);
    CheckColumn({0, 2});
    frame_->ShowControlBar(&bars_[1], TRUE, FALSE);
    EXPECT_EQ(InDock(&bars_[1]).Size(), middle);
    CheckColumn({0, 1, 2});
}

TEST_F(BarContract, TheFloatingFramesBorderSizesAFloatingBarDownToItsMinimum) {
    bars_[0].m_szFloat = CSize(180, 90);
    frame_->FloatControlBar(&bars_[0], CPoint(300, 200), CBRS_ALIGN_TOP);
    ASSERT_TRUE(bars_[0].IsFloatingId());
    CFrameWnd* mini = bars_[0].GetParentFrame();
    EXPECT_TRUE(mini->GetStyle() & WS_THICKFRAME);
    EXPECT_EQ(ScreenRect(&bars_[0]).Size(), CSize(180, 90));
    auto drag = [&](CPoint from, CPoint to) {
        kq::ui::InjectMouseMove(from);
        kq::ui::InjectMouseButton(from, VK_LBUTTON, true);
        kq::ui::InjectMouseMove(to);
        kq::ui::InjectMouseButton(to, VK_LBUTTON, false);
        Pump();
        Advance(1000);
    };
    CRect now = ScreenRect(mini);
    drag(CPoint(now.right - 1, now.CenterPoint().y), CPoint(now.right + 39, now.CenterPoint().y));
    EXPECT_EQ(bars_[0].m_szFloat, CSize(220, 90));
    now = ScreenRect(mini);
    drag(CPoint(now.CenterPoint().x, now.bottom - 1), CPoint(now.CenterPoint().x, now.top));
    EXPECT_EQ(bars_[0].m_szFloat, CSize(220, 32));
    EXPECT_EQ(ScreenRect(&bars_[0]).Size(), CSize(220, 32));
}

TEST_F(BarContract, SizesAndArrangementAreSavedAndLoadedTogether) {
    DockInOneRow(AFX_IDW_DOCKBAR_RIGHT, {0, 1});
    frame_->DockControlBar(&bars_[2], AFX_IDW_DOCKBAR_BOTTOM);
    frame_->FloatControlBar(&bars_[1], CPoint(320, 240), CBRS_ALIGN_TOP);
    bars_[1].m_szFloat = CSize(210, 70);
    frame_->RecalcLayout();
    CSizingControlBar::SaveAll(kProfile, frame_);
    frame_->SaveBarState(kProfile);

    frame_->DockControlBar(&bars_[1], AFX_IDW_DOCKBAR_LEFT);
    for (TestSizingBar& bar : bars_)
        bar.m_szHorz = bar.m_szVert = bar.m_szFloat = CSize(40, 40);
    frame_->RecalcLayout();

    CSizingControlBar::LoadAll(kProfile, frame_);
    frame_->LoadBarState(kProfile);
    Idle();
    Pump();
    ASSERT_TRUE(bars_[1].IsFloatingId());
    EXPECT_EQ(ScreenRect(&bars_[1]).Size(), CSize(210, 70));
    EXPECT_EQ(bars_[0].GetDockBarId(), AFX_IDW_DOCKBAR_RIGHT);
    EXPECT_EQ(bars_[2].GetDockBarId(), AFX_IDW_DOCKBAR_BOTTOM);
    EXPECT_EQ(bars_[2].m_szHorz.cy, 100);
    // Docked again by double click, the floated bar returns below the first.
    bars_[1].m_pDockContext->ToggleDocking();
    Pump();
    EXPECT_EQ(Rows(AFX_IDW_DOCKBAR_RIGHT), (std::vector<UINT>{0, 110, 111, 0}));
    EXPECT_EQ(InDock(&bars_[1]).top, InDock(&bars_[0]).bottom - 2);
}

}  // namespace
}  // namespace apptest
