// The bars of the page the program starts on: a start on the measure-and-diagram page shows its
// diagram across the frame below the page area, taller than its smallest size, and beside the
// page the channel views the sensor's configuration asks for (channels A and B of a sensor the
// program has not configured yet) and no other, whether the store holds a docking layout of this
// version or none.
#include <gtest/gtest.h>

#include "AppTest.h"
#include "pages/common/PageTable.h"

namespace apptest {
namespace {

class StartLayout : public AppTest {
  protected:
    // A start with one sensor whose store names the measure-and-diagram page as the last shown.
    CMainFrame* StartOnMeasurePage(bool storedByThisVersion) {
        PrepareStore();
        app_->WriteProfileInt("AllViewState\\Configs", "ActivDisplayMenu", PAGE_MEASURE_DIAGRAM);
        if (storedByThisVersion)
            app_->WriteProfileString("DespiteReset", "ApplicationVersion", "2.04");
        sim_->AddSensor("COM1 Tarvik USB sensor interface port", 1111);
        CMainFrame* frame = StartAndComplete();
        if (frame != nullptr)
            Run(4000);
        return frame;
    }

    void ExpectMeasurePageBars(CMainFrame* frame) {
        ASSERT_TRUE(frame->IsWindowVisible());
        ASSERT_EQ(frame->GetActivePageId(), PAGE_MEASURE_DIAGRAM);
        ASSERT_TRUE(frame->m_wndViewBar[0].IsWindowVisible());
        ASSERT_TRUE(frame->m_wndViewBar[1].IsWindowVisible());
        for (int i = 2; i < 7; ++i)
            EXPECT_FALSE(frame->m_wndViewBar[i].IsWindowVisible()) << "channel bar " << i;
        ASSERT_TRUE(frame->m_wndDiagramBar.IsWindowVisible());
        CRect client;
        frame->GetClientRect(&client);
        frame->ClientToScreen(&client);
        CRect diagram;
        frame->m_wndDiagramBar.GetWindowRect(&diagram);
        EXPECT_LE(diagram.left, client.left + 2);
        EXPECT_GE(diagram.right, client.right - 2);
        CRect view;
        frame->GetActiveView()->GetWindowRect(&view);
        EXPECT_LE(view.bottom, diagram.top);
        EXPECT_GT(diagram.Height(), frame->m_wndDiagramBar.m_szMinHorz.cy);
        CRect navigation;
        frame->m_wndNaviBar.GetWindowRect(&navigation);
        EXPECT_LE(navigation.right, view.left);
        // Channel A's bar on the right, between the page and the frame's side, above the diagram.
        CRect channel;
        frame->m_wndViewBar[0].GetWindowRect(&channel);
        EXPECT_LE(view.right, channel.left);
        EXPECT_GE(channel.right, client.right - 4);
        EXPECT_LE(channel.bottom, diagram.top);
    }
};

TEST_F(StartLayout, WithoutAStoredDockingLayout) {
    CMainFrame* frame = StartOnMeasurePage(true);
    ASSERT_NE(frame, nullptr);
    ExpectMeasurePageBars(frame);
}

TEST_F(StartLayout, AfterAnEarlierVersion) {
    CMainFrame* frame = StartOnMeasurePage(false);
    ASSERT_NE(frame, nullptr);
    ExpectMeasurePageBars(frame);
}

}  // namespace
}  // namespace apptest
