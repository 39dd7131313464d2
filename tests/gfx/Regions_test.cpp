#include <gtest/gtest.h>

#include "GfxTestUtil.h"

TEST(Regions, CombineOffsetAndCompare) {
    CRgn a, b, r;
    a.CreateRectRgn(0, 0, 10, 10);
    b.CreateRectRgn(5, 5, 15, 15);
    r.CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(r.CombineRgn(&a, &b, RGN_AND), SIMPLEREGION);
    CRect box;
    r.GetRgnBox(&box);
    EXPECT_EQ(box, CRect(5, 5, 10, 10));
    EXPECT_EQ(r.CombineRgn(&a, &b, RGN_OR), COMPLEXREGION);
    r.GetRgnBox(&box);
    EXPECT_EQ(box, CRect(0, 0, 15, 15));
    EXPECT_FALSE(r.PtInRegion(12, 2));
    EXPECT_TRUE(r.PtInRegion(12, 12));
    EXPECT_EQ(r.CombineRgn(&a, &b, RGN_XOR), COMPLEXREGION);
    EXPECT_FALSE(r.PtInRegion(7, 7));
    EXPECT_EQ(r.CombineRgn(&a, &b, RGN_DIFF), COMPLEXREGION);
    EXPECT_TRUE(r.PtInRegion(2, 7));
    EXPECT_FALSE(r.PtInRegion(7, 7));
    CRect probe(9, 9, 12, 12);
    EXPECT_FALSE(r.RectInRegion(&probe));
    CRect inside(0, 0, 3, 3);
    EXPECT_TRUE(r.RectInRegion(&inside));

    // (A - B) | (A & B) is A again, and compares equal to it.
    CRgn both, back;
    both.CreateRectRgn(0, 0, 0, 0);
    back.CreateRectRgn(0, 0, 0, 0);
    both.CombineRgn(&a, &b, RGN_AND);
    back.CombineRgn(&r, &both, RGN_OR);
    EXPECT_TRUE(back.EqualRgn(&a));
    EXPECT_EQ(r.CombineRgn(&a, &a, RGN_DIFF), NULLREGION);

    back.OffsetRgn(3, -2);
    back.GetRgnBox(&box);
    EXPECT_EQ(box, CRect(3, -2, 13, 8));
}

TEST(Regions, ShapesAndFilling) {
    CRgn ellipse;
    ellipse.CreateEllipticRgn(0, 0, 20, 10);
    CRect box;
    ellipse.GetRgnBox(&box);
    EXPECT_EQ(box, CRect(0, 0, 20, 10));
    EXPECT_TRUE(ellipse.PtInRegion(10, 5));
    EXPECT_FALSE(ellipse.PtInRegion(0, 0));
    EXPECT_FALSE(ellipse.PtInRegion(19, 9));

    const POINT tri[] = {{0, 0}, {10, 0}, {0, 10}};
    CRgn poly;
    poly.CreatePolygonRgn(const_cast<POINT*>(tri), 3, ALTERNATE);
    EXPECT_TRUE(poly.PtInRegion(1, 1));
    EXPECT_FALSE(poly.PtInRegion(8, 8));

    kq::gfx::test::Canvas c(20, 10);
    CBrush black(RGB(0, 0, 0));
    c.dc.FillRgn(&ellipse, &black);
    EXPECT_EQ(c.At(10, 5), RGB(0, 0, 0));
    EXPECT_EQ(c.At(0, 0), RGB(255, 255, 255));
    const int filled = c.Count(RGB(0, 0, 0));
    c.dc.InvertRgn(&ellipse);
    EXPECT_EQ(c.Count(RGB(0, 0, 0)), 0);
    c.dc.FrameRgn(&ellipse, &black, 1, 1);
    const int frame = c.Count(RGB(0, 0, 0));
    EXPECT_GT(frame, 40);
    EXPECT_LT(frame, filled);
    EXPECT_EQ(c.At(10, 5), RGB(255, 255, 255));
}
