// The print preview of a view: the pages as the view prints them on the screen, moving through
// them, two pages, zoom, the ways out (each must bring the frame back as it was), printing from
// the preview, and a view with nothing to print.
#include <gtest/gtest.h>

#include "framework/FrameworkTest.h"
#include "platform/base/Resource.h"
#include "platform/framework/PreviewBar.h"
#include "platform/framework/PreviewView.h"
#include "platform/ui/commctrl/ControlLanguage.h"
#include "platform/ui/paint/Screenshot.h"

namespace {

using kq::fw::test::FrameworkTest;

constexpr UINT kIdrPreview = 150;
constexpr UINT kOwnCommand = 32801;
constexpr COLORREF kPageColour[] = {RGB(255, 0, 0), RGB(0, 0, 255), RGB(0, 160, 0)};
constexpr COLORREF kViewColour = RGB(255, 255, 0);
constexpr COLORREF kGround = RGB(128, 128, 128);
const kq::StringResource kStrings[] = {{kIdrPreview, "Preview frame\nMessen"}};
using Item = kq::MenuItemTemplate;
const Item kFileItems[] = {{"&Own", kOwnCommand, 0, {}},
                           {"Print Pre&view", ID_FILE_PRINT_PREVIEW, 0, {}}};
const Item kBar[] = {{"&File", 0, Item::Popup, kFileItems}};
const kq::MenuResource kMenus[] = {{kq::ResourceName(static_cast<int>(kIdrPreview)), {kBar}}};
using Accel = kq::AcceleratorEntry;
const Accel kShortcuts[] = {{Accel::VirtKey | Accel::Control, 'O', kOwnCommand}};
const kq::AcceleratorResource kAccelerators[] = {
    {kq::ResourceName(static_cast<int>(kIdrPreview)), {kShortcuts}}};
const kq::ResourceBundle kBundle{kStrings, {}, kMenus, kAccelerators, {}};

std::vector<std::string> g_calls;
UINT g_pages = 0;  // 0: the view does not know its length
bool g_refuse = false;
int g_ownCommands = 0;

class CPreviewDoc : public CDocument {
    DECLARE_DYNCREATE(CPreviewDoc)
};
IMPLEMENT_DYNCREATE(CPreviewDoc, CDocument)

class CPagesView : public CView {
    DECLARE_DYNCREATE(CPagesView)
  public:
    void OnDraw(CDC* pDC) override {
        CRect client;
        GetClientRect(&client);
        pDC->FillSolidRect(&client, kViewColour);
    }
    BOOL OnPreparePrinting(CPrintInfo* pInfo) override {
        g_calls.push_back(pInfo->m_bPreview ? "prepare preview" : "prepare");
        if (g_refuse)
            return FALSE;
        if (g_pages != 0)
            pInfo->SetMaxPage(g_pages);
        return DoPreparePrinting(pInfo);
    }
    void OnBeginPrinting(CDC*, CPrintInfo*) override { g_calls.push_back("begin"); }
    void OnPrint(CDC* pDC, CPrintInfo* pInfo) override {
        g_calls.push_back("page " + std::to_string(pInfo->m_nCurPage));
        pDC->FillSolidRect(&pInfo->m_rectDraw, kPageColour[(pInfo->m_nCurPage - 1) % 3]);
    }
    void OnEndPrinting(CDC*, CPrintInfo*) override { g_calls.push_back("end"); }
    void OnOwnCommand() { ++g_ownCommands; }
    DECLARE_MESSAGE_MAP()
};
IMPLEMENT_DYNCREATE(CPagesView, CView)
BEGIN_MESSAGE_MAP(CPagesView, CView)
ON_COMMAND(ID_FILE_PRINT, &CView::OnFilePrint)
ON_COMMAND(ID_FILE_PRINT_PREVIEW, &CView::OnFilePrintPreview)
ON_COMMAND(kOwnCommand, &CPagesView::OnOwnCommand)
END_MESSAGE_MAP()

class CPreviewFrame : public CFrameWnd {
    DECLARE_DYNCREATE(CPreviewFrame)
  public:
    CStatusBar status;
    int OnCreate(LPCREATESTRUCT lpcs) {
        if (CFrameWnd::OnCreate(lpcs) == -1)
            return -1;
        const UINT panes[] = {ID_SEPARATOR};
        return status.Create(this) && status.SetIndicators(panes, 1) ? 0 : -1;
    }
    DECLARE_MESSAGE_MAP()
};
IMPLEMENT_DYNCREATE(CPreviewFrame, CFrameWnd)
BEGIN_MESSAGE_MAP(CPreviewFrame, CFrameWnd)
ON_WM_CREATE()
END_MESSAGE_MAP()

class PrintPreview : public FrameworkTest {
  protected:
    void SetUp() override {
        FrameworkTest::SetUp();
        kq::InstallResources(kBundle);
        kq::ui::SetControlLanguage(kq::ui::ControlLanguage::English);
        g_calls.clear();
        g_pages = 3;
        g_refuse = false;
        g_ownCommands = 0;
        app_ = std::make_unique<CWinApp>("PreviewApp");
        app_->AddDocTemplate(new CSingleDocTemplate(kIdrPreview, RUNTIME_CLASS(CPreviewDoc),
                                                    RUNTIME_CLASS(CPreviewFrame),
                                                    RUNTIME_CLASS(CPagesView)));
        app_->m_nCmdShow = SW_SHOWNORMAL;
        CCommandLineInfo info;
        ASSERT_TRUE(app_->ProcessShellCommand(info));
        frame_ = DYNAMIC_DOWNCAST(CPreviewFrame, app_->m_pMainWnd);
        ASSERT_NE(frame_, nullptr);
        frame_->MoveWindow(10, 10, 500, 420);
        kq::gfx::PrinterSettings settings;
        settings.file = folder_.Path() + "/out.pdf";
        settings.dpi = 50;
        kq::fw::SetDefaultPrinterSettings(settings);
        Pump();
        view_ = frame_->GetActiveView();
        view_->GetWindowRect(&viewRect_);
        focus_ = ::GetFocus();
        menu_ = ::GetMenu(frame_->m_hWnd);
        accel_ = frame_->m_hAccelTable;
        ASSERT_NE(menu_, nullptr);
        ASSERT_NE(accel_, nullptr);
    }
    void TearDown() override {
        kq::fw::SetPrintDialogFunction(nullptr);
        kq::fw::SetDefaultPrinterSettings({});
        kq::ui::SetControlLanguage(kq::ui::ControlLanguage::English);
        FrameworkTest::TearDown();
        app_.reset();
        kq::UninstallResources(kBundle);
    }
    CPreviewView* Open() {
        frame_->SendMessage(WM_COMMAND, ID_FILE_PRINT_PREVIEW);
        Idle();
        return Preview();
    }
    CPreviewView* Preview() { return DYNAMIC_DOWNCAST(CPreviewView, frame_->GetActiveView()); }
    void Idle() {
        Pump();
        app_->OnIdle(0);
        Pump();
    }
    void Command(UINT id) {
        frame_->SendMessage(WM_COMMAND, id);
        Idle();
    }
    CWnd* Button(UINT id) { return Preview()->GetPreviewBar()->GetButton(id); }
    std::string Text(UINT id) {
        CString text;
        Button(id)->GetWindowText(text);
        return text.GetString();
    }
    bool Enabled(UINT id) { return Button(id)->IsWindowEnabled() != FALSE; }
    // The colour on the screen in the middle of the visible part of a page place's sheet.
    COLORREF SheetColour(int place) {
        CRect sheet = Preview()->GetSheetRect(place);
        CRect client;
        Preview()->GetClientRect(&client);
        if (!sheet.IntersectRect(&sheet, &client))
            return CLR_INVALID;
        Preview()->ClientToScreen(&sheet);
        return kq::ui::GetScreenPixel(sheet.CenterPoint().x, sheet.CenterPoint().y);
    }
    int Count(const std::string& call) const {
        return static_cast<int>(std::count(g_calls.begin(), g_calls.end(), call));
    }
    // Everything as it was before the preview.
    void ExpectRestored() {
        EXPECT_EQ(frame_->GetActiveView(), view_);
        EXPECT_TRUE(view_->IsWindowVisible());
        EXPECT_EQ(view_->GetDlgCtrlID(), static_cast<int>(AFX_IDW_PANE_FIRST));
        CRect rect;
        view_->GetWindowRect(&rect);
        EXPECT_EQ(rect, viewRect_);
        EXPECT_TRUE(frame_->status.IsWindowVisible());
        EXPECT_EQ(frame_->status.GetPaneText(0).Find("Page"), -1);
        EXPECT_EQ(frame_->GetDescendantWindow(AFX_IDW_PREVIEW_BAR), nullptr);
        EXPECT_EQ(::GetFocus(), focus_);
        EXPECT_EQ(frame_->m_lpfnCloseProc, nullptr);
        EXPECT_EQ(::GetMenu(frame_->m_hWnd), menu_);
        EXPECT_EQ(frame_->m_hAccelTable, accel_);
        EXPECT_EQ(kq::ui::GetScreenPixel(rect.CenterPoint().x, rect.CenterPoint().y), kViewColour);
        EXPECT_EQ(Count("end"), 1);
    }

    std::unique_ptr<CWinApp> app_;
    CPreviewFrame* frame_ = nullptr;
    CView* view_ = nullptr;
    CRect viewRect_;
    HWND focus_ = nullptr;
    HMENU menu_ = nullptr;
    HACCEL accel_ = nullptr;
};

TEST_F(PrintPreview, ShowsTheFirstPageInTheViewsPlaceWithTheFrameFurniturePutAway) {
    CPreviewView* preview = Open();
    ASSERT_NE(preview, nullptr);
    EXPECT_EQ(g_calls, (std::vector<std::string>{"prepare preview", "begin", "page 1"}));
    EXPECT_TRUE(preview->GetPrintInfo()->m_bPreview);
    EXPECT_FALSE(view_->IsWindowVisible());
    // The status bar stays and tells the page.
    EXPECT_TRUE(frame_->status.IsWindowVisible());
    EXPECT_EQ(frame_->status.GetPaneText(0), CString("Page 1"));
    EXPECT_EQ(preview->GetDlgCtrlID(), static_cast<int>(AFX_IDW_PANE_FIRST));
    EXPECT_EQ(::GetFocus(), preview->m_hWnd);
    EXPECT_NE(frame_->m_lpfnCloseProc, nullptr);

    // The bar along the top, the preview below it.
    CRect bar, client;
    preview->GetPreviewBar()->GetWindowRect(&bar);
    preview->GetWindowRect(&client);
    EXPECT_EQ(client.top, bar.bottom);
    EXPECT_EQ(bar.left, client.left);

    // A portrait sheet filling the height, what OnPrint drew in it, its shadow, grey around.
    const CRect sheet = preview->GetSheetRect(0);
    preview->GetClientRect(&client);
    EXPECT_GT(sheet.Height(), client.Height() * 8 / 10);
    EXPECT_LE(sheet.bottom, client.bottom);
    EXPECT_NEAR(sheet.Width() * 297.0 / 210.0, sheet.Height(), 2.0);
    EXPECT_EQ(SheetColour(0), kPageColour[0]);
    CRect screenSheet = sheet;
    preview->ClientToScreen(&screenSheet);
    EXPECT_EQ(kq::ui::GetScreenPixel(screenSheet.left + 1, screenSheet.top + 1),
              RGB(255, 255, 255));
    EXPECT_EQ(kq::ui::GetScreenPixel(screenSheet.right + 1, screenSheet.bottom + 1), RGB(0, 0, 0));
    EXPECT_EQ(kq::ui::GetScreenPixel(screenSheet.left - 3, screenSheet.top + 5), kGround);
    EXPECT_EQ(preview->GetSheetRect(1), CRect());

    // The view's own commands do not reach it while the preview is shown; the menu and the
    // shortcut keys are put away.
    EXPECT_EQ(::GetMenu(frame_->m_hWnd), nullptr);
    EXPECT_EQ(frame_->m_hAccelTable, nullptr);
    frame_->SendMessage(WM_COMMAND, kOwnCommand);
    EXPECT_EQ(g_ownCommands, 0);
    frame_->SendMessage(WM_COMMAND, ID_FILE_PRINT_PREVIEW);
    EXPECT_EQ(Preview(), preview);
    EXPECT_EQ(Count("begin"), 1);
    EXPECT_EQ(Text(AFX_ID_PREVIEW_NEXT), "Next Page");
}

TEST_F(PrintPreview, MovesThroughThePagesByButtonsAndKeysWithTheButtonsFollowing) {
    CPreviewView* preview = Open();
    ASSERT_NE(preview, nullptr);
    EXPECT_FALSE(Enabled(AFX_ID_PREVIEW_PREV));
    EXPECT_TRUE(Enabled(AFX_ID_PREVIEW_NEXT));

    CRect next;
    Button(AFX_ID_PREVIEW_NEXT)->GetWindowRect(&next);
    Click(next.CenterPoint());
    Idle();
    EXPECT_EQ(preview->GetCurrentPage(), 2u);
    EXPECT_EQ(SheetColour(0), kPageColour[1]);
    EXPECT_TRUE(Enabled(AFX_ID_PREVIEW_PREV));

    Command(AFX_ID_PREVIEW_NEXT);
    EXPECT_EQ(SheetColour(0), kPageColour[2]);
    EXPECT_FALSE(Enabled(AFX_ID_PREVIEW_NEXT));
    Command(AFX_ID_PREVIEW_NEXT);  // no page 4
    EXPECT_EQ(preview->GetCurrentPage(), 3u);

    preview->SetFocus();
    KeyPress(VK_HOME);
    EXPECT_EQ(preview->GetCurrentPage(), 1u);
    KeyPress(VK_END);
    EXPECT_EQ(preview->GetCurrentPage(), 3u);
    KeyPress(VK_PRIOR);
    EXPECT_EQ(preview->GetCurrentPage(), 2u);
    KeyPress(VK_NEXT);
    EXPECT_EQ(preview->GetCurrentPage(), 3u);

    // Two pages side by side, smaller; from page 2 the last pair is 2 and 3.
    Command(AFX_ID_PREVIEW_PREV);
    Command(AFX_ID_PREVIEW_PREV);
    const CRect single = preview->GetSheetRect(0);
    EXPECT_EQ(Text(AFX_ID_PREVIEW_NUMPAGE), "Two Page");
    Command(AFX_ID_PREVIEW_NUMPAGE);
    EXPECT_EQ(preview->GetPagesShown(), 2u);
    EXPECT_EQ(Text(AFX_ID_PREVIEW_NUMPAGE), "One Page");
    const CRect left = preview->GetSheetRect(0);
    const CRect right = preview->GetSheetRect(1);
    EXPECT_LE(left.Width(), single.Width());
    EXPECT_LT(left.right, right.left);
    EXPECT_EQ(SheetColour(0), kPageColour[0]);
    EXPECT_EQ(SheetColour(1), kPageColour[1]);
    Command(AFX_ID_PREVIEW_NEXT);
    EXPECT_EQ(SheetColour(1), kPageColour[2]);
    EXPECT_FALSE(Enabled(AFX_ID_PREVIEW_NEXT));
    KeyPress(VK_END);
    EXPECT_EQ(preview->GetCurrentPage(), 2u);
}

TEST_F(PrintPreview, AViewOfUnknownLengthHasOnePage) {
    g_pages = 0;
    CPreviewView* preview = Open();
    ASSERT_NE(preview, nullptr);
    EXPECT_EQ(SheetColour(0), kPageColour[0]);
    EXPECT_FALSE(Enabled(AFX_ID_PREVIEW_NEXT));
    EXPECT_FALSE(Enabled(AFX_ID_PREVIEW_NUMPAGE));
}

TEST_F(PrintPreview, ZoomsInTwoStepsAndScrollsTheZoomedPage) {
    CPreviewView* preview = Open();
    ASSERT_NE(preview, nullptr);
    Command(AFX_ID_PREVIEW_NUMPAGE);
    const CRect fit = preview->GetSheetRect(0);
    EXPECT_FALSE(Enabled(AFX_ID_PREVIEW_ZOOMOUT));

    Command(AFX_ID_PREVIEW_ZOOMIN);
    const CRect middle = preview->GetSheetRect(0);
    EXPECT_GT(middle.Width(), fit.Width() * 2);  // one page in the whole width
    EXPECT_EQ(preview->GetSheetRect(1), CRect());
    EXPECT_FALSE(Enabled(AFX_ID_PREVIEW_NUMPAGE));
    Command(AFX_ID_PREVIEW_ZOOMIN);
    const CRect in = preview->GetSheetRect(0);
    EXPECT_GT(in.Width(), middle.Width());
    EXPECT_FALSE(Enabled(AFX_ID_PREVIEW_ZOOMIN));
    EXPECT_TRUE(Enabled(AFX_ID_PREVIEW_ZOOMOUT));
    EXPECT_EQ(SheetColour(0), kPageColour[0]);

    // The page is larger than the view: scroll bars move it.
    CRect client;
    preview->GetClientRect(&client);
    EXPECT_GT(in.Height(), client.Height());
    preview->SendMessage(WM_VSCROLL, SB_PAGEDOWN);
    Idle();
    EXPECT_EQ(preview->GetSheetRect(0).top, in.top - client.Height());
    preview->SetFocus();
    KeyPress(VK_RIGHT);
    EXPECT_LT(preview->GetSheetRect(0).left, in.left);
    EXPECT_EQ(SheetColour(0), kPageColour[0]);

    Command(AFX_ID_PREVIEW_ZOOMOUT);
    Command(AFX_ID_PREVIEW_ZOOMOUT);
    EXPECT_EQ(preview->GetSheetRect(0), fit);
    EXPECT_EQ(SheetColour(1), kPageColour[1]);
}

TEST_F(PrintPreview, EscCloseAndTheFramesCloseEndThePreviewAndRestoreTheFrame) {
    // Esc.
    ASSERT_NE(Open(), nullptr);
    KeyPress(VK_ESCAPE);
    Idle();
    ExpectRestored();

    // The Close button, from a later page.
    g_calls.clear();
    ASSERT_NE(Open(), nullptr);
    Command(AFX_ID_PREVIEW_NEXT);
    CRect close;
    Button(AFX_ID_PREVIEW_CLOSE)->GetWindowRect(&close);
    Click(close.CenterPoint());
    Idle();
    ExpectRestored();

    // The frame's close ends only the preview.
    g_calls.clear();
    ASSERT_NE(Open(), nullptr);
    frame_->SendMessage(WM_CLOSE);
    Idle();
    ASSERT_EQ(app_->m_pMainWnd, frame_);
    ExpectRestored();
    EXPECT_TRUE(boxes_.empty());
}

TEST_F(PrintPreview, AFrameDestroyedDuringThePreviewEndsThePrintingOnce) {
    ASSERT_NE(Open(), nullptr);
    frame_->DestroyWindow();
    Pump();
    EXPECT_EQ(Count("end"), 1);
}

TEST_F(PrintPreview, PrintEndsThePreviewAndPrintsThroughTheDialog) {
    ASSERT_NE(Open(), nullptr);
    int asked = 0;
    kq::fw::SetPrintDialogFunction([&](CPrintInfo& info) {
        ++asked;
        EXPECT_FALSE(info.m_bPreview);
        info.m_hPrinterDC = kq::gfx::CreatePrinterOutputDC(info.m_printer);
        return 1;
    });
    Command(AFX_ID_PREVIEW_PRINT);
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(Preview(), nullptr);
    EXPECT_EQ(g_calls,
              (std::vector<std::string>{"prepare preview", "begin", "page 1", "end", "prepare",
                                        "begin", "page 1", "page 2", "page 3", "end"}));
    EXPECT_EQ(frame_->GetActiveView(), view_);
}

TEST_F(PrintPreview, AViewWithNothingToPrintLeavesTheFrameAsItWas) {
    g_refuse = true;
    EXPECT_EQ(Open(), nullptr);
    EXPECT_EQ(g_calls, std::vector<std::string>{"prepare preview"});
    EXPECT_EQ(frame_->GetActiveView(), view_);
    EXPECT_TRUE(view_->IsWindowVisible());
    EXPECT_TRUE(frame_->status.IsWindowVisible());
    EXPECT_EQ(frame_->GetDescendantWindow(AFX_IDW_PREVIEW_BAR), nullptr);
    EXPECT_EQ(frame_->m_lpfnCloseProc, nullptr);
    EXPECT_EQ(::GetFocus(), focus_);
}

TEST_F(PrintPreview, TheBarSpeaksTheControlLanguage) {
    kq::ui::SetControlLanguage(kq::ui::ControlLanguage::German);
    ASSERT_NE(Open(), nullptr);
    EXPECT_EQ(Text(AFX_ID_PREVIEW_CLOSE), "Schließen");
    EXPECT_EQ(Text(AFX_ID_PREVIEW_NUMPAGE), "Zwei Seiten");
    Command(AFX_ID_PREVIEW_CLOSE);
    kq::ui::SetControlLanguage(kq::ui::ControlLanguage::French);
    ASSERT_NE(Open(), nullptr);
    EXPECT_EQ(Text(AFX_ID_PREVIEW_PRINT), "Imprimer...");
}

}  // namespace
