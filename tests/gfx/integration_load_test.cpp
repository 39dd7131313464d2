#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "GfxTestUtil.h"
#include "codec_test_support.h"
#include "platform/base/LastError.h"
#include "platform/base/Resource.h"
#include "platform/gfx/ImageBridge.h"
#include "platform/gfx/ImageLoad.h"
#include "platform/gfx/codec/Bmp.h"

using namespace kq::gfx;
using namespace kq::gfx::codec_test;
using kq::gfx::test::Canvas;
namespace fs = std::filesystem;

namespace {

using Rows = std::vector<std::vector<uint32_t>>;

// An icon image entry: 24-bit colour of one value with the top-left quarter masked out.
std::vector<uint8_t> IconEntryData(int size, uint32_t rgb) {
    Rows colour(size, std::vector<uint32_t>(size, rgb));
    Rows mask(size, std::vector<uint32_t>(size, 0));
    for (int y = 0; y < size / 2; ++y)
        for (int x = 0; x < size / 2; ++x) {
            colour[y][x] = 0;
            mask[y][x] = 1;
        }
    DibSpec s;
    s.width = size;
    s.height = size * 2;
    s.bitCount = 24;
    s.bits = PackRows(Rows(colour.rbegin(), colour.rend()), 24);
    const std::vector<uint8_t> andBits = PackRows(Rows(mask.rbegin(), mask.rend()), 1);
    s.bits.insert(s.bits.end(), andBits.begin(), andBits.end());
    return BuildDib(s);
}

Image Stripes(int w, int h) {
    Image image(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            image.SetPixel(x, y, x % 3 == 0 ? 0xFFFF00FF : MakeArgb(0xFF, x * 9, y * 17, 40));
    return image;
}

// The test's resources: bitmaps 140 and "LOGO", the strip 203 of three 13 x 13 images with
// magenta as the transparent colour, an icon 179 with a red 16 x 16 and a blue 32 x 32 entry,
// cursor 300 with its hot spot at (5, 6), and damaged bitmap 666 and icon 667.
struct Bundle {
    std::vector<uint8_t> logo = EncodeBmp(Stripes(9, 5));
    std::vector<uint8_t> strip = EncodeBmp(Stripes(39, 13));
    std::vector<uint8_t> icon = BuildIco({{16, 16, 24, 0, 0, IconEntryData(16, 0xFF0000)},
                                          {32, 32, 24, 0, 0, IconEntryData(32, 0x0000FF)}});
    std::vector<uint8_t> cursor = BuildIco({{32, 32, 24, 5, 6, IconEntryData(32, 0x00FF00)}}, true);
    std::vector<uint8_t> hostileBitmap = [] {
        DibSpec s;
        s.width = 0x7FFFFFFF;
        s.height = 0x7FFFFFFF;
        s.bits = {1, 2, 3};
        return BuildBmp(s);
    }();
    std::vector<uint8_t> hostileIcon = BuildIco({{32, 32, 24, 0, 0, {40, 0, 0, 0, 0xFF, 0xFF}}});
    std::vector<kq::BinaryResource> binaries = {
        {kq::BinaryKind::Bitmap, 140, logo},
        {kq::BinaryKind::Bitmap, std::string_view("LOGO"), logo},
        {kq::BinaryKind::Bitmap, 203, strip},
        {kq::BinaryKind::Icon, 179, icon},
        {kq::BinaryKind::Cursor, 300, cursor},
        {kq::BinaryKind::Bitmap, 666, hostileBitmap},
        {kq::BinaryKind::Icon, 667, hostileIcon},
    };
    kq::ResourceBundle bundle{.binaries = binaries};
};

const Bundle& Resources() {
    static const Bundle bundle;
    return bundle;
}

class LoadImageTest : public ::testing::Test {
  protected:
    void SetUp() override { kq::InstallResources(Resources().bundle); }
    void TearDown() override { kq::UninstallResources(Resources().bundle); }
};

int Width(HGDIOBJ bitmap) {
    BITMAP bm{};
    return ::GetObject(bitmap, sizeof bm, &bm) ? bm.bmWidth : -1;
}

}  // namespace

TEST_F(LoadImageTest, BitmapsByNumberAndName) {
    HBITMAP byId = ::LoadBitmap(nullptr, MAKEINTRESOURCE(140));
    ASSERT_NE(byId, nullptr);
    EXPECT_EQ(ImageFromBitmap(byId).pixels, Stripes(9, 5).pixels);
    HBITMAP byName = ::LoadBitmap(reinterpret_cast<HINSTANCE>(1), "logo");
    ASSERT_NE(byName, nullptr);
    EXPECT_NE(byName, byId);  // each caller gets its own bitmap
    EXPECT_EQ(ImageFromBitmap(byName).pixels, Stripes(9, 5).pixels);
    ::DeleteObject(byId);
    ::DeleteObject(byName);

    HBITMAP stretched = static_cast<HBITMAP>(
        ::LoadImage(nullptr, MAKEINTRESOURCE(140), IMAGE_BITMAP, 18, 10, LR_DEFAULTCOLOR));
    const Image big = ImageFromBitmap(stretched);
    EXPECT_EQ(big.width, 18);
    EXPECT_EQ(big.Pixel(17, 9), Stripes(9, 5).Pixel(8, 4));
    ::DeleteObject(stretched);

    CBitmap wrapper;
    EXPECT_TRUE(wrapper.LoadBitmap(140));
    EXPECT_EQ(Width(wrapper), 9);
    EXPECT_FALSE(wrapper.LoadBitmap(140));  // already holds one
    CBitmap missing;
    ::SetLastError(0);
    EXPECT_FALSE(missing.LoadBitmap(141));
    EXPECT_EQ(::GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
    EXPECT_EQ(::LoadBitmap(nullptr, MAKEINTRESOURCE(179)), nullptr);  // an icon, not a bitmap
}

TEST_F(LoadImageTest, IconSizesFollowTheRequest) {
    struct Case {
        int cx, cy;
        UINT flags;
        int width;
        COLORREF colour;
    } cases[] = {
        {0, 0, 0, 32, RGB(0, 0, 255)},               // the entry for 32, at its own size
        {16, 16, 0, 16, RGB(255, 0, 0)},             // the exact entry
        {24, 24, 0, 24, RGB(0, 0, 255)},             // the smallest that covers, shrunk
        {0, 0, LR_DEFAULTSIZE, 32, RGB(0, 0, 255)},  // the default size
        {48, 48, LR_SHARED, 48, RGB(0, 0, 255)},     // the largest, stretched
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.cx);
        HICON icon = static_cast<HICON>(
            ::LoadImage(nullptr, MAKEINTRESOURCE(179), IMAGE_ICON, c.cx, c.cy, c.flags));
        ASSERT_NE(icon, nullptr);
        Canvas canvas(64, 64, RGB(1, 2, 3));
        ASSERT_TRUE(::DrawIconEx(canvas.hdc, 0, 0, icon, 0, 0, 0, nullptr, DI_NORMAL));
        const RECT ink = canvas.InkBox(RGB(1, 2, 3));
        EXPECT_EQ(ink.right, c.width);
        EXPECT_EQ(ink.bottom, c.width);
        EXPECT_EQ(canvas.At(c.width - 1, c.width - 1), c.colour);
        // The masked quarter shows the background.
        EXPECT_EQ(canvas.At(c.width / 2 - 1, c.width / 2 - 1), RGB(1, 2, 3));
        EXPECT_EQ(canvas.At(c.width / 2, c.width / 2 - 1), c.colour);
        if (!(c.flags & LR_SHARED))
            ::DestroyIcon(icon);
    }
}

TEST_F(LoadImageTest, SharedIconsAndStandardIcons) {
    HICON first = ::LoadIcon(nullptr, MAKEINTRESOURCE(179));
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(::LoadIcon(reinterpret_cast<HINSTANCE>(1), MAKEINTRESOURCE(179)), first);
    EXPECT_EQ(ImageFromIcon(first).width, 32);
    // Destroyed against the rules: the next request gets a working icon again.
    ::DestroyIcon(first);
    HICON again = ::LoadIcon(nullptr, MAKEINTRESOURCE(179));
    EXPECT_EQ(ImageFromIcon(again).width, 32);

    const LPCSTR ids[] = {IDI_APPLICATION, IDI_ERROR, IDI_QUESTION, IDI_WARNING, IDI_INFORMATION};
    std::vector<std::vector<uint32_t>> looks;
    for (LPCSTR id : ids) {
        HICON icon = ::LoadIcon(nullptr, id);
        ASSERT_NE(icon, nullptr);
        EXPECT_EQ(::LoadIcon(nullptr, id), icon);
        const Image image = ImageFromIcon(icon);
        ASSERT_EQ(image.width, 32);
        EXPECT_EQ(AlphaOf(image.Pixel(0, 31)), 0);  // corners are transparent
        EXPECT_EQ(AlphaOf(image.Pixel(16, 20)), 255);
        looks.push_back(image.pixels);
        HICON small =
            static_cast<HICON>(::LoadImage(nullptr, id, IMAGE_ICON, 16, 16, LR_DEFAULTCOLOR));
        EXPECT_EQ(ImageFromIcon(small).width, 16);
        ::DestroyIcon(small);
    }
    for (size_t i = 0; i < looks.size(); ++i)
        for (size_t j = i + 1; j < looks.size(); ++j)
            EXPECT_NE(looks[i], looks[j]);
    const Image error = ImageFromIcon(::LoadIcon(nullptr, IDI_ERROR));
    EXPECT_GT(RedOf(error.Pixel(6, 16)), 150);
    EXPECT_LT(GreenOf(error.Pixel(6, 16)), 80);
    // A standard number with a module means the program's own resource.
    EXPECT_EQ(::LoadIcon(reinterpret_cast<HINSTANCE>(1), IDI_ERROR), nullptr);
}

TEST_F(LoadImageTest, CursorKeepsItsHotSpot) {
    HCURSOR cursor =
        static_cast<HCURSOR>(::LoadImage(nullptr, MAKEINTRESOURCE(300), IMAGE_CURSOR, 0, 0, 0));
    ASSERT_NE(cursor, nullptr);
    ICONINFO info{};
    ASSERT_TRUE(::GetIconInfo(cursor, &info));
    EXPECT_FALSE(info.fIcon);
    EXPECT_EQ(info.xHotspot, 5u);
    EXPECT_EQ(info.yHotspot, 6u);
    ::DeleteObject(info.hbmColor);
    ::DeleteObject(info.hbmMask);
    ::DestroyCursor(cursor);
    HCURSOR half =
        static_cast<HCURSOR>(::LoadImage(nullptr, MAKEINTRESOURCE(300), IMAGE_CURSOR, 16, 16, 0));
    POINT hotspot{};
    ImageFromIcon(half, &hotspot);
    EXPECT_EQ(hotspot.x, 2);
    EXPECT_EQ(hotspot.y, 3);
    ::DestroyCursor(half);
}

TEST_F(LoadImageTest, ImageListFromBitmapStrip) {
    CImageList list;
    ASSERT_TRUE(list.Create(203, 13, 0, RGB(255, 0, 255)));
    EXPECT_EQ(list.GetImageCount(), 3);
    Canvas canvas(13, 13, RGB(1, 2, 3));
    ASSERT_TRUE(list.Draw(&canvas.dc, 1, CPoint(0, 0), ILD_TRANSPARENT));
    const Image strip = Stripes(39, 13);
    for (int x = 0; x < 13; ++x) {
        const uint32_t source = strip.Pixel(13 + x, 4);
        EXPECT_EQ(canvas.At(x, 4),
                  source == 0xFFFF00FF ? RGB(1, 2, 3) : ColorRefFromPixel(source & 0xFFFFFF))
            << x;
    }
    HIMAGELIST unmasked = ImageList_LoadImage(nullptr, MAKEINTRESOURCE(203), 13, 1, CLR_NONE,
                                              IMAGE_BITMAP, LR_DEFAULTCOLOR);
    ASSERT_NE(unmasked, nullptr);
    ImageList_Draw(unmasked, 0, canvas.hdc, 0, 0, ILD_TRANSPARENT);
    EXPECT_EQ(canvas.At(0, 0), RGB(255, 0, 255));
    ImageList_Destroy(unmasked);
    CImageList wide;
    EXPECT_FALSE(wide.Create(203, 40, 0, RGB(255, 0, 255)));  // not one image fits
}

TEST_F(LoadImageTest, FilesAndRefusedRequests) {
    const fs::path dir = fs::temp_directory_path() / ("kq_load_" + std::to_string(::getpid()));
    fs::create_directories(dir);
    const std::string bmp = (dir / "pic.bmp").string();
    const std::string ico = (dir / "pic.ico").string();
    std::ofstream(bmp, std::ios::binary)
        .write(reinterpret_cast<const char*>(Resources().logo.data()),
               static_cast<std::streamsize>(Resources().logo.size()));
    std::ofstream(ico, std::ios::binary)
        .write(reinterpret_cast<const char*>(Resources().icon.data()),
               static_cast<std::streamsize>(Resources().icon.size()));

    HBITMAP bitmap = static_cast<HBITMAP>(
        ::LoadImage(nullptr, bmp.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE));
    EXPECT_EQ(ImageFromBitmap(bitmap).pixels, Stripes(9, 5).pixels);
    ::DeleteObject(bitmap);
    HICON icon =
        static_cast<HICON>(::LoadImage(nullptr, ico.c_str(), IMAGE_ICON, 16, 16, LR_LOADFROMFILE));
    const Image small = ImageFromIcon(icon);
    EXPECT_EQ(small.width, 16);
    EXPECT_EQ(small.Pixel(15, 15), 0xFFFF0000u);
    ::DestroyIcon(icon);

    ::SetLastError(0);
    EXPECT_EQ(::LoadImage(nullptr, (dir / "none.bmp").c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE),
              nullptr);
    EXPECT_EQ(::GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
    // An icon file is no bitmap.
    EXPECT_EQ(::LoadImage(nullptr, ico.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE), nullptr);
    EXPECT_EQ(::GetLastError(), static_cast<DWORD>(ERROR_INVALID_DATA));
    // What is not built is refused, not half done.
    for (UINT flags :
         {LR_CREATEDIBSECTION, LR_LOADTRANSPARENT, LR_LOADMAP3DCOLORS, LR_MONOCHROME}) {
        EXPECT_EQ(::LoadImage(nullptr, bmp.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | flags),
                  nullptr);
        EXPECT_EQ(::GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
    }
    EXPECT_EQ(::LoadImage(nullptr, bmp.c_str(), IMAGE_ENHMETAFILE, 0, 0, LR_LOADFROMFILE), nullptr);
    EXPECT_EQ(::LoadImage(nullptr, nullptr, IMAGE_BITMAP, 0, 0, 0), nullptr);
    fs::remove_all(dir);
}

TEST_F(LoadImageTest, HostileResourcesGiveNullHandles) {
    ::SetLastError(0);
    EXPECT_EQ(::LoadBitmap(nullptr, MAKEINTRESOURCE(666)), nullptr);
    EXPECT_EQ(::GetLastError(), static_cast<DWORD>(ERROR_INVALID_DATA));
    EXPECT_EQ(::LoadIcon(nullptr, MAKEINTRESOURCE(667)), nullptr);
    EXPECT_EQ(::LoadImage(nullptr, MAKEINTRESOURCE(667), IMAGE_ICON, 16, 16, 0), nullptr);
    CImageList list;
    EXPECT_FALSE(list.Create(666, 13, 0, RGB(255, 0, 255)));
    // Every truncation of a good icon fails cleanly or loads.
    const std::vector<uint8_t>& good = Resources().icon;
    for (size_t n = 0; n < good.size(); n += 7) {
        const kq::BinaryResource cut[] = {
            {kq::BinaryKind::Icon, 900, std::span<const BYTE>(good.data(), n)}};
        const kq::ResourceBundle bundle{.binaries = cut};
        kq::InstallResources(bundle);
        HICON icon =
            static_cast<HICON>(::LoadImage(nullptr, MAKEINTRESOURCE(900), IMAGE_ICON, 0, 0, 0));
        ::DestroyIcon(icon);
        kq::UninstallResources(bundle);
    }
}
