// Painting through the framework: views drawn by OnDraw when the document changes, window DCs of
// CWnd, what the status bar invalidates, and a failing paint that must not repeat forever.
#include <gtest/gtest.h>

#include "framework/FrameworkTest.h"
#include "platform/base/Resource.h"
#include "platform/gfx/WindowDC.h"
#include "platform/ui/paint/Screenshot.h"

namespace {

using kq::fw::test::FrameworkTest;

constexpr UINT kIdrPaint = 130;
constexpr UINT kPane = 32790;
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);

const kq::StringResource kStrings[] = {
    {kIdrPaint, "Paint frame\nPaintDoc"},
    {kPane, " 00:00 "},
};
const kq::ResourceBundle kBundle{kStrings, {}, {}, {}, {}};

int g_draws = 0;
COLORREF g_fill = kRed;

class CPaintDoc : public CDocument {
    DECLARE_DYNCREATE(CPaintDoc)
};
IMPLEMENT_DYNCREATE(CPaintDoc, CDocument)

class CPaintView : public CView {
    DECLARE_DYNCREATE(CPaintView)
  public:
    CPoint origin{-1, -1};
    void OnPrepareDC(CDC* pDC, CPrintInfo* pInfo) override {
        CView::OnPrepareDC(pDC, pInfo);
        pDC->SetViewportOrg(5, 5);
        origin = pDC->GetViewportOrg();
    }
    void OnDraw(CDC* pDC) override {
        ++g_draws;
        CRect client;
        GetClientRect(&client);
        client.OffsetRect(-5, -5);
        pDC->FillSolidRect(&client, g_fill);
    }
};
IMPLEMENT_DYNCREATE(CPaintView, CView)

class CPaintFrame : public CFrameWnd {
    DECLARE_DYNCREATE(CPaintFrame)
};
IMPLEMENT_DYNCREATE(CPaintFrame, CFrameWnd)

// A window whose painting throws.
class CBrokenPainter : public CWnd {
  public:
    int paints = 0;
    void OnPaint() {
        ++paints;
        AfxThrowUserException();
    }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CBrokenPainter, CWnd)
ON_WM_PAINT()
END_MESSAGE_MAP()

class Painting : public FrameworkTest {
  protected:
    void SetUp() override {
        FrameworkTest::SetUp();
        kq::InstallResources(kBundle);
        g_draws = 0;
        g_fill = kRed;
        app_ = std::make_unique<CWinApp>("PaintApp");
    }
    void TearDown() override {
        FrameworkTest::TearDown();
        app_.reset();
        kq::UninstallResources(kBundle);
    }
    CFrameWnd* StartDocument() {
        app_->AddDocTemplate(new CSingleDocTemplate(kIdrPaint, RUNTIME_CLASS(CPaintDoc),
                                                    RUNTIME_CLASS(CPaintFrame),
                                                    RUNTIME_CLASS(CPaintView)));
        app_->m_nCmdShow = SW_SHOWNORMAL;
        CCommandLineInfo info;
        EXPECT_TRUE(app_->ProcessShellCommand(info));
        auto* frame = DYNAMIC_DOWNCAST(CFrameWnd, app_->m_pMainWnd);
        if (frame != nullptr)
            frame->MoveWindow(10, 10, 300, 200);
        Pump();
        return frame;
    }
    static COLORREF PixelAtCentre(CWnd* wnd) {
        CRect rect;
        wnd->GetWindowRect(&rect);
        return kq::ui::GetScreenPixel(rect.CenterPoint().x, rect.CenterPoint().y);
    }

    std::unique_ptr<CWinApp> app_;
};

TEST_F(Painting, AViewIsDrawnByOnDrawAfterOnPrepareDC) {
    CFrameWnd* frame = StartDocument();
    ASSERT_NE(frame, nullptr);
    auto* view = DYNAMIC_DOWNCAST(CPaintView, frame->GetActiveView());
    ASSERT_NE(view, nullptr);
    EXPECT_GT(g_draws, 0);
    EXPECT_EQ(view->origin, CPoint(5, 5));
    EXPECT_EQ(PixelAtCentre(view), kRed);
}

TEST_F(Painting, UpdateAllViewsRedrawsTheViewsAtTheNextPaint) {
    CFrameWnd* frame = StartDocument();
    ASSERT_NE(frame, nullptr);
    CView* view = frame->GetActiveView();
    const int before = g_draws;
    g_fill = kBlue;
    frame->GetActiveDocument()->UpdateAllViews(nullptr);
    EXPECT_EQ(g_draws, before);  // only invalidated
    CRect update;
    EXPECT_TRUE(view->GetUpdateRect(&update));
    Pump();
    EXPECT_EQ(g_draws, before + 1);
    EXPECT_EQ(PixelAtCentre(view), kBlue);
}

TEST_F(Painting, AFrameErasesOnlyWhatItsViewLeavesFree) {
    CFrameWnd* frame = StartDocument();
    ASSERT_NE(frame, nullptr);
    {
        CClientDC dc(frame);
        EXPECT_TRUE(frame->SendMessage(WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc.m_hDC)));
    }
    // A strip beside the view is filled, never left with what was there before; the view
    // keeps its own pixels.
    CView* view = frame->GetActiveView();
    CRect client;
    frame->GetClientRect(&client);
    view->MoveWindow(4, 0, client.Width() - 4, client.Height());
    frame->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    CPoint strip(1, client.Height() / 2);
    frame->ClientToScreen(&strip);
    EXPECT_EQ(kq::ui::GetScreenPixel(strip.x, strip.y), ::GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(PixelAtCentre(view), kRed);

    auto* bare = new CFrameWnd;
    ASSERT_TRUE(bare->Create(nullptr, "bare", WS_OVERLAPPEDWINDOW, CRect(0, 0, 100, 100)));
    EXPECT_EQ(bare->GetDlgItem(AFX_IDW_PANE_FIRST), nullptr);
    {
        CClientDC bareDc(bare);
        // The default erasing with the class brush.
        EXPECT_TRUE(bare->SendMessage(WM_ERASEBKGND, reinterpret_cast<WPARAM>(bareDc.m_hDC)));
    }
    bare->DestroyWindow();
}

TEST_F(Painting, WindowDcsOfAWindowDrawOnTheScreen) {
    CWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, AfxRegisterWndClass(0), "dc", WS_POPUP | WS_VISIBLE, 40, 40, 60, 50,
                             nullptr, nullptr));
    Pump();
    CDC* dc = wnd.GetDC();
    ASSERT_NE(dc, nullptr);
    dc->FillSolidRect(0, 0, 60, 50, kBlue);
    EXPECT_EQ(wnd.ReleaseDC(dc), 1);
    EXPECT_EQ(kq::ui::GetScreenPixel(70, 65), kBlue);

    // Whole-window DC: (0, 0) is the window's corner.
    CDC* windowDc = wnd.GetWindowDC();
    ASSERT_NE(windowDc, nullptr);
    windowDc->SetPixel(0, 0, kRed);
    wnd.ReleaseDC(windowDc);
    EXPECT_EQ(kq::ui::GetScreenPixel(40, 40), kRed);

    // Invalidating and validating go to the window's update region.
    CRect update;
    EXPECT_FALSE(wnd.GetUpdateRect(&update));
    const CRect part(1, 2, 11, 12);
    wnd.InvalidateRect(&part, FALSE);
    EXPECT_TRUE(wnd.GetUpdateRect(&update));
    EXPECT_EQ(update, part);
    wnd.ValidateRect(nullptr);
    EXPECT_FALSE(wnd.GetUpdateRect(&update));
    wnd.Invalidate();
    wnd.UpdateWindow();
    EXPECT_FALSE(wnd.GetUpdateRect(&update));
    wnd.DestroyWindow();
}

TEST_F(Painting, AStatusPaneIsRedrawnOnlyWhenItsTextChanges) {
    auto* frame = new CFrameWnd;
    ASSERT_TRUE(
        frame->Create(nullptr, "frame", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 400, 300)));
    CStatusBar status;
    ASSERT_TRUE(status.Create(frame));
    const UINT indicators[] = {ID_SEPARATOR, kPane};
    ASSERT_TRUE(status.SetIndicators(indicators, 2));
    frame->RecalcLayout();
    Pump();
    CRect update;
    EXPECT_FALSE(status.GetUpdateRect(&update));

    EXPECT_TRUE(status.SetPaneText(1, " 00:00 "));
    EXPECT_FALSE(status.GetUpdateRect(&update));
    EXPECT_TRUE(status.SetPaneText(1, " 12:30 "));
    CRect pane;
    status.GetItemRect(1, &pane);
    EXPECT_TRUE(status.GetUpdateRect(&update));
    EXPECT_EQ(update, pane);
    // The narrow frame squeezes the message pane, not the fixed one.
    CRect bar;
    status.GetClientRect(&bar);
    EXPECT_EQ(pane.right, bar.right - ::GetSystemMetrics(SM_CXVSCROLL));  // then the grip
    Pump();
    EXPECT_FALSE(status.GetUpdateRect(&update));
    frame->DestroyWindow();
}

TEST_F(Painting, APaintThatThrowsIsReportedOnceAndNotRepeated) {
    CBrokenPainter wnd;
    ASSERT_TRUE(wnd.CreateEx(0, AfxRegisterWndClass(0), "broken", WS_POPUP | WS_VISIBLE, 0, 0, 50,
                             50, nullptr, nullptr));
    Pump();
    EXPECT_EQ(wnd.paints, 1);
    CRect update;
    EXPECT_FALSE(wnd.GetUpdateRect(&update));
    Pump();
    EXPECT_EQ(wnd.paints, 1);
    EXPECT_TRUE(boxes_.empty());  // the user exception was reported by whoever threw it
    wnd.DestroyWindow();
}

}  // namespace
