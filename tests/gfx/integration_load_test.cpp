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

namespace {

// A square 24-bit icon entry of one colour whose top-left quarter is masked out.
std::vector<uint8_t> IconEntry(int size, uint32_t rgb) {
    std::vector<std::vector<uint32_t>> colour(size, std::vector<uint32_t>(size, rgb));
    std::vector<std::vector<uint32_t>> mask(size, std::vector<uint32_t>(size, 0));
    for (int y = size / 2; y < size; ++y)  // bottom-up: the last rows are the top
        for (int x = 0; x < size / 2; ++x)
            colour[y][x] = 0, mask[y][x] = 1;
    DibSpec s{.width = size, .height = size * 2, .bitCount = 24, .bits = PackRows(colour, 24)};
    const std::vector<uint8_t> andBits = PackRows(mask, 1);
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

// Bitmap 140 (also "LOGO"), a strip 203 of three 13 x 13 images keyed on magenta, icon 179 with
// a red 16 x 16 and a blue 32 x 32 entry, cursor 300 with its hot spot at (5, 6), and a damaged
// bitmap 666 and icon 667.
struct Bundle {
    std::vector<uint8_t> logo = EncodeBmp(Stripes(9, 5));
    std::vector<uint8_t> strip = EncodeBmp(Stripes(39, 13));
    std::vector<uint8_t> icon = BuildIco(
        {{16, 16, 24, 0, 0, IconEntry(16, 0xFF0000)}, {32, 32, 24, 0, 0, IconEntry(32, 0xFF)}});
    std::vector<uint8_t> cursor = BuildIco({{32, 32, 24, 5, 6, IconEntry(32, 0xFF00)}}, true);
    std::vector<uint8_t> badBitmap =
        BuildBmp({.width = 0x7FFFFFFF, .height = 0x7FFFFFFF, .bits = {1}});
    std::vector<uint8_t> badIcon = BuildIco({{32, 32, 24, 0, 0, {40, 0, 0, 0, 0xFF, 0xFF}}});
    std::vector<kq::BinaryResource> binaries = {
        {kq::BinaryKind::Bitmap, 140, logo},
        {kq::BinaryKind::Bitmap, std::string_view("LOGO"), logo},
        {kq::BinaryKind::Bitmap, 203, strip},
        {kq::BinaryKind::Icon, 179, icon},
        {kq::BinaryKind::Cursor, 300, cursor},
        {kq::BinaryKind::Bitmap, 666, badBitmap},
        {kq::BinaryKind::Icon, 667, badIcon},
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

DWORD ErrorOf(HANDLE h) {
    EXPECT_EQ(h, nullptr);
    return ::GetLastError();
}

}  // namespace

TEST_F(LoadImageTest, BitmapsByNumberNameAndFile) {
    HBITMAP byId = ::LoadBitmap(nullptr, MAKEINTRESOURCE(140));
    HBITMAP byName = ::LoadBitmap(reinterpret_cast<HINSTANCE>(1), "logo");
    EXPECT_NE(byName, byId);  // not shared: each caller deletes its own
    EXPECT_EQ(ImageFromBitmap(byId).pixels, Stripes(9, 5).pixels);
    EXPECT_EQ(ImageFromBitmap(byName).pixels, Stripes(9, 5).pixels);
    HANDLE big = ::LoadImage(nullptr, MAKEINTRESOURCE(140), IMAGE_BITMAP, 18, 10, 0);
    EXPECT_EQ(ImageFromBitmap(static_cast<HBITMAP>(big)).Pixel(17, 9), Stripes(9, 5).Pixel(8, 4));
    for (HANDLE h : {HANDLE(byId), HANDLE(byName), big})
        ::DeleteObject(h);
    CBitmap wrapper;
    EXPECT_TRUE(wrapper.LoadBitmap(140));
    EXPECT_FALSE(wrapper.LoadBitmap(140));  // already holds one
    EXPECT_EQ(ErrorOf(::LoadBitmap(nullptr, MAKEINTRESOURCE(179))), DWORD(ERROR_FILE_NOT_FOUND));

    const std::string path =
        std::filesystem::temp_directory_path() / ("kq_load_" + std::to_string(::getpid()));
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(Resources().logo.data()),
               static_cast<std::streamsize>(Resources().logo.size()));
    HANDLE file = ::LoadImage(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE);
    EXPECT_EQ(ImageFromBitmap(static_cast<HBITMAP>(file)).pixels, Stripes(9, 5).pixels);
    ::DeleteObject(file);
    EXPECT_EQ(ErrorOf(::LoadImage(nullptr, path.c_str(), IMAGE_ICON, 0, 0, LR_LOADFROMFILE)),
              DWORD(ERROR_INVALID_DATA));
    // What is not built is refused, not half done.
    for (UINT flag : {LR_CREATEDIBSECTION, LR_LOADTRANSPARENT, LR_LOADMAP3DCOLORS, LR_MONOCHROME})
        EXPECT_EQ(
            ErrorOf(::LoadImage(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | flag)),
            DWORD(ERROR_INVALID_PARAMETER));
    std::filesystem::remove(path);
    EXPECT_EQ(ErrorOf(::LoadImage(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE)),
              DWORD(ERROR_FILE_NOT_FOUND));
}

TEST_F(LoadImageTest, IconSizesFollowTheRequest) {
    struct Case {
        int cx;
        UINT flags;
        int width;
        COLORREF colour;
    } cases[] = {
        {0, 0, 32, RGB(0, 0, 255)},   // the entry for 32, at its own size
        {16, 0, 16, RGB(255, 0, 0)},  // the exact entry
        {24, 0, 24, RGB(0, 0, 255)},  // the smallest that covers, shrunk
        {0, LR_DEFAULTSIZE | LR_SHARED, 32, RGB(0, 0, 255)},
        {48, 0, 48, RGB(0, 0, 255)},  // the largest, stretched
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.cx);
        HICON icon = static_cast<HICON>(
            ::LoadImage(nullptr, MAKEINTRESOURCE(179), IMAGE_ICON, c.cx, c.cx, c.flags));
        Canvas canvas(64, 64, RGB(1, 2, 3));
        ASSERT_TRUE(::DrawIconEx(canvas.hdc, 0, 0, icon, 0, 0, 0, nullptr, DI_NORMAL));
        EXPECT_EQ(canvas.InkBox(RGB(1, 2, 3)).right, c.width);
        EXPECT_EQ(canvas.At(c.width - 1, c.width - 1), c.colour);
        EXPECT_EQ(canvas.At(c.width / 2 - 1, c.width / 2 - 1), RGB(1, 2, 3));  // masked quarter
        EXPECT_EQ(canvas.At(c.width / 2, c.width / 2 - 1), c.colour);
        if (!(c.flags & LR_SHARED))
            ::DestroyIcon(icon);
    }
    HCURSOR cursor =
        static_cast<HCURSOR>(::LoadImage(nullptr, MAKEINTRESOURCE(300), IMAGE_CURSOR, 16, 16, 0));
    POINT hotspot{};
    EXPECT_EQ(ImageFromIcon(cursor, &hotspot).width, 16);
    EXPECT_EQ(hotspot.x, 2);  // (5, 6) at half the size
    EXPECT_EQ(hotspot.y, 3);
    ::DestroyCursor(cursor);
}

TEST_F(LoadImageTest, SharedAndStandardIcons) {
    HICON first = ::LoadIcon(nullptr, MAKEINTRESOURCE(179));
    EXPECT_EQ(::LoadIcon(reinterpret_cast<HINSTANCE>(1), MAKEINTRESOURCE(179)), first);
    ::DestroyIcon(first);  // against the rules: the next request still gets a working icon
    EXPECT_EQ(ImageFromIcon(::LoadIcon(nullptr, MAKEINTRESOURCE(179))).width, 32);

    std::vector<std::vector<uint32_t>> looks;
    for (LPCSTR id : {IDI_APPLICATION, IDI_ERROR, IDI_QUESTION, IDI_WARNING, IDI_INFORMATION}) {
        HICON icon = ::LoadIcon(nullptr, id);
        EXPECT_EQ(::LoadIcon(nullptr, id), icon);
        const Image image = ImageFromIcon(icon);
        ASSERT_EQ(image.width, 32);
        EXPECT_EQ(AlphaOf(image.Pixel(0, 31)), 0);  // a transparent corner
        EXPECT_EQ(AlphaOf(image.Pixel(16, 20)), 255);
        EXPECT_TRUE(std::find(looks.begin(), looks.end(), image.pixels) == looks.end());
        looks.push_back(image.pixels);
        HANDLE small = ::LoadImage(nullptr, id, IMAGE_ICON, 16, 16, 0);
        EXPECT_EQ(ImageFromIcon(static_cast<HICON>(small)).width, 16);
        ::DestroyIcon(static_cast<HICON>(small));
    }
    EXPECT_GT(RedOf(ImageFromIcon(::LoadIcon(nullptr, IDI_ERROR)).Pixel(6, 16)), 150);
    // With a module a standard number names the program's own resource.
    EXPECT_EQ(::LoadIcon(reinterpret_cast<HINSTANCE>(1), IDI_ERROR), nullptr);
}

TEST_F(LoadImageTest, ImageListFromBitmapStrip) {
    CImageList list;
    ASSERT_TRUE(list.Create(203, 13, 0, RGB(255, 0, 255)));
    EXPECT_EQ(list.GetImageCount(), 3);
    Canvas canvas(13, 13, RGB(1, 2, 3));
    ASSERT_TRUE(list.Draw(&canvas.dc, 1, CPoint(0, 0), ILD_TRANSPARENT));
    for (int x = 0; x < 13; ++x) {
        const uint32_t source = Stripes(39, 13).Pixel(13 + x, 4) & 0xFFFFFF;
        EXPECT_EQ(canvas.At(x, 4), source == 0xFF00FF ? RGB(1, 2, 3) : ColorRefFromPixel(source));
    }
    CImageList wide;
    EXPECT_FALSE(wide.Create(203, 40, 0, RGB(255, 0, 255)));  // not one image fits
}

TEST_F(LoadImageTest, HostileResourcesGiveNullHandles) {
    EXPECT_EQ(ErrorOf(::LoadBitmap(nullptr, MAKEINTRESOURCE(666))), DWORD(ERROR_INVALID_DATA));
    EXPECT_EQ(::LoadIcon(nullptr, MAKEINTRESOURCE(667)), nullptr);
    CImageList list;
    EXPECT_FALSE(list.Create(666, 13, 0, RGB(255, 0, 255)));
    const std::vector<uint8_t>& good = Resources().icon;
    for (size_t n = 0; n < good.size(); n += 7) {
        const kq::BinaryResource cut[] = {{kq::BinaryKind::Icon, 900, std::span(good.data(), n)}};
        const kq::ResourceBundle bundle{.binaries = cut};
        kq::InstallResources(bundle);
        ::DestroyIcon(
            static_cast<HICON>(::LoadImage(nullptr, MAKEINTRESOURCE(900), IMAGE_ICON, 0, 0, 0)));
        kq::UninstallResources(bundle);
    }
}
