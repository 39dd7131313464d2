// The measure-and-diagram page as the operator meets it: with the channel views A and B shown, the
// bars the frame docked in one column stand equally high, and again after the operator made them
// unequal and selected the page once more; with every view shown the diagram stays readable.
#include <gtest/gtest.h>

#include "AppTest.h"
#include "pages/common/PageTable.h"
#include "res/resource.h"

namespace apptest {
namespace {

constexpr UINT kChannelViewCommand[] = {10031, 10032, 10033, 10034};
constexpr UINT kLightViewCommand = 10040;

class MeasurePageColumn : public AppTest {
  protected:
    CRect Rect(int bar) const {
        CRect r;
        Frame()->m_wndViewBar[bar].GetWindowRect(&r);
        return r;
    }
    // The measure page with the sensor views 0..count-1 shown through the view commands where
    // the page did not show them already: the operator's choice "not shown", then the command.
    CMainFrame* MeasurePageWithViews(int count) {
        CMainFrame* frame = StartWithOpenSensor();
        if (frame == nullptr)
            return nullptr;
        frame->ShowWindow(SW_SHOW);
        Run(100);
        if (!frame->SetOperatingMode(PAGE_MEASURE_DIAGRAM))
            return nullptr;
        for (int channel = 0; channel < count; ++channel) {
            if (!frame->m_wndViewBar[channel].IsVisible()) {
                frame->m_viewState.checkState[channel] = 0;
                frame->SendMessage(WM_COMMAND, kChannelViewCommand[channel]);
            }
        }
        return frame;
    }
};

TEST_F(MeasurePageColumn, ChannelViewsShownThereStandEquallyHigh) {
    CMainFrame* frame = MeasurePageWithViews(2);
    ASSERT_NE(frame, nullptr);
    for (int channel : {0, 1})
        ASSERT_TRUE(frame->m_wndViewBar[channel].IsVisible()) << "channel view " << channel;
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

// Four sensor views, both power views and the light view: the bars stand in columns beside the
// page's controls and the diagram keeps the height they leave, far above its minimum, whatever
// size the frame takes.
TEST_F(MeasurePageColumn, SevenViewsLeaveTheDiagramReadableAndThePageClear) {
    CMainFrame* frame = MeasurePageWithViews(4);
    ASSERT_NE(frame, nullptr);
    frame->ToggleChannelView(CHANNEL_P1);
    frame->ToggleChannelView(CHANNEL_P2);
    frame->m_viewState.checkState[4] = 0;
    frame->SendMessage(WM_COMMAND, kLightViewCommand);
    Pump();
    CWnd* page = frame->GetPageWindow(PAGE_MEASURE_DIAGRAM);
    ASSERT_NE(page, nullptr);
    auto check = [&](const char* size) {
        CRect diagram;
        CRect led;
        frame->m_wndDiagramBar.GetWindowRect(&diagram);
        page->GetDlgItem(IDC_MD_LED)->GetWindowRect(&led);
        // At its minimum the plot is a strip whose axis labels overlap.
        EXPECT_GT(diagram.Height(), frame->m_wndDiagramBar.m_szMinHorz.cy + 100) << size;
        for (int bar = 0; bar < 7; ++bar) {
            ASSERT_TRUE(frame->m_wndViewBar[bar].IsVisible()) << size << " bar " << bar;
            EXPECT_LE(Rect(bar).bottom, diagram.top) << size << " bar " << bar;
            EXPECT_GE(Rect(bar).left, led.right) << size << " bar " << bar;
        }
    };
    check("as started");
    frame->ShowWindow(SW_MAXIMIZE);
    Pump();
    check("maximised");
}

}  // namespace
}  // namespace apptest
