#include <gtest/gtest.h>

#include "GfxTestUtil.h"

using kq::gfx::test::Canvas;
using kq::gfx::test::Rows;

namespace {
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);

HPEN GeometricPen(int width, DWORD cap, DWORD join = PS_JOIN_ROUND) {
    LOGBRUSH lb{BS_SOLID, kBlack, 0};
    return ::ExtCreatePen(PS_GEOMETRIC | PS_SOLID | cap | join, static_cast<DWORD>(width), &lb, 0,
                          nullptr);
}
}  // namespace

TEST(Pens, EndCapsOfGeometricPens) {
    Canvas c(20, 9);
    auto extent = [&](DWORD cap) {
        c.Clear();
        HPEN pen = GeometricPen(4, cap);
        HGDIOBJ old = ::SelectObject(c.hdc, pen);
        ::MoveToEx(c.hdc, 6, 4, nullptr);
        ::LineTo(c.hdc, 14, 4);
        ::SelectObject(c.hdc, old);
        ::DeleteObject(pen);
        return c.InkBox();
    };
    const RECT flat = extent(PS_ENDCAP_FLAT);
    EXPECT_EQ(flat.left, 6);
    EXPECT_EQ(flat.right, 14);
    EXPECT_EQ(flat.bottom - flat.top, 4);
    const RECT square = extent(PS_ENDCAP_SQUARE);
    EXPECT_EQ(square.left, 4);
    EXPECT_EQ(square.right, 16);
    const RECT round = extent(PS_ENDCAP_ROUND);
    EXPECT_EQ(round.left, 4);
    EXPECT_EQ(round.right, 16);
    // Round ends leave the corners of the square ends empty.
    EXPECT_EQ(c.At(4, 2), kWhite);

    // A miter join fills the outer corner that a bevel cuts off.
    auto corner = [&](DWORD join) {
        c.Clear();
        HPEN pen = GeometricPen(4, PS_ENDCAP_FLAT, join);
        HGDIOBJ old = ::SelectObject(c.hdc, pen);
        const POINT pts[] = {{2, 6}, {10, 6}, {10, 0}};
        ::Polyline(c.hdc, pts, 3);
        ::SelectObject(c.hdc, old);
        ::DeleteObject(pen);
        return c.At(11, 7);
    };
    EXPECT_EQ(corner(PS_JOIN_MITER), kBlack);
    EXPECT_EQ(corner(PS_JOIN_BEVEL), kWhite);
}

TEST(Pens, InsideFrameUserStyleAndAlternate) {
    Canvas c(12, 12);
    CPen frame(PS_INSIDEFRAME, 3, kBlack);
    c.dc.SelectObject(&frame);
    c.dc.SelectStockObject(NULL_BRUSH);
    c.dc.Rectangle(1, 1, 11, 11);
    const RECT ink = c.InkBox();
    EXPECT_EQ(CRect(ink), CRect(1, 1, 11, 11));
    EXPECT_EQ(c.At(3, 6), kBlack);
    EXPECT_EQ(c.At(4, 6), kWhite);

    c.Clear();
    const DWORD dashes[] = {2, 1};
    LOGBRUSH lb{BS_SOLID, kBlack, 0};
    CPen user(PS_COSMETIC | PS_USERSTYLE, 1, &lb, 2, dashes);
    c.dc.SelectObject(&user);
    c.dc.SetBkMode(TRANSPARENT);
    c.dc.MoveTo(0, 0);
    c.dc.LineTo(9, 0);
    EXPECT_EQ(c.Picture(0, 0, 10, 1), "##.##.##..\n");
    c.Clear();
    CPen alternate(PS_COSMETIC | PS_ALTERNATE, 1, &lb);
    c.dc.SelectObject(&alternate);
    c.dc.MoveTo(0, 0);
    c.dc.LineTo(9, 0);
    EXPECT_EQ(c.Picture(0, 0, 10, 1), "#.#.#.#.#.\n");
    EXTLOGPEN ext{};
    EXPECT_GT(alternate.GetExtLogPen(&ext), 0);
    EXPECT_EQ(ext.elpPenStyle & PS_STYLE_MASK, static_cast<DWORD>(PS_ALTERNATE));
    // Cosmetic pens are one pixel wide; others are refused.
    EXPECT_EQ(::ExtCreatePen(PS_COSMETIC | PS_SOLID, 3, &lb, 0, nullptr), nullptr);
}

TEST(Far, FiguresWithFarCornersFillOnlyWhatShows) {
    Canvas c(16, 16);
    c.dc.SelectStockObject(NULL_PEN);
    c.dc.SelectStockObject(BLACK_BRUSH);
    c.dc.Rectangle(-2000000000, -2000000000, 2000000000, 8);
    EXPECT_EQ(c.Count(kBlack), 16 * 7);  // null pen: right and bottom rows stay out
    c.Clear();
    // A triangle with a corner two billion pixels away still has straight edges here.
    const POINT tri[] = {{0, 0}, {2000000000, 2000000000}, {0, 2000000000}};
    c.dc.Polygon(tri, 3);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            ASSERT_EQ(c.At(x, y) == kBlack, x < y) << x << "," << y;
    c.Clear();
    c.dc.SelectStockObject(BLACK_PEN);
    c.dc.Ellipse(-2000000000, -2000000000, 2000000000, 2000000000);
    EXPECT_EQ(c.Count(kBlack), 256);
    // A wide pen far away paints its visible part.
    c.Clear();
    CPen wide(PS_SOLID, 5, kBlack);
    c.dc.SelectObject(&wide);
    c.dc.MoveTo(-1500000000, 8);
    c.dc.LineTo(1500000000, 8);
    EXPECT_EQ(c.Count(kBlack), 16 * 5);
}

TEST(Far, TextAndBlitsFarOutsideDrawNothing) {
    Canvas c(8, 8);
    c.dc.TextOut(2000000000, 2000000000, CString("far"));
    c.dc.TextOut(-2000000000, 0, CString("far"));
    c.dc.PatBlt(2000000000, 0, 2000000000, 10, BLACKNESS);
    EXPECT_EQ(c.CountNot(kWhite), 0);
    c.dc.PatBlt(-2000000000, 0, 2000000004, 2, BLACKNESS);
    EXPECT_EQ(c.Count(kBlack), 4 * 2);
}

TEST(EdgesMore, FlatMonoSoftAndDiagonalFreeEdges) {
    Canvas c(8, 8);
    CRect rc(0, 0, 8, 8);
    c.dc.DrawEdge(&rc, EDGE_SUNKEN, BF_RECT | BF_FLAT);
    EXPECT_EQ(c.At(0, 0), RGB(128, 128, 128));
    EXPECT_EQ(c.At(7, 7), RGB(128, 128, 128));
    EXPECT_EQ(c.At(1, 1), RGB(192, 192, 192));
    c.Clear(RGB(1, 1, 1));
    c.dc.DrawEdge(&rc, EDGE_RAISED, BF_RECT | BF_MONO | BF_MIDDLE);
    EXPECT_EQ(c.At(0, 0), kBlack);
    EXPECT_EQ(c.At(4, 4), kWhite);
    c.Clear();
    c.dc.DrawEdge(&rc, EDGE_RAISED, BF_RECT | BF_SOFT);
    EXPECT_EQ(c.At(0, 3), kWhite);
    EXPECT_EQ(c.At(1, 3), RGB(223, 223, 223));

    // Menu marks are black on white, for use as masks.
    c.Clear(RGB(9, 9, 9));
    CRect mark(0, 0, 8, 8);
    c.dc.DrawFrameControl(&mark, DFC_MENU, DFCS_MENUCHECK);
    EXPECT_EQ(c.Count(RGB(9, 9, 9)), 0);
    EXPECT_GT(c.Count(kBlack), 5);
}
