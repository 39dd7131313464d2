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

namespace {

// Every pixel different, so that a swapped channel, row or column shows.
Image Gradient(int w, int h) {
    Image image(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            image.SetPixel(x, y, MakeArgb(0xFF, x * 7 % 256, y * 11 % 256, (x + y) * 5 % 256));
    return image;
}

fs::path Scratch(const std::string& name) {
    const fs::path dir = fs::temp_directory_path() / ("kq_bridge_" + std::to_string(::getpid()));
    fs::create_directories(dir);
    return dir / name;
}

}  // namespace

TEST(ImageBridge, ImageBitmapAndBmpFileRoundTrips) {
    const Image source = Gradient(13, 7);  // odd width: 24-bit rows need padding
    HBITMAP bitmap = BitmapFromImage(source);
    ASSERT_NE(bitmap, nullptr);
    BITMAP bm{};
    ASSERT_NE(::GetObject(bitmap, sizeof bm, &bm), 0);
    EXPECT_EQ(bm.bmWidth, 13);
    EXPECT_EQ(bm.bmBitsPixel, 32);
    // A bitmap is opaque: its top byte is 0 as drawing leaves it.
    EXPECT_EQ(BitmapSurface(bitmap)->Pixel(3, 2), source.Pixel(3, 2) & 0xFFFFFF);
    EXPECT_EQ(ImageFromBitmap(bitmap).pixels, source.pixels);

    std::string error;
    const fs::path file = Scratch("round.bmp");
    ASSERT_TRUE(SaveBitmapAsBmp(bitmap, file.string(), error)) << error;
    const ImageResult back = LoadBmpFile(file.string());
    ASSERT_TRUE(back) << back.error;
    EXPECT_EQ(back.image.pixels, source.pixels);
    HBITMAP again = BitmapFromImage(back.image);
    EXPECT_EQ(ImageFromBitmap(again).pixels, source.pixels);
    ::DeleteObject(again);

    // Alpha travels only when asked for.
    Image translucent = source;
    translucent.SetPixel(0, 0, 0x80112233);
    HBITMAP withAlpha = BitmapFromImage(translucent, true);
    EXPECT_EQ(ImageFromBitmap(withAlpha, true).Pixel(0, 0), 0x80112233u);
    EXPECT_EQ(ImageFromBitmap(withAlpha).Pixel(0, 0), 0xFF112233u);
    ::DeleteObject(withAlpha);
    ::DeleteObject(bitmap);
    fs::remove_all(file.parent_path());
}

TEST(ImageBridge, MonochromeBitmapsAndWhatCannotBeConverted) {
    Image source(4, 2, 0xFF000000);
    source.SetPixel(1, 0, 0xFFC0C0C0);  // light: white
    source.SetPixel(2, 1, 0xFF404040);  // dark: black
    source.SetPixel(3, 1, 0xFFFFFFFF);
    HBITMAP mono = MonoBitmapFromImage(source);
    BITMAP bm{};
    ::GetObject(mono, sizeof bm, &bm);
    EXPECT_EQ(bm.bmBitsPixel, 1);
    const Image back = ImageFromBitmap(mono, true);  // no alpha in a monochrome bitmap
    EXPECT_EQ(back.pixels, (std::vector<uint32_t>{0xFF000000, 0xFFFFFFFF, 0xFF000000, 0xFF000000,
                                                  0xFF000000, 0xFF000000, 0xFF000000, 0xFFFFFFFF}));
    ::DeleteObject(mono);

    EXPECT_EQ(BitmapFromImage(Image()), nullptr);
    Image inconsistent(3, 3);
    inconsistent.pixels.resize(4);
    EXPECT_EQ(BitmapFromImage(inconsistent), nullptr);
    EXPECT_EQ(SurfaceFromImage(inconsistent), nullptr);
    EXPECT_TRUE(ImageFromBitmap(nullptr).Empty());
    HBRUSH brush = ::CreateSolidBrush(0);
    EXPECT_TRUE(ImageFromBitmap(reinterpret_cast<HBITMAP>(brush)).Empty());
    ::DeleteObject(brush);
    ICONINFO info{};
    EXPECT_FALSE(IconInfoFromImage(Image(), info));
    EXPECT_EQ(info.hbmColor, nullptr);
}

TEST(ImageBridge, ScreenBitmapIsWrittenAsItLooks) {
    // What a chart capture does: draw on a compatible bitmap, then write it.
    Canvas screen(10, 10);
    HDC mem = ::CreateCompatibleDC(screen.hdc);
    HBITMAP bitmap = ::CreateCompatibleBitmap(screen.hdc, 21, 9);
    HGDIOBJ old = ::SelectObject(mem, bitmap);
    const RECT all{0, 0, 21, 9};
    HBRUSH blue = ::CreateSolidBrush(RGB(10, 20, 200));
    ::FillRect(mem, &all, blue);
    ::MoveToEx(mem, 0, 4, nullptr);
    ::LineTo(mem, 21, 4);
    ::SetPixel(mem, 20, 8, RGB(255, 128, 1));
    ::SelectObject(mem, old);

    const fs::path file = Scratch("screen.bmp");
    std::string error;
    ASSERT_TRUE(SaveBitmapAsBmp(bitmap, file.string(), error)) << error;
    const ImageResult back = LoadBmpFile(file.string());
    ASSERT_TRUE(back);
    EXPECT_EQ(back.image.Pixel(5, 1), 0xFF0A14C8u);
    EXPECT_EQ(back.image.Pixel(5, 4), 0xFF000000u);
    EXPECT_EQ(back.image.Pixel(20, 8), 0xFFFF8001u);
    EXPECT_EQ(fs::file_size(file), 54u + 64u * 9u);  // 24 bits: 63 bytes padded to 64 per row

    // Failures leave the old file alone and say why.
    EXPECT_FALSE(SaveBitmapAsBmp(reinterpret_cast<HBITMAP>(blue), file.string(), error));
    EXPECT_FALSE(error.empty());
    EXPECT_FALSE(SaveBitmapAsBmp(bitmap, (file.parent_path() / "no/such/dir.bmp").string(), error));
    EXPECT_FALSE(error.empty());
    EXPECT_TRUE(LoadBmpFile(file.string()));
    ::DeleteObject(blue);
    ::DeleteObject(bitmap);
    ::DeleteDC(mem);
    fs::remove_all(file.parent_path());
}

TEST(ImageBridge, MaskedIconDrawsAsItsSourceSays) {
    // Columns: opaque red, transparent (black under a set mask), inverting (white under a set
    // mask), opaque black.
    Image source(4, 3, 0);
    source.mask.assign(12, 0);
    for (int y = 0; y < 3; ++y) {
        source.SetPixel(0, y, 0xFFFF0000);
        source.SetPixel(1, y, 0x00000000);
        source.SetPixel(2, y, 0x00FFFFFF);
        source.SetPixel(3, y, 0xFF000000);
        source.mask[y * 4 + 1] = source.mask[y * 4 + 2] = 1;
    }
    ASSERT_TRUE(AlphaFollowsMask(source));
    HICON icon = IconFromImage(source);
    ASSERT_NE(icon, nullptr);

    Canvas canvas(6, 3, RGB(0, 200, 50));
    ASSERT_TRUE(::DrawIconEx(canvas.hdc, 1, 0, icon, 0, 0, 0, nullptr, DI_NORMAL));
    EXPECT_EQ(canvas.At(0, 1), RGB(0, 200, 50));
    EXPECT_EQ(canvas.At(1, 1), RGB(255, 0, 0));
    EXPECT_EQ(canvas.At(2, 1), RGB(0, 200, 50));
    EXPECT_EQ(canvas.At(3, 1), RGB(255, 55, 205));  // inverted
    EXPECT_EQ(canvas.At(4, 1), RGB(0, 0, 0));
    EXPECT_EQ(canvas.At(5, 1), RGB(0, 200, 50));

    POINT hotspot{};
    const Image back = ImageFromIcon(icon, &hotspot);
    EXPECT_EQ(back.pixels, source.pixels);
    EXPECT_EQ(back.mask, source.mask);
    EXPECT_EQ(hotspot.x, 2);  // an icon's hot spot is its centre
    ::DestroyIcon(icon);

    HICON cursor = IconFromImage(source, false, POINT{3, 1});
    ImageFromIcon(cursor, &hotspot);
    EXPECT_EQ(hotspot.x, 3);
    EXPECT_EQ(hotspot.y, 1);
    ::DestroyCursor(cursor);
}

TEST(ImageBridge, AlphaIconBlendsAndKeepsItsAlpha) {
    Image source(2, 1, 0);
    source.SetPixel(0, 0, 0x80FFFFFF);  // half-transparent white
    source.SetPixel(1, 0, 0x00000000);
    EXPECT_FALSE(AlphaFollowsMask(source));
    HICON icon = IconFromImage(source);  // no mask given: taken from alpha 0
    Canvas canvas(2, 1, RGB(0, 0, 0));
    ::DrawIconEx(canvas.hdc, 0, 0, icon, 0, 0, 0, nullptr, DI_NORMAL);
    EXPECT_NEAR(GetRValue(canvas.At(0, 0)), 128, 2);
    EXPECT_EQ(canvas.At(1, 0), RGB(0, 0, 0));
    const Image back = ImageFromIcon(icon);
    EXPECT_EQ(back.pixels, source.pixels);
    EXPECT_EQ(back.mask, (std::vector<uint8_t>{0, 1}));
    ::DestroyIcon(icon);
}

TEST(ImageBridge, MonochromeIconInfoGivesBlackAndWhite) {
    // AND half above XOR half: a transparent pixel, a white one, an inverting one, a black one.
    Image halves(2, 4, 0xFF000000);
    halves.SetPixel(0, 0, 0xFFFFFFFF);  // AND set
    halves.SetPixel(1, 1, 0xFFFFFFFF);
    halves.SetPixel(1, 0, 0xFF000000);
    halves.SetPixel(1, 2, 0xFFFFFFFF);  // XOR
    halves.SetPixel(1, 3, 0xFFFFFFFF);
    ICONINFO info{TRUE, 0, 0, MonoBitmapFromImage(halves), nullptr};
    const Image image = ImageFromIconInfo(info);
    ASSERT_EQ(image.width, 2);
    ASSERT_EQ(image.height, 2);
    EXPECT_EQ(image.mask, (std::vector<uint8_t>{1, 0, 0, 1}));
    EXPECT_EQ(image.Pixel(0, 0), 0x00000000u);
    EXPECT_EQ(image.Pixel(1, 0), 0xFFFFFFFFu);
    EXPECT_EQ(image.Pixel(0, 1), 0xFF000000u);
    EXPECT_EQ(image.Pixel(1, 1), 0x00FFFFFFu);
    ::DeleteObject(info.hbmMask);
}
