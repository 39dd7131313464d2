// The main frame's view bars: their sizes and minimums per class, the hosted frame over the
// whole client, the diagram bar's floating setter that moves its floating frame without sizing
// it, and the bars' sizes saved and loaded with the frame-wide calls.
#include <gtest/gtest.h>

#include "AppTest.h"

namespace apptest {
namespace {

class ViewBars : public StartedApp {
  protected:
    void SetUp() override {
        StartedApp::SetUp();
        Run(100);
        frame_->ShowWindow(SW_SHOW);
        Run(20);
    }
};

TEST_F(ViewBars, SizesPerClassAndTheHostedFrameOverTheClient) {
    CViewBar& channel = frame_->m_wndViewBar[0];
    EXPECT_EQ(channel.GetSize(1), CSize(274, 95));
    EXPECT_EQ(channel.GetSize(0), CSize(259, 93));
    EXPECT_EQ(channel.m_szMinVert, CSize(274, 111));
    EXPECT_EQ(frame_->m_wndDiagramBar.m_szMinFloat, CSize(200, 160));
    EXPECT_EQ(frame_->m_wndNaviBar.m_szMinVert, CSize(50, 50));
    // The diagram and navigation bars draw their edges and size their child.
    CSizingControlBar* const edged[] = {&frame_->m_wndDiagramBar, &frame_->m_wndNaviBar};
    for (CSizingControlBar* bar : edged)
        EXPECT_EQ(bar->GetSizingStyle() & ~CSizingControlBar::kEdgeBits,
                  CSizingControlBar::kShowEdges | CSizingControlBar::kSizeChild);
    EXPECT_EQ(channel.GetSizingStyle() & ~CSizingControlBar::kEdgeBits, 0u);

    CRect client;
    channel.GetClientRect(&client);
    ASSERT_FALSE(client.IsRectEmpty());
    CRect hosted;
    channel.GetHostedFrame()->GetWindowRect(&hosted);
    channel.ScreenToClient(&hosted);
    EXPECT_EQ(hosted, client);
    CRect tree;
    frame_->m_wndTree.GetWindowRect(&tree);
    frame_->m_wndNaviBar.ScreenToClient(&tree);
    frame_->m_wndNaviBar.GetClientRect(&client);
    EXPECT_EQ(tree, client);
}

TEST_F(ViewBars, TheChannelBarsStartInOneColumnAtTheRight) {
    CDockBar* dock = frame_->m_wndViewBar[0].m_pDockBar;
    ASSERT_NE(dock, nullptr);
    EXPECT_EQ(dock->GetDlgCtrlID(), static_cast<int>(AFX_IDW_DOCKBAR_RIGHT));
    int previous = dock->FindBar(&frame_->m_wndViewBar[0]);
    for (int i = 1; i < 7; ++i) {
        const int pos = dock->FindBar(&frame_->m_wndViewBar[i]);
        EXPECT_EQ(pos, previous + 1) << i;
        previous = pos;
    }
}

TEST_F(ViewBars, TheDiagramsFloatingSetterMovesItsFrameWithoutSizingIt) {
    CViewBarDiagram& bar = frame_->m_wndDiagramBar;
    frame_->ShowViewBar(&bar, TRUE, FALSE);
    frame_->FloatControlBar(&bar, CPoint(100, 100), CBRS_ALIGN_TOP);
    Run(20);
    CFrameWnd* floating = bar.GetParentFrame();
    CRect before;
    floating->GetWindowRect(&before);
    const CPoint to(240, 180);
    bar.SetSizeByIndex(9, bar.GetFloatingSize(), &to);
    CRect after;
    floating->GetWindowRect(&after);
    EXPECT_EQ(after.TopLeft(), to);
    EXPECT_EQ(after.Size(), before.Size());
    // The rectangle setter takes a new size as well; the frame follows it at its layout.
    bar.SetFloatingRect(300, 200, 700, 500);
    Run(20);
    EXPECT_EQ(bar.GetFloatingSize(), CSize(400, 300));
    floating->GetWindowRect(&after);
    EXPECT_EQ(after.TopLeft(), CPoint(300, 200));
    CRect client;
    bar.GetWindowRect(&client);
    EXPECT_EQ(client.Size(), CSize(400, 300));
}

TEST_F(ViewBars, TheFrameSavesAndLoadsEveryBarsSizes) {
    frame_->m_wndViewBar[4].SetSizeByKind(2, CSize(300, 140));
    frame_->m_wndNaviBar.SetSizeByKind(0, CSize(220, 410));
    CSizingControlBar::SaveAll("TestBars", frame_);
    frame_->m_wndViewBar[4].SetSizeByKind(2, CSize(280, 120));
    frame_->m_wndNaviBar.SetSizeByKind(0, CSize(60, 60));
    CSizingControlBar::LoadAll("TestBars", frame_);
    EXPECT_EQ(frame_->m_wndViewBar[4].GetSize(2), CSize(300, 140));
    EXPECT_EQ(frame_->m_wndNaviBar.GetSize(0), CSize(220, 410));
}

}  // namespace
}  // namespace apptest
