// Image files loaded into CEnBitmap and the pixel processors run over it: file types, the four
// formats with transparency, rotations that move every pixel exactly once, and refusals.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <map>

#include "controls/EnBitmap.h"
#include "gfx/codec_test_support.h"
#include "gfx/encoded_images.h"
#include "platform/gfx/Image.h"
#include "platform/gfx/ImageBridge.h"
#include "platform/gfx/codec/Bmp.h"
#include "ui/UiTestFixture.h"

namespace fs = std::filesystem;
using kq::gfx::Image;

namespace {

constexpr COLORREF kWhite = 0x00FFFFFF;
constexpr uint32_t kRgb = 0x00FFFFFF;

class EnBitmapTest : public kq::ui::test::UiTest {
  protected:
    void TearDown() override {
        for (const std::string& p : files_)
            fs::remove(p);
        UiTest::TearDown();
    }
    std::string Write(const std::string& name, const std::vector<uint8_t>& bytes) {
        const fs::path path =
            fs::temp_directory_path() / ("kq_enbitmap_" + std::to_string(::getpid()) + name);
        std::ofstream(path, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()),
                   static_cast<std::streamsize>(bytes.size()));
        files_.push_back(path.string());
        return path.string();
    }
    // Every pixel a different colour: its index + 1.
    static void LoadCoded(CEnBitmap& bitmap, int w, int h) {
        Image image(w, h);
        for (int i = 0; i < w * h; ++i)
            image.pixels[static_cast<size_t>(i)] = 0xFF000000u | static_cast<uint32_t>(i + 1);
        bitmap.Attach(kq::gfx::BitmapFromImage(image));
    }
    static Image Pixels(CEnBitmap& bitmap) {
        return kq::gfx::ImageFromBitmap(static_cast<HBITMAP>(bitmap.GetSafeHandle()));
    }
    std::vector<std::string> files_;
};

TEST_F(EnBitmapTest, FileTypeComesFromTheLastComponentsExtension) {
    const std::map<std::string, int> cases = {
        {"a.bmp", 0},         {"/d/A.BMP", 0}, {"x.ico", 1},    {"p.jpg", 2},   {"p.JPEG", 2},
        {"g.gif", 3},         {"xbmp", 4},     {".BMP", 4},     {"/d/.bmp", 4}, {"x.bmp.d/file", 4},
        {"x.bmp.d/f.gif", 3}, {"a.png", 4},    {"dir.jpg/", 4}, {"", 4},
    };
    for (const auto& [path, type] : cases)
        EXPECT_EQ(CEnBitmap::GetFileType(path.c_str()), type) << path;
    EXPECT_EQ(CEnBitmap::GetFileType(nullptr), 4);
}

TEST_F(EnBitmapTest, LoadsTheFourFormatsOnTheirBackground) {
    namespace ct = kq::gfx::codec_test;
    const std::string bmp = Write("a.BMP", kq::gfx::EncodeBmp(Image(5, 3, 0xFF102030)));
    const std::string gif = Write("b.gif", ct::HoleGif());
    const std::string jpeg = Write(
        "c.jpeg", ct::WriteJpeg(8, 4, 3, JCS_RGB,
                                [](int, int, uint8_t* s) { s[0] = 200, s[1] = 10, s[2] = 10; }));
    ct::DibSpec dib{.width = 2, .height = 4, .bitCount = 24};
    dib.bits = ct::PackRows({{0xFFFFFF, 0x000000}, {0xFFFFFF, 0xFF0000}}, 24);
    const auto mask = ct::PackRows({{0, 1}, {0, 0}}, 1);
    dib.bits.insert(dib.bits.end(), mask.begin(), mask.end());
    const std::string ico = Write("d.ico", ct::BuildIco({{2, 2, 24, 0, 0, ct::BuildDib(dib)}}));

    CEnBitmap a(kWhite), b(kWhite), c(kWhite), d(RGB(0, 128, 0));
    ASSERT_TRUE(a.LoadImageFile(bmp.c_str()));
    EXPECT_EQ(Pixels(a).width, 5);
    EXPECT_EQ(Pixels(a).pixels[0] & kRgb, 0x102030u);
    ASSERT_TRUE(b.LoadImageFile(gif.c_str(), RGB(0, 0, 255)));  // the colour given wins
    EXPECT_EQ(Pixels(b).pixels[1] & kRgb, 0x0000FFu);
    EXPECT_EQ(Pixels(b).pixels[0] & kRgb, 0xFFFF00u);
    ASSERT_TRUE(c.LoadImageFile(jpeg.c_str()));
    EXPECT_EQ(Pixels(c).width, 8);
    EXPECT_EQ(Pixels(c).height, 4);
    ASSERT_TRUE(d.LoadImageFile(ico.c_str()));
    EXPECT_EQ(Pixels(d).pixels[3] & kRgb, 0x008000u);  // masked: the stored background

    // A second load answers false and keeps what is there.
    const HGDIOBJ held = a.GetSafeHandle();
    EXPECT_FALSE(a.LoadImageFile(gif.c_str()));
    EXPECT_EQ(a.GetSafeHandle(), held);
}

TEST_F(EnBitmapTest, HostileFilesLoadNothing) {
    namespace ct = kq::gfx::codec_test;
    std::vector<uint8_t> bmp = kq::gfx::EncodeBmp(Image(40, 40, 0xFF000000));
    ct::DibSpec huge{.width = 100000, .height = 100000, .bitCount = 24};
    const std::vector<std::string> bad = {
        Write("t.bmp", std::vector<uint8_t>(bmp.begin(), bmp.begin() + 60)),
        Write("h.bmp", ct::BuildBmp(huge)),
        Write("g.bmp", ct::HoleGif()),  // a GIF under a bitmap's name
        Write("e.jpg", {}),
        Write("n.gif", std::vector<uint8_t>(100, 0x47)),
        Write("missing.ico", {}),
        Write("x.txt", bmp),
    };
    for (const std::string& path : bad) {
        CEnBitmap bitmap(kWhite);
        EXPECT_FALSE(bitmap.LoadImageFile(path.c_str())) << path;
        EXPECT_EQ(bitmap.GetSafeHandle(), nullptr);
    }
    CEnBitmap none(kWhite);
    EXPECT_FALSE(none.LoadImageFile("/nonexistent/dir/a.bmp"));
    EXPECT_FALSE(none.RotateImage(90));  // nothing to rotate
}

TEST_F(EnBitmapTest, RightAnglesMoveEveryPixelExactlyOnce) {
    for (int degrees : {90, 180, 270, -90}) {
        for (auto [w, h] :
             {std::pair{100, 50}, std::pair{7, 5}, std::pair{1, 1}, std::pair{4, 9}}) {
            for (bool weighted : {false, true}) {
                CEnBitmap bitmap(kWhite);
                LoadCoded(bitmap, w, h);
                ASSERT_TRUE(bitmap.RotateImage(degrees, weighted));
                const Image out = Pixels(bitmap);
                CImageRotator rotator(degrees, weighted);
                const CSize size = rotator.CalcDestSize(CSize(w, h));
                EXPECT_EQ(out.width, size.cx);
                EXPECT_EQ(out.height, size.cy);
                std::vector<int> seen(static_cast<size_t>(w * h + 1), 0);
                for (uint32_t p : out.pixels) {
                    const uint32_t code = p & kRgb;
                    if (code == kRgb)
                        continue;  // background
                    ASSERT_GE(code, 1u);
                    ASSERT_LE(code, static_cast<uint32_t>(w * h));
                    ++seen[code];
                }
                for (int i = 1; i <= w * h; ++i)
                    ASSERT_EQ(seen[static_cast<size_t>(i)], 1)
                        << degrees << " " << w << "x" << h << " pixel " << i;
            }
        }
    }
    // The sizes the print command relies on.
    CImageRotator quarter(270, false);
    EXPECT_EQ(quarter.CalcDestSize(CSize(100, 50)), CSize(52, 102));
    // Turning clockwise by 90: the top-left pixel goes to the top-right region.
    CEnBitmap turn(kWhite);
    LoadCoded(turn, 3, 2);
    ASSERT_TRUE(turn.RotateImage(90));
    const Image out = Pixels(turn);
    int firstX = -1, lastX = -1;
    for (int i = 0; i < out.width * out.height; ++i) {
        if ((out.pixels[static_cast<size_t>(i)] & kRgb) == 1)
            firstX = i % out.width;
        if ((out.pixels[static_cast<size_t>(i)] & kRgb) == 4)  // first pixel of the second row
            lastX = i % out.width;
    }
    EXPECT_NE(firstX, lastX);
}

TEST_F(EnBitmapTest, FullTurnsCopyAndOtherAnglesStayInBounds) {
    for (int degrees : {0, 360, -360, 720}) {
        CEnBitmap bitmap(kWhite);
        LoadCoded(bitmap, 13, 7);
        const Image before = Pixels(bitmap);
        ASSERT_TRUE(bitmap.RotateImage(degrees, true));
        EXPECT_EQ(Pixels(bitmap).pixels, before.pixels) << degrees;
    }
    for (bool weighted : {false, true}) {
        CEnBitmap bitmap(kWhite);
        LoadCoded(bitmap, 40, 20);
        ASSERT_TRUE(bitmap.RotateImage(45, weighted));
        const Image out = Pixels(bitmap);
        EXPECT_EQ(CSize(out.width, out.height),
                  CImageRotator(45, weighted).CalcDestSize(CSize(40, 20)));
        EXPECT_EQ(out.pixels.front() & kRgb, kRgb);  // corners show the background
        EXPECT_EQ(out.pixels.back() & kRgb, kRgb);
        const uint32_t centre =
            out.pixels[static_cast<size_t>(out.height / 2 * out.width + out.width / 2)] & kRgb;
        EXPECT_NE(centre, kRgb);
    }
}

// Asks for an output far beyond what a surface can hold.
class HugeProcessor : public C32BitImageProcessor {
  public:
    CSize CalcDestSize(CSize) override { return CSize(200000, 200000); }
    bool ProcessPixels(const RGBQUAD*, int, int, RGBQUAD*, int, int) override {
        ADD_FAILURE() << "must not run";
        return true;
    }
};

class FailingProcessor : public C32BitImageProcessor {
  public:
    bool ProcessPixels(const RGBQUAD*, int, int, RGBQUAD*, int, int) override { return false; }
};

TEST_F(EnBitmapTest, RefusedProcessingKeepsTheOldBitmap) {
    CEnBitmap bitmap(kWhite);
    LoadCoded(bitmap, 10, 10);
    const HGDIOBJ held = bitmap.GetSafeHandle();
    HugeProcessor huge;
    FailingProcessor failing;
    EXPECT_FALSE(bitmap.ProcessImage(&huge));
    EXPECT_FALSE(bitmap.ProcessImage(&failing));
    EXPECT_EQ(bitmap.GetSafeHandle(), held);
    EXPECT_EQ(Pixels(bitmap).width, 10);
    // A chain: two quarter turns are a half turn.
    CImageRotator q1(90, false), q2(90, false);
    C32BitImageProcessorArray chain;
    chain.Add(&q1);
    chain.Add(&q2);
    ASSERT_TRUE(bitmap.ProcessImage(chain));
    C32BitImageProcessorArray empty;
    EXPECT_TRUE(bitmap.ProcessImage(empty));
}

}  // namespace
