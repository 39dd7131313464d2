#include <gtest/gtest.h>

#include <vector>

#include "GfxTestUtil.h"

using kq::gfx::test::Canvas;

namespace {

struct Info {
    BITMAPINFOHEADER header{};
    RGBQUAD colors[256]{};
    Info(int w, int h, int bits, DWORD compression = BI_RGB) {
        header.biSize = sizeof(BITMAPINFOHEADER);
        header.biWidth = w;
        header.biHeight = h;
        header.biPlanes = 1;
        header.biBitCount = static_cast<WORD>(bits);
        header.biCompression = compression;
    }
    BITMAPINFO* Get() { return reinterpret_cast<BITMAPINFO*>(this); }
};

}  // namespace

TEST(Bitmaps, DibRoundTripsAtEveryDepth) {
    Canvas c(6, 3);
    const COLORREF colors[] = {RGB(0, 0, 0), RGB(255, 255, 255), RGB(255, 0, 0)};
    HBITMAP bmp = ::CreateCompatibleBitmap(c.hdc, 6, 3);
    for (int bits : {1, 4, 8, 16, 24, 32}) {
        // Write colours that every depth holds exactly, read them back, compare.
        HDC mem = ::CreateCompatibleDC(c.hdc);
        HGDIOBJ old = ::SelectObject(mem, bmp);
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < 6; ++x)
                ::SetPixel(mem, x, y, colors[(x + y) % (bits == 1 ? 2 : 3)]);
        ::SelectObject(mem, old);
        Info info(6, 3, bits);
        std::vector<uint8_t> data(6 * 3 * 4 + 64);
        ASSERT_EQ(::GetDIBits(c.hdc, bmp, 0, 3, data.data(), info.Get(), DIB_RGB_COLORS), 3)
            << bits;
        HBITMAP back = ::CreateCompatibleBitmap(c.hdc, 6, 3);
        ASSERT_EQ(::SetDIBits(c.hdc, back, 0, 3, data.data(), info.Get(), DIB_RGB_COLORS), 3);
        old = ::SelectObject(mem, back);
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < 6; ++x)
                EXPECT_EQ(::GetPixel(mem, x, y), colors[(x + y) % (bits == 1 ? 2 : 3)])
                    << bits << " bits at " << x << "," << y;
        ::SelectObject(mem, old);
        ::DeleteObject(back);
        ::DeleteDC(mem);
    }
    // Asking with a zero bit count describes the bitmap.
    Info query(0, 0, 0);
    EXPECT_EQ(::GetDIBits(c.hdc, bmp, 0, 0, nullptr, query.Get(), DIB_RGB_COLORS), 1);
    EXPECT_EQ(query.header.biWidth, 6);
    EXPECT_EQ(query.header.biBitCount, 32);
    EXPECT_EQ(query.header.biSizeImage, 6u * 3 * 4);
    ::DeleteObject(bmp);
}

TEST(Bitmaps, DibSectionBitsAreThePixels) {
    Info info(4, 2, 32);  // bottom-up
    void* bits = nullptr;
    HBITMAP dib = ::CreateDIBSection(nullptr, info.Get(), DIB_RGB_COLORS, &bits, nullptr, 0);
    ASSERT_NE(bits, nullptr);
    auto* px = static_cast<uint32_t*>(bits);
    px[0] = 0x00FF0000;  // first row in memory is the bottom row
    HDC mem = ::CreateCompatibleDC(nullptr);
    HGDIOBJ old = ::SelectObject(mem, dib);
    EXPECT_EQ(::GetPixel(mem, 0, 1), RGB(255, 0, 0));
    ::SetPixel(mem, 3, 0, RGB(0, 0, 255));
    EXPECT_EQ(px[4 + 3], 0x000000FFu);
    DIBSECTION ds{};
    EXPECT_EQ(::GetObject(dib, sizeof(ds), &ds), static_cast<int>(sizeof(ds)));
    EXPECT_EQ(ds.dsBm.bmBits, bits);
    EXPECT_EQ(ds.dsBmih.biBitCount, 32);

    // An 8-bit section keeps its own format in its bits; drawing goes through.
    Info pal(4, -2, 8);
    pal.colors[1] = RGBQUAD{0, 0, 255, 0};  // red
    void* bits8 = nullptr;
    HBITMAP dib8 = ::CreateDIBSection(nullptr, pal.Get(), DIB_RGB_COLORS, &bits8, nullptr, 0);
    ASSERT_NE(bits8, nullptr);
    static_cast<uint8_t*>(bits8)[2] = 1;
    ::SelectObject(mem, dib8);
    EXPECT_EQ(::GetPixel(mem, 2, 0), RGB(255, 0, 0));
    ::SetPixel(mem, 0, 1, RGB(255, 0, 0));
    EXPECT_EQ(static_cast<uint8_t*>(bits8)[4], 1);
    ::SelectObject(mem, old);
    ::DeleteDC(mem);
    ::DeleteObject(dib);
    ::DeleteObject(dib8);
}

TEST(Bitmaps, StretchDibitsCountsBottomUpSourceFromTheBottom) {
    // A 2 x 2 bottom-up 24-bit DIB: bottom row red, top row blue.
    Info info(2, 2, 24);
    const uint8_t bits[] = {0, 0, 255, 0, 0, 255, 0, 0, 255, 0, 0, 0, 255, 0, 0, 255, 0, 0};
    // Rows are 8 bytes (6 padded to 8).
    std::vector<uint8_t> data(16, 0);
    std::copy(bits, bits + 6, data.begin());
    std::copy(bits + 12, bits + 18, data.begin() + 8);
    Canvas c(4, 4);
    EXPECT_EQ(::StretchDIBits(c.hdc, 0, 0, 4, 4, 0, 0, 2, 2, data.data(), info.Get(),
                              DIB_RGB_COLORS, SRCCOPY),
              2);
    EXPECT_EQ(c.At(0, 0), RGB(0, 0, 255));
    EXPECT_EQ(c.At(3, 3), RGB(255, 0, 0));
    // The lower source row alone (y = 0 counts from the bottom).
    c.Clear();
    ::StretchDIBits(c.hdc, 0, 0, 4, 4, 0, 0, 2, 1, data.data(), info.Get(), DIB_RGB_COLORS,
                    SRCCOPY);
    EXPECT_EQ(c.At(0, 0), RGB(255, 0, 0));

    // RLE8: a run of 3 pixels of colour 1, end of bitmap.
    Info rle(3, 1, 8, BI_RLE8);
    rle.colors[1] = RGBQUAD{0, 255, 0, 0};
    const uint8_t runs[] = {3, 1, 0, 1};
    rle.header.biSizeImage = sizeof(runs);
    c.Clear();
    ::SetDIBitsToDevice(c.hdc, 0, 0, 3, 1, 0, 0, 0, 1, runs, rle.Get(), DIB_RGB_COLORS);
    EXPECT_EQ(c.At(2, 0), RGB(0, 255, 0));
    // A run that claims more data than the bits hold is refused, not read past.
    const uint8_t broken[] = {0, 5, 1};
    rle.header.biSizeImage = sizeof(broken);
    EXPECT_EQ(::SetDIBitsToDevice(c.hdc, 0, 0, 3, 1, 0, 0, 0, 1, broken, rle.Get(), DIB_RGB_COLORS),
              0);
}

TEST(Bitmaps, AShrinkingStretchOfAHugeDibKeepsItsQuadrantsAndDirection) {
    // 4000 x 100 at 1 bit, bottom-up: upper half white on the left, black on the right;
    // lower half the other way round. Shrunk onto 8 x 8 pixels it is read only where sampled.
    constexpr int kWidth = 4000, kHeight = 100, kStride = kWidth / 8;
    Info info(kWidth, kHeight, 1);
    info.colors[1] = RGBQUAD{255, 255, 255, 0};
    std::vector<uint8_t> data(size_t{kStride} * kHeight, 0);
    for (int scan = 0; scan < kHeight; ++scan) {
        const bool upper = scan >= kHeight / 2;
        for (int byte = 0; byte < kStride; ++byte)
            data[size_t(scan) * kStride + byte] = (byte < kStride / 2) == upper ? 0xFF : 0x00;
    }
    const COLORREF white = RGB(255, 255, 255), black = RGB(0, 0, 0);
    Canvas c(8, 8);
    for (int mode : {COLORONCOLOR, HALFTONE, BLACKONWHITE}) {
        ::SetStretchBltMode(c.hdc, mode);
        EXPECT_EQ(::StretchDIBits(c.hdc, 0, 0, 8, 8, 0, 0, kWidth, kHeight, data.data(), info.Get(),
                                  DIB_RGB_COLORS, SRCCOPY),
                  kHeight);
        EXPECT_EQ(c.At(1, 1), white) << mode;
        EXPECT_EQ(c.At(6, 1), black) << mode;
        EXPECT_EQ(c.At(1, 6), black) << mode;
        EXPECT_EQ(c.At(6, 6), white) << mode;
        // A negative source width mirrors it.
        ::StretchDIBits(c.hdc, 0, 0, 8, 8, kWidth, 0, -kWidth, kHeight, data.data(), info.Get(),
                        DIB_RGB_COLORS, SRCCOPY);
        EXPECT_EQ(c.At(1, 1), black) << mode;
        EXPECT_EQ(c.At(6, 6), black) << mode;
    }
}

TEST(Bitmaps, HostileHeadersAreRefused) {
    Info huge(1 << 20, 1 << 20, 32);
    void* bits = nullptr;
    EXPECT_EQ(::CreateDIBSection(nullptr, huge.Get(), DIB_RGB_COLORS, &bits, nullptr, 0), nullptr);
    Info odd(4, 4, 7);
    EXPECT_EQ(::CreateDIBSection(nullptr, odd.Get(), DIB_RGB_COLORS, &bits, nullptr, 0), nullptr);
    Info fields(4, 4, 24, BI_BITFIELDS);
    EXPECT_EQ(::CreateDIBSection(nullptr, fields.Get(), DIB_RGB_COLORS, &bits, nullptr, 0),
              nullptr);
    EXPECT_EQ(::CreateBitmap(-1, 4, 1, 1, nullptr), nullptr);
    EXPECT_EQ(::CreateCompatibleBitmap(nullptr, 4, 4), nullptr);
}

TEST(Bitmaps, MonochromeBitsAndPatternBrushes) {
    const BYTE rows[] = {0xAA, 0x00, 0x55, 0x00};  // 8 x 2 checker, word-aligned rows
    CBitmap mono;
    mono.CreateBitmap(8, 2, 1, 1, rows);
    BYTE back[4] = {};
    EXPECT_EQ(mono.GetBitmapBits(4, back), 4u);
    EXPECT_EQ(back[0], 0xAA);
    EXPECT_EQ(back[2], 0x55);

    // A monochrome pattern brush paints in the text and background colours.
    CBrush brush;
    brush.CreatePatternBrush(&mono);
    Canvas c(8, 2);
    c.dc.SetTextColor(RGB(255, 0, 0));
    c.dc.SetBkColor(RGB(0, 0, 255));
    CRect rc(0, 0, 8, 2);
    c.dc.FillRect(&rc, &brush);
    EXPECT_EQ(c.At(0, 0), RGB(0, 0, 255));  // set bits are white: background colour
    EXPECT_EQ(c.At(1, 0), RGB(255, 0, 0));
    EXPECT_EQ(c.At(0, 1), RGB(255, 0, 0));
    // The brush origin shifts the pattern.
    c.dc.SetBrushOrg(1, 0);
    c.dc.FillRect(&rc, &brush);
    EXPECT_EQ(c.At(1, 0), RGB(0, 0, 255));
}
