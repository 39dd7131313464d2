// The chart's device context: print factors from the target's resolution, scaled drawing only
// while print scaling is on, pens and fonts grown for the page, measuring on the page, and the
// eight marker shapes.
#include "ChartTestUtil.h"
#include "chart/DrawHelpers.h"

namespace kq::chart::test {
namespace {

TEST(ChartDC, FactorsAreTheLargerOverTheSmallerResolution) {
    ChartCanvas p600(20, 20, 600), p72(20, 20, 72), screen(20, 20);
    p600.dc.ComputeScale(p600.dc.m_hDC);
    EXPECT_FLOAT_EQ(p600.dc.m_fHorzFactor, 6.25f);
    EXPECT_FLOAT_EQ(p600.dc.m_fVertFactor, 6.25f);
    p72.dc.ComputeScale(p72.dc.m_hDC);
    EXPECT_FLOAT_EQ(p72.dc.m_fHorzFactor, 96.0f / 72.0f);
    screen.dc.ComputeScale(screen.dc.m_hDC);
    EXPECT_FLOAT_EQ(screen.dc.m_fHorzFactor, 1.0f);
    EXPECT_FALSE(screen.dc.m_bLowColor);  // every device here reports NUMCOLORS -1
    CDCEx none;
    none.ComputeScale(nullptr);
    EXPECT_FLOAT_EQ(none.m_fHorzFactor, 1.0f);
}

TEST(ChartDC, DrawingScalesOnlyWhilePrintScalingIsOn) {
    ChartCanvas page(100, 60, 300);
    page.dc.m_bPrintScaling = true;
    page.dc.MoveTo(10, 10);
    page.dc.LineTo(20, 10);
    EXPECT_EQ(page.At(31, 31), kBlack);
    EXPECT_EQ(page.At(61, 31), kBlack);
    EXPECT_EQ(page.At(62, 31), kWhite);  // the end point is not drawn
    EXPECT_EQ(page.At(30, 31), kWhite);

    page.dc.m_bPrintScaling = false;
    page.dc.FillSolidRect(CRect(1, 40, 3, 42), RGB(255, 0, 0));
    EXPECT_EQ(page.Count(RGB(255, 0, 0)), 4);
    page.dc.m_bPrintScaling = true;
    page.dc.FillSolidRect(CRect(1, 16, 3, 18), RGB(0, 0, 255));
    EXPECT_EQ(page.Count(RGB(0, 0, 255)), 6 * 6);  // (3, 50)-(9, 56): corners truncated

    CRect r(2, 3, 4, 5);
    page.dc.ScaleRect(r);
    EXPECT_EQ(r, CRect(6, 9, 12, 15));
}

TEST(ChartDC, PensAndFontsGrowOnThePageButNotOnScreen) {
    ChartCanvas page(20, 20, 600);
    page.dc.m_bPrintScaling = true;
    LOGPEN pen{};
    {
        CPenSelector solid(kBlack, 2, &page.dc);
        page.dc.GetCurrentPen()->GetLogPen(&pen);
        EXPECT_EQ(pen.lopnWidth.x, 12);
    }
    {
        CPenSelector dotted(kBlack, 1, &page.dc, PS_DOT);
        page.dc.GetCurrentPen()->GetLogPen(&pen);
        EXPECT_EQ(pen.lopnWidth.x, 1);
    }
    CFont font;
    const LOGFONT lf = MakeChartLogFont("Arial", -14, FW_NORMAL);
    font.CreateFontIndirect(&lf);
    LOGFONT selected{};
    {
        CFontSelector scaled(&font, &page.dc);
        page.dc.GetCurrentFont()->GetLogFont(&selected);
        EXPECT_EQ(selected.lfHeight, -93);
    }
    EXPECT_NE(page.dc.GetCurrentFont()->GetSafeHandle(), nullptr);
    page.dc.m_bPrintScaling = false;
    CFontSelector plain(&font, &page.dc);
    EXPECT_EQ(page.dc.GetCurrentFont(), &font);
}

TEST(ChartDC, MeasuringWhilePrintingScalesTheCallersRectangle) {
    ChartCanvas page(400, 100, 600), screen(400, 100);
    CFont font;
    const LOGFONT lf = MakeChartLogFont("Arial", 13, FW_NORMAL);
    font.CreateFontIndirect(&lf);
    page.dc.SelectObject(&font);
    screen.dc.SelectObject(&font);
    page.dc.m_bPrintScaling = true;
    CRect onPage(10, 10, 11, 11), onScreen(10, 10, 11, 11);
    page.dc.DrawText("Max 12.5", &onPage, DT_CALCRECT | DT_CENTER);
    screen.dc.DrawText("Max 12.5", &onScreen, DT_CALCRECT | DT_CENTER);
    EXPECT_EQ(onPage, CRect(CPoint(62, 62), onScreen.Size()));
    EXPECT_EQ(GetMultilineTextExtent(&screen.dc, "a\nbb").cy,
              2 * GetMultilineTextExtent(&screen.dc, "a").cy);
}

TEST(ChartDC, EightMarkersFillTheirSquare) {
    constexpr COLORREF kRed = RGB(255, 0, 0);
    struct Case {
        int symbol;
        std::vector<CPoint> ink;
        std::vector<CPoint> blank;
    };
    const Case cases[] = {
        {0, {{0, 0}, {9, 9}, {5, 5}}, {{10, 10}}},
        {1, {{5, 5}}, {{0, 0}, {9, 0}}},
        {2, {{0, 0}, {5, 5}, {9, 1}}, {{5, 1}}},
        {3, {{5, 0}, {10, 5}, {5, 10}, {0, 5}}, {{0, 0}, {9, 9}}},
        {4, {{9, 0}, {0, 5}, {9, 10}}, {{0, 0}, {0, 9}}},
        {5, {{5, 0}, {10, 10}, {0, 10}}, {{0, 0}, {9, 1}}},
        {6, {{0, 0}, {10, 5}, {0, 10}}, {{9, 0}, {9, 9}}},
        {7, {{0, 0}, {10, 0}, {5, 10}}, {{1, 8}, {9, 9}}},
    };
    for (const Case& c : cases) {
        ChartCanvas canvas(14, 14);
        MarkerPainterFor(c.symbol)(0, 0, 10, kRed, 0, &canvas.dc);
        for (CPoint p : c.ink)
            EXPECT_NE(canvas.At(p.x, p.y), kWhite) << c.symbol << " at " << p.x << "," << p.y;
        for (CPoint p : c.blank)
            EXPECT_EQ(canvas.At(p.x, p.y), kWhite) << c.symbol << " at " << p.x << "," << p.y;
        EXPECT_GT(canvas.Count(kRed), 0) << c.symbol;
    }
    // Outside the table the square stands in; on a low-colour device the fill is black.
    ChartCanvas low(14, 14);
    low.dc.m_bScaleComputed = true;
    low.dc.m_bLowColor = true;
    MarkerPainterFor(99)(0, 0, 10, kRed, 0, &low.dc);
    EXPECT_EQ(low.At(5, 5), kBlack);
    EXPECT_EQ(low.Count(kRed), 0);
}

}  // namespace
}  // namespace kq::chart::test
