#include <gtest/gtest.h>

#include "GfxTestUtil.h"

using kq::gfx::test::Canvas;
using kq::gfx::test::Rows;

namespace {
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);
}  // namespace

TEST(Lines, EndPointIsLeftOutAndVerticesArePaintedOnce) {
    Canvas c(8, 5);
    c.dc.MoveTo(1, 1);
    c.dc.LineTo(5, 1);
    EXPECT_EQ(c.Picture(0, 0, 8, 3), Rows({"........", ".####...", "........"}));

    // With an inverting pen a polyline shows each pixel exactly once, corners included.
    c.Clear();
    c.dc.SetROP2(R2_XORPEN);
    CPen white(PS_SOLID, 1, kWhite);
    c.dc.SelectObject(&white);
    const POINT pts[] = {{1, 1}, {6, 1}, {6, 4}, {1, 4}, {1, 1}};
    c.dc.Polyline(pts, 5);
    EXPECT_EQ(c.Picture(0, 0, 8, 5),
              Rows({"........", ".######.", ".#....#.", ".#....#.", ".######."}));
    // Drawing it again restores every pixel.
    c.dc.Polyline(pts, 5);
    EXPECT_EQ(c.CountNot(kWhite), 0);
}

TEST(Lines, DiagonalAndSteepLinesStepOnePixelPerRow) {
    Canvas c(6, 6);
    c.dc.MoveTo(0, 0);
    c.dc.LineTo(5, 5);
    EXPECT_EQ(c.Picture(0, 0, 6, 6),
              Rows({"#.....", ".#....", "..#...", "...#..", "....#.", "......"}));
    c.Clear();
    c.dc.MoveTo(1, 0);
    c.dc.LineTo(1, 4);
    EXPECT_EQ(c.Count(kBlack), 4);
    EXPECT_EQ(c.At(1, 3), kBlack);
    EXPECT_EQ(c.At(1, 4), kWhite);
}

TEST(Lines, DottedPenKeepsItsPhaseAlongAPolyline) {
    Canvas c(20, 3);
    CPen dot(PS_DOT, 1, kBlack);
    c.dc.SelectObject(&dot);
    c.dc.SetBkMode(TRANSPARENT);
    const POINT pts[] = {{0, 1}, {4, 1}, {14, 1}};
    c.dc.Polyline(pts, 3);
    // Three on, three off, continuing across the vertex at x = 4.
    EXPECT_EQ(c.Picture(0, 1, 20, 2), Rows({"###...###...##......"}));

    // In opaque mode the gaps take the background colour.
    c.Clear();
    c.dc.SetBkMode(OPAQUE);
    c.dc.SetBkColor(RGB(255, 0, 0));
    c.dc.MoveTo(0, 1);
    c.dc.LineTo(6, 1);
    EXPECT_EQ(c.At(0, 1), kBlack);
    EXPECT_EQ(c.At(3, 1), RGB(255, 0, 0));
    EXPECT_EQ(c.At(6, 1), kWhite);
}

TEST(Lines, HugeCoordinatesAreClippedWithoutWrapping) {
    Canvas c(10, 10);
    c.dc.MoveTo(-2000000000, 5);
    c.dc.LineTo(2000000000, 5);
    EXPECT_EQ(c.Count(kBlack), 10);
    for (int x = 0; x < 10; ++x)
        EXPECT_EQ(c.At(x, 5), kBlack);

    // A diagonal between far-away points crosses the surface on its exact diagonal.
    c.Clear();
    c.dc.MoveTo(-2000000000, -2000000000);
    c.dc.LineTo(2000000000, 2000000000);
    EXPECT_EQ(c.Count(kBlack), 10);
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ(c.At(i, i), kBlack);

    // Points that overflow 32 bits after mapping still land where they should.
    c.Clear();
    c.dc.SetMapMode(MM_ANISOTROPIC);
    c.dc.SetWindowExt(1, 1);
    c.dc.SetViewportExt(1000, 1000);
    c.dc.MoveTo(-2000000000, 0);
    c.dc.LineTo(2000000000, 0);
    EXPECT_EQ(c.Count(kBlack), 10);
}

TEST(Lines, WidePenCoversItsWidthWithRoundEnds) {
    Canvas c(12, 9);
    CPen wide(PS_SOLID, 3, kBlack);
    c.dc.SelectObject(&wide);
    c.dc.MoveTo(3, 4);
    c.dc.LineTo(8, 4);
    // Three rows thick; the round caps reach one pixel beyond both ends.
    EXPECT_EQ(c.At(5, 3), kBlack);
    EXPECT_EQ(c.At(5, 5), kBlack);
    EXPECT_EQ(c.At(5, 2), kWhite);
    EXPECT_EQ(c.At(5, 6), kWhite);
    EXPECT_EQ(c.At(2, 4), kBlack);
    EXPECT_EQ(c.At(9, 4), kBlack);
    EXPECT_EQ(c.At(11, 4), kWhite);

    // An XOR wide polyline paints the union once: drawing twice restores.
    c.Clear();
    c.dc.SetROP2(R2_XORPEN);
    CPen whiteWide(PS_SOLID, 3, kWhite);
    c.dc.SelectObject(&whiteWide);
    const POINT pts[] = {{2, 2}, {9, 2}, {9, 7}};
    c.dc.Polyline(pts, 3);
    const int painted = c.CountNot(kWhite);
    EXPECT_GT(painted, 20);
    c.dc.Polyline(pts, 3);
    EXPECT_EQ(c.CountNot(kWhite), 0);
}

TEST(Lines, FastAndExactWideStrokesPaintTheSamePixels) {
    // Copying mixes take the fast path (parts may overlap), inverting ones the exact union;
    // both must cover the same pixels.
    const POINT pts[] = {{3, 3}, {20, 9}, {8, 20}, {25, 25}, {25, 4}};
    for (int width : {2, 3, 5}) {
        Canvas copy(30, 30);
        Canvas invert(30, 30);
        CPen black(PS_SOLID, width, kBlack);
        CPen white(PS_SOLID, width, kWhite);
        copy.dc.SelectObject(&black);
        invert.dc.SelectObject(&white);
        invert.dc.SetROP2(R2_XORPEN);
        copy.dc.Polyline(pts, 5);
        invert.dc.Polyline(pts, 5);
        EXPECT_EQ(copy.Picture(0, 0, 30, 30), invert.Picture(0, 0, 30, 30)) << width;
    }
}
