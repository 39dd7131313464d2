// The drawing a chart control does in one paint: an off-screen image of its area, the plot
// clipped inside it, XOR-type overlays that vanish when drawn again, markers, rotated labels.
#include <gtest/gtest.h>

#include <vector>

#include "GfxTestUtil.h"

using kq::gfx::test::Canvas;
using kq::gfx::test::Rows;

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kBack = RGB(171, 171, 171);
constexpr COLORREF kInner = RGB(255, 255, 240);

std::vector<uint32_t> Snapshot(const Canvas& c) {
    std::vector<uint32_t> pixels;
    for (int y = 0; y < c.surface->Height(); ++y)
        for (int x = 0; x < c.surface->Width(); ++x)
            pixels.push_back(c.surface->Pixel(x, y) & 0xFFFFFF);
    return pixels;
}

// An off-screen copy of `area` of the target: it draws in the target's coordinates and puts
// the image back at the same place.
struct OffScreen {
    OffScreen(CDC& target, const CRect& area) : target(target), area(area) {
        dc.CreateCompatibleDC(&target);
        bitmap.CreateCompatibleBitmap(&target, area.Width(), area.Height());
        old = dc.SelectObject(&bitmap);
        dc.SetWindowOrg(area.left, area.top);
        dc.FillSolidRect(area, target.GetBkColor());
    }
    void CopyBack(const CRect& part) {
        target.BitBlt(part.left, part.top, part.Width(), part.Height(), &dc, part.left, part.top,
                      SRCCOPY);
    }
    ~OffScreen() { dc.SelectObject(old); }
    CDC& target;
    CRect area;
    CDC dc;
    CBitmap bitmap;
    CBitmap* old = nullptr;
};

}  // namespace

TEST(ChartPaint, OffScreenImageLandsWhereItWasDrawnAndCanBeKept) {
    Canvas c(120, 80, kWhite);
    c.dc.SetBkColor(kBack);
    const CRect area(10, 5, 110, 75);
    {
        OffScreen off(c.dc, area);
        BITMAP bm{};
        off.bitmap.GetBitmap(&bm);
        EXPECT_EQ(bm.bmBitsPixel, 32);  // a colour image, not the memory DC's default
        EXPECT_EQ(bm.bmPlanes, 1);
        EXPECT_EQ(bm.bmWidth, 100);
        CPen pen(PS_SOLID, 1, kBlack);
        CPen* oldPen = off.dc.SelectObject(&pen);
        off.dc.SelectStockObject(NULL_BRUSH);
        off.dc.Rectangle(20, 15, 30, 25);
        off.dc.SelectObject(oldPen);
        EXPECT_EQ(c.At(20, 15), kWhite);  // nothing reaches the target before the copy

        // The kept copy of the image: a bitmap compatible with the drawing DC, filled from
        // its logical origin.
        CDC keep;
        keep.CreateCompatibleDC(&off.dc);
        CBitmap kept;
        kept.CreateCompatibleBitmap(&off.dc, area.Width(), area.Height());
        kept.GetBitmap(&bm);
        EXPECT_EQ(bm.bmBitsPixel, 32);
        CBitmap* oldKept = keep.SelectObject(&kept);
        keep.BitBlt(0, 0, area.Width(), area.Height(), &off.dc, area.left, area.top, SRCCOPY);
        EXPECT_EQ(keep.GetPixel(10, 10), kBlack);  // (20, 15) of the chart
        EXPECT_EQ(keep.GetPixel(11, 11), kBack);
        keep.SelectObject(oldKept);

        off.CopyBack(CRect(10, 5, 25, 20));  // only a part
        EXPECT_EQ(c.At(20, 15), kBlack);
        EXPECT_EQ(c.At(29, 15), kWhite);
        off.CopyBack(area);
    }
    EXPECT_EQ(c.At(10, 5), kBack);
    EXPECT_EQ(c.At(109, 74), kBack);
    EXPECT_EQ(c.At(9, 5), kWhite);
    EXPECT_EQ(c.At(110, 74), kWhite);
    EXPECT_EQ(c.At(29, 24), kBlack);
    EXPECT_EQ(c.At(25, 20), kBack);
}

TEST(ChartPaint, ADrawingObjectBorrowsTheOffScreenHandleForOnePaint) {
    Canvas c(30, 20, kWhite);
    c.dc.SetBkColor(kBack);
    {
        OffScreen off(c.dc, CRect(0, 0, 30, 20));
        // The paint draws through its own DC object attached to the same handle.
        CDC drawing;
        ASSERT_TRUE(drawing.Attach(off.dc.m_hDC));
        EXPECT_EQ(CDC::FromHandle(off.dc.m_hDC), &drawing);
        const int saved = drawing.SaveDC();
        drawing.FillSolidRect(2, 2, 5, 5, kBlack);
        drawing.RestoreDC(saved);
        EXPECT_EQ(drawing.Detach(), off.dc.m_hDC);
        // The owner still has a working DC and deletes it itself.
        EXPECT_EQ(off.dc.GetPixel(3, 3), kBlack);
        off.CopyBack(off.area);
    }
    EXPECT_EQ(c.At(3, 3), kBlack);
    EXPECT_EQ(c.At(10, 10), kBack);
}

TEST(ChartPaint, PlotClipAndDrawingStateEndWithTheRestoredState) {
    Canvas c(40, 20, kInner);
    const int saved = c.dc.SaveDC();
    ASSERT_NE(saved, 0);
    c.dc.IntersectClipRect(10, 5, 30, 15);
    CPen red(PS_SOLID, 1, RGB(255, 0, 0));
    c.dc.SelectObject(&red);
    c.dc.SetROP2(R2_NOTXORPEN);
    c.dc.SetBkMode(TRANSPARENT);
    CRect box;
    EXPECT_EQ(c.dc.GetClipBox(&box), SIMPLEREGION);
    EXPECT_EQ(box, CRect(10, 5, 30, 15));
    // A curve segment partly outside the plot is drawn only inside it.
    c.dc.SelectObject(&red);
    c.dc.SetROP2(R2_COPYPEN);
    c.dc.MoveTo(0, 10);
    c.dc.LineTo(40, 10);
    EXPECT_EQ(c.At(9, 10), kInner);
    EXPECT_EQ(c.At(10, 10), RGB(255, 0, 0));
    EXPECT_EQ(c.At(29, 10), RGB(255, 0, 0));
    EXPECT_EQ(c.At(30, 10), kInner);

    c.dc.SetROP2(R2_NOTXORPEN);
    EXPECT_TRUE(c.dc.RestoreDC(saved));
    EXPECT_EQ(c.dc.GetROP2(), R2_COPYPEN);
    EXPECT_EQ(c.dc.GetBkMode(), OPAQUE);
    EXPECT_NE(c.dc.GetCurrentPen()->GetSafeHandle(), red.GetSafeHandle());
    c.dc.GetClipBox(&box);
    EXPECT_EQ(box, CRect(0, 0, 40, 20));
    c.dc.MoveTo(0, 2);
    c.dc.LineTo(40, 2);
    EXPECT_EQ(c.At(0, 2), kBlack);
}

TEST(ChartPaint, CursorAndRubberBandDrawnTwiceLeaveTheImageAsItWas) {
    Canvas c(60, 40, kInner);
    // Some chart content below the overlays: a curve and a hatched area.
    CPen curve(PS_SOLID, 2, RGB(0, 128, 0));
    c.dc.SelectObject(&curve);
    c.dc.MoveTo(0, 35);
    c.dc.LineTo(60, 5);
    CBrush hatch(HS_DIAGCROSS, RGB(0, 0, 200));
    c.dc.SelectObject(&hatch);
    c.dc.Rectangle(5, 5, 25, 25);
    const auto before = Snapshot(c);

    CPen black(PS_SOLID, 1, kBlack);
    c.dc.SelectObject(&black);
    c.dc.SelectStockObject(NULL_BRUSH);
    const int oldMix = c.dc.SetROP2(R2_NOTXORPEN);
    EXPECT_EQ(oldMix, R2_COPYPEN);
    auto cross = [&](CPoint p, int r) {
        c.dc.MoveTo(p.x, 0);
        c.dc.LineTo(p.x, 40);
        c.dc.MoveTo(0, p.y);
        c.dc.LineTo(60, p.y);
        c.dc.Rectangle(p.x - r / 2, p.y - r / 2, p.x + 1 + r / 2, p.y + 1 + r / 2);
    };
    cross({40, 30}, 6);
    EXPECT_EQ(c.At(40, 2), RGB(0, 0, 15));   // the inverse of the plot colour
    EXPECT_EQ(c.At(40, 30), kInner);         // both lines cross here: inverted twice
    EXPECT_EQ(c.At(37, 27), RGB(0, 0, 15));  // the snap square's corner
    cross({40, 30}, 6);
    EXPECT_EQ(Snapshot(c), before);
    cross({12, 31}, 6);
    cross({12, 31}, 6);
    EXPECT_EQ(Snapshot(c), before);
    c.dc.SetROP2(oldMix);

    // The focus rectangle around a rubber band is inverted too.
    const CRect band(8, 6, 50, 30);
    c.dc.DrawFocusRect(band);
    EXPECT_NE(Snapshot(c), before);
    c.dc.DrawFocusRect(band);
    EXPECT_EQ(Snapshot(c), before);

    // FillRect paints with the brush whatever the mix mode, as PatBlt with PATCOPY does.
    CBrush fill(RGB(150, 150, 255));
    c.dc.SetROP2(R2_NOTXORPEN);
    c.dc.SetBkColor(kInner);
    c.dc.FillRect(band, &fill);
    EXPECT_EQ(c.At(8, 6), RGB(150, 150, 255));
    EXPECT_EQ(c.At(49, 29), RGB(150, 150, 255));
    EXPECT_EQ(c.At(50, 29), kInner);
}

TEST(ChartPaint, MarkersAreOutlinedBlackAndFilledWithTheirColour) {
    constexpr COLORREF kRed = RGB(255, 0, 0);
    Canvas c(12, 12);
    CPen outline(PS_SOLID, 1, kBlack);
    CBrush brush(kRed);
    c.dc.SelectObject(&outline);
    c.dc.SelectObject(&brush);
    c.dc.Rectangle(0, 0, 10, 10);
    EXPECT_EQ(c.InkBox(), CRect(0, 0, 10, 10));
    EXPECT_EQ(c.At(9, 9), kBlack);
    EXPECT_EQ(c.At(5, 5), kRed);

    c.Clear();
    c.dc.Ellipse(0, 0, 10, 10);
    EXPECT_EQ(c.InkBox(), CRect(0, 0, 10, 10));
    EXPECT_EQ(c.At(0, 0), kWhite);
    EXPECT_EQ(c.At(5, 5), kRed);

    // Down triangle of size 10: (0, 0), (10, 0), (5, 10); the outline takes in every corner.
    c.Clear();
    const POINT down[] = {{0, 0}, {10, 0}, {5, 10}};
    c.dc.Polygon(down, 3);
    EXPECT_EQ(c.At(0, 0), kBlack);
    EXPECT_EQ(c.At(10, 0), kBlack);
    EXPECT_EQ(c.At(5, 10), kBlack);
    EXPECT_EQ(c.At(5, 4), kRed);
    EXPECT_EQ(c.At(1, 8), kWhite);
    EXPECT_EQ(c.InkBox(), CRect(0, 0, 11, 11));

    // The cross: two lines in a two-pixel pen of the marker colour and no fill.
    c.Clear();
    CPen thick(PS_SOLID, 2, kRed);
    c.dc.SelectObject(&thick);
    c.dc.MoveTo(0, 0);
    c.dc.LineTo(10, 10);
    c.dc.MoveTo(10, 0);
    c.dc.LineTo(0, 10);
    EXPECT_EQ(c.At(5, 5), kRed);
    EXPECT_EQ(c.At(2, 2), kRed);
    EXPECT_EQ(c.At(7, 2), kRed);
    EXPECT_EQ(c.At(5, 1), kWhite);
    EXPECT_EQ(c.Count(kBlack), 0);
}

TEST(ChartPaint, CurveAreaFillsWithAHatchWithoutOutline) {
    constexpr COLORREF kFill = RGB(0, 0, 255);
    Canvas c(20, 20, kInner);
    c.dc.SelectStockObject(NULL_PEN);
    CBrush hatch(HS_HORIZONTAL, kFill);
    c.dc.SelectObject(&hatch);
    c.dc.SetBkColor(kWhite);
    const POINT area[] = {{0, 0}, {16, 0}, {16, 16}, {0, 16}};
    // Opaque: the hatch lines on the background colour.
    c.dc.SetBkMode(OPAQUE);
    c.dc.Polygon(area, 4);
    EXPECT_EQ(c.Count(kFill) + c.Count(kWhite), 16 * 16);  // a null pen draws no outline
    EXPECT_GT(c.Count(kFill), 0);
    EXPECT_GT(c.Count(kWhite), 0);

    // Transparent with the NOT-XOR mix: the hatch lines invert the plot colour once and are
    // taken out by a second fill; the gaps stay.
    c.Clear(kInner);
    c.dc.SetBkMode(TRANSPARENT);
    c.dc.SetROP2(R2_NOTXORPEN);
    c.dc.Polygon(area, 4);
    EXPECT_EQ(c.Count(kWhite), 0);
    EXPECT_GT(c.Count(kInner), 16 * 16 / 2);
    EXPECT_EQ(c.Count(kInner) + c.Count(RGB(0, 0, 240)), 20 * 20);
    c.dc.Polygon(area, 4);
    EXPECT_EQ(c.Count(kInner), 20 * 20);
}

TEST(ChartPaint, UpwardLabelsRunAlongAVerticalMarkerLine) {
    Canvas c(80, 120);
    LOGFONT lf{};
    lf.lfHeight = 12;
    lf.lfWeight = FW_BOLD;
    lf.lfCharSet = DEFAULT_CHARSET;
    lf.lfOutPrecision = OUT_DEFAULT_PRECIS;
    lf.lfClipPrecision = CLIP_CHARACTER_PRECIS;
    lf.lfQuality = ANTIALIASED_QUALITY;
    lf.lfPitchAndFamily = DEFAULT_PITCH;
    strcpy(lf.lfFaceName, "Arial");
    CFont upright;
    ASSERT_TRUE(upright.CreateFontIndirect(&lf));
    lf.lfEscapement = 900;
    lf.lfOrientation = 900;
    lf.lfClipPrecision = CLIP_LH_ANGLES;
    CFont rotated;
    ASSERT_TRUE(rotated.CreateFontIndirect(&lf));
    LOGFONT back{};
    ASSERT_EQ(rotated.GetLogFont(&back), static_cast<int>(sizeof(LOGFONT)));
    EXPECT_EQ(back.lfEscapement, 900);
    EXPECT_EQ(back.lfClipPrecision, CLIP_LH_ANGLES);
    EXPECT_STREQ(back.lfFaceName, "Arial");

    c.dc.SelectObject(&upright);
    const CSize flat = c.dc.GetTextExtent("1.250");
    CFont* old = c.dc.SelectObject(&rotated);
    // Measuring ignores the rotation: width along the text, height across it.
    EXPECT_EQ(c.dc.GetTextExtent("1.250"), flat);
    c.dc.SetBkMode(TRANSPARENT);
    c.dc.TextOut(30, 100, "1.250");
    const CRect ink = c.InkBox();
    EXPECT_GT(ink.Height(), ink.Width());
    EXPECT_GE(ink.left, 30);
    EXPECT_LE(ink.right, 30 + flat.cy + 1);
    EXPECT_LE(ink.bottom, 101);
    EXPECT_GE(ink.top, 100 - flat.cx - 1);
    EXPECT_GT(ink.Height(), flat.cx / 2);
    c.dc.SelectObject(old);
}

TEST(ChartPaint, LabelTextsMeasureAndAlignAsTheAxesExpect) {
    Canvas c(200, 60);
    CFont font;
    ASSERT_TRUE(font.CreateFont(-11, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                                OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY,
                                DEFAULT_PITCH, "Arial"));
    c.dc.SelectObject(&font);
    TEXTMETRIC tm{};
    c.dc.GetTextMetrics(&tm);
    EXPECT_EQ(tm.tmHeight - tm.tmInternalLeading, 11);  // negative height: character height

    // A two-line read-out: the widest line and the height DrawText returns.
    CRect r(0, 0, 0, 0);
    const int h = c.dc.DrawText("X[01] : 12.5 s\r\nY", &r, DT_CALCRECT | DT_CENTER | DT_VCENTER);
    EXPECT_EQ(h, 2 * tm.tmHeight);
    EXPECT_EQ(r.Height(), h);
    EXPECT_EQ(r.Width(), c.dc.GetTextExtent("X[01] : 12.5 s").cx);
    EXPECT_EQ(c.Count(kBlack), 0);  // measuring draws nothing

    // A notation's box grows from its top-left corner to the text.
    CRect flag(50, 30, 51, 50);
    const int flagHeight = c.dc.DrawText("Max 12.5", &flag, DT_CALCRECT | DT_CENTER);
    EXPECT_EQ(flag, CRect(50, 30, 50 + c.dc.GetTextExtent("Max 12.5").cx, 30 + tm.tmHeight));
    EXPECT_EQ(flagHeight, tm.tmHeight);

    // A value drawn right-aligned and vertically centred in a row, not clipped to it.
    c.dc.SetBkMode(TRANSPARENT);
    const CRect row(20, 20, 120, 40);
    CRect copy = row;
    c.dc.DrawText("0.500", &copy, DT_RIGHT | DT_VCENTER | DT_SINGLELINE | DT_NOCLIP);
    CRect ink = c.InkBox();
    EXPECT_LE(ink.right, 120);
    EXPECT_GE(ink.right, 117);
    EXPECT_GT(ink.top, 20);
    EXPECT_LT(ink.bottom, 40);
    EXPECT_NEAR((ink.top + ink.bottom) / 2.0, 30.0, 3.0);

    // A centred text wider than its rectangle overflows on both sides.
    c.Clear();
    CRect narrow(95, 5, 105, 15);
    c.dc.DrawText("12345678", &narrow, DT_CENTER | DT_SINGLELINE | DT_NOCLIP);
    ink = c.InkBox();
    EXPECT_LT(ink.left, 95);
    EXPECT_GT(ink.right, 105);
    EXPECT_NEAR((ink.left + ink.right) / 2.0, 100.0, 2.0);
}

TEST(ChartPaint, FilledBoxBecomesTheBackgroundOfItsText) {
    // A notation flag: a black frame, a white box, the text in it in opaque mode.
    Canvas c(60, 30, kInner);
    c.dc.SetBkColor(RGB(171, 171, 171));
    CRect box(10, 5, 50, 25);
    CRect frame = box;
    frame.InflateRect(1, 1);
    c.dc.FillSolidRect(frame, kBlack);
    EXPECT_EQ(c.dc.GetBkColor(), kBlack);
    c.dc.FillSolidRect(box, kWhite);
    EXPECT_EQ(c.dc.GetBkColor(), kWhite);
    c.dc.DrawText("42", &box, DT_CENTER);
    EXPECT_EQ(c.Count(RGB(171, 171, 171)), 0);
    EXPECT_EQ(c.At(9, 4), kBlack);
    EXPECT_GT(c.Count(kBlack), frame.Width() * 2 + frame.Height() * 2 - 4);
}

TEST(ChartPaint, NoDeviceHereCountsAsLowColour) {
    Canvas c(4, 4);
    EXPECT_EQ(c.dc.GetDeviceCaps(NUMCOLORS), -1);
    CDC mem;
    mem.CreateCompatibleDC(&c.dc);
    EXPECT_EQ(mem.GetDeviceCaps(NUMCOLORS), -1);
    EXPECT_EQ(mem.GetDeviceCaps(RASTERCAPS) & RC_PALETTE, 0);
    EXPECT_EQ(mem.GetDeviceCaps(LOGPIXELSX), 96);
    EXPECT_EQ(mem.GetDeviceCaps(LOGPIXELSY), 96);
}
