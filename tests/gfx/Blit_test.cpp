#include <gtest/gtest.h>

#include "GfxTestUtil.h"

using kq::gfx::test::Canvas;

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);

// The ternary operation written out from its definition: bit (P S D) of the index.
COLORREF Reference(uint8_t index, COLORREF p, COLORREF s, COLORREF d) {
    COLORREF out = 0;
    for (int bit = 0; bit < 24; ++bit) {
        const int pb = (p >> bit) & 1, sb = (s >> bit) & 1, db = (d >> bit) & 1;
        if ((index >> (pb * 4 + sb * 2 + db)) & 1)
            out |= COLORREF{1} << bit;
    }
    return out;
}

// A 1 x 1 colour memory DC holding one colour.
struct Pixel {
    explicit Pixel(COLORREF c) {
        dc.CreateCompatibleDC(nullptr);
        bmp.CreateBitmap(1, 1, 1, 32, nullptr);
        old = dc.SelectObject(&bmp);
        dc.SetPixel(0, 0, c);
    }
    ~Pixel() { dc.SelectObject(old); }
    CDC dc;
    CBitmap bmp;
    CBitmap* old;
};

}  // namespace

TEST(Blit, EveryTernaryRasterOperationFollowsItsTruthTable) {
    const COLORREF pat = RGB(0xF0, 0x3C, 0x55);
    const COLORREF src = RGB(0xCC, 0x0F, 0xAA);
    const COLORREF dst = RGB(0xAA, 0xF3, 0x0F);
    Pixel source(src);
    Canvas c(1, 1);
    CBrush brush(pat);
    c.dc.SelectObject(&brush);
    for (int index = 0; index < 256; ++index) {
        c.Clear(dst);
        const DWORD rop = static_cast<DWORD>(index) << 16;
        c.dc.BitBlt(0, 0, 1, 1, &source.dc, 0, 0, rop);
        ASSERT_EQ(c.At(0, 0), Reference(static_cast<uint8_t>(index), pat, src, dst))
            << "rop index " << index;
    }
    // The named codes are the same operations.
    c.Clear(dst);
    c.dc.BitBlt(0, 0, 1, 1, &source.dc, 0, 0, MERGEPAINT);
    EXPECT_EQ(c.At(0, 0), Reference(0xBB, pat, src, dst));
    c.Clear(dst);
    c.dc.PatBlt(0, 0, 1, 1, PATINVERT);
    EXPECT_EQ(c.At(0, 0), pat ^ dst);
}

TEST(Blit, EveryBinaryMixFollowsItsTruthTable) {
    const COLORREF pen = RGB(0xF0, 0x3C, 0x55);
    const COLORREF dst = RGB(0xAA, 0xF3, 0x0F);
    Canvas c(4, 1);
    CPen p(PS_SOLID, 1, pen);
    c.dc.SelectObject(&p);
    for (int rop2 = R2_BLACK; rop2 <= R2_WHITE; ++rop2) {
        c.Clear(dst);
        c.dc.SetROP2(rop2);
        c.dc.MoveTo(0, 0);
        c.dc.LineTo(2, 0);
        COLORREF expected = 0;
        for (int bit = 0; bit < 24; ++bit) {
            const int pb = (pen >> bit) & 1, db = (dst >> bit) & 1;
            if (((rop2 - 1) >> (pb * 2 + db)) & 1)
                expected |= COLORREF{1} << bit;
        }
        EXPECT_EQ(c.At(1, 0), expected) << "rop2 " << rop2;
        EXPECT_EQ(c.At(2, 0), dst);
    }
}

TEST(Blit, MonochromeAndColourConversions) {
    // Monochrome source: black takes the destination's text colour, white its background.
    CDC mono;
    mono.CreateCompatibleDC(nullptr);
    CBitmap bits;
    const BYTE pattern[] = {0x50, 0x00};  // 0 1 0 1 0 0 0 0 : set bits are white
    bits.CreateBitmap(4, 1, 1, 1, pattern);
    CBitmap* old = mono.SelectObject(&bits);
    Canvas c(4, 1);
    c.dc.SetTextColor(RGB(255, 0, 0));
    c.dc.SetBkColor(RGB(0, 0, 255));
    c.dc.BitBlt(0, 0, 4, 1, &mono, 0, 0, SRCCOPY);
    EXPECT_EQ(c.At(0, 0), RGB(255, 0, 0));
    EXPECT_EQ(c.At(1, 0), RGB(0, 0, 255));
    EXPECT_EQ(c.At(2, 0), RGB(255, 0, 0));
    EXPECT_EQ(c.At(3, 0), RGB(0, 0, 255));

    // Colour source to monochrome: the source's background colour becomes white, all else
    // black.
    c.dc.SetPixel(0, 0, RGB(10, 20, 30));
    c.dc.SetPixel(1, 0, RGB(10, 20, 31));
    c.dc.SetBkColor(RGB(10, 20, 30));
    mono.BitBlt(0, 0, 4, 1, &c.dc, 0, 0, SRCCOPY);
    BYTE out[2] = {};
    bits.GetBitmapBits(2, out);
    EXPECT_EQ(out[0] & 0xF0, 0x80);
    mono.SelectObject(old);

    // A compatible bitmap of a memory DC that holds its default bitmap is monochrome.
    CDC mem;
    mem.CreateCompatibleDC(nullptr);
    CBitmap compat;
    compat.CreateCompatibleBitmap(&mem, 4, 4);
    BITMAP bm{};
    compat.GetBitmap(&bm);
    EXPECT_EQ(bm.bmBitsPixel, 1);
    compat.DeleteObject();
    compat.CreateCompatibleBitmap(&c.dc, 4, 4);
    compat.GetBitmap(&bm);
    EXPECT_EQ(bm.bmBitsPixel, 32);
}

TEST(Blit, OverlappingCopyOnOneSurfaceAndClippingToTheSource) {
    Canvas c(6, 1);
    for (int x = 0; x < 6; ++x)
        c.dc.SetPixel(x, 0, RGB(x * 40, 0, 0));
    c.dc.BitBlt(1, 0, 5, 1, &c.dc, 0, 0, SRCCOPY);
    for (int x = 1; x < 6; ++x)
        EXPECT_EQ(c.At(x, 0), RGB((x - 1) * 40, 0, 0));

    // Source pixels outside the source bitmap leave the destination alone.
    Pixel one(kBlack);
    c.Clear();
    c.dc.BitBlt(0, 0, 6, 1, &one.dc, -2, 0, SRCCOPY);
    EXPECT_EQ(c.At(2, 0), kBlack);
    EXPECT_EQ(c.Count(kBlack), 1);
}

TEST(Blit, StretchModesAndMirroring) {
    CDC src;
    src.CreateCompatibleDC(nullptr);
    CBitmap bmp;
    bmp.CreateBitmap(4, 1, 1, 32, nullptr);
    CBitmap* old = src.SelectObject(&bmp);
    src.SetPixel(0, 0, kBlack);
    src.SetPixel(1, 0, kWhite);
    src.SetPixel(2, 0, kBlack);
    src.SetPixel(3, 0, kWhite);

    Canvas c(8, 1);
    c.dc.StretchBlt(0, 0, 8, 1, &src, 0, 0, 4, 1, SRCCOPY);
    EXPECT_EQ(c.Picture(0, 0, 8, 1), "##..##..\n");
    c.dc.StretchBlt(0, 0, 8, 1, &src, 4, 0, -4, 1, SRCCOPY);  // mirrored
    EXPECT_EQ(c.Picture(0, 0, 8, 1), "..##..##\n");

    // HALFTONE shrinking averages the covered area.
    Canvas small(2, 1);
    small.dc.SetStretchBltMode(HALFTONE);
    small.dc.StretchBlt(0, 0, 2, 1, &src, 0, 0, 4, 1, SRCCOPY);
    EXPECT_EQ(small.At(0, 0), RGB(128, 128, 128));
    small.dc.SetStretchBltMode(COLORONCOLOR);
    small.dc.StretchBlt(0, 0, 2, 1, &src, 0, 0, 4, 1, SRCCOPY);
    EXPECT_TRUE(small.At(0, 0) == kBlack || small.At(0, 0) == kWhite);
    src.SelectObject(old);
}

TEST(Blit, AlphaBlendAndTransparentBlt) {
    CDC src;
    src.CreateCompatibleDC(nullptr);
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bi.bmiHeader.biWidth = 2;
    bi.bmiHeader.biHeight = -1;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP dib = ::CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    ASSERT_NE(dib, nullptr);
    auto* px = static_cast<uint32_t*>(bits);
    px[0] = 0x80800000;  // premultiplied red at half alpha
    px[1] = 0x00000000;  // fully transparent
    HGDIOBJ old = ::SelectObject(src.m_hDC, dib);

    Canvas c(2, 1, RGB(0, 0, 255));
    c.dc.AlphaBlend(0, 0, 2, 1, &src, 0, 0, 2, 1, BLENDFUNCTION{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA});
    EXPECT_EQ(c.At(0, 0), RGB(128, 0, 127));
    EXPECT_EQ(c.At(1, 0), RGB(0, 0, 255));
    // A source rectangle beyond the source is refused.
    EXPECT_FALSE(c.dc.AlphaBlend(0, 0, 2, 1, &src, 1, 0, 2, 1,
                                 BLENDFUNCTION{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA}));

    c.Clear(kWhite);
    px[0] = 0x00FF00FF;
    px[1] = 0x00123456;
    c.dc.TransparentBlt(0, 0, 2, 1, &src, 0, 0, 2, 1, RGB(255, 0, 255));
    EXPECT_EQ(c.At(0, 0), kWhite);
    EXPECT_EQ(c.At(1, 0), RGB(0x12, 0x34, 0x56));
    ::SelectObject(src.m_hDC, old);
    ::DeleteObject(dib);
}

TEST(Blit, EmbossedImageThroughAMonochromeMask) {
    // The classic disabled-image recipe: a mask that is black where the image differs from
    // the face colour, then the brush painted through it with DSPDxax (0xE20746).
    const COLORREF face = RGB(192, 192, 192);
    CDC image;
    image.CreateCompatibleDC(nullptr);
    CBitmap bmp;
    bmp.CreateBitmap(4, 1, 1, 32, nullptr);
    CBitmap* oldImage = image.SelectObject(&bmp);
    image.SetPixel(0, 0, face);
    image.SetPixel(1, 0, RGB(0, 0, 0));
    image.SetPixel(2, 0, RGB(255, 255, 255));
    image.SetPixel(3, 0, RGB(200, 0, 0));

    CDC mask;
    mask.CreateCompatibleDC(nullptr);
    CBitmap maskBmp;
    maskBmp.CreateBitmap(4, 1, 1, 1, nullptr);
    CBitmap* oldMask = mask.SelectObject(&maskBmp);
    mask.PatBlt(0, 0, 4, 1, WHITENESS);
    image.SetBkColor(face);
    mask.BitBlt(0, 0, 4, 1, &image, 0, 0, SRCCOPY);
    image.SetBkColor(RGB(255, 255, 255));
    mask.BitBlt(0, 0, 4, 1, &image, 0, 0, SRCPAINT);
    // Black only where the image is neither face nor highlight.
    EXPECT_EQ(mask.GetPixel(0, 0), RGB(255, 255, 255));
    EXPECT_EQ(mask.GetPixel(1, 0), RGB(0, 0, 0));
    EXPECT_EQ(mask.GetPixel(2, 0), RGB(255, 255, 255));
    EXPECT_EQ(mask.GetPixel(3, 0), RGB(0, 0, 0));

    Canvas target(4, 1, face);
    target.dc.SetBkColor(RGB(0, 0, 0));
    target.dc.SetTextColor(RGB(255, 255, 255));
    CBrush shadow(RGB(128, 128, 128));
    target.dc.SelectObject(&shadow);
    target.dc.BitBlt(0, 0, 4, 1, &mask, 0, 0, 0x00E20746);
    EXPECT_EQ(target.At(0, 0), face);
    EXPECT_EQ(target.At(1, 0), RGB(128, 128, 128));
    EXPECT_EQ(target.At(2, 0), face);
    EXPECT_EQ(target.At(3, 0), RGB(128, 128, 128));
    image.SelectObject(oldImage);
    mask.SelectObject(oldMask);
}
