// Equal heights of the channel bars per docked column, and the edit whose whole text is
// selected for the user.
#include <gtest/gtest.h>

#include "AppTest.h"
#include "app/bars/EqualHeights.h"

namespace apptest {
namespace {

BarPlacement Column(int top, int height, int left = 1000) {
    return BarPlacement{2, true, CRect(left, top, left + 274, top + height)};
}

TEST(EqualHeights, ColumnsShareTheirMeanHeightWithTwoPixelGaps) {
    const std::vector<BarPlacement> two{Column(0, 100), Column(100, 200)};
    const std::vector<BarTarget> a = EqualBarHeights(two);
    ASSERT_EQ(a.size(), 2u);
    EXPECT_EQ(a[0].rect, CRect(1000, 0, 1274, 150));
    EXPECT_EQ(a[1].rect, CRect(1000, 152, 1274, 302));

    const std::vector<BarPlacement> three{Column(50, 100), Column(150, 100), Column(250, 101)};
    const std::vector<BarTarget> b = EqualBarHeights(three);
    ASSERT_EQ(b.size(), 3u);
    EXPECT_EQ(b[0].rect.top, 50);
    EXPECT_EQ(b[1].rect.top, 152);
    EXPECT_EQ(b[2].rect.top, 254);
    for (const BarTarget& t : b)
        EXPECT_EQ(t.rect.Height(), 100);
}

TEST(EqualHeights, OtherColumnsFloatingAndHiddenBarsStayApart) {
    std::vector<BarPlacement> bars{Column(0, 100), Column(0, 300, 0), Column(100, 200),
                                   Column(400, 50), Column(500, 80)};
    bars[3].visible = false;
    bars[4].dockingKind = 0;
    const std::vector<BarTarget> targets = EqualBarHeights(bars);
    ASSERT_EQ(targets.size(), 3u);
    EXPECT_EQ(targets[0].bar, 0u);
    EXPECT_EQ(targets[1].bar, 2u);
    EXPECT_EQ(targets[1].rect.Height(), 150);
    EXPECT_EQ(targets[2].bar, 1u);  // a column of one keeps its height
    EXPECT_EQ(targets[2].rect.Height(), 300);
    EXPECT_EQ(ColumnCounters(bars), (std::vector<int>{2, 1, 2, 0, 0}));
}

class BarSizes : public StartedApp {};

TEST_F(BarSizes, TheWholeEditTextIsSelected) {
    CEdit edit;
    ASSERT_TRUE(
        edit.Create(WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, CRect(0, 0, 200, 20), frame_, 4321));
    edit.SetWindowText("Pruefling 17");
    CMainFrame::FocusAndSelectEditText(&edit);
    int start = -1;
    int end = -1;
    edit.GetSel(start, end);
    EXPECT_EQ(start, 0);
    EXPECT_EQ(end, edit.GetWindowTextLength());
    EXPECT_EQ(CWnd::GetFocus()->GetSafeHwnd(), edit.m_hWnd);
    edit.DestroyWindow();
}

TEST_F(BarSizes, EqualHeightsRunOnlyOnTheMeasureAndDiagramPage) {
    frame_->m_nActivePage = 133;
    CRect before;
    frame_->m_wndViewBar[0].GetWindowRect(&before);
    frame_->EqualizeChannelBarHeights();
    CRect after;
    frame_->m_wndViewBar[0].GetWindowRect(&after);
    EXPECT_EQ(before, after);
}

}  // namespace
}  // namespace apptest
