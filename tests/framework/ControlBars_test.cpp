// Control bars in a frame: the status bar's panes and their idle update, docking in rows,
// floating and docking again, delayed showing, and the docking layout in the profile.
#include <gtest/gtest.h>

#include "framework/FrameworkTest.h"
#include "platform/base/Resource.h"

namespace {

using kq::fw::test::FrameworkTest;

constexpr UINT kTimePane = 32782;
constexpr UINT kWeekdayPane = 32783;
constexpr UINT kDatePane = 32784;

const kq::StringResource kStrings[] = {
    {kTimePane, " 00:00 Uhr "},
    {kWeekdayPane, " Donnerstag "},
    {kDatePane, " 00.00.0000 "},
};
const kq::ResourceBundle kBundle{kStrings, {}, {}, {}, {}};

// A bar of fixed sizes: wide and flat docked at the top or bottom, narrow and tall at a side.
class CTestBar : public CControlBar {
  public:
    CSize horz{120, 30};
    CSize vert{40, 90};
    using CControlBar::Create;
    BOOL Create(CWnd* parent, UINT id, DWORD style = WS_CHILD | WS_VISIBLE | CBRS_TOP) {
        m_dwStyle = style & CBRS_ALL;
        return CWnd::Create(nullptr, "bar", style & ~CBRS_ALL, CRect(0, 0, 0, 0), parent, id);
    }
    CSize CalcDynamicLayout(int, DWORD mode) override { return (mode & LM_HORZ) ? horz : vert; }
    void OnUpdateCmdUI(CFrameWnd*, BOOL) override {}
};

class CClockFrame : public CFrameWnd {
  public:
    CStatusBar status;
    CString time = " 12:30 PM";
    void OnUpdateTime(CCmdUI* ui) {
        ui->Enable();
        ui->SetText(time);
    }
    void OnUpdateDate(CCmdUI* ui) { ui->Enable(FALSE); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CClockFrame, CFrameWnd)
ON_UPDATE_COMMAND_UI(kTimePane, &CClockFrame::OnUpdateTime)
ON_UPDATE_COMMAND_UI(kDatePane, &CClockFrame::OnUpdateDate)
END_MESSAGE_MAP()

class ControlBars : public FrameworkTest {
  protected:
    void SetUp() override {
        FrameworkTest::SetUp();
        kq::InstallResources(kBundle);
        app_ = std::make_unique<CWinApp>("BarsApp");
        app_->SetRegistryKey("Test");
        frame_ = new CClockFrame;
        ASSERT_TRUE(frame_->Create(nullptr, "frame", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                   CRect(0, 0, 800, 600)));
        app_->m_pMainWnd = frame_;
    }
    void TearDown() override {
        FrameworkTest::TearDown();
        app_.reset();
        kq::UninstallResources(kBundle);
    }
    CRect ClientRectOf(CWnd* wnd) {
        CRect rect;
        wnd->GetWindowRect(&rect);
        wnd->GetParent()->ScreenToClient(&rect);
        return rect;
    }
    CDockBar* Dock(UINT id) { return DYNAMIC_DOWNCAST(CDockBar, frame_->GetControlBar(id)); }
    // The dock bar's rows as ids, 0 at row ends, 0x10000 + id for place holders.
    std::vector<UINT> Rows(CDockBar* dock) {
        CControlBarInfo info;
        dock->GetBarInfo(&info);
        std::vector<UINT> ids;
        for (int i = 0; i < info.m_arrBarID.GetSize(); ++i)
            ids.push_back(static_cast<UINT>(reinterpret_cast<UINT_PTR>(info.m_arrBarID[i])));
        return ids;
    }

    std::unique_ptr<CWinApp> app_;
    CClockFrame* frame_ = nullptr;
};

TEST_F(ControlBars, TheStatusBarLaysOutItsPanesAndShowsTheMessage) {
    CStatusBar& status = frame_->status;
    ASSERT_TRUE(status.Create(frame_));
    const UINT indicators[] = {ID_SEPARATOR, kWeekdayPane, kDatePane, kTimePane};
    ASSERT_TRUE(status.SetIndicators(indicators, 4));
    frame_->RecalcLayout();

    CRect client;
    frame_->GetClientRect(&client);
    const CRect bar = ClientRectOf(&status);
    EXPECT_EQ(bar.bottom, client.bottom);
    EXPECT_EQ(bar.left, 0);
    EXPECT_EQ(bar.right, client.right);
    EXPECT_GT(bar.Height(), 12);
    EXPECT_LT(bar.Height(), 40);
    CRect view;  // what is left for the view
    frame_->RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST, CWnd::reposQuery, &view);
    EXPECT_EQ(view.bottom, bar.top);

    // Fixed panes take their texts' widths; the message pane stretches over the rest.
    CRect panes[4];
    for (int i = 0; i < 4; ++i)
        status.GetItemRect(i, &panes[i]);
    EXPECT_EQ(panes[0].left, 0);
    EXPECT_GT(panes[1].Width(), panes[3].Width());  // " Donnerstag " is wider than the time
    EXPECT_EQ(panes[1].left, panes[0].right + 2);
    EXPECT_EQ(panes[3].right, bar.Width() - ::GetSystemMetrics(SM_CXVSCROLL));  // the grip
    EXPECT_EQ(status.GetPaneText(1), " Donnerstag ");
    EXPECT_EQ(status.CommandToIndex(kDatePane), 2);

    frame_->SetMessageText("Sensor getrennt");
    EXPECT_EQ(status.GetPaneText(0), "Sensor getrennt");
    EXPECT_EQ(TextOf(status.m_hWnd), "Sensor getrennt");

    const UINT missing[] = {ID_SEPARATOR, 4711};
    EXPECT_FALSE(status.SetIndicators(missing, 2));
}

TEST_F(ControlBars, StatusPanesFollowTheFramesUpdateHandlersAtIdle) {
    CStatusBar& status = frame_->status;
    ASSERT_TRUE(status.Create(frame_));
    const UINT indicators[] = {ID_SEPARATOR, kWeekdayPane, kDatePane, kTimePane};
    ASSERT_TRUE(status.SetIndicators(indicators, 4));
    app_->OnIdle(0);
    EXPECT_EQ(status.GetPaneText(3), " 12:30 PM");
    EXPECT_EQ(status.GetPaneStyle(3) & SBPS_DISABLED, 0u);
    EXPECT_NE(status.GetPaneStyle(2) & SBPS_DISABLED, 0u);
    EXPECT_EQ(status.GetPaneText(1), " Donnerstag ");  // no handler: left alone

    // A hidden frame is not updated.
    frame_->time = " 09:05 Uhr";
    frame_->ShowWindow(SW_HIDE);
    app_->OnIdle(0);
    EXPECT_EQ(status.GetPaneText(3), " 12:30 PM");
}

TEST_F(ControlBars, BarsDockInRowsAndStackInAColumnByRectangle) {
    frame_->EnableDocking(CBRS_ALIGN_ANY);
    CTestBar a, b, c;
    for (CTestBar* bar : {&a, &b, &c}) {
        ASSERT_TRUE(bar->Create(frame_, bar == &a ? 110 : bar == &b ? 111 : 112));
        bar->EnableDocking(CBRS_ALIGN_ANY);
    }
    CDockBar* right = Dock(AFX_IDW_DOCKBAR_RIGHT);
    ASSERT_NE(right, nullptr);
    frame_->DockControlBar(&a, AFX_IDW_DOCKBAR_RIGHT);
    frame_->RecalcLayout();
    CRect rect;
    a.GetWindowRect(&rect);
    rect.OffsetRect(0, 1);
    frame_->DockControlBar(&b, AFX_IDW_DOCKBAR_RIGHT, &rect);
    frame_->RecalcLayout();
    EXPECT_EQ(Rows(right), (std::vector<UINT>{0, 110, 111, 0}));
    EXPECT_TRUE(b.m_dwStyle & CBRS_ALIGN_RIGHT);
    EXPECT_EQ(b.GetParent(), right);

    // In the column: below one another, overlapping by the border, at the frame's right edge.
    const CRect ra = ClientRectOf(&a);
    const CRect rb = ClientRectOf(&b);
    EXPECT_EQ(ra.Size(), CSize(40, 90));
    EXPECT_EQ(rb.top, ra.bottom - 2);
    EXPECT_EQ(rb.left, ra.left);
    CRect client;
    frame_->GetClientRect(&client);
    EXPECT_EQ(ClientRectOf(right).right, client.right);

    // Without a rectangle a bar starts a row of its own.
    frame_->DockControlBar(&c, AFX_IDW_DOCKBAR_RIGHT);
    frame_->RecalcLayout();
    EXPECT_EQ(Rows(right), (std::vector<UINT>{0, 110, 111, 0, 112, 0}));
    EXPECT_EQ(ClientRectOf(&c).left, ra.left + 40 - 2);
}

TEST_F(ControlBars, AFloatedBarLeavesAPlaceToComeBackTo) {
    frame_->EnableDocking(CBRS_ALIGN_ANY);
    CTestBar a, b;
    ASSERT_TRUE(a.Create(frame_, 110, WS_CHILD | WS_VISIBLE | CBRS_TOP));
    ASSERT_TRUE(b.Create(frame_, 111, WS_CHILD | WS_VISIBLE | CBRS_TOP));
    a.EnableDocking(CBRS_ALIGN_ANY);
    b.EnableDocking(CBRS_ALIGN_ANY);
    frame_->DockControlBar(&a, AFX_IDW_DOCKBAR_TOP);
    frame_->DockControlBar(&b, AFX_IDW_DOCKBAR_TOP);
    frame_->RecalcLayout();
    CDockBar* top = Dock(AFX_IDW_DOCKBAR_TOP);
    EXPECT_EQ(ClientRectOf(top).Height(), -2 + 2 * (30 - 2) + 2);  // two rows, the border

    frame_->FloatControlBar(&a, CPoint(300, 200));
    EXPECT_TRUE(a.IsFloating());
    EXPECT_EQ(Rows(top), (std::vector<UINT>{0, 0x10000 + 110, 0, 111, 0}));
    auto* floating = DYNAMIC_DOWNCAST(CMiniDockFrameWnd, a.GetParentFrame());
    ASSERT_NE(floating, nullptr);
    EXPECT_TRUE(floating->IsWindowVisible());
    EXPECT_EQ(a.GetDockingFrame(), frame_);
    CRect floatRect;
    floating->GetWindowRect(&floatRect);
    EXPECT_EQ(floatRect.TopLeft(), CPoint(300, 200));
    frame_->RecalcLayout();
    EXPECT_EQ(ClientRectOf(top).Height(), -2 + (30 - 2) + 2);

    // A double-click docks it again where it was; the empty floating frame goes.
    HWND floatingHwnd = floating->m_hWnd;
    a.m_pDockContext->ToggleDocking();
    EXPECT_FALSE(a.IsFloating());
    EXPECT_FALSE(IsWindow(floatingHwnd));
    EXPECT_EQ(Rows(top), (std::vector<UINT>{0, 110, 0, 111, 0}));

    // And floats again where it floated.
    a.m_pDockContext->m_ptMRUFloatPos = CPoint(350, 250);
    a.m_pDockContext->ToggleDocking();
    ASSERT_TRUE(a.IsFloating());
    a.GetParentFrame()->GetWindowRect(&floatRect);
    EXPECT_EQ(floatRect.TopLeft(), CPoint(350, 250));
}

TEST_F(ControlBars, DelayedShowingHappensAtTheNextIdleLayout) {
    frame_->EnableDocking(CBRS_ALIGN_ANY);
    CTestBar a;
    ASSERT_TRUE(a.Create(frame_, 110, WS_CHILD | WS_VISIBLE | CBRS_LEFT));
    a.EnableDocking(CBRS_ALIGN_ANY);
    frame_->DockControlBar(&a, AFX_IDW_DOCKBAR_LEFT);
    frame_->RecalcLayout();
    CDockBar* left = Dock(AFX_IDW_DOCKBAR_LEFT);
    EXPECT_GT(ClientRectOf(left).Width(), 30);

    frame_->ShowControlBar(&a, FALSE, TRUE);
    EXPECT_TRUE(a.IsWindowVisible());
    EXPECT_FALSE(a.IsVisible());
    app_->OnIdle(0);
    EXPECT_FALSE(a.IsWindowVisible());
    EXPECT_EQ(ClientRectOf(left).Width(), 0);

    frame_->ShowControlBar(&a, TRUE, FALSE);
    EXPECT_TRUE(a.IsWindowVisible());
    EXPECT_GT(ClientRectOf(left).Width(), 30);

    // The frame's status-bar command toggles a bar with that id.
    CStatusBar& status = frame_->status;
    ASSERT_TRUE(status.Create(frame_));
    frame_->SendMessage(WM_COMMAND, ID_VIEW_STATUS_BAR);
    EXPECT_FALSE(status.IsWindowVisible());
}

TEST_F(ControlBars, TheDockingLayoutComesBackFromTheProfile) {
    frame_->EnableDocking(CBRS_ALIGN_ANY);
    CTestBar a, b, c;
    ASSERT_TRUE(a.Create(frame_, 110, WS_CHILD | WS_VISIBLE | CBRS_RIGHT));
    ASSERT_TRUE(b.Create(frame_, 111, WS_CHILD | WS_VISIBLE | CBRS_RIGHT));
    ASSERT_TRUE(c.Create(frame_, 112, WS_CHILD | WS_VISIBLE | CBRS_RIGHT));
    for (CTestBar* bar : {&a, &b, &c})
        bar->EnableDocking(CBRS_ALIGN_ANY);
    frame_->DockControlBar(&a, AFX_IDW_DOCKBAR_LEFT);
    frame_->DockControlBar(&b, AFX_IDW_DOCKBAR_BOTTOM);
    frame_->DockControlBar(&c, AFX_IDW_DOCKBAR_BOTTOM);
    frame_->FloatControlBar(&c, CPoint(400, 300));
    frame_->ShowControlBar(&b, FALSE, FALSE);
    frame_->RecalcLayout();
    frame_->SaveBarState("Layout");
    // Three bars and three dock bars; the two empty sides need no entry.
    EXPECT_EQ(app_->GetProfileInt("Layout-Summary", "Bars", 0), 6u);

    // Everything moved elsewhere, then the stored layout again.
    frame_->DockControlBar(&a, AFX_IDW_DOCKBAR_TOP);
    frame_->DockControlBar(&b, AFX_IDW_DOCKBAR_TOP);
    frame_->DockControlBar(&c, AFX_IDW_DOCKBAR_TOP);
    frame_->ShowControlBar(&b, TRUE, FALSE);
    frame_->LoadBarState("Layout");
    app_->OnIdle(0);
    EXPECT_EQ(a.m_pDockBar, Dock(AFX_IDW_DOCKBAR_LEFT));
    EXPECT_EQ(b.m_pDockBar, Dock(AFX_IDW_DOCKBAR_BOTTOM));
    EXPECT_FALSE(b.IsWindowVisible());
    ASSERT_TRUE(c.IsFloating());
    CRect floatRect;
    c.GetParentFrame()->GetWindowRect(&floatRect);
    EXPECT_EQ(floatRect.TopLeft(), CPoint(400, 300));
    EXPECT_EQ(Rows(Dock(AFX_IDW_DOCKBAR_TOP)), std::vector<UINT>{0});
    EXPECT_EQ(Rows(Dock(AFX_IDW_DOCKBAR_BOTTOM)), (std::vector<UINT>{0, 111, 0, 0x10000 + 112, 0}));
}

TEST_F(ControlBars, DraggingABarOntoASideDocksItThereAndElsewhereFloatsIt) {
    frame_->EnableDocking(CBRS_ALIGN_ANY);
    CTestBar a;
    ASSERT_TRUE(a.Create(frame_, 110, WS_CHILD | WS_VISIBLE | CBRS_TOP));
    a.EnableDocking(CBRS_ALIGN_ANY);
    frame_->DockControlBar(&a, AFX_IDW_DOCKBAR_TOP);
    frame_->RecalcLayout();
    CRect bar;
    a.GetWindowRect(&bar);
    const CPoint grab(bar.left + 10, bar.top + 10);

    // To the left side: the vertical outline touches the left dock bar.
    CRect client;
    frame_->GetClientRect(&client);
    frame_->ClientToScreen(&client);
    kq::ui::InjectMouseMove(CPoint(client.left + 5, client.top + 200));
    kq::ui::InjectMouseButton(CPoint(client.left + 5, client.top + 200), VK_LBUTTON, false);
    a.m_pDockContext->StartDrag(grab);
    EXPECT_EQ(a.m_pDockBar, Dock(AFX_IDW_DOCKBAR_LEFT));
    EXPECT_EQ(a.m_pDockContext->m_uMRUDockID, AFX_IDW_DOCKBAR_LEFT);
    EXPECT_EQ(GetCapture(), nullptr);

    // Into the middle of the frame: it floats.
    a.GetWindowRect(&bar);
    kq::ui::InjectMouseMove(CPoint(client.left + 400, client.top + 300));
    kq::ui::InjectMouseButton(CPoint(client.left + 400, client.top + 300), VK_LBUTTON, false);
    a.m_pDockContext->StartDrag(CPoint(bar.left + 5, bar.top + 5));
    EXPECT_TRUE(a.IsFloating());

    // Escape cancels: nothing changes.
    CDockBar* floatingDock = a.m_pDockBar;
    kq::ui::InjectMouseMove(CPoint(client.left + 5, client.top + 200));
    kq::ui::InjectKey(VK_ESCAPE, true);
    a.m_pDockContext->StartDrag(CPoint(bar.left + 5, bar.top + 5));
    EXPECT_EQ(a.m_pDockBar, floatingDock);
}

}  // namespace
