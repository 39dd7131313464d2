// A user's close of a view bar, by its caption button or by its floating frame's close box,
// switches that bar's view setting off once and leaves every other setting alone; the program's
// own hides switch nothing.
#include <gtest/gtest.h>

#include "AppTest.h"
#include "app/bars/ViewBarFloatFrame.h"
#include "platform/ui/Input.h"
#include "sensor/ChanState.h"
#include "tests/app/MeasurementForTest.h"

namespace apptest {
namespace {

class CloseReaction : public StartedApp {
  protected:
    void SetUp() override {
        StartedApp::SetUp();
        Run(100);
        frame_->ShowWindow(SW_SHOW);
        frame_->m_hOwnerWnd = frame_->m_hWnd;  // a sensor is there: the views may be toggled
        for (int i = 0; i < 8; ++i)
            frame_->m_viewState.checkState[i] = 1;
        for (int i : {0, 1, 2, 3})
            frame_->ShowViewBar(&frame_->m_wndViewBar[i], TRUE, FALSE);
        Run(50);
    }
    void TearDown() override {
        frame_->m_hOwnerWnd = nullptr;
        ChanState_SetPowerChannelOn(0, FALSE);
        StartedApp::TearDown();
    }
    void ClickClose(CSizingControlBarG& bar) {
        CRect button = bar.CloseButtonRect();
        CRect window;
        bar.GetWindowRect(&window);
        button.OffsetRect(window.TopLeft());
        const CPoint p = button.CenterPoint();
        kq::ui::InjectMouseMove(p);
        kq::ui::InjectMouseButton(p, VK_LBUTTON, true);
        kq::ui::InjectMouseButton(p, VK_LBUTTON, false);
        Run(20);
    }
    // The settings other than the one entry expected to change.
    std::vector<int> OtherStates(int except) const {
        std::vector<int> states;
        for (int i = 0; i < 8; ++i)
            states.push_back(i == except ? -1 : frame_->m_viewState.checkState[i]);
        return states;
    }
};

TEST_F(CloseReaction, TheCaptionButtonSwitchesTheClosedBarsSettingOffOnce) {
    CViewBar& bar = frame_->m_wndViewBar[1];
    ASSERT_TRUE(bar.IsWindowVisible());
    const std::vector<int> others = OtherStates(1);
    ClickClose(bar);
    EXPECT_FALSE(bar.IsWindowVisible());
    EXPECT_EQ(frame_->m_viewState.checkState[1], 0);
    EXPECT_EQ(OtherStates(1), others);
    // The program hides another bar: its setting stays.
    frame_->ShowViewBar(&frame_->m_wndViewBar[2], FALSE, FALSE);
    Run(20);
    EXPECT_EQ(frame_->m_viewState.checkState[2], 1);

    // The diagram bar's close switches the diagram off.
    frame_->ShowViewBar(&frame_->m_wndDiagramBar, TRUE, FALSE);
    Run(20);
    ClickClose(frame_->m_wndDiagramBar);
    EXPECT_FALSE(frame_->m_wndDiagramBar.IsWindowVisible());
    EXPECT_EQ(frame_->m_viewState.checkState[5], 0);
    EXPECT_EQ(frame_->m_viewState.checkState[6], 1);
}

TEST_F(CloseReaction, APowerViewClosedStaysClosedAndIsSwitchedOff) {
    ChanState_SetPowerChannelOn(0, TRUE);
    MeasurementForTest(*frame_).Flow().m_bChannelActive[CHANNEL_P1] = TRUE;
    CViewBar& bar = frame_->m_wndViewBar[CHANNEL_P1];
    frame_->ShowViewBar(&bar, TRUE, FALSE);
    frame_->DockControlBar(&bar, AFX_IDW_DOCKBAR_LEFT);  // in sight on the frame
    frame_->RecalcLayout();
    Run(20);
    const std::vector<int> others = OtherStates(-1);
    ClickClose(bar);
    EXPECT_FALSE(bar.IsWindowVisible());
    EXPECT_FALSE(frame_->Measurement().Flow().m_bChannelActive[CHANNEL_P1]);
    EXPECT_EQ(OtherStates(-1), others);
}

TEST_F(CloseReaction, TheFloatingFramesCloseBoxReportsItsBarOnce) {
    CViewBar& bar = frame_->m_wndViewBar[3];
    frame_->FloatControlBar(&bar, CPoint(300, 300), CBRS_ALIGN_TOP);
    Run(20);
    CFrameWnd* floating = bar.GetParentFrame();
    ASSERT_NE(floating, nullptr);
    ASSERT_TRUE(floating->IsKindOf(RUNTIME_CLASS(CViewBarFloatFrame)));
    const std::vector<int> others = OtherStates(3);
    floating->SendMessage(WM_CLOSE);
    Run(20);
    EXPECT_FALSE(bar.IsWindowVisible());
    EXPECT_FALSE(floating->IsWindowVisible());
    EXPECT_EQ(frame_->m_viewState.checkState[3], 0);
    EXPECT_EQ(OtherStates(3), others);
    // Shown and closed again through the frame: one toggle each time, never a show.
    frame_->ToggleChannelView(3);
    Run(20);
    EXPECT_TRUE(bar.IsWindowVisible());
    EXPECT_EQ(frame_->m_viewState.checkState[3], 1);
    bar.GetParentFrame()->SendMessage(WM_CLOSE);
    Run(20);
    EXPECT_FALSE(bar.IsWindowVisible());
    EXPECT_EQ(frame_->m_viewState.checkState[3], 0);
}

}  // namespace
}  // namespace apptest
