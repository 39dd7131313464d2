#include <gif_lib.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include <jpeglib.h>

#include "codec_test_support.h"
#include "platform/base/LastError.h"
#include "platform/gfx/ImageBridge.h"
#include "platform/gfx/PictureFile.h"
#include "platform/gfx/UserDrawConstants.h"
#include "platform/gfx/WinGdi.h"
#include "platform/gfx/codec/Bmp.h"

using namespace kq::gfx;
namespace fs = std::filesystem;

namespace {

// 16 x 16: red, green, blue and white 8 x 8 blocks, which JPEG keeps nearly exact.
std::vector<uint8_t> BlocksJpeg() {
    static const uint8_t kColours[4][3] = {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {255, 255, 255}};
    jpeg_compress_struct c{};
    jpeg_error_mgr err{};
    c.err = jpeg_std_error(&err);
    jpeg_create_compress(&c);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&c, &buffer, &size);
    c.image_width = 16;
    c.image_height = 16;
    c.input_components = 3;
    c.in_color_space = JCS_RGB;
    jpeg_set_defaults(&c);
    jpeg_set_quality(&c, 100, TRUE);
    c.comp_info[0].h_samp_factor = c.comp_info[0].v_samp_factor = 1;
    jpeg_start_compress(&c, TRUE);
    uint8_t row[16 * 3];
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x)
            std::copy_n(kColours[(y / 8) * 2 + x / 8], 3, row + x * 3);
        JSAMPROW rows[1] = {row};
        jpeg_write_scanlines(&c, rows, 1);
    }
    jpeg_finish_compress(&c);
    jpeg_destroy_compress(&c);
    std::vector<uint8_t> out(buffer, buffer + size);
    std::free(buffer);
    return out;
}

int GifSink(GifFileType* gif, const GifByteType* data, int count) {
    auto* out = static_cast<std::vector<uint8_t>*>(gif->UserData);
    out->insert(out->end(), data, data + count);
    return count;
}

// 4 x 2: yellow with the second column transparent.
std::vector<uint8_t> HoleGif() {
    std::vector<uint8_t> out;
    int error = 0;
    GifFileType* gif = EGifOpen(&out, GifSink, &error);
    EGifSetGifVersion(gif, true);
    GifColorType colours[2] = {{255, 255, 0}, {9, 9, 9}};
    ColorMapObject* map = GifMakeMapObject(2, colours);
    EGifPutScreenDesc(gif, 4, 2, 8, 0, map);
    GraphicsControlBlock gcb{};
    gcb.TransparentColor = 1;
    GifByteType ext[4];
    EGifGCBToExtension(&gcb, ext);
    EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, 4, ext);
    EGifPutImageDesc(gif, 0, 0, 4, 2, false, nullptr);
    GifPixelType line[4] = {0, 1, 0, 0};
    EGifPutLine(gif, line, 4);
    EGifPutLine(gif, line, 4);
    EGifCloseFile(gif, &error);
    GifFreeMapObject(map);
    return out;
}

class PictureFileTest : public ::testing::Test {
  protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() / ("kq_picture_" + std::to_string(::getpid()));
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }
    std::string Write(const std::string& name, const std::vector<uint8_t>& bytes) {
        const fs::path path = dir_ / name;
        std::ofstream(path, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()),
                   static_cast<std::streamsize>(bytes.size()));
        return path.string();
    }
    fs::path dir_;
};

bool Near(uint32_t a, uint32_t b) {
    for (int shift = 0; shift < 24; shift += 8)
        if (std::abs(static_cast<int>((a >> shift) & 0xFF) -
                     static_cast<int>((b >> shift) & 0xFF)) > 4)
            return false;
    return true;
}

}  // namespace

TEST_F(PictureFileTest, JpegAndGifBecomeBitmapsOverTheBackground) {
    // The content decides, not the name.
    const std::string jpeg = Write("photo.gif", BlocksJpeg());
    HBITMAP bitmap = LoadPictureBitmap(jpeg, RGB(255, 255, 255));
    ASSERT_NE(bitmap, nullptr);
    const Image blocks = ImageFromBitmap(bitmap);
    ASSERT_EQ(blocks.width, 16);
    EXPECT_TRUE(Near(blocks.Pixel(3, 3), 0xFF0000));
    EXPECT_TRUE(Near(blocks.Pixel(12, 3), 0x00FF00));
    EXPECT_TRUE(Near(blocks.Pixel(3, 12), 0x0000FF));
    EXPECT_TRUE(Near(blocks.Pixel(12, 12), 0xFFFFFF));
    ::DeleteObject(bitmap);

    const std::string gif = Write("hole.GIF", HoleGif());
    HBITMAP onWhite = LoadPictureBitmap(gif, RGB(255, 255, 255));
    HBITMAP onBlue = LoadPictureBitmap(gif, RGB(0, 0, 255));
    HBITMAP onNothing = LoadPictureBitmap(gif, CLR_NONE);
    const uint32_t yellow = 0xFFFFFF00, white = 0xFFFFFFFF;
    const std::vector<uint32_t> expected = {yellow, white, yellow, yellow,
                                            yellow, white, yellow, yellow};
    EXPECT_EQ(ImageFromBitmap(onWhite).pixels, expected);
    EXPECT_EQ(ImageFromBitmap(onBlue).Pixel(1, 1), 0xFF0000FFu);
    EXPECT_EQ(ImageFromBitmap(onNothing).Pixel(1, 0), 0xFF000000u);
    EXPECT_EQ(ImageFromBitmap(onNothing).Pixel(0, 0), 0xFFFFFF00u);
    ::DeleteObject(onWhite);
    ::DeleteObject(onBlue);
    ::DeleteObject(onNothing);
}

TEST_F(PictureFileTest, IconsAndBitmapFiles) {
    // A 2 x 2 icon: white and red above, white and a masked (transparent) pixel below.
    kq::gfx::codec_test::DibSpec s;
    s.width = 2;
    s.height = 4;
    s.bitCount = 24;
    s.bits = kq::gfx::codec_test::PackRows({{0xFFFFFF, 0x000000}, {0xFFFFFF, 0xFF0000}}, 24);
    const auto mask = kq::gfx::codec_test::PackRows({{0, 1}, {0, 0}}, 1);  // bottom row first
    s.bits.insert(s.bits.end(), mask.begin(), mask.end());
    const std::vector<uint8_t> dib = kq::gfx::codec_test::BuildDib(s);
    const std::string ico = Write("x.ico", kq::gfx::codec_test::BuildIco({{2, 2, 24, 0, 0, dib}}));
    HBITMAP bitmap = LoadPictureBitmap(ico, RGB(0, 128, 0));
    ASSERT_NE(bitmap, nullptr);
    const Image image = ImageFromBitmap(bitmap);
    EXPECT_EQ(image.Pixel(0, 0), 0xFFFFFFFFu);
    EXPECT_EQ(image.Pixel(1, 0), 0xFFFF0000u);
    EXPECT_EQ(image.Pixel(1, 1), 0xFF008000u);  // masked: the background
    ::DeleteObject(bitmap);

    Image picture(3, 2, 0xFF123456);
    const std::string bmp = Write("noextension", EncodeBmp(picture));
    HBITMAP fromBmp = LoadPictureBitmap(bmp, CLR_NONE);
    EXPECT_EQ(ImageFromBitmap(fromBmp).pixels, picture.pixels);
    ::DeleteObject(fromBmp);
}

TEST_F(PictureFileTest, UnreadableAndDamagedFilesFailCleanly) {
    ::SetLastError(0);
    EXPECT_EQ(LoadPictureBitmap((dir_ / "missing.jpg").string(), 0), nullptr);
    EXPECT_EQ(::GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
    EXPECT_EQ(LoadPictureBitmap(Write("text.jpg", {'h', 'e', 'l', 'l', 'o'}), 0), nullptr);
    EXPECT_EQ(::GetLastError(), static_cast<DWORD>(ERROR_INVALID_DATA));
    EXPECT_FALSE(LoadPictureFile(dir_.string()));  // a folder
    const std::vector<uint8_t> jpeg = BlocksJpeg();
    const std::vector<uint8_t> gif = HoleGif();
    for (const auto* data : {&jpeg, &gif}) {
        for (size_t n = 0; n < data->size(); n += 5) {
            const std::string path =
                Write("cut", std::vector<uint8_t>(data->begin(), data->begin() + n));
            ::DeleteObject(LoadPictureBitmap(path, 0));
        }
    }
}
