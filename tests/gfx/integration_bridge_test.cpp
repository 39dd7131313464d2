#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "GfxTestUtil.h"
#include "platform/gfx/BitmapFile.h"
#include "platform/gfx/ImageBridge.h"
#include "platform/gfx/codec/Bmp.h"

using namespace kq::gfx;
using kq::gfx::test::Canvas;
namespace fs = std::filesystem;

TEST(ImageBridge, ImageBitmapAndBmpFileRoundTrips) {
    Image source(13, 7);  // odd width: 24-bit rows are padded
    for (int y = 0; y < 7; ++y)
        for (int x = 0; x < 13; ++x)
            source.SetPixel(x, y, MakeArgb(0xFF, x * 19, y * 37, (x + y) * 5));
    HBITMAP bitmap = BitmapFromImage(source);
    EXPECT_EQ(BitmapSurface(bitmap)->Pixel(3, 2), source.Pixel(3, 2) & 0xFFFFFF);  // opaque
    const fs::path file = fs::temp_directory_path() / ("kq_bridge_" + std::to_string(::getpid()));
    std::string error;
    ASSERT_TRUE(SaveBitmapAsBmp(bitmap, file.string(), error)) << error;
    const ImageResult back = LoadBmpFile(file.string());
    ASSERT_TRUE(back) << back.error;
    EXPECT_EQ(back.image.pixels, source.pixels);
    EXPECT_EQ(fs::file_size(file), 54u + 40u * 7u);
    HBITMAP again = BitmapFromImage(back.image);
    EXPECT_EQ(ImageFromBitmap(again).pixels, source.pixels);

    // Failures say why and leave the old file.
    EXPECT_FALSE(SaveBitmapAsBmp(nullptr, file.string(), error));
    EXPECT_FALSE(SaveBitmapAsBmp(bitmap, file.string() + "/no/dir.bmp", error));
    EXPECT_FALSE(error.empty());
    EXPECT_TRUE(LoadBmpFile(file.string()));
    fs::remove(file);

    // Alpha travels only when asked for; a monochrome bitmap is black and white.
    source.SetPixel(0, 0, 0x80112233);
    HBITMAP withAlpha = BitmapFromImage(source, true);
    EXPECT_EQ(ImageFromBitmap(withAlpha, true).Pixel(0, 0), 0x80112233u);
    EXPECT_EQ(ImageFromBitmap(withAlpha).Pixel(0, 0), 0xFF112233u);
    HBITMAP mono = MonoBitmapFromImage(source);
    EXPECT_EQ(ImageFromBitmap(mono, true).Pixel(12, 6), 0xFFFFFFFFu);
    EXPECT_EQ(ImageFromBitmap(mono, true).Pixel(0, 0), 0xFF000000u);
    for (HBITMAP h : {bitmap, again, withAlpha, mono})
        ::DeleteObject(h);
    Image inconsistent(3, 3);
    inconsistent.pixels.resize(4);
    EXPECT_EQ(BitmapFromImage(inconsistent), nullptr);
    EXPECT_TRUE(ImageFromBitmap(nullptr).Empty());
}

TEST(ImageBridge, MaskedIconDrawsAndConvertsBackAsItsSource) {
    // Columns: opaque red, transparent (black under the mask), inverting (white under the mask),
    // opaque black.
    Image source(4, 2, 0);
    source.mask.assign(8, 0);
    for (int y = 0; y < 2; ++y) {
        source.SetPixel(0, y, 0xFFFF0000);
        source.SetPixel(2, y, 0x00FFFFFF);
        source.SetPixel(3, y, 0xFF000000);
        source.mask[y * 4 + 1] = source.mask[y * 4 + 2] = 1;
    }
    HICON icon = IconFromImage(source, false, POINT{3, 1});
    Canvas canvas(6, 2, RGB(0, 200, 50));
    ASSERT_TRUE(::DrawIconEx(canvas.hdc, 1, 0, icon, 0, 0, 0, nullptr, DI_NORMAL));
    EXPECT_EQ(canvas.Picture(0, 1, 6, 2, RGB(0, 200, 50)), ".#.##.\n");
    EXPECT_EQ(canvas.At(1, 1), RGB(255, 0, 0));
    EXPECT_EQ(canvas.At(3, 1), RGB(255, 55, 205));  // inverted
    EXPECT_EQ(canvas.At(4, 1), RGB(0, 0, 0));
    POINT hotspot{};
    const Image back = ImageFromIcon(icon, &hotspot);
    EXPECT_EQ(back.pixels, source.pixels);
    EXPECT_EQ(back.mask, source.mask);
    EXPECT_EQ(hotspot.x, 3);
    ::DestroyCursor(icon);

    // A monochrome icon: the AND mask above the XOR mask.
    Image halves(1, 4, 0xFF000000);
    halves.SetPixel(0, 0, 0xFFFFFFFF);
    halves.SetPixel(0, 2, 0xFFFFFFFF);
    ICONINFO info{TRUE, 0, 0, MonoBitmapFromImage(halves), nullptr};
    const Image mono = ImageFromIconInfo(info);
    EXPECT_EQ(mono.mask, (std::vector<uint8_t>{1, 0}));
    EXPECT_EQ(mono.pixels, (std::vector<uint32_t>{0x00FFFFFF, 0xFF000000}));
    ::DeleteObject(info.hbmMask);
}

TEST(ImageBridge, AlphaIconBlendsAndKeepsItsAlpha) {
    Image source(2, 1, 0);
    source.SetPixel(0, 0, 0x80FFFFFF);  // no mask given: taken where alpha is 0
    HICON icon = IconFromImage(source);
    Canvas canvas(2, 1, RGB(0, 0, 0));
    ::DrawIconEx(canvas.hdc, 0, 0, icon, 0, 0, 0, nullptr, DI_NORMAL);
    EXPECT_NEAR(GetRValue(canvas.At(0, 0)), 128, 2);
    EXPECT_EQ(canvas.At(1, 0), RGB(0, 0, 0));
    const Image back = ImageFromIcon(icon);
    EXPECT_EQ(back.pixels, source.pixels);
    EXPECT_EQ(back.mask, (std::vector<uint8_t>{0, 1}));
    ::DestroyIcon(icon);
}
