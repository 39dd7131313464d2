// The chart window's data: its class, SetData in all its forms, deleting curves and axes with
// everything that pointed at them, reset, labels, the cursor by value, and the live diagram's
// sequence of calls with a paint after each step.
#include <cfloat>
#include <cmath>

#include "ChartTestUtil.h"

namespace kq::chart::test {
namespace {

using ChartWindow = ChartWindowTest;

TEST_F(ChartWindow, RegistersItsClassOnce) {
    CXGraph chart;
    WNDCLASS wc{};
    ASSERT_TRUE(::GetClassInfo(AfxGetInstanceHandle(), "XGraph", &wc));
    EXPECT_EQ(wc.style, 11u);
    EXPECT_EQ(wc.hbrBackground, reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(16)));
    EXPECT_TRUE(RegisterXGraphClass());
    EXPECT_EQ(chart.m_Objects.GetCount(), 1);
    EXPECT_EQ(chart.m_Objects.GetHead(), &chart.GetCursorLabel());
    EXPECT_FALSE(chart.GetCursorLabel().GetVisible());
}

TEST(ChartData, SetDataRefusesWhatItCannotBind) {
    CXGraph chart;
    auto points = Points(3, [](int i) { return i; });
    EXPECT_EQ(chart.SetData(nullptr, 3, 0, 0, 0, true), nullptr);
    EXPECT_EQ(chart.SetData(points.data(), 0, 0, 0, 0, true), nullptr);
    EXPECT_EQ(chart.SetData(points.data(), 3, 1, 0, 0, true), nullptr);  // curve > count
    EXPECT_EQ(chart.SetData(points.data(), 3, -1, 0, 0, true), nullptr);
    EXPECT_EQ(chart.SetData(points.data(), 3, 0, 1, 0, true), nullptr);  // X axis > count
    EXPECT_EQ(chart.SetData(points.data(), 3, 0, 0, -1, true), nullptr);
    EXPECT_EQ(chart.GetCurveCount(), 0);
    EXPECT_EQ(chart.GetXAxisCount(), 0);
    ASSERT_NE(chart.SetData(points.data(), 3, 0, 0, 0, true), nullptr);
    EXPECT_EQ(chart.GetXAxisCount(), 1);
    EXPECT_EQ(chart.GetYAxisCount(), 1);
    EXPECT_EQ(chart.GetXAxis(0).m_AxisType, CXGraphAxis::xAxis);
    EXPECT_EQ(chart.GetYAxis(0).m_AxisType, CXGraphAxis::yAxis);
    EXPECT_EQ(chart.GetCurve(0).m_pGraph, &chart);
    EXPECT_DOUBLE_EQ(chart.GetXAxis(0).m_fMax, 2);
}

TEST(ChartData, NewCurvesTakeTheColourTable) {
    CXGraph chart;
    auto points = Points(3, [](int i) { return i; });
    for (int i = 0; i < 13; ++i)
        chart.SetData(points.data(), 3, i, 0, 0, true);
    EXPECT_EQ(chart.GetCurve(0).GetColor(), RGB(0, 0, 255));
    EXPECT_EQ(chart.GetCurve(2).GetColor(), RGB(0, 128, 0));
    EXPECT_EQ(chart.GetCurve(4).GetColor(), RGB(0, 128, 0));
    EXPECT_EQ(chart.GetCurve(11).GetColor(), RGB(255, 0, 255));
    EXPECT_EQ(chart.GetCurve(12).GetColor(), RGB(0, 0, 255));
}

TEST(ChartData, RePointingKeepsTheLookAndFreesAnOwnedCopy) {
    CXGraph chart;
    auto first = Points(4, [](int i) { return i; });
    auto second = Points(8, [](int i) { return 2 * i; });
    CXGraphDataSerie* s = chart.SetData(first.data(), 4, 0, 0, 0, true, true);
    s->SetLineWidth(3);
    s->SetLabel("Torque");
    s = chart.SetData(second.data(), 8, 0, 0, 0, true, false);  // the owned copy is freed
    EXPECT_EQ(s->m_pData, second.data());
    EXPECT_FALSE(s->m_bAutoDelete);
    EXPECT_EQ(s->GetLineWidth(), 3);
    EXPECT_EQ(s->GetLabel(), "Torque");
    EXPECT_DOUBLE_EQ(chart.GetYAxis(0).m_fMax, 14);
    s = chart.SetData(first.data(), 4, 0, 0, 0, false, true);
    EXPECT_NE(s->m_pData, first.data());
    EXPECT_DOUBLE_EQ(chart.GetYAxis(0).m_fMax, 14);  // neither fitted nor auto-scaled

    std::vector<TDataPoint> same(5, TDataPoint{2, 3});
    chart.SetData(same.data(), 5, 1, 1, 1, false, false, true);
    EXPECT_DOUBLE_EQ(chart.GetXAxis(1).m_fCurMin, 1);
    EXPECT_DOUBLE_EQ(chart.GetXAxis(1).m_fCurMax, 3);
    std::vector<TDataPoint> nan(3, TDataPoint{NAN, INFINITY});
    chart.SetData(nan.data(), 3, 1, 1, 1, true);
    EXPECT_DOUBLE_EQ(chart.GetXAxis(1).m_fCurMax, 3);  // no finite point: axes unchanged
}

TEST(ChartData, DeletingACurveRenumbersWhatPointedPastIt) {
    CXGraph chart;
    auto points = Points(5, [](int i) { return i; });
    for (int i = 0; i < 4; ++i)
        chart.SetData(points.data(), 5, i, 0, i, true);
    chart.InsertDataNotation(1, 2);
    chart.InsertDataNotation(3, 2);
    CXGraphLabel* anchored = chart.InsertLabel(CRect(0, 0, 10, 10), "a");
    anchored->m_nCurve = 1;
    chart.m_Measures.push_back({1, 0, 2, 1});
    chart.m_Measures.push_back({2, 0, 3, 1});
    chart.GetCurve(3).m_nFillCurve = 1;
    chart.GetCurve(2).m_nFillCurve = 3;
    chart.m_nForcedSnapCurve = 1;
    EXPECT_FALSE(chart.DeleteCurve(4));
    ASSERT_TRUE(chart.DeleteCurve(1));
    ASSERT_EQ(chart.m_Objects.GetCount(), 3);  // cursor label, one notation, the label
    POSITION pos = chart.m_Objects.GetHeadPosition();
    chart.m_Objects.GetNext(pos);
    auto* notation = static_cast<CXGraphDataNotation*>(chart.m_Objects.GetNext(pos));
    EXPECT_EQ(notation->m_nCurve, 2);
    EXPECT_EQ(anchored->m_nCurve, -1);
    ASSERT_EQ(chart.m_Measures.size(), 1u);
    EXPECT_EQ(chart.m_Measures[0].nCurve1, 1);
    EXPECT_EQ(chart.m_Measures[0].nCurve2, 2);
    EXPECT_EQ(chart.GetCurve(2).m_nFillCurve, -1);
    EXPECT_EQ(chart.GetCurve(1).m_nFillCurve, 2);
    EXPECT_EQ(chart.m_nForcedSnapCurve, -1);

    // An axis in use stays; a free one goes and the indices above it move down.
    EXPECT_FALSE(chart.DeleteYAxis(0));
    EXPECT_TRUE(chart.DeleteYAxis(1));
    EXPECT_EQ(chart.GetCurve(1).GetYAxisIndex(), 1);
    EXPECT_EQ(chart.GetCurve(2).GetYAxisIndex(), 2);
    EXPECT_FALSE(chart.DeleteXAxis(0));
    EXPECT_FALSE(chart.DeleteXAxis(1));
}

TEST(ChartData, ResetLeavesOnlyTheCursorLabel) {
    CXGraph chart;
    auto points = Points(5, [](int i) { return i; });
    chart.SetData(points.data(), 5, 0, 0, 0, true);
    chart.InsertLabel("x");
    chart.InsertDataNotation(0, 1);
    chart.m_Measures.push_back({0, 0, 0, 1});
    chart.m_pCurrentObject = chart.m_Objects.GetTail() != nullptr
                                 ? static_cast<CXGraphObject*>(chart.m_Objects.GetTail())
                                 : nullptr;
    chart.m_clCurrentZoom.SetRect(1, 1, 50, 50);
    chart.ResetAll();
    EXPECT_EQ(chart.m_Objects.GetCount(), 1);
    EXPECT_EQ(chart.GetCurveCount(), 0);
    EXPECT_EQ(chart.GetXAxisCount(), 0);
    EXPECT_EQ(chart.m_Measures.size(), 1u);  // kept
    EXPECT_EQ(chart.m_pCurrentObject, nullptr);
    EXPECT_TRUE(chart.m_clCurrentZoom.IsRectEmpty());
    EXPECT_EQ(chart.GetZoomDepth(), 0);
}

TEST(ChartData, SelectionAndIndicesIgnoreWhatIsOutOfRange) {
    CXGraph chart;
    auto points = Points(5, [](int i) { return i; });
    chart.SetData(points.data(), 5, 0, 0, 0, true);
    chart.SetData(points.data(), 5, 1, 0, 0, true);
    EXPECT_TRUE(chart.SelectCurve(1));
    EXPECT_FALSE(chart.GetCurve(0).m_bSelected);
    EXPECT_FALSE(chart.SelectCurve(-1));
    EXPECT_FALSE(chart.SelectCurve(2));
    EXPECT_TRUE(chart.GetCurve(1).m_bSelected);
    chart.SetAxisDecimals(0, 1, 2);
    chart.SetAxisDecimals(5, 0, 2);
    EXPECT_EQ(chart.GetXAxis(0).GetDisplayFmt(), "%5.1f");
    EXPECT_EQ(chart.GetYAxis(0).GetDisplayFmt(), "%5.1f");
    EXPECT_EQ(chart.GetAxisIndex(&chart.GetYAxis(0)), 0);
    EXPECT_EQ(chart.GetCurveIndex(&chart.GetCurve(1)), 1);
    CXGraphDataSerie stranger;
    EXPECT_EQ(chart.GetCurveIndex(&stranger), -1);
    EXPECT_EQ(chart.GetCursorValue(7), std::make_pair(0.0, 0.0));
    chart.SetCursorToValue(7, 1, true);
}

TEST(ChartData, CursorByValueCentresTheAxesWhenAsked) {
    CXGraph chart;
    auto points = Points(101, [](int i) { return i; });
    chart.SetData(points.data(), 101, 0, 0, 0, true);
    ChartCanvas canvas(400, 300);
    chart.PaintChart(&canvas.dc, CRect(0, 0, 400, 300));
    for (CXGraphAxis* axis : {&chart.GetXAxis(0), &chart.GetYAxis(0)}) {
        axis->SetAutoScale(false);
        axis->SetCurrentRange(0, 20, 5);
    }
    chart.SetCursorToValue(0, 10, true);  // inside: stays
    EXPECT_DOUBLE_EQ(chart.GetXAxis(0).m_fCurMin, 0);
    chart.m_nCursorFlags |= 8;
    chart.SetCursorToValue(0, 10, true);
    EXPECT_DOUBLE_EQ(chart.GetXAxis(0).m_fCurMin, 0);
    chart.SetCursorToValue(0, 50, true);
    EXPECT_DOUBLE_EQ(chart.GetXAxis(0).m_fCurMin, 40);
    // The point search steps to the first point beyond x: the point at 51.
    EXPECT_DOUBLE_EQ(chart.GetYAxis(0).m_fCurMax, 61);
    const double xy[2] = {50, 50};
    EXPECT_EQ(chart.GetCursorPosition().x, chart.GetXAxis(0).GetPointForValue(xy).x);
    EXPECT_NEAR(chart.GetCursorValue(0).first, 50, 0.2);
    EXPECT_DOUBLE_EQ(chart.GetCursorValue(0).second, 51);
}

TEST_F(ChartWindow, LabelsInsertCentredOnThePlot) {
    CXGraph* chart = MakeChart();
    auto points = Points(5, [](int i) { return i; });
    chart->SetData(points.data(), 5, 0, 0, 0, true);
    chart->UpdateWindow();
    Pump();
    CXGraphLabel* label = chart->InsertLabel("");
    EXPECT_EQ(label->m_clRect.CenterPoint(), chart->GetPlotRect().CenterPoint());
    EXPECT_EQ(label->m_clRect.Width(), 100);
    EXPECT_EQ(label->m_pGraph, chart);
}

// The calls the live diagram makes, in its order, each followed by a paint.
TEST_F(ChartWindow, LiveDiagramSequenceRunsClean) {
    CXGraph* chart = MakeChart(600, 400);
    auto paint = [&] {
        chart->Invalidate(FALSE);
        chart->UpdateWindow();
    };
    TDataPoint dummy[2] = {{0, 0}, {1, 1}};
    chart->SetData(dummy, 2, 0, 0, 0, true, false);
    CXGraphLabel* readOut = chart->InsertLabel("");
    readOut->SetRectCoordinates(10, 10, 150, 60);
    readOut->SetTextMember("");
    readOut->SetVisible(false);
    chart->DeleteCurve(0);
    paint();
    std::vector<std::vector<TDataPoint>> store(10);
    for (int c = 0; c < 10; ++c) {
        store[static_cast<size_t>(c)] = std::vector<TDataPoint>(10, TDataPoint{0.0, 0.0});
        ASSERT_NE(chart->SetData(store[static_cast<size_t>(c)].data(), 10, c, 0, c, true), nullptr);
        chart->GetYAxis(c).SetPlacement(c < 8 ? 0 : 1);
        chart->GetYAxis(c).SetVisible(c < 2);
        chart->GetYAxis(c).SetLabel("Torque\n[Nm]");
        chart->GetYAxis(c).SetDisplayFmt("%0.3f");
        chart->ShowCurve(c, c < 2);
        paint();
    }
    chart->GetXAxis(0).SetLabel("t [s]");
    for (int round = 0; round < 4; ++round) {
        for (int c = 0; c < 10; ++c) {
            auto& points = store[static_cast<size_t>(c)];
            const size_t grown = points.size() * 2;
            std::vector<TDataPoint> moved(grown);
            for (size_t i = 0; i < grown; ++i)
                moved[i] = {static_cast<double>(i) * 0.01,
                            std::sin(static_cast<double>(i) * 0.1 + c) * (c + 1)};
            points.swap(moved);
            chart->SetData(points.data(), static_cast<long>(grown), c, 0, c, true, false);
        }
        chart->Autoscale(0, 1, 1);
        chart->ShowCurve(1, round % 2 == 0);
        paint();
    }
    chart->SelectCurve(0);
    chart->m_opOperation = CXGraph::MCursor;
    chart->m_CurrentPoint = chart->GetPlotRect().CenterPoint();
    paint();
    EXPECT_EQ(chart->GetCurveCount(), 10);
    EXPECT_EQ(chart->GetYAxisCount(), 10);
    EXPECT_TRUE(chart->GetCursorLabel().GetVisible());
    EXPECT_NE(chart->GetCursorLabel().m_cText.Find("X[01]"), -1);
}

}  // namespace
}  // namespace kq::chart::test
