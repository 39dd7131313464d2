// The measurement panel in the running program with a simulated sensor polled every 30 s, shown
// as the operator finds it after the start-up.
#pragma once

#include <gtest/gtest.h>

#include "app/AppTest.h"
#include "app/views/CAFormChannel.h"
#include "app/views/CAFormLight.h"
#include "foundation/Language.h"
#include "pages/measurement/CDlgMeasureAdjust.h"
#include "pages/measurement/CDlgMeasureDiagram.h"

class PanelWithSensor : public apptest::AppTest {
  protected:
    void SetUp() override {
        AppTest::SetUp();
        frame_ = StartWithOpenSensor();
        ASSERT_NE(frame_, nullptr);
        page_ = frame_->GetMeasureDiagramPage();
        adjust_ = frame_->GetMeasureAdjustPage();
        ASSERT_NE(page_, nullptr);
        ASSERT_NE(adjust_, nullptr);
        frame_->m_iMeasureRateIndex = 13;
        ASSERT_TRUE(frame_->SetOperatingMode(138));
        Run(300);
    }
    CAFormLight* Light() const {
        return static_cast<CAFormLight*>(frame_->GetRegisteredWindow(WindowSlot::Light));
    }
    bool Enabled(int id) const { return page_->GetDlgItem(id)->IsWindowEnabled() != FALSE; }
    CString ChannelField(int channel, UINT field) const {
        CString text;
        frame_->GetChannelView(channel)->GetDlgItemText(static_cast<int>(field), text);
        return text;
    }
    // The text of the first box that begins like the text of the id, empty when none.
    CString BoxSaying(int textId) const {
        const CString wanted = GetLanguageString(textId).Left(30);
        for (const auto& box : boxes_)
            if (box.text.Find(wanted) >= 0)
                return box.text;
        return "";
    }

    CMainFrame* frame_ = nullptr;
    CDlgMeasureDiagram* page_ = nullptr;
    CDlgMeasureAdjust* adjust_ = nullptr;
};
