#include "framework/bars_fixture_test.h"
#include "platform/framework/bars/DockState.h"

namespace kq::fw::test {
namespace {

class BarStateTest : public BarsTest {
  protected:
    void SetUp() override {
        BarsTest::SetUp();
        kq::fw::EnableDocking(frame_, CBRS_ALIGN_ANY);
        for (int i = 0; i < 5; ++i) {
            ASSERT_TRUE(bars_[i].Create(frame_, 0xE880 + static_cast<UINT>(i)));
            bars_[i].EnableDocking(CBRS_ALIGN_ANY);
        }
    }

    FixedBar bars_[5];
};

TEST_F(BarStateTest, SavedArrangementComesBack) {
    kq::fw::DockControlBar(frame_, &bars_[0], AFX_IDW_DOCKBAR_TOP);
    frame_->RecalcLayout();
    CRect right = ScreenRect(&bars_[0]);
    right.OffsetRect(right.Width() + 30, 0);
    kq::fw::DockControlBar(frame_, &bars_[1], AFX_IDW_DOCKBAR_TOP, &right);
    kq::fw::DockControlBar(frame_, &bars_[2], AFX_IDW_DOCKBAR_LEFT);
    kq::fw::FloatControlBar(frame_, &bars_[3], CPoint(400, 300), CBRS_ALIGN_LEFT);
    kq::fw::DockControlBar(frame_, &bars_[4], AFX_IDW_DOCKBAR_RIGHT);
    kq::fw::ShowControlBar(frame_, &bars_[4], FALSE, FALSE);
    frame_->RecalcLayout();
    const std::vector<UINT> top = Rows(AFX_IDW_DOCKBAR_TOP);
    const CRect secondPlace = ClientRectIn(&bars_[1]);
    kq::fw::SaveBarState(frame_, "Layout");

    // Everything moves elsewhere...
    for (auto& bar : bars_) {
        kq::fw::DockControlBar(frame_, &bar, AFX_IDW_DOCKBAR_BOTTOM);
        kq::fw::ShowControlBar(frame_, &bar, TRUE, FALSE);
    }
    Pump();
    frame_->RecalcLayout();
    ASSERT_EQ(Rows(AFX_IDW_DOCKBAR_TOP), (std::vector<UINT>{0}));

    // ...and the saved state puts it back.
    kq::fw::LoadBarState(frame_, "Layout");
    Idle();
    EXPECT_EQ(Rows(AFX_IDW_DOCKBAR_TOP), top);
    EXPECT_EQ(top, (std::vector<UINT>{0, 0xE880, 0xE881, 0}));
    EXPECT_EQ(ClientRectIn(&bars_[1]), secondPlace);
    EXPECT_EQ(Rows(AFX_IDW_DOCKBAR_LEFT), (std::vector<UINT>{0, 0xE882, 0}));
    ASSERT_TRUE(bars_[3].IsFloating());
    EXPECT_FALSE(bars_[3].IsHorz());
    EXPECT_EQ(ScreenRect(bars_[3].GetParentFrame()).TopLeft(), CPoint(400, 300));
    EXPECT_EQ(bars_[4].m_pDockBar, Dock(AFX_IDW_DOCKBAR_RIGHT));
    EXPECT_FALSE(bars_[4].IsVisible());
    EXPECT_EQ(Rows(AFX_IDW_DOCKBAR_BOTTOM), (std::vector<UINT>{0}));
}

TEST_F(BarStateTest, MissingOrDamagedStateChangesNothing) {
    kq::fw::DockControlBar(frame_, &bars_[0], AFX_IDW_DOCKBAR_TOP);
    kq::fw::LoadBarState(frame_, "Nothing");
    EXPECT_EQ(Rows(AFX_IDW_DOCKBAR_TOP), (std::vector<UINT>{0, 0xE880, 0}));

    // A bar count far beyond reason and ids of bars that do not exist are ignored.
    app_->WriteProfileInt("Bad-Summary", "Bars", 1000000);
    app_->WriteProfileInt("Bad-Bar0", "BarID", static_cast<int>(AFX_IDW_DOCKBAR_LEFT));
    app_->WriteProfileInt("Bad-Bar0", "Bars", 3);
    app_->WriteProfileInt("Bad-Bar0", "Bar#0", 0x1234);
    app_->WriteProfileInt("Bad-Bar0", "Bar#1", static_cast<int>(0xE880));
    app_->WriteProfileInt("Bad-Bar0", "Bar#2", 0);
    CDockState state;
    state.LoadState("Bad");
    EXPECT_EQ(state.m_arrBarInfo.size(), 1u);
    kq::fw::LoadBarState(frame_, "Bad");
    EXPECT_EQ(Rows(AFX_IDW_DOCKBAR_LEFT), (std::vector<UINT>{0, 0xE880, 0}));
    EXPECT_EQ(Rows(AFX_IDW_DOCKBAR_TOP), (std::vector<UINT>{0}));
}

}  // namespace
}  // namespace kq::fw::test
