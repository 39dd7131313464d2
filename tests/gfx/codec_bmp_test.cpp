#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "codec_test_support.h"
#include "platform/gfx/codec/Bmp.h"

using namespace kq::gfx;
using namespace kq::gfx::codec_test;

namespace {

Image Pattern(int w, int h) {
    Image image(w, h);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            image.SetPixel(x, y, MakeArgb(0xFF, x * 40 + 3, y * 60 + 7, (x ^ y) * 20 + 11));
        }
    }
    return image;
}

std::vector<uint32_t> Pixels(const ImageResult& r) {
    EXPECT_TRUE(r.Ok()) << r.error;
    return r.image.pixels;
}

constexpr uint32_t kRed = 0xFFFF0000, kGreen = 0xFF00FF00, kBlue = 0xFF0000FF, kWhite = 0xFFFFFFFF,
                   kSkipped = 0;

}  // namespace

TEST(CodecBmp, WriteReadRoundTripPadsOddWidths) {
    for (int bits : {24, 32}) {
        for (int w = 1; w <= 5; ++w) {
            const Image image = Pattern(w, 3);
            const std::vector<uint8_t> file = EncodeBmp(image, bits);
            const uint64_t stride = (static_cast<uint64_t>(w) * bits + 31) / 32 * 4;
            ASSERT_EQ(file.size(), 54 + stride * 3) << bits << " bits, width " << w;
            EXPECT_EQ(file[10], 54);  // bits follow the 40-byte header
            EXPECT_EQ(file[22], 3);   // positive height: bottom-up rows
            EXPECT_EQ(Pixels(DecodeBmp(file)), image.pixels) << bits << " bits, width " << w;
        }
    }
    // The bottom row comes first; the fourth byte of a 32-bit pixel is left 0.
    Image two(1, 2);
    two.SetPixel(0, 0, 0x80112233);
    two.SetPixel(0, 1, 0xFF445566);
    const std::vector<uint8_t> file = EncodeBmp(two, 32);
    EXPECT_EQ(std::vector<uint8_t>(file.begin() + 54, file.end()),
              (std::vector<uint8_t>{0x66, 0x55, 0x44, 0, 0x33, 0x22, 0x11, 0}));
    EXPECT_TRUE(EncodeBmp(two, 16).empty());
    EXPECT_TRUE(EncodeBmp(Image(), 24).empty());
}

TEST(CodecBmp, SaveIsAtomicAndLoadReadsItBack) {
    const auto dir = std::filesystem::temp_directory_path() / "kq_codec_bmp_save";
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    const std::string path = (dir / "diagram.bmp").string();
    const Image image = Pattern(7, 4);
    std::string error;
    ASSERT_TRUE(SaveBmpFile(path, image, 24, &error)) << error;
    EXPECT_EQ(Pixels(LoadBmpFile(path)), image.pixels);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir), {}), 1);
    EXPECT_FALSE(SaveBmpFile((dir / "missing" / "x.bmp").string(), image, 24, &error));
    EXPECT_NE(error.find("missing"), std::string::npos);
    EXPECT_FALSE(LoadBmpFile((dir / "none.bmp").string()).Ok());
    std::filesystem::remove_all(dir);
}

TEST(CodecBmp, IndexedDepthsWithPalettes) {
    const std::vector<uint32_t> palette16 = {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF, 0, 0, 0, 0,
                                             0,        0,        0,        0,        0, 0, 0, 0};
    DibSpec s;
    s.width = 3;
    s.height = 2;
    s.bitCount = 1;
    s.palette = {0x0000FF, 0xFFFFFF};
    s.bits = PackRows({{1, 0, 1}, {0, 1, 1}}, 1);  // bottom row first
    EXPECT_EQ(Pixels(DecodeBmp(BuildBmp(s))),
              (std::vector<uint32_t>{kBlue, kWhite, kWhite, kWhite, kBlue, kWhite}));

    s.bitCount = 4;
    s.palette = palette16;
    s.bits = PackRows({{3, 2, 1}, {0, 1, 2}}, 4);
    EXPECT_EQ(Pixels(DecodeBmp(BuildBmp(s))),
              (std::vector<uint32_t>{kRed, kGreen, kBlue, kWhite, kBlue, kGreen}));

    // Eight bits with a short palette (colours used = 4), and the same with the old core header.
    s.bitCount = 8;
    s.coloursUsed = 4;
    s.palette = {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF};
    s.bits = PackRows({{3, 3, 0}, {2, 1, 0}}, 8);
    const std::vector<uint32_t> expected = {kBlue, kGreen, kRed, kWhite, kWhite, kRed};
    EXPECT_EQ(Pixels(DecodeBmp(BuildBmp(s))), expected);
    s.headerSize = 12;
    s.coloursUsed = 0;
    s.palette.resize(256, 0);
    EXPECT_EQ(Pixels(DecodeBmp(BuildBmp(s))), expected);
}

TEST(CodecBmp, SixteenAndThirtyTwoBitsWithMasks) {
    DibSpec s;
    s.width = 4;
    s.height = 1;
    s.bitCount = 16;
    s.bits = PackRows({{0x7C00, 0x03E0, 0x001F, 0x4210}}, 16);  // 5-5-5 by default
    EXPECT_EQ(Pixels(DecodeBmp(BuildBmp(s))),
              (std::vector<uint32_t>{kRed, kGreen, kBlue, 0xFF848484}));

    s.compression = 3;
    s.masks = {0xF800, 0x07E0, 0x001F};
    s.bits = PackRows({{0xF800, 0x07E0, 0x001F, 0x8410}}, 16);
    EXPECT_EQ(Pixels(DecodeBmp(BuildBmp(s))),
              (std::vector<uint32_t>{kRed, kGreen, kBlue, 0xFF848284}));

    // 32 bits without bit fields: the fourth byte is not alpha.
    s = DibSpec{};
    s.width = 2;
    s.bitCount = 32;
    s.bits = PackRows({{0x00112233, 0x7F445566}}, 32);
    EXPECT_EQ(Pixels(DecodeBmp(BuildBmp(s))), (std::vector<uint32_t>{0xFF112233, 0xFF445566}));

    // Version 5 header with an alpha mask, and ten-bit channels.
    s.headerSize = 124;
    s.compression = 3;
    s.masks = {0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000};
    EXPECT_EQ(Pixels(DecodeBmp(BuildBmp(s))), (std::vector<uint32_t>{0x00112233, 0x7F445566}));
    s.masks = {0x000003FF, 0x000FFC00, 0x3FF00000};
    s.bits = PackRows({{0x3FFu | (0x200u << 10), 0x3FFu << 20}}, 32);
    EXPECT_EQ(Pixels(DecodeBmp(BuildBmp(s))), (std::vector<uint32_t>{0xFFFF8000, 0xFF0000FF}));

    // Alpha bit fields after a plain info header.
    s.headerSize = 40;
    s.compression = 6;
    s.masks = {0x0000FF00, 0x00FF0000, 0xFF000000, 0x000000FF};
    s.bits = PackRows({{0x33221180, 0x00000000}}, 32);
    EXPECT_EQ(Pixels(DecodeBmp(BuildBmp(s))), (std::vector<uint32_t>{0x80112233, 0}));
}

TEST(CodecBmp, TwentyFourBitsTopDownAndBitsOffset) {
    DibSpec s;
    s.width = 2;
    s.height = -2;
    s.bits = PackRows({{0x0000FF, 0x00FF00}, {0xFF0000, 0xFFFFFF}}, 24);
    const std::vector<uint32_t> expected = {kBlue, kGreen, kRed, kWhite};
    EXPECT_EQ(Pixels(DecodeBmp(BuildBmp(s))), expected);

    // Bits placed after a gap, found through the file header's offset.
    const std::vector<uint8_t> plain = BuildBmp(s);
    std::vector<uint8_t> gapped(plain.begin(), plain.begin() + 54);
    gapped.insert(gapped.end(), 6, 0xEE);
    gapped.insert(gapped.end(), plain.begin() + 54, plain.end());
    gapped[10] = 60;
    EXPECT_EQ(Pixels(DecodeBmp(gapped)), expected);
}

TEST(CodecBmp, PackedDibWithAndWithoutExplicitBitsOffset) {
    DibSpec s;
    s.width = 1;
    s.height = 2;
    s.bitCount = 32;
    s.bits = PackRows({{0x000000FF}, {0x00FF0000}}, 32);
    const std::vector<uint8_t> dib = BuildDib(s);
    EXPECT_EQ(Pixels(DecodeDib(dib)), (std::vector<uint32_t>{kRed, kBlue}));
    // A writer that puts one unused colour entry in front of 32-bit bits.
    std::vector<uint8_t> padded(dib.begin(), dib.begin() + 40);
    padded.insert(padded.end(), 4, 0xAA);
    padded.insert(padded.end(), dib.begin() + 40, dib.end());
    EXPECT_EQ(Pixels(DecodeDib(padded, 44)), (std::vector<uint32_t>{kRed, kBlue}));
    EXPECT_FALSE(DecodeBmp(dib).Ok());  // no file header
}

TEST(CodecBmp, Rle8RunsLiteralsDeltasAndEscapes) {
    DibSpec s;
    s.width = 4;
    s.height = 3;
    s.bitCount = 8;
    s.compression = 1;
    s.coloursUsed = 4;
    s.palette = {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF};
    s.bits = {4, 1, 0, 0,                     // bottom row: four green, end of line
              0, 3, 2, 3, 0, 0, 1, 1, 0, 0,   // literal blue white red (padded), one green
              1, 3, 0, 2, 2, 0, 1, 2, 0, 1};  // white, delta 2 right, blue, end of bitmap
    EXPECT_EQ(Pixels(DecodeBmp(BuildBmp(s))),
              (std::vector<uint32_t>{kWhite, kSkipped, kSkipped, kBlue,  //
                                     kBlue, kWhite, kRed, kGreen,        //
                                     kGreen, kGreen, kGreen, kGreen}));
    // A delta upwards, then the bitmap ends early: skipped pixels stay transparent.
    s.width = 2;
    s.height = 2;
    s.bits = {1, 1, 0, 2, 0, 1, 1, 2, 0, 1};
    EXPECT_EQ(Pixels(DecodeBmp(BuildBmp(s))),
              (std::vector<uint32_t>{kSkipped, kBlue, kGreen, kSkipped}));
}

TEST(CodecBmp, Rle4NibbleRunsAndLiterals) {
    DibSpec s;
    s.width = 5;
    s.height = 2;
    s.bitCount = 4;
    s.compression = 2;
    for (uint32_t i = 0; i < 16; ++i) {
        s.palette.push_back(i * 0x10);
    }
    s.bits = {5, 0x12, 0,    0,                     // 1 2 1 2 1
              0, 3,    0x34, 0x50,                  // literal 3 4 5
              0, 2,    1,    0,    1, 0x60, 0, 1};  // delta one right, 6, end
    const auto c = [](uint32_t i) { return 0xFF000000 | (i * 0x10); };
    EXPECT_EQ(Pixels(DecodeBmp(BuildBmp(s))),
              (std::vector<uint32_t>{c(3), c(4), c(5), kSkipped, c(6),  //
                                     c(1), c(2), c(1), c(2), c(1)}));
}
