// Dialogs of the framework: modal runs with data exchange and validation, modeless pages with
// their controls attached and their notifications handled, the dialog keyboard through the
// application's pre-translation, owner-drawn buttons, form views from templates in a frame, and
// the edit view.
#include <gtest/gtest.h>

#include <deque>
#include <filesystem>
#include <fstream>
#include <functional>

#include "framework/FrameworkTest.h"
#include "platform/base/Resource.h"
#include "platform/ui/Input.h"
#include "platform/ui/ModalLoops.h"
#include "platform/ui/paint/Screenshot.h"

namespace {

using kq::fw::test::FrameworkTest;

constexpr UINT IDD_VALUE = 500;
constexpr UINT IDD_PAGE = 501;
constexpr UINT IDD_FORM = 502;
constexpr UINT IDR_FORMFRAME = 510;
constexpr UINT IDR_EDITFRAME = 511;
constexpr int IDC_VALUE = 1001;
constexpr int IDC_NAME = 1002;
constexpr int IDC_APPLY = 1003;
constexpr int IDC_DRAWN = 1004;
constexpr int IDC_FORMVALUE = 1010;
constexpr int IDC_FORMBUTTON = 1011;
constexpr UINT ID_FORM_SHORTCUT = 41500;

using Ctl = kq::ControlTemplate;
const Ctl kValueControls[] = {
    {"EDIT", "", IDC_VALUE, WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 0, 10,
     10, 60, 12},
    {"EDIT", "", IDC_NAME, WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 0, 10,
     26, 60, 12},
    {"BUTTON", "OK", IDOK, WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, 0, 80, 10, 40,
     14},
    {"BUTTON", "Abbrechen", IDCANCEL, WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 0, 80, 28,
     40, 14},
};
const Ctl kPageControls[] = {
    {"EDIT", "", IDC_NAME, WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 0, 5, 5,
     60, 12},
    {"BUTTON", "&Übernehmen", IDC_APPLY, WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 0, 70,
     5, 50, 14},
    {"BUTTON", "", IDC_DRAWN, WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, 0, 5, 25, 40, 14},
};
const Ctl kFormControls[] = {
    {"EDIT", "", IDC_FORMVALUE, WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP, 0, 5, 5, 60, 12},
    {"BUTTON", "Tara", IDC_FORMBUTTON, WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 0, 70, 5,
     40, 14},
};
const kq::DialogResource kDialogs[] = {
    {kq::ResourceName(static_cast<int>(IDD_VALUE)),
     {WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME,
      0,
      0,
      0,
      130,
      50,
      "Wert",
      {},
      {},
      {},
      kValueControls}},
    {kq::ResourceName(static_cast<int>(IDD_PAGE)),
     {WS_CHILD | DS_CONTROL, 0, 0, 0, 130, 45, "", {}, {}, {}, kPageControls}},
    {kq::ResourceName(static_cast<int>(IDD_FORM)),
     {WS_CHILD, 0, 0, 0, 120, 30, "", {}, {}, {}, kFormControls}},
};
using Accel = kq::AcceleratorEntry;
const Accel kShortcuts[] = {{Accel::VirtKey, VK_F6, ID_FORM_SHORTCUT}};
const kq::AcceleratorResource kAccelerators[] = {
    {kq::ResourceName(static_cast<int>(IDR_FORMFRAME)), {kShortcuts}}};
const kq::StringResource kStrings[] = {
    {IDR_FORMFRAME, "Formular\nMessung"},
    {IDR_EDITFRAME, "Editor\nProtokoll"},
};
const kq::ResourceBundle kBundle{kStrings, kDialogs, {}, kAccelerators, {}};

// A frame whose idle message of a modal run performs scripted steps.
class CScriptFrame : public CFrameWnd {
  public:
    std::deque<std::function<void(CWnd* dialog)>> steps;
    BOOL ownerEnabledDuringRun = TRUE;
    void OnEnterIdle(UINT nWhy, CWnd* pWho) {
        CFrameWnd::OnEnterIdle(nWhy, pWho);
        if (nWhy != MSGF_DIALOGBOX)
            return;
        ownerEnabledDuringRun = IsWindowEnabled();
        if (steps.empty()) {
            ::EndDialog(pWho->m_hWnd, -2);  // a script that ran out must not hang the test
            CDialog* dialog = DYNAMIC_DOWNCAST(CDialog, CWnd::FromHandlePermanent(pWho->m_hWnd));
            if (dialog != nullptr)
                dialog->EndDialog(-2);
            return;
        }
        auto step = std::move(steps.front());
        steps.pop_front();
        step(pWho);
    }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CScriptFrame, CFrameWnd)
ON_WM_ENTERIDLE()
END_MESSAGE_MAP()

class CValueDialog : public CDialog {
  public:
    CValueDialog() : CDialog(IDD_VALUE) {}
    int value = 12;
    CString name = "Kanal A";
    int initDialogs = 0;
    BOOL OnInitDialog() override {
        ++initDialogs;
        return CDialog::OnInitDialog();
    }
    void DoDataExchange(CDataExchange* pDX) override {
        DDX_Text(pDX, IDC_VALUE, value);
        DDV_MinMaxInt(pDX, value, 0, 100);
        DDX_Text(pDX, IDC_NAME, name);
    }
};

// A page that lives inside another window, as the product's pages do inside their view.
class CPage : public CDialog {
  public:
    CEdit nameEdit;
    int applied = 0;
    int changes = 0;
    void DoDataExchange(CDataExchange* pDX) override { DDX_Control(pDX, IDC_NAME, nameEdit); }
    void OnApply() { ++applied; }

    void OnNameChange() { ++changes; }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CPage, CDialog)
ON_BN_CLICKED(IDC_APPLY, &CPage::OnApply)
ON_EN_CHANGE(IDC_NAME, &CPage::OnNameChange)
END_MESSAGE_MAP()

class CDrawnButton : public CButton {
  public:
    int draws = 0;
    void DrawItem(LPDRAWITEMSTRUCT dis) override {
        ++draws;
        ::FillRect(dis->hDC, &dis->rcItem, ::GetSysColorBrush(COLOR_HIGHLIGHT));
    }
};

class Dialogs : public FrameworkTest {
  protected:
    void SetUp() override {
        FrameworkTest::SetUp();
        kq::InstallResources(kBundle);
        app_ = std::make_unique<CWinApp>("DialogApp");
        frame_ = new CScriptFrame;
        ASSERT_TRUE(frame_->Create(nullptr, "Hauptfenster", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                   CRect(10, 10, 500, 400)));
        app_->m_pMainWnd = frame_;
        app_->ConnectToMessageLoop();
        Pump();
    }
    void TearDown() override {
        app_->DisconnectFromMessageLoop();
        if (app_->m_pMainWnd != nullptr && ::IsWindow(app_->m_pMainWnd->m_hWnd))
            app_->m_pMainWnd->DestroyWindow();
        FrameworkTest::TearDown();
        app_.reset();
        kq::UninstallResources(kBundle);
    }
    static void Key(UINT vk, const char* text = nullptr) {
        kq::ui::InjectKey(vk, true, text);
        kq::ui::InjectKey(vk, false);
    }

    std::unique_ptr<CWinApp> app_;
    CScriptFrame* frame_ = nullptr;
};

TEST_F(Dialogs, AModalDialogShowsItsValuesAndGivesBackWhatWasTyped) {
    CValueDialog dialog;
    HWND seen = nullptr;
    frame_->steps.push_back([&](CWnd* dlg) {
        seen = dlg->m_hWnd;
        // Opened centred on its owner.
        CRect placed;
        dlg->GetWindowRect(&placed);
        CRect owner;
        frame_->GetWindowRect(&owner);
        EXPECT_NEAR(placed.CenterPoint().x, owner.CenterPoint().x, 1);
        EXPECT_NEAR(placed.CenterPoint().y, owner.CenterPoint().y, 1);
        EXPECT_EQ(TextOf(::GetDlgItem(dlg->m_hWnd, IDC_VALUE)), "12");
        EXPECT_EQ(TextOf(::GetDlgItem(dlg->m_hWnd, IDC_NAME)), "Kanal A");
        EXPECT_EQ(::GetFocus(), ::GetDlgItem(dlg->m_hWnd, IDC_VALUE));
        EXPECT_TRUE(dlg->IsWindowVisible());
        // The value field has the focus with its text selected: typing replaces it.
        kq::ui::InjectText("42");
        Key(VK_TAB);
        kq::ui::InjectText("B");
        Key(VK_RETURN);
    });
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(dialog.initDialogs, 1);
    EXPECT_EQ(dialog.value, 42);
    EXPECT_EQ(dialog.name, "B");
    EXPECT_FALSE(frame_->ownerEnabledDuringRun);
    EXPECT_TRUE(frame_->IsWindowEnabled());
    EXPECT_EQ(::GetActiveWindow(), frame_->m_hWnd);  // the owner is active again
    EXPECT_FALSE(::IsWindow(seen));
    EXPECT_EQ(dialog.m_hWnd, nullptr);
}

TEST_F(Dialogs, AValueOutOfRangeKeepsTheDialogOpenAndEscapeCancels) {
    CValueDialog dialog;
    frame_->steps.push_back([&](CWnd*) {
        kq::ui::InjectText("500");
        Key(VK_RETURN);
    });
    frame_->steps.push_back([&](CWnd* dlg) {
        // Still open, the message shown, the bad field focused again.
        EXPECT_TRUE(::IsWindow(dlg->m_hWnd));
        EXPECT_EQ(boxes_.size(), 1u);
        EXPECT_EQ(::GetFocus(), ::GetDlgItem(dlg->m_hWnd, IDC_VALUE));
        Key(VK_ESCAPE);
    });
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    ASSERT_EQ(boxes_.size(), 1u);
    EXPECT_EQ(boxes_[0].text, "Please enter an integer between 0 and 100.");
    // What was read before the check failed stays read, as the exchange works field by field.
    EXPECT_EQ(dialog.value, 500);
}

TEST_F(Dialogs, EndingTheThreadsModalLoopsCancelsAModalDialogBeforeWhatWaitsRuns) {
    CValueDialog dialog;
    HWND seen = nullptr;
    bool ranAfterTheDialogWent = false;
    frame_->steps.push_back([&](CWnd* dlg) {
        seen = dlg->m_hWnd;
        kq::ui::AfterModalLoops(
            [&] { ranAfterTheDialogWent = !::IsWindow(seen) && kq::ui::ModalLoopDepth() == 0; },
            true);
    });
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_TRUE(ranAfterTheDialogWent);
    EXPECT_TRUE(frame_->IsWindowEnabled());
}

TEST_F(Dialogs, AMissingTemplateFailsTheRunWithoutTouchingTheOwner) {
    CDialog dialog(4711);
    EXPECT_EQ(dialog.DoModal(), -1);
    EXPECT_TRUE(frame_->IsWindowEnabled());
}

TEST_F(Dialogs, AModelessPageLivesInItsParentWithItsControlsAndNotifications) {
    CWnd host;
    ASSERT_TRUE(
        host.Create(nullptr, "host", WS_CHILD | WS_VISIBLE, CRect(0, 0, 300, 200), frame_, 100));
    CPage page;
    ASSERT_TRUE(page.Create(IDD_PAGE, &host));
    EXPECT_EQ(page.GetParent(), &host);
    EXPECT_TRUE(page.GetStyle() & WS_CHILD);
    EXPECT_EQ(CWnd::FromHandlePermanent(page.m_hWnd), &page);
    page.ShowWindow(SW_SHOW);
    page.UpdateData(FALSE);  // attaches the edit
    ASSERT_EQ(page.nameEdit.m_hWnd, page.GetDlgItem(IDC_NAME)->m_hWnd);

    // The button's click reaches the page's handler; typing in the edit its change handler.
    page.nameEdit.SetFocus();
    kq::ui::InjectText("ab");
    Pump();
    EXPECT_EQ(TextOf(page.nameEdit.m_hWnd), "ab");
    EXPECT_GE(page.changes, 1);
    // Tab moves on to the button (the dialog manager through the pre-translation), Space
    // clicks it.
    Key(VK_TAB);
    Pump();
    EXPECT_EQ(::GetFocus(), page.GetDlgItem(IDC_APPLY)->m_hWnd);
    Key(VK_SPACE, " ");
    Pump();
    EXPECT_EQ(page.applied, 1);

    // An owner-drawn button draws itself through its own object.
    CDrawnButton drawn;
    ASSERT_TRUE(drawn.SubclassDlgItem(IDC_DRAWN, &page));
    drawn.Invalidate();
    Pump();
    EXPECT_GE(drawn.draws, 1);
    CRect rect;
    drawn.GetWindowRect(&rect);
    EXPECT_EQ(kq::ui::GetScreenPixel(rect.CenterPoint().x, rect.CenterPoint().y),
              ::GetSysColor(COLOR_HIGHLIGHT));

    page.DestroyWindow();
    EXPECT_EQ(page.m_hWnd, nullptr);
    EXPECT_EQ(page.nameEdit.m_hWnd, nullptr);
    host.DestroyWindow();
}

// --- form view ---

class CFormDoc : public CDocument {
    DECLARE_DYNCREATE(CFormDoc)
  public:
    int tare = 7;
};
IMPLEMENT_DYNCREATE(CFormDoc, CDocument)

class CValueForm : public CFormView {
    DECLARE_DYNCREATE(CValueForm)
  public:
    CValueForm() : CFormView(IDD_FORM) {}
    int shown = 0;
    int tared = 0;
    void DoDataExchange(CDataExchange* pDX) override {
        if (auto* doc = static_cast<CFormDoc*>(GetDocument()))
            DDX_Text(pDX, IDC_FORMVALUE, doc->tare);
    }
    void OnTare() { ++tared; }
    DECLARE_MESSAGE_MAP()
};
IMPLEMENT_DYNCREATE(CValueForm, CFormView)
BEGIN_MESSAGE_MAP(CValueForm, CFormView)
ON_BN_CLICKED(IDC_FORMBUTTON, &CValueForm::OnTare)
END_MESSAGE_MAP()

class CFormFrame : public CFrameWnd {
    DECLARE_DYNCREATE(CFormFrame)
  public:
    int shortcuts = 0;
    void OnShortcut() { ++shortcuts; }
    DECLARE_MESSAGE_MAP()
};
IMPLEMENT_DYNCREATE(CFormFrame, CFrameWnd)
BEGIN_MESSAGE_MAP(CFormFrame, CFrameWnd)
ON_COMMAND(ID_FORM_SHORTCUT, &CFormFrame::OnShortcut)
END_MESSAGE_MAP()

TEST_F(Dialogs, AFormViewIsItsTemplateInsideTheFrame) {
    // Not the main window any more, so destroying it does not end the application.
    app_->m_pMainWnd = nullptr;
    frame_->DestroyWindow();
    app_->AddDocTemplate(new CSingleDocTemplate(IDR_FORMFRAME, RUNTIME_CLASS(CFormDoc),
                                                RUNTIME_CLASS(CFormFrame),
                                                RUNTIME_CLASS(CValueForm)));
    app_->m_nCmdShow = SW_SHOWNORMAL;
    CCommandLineInfo info;
    ASSERT_TRUE(app_->ProcessShellCommand(info));
    auto* frame = DYNAMIC_DOWNCAST(CFormFrame, app_->m_pMainWnd);
    ASSERT_NE(frame, nullptr);
    auto* form = DYNAMIC_DOWNCAST(CValueForm, frame->GetActiveView());
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(form->GetDlgCtrlID(), static_cast<int>(AFX_IDW_PANE_FIRST));
    EXPECT_TRUE(form->GetStyle() & WS_CHILD);
    EXPECT_FALSE(form->GetStyle() & WS_CAPTION);
    EXPECT_EQ(form->GetDocument(), frame->GetActiveDocument());
    // The first update filled the controls from the document.
    EXPECT_EQ(TextOf(form->GetDlgItem(IDC_FORMVALUE)->m_hWnd), "7");
    // The form fills the frame's client area.
    CRect client;
    frame->GetClientRect(&client);
    CRect view;
    form->GetWindowRect(&view);
    frame->ScreenToClient(&view);
    EXPECT_EQ(view, client);

    // The form's button reaches its handler; keys in its controls still reach the frame's
    // shortcuts, and Tab moves between its controls.
    form->GetDlgItem(IDC_FORMVALUE)->SetFocus();
    Key(VK_F6);
    Pump();
    EXPECT_EQ(frame->shortcuts, 1);
    Key(VK_TAB);
    Pump();
    EXPECT_EQ(::GetFocus(), form->GetDlgItem(IDC_FORMBUTTON)->m_hWnd);
    Key(VK_SPACE, " ");
    Pump();
    EXPECT_EQ(form->tared, 1);
    // Disabled, the button passes the focus on to the next tab stop: the shortcuts still work.
    form->GetDlgItem(IDC_FORMBUTTON)->EnableWindow(FALSE);
    EXPECT_EQ(::GetFocus(), form->GetDlgItem(IDC_FORMVALUE)->m_hWnd);
    Key(VK_F6);
    Pump();
    EXPECT_EQ(frame->shortcuts, 2);

    // Typed values go to the document.
    form->GetDlgItem(IDC_FORMVALUE)->SetWindowText("9");
    EXPECT_TRUE(form->UpdateData(TRUE));
    EXPECT_EQ(static_cast<CFormDoc*>(form->GetDocument())->tare, 9);
}

// --- edit view ---

class CLogDoc : public CDocument {
    DECLARE_DYNCREATE(CLogDoc)
};
IMPLEMENT_DYNCREATE(CLogDoc, CDocument)

TEST_F(Dialogs, AnEditViewIsAnEditControlWhoseChangesMarkTheDocument) {
    // Not the main window any more, so destroying it does not end the application.
    app_->m_pMainWnd = nullptr;
    frame_->DestroyWindow();
    app_->AddDocTemplate(new CSingleDocTemplate(
        IDR_EDITFRAME, RUNTIME_CLASS(CLogDoc), RUNTIME_CLASS(CFrameWnd), RUNTIME_CLASS(CEditView)));
    app_->m_nCmdShow = SW_SHOWNORMAL;
    CCommandLineInfo info;
    ASSERT_TRUE(app_->ProcessShellCommand(info));
    auto* frame = DYNAMIC_DOWNCAST(CFrameWnd, app_->m_pMainWnd);
    ASSERT_NE(frame, nullptr);
    auto* view = DYNAMIC_DOWNCAST(CEditView, frame->GetActiveView());
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(view->GetEditCtrl().m_hWnd, view->m_hWnd);
    EXPECT_TRUE(view->GetStyle() & ES_MULTILINE);
    EXPECT_FALSE(view->GetDocument()->IsModified());

    view->SetFocus();
    kq::ui::InjectText("Messung 1");
    Key(VK_RETURN);
    kq::ui::InjectText("Messung 2");
    Pump();
    EXPECT_TRUE(view->GetDocument()->IsModified());
    EXPECT_EQ(view->GetBufferLength(), std::string("Messung 1\r\nMessung 2").size());
    EXPECT_EQ(view->GetEditCtrl().GetLineCount(), 2);

    // Printing prints its lines on one page.
    const std::string pdf = folder_.Path() + "/log.pdf";
    kq::gfx::PrinterSettings settings;
    settings.file = pdf;
    settings.dpi = 50;
    kq::fw::SetDefaultPrinterSettings(settings);
    CPrintInfo printInfo;
    printInfo.m_bDirect = TRUE;
    ASSERT_TRUE(view->OnPreparePrinting(&printInfo));
    CDC dc;
    dc.Attach(printInfo.DetachPrinterDC());
    view->OnBeginPrinting(&dc, &printInfo);
    EXPECT_EQ(printInfo.GetMaxPage(), 1u);
    view->OnEndPrinting(&dc, &printInfo);
    kq::fw::SetDefaultPrinterSettings({});
}

}  // namespace
