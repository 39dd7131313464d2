// A top-level frame passes a setting change on to every window of the framework below it, also
// through a frame nested in it, once each; the setting rides along in wParam.
#include <gtest/gtest.h>

#include "framework/FrameworkTest.h"
#include "platform/ui/SystemMetrics.h"

namespace {

using kq::fw::test::FrameworkTest;

class CListener : public CWnd {
  public:
    std::vector<UINT> heard;
    void OnSettingChange(UINT uFlags, LPCTSTR) { heard.push_back(uFlags); }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CListener, CWnd)
ON_WM_SETTINGCHANGE()
END_MESSAGE_MAP()

class FrameSettingChange : public FrameworkTest {};

TEST_F(FrameSettingChange, ReachesEveryDescendantOnceThroughNestedFrames) {
    auto* frame = new CFrameWnd();
    ASSERT_TRUE(frame->Create(nullptr, "Frame", WS_OVERLAPPEDWINDOW, CRect(10, 10, 400, 300)));
    CListener direct;
    ASSERT_TRUE(direct.Create(nullptr, "direct", WS_CHILD, CRect(0, 0, 10, 10), frame, 1));
    auto* inner = new CFrameWnd();
    ASSERT_TRUE(
        inner->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 100, 100), frame));
    CListener nested;
    ASSERT_TRUE(nested.Create(nullptr, "nested", WS_CHILD, CRect(0, 0, 10, 10), inner, 2));

    frame->SendMessage(WM_SETTINGCHANGE, SPI_SETDRAGFULLWINDOWS, 0);
    EXPECT_EQ(direct.heard, std::vector<UINT>{SPI_SETDRAGFULLWINDOWS});
    EXPECT_EQ(nested.heard, std::vector<UINT>{SPI_SETDRAGFULLWINDOWS});
    // A nested frame told directly passes nothing on: its top-level frame does that.
    inner->SendMessage(WM_SETTINGCHANGE, SPI_SETGRADIENTCAPTIONS, 0);
    EXPECT_EQ(nested.heard.size(), 1u);
    frame->DestroyWindow();
    Pump();
}

}  // namespace
