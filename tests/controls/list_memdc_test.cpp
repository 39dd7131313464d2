// The off-screen DC of the list header and the chart: what reaches the target, when, and where.
#include <gtest/gtest.h>

#include "controls/list/CMemDC_Tarvik.h"
#include "gfx/GfxTestUtil.h"

using kq::gfx::test::Canvas;

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBack = RGB(200, 210, 220);
constexpr COLORREF kInk = RGB(10, 20, 30);

}  // namespace

TEST(ListMemDc, DrawsOffScreenInTargetCoordinatesAndCopiesTheWholeRectangleBack) {
    Canvas c(60, 40, kWhite);
    c.dc.SetBkColor(kBack);
    const CRect area(10, 5, 50, 35);
    {
        CMemDC_Tarvik mem(&c.dc, CRect(), area);
        EXPECT_TRUE(mem.IsOffScreen());
        mem->SetPixel(20, 10, kInk);
        EXPECT_EQ(c.At(20, 10), kWhite);  // nothing reaches the screen before the end
        EXPECT_EQ(c.CountNot(kWhite), 0);
    }
    EXPECT_EQ(c.At(20, 10), kInk);
    EXPECT_EQ(c.At(10, 5), kBack);
    EXPECT_EQ(c.At(49, 34), kBack);
    EXPECT_EQ(c.InkBox(kWhite).left, 10);
    EXPECT_EQ(c.InkBox(kWhite).bottom, 35);
    EXPECT_EQ(c.CountNot(kWhite), area.Width() * area.Height());
}

TEST(ListMemDc, CopiesOnlyANonEmptyCopyBackRectangle) {
    Canvas c(60, 40, kWhite);
    c.dc.SetBkColor(kBack);
    {
        CMemDC_Tarvik mem(&c.dc, CRect(20, 10, 30, 20), CRect(0, 0, 60, 40));
        mem->FillSolidRect(CRect(0, 0, 60, 40), kInk);
    }
    EXPECT_EQ(c.Count(kInk), 100);
    const RECT box = c.InkBox(kWhite);
    EXPECT_EQ(CRect(box), CRect(20, 10, 30, 20));
}

TEST(ListMemDc, PrintingDcIsDrawnStraightAndStaysUsable) {
    Canvas c(40, 30, kWhite);
    c.dc.SetBkColor(kBack);
    c.dc.m_bPrinting = TRUE;
    {
        CMemDC_Tarvik mem(&c.dc, CRect(), CRect(5, 5, 15, 15));
        EXPECT_FALSE(mem.IsOffScreen());
        EXPECT_TRUE(mem.IsPrinting());
        EXPECT_EQ(c.At(5, 5), kBack);  // the background fill is already on the printer
        mem->SetPixel(30, 20, kInk);   // no clipping to the drawing rectangle either
        EXPECT_EQ(c.At(30, 20), kInk);
    }
    // The borrowed handles were given back, not deleted.
    c.dc.SetPixel(1, 1, kInk);
    EXPECT_EQ(c.At(1, 1), kInk);
}

TEST(ListMemDc, WidthReductionLeavesTheRightStripOfTheClipBoxToTheTarget) {
    Canvas c(60, 40, kWhite);
    c.dc.SetBkColor(kBack);
    c.dc.IntersectClipRect(10, 0, 50, 20);
    {
        CMemDC_Tarvik mem(&c.dc, 15);
        EXPECT_TRUE(mem.IsOffScreen());
    }
    EXPECT_EQ(CRect(c.InkBox(kWhite)), CRect(10, 0, 35, 20));
    EXPECT_EQ(c.Count(kBack), 25 * 20);
}

TEST(ListMemDc, WidthReductionThatLeavesNothingDrawsStraightToTheTarget) {
    for (int reduction : {40, 41, 1000}) {
        Canvas c(60, 40, kWhite);
        c.dc.SetBkColor(kBack);
        c.dc.IntersectClipRect(10, 0, 50, 20);
        {
            CMemDC_Tarvik mem(&c.dc, reduction);
            EXPECT_FALSE(mem.IsOffScreen());
            mem->SetPixel(12, 3, kInk);
            EXPECT_EQ(c.At(12, 3), kInk);
        }
        EXPECT_EQ(c.CountNot(kWhite), 1) << reduction;
        c.dc.SetPixel(13, 3, kInk);
        EXPECT_EQ(c.At(13, 3), kInk) << reduction;
    }
}
