// The channel bars of one docked column stand equally high after the measure-and-diagram page
// is selected again and after a channel view is toggled.
#include <gtest/gtest.h>

#include "AppTest.h"

namespace apptest {
namespace {

class EqualHeightTriggers : public StartedApp {
  protected:
    void SetUp() override {
        StartedApp::SetUp();
        Run(100);
        frame_->ShowWindow(SW_SHOW);
        frame_->m_nActivePage = 138;
        // Bars 0 and 1 in one column on the left, 100 and 200 high.
        for (int i : {0, 1})
            frame_->ShowControlBar(&frame_->m_wndViewBar[i], TRUE, FALSE);
        frame_->DockControlBar(&frame_->m_wndViewBar[0], AFX_IDW_DOCKBAR_LEFT);
        frame_->RecalcLayout();
        CRect below;
        frame_->m_wndViewBar[0].GetWindowRect(&below);
        below.OffsetRect(0, below.Height() / 2);
        frame_->DockControlBar(&frame_->m_wndViewBar[1], AFX_IDW_DOCKBAR_LEFT, &below);
        frame_->RecalcLayout();
        Unequal();
    }
    void Unequal() {
        for (int i : {0, 1}) {
            CViewBar& bar = frame_->m_wndViewBar[i];
            bar.SetSizeByKind(bar.GetDockingKind(), CSize(150, 100 * (i + 1)));
        }
        frame_->RecalcLayout();
    }
    int Height(int i) const {
        CRect r;
        frame_->m_wndViewBar[i].GetWindowRect(&r);
        return r.Height();
    }
    int Left(int i) const {
        CRect r;
        frame_->m_wndViewBar[i].GetWindowRect(&r);
        return r.left;
    }
};

TEST_F(EqualHeightTriggers, SelectingThePageAgainAndTogglingAViewEqualizeTheColumn) {
    ASSERT_EQ(Left(0), Left(1));  // one column
    ASSERT_GT(std::abs(Height(0) - Height(1)), 50);
    frame_->SetOperatingMode(138);
    EXPECT_LE(std::abs(Height(0) - Height(1)), 1);

    Unequal();
    ASSERT_GT(std::abs(Height(0) - Height(1)), 50);
    frame_->ToggleChannelView(CHANNEL_LIGHT);
    EXPECT_LE(std::abs(Height(0) - Height(1)), 1);
}

}  // namespace
}  // namespace apptest
