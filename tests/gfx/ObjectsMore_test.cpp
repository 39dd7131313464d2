#include <gtest/gtest.h>

#include "GfxTestUtil.h"

using kq::gfx::test::Canvas;

TEST(ObjectsMore, SaveDcBringsBackTheSelectedBitmap) {
    HDC mem = ::CreateCompatibleDC(nullptr);
    HBITMAP a = ::CreateBitmap(2, 2, 1, 32, nullptr);
    HBITMAP b = ::CreateBitmap(3, 3, 1, 32, nullptr);
    HGDIOBJ original = ::SelectObject(mem, a);
    const int level = ::SaveDC(mem);
    ::SelectObject(mem, b);
    ::SetPixel(mem, 2, 2, RGB(1, 2, 3));
    ::RestoreDC(mem, level);
    EXPECT_EQ(::GetCurrentObject(mem, OBJ_BITMAP), a);
    // b is free again and can be deleted; a is still the DC's and cannot.
    EXPECT_TRUE(::DeleteObject(b));
    EXPECT_FALSE(::DeleteObject(a));
    ::SelectObject(mem, original);
    EXPECT_TRUE(::DeleteObject(a));
    ::DeleteDC(mem);
}

TEST(ObjectsMore, PatternBrushesKeepTheirOwnCopy) {
    CBitmap bmp;
    bmp.CreateBitmap(2, 2, 1, 32, nullptr);
    CDC mem;
    mem.CreateCompatibleDC(nullptr);
    CBitmap* old = mem.SelectObject(&bmp);
    mem.FillSolidRect(0, 0, 2, 2, RGB(0, 200, 0));
    mem.SelectObject(old);
    CBrush brush(&bmp);
    // Changing or deleting the bitmap afterwards leaves the brush as it was.
    old = mem.SelectObject(&bmp);
    mem.FillSolidRect(0, 0, 2, 2, RGB(200, 0, 0));
    mem.SelectObject(old);
    bmp.DeleteObject();
    Canvas c(4, 4);
    CRect rc(0, 0, 4, 4);
    c.dc.FillRect(&rc, &brush);
    EXPECT_EQ(c.Count(RGB(0, 200, 0)), 16);
}

TEST(ObjectsMore, PalettesAndPaletteColours) {
    struct {
        WORD version = 0x300;
        WORD count = 2;
        PALETTEENTRY entries[2] = {{10, 20, 30, 0}, {40, 50, 60, 0}};
    } lp;
    CPalette pal;
    ASSERT_TRUE(pal.CreatePalette(reinterpret_cast<LOGPALETTE*>(&lp)));
    EXPECT_EQ(pal.GetEntryCount(), 2);
    PALETTEENTRY e{};
    EXPECT_EQ(pal.GetPaletteEntries(1, 1, &e), 1u);
    EXPECT_EQ(e.peGreen, 50);
    Canvas c(2, 1);
    c.dc.SelectPalette(&pal, FALSE);
    EXPECT_EQ(c.dc.RealizePalette(), 0u);
    c.dc.SetPixel(0, 0, PALETTEINDEX(1));
    EXPECT_EQ(c.At(0, 0), RGB(40, 50, 60));
    c.dc.SetPixel(1, 0, PALETTERGB(7, 8, 9));
    EXPECT_EQ(c.At(1, 0), RGB(7, 8, 9));
    WORD count = 0;
    EXPECT_EQ(::GetObject(pal.m_hObject, sizeof(count), &count), 2);
    EXPECT_EQ(count, 2);
}

TEST(ObjectsMore, BitmapsFromBitsAndDibsWithoutADc) {
    // 32-bit device bits: blue, green, red, reserved per pixel.
    const uint32_t px[2] = {0x00112233, 0x00445566};
    CBitmap colour;
    colour.CreateBitmap(2, 1, 1, 32, px);
    CDC mem;
    mem.CreateCompatibleDC(nullptr);
    CBitmap* old = mem.SelectObject(&colour);
    EXPECT_EQ(mem.GetPixel(1, 0), RGB(0x44, 0x55, 0x66));
    mem.SelectObject(old);
    EXPECT_EQ(colour.GetBitmapBits(0, nullptr), 8u);

    // Without a DC, CreateDIBitmap makes a monochrome bitmap, as GDI does.
    BITMAPINFO bi{};
    bi.bmiHeader = BITMAPINFOHEADER{sizeof(BITMAPINFOHEADER), 2, 1, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    const uint32_t white[2] = {0xFFFFFF, 0};
    HBITMAP h = ::CreateDIBitmap(nullptr, &bi.bmiHeader, CBM_INIT, white, &bi, DIB_RGB_COLORS);
    BITMAP bm{};
    ::GetObject(h, sizeof(bm), &bm);
    EXPECT_EQ(bm.bmBitsPixel, 1);
    BYTE bits[2] = {};
    ::GetBitmapBits(h, 2, bits);
    EXPECT_EQ(bits[0] & 0xC0, 0x80);
    ::DeleteObject(h);
    Canvas c(2, 2);
    h = ::CreateDIBitmap(c.hdc, &bi.bmiHeader, CBM_INIT, white, &bi, DIB_RGB_COLORS);
    ::GetObject(h, sizeof(bm), &bm);
    EXPECT_EQ(bm.bmBitsPixel, 32);
    ::DeleteObject(h);
}

TEST(ObjectsMore, ClippingFollowsTheMappingAndMoves) {
    Canvas c(20, 20);
    c.dc.SetMapMode(MM_ANISOTROPIC);
    c.dc.SetWindowExt(1, 1);
    c.dc.SetViewportExt(2, 2);
    c.dc.IntersectClipRect(1, 1, 3, 3);  // device (2, 2) to (6, 6)
    CRect box;
    c.dc.GetClipBox(&box);
    EXPECT_EQ(box, CRect(1, 1, 3, 3));
    c.dc.SetMapMode(MM_TEXT);
    c.dc.OffsetClipRgn(10, 0);
    c.dc.FillSolidRect(0, 0, 20, 20, RGB(0, 0, 0));
    EXPECT_EQ(c.Count(RGB(0, 0, 0)), 16);
    EXPECT_EQ(c.At(12, 2), RGB(0, 0, 0));
    EXPECT_EQ(c.At(2, 2), RGB(255, 255, 255));
    EXPECT_TRUE(c.dc.RectVisible(CRect(11, 1, 13, 3)));
    EXPECT_FALSE(c.dc.RectVisible(CRect(0, 0, 2, 2)));
}
