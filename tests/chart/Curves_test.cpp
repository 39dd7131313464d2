// Curves: colours, the per-column reduction that keeps spikes, recorded segments, marker
// spacing, filled areas, NaN gaps and copies.
#include <cmath>

#include "ChartTestUtil.h"
#include "chart/CurveReduction.h"

namespace kq::chart::test {
namespace {

constexpr COLORREF kGreen = RGB(0, 200, 0);

// A chart whose axes take no room, drawing on a white plot.
class CurveDrawing : public ::testing::Test {
  protected:
    CXGraphDataSerie* Add(std::vector<TDataPoint>& points, double xmax, double ymax) {
        const int index = chart_.GetCurveCount();
        CXGraphDataSerie* s =
            chart_.SetData(points.data(), static_cast<long>(points.size()), index, 0, 0, false);
        for (CXGraphAxis* axis : {&chart_.GetXAxis(0), &chart_.GetYAxis(0)}) {
            axis->SetVisible(false);
            axis->SetAutoScale(false);
        }
        chart_.GetXAxis(0).SetRange(0, xmax);
        chart_.GetYAxis(0).SetRange(0, ymax);
        return s;
    }
    void Paint(ChartCanvas& canvas) {
        chart_.SetShowLegend(false);
        chart_.SetInnerColor(kWhite);
        chart_.SetMargins(0, 0, 0, 0);
        chart_.PaintChart(&canvas.dc,
                          CRect(0, 0, canvas.surface->Width(), canvas.surface->Height()));
    }
    CPoint Pixel(double x, double y) {
        const double xy[2] = {x, y};
        return CPoint(chart_.GetXAxis(0).GetPointForValue(xy).x,
                      chart_.GetYAxis(0).GetPointForValue(xy).y);
    }
    CXGraph chart_;
};

TEST_F(CurveDrawing, SelectedCurveDrawsInTheInvertedColour) {
    auto points = Points(11, [](int) { return 5.0; });
    CXGraphDataSerie* s = Add(points, 10, 10);
    s->SetColor(RGB(255, 128, 0));
    ChartCanvas plain(200, 100), selected(200, 100);
    Paint(plain);
    EXPECT_EQ(plain.At(Pixel(5, 5).x, Pixel(5, 5).y), RGB(255, 128, 0));
    chart_.SelectCurve(0);
    Paint(selected);
    EXPECT_EQ(selected.At(Pixel(5, 5).x, Pixel(5, 5).y), RGB(0, 127, 255));
    EXPECT_EQ(selected.Count(RGB(255, 128, 0)), 0);
}

TEST_F(CurveDrawing, ASpikeAmongManyPointsInOneColumnShows) {
    auto points = Points(100000, [](int i) { return i == 54321 ? 100.0 : 1.0; });
    Add(points, 100000, 100);
    ChartCanvas canvas(400, 200);
    Paint(canvas);
    const CPoint top = Pixel(54321, 100);
    bool seen = false;
    for (int dx = -1; dx <= 1; ++dx)
        for (int dy = 0; dy <= 1; ++dy)
            seen |= canvas.At(top.x + dx, top.y + dy) == RGB(0, 0, 255);
    EXPECT_TRUE(seen);
    // At most four vertices per column.
    kq::chart::ReducedCurve reduced;
    kq::chart::ReducePoints(points.data(), 0, 99999, chart_.GetXAxis(0).GetMapper(),
                            chart_.GetYAxis(0).GetMapper(), reduced);
    EXPECT_LE(reduced.vertices.size(), 4u * 400);
}

TEST(CurveReduction, PointsInOneColumnKeepTheFirstAndTheExtremes) {
    CXGraphAxis::PixelMapper identity;
    identity.scale = 1.0;
    const TDataPoint same[] = {{10, 5}, {10.5, 5}, {11, 5}};
    kq::chart::ReducedCurve out;
    kq::chart::ReducePoints(same, 0, 2, identity, identity, out);
    ASSERT_EQ(out.vertices.size(), 2u);
    EXPECT_EQ(out.vertices[0].x, 10);
    EXPECT_EQ(out.vertices[1].x, 11);
    const TDataPoint column[] = {{3, 5}, {3.1, 9}, {3.2, 1}, {3.3, 4}, {4, 4}};
    kq::chart::ReducePoints(column, 0, 4, identity, identity, out);
    std::vector<int> ys;
    for (const POINT& p : out.vertices)
        ys.push_back(p.y);
    EXPECT_EQ(ys, (std::vector<int>{5, 9, 1, 4, 4}));
    const TDataPoint broken[] = {{0, 1}, {1, 1}, {2, NAN}, {3, 1}, {4, INFINITY}, {5, 1}};
    kq::chart::ReducePoints(broken, 0, 5, identity, identity, out);
    EXPECT_EQ(out.runs, (std::vector<size_t>{0, 2, 3}));
}

TEST_F(CurveDrawing, NaNBreaksTheLine) {
    std::vector<TDataPoint> points = {{0, 5}, {2, 5}, {4, NAN}, {6, 5}, {10, 5}};
    Add(points, 10, 10);
    ChartCanvas canvas(200, 100);
    Paint(canvas);
    const int row = Pixel(0, 5).y;
    EXPECT_EQ(canvas.At(Pixel(1, 5).x, row), RGB(0, 0, 255));
    EXPECT_EQ(canvas.At(Pixel(4, 5).x, row), kWhite);
    EXPECT_EQ(canvas.At(Pixel(8, 5).x, row), RGB(0, 0, 255));
}

TEST_F(CurveDrawing, SegmentsOutsideThePlotAreDrawnButNotRecorded) {
    std::vector<TDataPoint> points = {{-30, 5}, {-20, 5}, {-10, 5}, {5, 5}, {30, 5}, {40, 5}};
    CXGraphDataSerie* s = Add(points, 10, 10);
    ChartCanvas canvas(200, 100);
    Paint(canvas);
    const CRect plot = chart_.GetPlotRect();
    ASSERT_EQ(chart_.GetCurve(0).m_CurveRegions.size(), 2u);
    for (const CRect& seg : chart_.GetCurve(0).m_CurveRegions)
        EXPECT_TRUE(plot.PtInRect(seg.TopLeft()) || plot.PtInRect(seg.BottomRight()));
    (void)s;
}

TEST_F(CurveDrawing, MarkersAreSpacedByThePlotWidth) {
    auto many = Points(1000, [](int i) { return i % 7; });
    CXGraphDataSerie* s = Add(many, 1000, 10);
    s->SetShowMarker(true);
    auto count = [&] {
        RecordingCanvas canvas(400 + 1 + 20, 100);  // a 400 px wide plot
        chart_.SetShowLegend(false);
        chart_.SetMargins(0, 0, 0, 0);
        chart_.PaintChart(&canvas.dc, CRect(0, 0, 400 + 1, 100));
        return std::count(canvas.dc.texts.begin(), canvas.dc.texts.end(), "1");
    };
    EXPECT_EQ(chart_.GetPlotRect().Width(), 0);  // before the first paint
    EXPECT_EQ(count(), 10);                      // every 100th point
    chart_.m_opOperation = CXGraph::MEditPoints;
    EXPECT_EQ(count(), 1000);
    chart_.m_opOperation = CXGraph::MSelect;
    auto few = Points(5, [](int i) { return i; });
    chart_.SetData(few.data(), 5, 0, 0, 0, false);
    EXPECT_EQ(count(), 3);  // every second point
}

TEST_F(CurveDrawing, AreasFillDownToTheBottomOrOverToAnotherCurve) {
    auto low = Points(11, [](int) { return 3.0; });
    auto high = Points(11, [](int) { return 7.0; });
    CXGraphDataSerie* s = Add(low, 10, 10);
    Add(high, 10, 10);
    s = &chart_.GetCurve(0);
    s->m_bFillBeneath = true;
    s->m_bFillTransparent = false;
    s->m_crFillColor = kGreen;
    struct Case {
        short to;
        bool below, between;
    };
    for (const Case& c : {Case{-1, true, false}, Case{0, true, false}, Case{1, false, true},
                          Case{9, false, false}}) {
        s->m_nFillCurve = c.to;
        ChartCanvas canvas(200, 100);
        Paint(canvas);
        const int x = Pixel(5, 0).x;
        EXPECT_EQ(canvas.At(x, Pixel(5, 1).y) == kGreen, c.below) << c.to;
        EXPECT_EQ(canvas.At(x, Pixel(5, 5).y) == kGreen, c.between) << c.to;
        EXPECT_NE(canvas.At(x, Pixel(5, 9).y), kGreen) << c.to;
    }
}

TEST_F(CurveDrawing, TransparentFillDrawnTwiceRestoresThePlot) {
    auto points = Points(11, [](int i) { return i % 3 + 2.0; });
    CXGraphDataSerie* s = Add(points, 10, 10);
    ChartCanvas once(200, 100), twice(200, 100);
    Paint(once);
    s->m_bFillBeneath = true;
    s->m_nFillStyle = HS_DIAGCROSS;
    s->m_nFillCurve = -1;
    s->m_crFillColor = RGB(0, 0, 200);
    Paint(twice);
    EXPECT_NE(twice.Pixels(), once.Pixels());
    // The second fill takes the hatch out again; only the line, drawn again, stays.
    s->Draw(&twice.dc);
    int differing = 0;
    for (int y = 0; y < 100; ++y)
        for (int x = 0; x < 200; ++x)
            differing += once.At(x, y) == kWhite && twice.At(x, y) != kWhite;
    EXPECT_EQ(differing, 0);
}

TEST(ChartCurve, CopiesDuplicateOwnedPointsAndShareTheCallers) {
    auto points = Points(3, [](int i) { return i * 2.0; });
    CXGraphDataSerie referring;
    referring.SetPoints(points.data(), 3, false);
    CXGraphDataSerie owning;
    owning.SetPoints(points.data(), 3, true);
    EXPECT_EQ(referring.m_pData, points.data());
    EXPECT_NE(owning.m_pData, points.data());
    const CXGraphDataSerie copyOfReferring(referring);
    const CXGraphDataSerie copyOfOwning(owning);
    EXPECT_EQ(copyOfReferring.m_pData, points.data());
    EXPECT_FALSE(copyOfReferring.m_bAutoDelete);
    EXPECT_NE(copyOfOwning.m_pData, owning.m_pData);
    EXPECT_TRUE(copyOfOwning.m_bAutoDelete);
    EXPECT_EQ(copyOfOwning.GetYValue(2), 4.0);
    EXPECT_EQ(copyOfOwning.GetYValue(3), 0.0);
    EXPECT_EQ(copyOfOwning.GetXValue(-1), 0.0);
    owning.SetMarker(99);
    owning.SetMarkerSize(0);
    EXPECT_EQ(owning.GetMarker(), 7);
    EXPECT_EQ(owning.GetMarkerSize(), 1);
}

}  // namespace
}  // namespace kq::chart::test
