// Painting the chart: the room the legend and the axes take, the single copy to the screen, the
// same image with and without double buffering, the kept image, handles after many paints, the
// overlays of the interaction state, the printer branch at screen proportions, and the same
// picture for a clip region and after paints at other sizes.
#include <algorithm>

#include "ChartTestUtil.h"
#include "platform/gfx/HandleTable.h"
#include "platform/ui/paint/Screenshot.h"

namespace kq::chart::test {
namespace {

constexpr COLORREF kInnerA = RGB(250, 250, 230);
constexpr COLORREF kInnerB = RGB(230, 250, 250);

class ChartPainting : public ChartWindowTest {
  protected:
    CXGraph* Filled(int w = 400, int h = 300) {
        CXGraph* chart = MakeChart(w, h);
        points_ = Points(50, [](int i) { return (i % 10) * 1.5; });
        other_ = Points(50, [](int i) { return 20.0 - i % 7; });
        chart->SetData(points_.data(), 50, 0, 0, 0, true);
        chart->SetData(other_.data(), 50, 1, 0, 1, true);
        chart->SetInnerColor(kInnerA);
        return chart;
    }
    static void Repaint(CXGraph* chart) {
        chart->Invalidate(FALSE);
        chart->UpdateWindow();
    }
    std::vector<COLORREF> Screen(CXGraph* chart) {
        CRect client;
        chart->GetClientRect(&client);
        std::vector<COLORREF> out;
        for (int y = 0; y < client.bottom; y += 2)
            for (int x = 0; x < client.right; x += 2)
                out.push_back(ScreenAt(chart, x, y));
        return out;
    }
    std::vector<TDataPoint> points_, other_;
};

TEST(ChartLayout, LegendAndVisibleAxesTakeTheirRoom) {
    auto points = Points(10, [](int i) { return i; });
    CXGraph chart;
    chart.SetData(points.data(), 10, 0, 0, 0, true);
    chart.GetCurve(0).SetLabel("Torque");
    ChartCanvas canvas(400, 300);
    const CRect all(0, 0, 400, 300);
    chart.SetShowLegend(false);
    chart.PaintChart(&canvas.dc, all);
    const CRect bare = chart.GetPlotRect();
    chart.SetShowLegend(true);
    chart.PaintChart(&canvas.dc, all);
    ASSERT_EQ(chart.GetLegendEntries().size(), 1u);
    const int w = chart.GetLegendEntries()[0].rect.Width() + 2;
    EXPECT_EQ(chart.GetPlotRect().right, bare.right - (w + 20));
    chart.m_LegendAlignment = 0;
    chart.PaintChart(&canvas.dc, all);
    EXPECT_EQ(chart.GetPlotRect().right, bare.right);
    EXPECT_EQ(chart.GetPlotRect().left, bare.left + w + 20);
    chart.m_LegendAlignment = 5;  // no such side: no legend, no room
    chart.PaintChart(&canvas.dc, all);
    EXPECT_EQ(chart.GetPlotRect(), bare);
    EXPECT_TRUE(chart.GetLegendEntries().empty());

    // A second X axis takes its own room below the first; both lines lie on the plot's bottom.
    chart.SetData(points.data(), 10, 1, 1, 0, false);
    chart.PaintChart(&canvas.dc, all);
    EXPECT_LT(chart.GetPlotRect().bottom, bare.bottom);
    EXPECT_EQ(chart.GetXAxis(0).m_nTop, chart.GetPlotRect().bottom);
    EXPECT_EQ(chart.GetXAxis(1).m_nTop, chart.GetPlotRect().bottom);

    chart.GetYAxis(0).SetVisible(false);
    chart.GetXAxis(0).SetVisible(false);
    chart.GetXAxis(1).SetVisible(false);
    chart.PaintChart(&canvas.dc, all);
    EXPECT_EQ(chart.GetPlotRect(), CRect(6, 5, 395, 295));
}

// An object that looks at the screen while the chart is being drawn.
class ScreenSampler : public CXGraphObject {
  public:
    CPoint at;
    COLORREF seen = CLR_INVALID;
    void Draw(CDCEx*) override {
        CPoint p = at;
        m_pGraph->ClientToScreen(&p);
        seen = kq::ui::GetScreenPixel(p.x, p.y);
    }
};

TEST_F(ChartPainting, NothingReachesTheScreenBeforeTheSingleCopy) {
    CXGraph* chart = Filled();
    chart->ShowCurve(0, false);
    chart->ShowCurve(1, false);
    chart->GetYAxis(0).SetShowGrid(false);
    Repaint(chart);
    auto* sampler = new ScreenSampler;
    sampler->m_pGraph = chart;
    sampler->at = chart->GetPlotRect().TopLeft() + CPoint(2, 2);
    chart->m_Objects.AddTail(sampler);
    chart->SetInnerColor(kInnerB);
    Repaint(chart);
    EXPECT_EQ(sampler->seen, kInnerA);
    EXPECT_EQ(ScreenAt(chart, sampler->at.x, sampler->at.y), kInnerB);
}

TEST_F(ChartPainting, DoubleBufferingChangesNothingInTheImage) {
    CXGraph* chart = Filled();
    chart->GetCurve(0).SetShowMarker(true);
    Repaint(chart);
    const auto buffered = Screen(chart);
    chart->m_bDoubleBuffer = false;
    Repaint(chart);
    EXPECT_EQ(Screen(chart), buffered);
}

TEST_F(ChartPainting, KeptImageEqualsTheWindowAndOutlivesAPrinterPaint) {
    CXGraph* chart = Filled(200, 150);
    EXPECT_EQ(chart->GetChartBitmap(), nullptr);
    Repaint(chart);
    CBitmap* kept = chart->GetChartBitmap();
    ASSERT_NE(kept, nullptr);
    auto compare = [&] {
        CRect client;
        chart->GetClientRect(&client);
        CDC memory;
        memory.CreateCompatibleDC(nullptr);
        CBitmap* old = memory.SelectObject(chart->GetChartBitmap());
        int differing = 0;
        for (int y = 0; y < client.bottom; y += 3)
            for (int x = 0; x < client.right; x += 3)
                differing += memory.GetPixel(x, y) != ScreenAt(chart, x, y);
        memory.SelectObject(old);
        return differing;
    };
    EXPECT_EQ(compare(), 0);
    ChartCanvas page(700, 500, 300);
    page.dc.m_bPrintScaling = true;
    chart->PaintChart(&page.dc, CRect(0, 0, 200, 150));
    EXPECT_EQ(chart->GetChartBitmap(), kept);
    EXPECT_EQ(compare(), 0);
    Repaint(chart);
    EXPECT_EQ(chart->GetChartBitmap(), kept);  // the same size reuses the bitmap

    // The kept image is also the off-screen bitmap of the next paint: at every size it takes the
    // window's size, and nothing of an earlier picture shows through a later one, as a paint
    // straight to the window (no off-screen bitmap) proves.
    int step = 0;
    for (const CSize size : {CSize(260, 180), CSize(120, 90), CSize(120, 90), CSize(200, 150)}) {
        chart->SetWindowPos(nullptr, 0, 0, size.cx, size.cy, SWP_NOZORDER | SWP_NOMOVE);
        chart->SetInnerColor(++step % 2 ? kInnerB : kInnerA);
        chart->SetBackColor(step % 2 ? RGB(200, 190, 180) : RGB(240, 240, 240));
        chart->SetShowLegend(step % 2 == 0);
        chart->m_bDoubleBuffer = true;
        Repaint(chart);
        BITMAP bm{};
        ASSERT_NE(chart->GetChartBitmap()->GetBitmap(&bm), 0);
        EXPECT_EQ(CSize(bm.bmWidth, bm.bmHeight), size) << step;
        EXPECT_EQ(compare(), 0) << step;
        const auto buffered = Screen(chart);
        chart->m_bDoubleBuffer = false;
        Repaint(chart);
        EXPECT_EQ(Screen(chart), buffered) << step;
    }
}

TEST_F(ChartPainting, ManyPaintsLeaveNoHandlesBehind) {
    CXGraph* chart = Filled();
    chart->GetCurve(1).SetShowMarker(true);
    chart->InsertLabel(CRect(20, 20, 100, 60), "label");
    chart->InsertDataNotation(0, 3);
    Repaint(chart);
    const size_t before = kq::gfx::HandleTable::Instance().LiveCount();
    for (int i = 0; i < 100; ++i)
        Repaint(chart);
    EXPECT_EQ(kq::gfx::HandleTable::Instance().LiveCount(), before);
}

TEST_F(ChartPainting, OverlaysFollowTheInteractionState) {
    CXGraph* chart = Filled();
    chart->SetInnerColor(kWhite);
    Repaint(chart);
    const CRect plot = chart->GetPlotRect();

    // The zoom band while the button is down.
    chart->m_opOperation = CXGraph::MZoom;
    chart->m_bLButtonDown = true;
    chart->m_MouseDownPoint = plot.TopLeft() + CPoint(10, 10);
    chart->m_CurrentPoint = plot.TopLeft() + CPoint(60, 50);
    ChartCanvas canvas(400, 300);
    chart->PaintChart(&canvas.dc, CRect(0, 0, 400, 300));
    EXPECT_EQ(chart->m_clCurrentZoom,
              CRect(plot.left + 10, plot.top + 10, plot.left + 60, plot.top + 50));
    EXPECT_EQ(canvas.At(plot.left + 30, plot.top + 20), RGB(150, 150, 255));

    // Two measurements, each with its own curves and texts.
    chart->m_bLButtonDown = false;
    chart->m_opOperation = CXGraph::MMeasure;
    chart->GetYAxis(0).SetLabel("Nm");
    chart->GetYAxis(1).SetLabel("rpm");
    chart->m_Measures.push_back({0, 2, 0, 40});
    chart->m_Measures.push_back({1, 5, 1, 45});
    chart->m_Measures.push_back({7, 5, 1, 45});  // a stale curve is skipped
    RecordingCanvas rec(400, 300);
    chart->PaintChart(&rec.dc, CRect(0, 0, 400, 300));
    const auto has = [&](const char* suffix) {
        return std::any_of(rec.dc.texts.begin(), rec.dc.texts.end(), [&](const std::string& t) {
            return t.size() > 4 && t.ends_with(suffix);
        });
    };
    EXPECT_TRUE(has(" Nm"));
    EXPECT_TRUE(has(" rpm"));

    // Cursor mode after measuring: no stale measure curve reaches the read-out.
    chart->m_MeasureDef = {-1, -1, -1, -1};
    chart->m_nSnappedCurve = 5;
    chart->m_opOperation = CXGraph::MCursor;
    chart->m_CurrentPoint = plot.CenterPoint();
    ChartCanvas cursor(400, 300);
    chart->PaintChart(&cursor.dc, CRect(0, 0, 400, 300));
    EXPECT_TRUE(chart->GetCursorLabel().GetVisible());
    const CString text = chart->GetCursorLabel().m_cText;
    EXPECT_NE(text.Find(" X[01] : "), -1);
    EXPECT_NE(text.Find(" Y[02] : "), -1);
    const int x = chart->GetCursorPosition().x;
    EXPECT_NE(cursor.At(x, plot.top + 1), kWhite);  // the vertical line
    EXPECT_NE(cursor.At(plot.right - 2, chart->GetCursorPosition().y), kWhite);

    // The edited value beside the mouse.
    chart->m_opOperation = CXGraph::MSelect;
    chart->SetMenuOptionFlag(true);
    chart->m_fCurrentEditValue = 12.345;
    RecordingCanvas edited(400, 300);
    chart->PaintChart(&edited.dc, CRect(0, 0, 400, 300));
    EXPECT_NE(std::find(edited.dc.texts.begin(), edited.dc.texts.end(), "12.35"),
              edited.dc.texts.end());
}

// The ranges each axis shows, x axes first.
std::vector<double> ShownRanges(CXGraph* chart) {
    std::vector<double> out;
    for (int i = 0; i < chart->GetXAxisCount() + chart->GetYAxisCount(); ++i) {
        const bool x = i < chart->GetXAxisCount();
        double min = 0, max = 0, step = 0;
        (x ? chart->GetXAxis(i) : chart->GetYAxis(i - chart->GetXAxisCount()))
            .GetRange(min, max, step);
        out.insert(out.end(), {min, max});
    }
    return out;
}

// Labels of the rounded ranges are wider than those of the data's ranges, and an axis without
// values has the range a single value gets: the layout after rounding would differ.
TEST_F(ChartPainting, ClipRegionsAndPaintsAtOtherSizesLeaveTheScreenPictureAsItWas) {
    CXGraph* chart = MakeChart();
    points_ = Points(50, [](int i) { return (i % 10) + 0.5; });
    other_ = Points(50, [](int) { return 0.0; });
    chart->SetData(points_.data(), 50, 0, 0, 0, true);
    chart->SetData(other_.data(), 50, 1, 0, 1, true);
    Repaint(chart);
    const auto whole = Screen(chart);
    const auto ranges = ShownRanges(chart);
    chart->InvalidateRect(CRect(120, 40, 260, 200), FALSE);
    chart->UpdateWindow();
    EXPECT_EQ(Screen(chart), whole);
    for (int round = 0; round < 2; ++round) {
        ChartCanvas page(1400, 1000, 300);
        page.dc.m_bPrintScaling = true;
        chart->PaintChart(&page.dc, CRect(0, 0, 700, 500));
        chart->SetWindowPos(nullptr, 0, 0, 640, 420, SWP_NOZORDER | SWP_NOMOVE);
        Repaint(chart);
        chart->SetWindowPos(nullptr, 0, 0, 400, 300, SWP_NOZORDER | SWP_NOMOVE);
        chart->InvalidateRect(CRect(0, 0, 200, 300), FALSE);
        chart->UpdateWindow();
        EXPECT_EQ(ShownRanges(chart), ranges) << "round " << round;
        EXPECT_EQ(Screen(chart), whole) << "round " << round;
    }
}

// The window's paint reuses its off-screen bitmap uncleared: a pixel the chart left unpainted
// would show the previous picture. Each background is filled only around the next one, also
// where the margins and axes take more room than there is.
TEST(ChartLayout, EveryPaintCoversEveryPixel) {
    constexpr COLORREF kStale = RGB(1, 2, 3);
    auto points = Points(30, [](int i) { return (i * 7) % 11; });
    for (const CSize size : {CSize(300, 200), CSize(90, 60), CSize(30, 20), CSize(4, 3)})
        for (int layout = 0; layout < 4; ++layout) {
            CXGraph chart;
            chart.SetData(points.data(), 30, 0, 0, 0, true);
            chart.SetData(points.data(), 30, 1, 0, 1, true);
            chart.GetYAxis(1).SetPlacement(layout % 2);
            chart.SetShowLegend(layout >= 2);
            chart.m_LegendAlignment = layout % 2;
            ChartCanvas canvas(size.cx, size.cy, 96, kStale);
            chart.PaintChart(&canvas.dc, CRect(0, 0, size.cx, size.cy));
            EXPECT_EQ(canvas.Count(kStale), 0) << size.cx << " layout " << layout;
        }
}

TEST(ChartLayout, LowColourDevicesGetWhiteFillsAndBlackLines) {
    auto points = Points(30, [](int i) { return (i * 7) % 11; });
    CXGraph chart;
    chart.SetData(points.data(), 30, 0, 0, 0, true);
    chart.GetCurve(0).SetColor(RGB(255, 0, 0));
    chart.GetCurve(0).SetShowMarker(true);
    chart.GetCurve(0).SetMarkerType(1);
    chart.InsertLabel(CRect(30, 30, 90, 60), "x")->m_crBkColor = RGB(0, 255, 0);
    ChartCanvas canvas(300, 200, 96, RGB(1, 2, 3));
    canvas.dc.m_bScaleComputed = true;
    canvas.dc.m_bLowColor = true;
    chart.PaintChart(&canvas.dc, CRect(0, 0, 300, 200));
    for (COLORREF colour : {chart.GetBackColor(), chart.GetOuterColor(), chart.GetInnerColor(),
                            RGB(255, 0, 0), RGB(0, 255, 0), RGB(0, 0, 255), RGB(1, 2, 3)}) {
        if (colour != kWhite) {
            EXPECT_EQ(canvas.Count(colour), 0) << std::hex << colour;
        }
    }
    EXPECT_GT(canvas.Count(kWhite), 300 * 200 / 2);
    EXPECT_GT(canvas.Count(kBlack), 100);
}

TEST(ChartPrinting, PageKeepsTheScreenLayoutScaled) {
    auto points = Points(20, [](int i) { return i; });
    CXGraph chart;
    chart.SetShowLegend(false);
    chart.SetData(points.data(), 20, 0, 0, 0, true);
    chart.GetYAxis(0).SetShowGrid(false);
    chart.GetXAxis(0).SetShowGrid(false);
    ChartCanvas screen(320, 240);
    chart.PaintChart(&screen.dc, CRect(0, 0, 320, 240));
    const CRect plot = chart.GetPlotRect();
    const int axisX = chart.GetYAxis(0).m_nLeft;
    const int axisY = chart.GetXAxis(0).m_nTop;
    ChartCanvas page(1000, 750, 300);
    page.dc.m_bPrintScaling = true;
    chart.PaintChart(&page.dc, CRect(0, 0, 320, 240));
    EXPECT_EQ(chart.GetPlotRect(), plot);  // laid out in screen pixels
    const int scaledX = static_cast<int>(axisX * 3.125);
    const int scaledY = static_cast<int>(axisY * 3.125);
    const int midY = static_cast<int>((plot.top + plot.bottom) / 2 * 3.125);
    const int midX = static_cast<int>((plot.left + plot.right) / 2 * 3.125);
    EXPECT_EQ(page.At(scaledX, midY), kBlack);
    EXPECT_EQ(page.At(midX, scaledY), kBlack);
    EXPECT_NE(page.At(scaledX + 2, midY), kBlack);
}

}  // namespace
}  // namespace kq::chart::test
