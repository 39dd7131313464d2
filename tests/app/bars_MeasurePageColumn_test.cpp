// The measure-and-diagram page as the operator meets it: with the channel views A and B shown, the
// bars the frame docked in one column stand equally high, and again after the operator made them
// unequal and selected the page once more.
#include <gtest/gtest.h>

#include "AppTest.h"
#include "pages/common/PageTable.h"

namespace apptest {
namespace {

constexpr UINT kChannelViewCommand[] = {10031, 10032};

class MeasurePageColumn : public AppTest {
  protected:
    CRect Rect(int bar) const {
        CRect r;
        Frame()->m_wndViewBar[bar].GetWindowRect(&r);
        return r;
    }
};

TEST_F(MeasurePageColumn, ChannelViewsShownThereStandEquallyHigh) {
    CMainFrame* frame = StartWithOpenSensor();
    ASSERT_NE(frame, nullptr);
    frame->ShowWindow(SW_SHOW);
    Run(100);
    ASSERT_TRUE(frame->SetOperatingMode(PAGE_MEASURE_DIAGRAM));
    // Shown through the view commands where the page did not show them already: the operator's
    // choice "not shown", then the command.
    for (int channel : {0, 1}) {
        if (!frame->m_wndViewBar[channel].IsVisible()) {
            frame->m_viewState.checkState[channel] = 0;
            frame->SendMessage(WM_COMMAND, kChannelViewCommand[channel]);
        }
        ASSERT_TRUE(frame->m_wndViewBar[channel].IsVisible()) << "channel view " << channel;
    }
    Pump();
    ASSERT_EQ(Rect(0).left, Rect(1).left);  // one column
    ASSERT_NE(Rect(0).top, Rect(1).top);
    EXPECT_LE(std::abs(Rect(0).Height() - Rect(1).Height()), 1);

    // Dragged apart by the operator, made equal again when the page is selected once more.
    for (int channel : {0, 1}) {
        CViewBar& bar = frame->m_wndViewBar[channel];
        bar.SetSizeByKind(bar.GetDockingKind(), CSize(Rect(channel).Width(), 80 * (channel + 1)));
    }
    frame->RecalcLayout();
    ASSERT_GT(std::abs(Rect(0).Height() - Rect(1).Height()), 40);
    Run(100);
    frame->SetOperatingMode(PAGE_MEASURE_DIAGRAM);
    EXPECT_LE(std::abs(Rect(0).Height() - Rect(1).Height()), 1);
    EXPECT_EQ(Rect(0).left, Rect(1).left);
}

}  // namespace
}  // namespace apptest
