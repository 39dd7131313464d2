#include <gtest/gtest.h>

#include "GfxTestUtil.h"

using kq::gfx::test::Canvas;
using kq::gfx::test::Rows;

namespace {
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kRed = RGB(255, 0, 0);
}  // namespace

TEST(Shapes, RectangleExcludesRightAndBottomAndNullPenShrinksTheFill) {
    Canvas c(8, 7);
    CBrush red(kRed);
    c.dc.SelectObject(&red);
    c.dc.Rectangle(1, 1, 6, 5);
    EXPECT_EQ(c.Picture(0, 0, 8, 6, kRed),
              Rows({"########", "########", "##...###", "##...###", "########", "########"}));
    EXPECT_EQ(c.At(1, 1), kBlack);
    EXPECT_EQ(c.At(5, 4), kBlack);
    EXPECT_EQ(c.At(6, 4), kWhite);

    c.Clear();
    c.dc.SelectStockObject(NULL_PEN);
    c.dc.Rectangle(1, 1, 6, 5);
    EXPECT_EQ(c.Picture(0, 0, 8, 6),
              Rows({"........", ".####...", ".####...", ".####...", "........", "........"}));
}

TEST(Shapes, FillFrameAndInvertRect) {
    Canvas c(8, 6);
    CBrush black(kBlack);
    CRect rc(1, 1, 7, 5);
    c.dc.FillRect(&rc, &black);
    EXPECT_EQ(c.Count(kBlack), 24);
    EXPECT_EQ(c.At(6, 4), kBlack);
    EXPECT_EQ(c.At(7, 4), kWhite);
    c.dc.InvertRect(&rc);
    EXPECT_EQ(c.Count(kWhite), 48);

    c.dc.FrameRect(&rc, &black);
    EXPECT_EQ(c.Picture(0, 0, 8, 6),
              Rows({"........", ".######.", ".#....#.", ".#....#.", ".######.", "........"}));

    // A system colour index plus one stands for the system colour brush.
    c.Clear();
    ::FillRect(c.hdc, &rc, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
    EXPECT_EQ(c.At(3, 3), RGB(192, 192, 192));
}

TEST(Shapes, FillSolidRectAndDraw3dRectLayout) {
    Canvas c(6, 5);
    c.dc.FillSolidRect(4, 3, -3, -2, kRed);  // negative sizes are normalised
    EXPECT_EQ(c.Count(kRed), 6);
    EXPECT_EQ(c.At(1, 1), kRed);

    c.Clear();
    c.dc.Draw3dRect(0, 0, 5, 4, kBlack, kRed);
    EXPECT_EQ(c.At(0, 0), kBlack);
    EXPECT_EQ(c.At(3, 0), kBlack);
    EXPECT_EQ(c.At(4, 0), kRed);  // top-right corner belongs to the right side
    EXPECT_EQ(c.At(0, 3), kRed);  // bottom-left corner belongs to the bottom side
    EXPECT_EQ(c.At(0, 2), kBlack);
    EXPECT_EQ(c.At(2, 2), kWhite);
}

TEST(Shapes, FocusRectInvertsAlternatePixelsAndRestores) {
    Canvas c(10, 8);
    CRect rc(1, 1, 9, 7);
    c.dc.DrawFocusRect(&rc);
    EXPECT_GT(c.CountNot(kWhite), 8);
    EXPECT_NE(c.At(1, 1) == kWhite, c.At(2, 1) == kWhite);
    EXPECT_EQ(c.At(4, 4), kWhite);
    c.dc.DrawFocusRect(&rc);
    EXPECT_EQ(c.CountNot(kWhite), 0);
}

TEST(Shapes, EllipseIsSymmetricAndInsideItsBox) {
    Canvas c(16, 16);
    CBrush red(kRed);
    c.dc.SelectObject(&red);
    c.dc.Ellipse(2, 3, 13, 12);
    const RECT ink = c.InkBox();
    EXPECT_EQ(ink.left, 2);
    EXPECT_EQ(ink.top, 3);
    EXPECT_EQ(ink.right, 13);
    EXPECT_EQ(ink.bottom, 12);
    for (int y = 3; y < 12; ++y)
        for (int x = 2; x < 13; ++x) {
            EXPECT_EQ(c.At(x, y) == kWhite, c.At(14 - x, y) == kWhite) << x << "," << y;
            EXPECT_EQ(c.At(x, y) == kWhite, c.At(x, 14 - y) == kWhite) << x << "," << y;
        }
    EXPECT_EQ(c.At(7, 7), kRed);
    EXPECT_EQ(c.At(2, 3), kWhite);
}

TEST(Shapes, PolygonFillModesAndPieChordArc) {
    Canvas c(20, 20);
    c.dc.SelectStockObject(NULL_PEN);
    c.dc.SelectStockObject(BLACK_BRUSH);
    // A pentagram: the centre is outside with ALTERNATE and inside with WINDING.
    const POINT star[] = {{10, 1}, {16, 18}, {1, 7}, {19, 7}, {4, 18}};
    c.dc.SetPolyFillMode(ALTERNATE);
    c.dc.Polygon(star, 5);
    EXPECT_EQ(c.At(10, 10), kWhite);
    c.Clear();
    c.dc.SetPolyFillMode(WINDING);
    c.dc.Polygon(star, 5);
    EXPECT_EQ(c.At(10, 10), kBlack);

    // A square polygon without pen fills its interior, right and bottom edges excluded.
    c.Clear();
    const POINT square[] = {{2, 2}, {6, 2}, {6, 6}, {2, 6}};
    c.dc.Polygon(square, 4);
    EXPECT_EQ(c.Count(kBlack), 16);

    // Pie: the quarter towards the top right of a circle.
    c.Clear();
    c.dc.SelectStockObject(BLACK_PEN);
    c.dc.Pie(0, 0, 19, 19, 19, 9, 9, 0);
    EXPECT_EQ(c.At(13, 5), kBlack);
    EXPECT_EQ(c.At(5, 13), kWhite);
    EXPECT_EQ(c.At(5, 5), kWhite);
    c.Clear();
    c.dc.Arc(0, 0, 19, 19, 19, 9, 9, 0);
    EXPECT_EQ(c.At(13, 5), kWhite);  // an arc is not filled
    EXPECT_GT(c.Count(kBlack), 8);
}

TEST(Shapes, RoundRectStaysInItsBoxWithCutCorners) {
    Canvas c(20, 14);
    c.dc.RoundRect(1, 1, 19, 13, 8, 8);
    const RECT ink = c.InkBox();
    EXPECT_EQ(ink.left, 1);
    EXPECT_EQ(ink.top, 1);
    EXPECT_EQ(ink.right, 19);
    EXPECT_EQ(ink.bottom, 13);
    EXPECT_EQ(c.At(1, 1), kWhite);
    EXPECT_EQ(c.At(10, 1), kBlack);
    EXPECT_EQ(c.At(1, 7), kBlack);
}

TEST(Shapes, PixelsAndHatchedBrushes) {
    Canvas c(16, 16);
    EXPECT_EQ(c.dc.SetPixel(3, 4, kRed), kRed);
    EXPECT_EQ(c.dc.GetPixel(3, 4), kRed);
    EXPECT_EQ(c.dc.GetPixel(30, 4), CLR_INVALID);
    EXPECT_EQ(c.dc.SetPixel(-1, 4, kRed), CLR_INVALID);

    c.Clear();
    CBrush hatch(HS_CROSS, kBlack);
    c.dc.SetBkMode(TRANSPARENT);
    CRect rc(0, 0, 16, 16);
    c.dc.FillRect(&rc, &hatch);
    // One horizontal and one vertical line per 8 pixels: 2 * (16 + 16) - 4 crossings.
    EXPECT_EQ(c.Count(kBlack), 60);
    c.Clear(kRed);
    c.dc.SetBkMode(OPAQUE);
    c.dc.FillRect(&rc, &hatch);
    EXPECT_EQ(c.Count(kRed), 0);
}
