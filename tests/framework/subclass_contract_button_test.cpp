// Buttons that the program takes over on a dialog page: turned owner-drawn in
// PreSubclassWindow and drawn through DrawItem, kept owner-drawn when the dialog manager moves the
// default, coloured through the reflected WM_CTLCOLOR, running their own timers, and a button
// made by Create that owns an edit child, its notifications and the Enter key typed in it.
#include <gtest/gtest.h>

#include <vector>

#include "framework/FrameworkTest.h"
#include "platform/base/Resource.h"
#include "platform/ui/paint/Screenshot.h"

namespace {

using kq::fw::test::FrameworkTest;

constexpr UINT IDD_LEDPAGE = 620;
constexpr int IDC_LED = 2001;
constexpr int IDC_LEDEDIT = 2002;
constexpr int IDC_OTHER = 2003;
constexpr int IDC_BROWSE = 2004;
constexpr int IDC_INNEREDIT = 2010;

using Ctl = kq::ControlTemplate;
const Ctl kLedControls[] = {
    {"BUTTON", "Messen", IDC_LED, WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON | BS_LEFTTEXT,
     0, 5, 5, 60, 14},
    {"EDIT", "", IDC_LEDEDIT, WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 0, 5,
     25, 60, 12},
    {"BUTTON", "Andere", IDC_OTHER, WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, 0, 70, 5,
     50, 14},
};
const kq::DialogResource kDialogs[] = {
    {kq::ResourceName(static_cast<int>(IDD_LEDPAGE)),
     {WS_CHILD | DS_CONTROL | DS_SETFONT,
      0,
      0,
      0,
      150,
      60,
      "",
      {8, "MS Sans Serif"},
      {},
      {},
      kLedControls}},
};
const kq::ResourceBundle kBundle{{}, kDialogs, {}, {}, {}};

// Takes a push button over and draws it itself, as a status indicator button does.
class CIndicatorButton : public CButton {
  public:
    static constexpr UINT_PTR kReturnTimer = 77;

    bool attachedInPreSubclass = false;
    DWORD styleSeenInPreSubclass = 0;
    std::vector<DRAWITEMSTRUCT> draws;
    std::vector<CString> textsWhenDrawn;
    std::vector<HGDIOBJ> fontsWhenDrawn;
    std::vector<UINT> styleRequests;
    int ctlColors = 0;
    std::vector<UINT_PTR> timers;
    int destroys = 0;

    void PreSubclassWindow() override {
        attachedInPreSubclass = CWnd::FromHandlePermanent(m_hWnd) == this;
        ModifyStyle(BS_TYPEMASK, BS_OWNERDRAW, SWP_FRAMECHANGED);
        styleSeenInPreSubclass = GetStyle();
        CButton::PreSubclassWindow();
    }
    void DrawItem(LPDRAWITEMSTRUCT dis) override {
        draws.push_back(*dis);
        CString text;
        GetWindowText(text);
        textsWhenDrawn.push_back(text);
        fontsWhenDrawn.push_back(::GetCurrentObject(dis->hDC, OBJ_FONT));
        ::FillRect(dis->hDC, &dis->rcItem, ::GetSysColorBrush(COLOR_HIGHLIGHT));
    }
    LRESULT OnSetStyle(WPARAM wParam, LPARAM lParam) {
        styleRequests.push_back(static_cast<UINT>(wParam));
        return DefWindowProc(BM_SETSTYLE,
                             (wParam & ~static_cast<WPARAM>(BS_TYPEMASK)) | BS_OWNERDRAW, lParam);
    }
    HBRUSH CtlColor(CDC*, UINT) {
        ++ctlColors;
        return static_cast<HBRUSH>(::GetStockObject(NULL_BRUSH));
    }
    void OnTimer(UINT_PTR id) {
        if (id == kReturnTimer) {
            timers.push_back(id);
            KillTimer(id);
            return;
        }
        CButton::OnTimer(id);
    }
    void OnDestroy() {
        ++destroys;
        CButton::OnDestroy();
        KillTimer(kReturnTimer);
    }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CIndicatorButton, CButton)
ON_MESSAGE(BM_SETSTYLE, &CIndicatorButton::OnSetStyle)
ON_WM_CTLCOLOR_REFLECT()
ON_WM_TIMER()
ON_WM_DESTROY()
END_MESSAGE_MAP()

// A page that watches what reaches it from its controls.
class CIndicatorPage : public CDialog {
  public:
    int parentDraws = 0;
    int parentCtlColors = 0;
    HBRUSH lastBrush = nullptr;
    int clicks = 0;
    int oks = 0;

    void OnDrawItem(int id, LPDRAWITEMSTRUCT dis) {
        ++parentDraws;
        CDialog::OnDrawItem(id, dis);
    }
    HBRUSH OnCtlColor(CDC* dc, CWnd* wnd, UINT type) {
        ++parentCtlColors;
        lastBrush = CDialog::OnCtlColor(dc, wnd, type);
        return lastBrush;
    }
    void OnBrowseClicked() { ++clicks; }
    void OnOK() override { ++oks; }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CIndicatorPage, CDialog)
ON_WM_DRAWITEM()
ON_WM_CTLCOLOR()
ON_BN_CLICKED(IDC_BROWSE, &CIndicatorPage::OnBrowseClicked)
END_MESSAGE_MAP()

// A button made by Create that puts an edit inside itself and keeps Enter for itself.
class CPickerButton : public CButton {
  public:
    CEdit edit;
    int preSubclassCalls = 0;
    bool createdYetInPreSubclass = true;
    CWnd* parentInPreSubclass = nullptr;
    int idInPreSubclass = 0;
    int creates = 0;
    int changes = 0;
    int enters = 0;
    CWnd* focusCameFrom = reinterpret_cast<CWnd*>(1);

    void PreSubclassWindow() override {
        ++preSubclassCalls;
        createdYetInPreSubclass = creates != 0;
        parentInPreSubclass = GetParent();
        idInPreSubclass = GetDlgCtrlID();
        CButton::PreSubclassWindow();
    }
    int OnCreate(LPCREATESTRUCT cs) {
        ++creates;
        return CButton::OnCreate(cs);
    }
    BOOL MakeEdit() {
        CRect client;
        GetClientRect(&client);
        client.right -= 20;
        if (!edit.Create(WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, client, this, IDC_INNEREDIT))
            return FALSE;
        edit.SetFont(GetFont());
        return TRUE;
    }
    BOOL PreTranslateMessage(MSG* msg) override {
        if (msg->message == WM_KEYDOWN && msg->wParam == VK_RETURN) {
            ++enters;
            return TRUE;
        }
        return CButton::PreTranslateMessage(msg);
    }
    void OnSetFocus(CWnd* old) {
        focusCameFrom = old;
        CButton::OnSetFocus(old);
        if (old != &edit)
            edit.SetFocus();
    }
    void OnChangeEdit() { ++changes; }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CPickerButton, CButton)
ON_WM_CREATE()
ON_WM_SETFOCUS()
ON_EN_CHANGE(IDC_INNEREDIT, &CPickerButton::OnChangeEdit)
END_MESSAGE_MAP()

class SubclassedButtons : public FrameworkTest {
  protected:
    void SetUp() override {
        FrameworkTest::SetUp();
        kq::InstallResources(kBundle);
        app_ = std::make_unique<CWinApp>("ButtonApp");
        frame_ = new CFrameWnd;
        ASSERT_TRUE(frame_->Create(nullptr, "Haupt", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                   CRect(10, 10, 500, 400)));
        app_->m_pMainWnd = frame_;
        app_->ConnectToMessageLoop();
        ASSERT_TRUE(page_.Create(IDD_LEDPAGE, frame_));
        page_.ShowWindow(SW_SHOW);
        Pump();
    }
    void TearDown() override {
        if (::IsWindow(page_.m_hWnd))
            page_.DestroyWindow();
        app_->DisconnectFromMessageLoop();
        if (app_->m_pMainWnd != nullptr && ::IsWindow(app_->m_pMainWnd->m_hWnd))
            app_->m_pMainWnd->DestroyWindow();
        FrameworkTest::TearDown();
        app_.reset();
        kq::UninstallResources(kBundle);
    }

    std::unique_ptr<CWinApp> app_;
    CFrameWnd* frame_ = nullptr;
    CIndicatorPage page_;
};

TEST_F(SubclassedButtons, ATakenOverButtonTurnsOwnerDrawnAndDrawsThroughItsObject) {
    CIndicatorButton led;
    ASSERT_TRUE(led.SubclassDlgItem(IDC_LED, &page_));
    EXPECT_TRUE(led.attachedInPreSubclass);
    EXPECT_EQ(led.styleSeenInPreSubclass & BS_TYPEMASK, static_cast<DWORD>(BS_OWNERDRAW));
    EXPECT_TRUE(led.styleSeenInPreSubclass & BS_LEFTTEXT);
    EXPECT_EQ(page_.GetDlgItem(IDC_LED), &led);

    led.Invalidate();
    led.UpdateWindow();
    ASSERT_FALSE(led.draws.empty());
    const DRAWITEMSTRUCT& first = led.draws.back();
    EXPECT_EQ(first.CtlType, static_cast<UINT>(ODT_BUTTON));
    EXPECT_EQ(first.CtlID, static_cast<UINT>(IDC_LED));
    EXPECT_EQ(first.hwndItem, led.m_hWnd);
    EXPECT_EQ(first.itemAction, static_cast<UINT>(ODA_DRAWENTIRE));
    EXPECT_FALSE(first.itemState & ODS_DISABLED);
    CRect client;
    led.GetClientRect(&client);
    EXPECT_EQ(CRect(first.rcItem), client);
    EXPECT_EQ(led.textsWhenDrawn.back(), "Messen");
    // It draws with its own font (the page's) already selected.
    ASSERT_NE(led.GetFont(), nullptr);
    EXPECT_EQ(led.fontsWhenDrawn.back(), led.GetFont()->m_hObject);
    // The page saw the message first; its base handler passed it on to the button.
    EXPECT_GE(page_.parentDraws, 1);
    // The button asked its parent for its colours before drawing; the reflected handler's
    // brush is what the page's base handler answered.
    EXPECT_GE(led.ctlColors, 1);
    EXPECT_EQ(page_.lastBrush, static_cast<HBRUSH>(::GetStockObject(NULL_BRUSH)));

    led.EnableWindow(FALSE);
    led.UpdateWindow();
    EXPECT_TRUE(led.draws.back().itemState & ODS_DISABLED);
    led.EnableWindow(TRUE);
    led.SetFocus();
    led.UpdateWindow();
    EXPECT_TRUE(led.draws.back().itemState & ODS_FOCUS);

    CRect window;
    led.GetWindowRect(&window);
    EXPECT_EQ(kq::ui::GetScreenPixel(window.CenterPoint().x, window.CenterPoint().y),
              ::GetSysColor(COLOR_HIGHLIGHT));
}

TEST_F(SubclassedButtons, MovingTheDefaultButtonKeepsItOwnerDrawn) {
    CIndicatorButton led;
    ASSERT_TRUE(led.SubclassDlgItem(IDC_LED, &page_));
    // Focus on a push button makes it the default one: the dialog manager restyles it.
    page_.GetDlgItem(IDC_LEDEDIT)->SetFocus();
    led.SetFocus();
    Pump();
    page_.GetDlgItem(IDC_LEDEDIT)->SetFocus();
    Pump();
    EXPECT_FALSE(led.styleRequests.empty());
    EXPECT_EQ(led.GetStyle() & BS_TYPEMASK, static_cast<DWORD>(BS_OWNERDRAW));
    led.SendMessage(BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
    EXPECT_EQ(led.styleRequests.back(), static_cast<UINT>(BS_DEFPUSHBUTTON));
    EXPECT_EQ(led.GetStyle() & BS_TYPEMASK, static_cast<DWORD>(BS_OWNERDRAW));
    // An owner-drawn button stays a push button for the dialog keyboard.
    EXPECT_TRUE(led.SendMessage(WM_GETDLGCODE) & DLGC_BUTTON);
}

TEST_F(SubclassedButtons, AButtonRunsItsOwnTimersAndLeavesOthersToTheControl) {
    CIndicatorButton led;
    ASSERT_TRUE(led.SubclassDlgItem(IDC_LED, &page_));
    EXPECT_EQ(led.SetTimer(CIndicatorButton::kReturnTimer, 150), CIndicatorButton::kReturnTimer);
    EXPECT_EQ(led.SetTimer(78, 40), 78u);
    Advance(100, 10);
    EXPECT_TRUE(led.timers.empty());
    Advance(60, 10);
    ASSERT_EQ(led.timers.size(), 1u);
    Advance(400, 10);
    EXPECT_EQ(led.timers.size(), 1u);  // killed in the handler
    EXPECT_TRUE(led.KillTimer(78));

    // Unsubclassing gives the window back; the object no longer sees its messages.
    const HWND hwnd = led.m_hWnd;
    EXPECT_EQ(led.UnsubclassWindow(), hwnd);
    EXPECT_EQ(CWnd::FromHandlePermanent(hwnd), nullptr);
    ::InvalidateRect(hwnd, nullptr, TRUE);
    const size_t drawsBefore = led.draws.size();
    ::UpdateWindow(hwnd);
    EXPECT_EQ(led.draws.size(), drawsBefore);
    EXPECT_EQ(led.destroys, 0);
}

TEST_F(SubclassedButtons, DestroyingThePageStopsTheButtonsTimerInItsDestroyHandler) {
    CIndicatorButton led;
    ASSERT_TRUE(led.SubclassDlgItem(IDC_LED, &page_));
    led.SetTimer(CIndicatorButton::kReturnTimer, 150);
    page_.DestroyWindow();
    EXPECT_EQ(led.destroys, 1);
    EXPECT_EQ(led.m_hWnd, nullptr);
    Advance(300, 10);
    EXPECT_TRUE(led.timers.empty());
}

TEST_F(SubclassedButtons, AButtonMadeByCreateOwnsItsEditItsNotificationsAndEnter) {
    CPickerButton picker;
    ASSERT_TRUE(picker.Create("Suchen", WS_CHILD | WS_VISIBLE | WS_TABSTOP, CRect(10, 60, 210, 84),
                              &page_, IDC_BROWSE));
    // PreSubclassWindow comes once, before WM_CREATE, with the parent and id already known.
    EXPECT_EQ(picker.preSubclassCalls, 1);
    EXPECT_FALSE(picker.createdYetInPreSubclass);
    EXPECT_EQ(picker.creates, 1);
    EXPECT_EQ(picker.parentInPreSubclass, &page_);
    EXPECT_EQ(picker.idInPreSubclass, IDC_BROWSE);
    // A button made by Create has no font of its own until it is given one.
    EXPECT_EQ(picker.GetFont(), nullptr);
    picker.SetFont(page_.GetFont());
    ASSERT_TRUE(picker.MakeEdit());
    EXPECT_EQ(picker.edit.GetParent(), &picker);
    ASSERT_NE(picker.edit.GetFont(), nullptr);
    EXPECT_EQ(picker.edit.GetFont()->m_hObject, page_.GetFont()->m_hObject);

    // Focus given to the button goes on to the edit; the button learns where it came from.
    page_.GetDlgItem(IDC_LEDEDIT)->SetFocus();
    picker.SetFocus();
    EXPECT_EQ(CWnd::GetFocus(), &picker.edit);
    EXPECT_EQ(picker.focusCameFrom, page_.GetDlgItem(IDC_LEDEDIT));

    // The edit's changes go to the button, its parent, not to the page.
    Type("C:\\Daten");
    EXPECT_EQ(picker.edit.GetWindowTextLength(), 8);
    EXPECT_GE(picker.changes, 8);

    // Enter typed in the edit passes the button's pre-translation before the page's dialog
    // keyboard, which would otherwise take it as OK.
    KeyPress(VK_RETURN);
    EXPECT_EQ(picker.enters, 1);
    EXPECT_EQ(page_.oks, 0);

    // A click reported with no control handle still reaches the page's click handler.
    page_.PostMessage(WM_COMMAND, MAKEWPARAM(IDC_BROWSE, BN_CLICKED), 0);
    Pump();
    EXPECT_EQ(page_.clicks, 1);
}

}  // namespace
