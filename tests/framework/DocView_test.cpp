// The single-document shell: a template creating document, frame and view from their run-time
// classes, command routing view -> document -> frame -> application with update handlers,
// the frame's layout and message bar, and closing.
#include <gtest/gtest.h>

#include "framework/FrameworkTest.h"
#include "platform/base/Resource.h"

namespace {

using kq::fw::test::FrameworkTest;

constexpr UINT kIdrMain = 120;
constexpr UINT kPromptId = 777;
int g_docsAlive = 0;
int g_viewsAlive = 0;
int g_framesAlive = 0;
std::vector<std::string> g_routed;

const kq::StringResource kStrings[] = {
    {kIdrMain, "KQ test frame\nTestDoc"},
    {kPromptId, "Saves the values\nSave"},
};
const kq::ResourceBundle kBundle{kStrings, {}, {}, {}, {}};

class CTestDoc : public CDocument {
    DECLARE_DYNCREATE(CTestDoc)
  public:
    CTestDoc() { ++g_docsAlive; }
    ~CTestDoc() override { --g_docsAlive; }
    void OnShared() { g_routed.push_back("doc"); }
    void OnUpdateShared(CCmdUI* ui) { ui->Enable(FALSE); }
    DECLARE_MESSAGE_MAP()
};
IMPLEMENT_DYNCREATE(CTestDoc, CDocument)
BEGIN_MESSAGE_MAP(CTestDoc, CDocument)
ON_COMMAND(901, &CTestDoc::OnShared)
ON_UPDATE_COMMAND_UI(904, &CTestDoc::OnUpdateShared)
END_MESSAGE_MAP()

class CTestView : public CView {
    DECLARE_DYNCREATE(CTestView)
  public:
    CTestView() { ++g_viewsAlive; }
    ~CTestView() override { --g_viewsAlive; }
    int initialUpdates = 0;
    void OnDraw(CDC*) override {}
    void OnInitialUpdate() override {
        ++initialUpdates;
        CView::OnInitialUpdate();
    }
    void OnFirst() { g_routed.push_back("view"); }
    void OnUpdateContinue(CCmdUI* ui) {
        ui->SetCheck(1);
        ui->ContinueRouting();
    }
    DECLARE_MESSAGE_MAP()
};
IMPLEMENT_DYNCREATE(CTestView, CView)
BEGIN_MESSAGE_MAP(CTestView, CView)
ON_COMMAND(900, &CTestView::OnFirst)
ON_UPDATE_COMMAND_UI(904, &CTestView::OnUpdateContinue)
END_MESSAGE_MAP()

class CTestFrame : public CFrameWnd {
    DECLARE_DYNCREATE(CTestFrame)
  public:
    CTestFrame() { ++g_framesAlive; }
    ~CTestFrame() override { --g_framesAlive; }
    void OnShared() { g_routed.push_back("frame"); }
    void OnOwn() { g_routed.push_back("frame"); }
    DECLARE_MESSAGE_MAP()
};
IMPLEMENT_DYNCREATE(CTestFrame, CFrameWnd)
BEGIN_MESSAGE_MAP(CTestFrame, CFrameWnd)
ON_COMMAND(901, &CTestFrame::OnShared)
ON_COMMAND(902, &CTestFrame::OnOwn)
END_MESSAGE_MAP()

class CTestApp : public CWinApp {
  public:
    CTestApp() : CWinApp("DocViewApp") {}
    void OnFirst() { g_routed.push_back("app"); }
    void OnLast() { g_routed.push_back("app"); }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CTestApp, CWinApp)
ON_COMMAND(ID_FILE_NEW, &CWinApp::OnFileNew)
ON_COMMAND(900, &CTestApp::OnFirst)
ON_COMMAND(903, &CTestApp::OnLast)
END_MESSAGE_MAP()

// Takes a 20-pixel strip off the top of its frame, as a control bar does.
class CStripBar : public CWnd {
  public:
    LRESULT OnSizeParent(WPARAM, LPARAM lParam) {
        auto* layout = reinterpret_cast<AFX_SIZEPARENTPARAMS*>(lParam);
        RECT strip = layout->rect;
        strip.bottom = strip.top + 20;
        layout->rect.top += 20;
        AfxRepositionWindow(layout, m_hWnd, &strip);
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CStripBar, CWnd)
ON_MESSAGE(WM_SIZEPARENT, &CStripBar::OnSizeParent)
END_MESSAGE_MAP()

class RecordingCmdUI : public CCmdUI {
  public:
    int enabled = -1;
    int checked = -1;
    void Enable(BOOL on) override {
        enabled = on;
        m_bEnableChanged = TRUE;
    }
    void SetCheck(int check) override { checked = check; }
};

class DocView : public FrameworkTest {
  protected:
    void SetUp() override {
        FrameworkTest::SetUp();
        kq::InstallResources(kBundle);
        g_routed.clear();
        app_ = std::make_unique<CTestApp>();
        app_->AddDocTemplate(new CSingleDocTemplate(kIdrMain, RUNTIME_CLASS(CTestDoc),
                                                    RUNTIME_CLASS(CTestFrame),
                                                    RUNTIME_CLASS(CTestView)));
    }
    void TearDown() override {
        FrameworkTest::TearDown();  // destroys what is left of the windows
        app_.reset();
        kq::UninstallResources(kBundle);
        EXPECT_EQ(g_docsAlive, 0);
        EXPECT_EQ(g_viewsAlive, 0);
        EXPECT_EQ(g_framesAlive, 0);
    }
    CTestFrame* Start(int show = SW_HIDE) {
        app_->m_nCmdShow = show;
        CCommandLineInfo info;
        app_->ParseCommandLine(info);
        EXPECT_EQ(info.m_nShellCommand, CCommandLineInfo::FileNew);
        EXPECT_TRUE(app_->ProcessShellCommand(info));
        return DYNAMIC_DOWNCAST(CTestFrame, app_->m_pMainWnd);
    }
    void Route(CFrameWnd* frame, UINT id) { frame->SendMessage(WM_COMMAND, id); }

    std::unique_ptr<CTestApp> app_;
};

TEST_F(DocView, TheTemplateBuildsDocumentFrameAndViewFromItsClasses) {
    CTestFrame* frame = Start();
    ASSERT_NE(frame, nullptr);
    auto* view = DYNAMIC_DOWNCAST(CTestView, frame->GetActiveView());
    ASSERT_NE(view, nullptr);
    auto* doc = DYNAMIC_DOWNCAST(CTestDoc, frame->GetActiveDocument());
    ASSERT_NE(doc, nullptr);
    EXPECT_EQ(view->GetDocument(), doc);
    EXPECT_EQ(view->GetDlgCtrlID(), static_cast<int>(AFX_IDW_PANE_FIRST));
    EXPECT_EQ(view->GetParent(), frame);
    EXPECT_EQ(view->initialUpdates, 1);
    EXPECT_EQ(doc->GetTitle(), "TestDoc");
    EXPECT_EQ(TextOf(frame->m_hWnd), "TestDoc - KQ test frame");
    // The show state the application chose: the main window stays hidden.
    EXPECT_FALSE(frame->IsWindowVisible());
    EXPECT_EQ(app_->m_nCmdShow, -1);
    EXPECT_EQ(AfxGetMainWnd(), frame);
}

TEST_F(DocView, AFrameMadeVisibleShowsAndFillsItsClientWithTheView) {
    CTestFrame* frame = Start(SW_SHOWNORMAL);
    EXPECT_TRUE(frame->IsWindowVisible());
    CRect client;
    frame->GetClientRect(&client);
    CRect view;
    frame->GetActiveView()->GetWindowRect(&view);
    frame->ScreenToClient(&view);
    EXPECT_EQ(view, client);
}

TEST_F(DocView, CommandsGoViewDocumentFrameApplicationInThatOrder) {
    CTestFrame* frame = Start();
    Route(frame, 900);  // view and application: the view
    Route(frame, 901);  // document and frame: the document
    Route(frame, 902);
    Route(frame, 903);
    EXPECT_EQ(g_routed, (std::vector<std::string>{"view", "doc", "frame", "app"}));

    // The view's update handler passes the item on; the document's decides.
    RecordingCmdUI ui;
    ui.m_nID = 904;
    EXPECT_TRUE(ui.DoUpdate(frame, TRUE));
    EXPECT_EQ(ui.checked, 1);
    EXPECT_EQ(ui.enabled, FALSE);

    // No handler anywhere: disabled when asked to.
    RecordingCmdUI orphan;
    orphan.m_nID = 905;
    EXPECT_FALSE(orphan.DoUpdate(frame, TRUE));
    EXPECT_EQ(orphan.enabled, FALSE);
    RecordingCmdUI handled;
    handled.m_nID = 903;
    handled.DoUpdate(frame, TRUE);
    EXPECT_EQ(handled.enabled, TRUE);

    // A disabled menu command does not run.
    g_routed.clear();
    frame->SendMessage(WM_COMMAND, 904);
    EXPECT_TRUE(g_routed.empty());
}

TEST_F(DocView, TheLayoutGivesBarsTheirStripsAndTheViewTheRest) {
    CTestFrame* frame = Start(SW_SHOWNORMAL);
    CStripBar bar;
    ASSERT_TRUE(bar.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 0, 0), frame,
                           AFX_IDW_CONTROLBAR_FIRST + 40));
    frame->RecalcLayout();
    CRect client;
    frame->GetClientRect(&client);
    CRect barRect;
    bar.GetWindowRect(&barRect);
    frame->ScreenToClient(&barRect);
    EXPECT_EQ(barRect, CRect(0, 0, client.right, 20));
    CRect view;
    frame->GetActiveView()->GetWindowRect(&view);
    frame->ScreenToClient(&view);
    EXPECT_EQ(view, CRect(0, 20, client.right, client.bottom));

    CRect free;
    frame->RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST, CWnd::reposQuery, &free);
    EXPECT_EQ(free, CRect(0, 20, client.right, client.bottom));
}

TEST_F(DocView, TheMessageBarShowsPromptsAndTheIdleMessage) {
    CTestFrame* frame = Start();
    CWnd bar;
    ASSERT_TRUE(bar.Create(nullptr, "", WS_CHILD | WS_VISIBLE, CRect(0, 0, 100, 20), frame,
                           AFX_IDW_STATUS_BAR));
    Pump();  // the idle message posted at creation
    EXPECT_EQ(TextOf(bar.m_hWnd), "Ready");
    frame->SetMessageText(kPromptId);
    EXPECT_EQ(TextOf(bar.m_hWnd), "Saves the values");
    frame->SetMessageText("Measuring...");
    EXPECT_EQ(TextOf(bar.m_hWnd), "Measuring...");
    EXPECT_EQ(frame->m_nIDLastMessage, 0u);
    // A prompt being tracked shows at the next idle update.
    frame->m_nIDTracking = AFX_IDS_IDLEMESSAGE;
    frame->SendMessage(WM_IDLEUPDATECMDUI, TRUE);
    EXPECT_EQ(TextOf(bar.m_hWnd), "Ready");
    bar.DestroyWindow();
}

TEST_F(DocView, ClosingTheMainFrameDeletesEverythingAndEndsTheLoop) {
    CTestFrame* frame = Start(SW_SHOWNORMAL);
    CDocument* doc = frame->GetActiveDocument();
    doc->SetModifiedFlag();
    boxAnswer_ = 2;  // IDCANCEL: the frame stays
    frame->SendMessage(WM_CLOSE);
    ASSERT_EQ(boxes_.size(), 1u);
    EXPECT_EQ(boxes_[0].text, "Save changes to TestDoc?");
    EXPECT_EQ(g_framesAlive, 1);

    boxAnswer_ = 7;  // IDNO
    frame->SendMessage(WM_CLOSE);
    EXPECT_EQ(g_framesAlive, 0);
    EXPECT_EQ(g_viewsAlive, 0);
    EXPECT_EQ(g_docsAlive, 0);
    EXPECT_EQ(app_->m_pMainWnd, nullptr);
    MSG msg;
    EXPECT_TRUE(PeekMessage(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
}

}  // namespace

namespace {

TEST(CommandLine, FlagsAndFilesChooseTheShellCommand) {
    auto parse = [](std::vector<const char*> args) {
        CCommandLineInfo info;
        for (size_t i = 0; i < args.size(); ++i) {
            const char* arg = args[i];
            const BOOL flag = arg[0] == '-' || arg[0] == '/';
            info.ParseParam(flag ? arg + 1 : arg, flag, i + 1 == args.size());
        }
        return info;
    };
    EXPECT_EQ(parse({}).m_nShellCommand, CCommandLineInfo::FileNew);
    // An unknown flag (the restart hand-over) changes nothing.
    EXPECT_EQ(parse({"--Restart"}).m_nShellCommand, CCommandLineInfo::FileNew);
    CCommandLineInfo open = parse({"--Restart", "data.kq"});
    EXPECT_EQ(open.m_nShellCommand, CCommandLineInfo::FileOpen);
    EXPECT_EQ(open.m_strFileName, "data.kq");
    CCommandLineInfo print = parse({"/pt", "data.kq", "printer", "driver", "port"});
    EXPECT_EQ(print.m_nShellCommand, CCommandLineInfo::FilePrintTo);
    EXPECT_EQ(print.m_strPortName, "port");
    EXPECT_EQ(parse({"/P", "data.kq"}).m_nShellCommand, CCommandLineInfo::FileOpen);
    EXPECT_EQ(parse({"-Unregserver"}).m_nShellCommand, CCommandLineInfo::AppUnregister);
}

TEST_F(DocView, AModalStateDisablesTheFrameAndWhatItOwnsUntilTheLastEnd) {
    CTestFrame* frame = Start(SW_SHOWNORMAL);
    CWnd owned;
    ASSERT_TRUE(owned.CreateEx(0, nullptr, "owned", WS_POPUP | WS_VISIBLE, 0, 0, 20, 20,
                               frame->m_hWnd, nullptr));
    HWND stranger = CreateTopLevel(RECT{0, 0, 20, 20});
    frame->BeginModalState();
    frame->BeginModalState();
    EXPECT_FALSE(frame->IsWindowEnabled());
    EXPECT_FALSE(owned.IsWindowEnabled());
    EXPECT_TRUE(IsWindowEnabled(stranger));
    frame->EndModalState();
    EXPECT_FALSE(frame->IsWindowEnabled());
    frame->EndModalState();
    EXPECT_TRUE(frame->IsWindowEnabled());
    EXPECT_TRUE(owned.IsWindowEnabled());
    owned.DestroyWindow();
}

}  // namespace
