// The live diagram and the diagram view in a started frame: curve assignment and redraw periods,
// points refused before the store is ready or beyond the point limit, the caller's values kept,
// the x window and sliders without data and at their ends, the context menu's entries, and the
// time mode following the newest 60 s.
#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>

#include "AppTest.h"
#include "app/views/CAFormDiagram.h"
#include "chart/dialogs/ChartPage.h"
#include "chart/dialogs/ChartTabPage.h"
#include "foundation/Language.h"
#include "platform/gfx/WindowDC.h"
#include "tests/app/MeasurementForTest.h"

namespace apptest {
namespace {

class FakeConfiguration : public IDiagramSource {
  public:
    FakeConfiguration() {
        rows[0] = {1, 1};
        for (int k = 1; k < kRows; ++k)
            rows[k] = {k + 1, 1};
    }
    void GetDiagramRows(DiagramRow (&out)[kRows]) const override {
        for (int k = 0; k < kRows; ++k)
            out[k] = rows[k];
    }
    double GetMeasuringInterval() const override { return interval; }
    int GetAveragingCount() const override { return 1; }
    int GetChannelDecimals(int) const override { return 2; }
    DiagramRow rows[kRows];
    double interval = 0.1;
};

TEST(DiagramAssignmentRules, TimeModeChannelModeAndTheSwappedPair) {
    DiagramRow rows[IDiagramSource::kRows] = {{1, 1}, {2, 1}, {3, 1}, {4, 0},
                                              {0, 1}, {6, 1}, {99, 1}};
    const DiagramAssignment time = DiagramAssignment::FromRows(rows);
    EXPECT_TRUE(time.IsTimeMode());
    EXPECT_TRUE(time.curveEnabled[0]);
    EXPECT_FALSE(time.curveEnabled[2]);  // switched off
    EXPECT_FALSE(time.curveEnabled[3]);  // no source
    EXPECT_EQ(time.curveSource[5], 0);   // beyond 0..7: off
    EXPECT_FALSE(time.curveEnabled[5]);
    EXPECT_EQ(time.CurveOfChannel(2, true, 4), 2);
    // One sensor showing A and B: A on curve 1, B on curve 0, the others on their own.
    EXPECT_EQ(time.CurveOfChannel(0, false, 4), 1);
    EXPECT_EQ(time.CurveOfChannel(1, false, 4), 0);
    EXPECT_EQ(time.CurveOfChannel(4, false, 4), 4);

    // Channel A on x; B and C named by rows 1 and 3; D takes the free switched-on row 2.
    DiagramRow xRows[IDiagramSource::kRows] = {{2, 1}, {3, 1}, {0, 1}, {4, 1},
                                               {0, 0}, {0, 0}, {0, 0}};
    const DiagramAssignment x = DiagramAssignment::FromRows(xRows);
    EXPECT_TRUE(x.IsXChannelMode());
    EXPECT_EQ(x.CurveOfChannel(0, true, 3), -1);  // the x channel itself
    EXPECT_EQ(x.channelToCurve[1], 0);
    EXPECT_EQ(x.channelToCurve[2], 2);
    EXPECT_EQ(x.channelToCurve[3], 1);
    EXPECT_EQ(x.curveToChannel[0], 1);
    EXPECT_EQ(x.curveToChannel[1], 3);
    EXPECT_EQ(x.curveToChannel[2], 2);
    EXPECT_EQ(x.curveToChannel[5], -1);
}

TEST(DiagramAssignmentRules, RedrawPeriods) {
    EXPECT_EQ(DiagramRedrawPeriodMs(0.1), 450);
    EXPECT_EQ(DiagramRedrawPeriodMs(0.5), 450);
    EXPECT_EQ(DiagramRedrawPeriodMs(0.9), 600);
    EXPECT_EQ(DiagramRedrawPeriodMs(3.0), 2000);
    EXPECT_EQ(DiagramRedrawPeriodMs(NAN), 450);
}

class Diagram : public StartedApp {
  protected:
    void SetUp() override {
        StartedApp::SetUp();
        Run(100);
        view_ = frame_->GetDiagramView();
        ASSERT_NE(view_, nullptr);
        view_->SetDiagramSource(&config_);
        diagram_ = view_->GetDiagram();
        ASSERT_NE(diagram_, nullptr);
    }
    void Ready(long long points = 1000) {
        const BYTE flags[6] = {1, 1, 1, 1, 1, 1};
        ASSERT_EQ(diagram_->ReallocateStorage(points, flags), static_cast<size_t>(points));
    }
    DiagramAddResult Add(double a, double b, const BOOL (&active)[6]) {
        double values[6] = {a, b, 3, 4, 5, 6};
        double time = -1.0;
        return view_->AddMeasuredValues(values, TRUE, active, 3, time);
    }
    FakeConfiguration config_;
    CAFormDiagram* view_ = nullptr;
    CGraphicDisplayWnd* diagram_ = nullptr;
};

const BOOL kAll[6] = {TRUE, TRUE, TRUE, TRUE, TRUE, TRUE};

TEST_F(Diagram, APointBeforeTheStoreIsReadyIsRefusedSilently) {
    boxes_.clear();
    EXPECT_EQ(diagram_->AddPoint(0, 1, 1), CGraphicDisplayWnd::ADD_NOT_READY);
    view_->StartDiagram(TRUE);
    EXPECT_EQ(Add(1, 2, kAll), DiagramAddResult::NotReady);
    EXPECT_TRUE(view_->IsStarted());  // the view neither stops nor reports
    EXPECT_TRUE(boxes_.empty());
}

TEST_F(Diagram, StartsWithoutAssignmentAndKeepsTheCallersValues) {
    Ready();
    view_->StartDiagram(FALSE);  // nobody assigned: the view does it
    EXPECT_TRUE(view_->IsStarted());
    EXPECT_EQ(view_->GetRedrawPeriod(), 450);
    // The reallocation's (0, 0) points are gone although no reset was asked for.
    EXPECT_EQ(diagram_->GetCurvePointCount(0), 0);

    double values[6] = {1.23456, 2, 3, 4, 5, 6};
    const BOOL active[6] = {TRUE, TRUE, FALSE, FALSE, FALSE, FALSE};
    double time = 0;
    ASSERT_EQ(view_->AddMeasuredValues(values, TRUE, active, 3, time), DiagramAddResult::Stored);
    EXPECT_EQ(values[0], 1.23456);
    EXPECT_EQ(view_->GetLastValue(0), 1.23);
    EXPECT_EQ(view_->GetLastValue(2), CAFormDiagram::kInactiveValue);
    EXPECT_EQ(view_->GetChannelPointCount(0), 1);
    EXPECT_EQ(view_->GetChannelPointCount(2), 0);
    EXPECT_EQ(view_->GetPointY(0, 0), 1.23);
    ASSERT_EQ(view_->AddMeasuredValues(values, TRUE, active, 3, time), DiagramAddResult::Stored);
    EXPECT_DOUBLE_EQ(time, 0.1);
    EXPECT_DOUBLE_EQ(diagram_->GetCurveX(1, 1), 0.1);
}

TEST_F(Diagram, ThePointLimitHoldsWithChannelAInactive) {
    Ready();
    view_->StartDiagram(TRUE);
    view_->SetPointLimit(TRUE, 3);
    const BOOL noA[6] = {FALSE, TRUE, FALSE, FALSE, FALSE, FALSE};
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(Add(1, 2, noA), DiagramAddResult::Stored);
    EXPECT_EQ(Add(1, 2, noA), DiagramAddResult::Full);
    EXPECT_EQ(view_->GetChannelPointCount(1), 3);
    EXPECT_EQ(view_->GetPointCount(1), 3);
}

TEST_F(Diagram, TheTimeModeFollowsTheNewest60Seconds) {
    config_.interval = 0.01;
    Ready(10000);
    view_->StartDiagram(TRUE);
    const BOOL onlyA[6] = {TRUE, FALSE, FALSE, FALSE, FALSE, FALSE};
    for (int i = 0; i < 7001; ++i)
        Add(i, 0, onlyA);
    view_->UpdateDiagram(0);
    EXPECT_NEAR(diagram_->GetXMaximum(), 70.0, 1e-6);
    EXPECT_NEAR(diagram_->GetXMinimum(), 10.0, 1e-6);
    // The end of the measurement shows all of it.
    view_->UpdateDiagram(1);
    EXPECT_NEAR(diagram_->GetXMinimum(), 0.0, 1e-6);
    EXPECT_EQ(view_->GetRedrawPeriod(), 3600);
}

TEST_F(Diagram, SlidersWithoutDataKeepTheirRangeAndAtTheirEndsFollowTheData) {
    diagram_->SetXRange(2, 5);
    diagram_->SendMessage(WM_HSCROLL, SB_THUMBPOSITION, 0);
    diagram_->OnIntervalChange(0, 0);
    diagram_->SyncSliders();
    EXPECT_TRUE(std::isfinite(diagram_->GetXMinimum()));
    EXPECT_EQ(diagram_->GetXMaximum(), 5.0);

    Ready();
    view_->StartDiagram(TRUE);  // drops the store's (0, 0) points
    for (int i = 0; i <= 10; ++i)
        diagram_->AddPoint(0, 10.0 + i, 1);
    diagram_->SetWindowWidth(0);
    diagram_->GetIntervalSlider().SetPos(CGraphicDisplayWnd::kSliderSteps);
    diagram_->SendMessage(WM_HSCROLL, SB_THUMBPOSITION, 0);
    // With no width the window starts at the oldest x; at 10000 it ends at the newest.
    EXPECT_EQ(diagram_->GetXMaximum(), 20.0);
    EXPECT_EQ(diagram_->GetXMinimum(), 10.0);
    Run(60);
    double minimum = 0, maximum = 0, step = 0;
    diagram_->GetXRange(minimum, maximum, step);
    EXPECT_EQ(maximum, 20.0);
}

TEST_F(Diagram, TheMenuLeavesOutEmptyEntries) {
    CMenu all;
    ASSERT_TRUE(diagram_->BuildContextMenu(all));
    // The view's language leaves zoom in and out, pan, cursor, grid, legend and, apart, the
    // chart's properties.
    ASSERT_EQ(all.GetMenuItemCount(), 8);
    EXPECT_EQ(all.GetMenuItemID(7), 60012u);
    for (int i = 0; i < 13; ++i)
        diagram_->SetMenuText(i, i == 12 ? "Eigenschaften" : "");
    CMenu only;
    ASSERT_TRUE(diagram_->BuildContextMenu(only));
    ASSERT_EQ(only.GetMenuItemCount(), 1);
    EXPECT_EQ(only.GetMenuItemID(0), 60012u);
    diagram_->SetMenuText(12, "");
    CMenu none;
    EXPECT_FALSE(diagram_->BuildContextMenu(none));
}

TEST_F(Diagram, AltInAFloatingDiagramBarGivesTheMainWindowTheFocus) {
    MSG alt{view_->m_hWnd, WM_SYSKEYDOWN, VK_MENU, 0, 0, {}};
    const auto focus = [] { return CWnd::GetFocus()->GetSafeHwnd(); };
    frame_->ShowControlBar(&frame_->m_wndDiagramBar, TRUE, FALSE);
    frame_->FloatControlBar(&frame_->m_wndDiagramBar, CPoint(200, 200));
    Run(20);
    ASSERT_TRUE(frame_->m_wndDiagramBar.IsFloating());
    diagram_->SetFocus();
    ASSERT_NE(focus(), frame_->m_hWnd);
    view_->PreTranslateMessage(&alt);
    // The frame hands its focus on to its active view; the floating bar is no child of it.
    EXPECT_TRUE(focus() == frame_->m_hWnd || ::IsChild(frame_->m_hWnd, focus()));
}

TEST_F(Diagram, LanguageAndPowerLabels) {
    MeasurementForTest edit(*frame_);
    SetLanguageOffset(LANGUAGE_ENGLISH);
    view_->ApplyLanguage();
    EXPECT_EQ(diagram_->GetMenuText(3), "Scrolling");
    SetLanguageOffset(LANGUAGE_GERMAN);
    view_->ApplyLanguage();
    EXPECT_EQ(diagram_->GetMenuText(3), "Verschieben");
    Ready();
    // Only channels the frame feeds get an axis: here every one but P2.
    for (int c = 0; c < 6; ++c)
        edit.Flow().m_bChannelActive[c] = c != 5;
    view_->StartDiagram(TRUE);
    EXPECT_EQ(diagram_->GetChart()->GetCurve(4).GetLabel().Left(4), "P1 [");
    EXPECT_EQ(diagram_->GetChart()->GetCurve(5).GetLabel(), "");
    EXPECT_FALSE(view_->GetAssignment().curveEnabled[5]);
    // Channel B of a single sensor that measures a rotation angle reads in tenths.
    EXPECT_EQ(diagram_->GetChart()->GetYAxis(1).GetDisplayFmt(), "%0.2f");
    // The axes write numbers as the channel views do: a comma in German.
    EXPECT_EQ(diagram_->GetChart()->GetYAxis(1).FormatLabel(2.5), "2,50");
    frame_->m_aSensorRecord[0].ucAngleFlag = 1;
    view_->StartDiagram(TRUE);
    EXPECT_EQ(diagram_->GetChart()->GetYAxis(1).GetDisplayFmt(), "%0.1f");
    frame_->m_aSensorRecord[0].ucAngleFlag = 0;
    for (BOOL& active : edit.Flow().m_bChannelActive)
        active = FALSE;
}

TEST_F(Diagram, ThePropertySheetTakesThePageTextsOfTheLanguage) {
    for (int language : {LANGUAGE_GERMAN, LANGUAGE_ENGLISH}) {
        SetLanguageOffset(language);
        view_->ApplyLanguage();
        diagram_->OnMenuCommand(60012);
        CChartPage* sheet = diagram_->GetProperties();
        ASSERT_NE(sheet, nullptr);
        EXPECT_TRUE(sheet->IsWindowVisible());
        CChartTabPage* curves = sheet->GetPage(CChartPage::kCurveTab);
        ASSERT_NE(curves, nullptr);
        CString text;
        ASSERT_NE(curves->GetDlgItem(1009), nullptr);
        curves->GetDlgItem(1009)->GetWindowText(text);
        // The second entry for control 1009 wins.
        EXPECT_EQ(text, GetLanguageString(5652));
        // The sheet's title speaks the language, not the template's name.
        sheet->GetWindowText(text);
        EXPECT_EQ(text, GetLanguageString(5141));
        sheet->ShowWindow(SW_HIDE);
    }
    SetLanguageOffset(LANGUAGE_GERMAN);
}

// A new measurement drops the cursor's marks of the run before; a curve colour the operator
// chose stays for the program's run.
TEST_F(Diagram, ANewRunDropsTheCursorMarksAndKeepsTheOperatorsColour) {
    Ready();
    view_->StartDiagram(TRUE);
    for (int i = 0; i < 3; ++i)
        Add(i, i, kAll);
    view_->UpdateDiagram(1);  // the curves shown as at the end of a run
    CXGraph* chart = diagram_->GetChart();
    ASSERT_NE(chart, nullptr);
    const auto objects = chart->m_Objects.GetCount();
    chart->InsertDataNotation(0, 1);
    ASSERT_EQ(chart->m_Objects.GetCount(), objects + 1);
    diagram_->SetCurveColor(1, RGB(1, 2, 3));  // as the property sheet does
    view_->AssignCurvesToChannels();
    view_->StartDiagram(TRUE);
    EXPECT_EQ(chart->m_Objects.GetCount(), objects);
    EXPECT_EQ(diagram_->GetCurveColor(1), RGB(1, 2, 3));
    EXPECT_EQ(diagram_->GetCurveColor(0), RGB(0, 0, 255));
}

TEST_F(Diagram, TheReadoutComesAfterTheDelayAndGoesAfterItsDuration) {
    Ready();
    view_->StartDiagram(TRUE);
    for (int i = 0; i < 5; ++i)
        diagram_->AddPoint(0, i, i * 2.0);
    diagram_->showCurve(0, TRUE, TRUE, TRUE);
    // The first report only remembers the curve; the next one starts the delay.
    diagram_->SendMessage(WM_USER + 12, 0, 0);
    Run(2500);
    EXPECT_FALSE(diagram_->IsReadoutShown());
    diagram_->SendMessage(WM_USER + 12, 0, 0);
    Run(1000);
    diagram_->SendMessage(WM_USER + 12, 0, 0);  // restarts the 2000 ms
    Run(1500);
    EXPECT_FALSE(diagram_->IsReadoutShown());
    Run(600);
    EXPECT_TRUE(diagram_->IsReadoutShown());
    // Title, x and y: three lines whole inside the border, the numbers with the session's sign.
    const CXGraphLabel* readout = diagram_->GetReadout();
    ASSERT_NE(readout, nullptr);
    EXPECT_NE(readout->m_cText.Find(','), -1) << readout->m_cText.GetString();
    EXPECT_EQ(readout->m_cText.Find('.'), -1) << readout->m_cText.GetString();
    CClientDC dc(diagram_->GetChart());
    CFont* old = dc.SelectObject(const_cast<CFont*>(&readout->m_Font));
    TEXTMETRIC metrics{};
    dc.GetTextMetrics(&metrics);
    dc.SelectObject(old);
    EXPECT_GE(readout->m_clRect.Height(), 3 * metrics.tmHeight + 2);
    Run(3100);
    EXPECT_FALSE(diagram_->IsReadoutShown());
    // A report naming no curve stops the delay.
    diagram_->SendMessage(WM_USER + 12, 0, 0);
    diagram_->SendMessage(WM_USER + 12, static_cast<WPARAM>(-1), 0);
    Run(2500);
    EXPECT_FALSE(diagram_->IsReadoutShown());
}

}  // namespace
}  // namespace apptest
