#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "codec_test_support.h"
#include "encoded_images.h"
#include "platform/base/LastError.h"
#include "platform/gfx/ImageBridge.h"
#include "platform/gfx/PictureFile.h"
#include "platform/gfx/UserDrawConstants.h"
#include "platform/gfx/WinGdi.h"
#include "platform/gfx/codec/Bmp.h"

using namespace kq::gfx;
namespace fs = std::filesystem;

namespace {

std::string Write(const std::string& name, const std::vector<uint8_t>& bytes) {
    const fs::path path = fs::temp_directory_path() / (name + std::to_string(::getpid()));
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
    return path.string();
}

std::vector<uint32_t> PixelsOf(const std::string& path, COLORREF background) {
    HBITMAP bitmap = LoadPictureBitmap(path, background);
    const Image image = ImageFromBitmap(bitmap);
    ::DeleteObject(bitmap);
    return image.pixels;
}

}  // namespace

TEST(PictureFile, TransparentPartsShowTheBackground) {
    // The content decides the format, not the name.
    const std::string gif = Write("kq_picture.jpg", kq::gfx::codec_test::HoleGif());
    EXPECT_EQ(PixelsOf(gif, RGB(0, 0, 255)),
              (std::vector<uint32_t>{0xFFFFFF00, 0xFF0000FF, 0xFFFFFF00}));
    EXPECT_EQ(PixelsOf(gif, CLR_NONE)[1], 0xFF000000u);  // no background: black, as a new bitmap

    // An icon: white and red above, white and a masked pixel below.
    codec_test::DibSpec s{.width = 2, .height = 4, .bitCount = 24};
    s.bits = codec_test::PackRows({{0xFFFFFF, 0x000000}, {0xFFFFFF, 0xFF0000}}, 24);
    const auto mask = codec_test::PackRows({{0, 1}, {0, 0}}, 1);
    s.bits.insert(s.bits.end(), mask.begin(), mask.end());
    const std::string ico =
        Write("kq_picture.ico", codec_test::BuildIco({{2, 2, 24, 0, 0, codec_test::BuildDib(s)}}));
    EXPECT_EQ(PixelsOf(ico, RGB(0, 128, 0)),
              (std::vector<uint32_t>{0xFFFFFFFF, 0xFFFF0000, 0xFFFFFFFF, 0xFF008000}));

    const std::string bmp = Write("kq_picture", EncodeBmp(Image(3, 2, 0xFF123456)));
    EXPECT_EQ(PixelsOf(bmp, CLR_NONE), std::vector<uint32_t>(6, 0xFF123456));
    for (const std::string& path : {gif, ico, bmp})
        fs::remove(path);
}

TEST(PictureFile, UnreadableAndDamagedFilesFailCleanly) {
    EXPECT_EQ(LoadPictureBitmap("/nonexistent/picture.jpg", 0), nullptr);
    EXPECT_EQ(::GetLastError(), DWORD(ERROR_FILE_NOT_FOUND));
    const std::string path = Write("kq_picture_bad", {0xFF, 0xD8, 0xFF, 0xE0, 0, 16, 'J', 'F'});
    EXPECT_EQ(LoadPictureBitmap(path, 0), nullptr);  // a JPEG that ends early
    EXPECT_EQ(::GetLastError(), DWORD(ERROR_INVALID_DATA));
    EXPECT_FALSE(LoadPictureFile(fs::temp_directory_path().string()));  // a folder
    const std::vector<uint8_t> gif = kq::gfx::codec_test::HoleGif();
    for (size_t n = 0; n < gif.size(); ++n) {
        Write("kq_picture_bad", std::vector<uint8_t>(gif.begin(), gif.begin() + n));
        ::DeleteObject(LoadPictureBitmap(path, 0));
    }
    fs::remove(path);
}
