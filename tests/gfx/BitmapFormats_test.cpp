#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "GfxTestUtil.h"
#include "platform/gfx/ImageList.h"

using kq::gfx::test::Canvas;

namespace {

struct FieldsInfo {
    BITMAPINFOHEADER header{};
    DWORD masks[3]{};
};

}  // namespace

TEST(BitmapFormats, BitFieldsCoreHeadersAndPartialScans) {
    // 16-bit 5-6-5 through bit fields, top-down: one row of pure red, green and blue.
    FieldsInfo info;
    info.header.biSize = sizeof(BITMAPINFOHEADER);
    info.header.biWidth = 3;
    info.header.biHeight = -1;
    info.header.biPlanes = 1;
    info.header.biBitCount = 16;
    info.header.biCompression = BI_BITFIELDS;
    info.masks[0] = 0xF800;
    info.masks[1] = 0x07E0;
    info.masks[2] = 0x001F;
    const uint16_t px[4] = {0xF800, 0x07E0, 0x001F, 0};
    Canvas c(3, 1);
    ::SetDIBitsToDevice(c.hdc, 0, 0, 3, 1, 0, 0, 0, 1, px, reinterpret_cast<BITMAPINFO*>(&info),
                        DIB_RGB_COLORS);
    EXPECT_EQ(c.At(0, 0), RGB(255, 0, 0));
    EXPECT_EQ(c.At(1, 0), RGB(0, 255, 0));
    EXPECT_EQ(c.At(2, 0), RGB(0, 0, 255));

    // The old 12-byte header with three-byte colour entries, 4 bits per pixel.
    struct {
        BITMAPCOREHEADER header;
        RGBTRIPLE colors[16];
    } core{};
    core.header = BITMAPCOREHEADER{sizeof(BITMAPCOREHEADER), 2, 1, 1, 4};
    core.colors[3] = RGBTRIPLE{0, 255, 255};  // yellow
    const uint8_t nibbles[4] = {0x30, 0, 0, 0};
    c.Clear();
    ::SetDIBitsToDevice(c.hdc, 0, 0, 2, 1, 0, 0, 0, 1, nibbles,
                        reinterpret_cast<BITMAPINFO*>(&core), DIB_RGB_COLORS);
    EXPECT_EQ(c.At(0, 0), RGB(255, 255, 0));
    EXPECT_EQ(c.At(1, 0), RGB(0, 0, 0));

    // Reading one scan line of a bottom-up DIB: scan 0 is the bottom row.
    HBITMAP bmp = ::CreateCompatibleBitmap(c.hdc, 2, 3);
    HDC mem = ::CreateCompatibleDC(c.hdc);
    HGDIOBJ old = ::SelectObject(mem, bmp);
    ::SetPixel(mem, 0, 2, RGB(10, 20, 30));
    ::SelectObject(mem, old);
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bi.bmiHeader.biWidth = 2;
    bi.bmiHeader.biHeight = 3;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    uint32_t scan[2] = {};
    EXPECT_EQ(::GetDIBits(c.hdc, bmp, 0, 1, scan, &bi, DIB_RGB_COLORS), 1);
    EXPECT_EQ(scan[0] & 0xFFFFFF, 0x0A141Eu);
    EXPECT_EQ(::GetDIBits(c.hdc, bmp, 5, 1, scan, &bi, DIB_RGB_COLORS), 0);
    ::DeleteDC(mem);
    ::DeleteObject(bmp);
}

TEST(BitmapFormats, ArcDirectionChoosesTheOtherSide) {
    Canvas c(21, 21);
    auto inkIn = [&](int x0, int y0, int x1, int y1) {
        int n = 0;
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x)
                n += c.At(x, y) == RGB(0, 0, 0);
        return n;
    };
    c.dc.Arc(0, 0, 21, 21, 20, 10, 10, 0);  // counter-clockwise: the top-right quarter
    EXPECT_GT(inkIn(11, 0, 21, 10), 10);
    EXPECT_EQ(inkIn(0, 11, 10, 21), 0);
    EXPECT_EQ(inkIn(0, 0, 10, 10), 0);
    c.Clear();
    c.dc.SetArcDirection(AD_CLOCKWISE);
    c.dc.Arc(0, 0, 21, 21, 20, 10, 10, 0);  // clockwise: three quarters round the other way
    EXPECT_EQ(inkIn(11, 0, 21, 10), 0);
    EXPECT_GT(inkIn(0, 11, 10, 21), 10);
    EXPECT_GT(inkIn(0, 0, 10, 10), 10);
    // ArcTo draws from the current position and moves it to the arc's end.
    c.Clear();
    c.dc.SetArcDirection(AD_COUNTERCLOCKWISE);
    c.dc.MoveTo(0, 20);
    c.dc.ArcTo(0, 0, 21, 21, 20, 10, 10, 0);
    EXPECT_EQ(c.dc.GetCurrentPosition(), CPoint(10, 0));
    EXPECT_EQ(c.At(0, 20), RGB(0, 0, 0));
}

TEST(BitmapFormats, ImageListsWithAlphaPartsAndMasks) {
    CImageList list;
    ASSERT_TRUE(list.Create(2, 2, ILC_COLOR32 | ILC_MASK, 1, 4));
    // A 32-bit DIB with alpha: the left column half transparent white, the right opaque red.
    BITMAPINFO bi{};
    bi.bmiHeader = BITMAPINFOHEADER{sizeof(BITMAPINFOHEADER), 2, -2, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HBITMAP dib = ::CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    auto* px = static_cast<uint32_t*>(bits);
    px[0] = px[2] = 0x80FFFFFF;
    px[1] = px[3] = 0xFFFF0000;
    CBitmap image;
    image.Attach(dib);
    EXPECT_EQ(list.Add(&image, static_cast<CBitmap*>(nullptr)), 0);
    Canvas c(4, 2, RGB(0, 0, 0));
    list.Draw(&c.dc, 0, CPoint(0, 0), ILD_TRANSPARENT);
    EXPECT_EQ(c.At(0, 0), RGB(128, 128, 128));
    EXPECT_EQ(c.At(1, 0), RGB(255, 0, 0));

    // Drawing only a part, and drawing the mask.
    CImageList masked;
    masked.Create(2, 2, ILC_COLORDDB | ILC_MASK, 1, 1);
    Canvas src(2, 2, RGB(0, 0, 255));
    src.dc.SetPixel(0, 0, RGB(255, 0, 255));
    CBitmap strip;
    strip.Attach(kq::gfx::CreateBitmapFromSurface(*src.surface));
    masked.Add(&strip, RGB(255, 0, 255));
    c.Clear(RGB(0, 255, 0));
    masked.DrawEx(&c.dc, 0, CPoint(0, 0), CSize(1, 2), CLR_NONE, CLR_NONE, ILD_TRANSPARENT);
    EXPECT_EQ(c.At(0, 0), RGB(0, 255, 0));
    EXPECT_EQ(c.At(0, 1), RGB(0, 0, 255));
    EXPECT_EQ(c.At(1, 1), RGB(0, 255, 0));  // outside the part
    masked.Draw(&c.dc, 0, CPoint(2, 0), ILD_MASK);
    EXPECT_EQ(c.At(2, 0), RGB(255, 255, 255));
    EXPECT_EQ(c.At(3, 0), RGB(0, 0, 0));
    // The list's bitmaps are its own and show the stored images.
    IMAGEINFO info{};
    masked.GetImageInfo(0, &info);
    BITMAP bm{};
    ::GetObject(info.hbmMask, sizeof(bm), &bm);
    EXPECT_EQ(bm.bmBitsPixel, 1);
    // A source bitmap smaller than one image adds nothing.
    CBitmap tiny;
    tiny.CreateBitmap(1, 1, 1, 32, nullptr);
    EXPECT_EQ(masked.Add(&tiny, RGB(0, 0, 0)), -1);
}
