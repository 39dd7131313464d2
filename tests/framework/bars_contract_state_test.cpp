// Resizable bars and the saved bar state: each bar keeps its sizes in its own section next to
// the framework's docking layout, under a profile name with subkeys.
#include "framework/bars_contract_double_test.h"

namespace kq::fw::test {
namespace {

constexpr UINT kBar = 110;
constexpr const char* kProfile = "AllViewState\\BarState\\ViewBar";

class BarsContractState : public BarsTest {
  protected:
    void SetUp() override {
        BarsTest::SetUp();
        frame_->EnableDocking(CBRS_ALIGN_ANY);
        for (UINT i = 0; i < 3; ++i) {
            ASSERT_TRUE(bars_[i].Create("bar", frame_, CSize(150, 100), kBar + i));
            bars_[i].SetBarStyle(bars_[i].GetBarStyle() | CBRS_SIZE_DYNAMIC);
            bars_[i].EnableDocking(CBRS_ALIGN_ANY);
        }
        frame_->RecalcLayout();
    }

    SizingBar bars_[3];
};

TEST_F(BarsContractState, SizesAndArrangementComeBackTogether) {
    frame_->DockControlBar(&bars_[0], AFX_IDW_DOCKBAR_RIGHT);
    CRect below = ScreenRect(&bars_[0]);
    below.OffsetRect(0, 1);
    frame_->DockControlBar(&bars_[1], AFX_IDW_DOCKBAR_RIGHT, &below);
    frame_->DockControlBar(&bars_[2], AFX_IDW_DOCKBAR_BOTTOM);
    frame_->RecalcLayout();
    frame_->FloatControlBar(&bars_[1], CPoint(320, 240), CBRS_ALIGN_TOP);
    frame_->ShowControlBar(&bars_[2], FALSE, FALSE);
    bars_[1].floating = CSize(210, 70);
    frame_->RecalcLayout();
    const CRect firstDocked = ScreenRect(&bars_[0]);

    SizingBar::SaveAll(kProfile, frame_);
    frame_->SaveBarState(kProfile);
    const CString section = CString(kProfile) + "-SCBar-111";
    EXPECT_EQ(app_->GetProfileInt(section, "sizeFloatCX", 0), 210u);
    EXPECT_EQ(app_->GetProfileInt(section, "sizeFloatCY", 0), 70u);

    // The stored layout names only bars the frame has; a floated bar's old place is stored as
    // its id with 0x10000 added.
    CDockState state;
    state.LoadState(kProfile);
    bool placeHolder = false;
    for (int i = 0; i < state.m_arrBarInfo.GetSize(); ++i) {
        auto* info = static_cast<CControlBarInfo*>(state.m_arrBarInfo[i]);
        if (!info->m_bFloating) {
            EXPECT_NE(frame_->GetControlBar(info->m_nBarID), nullptr) << info->m_nBarID;
        }
        for (int j = 0; j < info->m_arrBarID.GetSize(); ++j) {
            const auto id = static_cast<UINT>(reinterpret_cast<UINT_PTR>(info->m_arrBarID[j]));
            if (id != 0) {
                EXPECT_NE(frame_->GetControlBar(id & 0xFFFF), nullptr) << id;
            }
            placeHolder |= id == (0x10000 | (kBar + 1));
        }
    }
    EXPECT_TRUE(placeHolder);

    // Everything changed: all docked at the left, shown, other sizes.
    frame_->DockControlBar(&bars_[1], AFX_IDW_DOCKBAR_LEFT);
    frame_->DockControlBar(&bars_[0], AFX_IDW_DOCKBAR_LEFT);
    frame_->ShowControlBar(&bars_[2], TRUE, FALSE);
    for (SizingBar& bar : bars_)
        bar.horz = bar.vert = bar.floating = CSize(40, 40);
    frame_->RecalcLayout();

    // The sizes first, then the layout; the frame lays out at idle time.
    SizingBar::LoadAll(kProfile, frame_);
    frame_->LoadBarState(kProfile);
    Idle();
    Pump();
    EXPECT_EQ(bars_[1].floating, CSize(210, 70));
    ASSERT_TRUE(bars_[1].IsFloating());
    EXPECT_EQ(bars_[1].dockBarId, AFX_IDW_DOCKBAR_FLOAT);
    EXPECT_EQ(ScreenRect(bars_[1].GetParentFrame()).TopLeft(), CPoint(320, 240));
    EXPECT_EQ(ScreenRect(&bars_[1]).Size(), CSize(210, 70));
    EXPECT_TRUE(bars_[1].GetParentFrame()->IsWindowVisible());
    // Its floating frame can resize it, as the one it was saved from.
    EXPECT_TRUE(bars_[1].GetParentFrame()->GetStyle() & WS_THICKFRAME);
    EXPECT_EQ(bars_[0].dockBarId, AFX_IDW_DOCKBAR_RIGHT);
    EXPECT_EQ(ScreenRect(&bars_[0]), firstDocked);
    EXPECT_EQ(bars_[2].m_pDockBar, Dock(AFX_IDW_DOCKBAR_BOTTOM));
    EXPECT_FALSE(bars_[2].IsWindowVisible());
    EXPECT_EQ(Rows(AFX_IDW_DOCKBAR_LEFT), (std::vector<UINT>{0}));

    // Docked again by double click, the floated bar returns below the first.
    bars_[1].m_pDockContext->ToggleDocking();
    Pump();
    EXPECT_EQ(Rows(AFX_IDW_DOCKBAR_RIGHT), (std::vector<UINT>{0, kBar, kBar + 1, 0}));
}

TEST_F(BarsContractState, StoredSizesBelowTheMinimumAreRaised) {
    const CString section = CString(kProfile) + "-SCBar-110";
    app_->WriteProfileInt(section, "sizeHorzCX", 10);
    app_->WriteProfileInt(section, "sizeFloatCY", 5);
    bars_[0].LoadState(kProfile);
    EXPECT_EQ(bars_[0].horz, CSize(33, 100));
    EXPECT_EQ(bars_[0].floating, CSize(150, 32));
    EXPECT_EQ(bars_[0].vert, CSize(150, 100));
}

}  // namespace
}  // namespace kq::fw::test
