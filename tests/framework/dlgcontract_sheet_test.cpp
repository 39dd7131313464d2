// A property window built the way the chart's is: a modeless dialog with a tab control whose
// pages are child dialogs of the tab control itself. The pages are made on the first show,
// switched on TCN_SELCHANGE, keep Enter and Escape to themselves, and reach the window that holds
// them through their ancestors; their spins, pickers and owner-drawn buttons work inside the tab.
#include <gtest/gtest.h>

#include "framework/FrameworkTest.h"
#include "platform/base/Resource.h"
#include "platform/framework/commctrl/DateTimeCtrl.h"
#include "platform/framework/commctrl/SpinButtonCtrl.h"
#include "platform/framework/commctrl/TabCtrl.h"
#include "platform/ui/Input.h"
#include "platform/ui/commctrl/InitCommonControls.h"
#include "platform/ui/paint/Screenshot.h"

namespace {

using kq::fw::test::FrameworkTest;

constexpr UINT IDD_SHEET = 5000;
constexpr UINT IDD_CHART = 5011;
constexpr UINT IDD_AXIS = 5007;
constexpr int IDC_TAB = 6073;
constexpr int IDC_APPLY = 5002;
constexpr int IDC_LEGEND = 6050;
constexpr int IDC_RADIUS = 6075;
constexpr int IDC_RADIUS_SPIN = 6074;
constexpr int IDC_BACKCOLOR = 6047;
constexpr int IDC_MINDATE = 6025;
constexpr int IDC_MINTIME = 6026;
constexpr int IDC_AXISCOLOR = 6007;
constexpr COLORREF kChartSwatch = RGB(200, 0, 0);
constexpr COLORREF kAxisSwatch = RGB(0, 0, 200);

using Ctl = kq::ControlTemplate;
constexpr DWORD kChild = WS_CHILD | WS_VISIBLE;
const Ctl kSheetControls[] = {
    {WC_TABCONTROL, "", IDC_TAB, kChild | WS_TABSTOP, 0, 4, 4, 212, 150},
};
const Ctl kChartControls[] = {
    {"BUTTON", "", IDC_BACKCOLOR, kChild | WS_TABSTOP | BS_OWNERDRAW, 0, 5, 5, 40, 14},
    {"BUTTON", "IDC_CBSHOWLEGEND", IDC_LEGEND, kChild | WS_TABSTOP | BS_AUTOCHECKBOX, 0, 5, 24, 80,
     10},
    {"EDIT", "", IDC_RADIUS, kChild | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 0, 5, 40, 40, 12},
    {UPDOWN_CLASS, "", IDC_RADIUS_SPIN,
     kChild | UDS_AUTOBUDDY | UDS_SETBUDDYINT | UDS_ALIGNRIGHT | UDS_ARROWKEYS, 0, 0, 0, 10, 12},
    {"BUTTON", "OK", IDOK, kChild | WS_TABSTOP, 0, 5, 80, 40, 14},
    {"BUTTON", "Cancel", IDCANCEL, kChild | WS_TABSTOP, 0, 50, 80, 40, 14},
    {"BUTTON", "Apply", IDC_APPLY, kChild | WS_TABSTOP | WS_DISABLED, 0, 95, 80, 40, 14},
};
const Ctl kAxisControls[] = {
    {"BUTTON", "", IDC_AXISCOLOR, kChild | WS_TABSTOP | BS_OWNERDRAW, 0, 5, 5, 40, 14},
    {DATETIMEPICK_CLASS, "", IDC_MINDATE, kChild | WS_TABSTOP | DTS_SHORTDATEFORMAT, 0, 5, 24, 70,
     12},
    {DATETIMEPICK_CLASS, "", IDC_MINTIME, kChild | WS_TABSTOP | DTS_TIMEFORMAT, 0, 80, 24, 60, 12},
    {"BUTTON", "Apply", IDC_APPLY, kChild | WS_TABSTOP | WS_DISABLED, 0, 95, 80, 40, 14},
};
const kq::DialogResource kDialogs[] = {
    {kq::ResourceName(static_cast<int>(IDD_SHEET)),
     {WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME,
      0,
      0,
      0,
      220,
      160,
      "XGraph-Properties",
      {},
      {},
      {},
      kSheetControls}},
    {kq::ResourceName(static_cast<int>(IDD_CHART)),
     {WS_CHILD | WS_CAPTION, 0, 0, 0, 180, 100, "", {}, {}, {}, kChartControls}},
    {kq::ResourceName(static_cast<int>(IDD_AXIS)),
     {WS_CHILD | WS_CAPTION, 0, 0, 0, 180, 100, "", {}, {}, {}, kAxisControls}},
};
const kq::ResourceBundle kBundle{{}, kDialogs, {}, {}, {}};

class CSwatchButton : public CButton {
  public:
    explicit CSwatchButton(COLORREF color) : color_(color) {}
    int draws = 0;
    void DrawItem(LPDRAWITEMSTRUCT dis) override {
        ++draws;
        HBRUSH brush = ::CreateSolidBrush(color_);
        ::FillRect(dis->hDC, &dis->rcItem, brush);
        ::DeleteObject(brush);
    }

  private:
    COLORREF color_;
};

// The first ancestor that is no child window: the window that holds the tab control.
CDialog* HolderOf(CWnd* page) {
    CWnd* w = page->GetParent();
    while (w != nullptr && (w->GetStyle() & WS_CHILD))
        w = w->GetParent();
    return DYNAMIC_DOWNCAST(CDialog, w);
}

// What every page shares: Enter and Escape stay in the page; OK and Cancel go to the holder.
class CTabPage : public CDialog {
  public:
    int changes = 0;
    int applies = 0;
    BOOL PreTranslateMessage(MSG* pMsg) override {
        if ((pMsg->message == WM_KEYDOWN || pMsg->message == WM_KEYUP) &&
            (pMsg->wParam == VK_ESCAPE || pMsg->wParam == VK_RETURN))
            return TRUE;
        return CDialog::PreTranslateMessage(pMsg);
    }
    void OnOK() override {
        OnApply();
        HolderOf(this)->OnOK();
    }
    void OnCancel() override { HolderOf(this)->OnCancel(); }
    void OnApply() {
        UpdateData(TRUE);
        ++applies;
        GetDlgItem(IDC_APPLY)->EnableWindow(FALSE);
    }
    void Changed() {
        if (m_hWnd == nullptr || !IsWindowVisible() || !UpdateData(TRUE))
            return;
        ++changes;
        GetDlgItem(IDC_APPLY)->EnableWindow(TRUE);
    }
};

class CChartPage : public CTabPage {
  public:
    CSpinButtonCtrl spin;
    CSwatchButton back{kChartSwatch};
    int legend = 0;
    int radius = 5;
    int drawItems = 0;
    void DoDataExchange(CDataExchange* pDX) override {
        DDX_Control(pDX, IDC_RADIUS_SPIN, spin);
        DDX_Control(pDX, IDC_BACKCOLOR, back);
        DDX_Check(pDX, IDC_LEGEND, legend);
        DDX_Text(pDX, IDC_RADIUS, radius);
        DDV_MinMaxInt(pDX, radius, 0, 100);
    }
    BOOL OnInitDialog() override {
        CDialog::OnInitDialog();
        spin.SetRange(0, 100);
        UpdateData(FALSE);
        return TRUE;
    }
    // The page draws owner-drawn lists of its own; everything else goes to the base.
    void OnDrawItem(int nIDCtl, LPDRAWITEMSTRUCT dis) {
        ++drawItems;
        CDialog::OnDrawItem(nIDCtl, dis);
    }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CChartPage, CTabPage)
ON_BN_CLICKED(IDC_LEGEND, &CChartPage::Changed)
ON_EN_CHANGE(IDC_RADIUS, &CChartPage::Changed)
ON_BN_CLICKED(IDC_APPLY, &CChartPage::OnApply)
ON_WM_DRAWITEM()
END_MESSAGE_MAP()

class CAxisPage : public CTabPage {
  public:
    CSwatchButton axis{kAxisSwatch};
    CDateTimeCtrl datePicker;
    CDateTimeCtrl timePicker;
    COleDateTime minDate{2024, 1, 31, 0, 0, 0};
    COleDateTime minTime{2024, 1, 31, 13, 45, 0};
    void DoDataExchange(CDataExchange* pDX) override {
        DDX_Control(pDX, IDC_AXISCOLOR, axis);
        DDX_Control(pDX, IDC_MINDATE, datePicker);
        DDX_Control(pDX, IDC_MINTIME, timePicker);
        DDX_DateTimeCtrl(pDX, IDC_MINDATE, minDate);
        DDX_DateTimeCtrl(pDX, IDC_MINTIME, minTime);
    }
    void OnPickerChange(NMHDR*, LRESULT* result) {
        Changed();
        *result = 0;
    }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CAxisPage, CTabPage)
ON_NOTIFY(DTN_DATETIMECHANGE, IDC_MINDATE, &CAxisPage::OnPickerChange)
ON_NOTIFY(DTN_DATETIMECHANGE, IDC_MINTIME, &CAxisPage::OnPickerChange)
ON_BN_CLICKED(IDC_APPLY, &CAxisPage::OnApply)
END_MESSAGE_MAP()

class CSheet : public CDialog {
  public:
    CSheet() : CDialog(IDD_SHEET) {}
    ~CSheet() override {
        delete chart;
        delete axis;
    }
    CTabCtrl tab;
    CChartPage* chart = nullptr;
    CAxisPage* axis = nullptr;
    int shows = 0;
    int selChanges = 0;
    int oks = 0;

    CDialog* Page(int i) const {
        if (i == 0)
            return chart;
        return i == 1 ? axis : nullptr;
    }
    void DoDataExchange(CDataExchange* pDX) override { DDX_Control(pDX, IDC_TAB, tab); }
    void OnOK() override {
        ++oks;
        ShowWindow(SW_HIDE);
    }
    void OnCancel() override { ShowWindow(SW_HIDE); }
    void Bring(CDialog* page, const CWnd* after) {
        page->SetWindowPos(after, 8, 25, 0, 0, SWP_NOSIZE | (after ? 0 : SWP_NOZORDER));
        page->ShowWindow(SW_SHOW);
        page->EnableWindow(TRUE);
        page->ModifyStyle(WS_CAPTION, 0);
    }
    void OnShowWindow(BOOL bShow, UINT nStatus) {
        if (bShow) {
            ++shows;
            if (chart == nullptr) {
                chart = new CChartPage;
                chart->Create(IDD_CHART, &tab);
            }
            if (axis == nullptr) {
                axis = new CAxisPage;
                axis->Create(IDD_AXIS, &tab);
            }
            tab.DeleteAllItems();
            for (int i = 0; i < 2; ++i) {
                CString text;
                Page(i)->GetWindowText(text);
                TCITEM item{};
                item.mask = TCIF_TEXT | TCIF_PARAM;
                item.pszText = text.GetBuffer();
                item.lParam = reinterpret_cast<LPARAM>(Page(i));
                tab.InsertItem(i, &item);
                text.ReleaseBuffer();
            }
            axis->ShowWindow(SW_HIDE);
            Bring(chart, nullptr);
            tab.SetCurSel(0);
        }
        CDialog::OnShowWindow(bShow, nStatus);
    }
    void OnSelChange(NMHDR*, LRESULT* result) {
        ++selChanges;
        for (int i = 0; i < 2; ++i) {
            Page(i)->ShowWindow(SW_HIDE);
            Page(i)->EnableWindow(FALSE);
        }
        if (CDialog* page = Page(tab.GetCurSel()))
            Bring(page, &CWnd::wndTop);
        *result = 0;
    }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CSheet, CDialog)
ON_WM_SHOWWINDOW()
ON_NOTIFY(TCN_SELCHANGE, IDC_TAB, &CSheet::OnSelChange)
END_MESSAGE_MAP()

class TabbedPages : public FrameworkTest {
  protected:
    void SetUp() override {
        FrameworkTest::SetUp();
        InitCommonControls();
        kq::InstallResources(kBundle);
        app_ = std::make_unique<CWinApp>("SheetApp");
        frame_ = new CFrameWnd;
        ASSERT_TRUE(frame_->Create(nullptr, "Diagramm", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                   CRect(10, 10, 600, 500)));
        app_->m_pMainWnd = frame_;
        app_->ConnectToMessageLoop();
        Pump();
    }
    void TearDown() override {
        app_->DisconnectFromMessageLoop();
        if (::IsWindow(frame_->GetSafeHwnd()))
            frame_->DestroyWindow();
        FrameworkTest::TearDown();
        app_.reset();
        kq::UninstallResources(kBundle);
    }
    void Click(HWND hwnd, CPoint at) {
        ::ClientToScreen(hwnd, &at);
        kq::ui::InjectMouseButton(at, VK_LBUTTON, true);
        kq::ui::InjectMouseButton(at, VK_LBUTTON, false);
        Pump();
    }
    void ClickTab(CTabCtrl& tab, int i) {
        CRect rc;
        ASSERT_TRUE(tab.GetItemRect(i, &rc));
        Click(tab.m_hWnd, rc.CenterPoint());
    }
    void Key(UINT vk) {
        kq::ui::InjectKey(vk, true);
        kq::ui::InjectKey(vk, false);
        Pump();
    }
    // A click in the middle of a dialog item.
    void ClickItem(CDialog& page, int id) {
        HWND item = ::GetDlgItem(page.m_hWnd, id);
        RECT rc{};
        ::GetClientRect(item, &rc);
        Click(item, CRect(rc).CenterPoint());
    }
    static COLORREF ScreenCentre(CWnd* wnd) {
        CRect rc;
        wnd->GetWindowRect(&rc);
        return kq::ui::GetScreenPixel(rc.CenterPoint().x, rc.CenterPoint().y);
    }

    std::unique_ptr<CWinApp> app_;
    CFrameWnd* frame_ = nullptr;
};

TEST_F(TabbedPages, ShowingBuildsTheTabsAndTheSelectionSwitchesThePage) {
    CSheet sheet;
    ASSERT_TRUE(sheet.Create(IDD_SHEET, frame_));
    EXPECT_FALSE(sheet.IsWindowVisible());
    EXPECT_EQ(sheet.chart, nullptr);  // nothing is made before the first show
    sheet.ShowWindow(SW_SHOW);
    Pump();
    ASSERT_EQ(sheet.shows, 1);
    ASSERT_NE(sheet.chart, nullptr);
    EXPECT_EQ(sheet.chart->GetParent(), &sheet.tab);
    EXPECT_EQ(sheet.tab.GetItemCount(), 2);
    char text[32] = "x";
    TCITEM item{};
    item.mask = TCIF_TEXT | TCIF_PARAM;
    item.pszText = text;
    item.cchTextMax = sizeof text;
    ASSERT_TRUE(sheet.tab.GetItem(1, &item));
    EXPECT_EQ(reinterpret_cast<CDialog*>(item.lParam), sheet.axis);
    EXPECT_STREQ(text, "");  // the pages' templates have empty captions
    EXPECT_EQ(sheet.tab.GetCurSel(), 0);
    EXPECT_FALSE(sheet.chart->GetStyle() & WS_CAPTION);
    CRect placed;
    sheet.chart->GetWindowRect(&placed);
    sheet.tab.ScreenToClient(&placed);
    EXPECT_EQ(placed.TopLeft(), CPoint(8, 25));

    // The page draws over the tab control; its owner-drawn button goes through the page's
    // own drawing handler to the button object.
    EXPECT_GE(sheet.chart->drawItems, 1);
    EXPECT_GE(sheet.chart->back.draws, 1);
    EXPECT_EQ(ScreenCentre(&sheet.chart->back), kChartSwatch);

    // A click on the second tab tells the holder, which swaps the pages.
    ClickTab(sheet.tab, 1);
    EXPECT_EQ(sheet.selChanges, 1);
    EXPECT_EQ(sheet.tab.GetCurSel(), 1);
    EXPECT_TRUE(sheet.axis->IsWindowVisible());
    EXPECT_FALSE(sheet.chart->IsWindowVisible());
    EXPECT_FALSE(sheet.chart->IsWindowEnabled());
    EXPECT_EQ(ScreenCentre(&sheet.axis->axis), kAxisSwatch);

    // Hidden and shown again: the tabs are rebuilt and the first page is in front again.
    sheet.ShowWindow(SW_HIDE);
    sheet.ShowWindow(SW_SHOW);
    Pump();
    EXPECT_EQ(sheet.shows, 2);
    EXPECT_EQ(sheet.tab.GetItemCount(), 2);
    EXPECT_EQ(sheet.tab.GetCurSel(), 0);
    EXPECT_TRUE(sheet.chart->IsWindowVisible());
    EXPECT_FALSE(sheet.axis->IsWindowVisible());
    EXPECT_EQ(ScreenCentre(&sheet.chart->back), kChartSwatch);
    sheet.DestroyWindow();
}

TEST_F(TabbedPages, APageTakesSpinClicksKeepsEnterAndEscapeAndClosesTheHolder) {
    CSheet sheet;
    ASSERT_TRUE(sheet.Create(IDD_SHEET, frame_));
    sheet.ShowWindow(SW_SHOW);
    Pump();
    CChartPage& page = *sheet.chart;
    const HWND edit = ::GetDlgItem(page.m_hWnd, IDC_RADIUS);
    const HWND apply = ::GetDlgItem(page.m_hWnd, IDC_APPLY);
    ASSERT_EQ(page.spin.GetBuddy()->GetSafeHwnd(), edit);
    EXPECT_EQ(TextOf(edit), "5");

    // The spin's upper arrow counts up; the buddy's change reaches the page, which takes the
    // value and enables Apply.
    CRect spinRect;
    page.spin.GetClientRect(&spinRect);
    const CPoint up(spinRect.CenterPoint().x, spinRect.top + 2);
    Click(page.spin.m_hWnd, up);
    EXPECT_EQ(TextOf(edit), "6");
    EXPECT_EQ(page.radius, 6);
    EXPECT_GE(page.changes, 1);
    EXPECT_TRUE(::IsWindowEnabled(apply));
    page.spin.SetPos(100);
    Click(page.spin.m_hWnd, up);
    EXPECT_EQ(page.spin.GetPos(), 100);  // the range's end holds

    // Enter and Escape in the page's edit neither apply nor close anything.
    ::SetFocus(edit);
    Key(VK_RETURN);
    Key(VK_ESCAPE);
    EXPECT_EQ(page.applies, 0);
    EXPECT_TRUE(sheet.IsWindowVisible());

    // Apply writes and greys itself; OK applies and hides the holder through the ancestors.
    ClickItem(page, IDC_APPLY);
    EXPECT_EQ(page.applies, 1);
    EXPECT_FALSE(::IsWindowEnabled(apply));
    ClickItem(page, IDOK);
    EXPECT_EQ(page.applies, 2);
    EXPECT_EQ(sheet.oks, 1);
    EXPECT_FALSE(sheet.IsWindowVisible());
    sheet.DestroyWindow();
}

TEST_F(TabbedPages, DatePickersOnAPageReportChangesAndExchangeTheirValues) {
    CSheet sheet;
    ASSERT_TRUE(sheet.Create(IDD_SHEET, frame_));
    sheet.ShowWindow(SW_SHOW);
    Pump();
    ClickTab(sheet.tab, 1);
    CAxisPage& page = *sheet.axis;
    page.UpdateData(FALSE);
    CDateTimeCtrl* date = &page.datePicker;
    COleDateTime shown;
    ASSERT_TRUE(date->GetTime(shown));
    EXPECT_EQ(shown.GetDay(), 31);
    CDateTimeCtrl* time = &page.timePicker;
    ASSERT_TRUE(time->GetTime(shown));
    EXPECT_EQ(shown.GetHour(), 13);
    EXPECT_EQ(shown.GetMinute(), 45);

    // A step of the picker's field by keyboard notifies the page, which reads the new value.
    date->SetFocus();
    Key(VK_UP);
    EXPECT_GE(page.changes, 1);
    COleDateTime now;
    ASSERT_TRUE(date->GetTime(now));
    EXPECT_NE(now, COleDateTime(2024, 1, 31, 0, 0, 0));
    EXPECT_EQ(page.minDate.GetYear(), now.GetYear());
    EXPECT_EQ(page.minDate.GetMonth(), now.GetMonth());
    EXPECT_EQ(page.minDate.GetDay(), now.GetDay());
    EXPECT_TRUE(page.GetDlgItem(IDC_APPLY)->IsWindowEnabled());

    const int before = page.changes;
    time->SetFocus();
    Key(VK_DOWN);
    EXPECT_EQ(page.changes, before + 1);
    EXPECT_NE(page.minTime.GetHour() * 60 + page.minTime.GetMinute(), 13 * 60 + 45);
    sheet.DestroyWindow();
}

}  // namespace
