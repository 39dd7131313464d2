// Resizable bars floated in the framework's floating frames: the sizes the framework asks for
// while floating, dragging and resizing with the floating frame's border, and docking again.
#include "framework/bars_contract_double_test.h"

namespace kq::fw::test {
namespace {

constexpr UINT kBar = 110;

class BarsContractFloating : public BarsTest {
  protected:
    void SetUp() override {
        BarsTest::SetUp();
        frame_->EnableDocking(CBRS_ALIGN_ANY);
        for (UINT i = 0; i < 2; ++i) {
            ASSERT_TRUE(bars_[i].Create("Channel", frame_, CSize(150, 100), kBar + i));
            bars_[i].floating = CSize(180, 90);
            bars_[i].SetBarStyle(bars_[i].GetBarStyle() | CBRS_SIZE_DYNAMIC);
            bars_[i].EnableDocking(CBRS_ALIGN_LEFT | CBRS_ALIGN_RIGHT);
        }
        frame_->RecalcLayout();
        frame_->DockControlBar(&bars_[0], AFX_IDW_DOCKBAR_RIGHT);
        CRect below = ScreenRect(&bars_[0]);
        below.OffsetRect(0, 1);
        frame_->DockControlBar(&bars_[1], AFX_IDW_DOCKBAR_RIGHT, &below);
        frame_->RecalcLayout();
    }

    void Drag(CPoint from, CPoint to) {
        kq::ui::InjectMouseMove(from);
        kq::ui::InjectMouseButton(from, VK_LBUTTON, true);
        kq::ui::InjectMouseMove(to);
        kq::ui::InjectMouseButton(to, VK_LBUTTON, false);
        Pump();
        Advance(1000);  // the next press is no double click
    }

    CSize ClientSize(const CWnd* wnd) const {
        CRect rect;
        wnd->GetClientRect(&rect);
        return rect.Size();
    }

    bool Asked(const SizingBar& bar, int length, DWORD mode) const {
        for (const SizingBar::Call& call : bar.calls) {
            if (call.length == length && call.mode == mode)
                return true;
        }
        return false;
    }

    SizingBar bars_[2];
};

TEST_F(BarsContractFloating, AFloatingBarIsAskedForItsFloatingSize) {
    bars_[0].calls.clear();
    frame_->FloatControlBar(&bars_[0], CPoint(300, 200), CBRS_ALIGN_TOP);
    ASSERT_TRUE(bars_[0].IsFloating());
    CFrameWnd* mini = bars_[0].GetParentFrame();
    ASSERT_TRUE(mini->IsKindOf(RUNTIME_CLASS(CMiniDockFrameWnd)));
    // The bar sees the floating dock bar's id as its parent's.
    EXPECT_EQ(bars_[0].dockBarId, AFX_IDW_DOCKBAR_FLOAT);
    EXPECT_EQ(bars_[0].GetParent()->GetDlgCtrlID(), static_cast<int>(AFX_IDW_DOCKBAR_FLOAT));
    EXPECT_TRUE(bars_[0].m_dwStyle & CBRS_FLOATING);
    EXPECT_EQ(bars_[0].GetDockingFrame(), frame_);
    EXPECT_EQ(bars_[0].m_pDockSite, frame_);
    // A bar that sizes itself floats in a frame with a sizing border, as large as the bar's
    // most recently used floating size.
    EXPECT_TRUE(mini->GetStyle() & WS_THICKFRAME);
    EXPECT_TRUE(Asked(bars_[0], -1, LM_HORZ | LM_MRUWIDTH));
    EXPECT_EQ(ClientSize(mini), CSize(180, 90));
    EXPECT_EQ(ScreenRect(&bars_[0]).Size(), CSize(180, 90));
    // Its place in the column stays for it; the other bar takes the column alone.
    EXPECT_EQ(Rows(AFX_IDW_DOCKBAR_RIGHT), (std::vector<UINT>{0, 0, kBar + 1, 0}));

    // The idle update reaches the floating bar with the main frame as its target.
    bars_[0].updateTargets.clear();
    Idle();
    ASSERT_FALSE(bars_[0].updateTargets.empty());
    EXPECT_EQ(bars_[0].updateTargets.back(), frame_->m_hWnd);

    // The bar's title goes to the floating dock bar; the caption follows at the next layout.
    bars_[0].SetWindowText("Channel 1");
    bars_[0].m_pDockBar->SetWindowText("Channel 1");
    mini->DelayRecalcLayout();
    Idle();
    CString caption;
    mini->GetWindowText(caption);
    EXPECT_EQ(caption, "Channel 1");
}

TEST_F(BarsContractFloating, TheFloatingFramesBorderResizesTheBar) {
    frame_->FloatControlBar(&bars_[0], CPoint(300, 200), CBRS_ALIGN_TOP);
    CFrameWnd* mini = bars_[0].GetParentFrame();
    const CRect start = ScreenRect(mini);

    // The right border: the requested width, then the width once more to keep it.
    bars_[0].calls.clear();
    Drag(CPoint(start.right - 1, start.CenterPoint().y),
         CPoint(start.right + 39, start.CenterPoint().y));
    EXPECT_TRUE(Asked(bars_[0], 220, LM_HORZ));
    EXPECT_TRUE(Asked(bars_[0], 220, LM_HORZ | LM_COMMIT));
    EXPECT_EQ(bars_[0].floating, CSize(220, 90));
    EXPECT_EQ(ClientSize(mini), CSize(220, 90));
    EXPECT_EQ(ScreenRect(mini).TopLeft(), start.TopLeft());

    // The bottom border asks with the height as the length.
    CRect now = ScreenRect(mini);
    bars_[0].calls.clear();
    Drag(CPoint(now.CenterPoint().x, now.bottom - 1), CPoint(now.CenterPoint().x, now.bottom + 29));
    EXPECT_TRUE(Asked(bars_[0], 120, LM_HORZ | LM_LENGTHY));
    EXPECT_EQ(ClientSize(mini), CSize(220, 120));

    // The left and top borders keep the opposite edges where they are.
    now = ScreenRect(mini);
    Drag(CPoint(now.left, now.CenterPoint().y), CPoint(now.left + 20, now.CenterPoint().y));
    EXPECT_EQ(ClientSize(mini), CSize(200, 120));
    EXPECT_EQ(ScreenRect(mini).BottomRight(), now.BottomRight());
    Drag(CPoint(now.CenterPoint().x + 10, now.top), CPoint(now.CenterPoint().x + 10, now.top - 10));
    EXPECT_EQ(ClientSize(mini), CSize(200, 130));
    EXPECT_EQ(ScreenRect(mini).BottomRight(), now.BottomRight());

    // The top right corner: the bar's height changes, the bottom stays.
    now = ScreenRect(mini);
    Drag(CPoint(now.right - 1, now.top), CPoint(now.right - 1, now.top - 20));
    EXPECT_EQ(ClientSize(mini), CSize(200, 150));
    EXPECT_EQ(ScreenRect(mini).bottom, now.bottom);
    EXPECT_EQ(ScreenRect(mini).top, now.top - 20);

    // Not below the bar's minimum floating size.
    now = ScreenRect(mini);
    Drag(CPoint(now.right - 1, now.CenterPoint().y), CPoint(now.left, now.CenterPoint().y));
    EXPECT_EQ(bars_[0].floating.cx, 37);
    EXPECT_EQ(ClientSize(mini).cx, 37);
    EXPECT_EQ(ScreenRect(mini).left, now.left);
}

TEST_F(BarsContractFloating, ADoubleClickInADockedBarFloatsIt) {
    const CPoint inBar = ScreenRect(&bars_[0]).TopLeft() + CSize(20, 20);
    // The first click is a drag that goes nowhere; the second one is the double click.
    for (int i = 0; i < 2; ++i) {
        kq::ui::InjectMouseButton(inBar, VK_LBUTTON, true);
        kq::ui::InjectMouseButton(inBar, VK_LBUTTON, false);
    }
    Pump();
    ASSERT_TRUE(bars_[0].IsFloating());
    EXPECT_EQ(bars_[0].dockBarId, AFX_IDW_DOCKBAR_FLOAT);
    EXPECT_EQ(ClientSize(bars_[0].GetParentFrame()), CSize(180, 90));
    // The other bar has the column to itself after the next layout.
    Idle();
    EXPECT_TRUE(bars_[1].firstInRow);
    EXPECT_TRUE(bars_[1].lastInRow);
}

TEST_F(BarsContractFloating, DraggedOutAndDockedAgainByDoubleClick) {
    const CRect docked = ScreenRect(&bars_[1]);
    bars_[1].calls.clear();
    // A press in the bar starts the framework's drag: it asks for the docked sizes of both
    // orientations and the floating size, none of them as a layout (-1).
    const CPoint grip = docked.TopLeft() + CSize(20, 20);
    Drag(grip, CPoint(250, 250));
    EXPECT_TRUE(Asked(bars_[1], 0, LM_HORZ | LM_HORZDOCK));
    EXPECT_TRUE(Asked(bars_[1], 0, LM_VERTDOCK));
    EXPECT_TRUE(Asked(bars_[1], 0, LM_HORZ | LM_MRUWIDTH));
    ASSERT_TRUE(bars_[1].IsFloating());
    EXPECT_EQ(bars_[1].dockBarId, AFX_IDW_DOCKBAR_FLOAT);
    EXPECT_EQ(bars_[1].floating, CSize(180, 90));
    EXPECT_EQ(ClientSize(bars_[1].GetParentFrame()), CSize(180, 90));

    // The double click brings it back into the column, below the first bar.
    const HWND mini = bars_[1].GetParentFrame()->m_hWnd;
    bars_[1].m_pDockContext->ToggleDocking();
    Pump();
    EXPECT_FALSE(::IsWindow(mini));
    EXPECT_EQ(bars_[1].dockBarId, AFX_IDW_DOCKBAR_RIGHT);
    EXPECT_EQ(Rows(AFX_IDW_DOCKBAR_RIGHT), (std::vector<UINT>{0, kBar, kBar + 1, 0}));
    CRect first = ScreenRect(&bars_[0]);
    CRect second = ScreenRect(&bars_[1]);
    EXPECT_EQ(second.top, first.bottom - 2);
    EXPECT_EQ(second.left, first.left);
    EXPECT_TRUE(bars_[1].lastInRow);
    EXPECT_FALSE(bars_[1].firstInRow);
}

}  // namespace
}  // namespace kq::fw::test
