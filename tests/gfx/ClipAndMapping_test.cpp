#include <gtest/gtest.h>

#include "GfxTestUtil.h"

using kq::gfx::test::Canvas;
using kq::gfx::test::Rows;

namespace {
constexpr COLORREF kBlack = RGB(0, 0, 0);
}  // namespace

TEST(Clip, RectanglesAndRegionsLimitDrawing) {
    Canvas c(8, 6);
    c.dc.IntersectClipRect(2, 1, 7, 5);
    c.dc.ExcludeClipRect(3, 2, 5, 4);
    CRect box;
    EXPECT_EQ(c.dc.GetClipBox(&box), COMPLEXREGION);
    EXPECT_EQ(box, CRect(2, 1, 7, 5));
    c.dc.FillSolidRect(0, 0, 8, 6, kBlack);
    EXPECT_EQ(c.Picture(0, 0, 8, 6),
              Rows({"........", "..#####.", "..#..##.", "..#..##.", "..#####.", "........"}));

    // A selected region is copied: changing the caller's region afterwards changes nothing.
    c.Clear();
    CRgn rgn;
    rgn.CreateEllipticRgn(0, 0, 8, 6);
    c.dc.SelectClipRgn(&rgn);
    rgn.SetRectRgn(0, 0, 1, 1);
    c.dc.FillSolidRect(0, 0, 8, 6, kBlack);
    EXPECT_EQ(c.At(0, 0), RGB(255, 255, 255));
    EXPECT_EQ(c.At(4, 3), kBlack);
    EXPECT_TRUE(c.dc.PtVisible(4, 3));
    EXPECT_FALSE(c.dc.PtVisible(0, 0));

    // GetClipRgn answers 0 without a clip region; removing it draws everywhere again.
    CRgn copy;
    copy.CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(::GetClipRgn(c.hdc, copy), 1);
    c.dc.SelectClipRgn(nullptr);
    EXPECT_EQ(::GetClipRgn(c.hdc, copy), 0);
    c.dc.FillSolidRect(0, 0, 8, 6, kBlack);
    EXPECT_EQ(c.Count(kBlack), 48);
}

TEST(Clip, DeviceAreaOffsetsAndClipsAWindowDc) {
    auto screen = std::make_shared<kq::gfx::Surface>(20, 10);
    screen->Fill(0xFFFFFF);
    HDC hdc = kq::gfx::CreateSurfaceDC(screen);
    // A "window" at (5, 2), visible only where it is not covered at its right side.
    kq::gfx::Region visible(RECT{5, 2, 12, 8});
    kq::gfx::SetDCDeviceArea(hdc, screen, POINT{5, 2}, visible);
    const RECT all{0, 0, 100, 100};
    ::FillRect(hdc, &all, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
    int inked = 0;
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 20; ++x)
            inked += screen->Pixel(x, y) == 0;
    EXPECT_EQ(inked, 7 * 6);
    EXPECT_EQ(screen->Pixel(5, 2), 0u);
    RECT box{};
    ::GetClipBox(hdc, &box);
    EXPECT_EQ(CRect(box), CRect(0, 0, 7, 6));
    ::DeleteDC(hdc);
}

TEST(Mapping, AnisotropicWindowAndViewport) {
    Canvas c(100, 100);
    c.dc.SetMapMode(MM_ANISOTROPIC);
    c.dc.SetWindowOrg(0, 0);
    c.dc.SetWindowExt(1000, 1000);
    c.dc.SetViewportOrg(10, 20);
    c.dc.SetViewportExt(50, 50);
    CPoint p(500, 1000);
    c.dc.LPtoDP(&p);
    EXPECT_EQ(p, CPoint(35, 70));
    c.dc.DPtoLP(&p);
    EXPECT_EQ(p, CPoint(500, 1000));
    c.dc.FillSolidRect(0, 0, 1000, 1000, kBlack);
    EXPECT_EQ(c.Count(kBlack), 50 * 50);
    EXPECT_EQ(c.At(10, 20), kBlack);
    EXPECT_EQ(c.At(59, 69), kBlack);
    EXPECT_EQ(c.At(60, 70), RGB(255, 255, 255));
}

TEST(Mapping, MetricModesPointUpAndIsotropicKeepsTheAspect) {
    Canvas c(200, 200);
    c.dc.SetMapMode(MM_LOENGLISH);  // 0.01 inch, y up
    CPoint p(100, -100);            // one inch right and down
    c.dc.LPtoDP(&p);
    EXPECT_EQ(p, CPoint(96, 96));
    c.dc.SetMapMode(MM_HIMETRIC);
    CPoint q(2540, -2540);
    c.dc.LPtoDP(&q);
    EXPECT_EQ(q, CPoint(96, 96));

    c.dc.SetMapMode(MM_ISOTROPIC);
    c.dc.SetWindowExt(100, 100);
    c.dc.SetViewportExt(200, 50);
    EXPECT_EQ(c.dc.GetViewportExt(), CSize(50, 50));
    // Extents do not change in the fixed modes.
    c.dc.SetMapMode(MM_TEXT);
    c.dc.SetWindowExt(7, 7);
    EXPECT_EQ(c.dc.GetWindowExt(), CSize(1, 1));
}

TEST(Mapping, PensAndFontsScaleWithTheMapping) {
    Canvas c(60, 60);
    c.dc.SetMapMode(MM_ANISOTROPIC);
    c.dc.SetWindowExt(10, 10);
    c.dc.SetViewportExt(40, 40);
    CPen pen(PS_SOLID, 2, kBlack);  // 8 device pixels wide
    c.dc.SelectObject(&pen);
    c.dc.MoveTo(2, 5);
    c.dc.LineTo(12, 5);
    int rows = 0;
    for (int y = 0; y < 60; ++y)
        rows += c.At(30, y) == kBlack;
    EXPECT_EQ(rows, 8);
}

TEST(State, SaveAndRestoreBringBackObjectsModesAndClip) {
    Canvas c(10, 10);
    CPen red(PS_SOLID, 1, RGB(255, 0, 0));
    const int level = c.dc.SaveDC();
    EXPECT_EQ(level, 1);
    c.dc.SelectObject(&red);
    c.dc.SetBkMode(TRANSPARENT);
    c.dc.SetMapMode(MM_LOMETRIC);
    c.dc.IntersectClipRect(0, 0, 1, -1);
    EXPECT_EQ(c.dc.SaveDC(), 2);
    c.dc.SetROP2(R2_XORPEN);
    EXPECT_TRUE(c.dc.RestoreDC(1));
    EXPECT_EQ(c.dc.GetBkMode(), OPAQUE);
    EXPECT_EQ(c.dc.GetMapMode(), MM_TEXT);
    EXPECT_EQ(c.dc.GetROP2(), R2_COPYPEN);
    EXPECT_EQ(::GetCurrentObject(c.hdc, OBJ_PEN), ::GetStockObject(BLACK_PEN));
    CRect box;
    EXPECT_EQ(c.dc.GetClipBox(&box), SIMPLEREGION);
    EXPECT_EQ(box, CRect(0, 0, 10, 10));
    EXPECT_FALSE(c.dc.RestoreDC(1));  // that level is gone
    EXPECT_FALSE(c.dc.RestoreDC(-1));
}

TEST(State, DeviceCapsOfScreenAndPrinter) {
    Canvas c(10, 10);
    EXPECT_EQ(c.dc.GetDeviceCaps(LOGPIXELSX), 96);
    EXPECT_EQ(c.dc.GetDeviceCaps(LOGPIXELSY), 96);
    EXPECT_EQ(c.dc.GetDeviceCaps(BITSPIXEL), 32);
    EXPECT_EQ(c.dc.GetDeviceCaps(RASTERCAPS) & RC_PALETTE, 0);
    EXPECT_EQ(c.dc.GetDeviceCaps(TECHNOLOGY), DT_RASDISPLAY);

    auto page = std::make_shared<kq::gfx::Surface>(100, 140);
    const auto caps = kq::gfx::DeviceCaps::Printer(300, 100, 140, 120, 160, 10, 10);
    HDC printer = kq::gfx::CreatePrinterDC(page, caps, nullptr);
    EXPECT_EQ(::GetDeviceCaps(printer, LOGPIXELSY), 300);
    EXPECT_EQ(::GetDeviceCaps(printer, HORZRES), 100);
    EXPECT_EQ(::GetDeviceCaps(printer, PHYSICALWIDTH), 120);
    EXPECT_EQ(::GetDeviceCaps(printer, PHYSICALOFFSETX), 10);
    EXPECT_EQ(::GetDeviceCaps(printer, TECHNOLOGY), DT_RASPRINTER);
    // Without a print job the document calls fail, as on a display DC.
    EXPECT_EQ(::StartPage(printer), SP_ERROR);
    EXPECT_EQ(::StartPage(c.hdc), SP_ERROR);
    // A compatible DC inherits the printer's resolution.
    HDC mem = ::CreateCompatibleDC(printer);
    EXPECT_EQ(::GetDeviceCaps(mem, LOGPIXELSX), 300);
    ::DeleteDC(mem);
    ::DeleteDC(printer);
}
