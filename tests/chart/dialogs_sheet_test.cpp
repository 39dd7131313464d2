// The chart's property sheet on a real chart: pages made on the first show and reloaded on every
// show, Apply writing the chart once the fields are valid, OK applying every pending page, and
// items that vanish while the sheet is open.
#include <gtest/gtest.h>

#include "chart/ChartTestUtil.h"
#include "chart/dialogs/AxisDlg.h"
#include "chart/dialogs/ChartDialogIds.h"
#include "chart/dialogs/ChartDlg.h"
#include "chart/dialogs/ChartPage.h"
#include "chart/dialogs/CurveDlg.h"
#include "platform/ui/commctrl/InitCommonControls.h"

namespace {

using kq::chart::test::ChartWindowTest;
using kq::chart::test::Points;

class ChartSheet : public ChartWindowTest {
  protected:
    void SetUp() override {
        ChartWindowTest::SetUp();
        InitCommonControls();
        chart_ = MakeChart();
        a_ = Points(7, [](int i) { return i * i; });
        b_ = Points(5, [](int i) { return 10 - i; });
        chart_->SetData(a_.data(), 7, 0, 0, 0, true);
        chart_->SetData(b_.data(), 5, 1, 0, 0, true);
        chart_->GetCurve(0).SetLabel("Torque");
        chart_->GetCurve(1).SetLabel("Speed");
    }
    void TearDown() override {
        sheet_.reset();
        ChartWindowTest::TearDown();
    }
    CChartPage& Open() {
        sheet_ = std::make_unique<CChartPage>(chart_);
        EXPECT_TRUE(sheet_->Create(IDD_XG_PROPERTIES, chart_));
        sheet_->ShowWindow(SW_HIDE);
        sheet_->ShowWindow(SW_SHOW);
        Pump();
        return *sheet_;
    }
    static void SetText(CWnd* page, int id, const char* text) {
        ::SetWindowText(::GetDlgItem(page->GetSafeHwnd(), id), text);
    }
    static bool ApplyEnabled(CWnd* page) {
        return ::IsWindowEnabled(::GetDlgItem(page->GetSafeHwnd(), IDC_XG_APPLY)) != FALSE;
    }

    CXGraph* chart_ = nullptr;
    std::vector<TDataPoint> a_;
    std::vector<TDataPoint> b_;
    std::unique_ptr<CChartPage> sheet_;
};

TEST_F(ChartSheet, FirstShowBuildsThreeTabsWithTheChartPageInFront) {
    sheet_ = std::make_unique<CChartPage>(chart_);
    ASSERT_TRUE(sheet_->Create(IDD_XG_PROPERTIES, chart_));
    EXPECT_EQ(sheet_->GetChartDlg(), nullptr);
    sheet_->ShowWindow(SW_SHOW);
    Pump();
    CChartPage& sheet = *sheet_;
    ASSERT_NE(sheet.GetChartDlg(), nullptr);
    ASSERT_NE(sheet.GetAxisDlg(), nullptr);
    ASSERT_NE(sheet.GetCurveDlg(), nullptr);
    ASSERT_EQ(sheet.GetTabCtrl().GetItemCount(), 3);
    for (int tab = 0; tab < 3; ++tab) {
        TCITEM item{};
        item.mask = TCIF_PARAM;
        ASSERT_TRUE(sheet.GetTabCtrl().GetItem(tab, &item));
        EXPECT_EQ(reinterpret_cast<CWnd*>(item.lParam), static_cast<CWnd*>(sheet.GetPage(tab)));
    }
    CRect placed;
    sheet.GetChartDlg()->GetWindowRect(&placed);
    sheet.GetTabCtrl().ScreenToClient(&placed);
    EXPECT_EQ(placed.TopLeft(), CPoint(8, 25));
    EXPECT_FALSE(sheet.GetChartDlg()->GetStyle() & WS_CAPTION);
    EXPECT_TRUE(sheet.GetChartDlg()->IsWindowVisible());
    EXPECT_FALSE(sheet.GetAxisDlg()->IsWindowVisible());
    EXPECT_FALSE(sheet.GetCurveDlg()->IsWindowVisible());

    // The curve tab, then hide and show: only the chart page is visible again.
    sheet.GetTabCtrl().SetCurSel(2);
    sheet.ShowPage(2);
    EXPECT_TRUE(sheet.GetCurveDlg()->IsWindowVisible());
    sheet.ShowWindow(SW_HIDE);
    sheet.ShowWindow(SW_SHOW);
    Pump();
    EXPECT_TRUE(sheet.GetChartDlg()->IsWindowVisible());
    EXPECT_FALSE(sheet.GetCurveDlg()->IsWindowVisible());
    EXPECT_EQ(sheet.GetTabCtrl().GetCurSel(), 0);
}

TEST_F(ChartSheet, ApplyWritesTheChartAndCancelThenShowReloadsIt) {
    CChartPage& sheet = Open();
    CChartDlg& page = *sheet.GetChartDlg();
    EXPECT_FALSE(ApplyEnabled(&page));
    page.m_InnerColor.SetColor(RGB(10, 200, 30));
    page.SendMessage(kq::chart::kColourChanged, RGB(10, 200, 30), IDC_XG_INNERCOLOR);
    page.CheckDlgButton(IDC_XG_SHOWLEGEND, BST_UNCHECKED);
    page.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_XG_SHOWLEGEND, BN_CLICKED),
                     reinterpret_cast<LPARAM>(::GetDlgItem(page.m_hWnd, IDC_XG_SHOWLEGEND)));
    EXPECT_FALSE(page.m_LegendPosCombo.IsWindowEnabled());
    ASSERT_TRUE(ApplyEnabled(&page));
    EXPECT_TRUE(page.Apply());
    EXPECT_EQ(chart_->GetInnerColor(), RGB(10, 200, 30));
    EXPECT_FALSE(chart_->GetShowLegend());
    EXPECT_FALSE(ApplyEnabled(&page));

    // An edit cancelled is gone on the next show; the applied values stay.
    page.m_InnerColor.SetColor(RGB(1, 2, 3));
    sheet.OnCancel();
    EXPECT_FALSE(sheet.IsWindowVisible());
    const CRect plot = chart_->GetPlotRect();
    EXPECT_EQ(ScreenAt(chart_, plot.left + 3, plot.bottom - 3), RGB(10, 200, 30));
    EXPECT_EQ(chart_->GetInnerColor(), RGB(10, 200, 30));
    sheet.ShowWindow(SW_SHOW);
    Pump();
    EXPECT_EQ(page.m_InnerColor.GetColor(), RGB(10, 200, 30));
    EXPECT_FALSE(ApplyEnabled(&page));
}

TEST_F(ChartSheet, ABadSnapRadiusIsReportedOnceAtApplyAndKeepsTheSheetOpen) {
    CChartPage& sheet = Open();
    CChartDlg& page = *sheet.GetChartDlg();
    const int radius = chart_->m_nSnapRange;
    SetText(&page, IDC_XG_SNAPRANGE, "1");
    SetText(&page, IDC_XG_SNAPRANGE, "10");
    SetText(&page, IDC_XG_SNAPRANGE, "101");
    Pump();
    EXPECT_TRUE(boxes_.empty());
    EXPECT_TRUE(ApplyEnabled(&page));
    sheet.OnOK();
    EXPECT_EQ(boxes_.size(), 1u);
    EXPECT_EQ(chart_->m_nSnapRange, radius);
    EXPECT_TRUE(sheet.IsWindowVisible());
    SetText(&page, IDC_XG_SNAPRANGE, "40");
    sheet.OnOK();
    EXPECT_EQ(chart_->m_nSnapRange, 40);
    EXPECT_FALSE(sheet.IsWindowVisible());
}

TEST_F(ChartSheet, OkOnTheCurvePageAppliesPendingAxisEditsToo) {
    CChartPage& sheet = Open();
    sheet.GetTabCtrl().SetCurSel(1);
    sheet.ShowPage(1);
    CAxisDlg& axis = *sheet.GetAxisDlg();
    SetText(&axis, IDC_XG_TITLE, "Nm");
    EXPECT_TRUE(ApplyEnabled(&axis));
    sheet.GetTabCtrl().SetCurSel(2);
    sheet.ShowPage(2);
    CCurveDlg& curve = *sheet.GetCurveDlg();
    SetText(&curve, IDC_XG_TITLE, "Torque 2");
    curve.SendMessage(WM_COMMAND, IDOK, 0);
    EXPECT_EQ(chart_->GetYAxis(0).GetLabel(), "Nm");
    EXPECT_EQ(chart_->GetCurve(0).GetLabel(), "Torque 2");
    EXPECT_FALSE(sheet.IsWindowVisible());
}

TEST_F(ChartSheet, SelectingAnXAxisLoadsItAndClearsTheYList) {
    CChartPage& sheet = Open();
    CChartDlg& page = *sheet.GetChartDlg();
    chart_->GetXAxis(0).SetLabel("Time");
    sheet.ShowWindow(SW_HIDE);
    sheet.ShowWindow(SW_SHOW);
    EXPECT_EQ(page.m_YAxisCombo.GetCurSel(), 0);
    page.m_XAxisCombo.SetCurSel(0);
    page.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_XG_SELXAXIS, CBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(page.m_XAxisCombo.GetSafeHwnd()));
    EXPECT_TRUE(sheet.IsCurrentAxisX());
    EXPECT_EQ(sheet.GetAxisDlg()->m_cTitle, "Time");
    EXPECT_EQ(page.m_YAxisCombo.GetCurSel(), -1);
    EXPECT_TRUE(chart_->GetXAxis(0).m_bSelected);
}

TEST_F(ChartSheet, ChartWithoutCurvesLeavesTheItemPagesDisabled) {
    chart_->DeleteCurve(1);
    chart_->DeleteCurve(0);
    chart_->DeleteYAxis(0);
    CChartPage& sheet = Open();
    EXPECT_FALSE(sheet.GetCurveDlg()->HasItem());
    EXPECT_FALSE(sheet.GetAxisDlg()->HasItem());
    sheet.ShowPage(2);
    EXPECT_FALSE(sheet.GetCurveDlg()->IsWindowEnabled());
    EXPECT_TRUE(sheet.GetCurveDlg()->Apply());
}

TEST_F(ChartSheet, ACurveDeletedWhileOpenIsNeverWritten) {
    CChartPage& sheet = Open();
    sheet.SelectCurve(1);
    sheet.ShowPage(2);
    CCurveDlg& curve = *sheet.GetCurveDlg();
    EXPECT_EQ(curve.m_cName, "Speed");
    SetText(&curve, IDC_XG_TITLE, "Renamed");
    chart_->DeleteCurve(1);
    EXPECT_TRUE(curve.Apply());
    EXPECT_EQ(chart_->GetCurve(0).GetLabel(), "Torque");
}

TEST_F(ChartSheet, TheCloseBoxOnlyHides) {
    CChartPage& sheet = Open();
    sheet.SendMessage(WM_CLOSE);
    Pump();
    EXPECT_FALSE(sheet.IsWindowVisible());
    EXPECT_TRUE(::IsWindow(sheet.GetSafeHwnd()));
    EXPECT_NE(sheet.GetChartDlg(), nullptr);
}

TEST_F(ChartSheet, DeletingTheChartThenTheVisibleSheetTouchesNothingFreed) {
    CChartPage& sheet = Open();
    ASSERT_TRUE(sheet.IsWindowVisible());
    charts_.front()->DestroyWindow();
    charts_.clear();
    sheet_.reset();
}

TEST_F(ChartSheet, TheFillToListSkipsTheEditedCurveAndStoresChartIndices) {
    CChartPage& sheet = Open();
    sheet.SelectCurve(0);
    CCurveDlg& curve = *sheet.GetCurveDlg();
    ASSERT_EQ(curve.m_FillCurveCombo.GetCount(), 1);
    CString text;
    curve.m_FillCurveCombo.GetLBText(0, text);
    EXPECT_EQ(text, "2 Speed");
    curve.m_FillCurveCombo.SetCurSel(0);
    ASSERT_TRUE(curve.Apply());
    EXPECT_EQ(chart_->GetCurve(0).m_nFillCurve, 1);
    sheet.SelectCurve(0);
    EXPECT_EQ(curve.m_FillCurveCombo.GetCurSel(), 0);
}

}  // namespace
