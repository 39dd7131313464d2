// A bar's sizes in the profile: raised to the minimums, kept inside the virtual screen, and
// read back as they were written.
#include <gtest/gtest.h>

#include "AppTest.h"
#include "platform/ui/SystemMetrics.h"

namespace apptest {
namespace {

class BarState : public StartedApp {};

TEST_F(BarState, StoredSizesAreClampedAndRoundTrip) {
    CViewBarNavi& navi = frame_->m_wndNaviBar;
    CString section;
    section.Format("TestBars-SCBar-%d", navi.GetDlgCtrlID());
    CWinApp* app = AfxGetApp();
    app->WriteProfileInt(section, "sizeHorzCX", 10);
    app->WriteProfileInt(section, "sizeHorzCY", 100000);
    app->WriteProfileInt(section, "sizeVertCX", -5);
    navi.LoadState("TestBars");
    EXPECT_EQ(navi.GetSize(1).cx, 50);
    EXPECT_EQ(navi.GetSize(1).cy, ::GetSystemMetrics(SM_CYVIRTUALSCREEN));
    EXPECT_EQ(navi.GetSize(2).cx, 50);

    CViewBar& channel = frame_->m_wndViewBar[2];
    channel.SetSizeByKind(0, CSize(300, 120));
    channel.SetSizeByKind(1, CSize(500, 130));
    channel.SetSizeByKind(2, CSize(280, 140));
    channel.SaveState("TestBars");
    channel.SetSizeByKind(0, CSize(1, 1));
    channel.SetSizeByKind(1, CSize(1, 1));
    channel.SetSizeByKind(2, CSize(1, 1));
    channel.LoadState("TestBars");
    EXPECT_EQ(channel.GetSize(0), CSize(300, 120));
    EXPECT_EQ(channel.GetSize(1), CSize(500, 130));
    EXPECT_EQ(channel.GetSize(2), CSize(280, 140));
}

}  // namespace
}  // namespace apptest
