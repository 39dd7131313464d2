// Damaged and hostile BMP and ICO data: every case must end in an error (never a crash, an
// out-of-bounds read or a huge allocation; the sanitizers of the test build watch the reads).
#include <gtest/gtest.h>

#include <climits>

#include "codec_test_support.h"
#include "platform/gfx/codec/Bmp.h"
#include "platform/gfx/codec/Ico.h"
#include "platform/gfx/codec/Png.h"

using namespace kq::gfx;
using namespace kq::gfx::codec_test;

namespace {

std::vector<uint32_t> Grey(int n) {
    std::vector<uint32_t> p;
    for (int i = 0; i < n; ++i) {
        p.push_back(static_cast<uint32_t>(i) * 0x010101);
    }
    return p;
}

DibSpec Plain(int width, int bits, std::vector<uint32_t> row) {
    DibSpec s;
    s.width = width;
    s.height = 2;
    s.bitCount = static_cast<uint16_t>(bits);
    if (bits <= 8) {
        s.palette = Grey(1 << bits);
    }
    s.bits = PackRows({row, row}, bits);
    return s;
}

DibSpec Rle8(std::vector<uint8_t> data, int width = 2, int height = 2) {
    DibSpec s;
    s.width = width;
    s.height = height;
    s.bitCount = 8;
    s.compression = 1;
    s.coloursUsed = 4;
    s.palette = Grey(4);
    s.bits = std::move(data);
    return s;
}

// Valid files whose rows need no padding, so that every shorter prefix is incomplete.
std::vector<std::vector<uint8_t>> ValidBmps() {
    std::vector<std::vector<uint8_t>> files;
    files.push_back(BuildBmp(Plain(32, 1, std::vector<uint32_t>(32, 1))));
    files.push_back(BuildBmp(Plain(8, 4, {0, 1, 2, 3, 4, 5, 6, 7})));
    files.push_back(BuildBmp(Plain(4, 8, {9, 200, 3, 4})));
    files.push_back(BuildBmp(Plain(2, 16, {0x7FFF, 0x1234})));
    files.push_back(BuildBmp(Plain(4, 24, {1, 2, 3, 4})));
    DibSpec v5 = Plain(1, 32, {0x80FF00FF});
    v5.headerSize = 124;
    v5.compression = 3;
    v5.masks = {0xFF0000, 0xFF00, 0xFF, 0xFF000000};
    files.push_back(BuildBmp(v5));
    files.push_back(BuildBmp(Rle8({2, 1, 0, 0, 0, 2, 1, 0, 1, 3, 0, 1})));
    DibSpec rle4 = Plain(4, 4, {});
    rle4.compression = 2;
    rle4.bits = {4, 0x12, 0, 0, 0, 4, 0x34, 0x56, 0, 1};
    files.push_back(BuildBmp(rle4));
    return files;
}

// A 32-pixel-wide four-bit entry (no row padding anywhere) and a PNG entry.
std::vector<uint8_t> ValidIco() {
    std::vector<uint32_t> row;
    std::vector<uint32_t> maskRow;
    for (uint32_t x = 0; x < 32; ++x) {
        row.push_back(x % 16);
        maskRow.push_back(x % 3 == 0);
    }
    DibSpec s = Plain(32, 4, row);
    s.height = 4;
    const auto mask = PackRows({maskRow, maskRow}, 1);
    s.bits.insert(s.bits.end(), mask.begin(), mask.end());
    return BuildIco(
        {{32, 2, 4, 0, 0, BuildDib(s)}, {2, 2, 32, 0, 0, EncodePng(Image(2, 2), true)}});
}

ImageResult DecodeBoth(const std::vector<uint8_t>& file) {
    ImageResult r = DecodeBmp(file);
    if (file.size() > 14) {
        DecodeDib(std::span(file).subspan(14));
    }
    return r;
}

}  // namespace

TEST(CodecHostile, EveryTruncationIsAnError) {
    for (const auto& file : ValidBmps()) {
        ASSERT_TRUE(DecodeBmp(file).Ok()) << DecodeBmp(file).error;
        for (size_t n = 0; n < file.size(); ++n) {
            EXPECT_FALSE(DecodeBoth(std::vector<uint8_t>(file.begin(), file.begin() + n)).Ok())
                << "length " << n << " of " << file.size();
        }
    }
    const std::vector<uint8_t> ico = ValidIco();
    ASSERT_EQ(DecodeIcon(ico, 2, 2, 32).image.width, 2);
    for (size_t n = 0; n < ico.size(); ++n) {
        // The PNG entry comes last, so every cut loses it; the other entry may still serve.
        const IconResult r =
            DecodeIcon(std::vector<uint8_t>(ico.begin(), ico.begin() + n), 2, 2, 32);
        EXPECT_TRUE(!r.Ok() || r.image.width == 32) << "length " << n;
    }
    std::vector<IconEntry> entries;
    bool cursor = false;
    std::string error;
    ASSERT_TRUE(ReadIconDirectory(ico, entries, cursor, error));
    for (const IconEntry& e : entries) {
        const std::span<const uint8_t> image(ico.data() + e.offset, e.size);
        ASSERT_TRUE(DecodeIconImage(image).Ok());
        // A PNG image is complete before its 12-byte end chunk.
        const size_t complete = HasPngSignature(image) ? image.size() - 12 : image.size();
        for (size_t n = 0; n < complete; ++n) {
            EXPECT_FALSE(DecodeIconImage(image.first(n)).Ok()) << "length " << n;
        }
    }
}

// An image a decoder reports whole: a size the decoders allow and one pixel (and mask entry,
// where there is a mask) for every place of it.
::testing::AssertionResult Whole(const Image& image) {
    const int64_t places = static_cast<int64_t>(image.width) * image.height;
    if (!ImageSizeAllowed(image.width, image.height) ||
        static_cast<int64_t>(image.pixels.size()) != places ||
        (image.HasMask() && static_cast<int64_t>(image.mask.size()) != places))
        return ::testing::AssertionFailure()
               << image.width << " x " << image.height << ", " << image.pixels.size() << " pixels, "
               << image.mask.size() << " mask entries";
    return ::testing::AssertionSuccess();
}

TEST(CodecHostile, CorruptedBytesNeverReadOutOfBoundsAndWhatDecodesIsWhole) {
    std::vector<std::vector<uint8_t>> files = ValidBmps();
    files.push_back(ValidIco());
    for (size_t f = 0; f < files.size(); ++f) {
        const std::vector<uint8_t>& original = files[f];
        int decoded = 0;
        for (size_t i = 0; i < original.size(); ++i) {
            for (uint8_t value : {0x00, 0x7F, 0x80, 0xFF}) {
                std::vector<uint8_t> file = original;
                file[i] = value;
                const ImageResult bmp = DecodeBmp(file);
                const ImageResult dib =
                    file.size() > 14 ? DecodeDib(std::span(file).subspan(14)) : ImageResult{};
                const IconResult icon = DecodeIcon(file);
                const ImageResult image = DecodeIconImage(file);
                for (const Image* whole :
                     {bmp.Ok() ? &bmp.image : nullptr, dib.Ok() ? &dib.image : nullptr,
                      icon.Ok() ? &icon.image : nullptr, image.Ok() ? &image.image : nullptr}) {
                    if (whole != nullptr) {
                        EXPECT_TRUE(Whole(*whole)) << "file " << f << ", byte " << i;
                        ++decoded;
                    }
                }
            }
        }
        // A changed pixel or colour still makes a picture: damage is not refused wholesale.
        EXPECT_GT(decoded, 0) << "file " << f;
    }
}

TEST(CodecHostile, HugeOrInvalidDimensions) {
    for (auto [w, h] : std::vector<std::pair<int32_t, int32_t>>{{0x7FFFFFFF, 0x7FFFFFFF},
                                                                {65536, 65536},
                                                                {1, INT32_MIN},
                                                                {0, 5},
                                                                {-3, 5},
                                                                {8193, 8192}}) {
        DibSpec s = Plain(1, 24, {1});
        s.width = w;
        s.height = h;
        EXPECT_FALSE(DecodeBmp(BuildBmp(s)).Ok()) << w << " x " << h;
    }
    // Allowed size, but no data behind it: refused before any allocation.
    DibSpec s = Plain(1, 32, {1});
    s.width = 8192;
    s.height = -8192;
    EXPECT_FALSE(DecodeBmp(BuildBmp(s)).Ok());
}

TEST(CodecHostile, OffsetsAndTablesPastTheEnd) {
    const std::vector<uint8_t> good = BuildBmp(Plain(4, 24, {1, 2, 3, 4}));
    for (uint32_t offset : {0xFFFFFFFFu, 0x80000000u, static_cast<uint32_t>(good.size() + 1), 5u}) {
        std::vector<uint8_t> file = good;
        file[10] = static_cast<uint8_t>(offset);
        file[11] = static_cast<uint8_t>(offset >> 8);
        file[12] = static_cast<uint8_t>(offset >> 16);
        file[13] = static_cast<uint8_t>(offset >> 24);
        EXPECT_FALSE(DecodeBmp(file).Ok()) << offset;
    }
    DibSpec s = Plain(4, 24, {1, 2, 3, 4});
    s.coloursUsed = 0xFFFFFFFF;  // a table too long for the file
    EXPECT_FALSE(DecodeDib(BuildDib(s)).Ok());
    s.headerSize = 20;
    EXPECT_FALSE(DecodeDib(BuildDib(s)).Ok());

    // Icon directory: too many entries, and an entry whose offset wraps around.
    std::vector<uint8_t> ico = ValidIco();
    ico[4] = 0xFF;
    ico[5] = 0xFF;
    EXPECT_FALSE(DecodeIcon(ico).Ok());
    ico = ValidIco();
    ico.resize(6 + 16);
    ico[4] = 1;
    for (int i = 0; i < 4; ++i) {
        ico[6 + 8 + i] = 0x20;   // size
        ico[6 + 12 + i] = 0xF0;  // offset near 4 GB
    }
    EXPECT_FALSE(DecodeIcon(ico).Ok());
}

TEST(CodecHostile, InvalidPixelsAndMasks) {
    DibSpec s = Plain(2, 8, {1, 5});
    s.coloursUsed = 2;
    s.palette.resize(2);
    EXPECT_FALSE(DecodeBmp(BuildBmp(s)).Ok());  // index 5 of a two-colour palette

    s = Plain(1, 16, {1});
    s.compression = 3;
    for (const auto& masks :
         std::vector<std::vector<uint32_t>>{{0xF800, 0x0FE0, 0x001F},    // overlapping
                                            {0xF000, 0x0A00, 0x001F},    // not contiguous
                                            {0x1F0000, 0x07E0, 0x001F},  // beyond 16 bits
                                            {0, 0, 0}}) {
        s.masks = masks;
        EXPECT_FALSE(DecodeBmp(BuildBmp(s)).Ok()) << masks[0];
    }
    s = Plain(1, 8, {1});
    s.compression = 4;  // embedded JPEG
    EXPECT_FALSE(DecodeBmp(BuildBmp(s)).Ok());
    s.compression = 2;  // RLE4 on an 8-bit bitmap
    EXPECT_FALSE(DecodeBmp(BuildBmp(s)).Ok());
    s.bitCount = 2;
    s.compression = 0;
    EXPECT_FALSE(DecodeBmp(BuildBmp(s)).Ok());
}

TEST(CodecHostile, RunLengthDataLeavingTheImage) {
    const std::vector<std::vector<uint8_t>> bad = {
        {3, 1, 0, 1},              // run longer than the row
        {0, 3, 1, 1, 1, 0, 0, 1},  // literal longer than the row
        {0, 2, 3, 0, 0, 1},        // delta right of the image
        {0, 2, 0, 3, 0, 1},        // delta above the image
        {0, 0, 0, 0, 0, 0, 0, 1},  // end of line past the last row
        {2, 1, 0, 0, 2, 7, 0, 1},  // palette index 7 of four
        {2, 1, 0, 0},              // no end-of-bitmap mark
        {0, 3, 1, 2},              // literal cut off
        {0, 2, 1},                 // delta cut off
    };
    for (const auto& data : bad) {
        EXPECT_FALSE(DecodeBmp(BuildBmp(Rle8(data))).Ok()) << ::testing::PrintToString(data);
    }
    DibSpec topDown = Rle8({0, 1});
    topDown.height = -2;
    EXPECT_FALSE(DecodeBmp(BuildBmp(topDown)).Ok());
    EXPECT_TRUE(DecodeBmp(BuildBmp(Rle8({0, 1}))).Ok());
}
