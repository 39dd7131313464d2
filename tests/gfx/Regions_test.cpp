#include <gtest/gtest.h>

#include <random>

#include "GfxTestUtil.h"
#include "platform/gfx/Region.h"

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

TEST(Regions, ClippingToARectangleEqualsTheGeneralIntersection) {
    // Regions of several bands and spans, built from random rectangles, clipped to rectangles
    // inside, across and outside them: the in-place clip gives the same bands as the general
    // combine, merged where they became equal.
    std::mt19937 random(7);
    std::uniform_int_distribution<int> coord(-20, 60);
    for (int round = 0; round < 300; ++round) {
        kq::gfx::Region region;
        for (int i = 0; i < 6; ++i) {
            const int x = coord(random), y = coord(random);
            const RECT piece{x, y, x + coord(random) / 2 + 1, y + coord(random) / 3 + 1};
            region = kq::gfx::Region::Combine(
                region, kq::gfx::Region(piece),
                i % 3 == 2 ? kq::gfx::Region::Op::Diff : kq::gfx::Region::Op::Or);
        }
        const int x = coord(random), y = coord(random);
        const RECT clip{x, y, x + coord(random), y + coord(random)};
        kq::gfx::Region clipped = region;
        clipped.IntersectRect(clip);
        EXPECT_EQ(clipped,
                  kq::gfx::Region::Combine(region, kq::gfx::Region(clip), kq::gfx::Region::Op::And))
            << "round " << round;
    }
}
