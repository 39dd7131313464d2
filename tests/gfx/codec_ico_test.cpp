#include <gtest/gtest.h>

#include <algorithm>

#include "codec_test_support.h"
#include "platform/gfx/codec/Ico.h"
#include "platform/gfx/codec/Png.h"

using namespace kq::gfx;
using namespace kq::gfx::codec_test;

namespace {

using Rows = std::vector<std::vector<uint32_t>>;

// An icon image: colour rows and AND-mask rows given top row first.
std::vector<uint8_t> IconDib(int bits, const Rows& colour, const Rows& mask,
                             std::vector<uint32_t> palette = {}) {
    DibSpec s;
    s.width = static_cast<int32_t>(colour[0].size());
    s.height = static_cast<int32_t>(colour.size() * 2);
    s.bitCount = static_cast<uint16_t>(bits);
    s.palette = std::move(palette);
    s.bits = PackRows(Rows(colour.rbegin(), colour.rend()), bits);
    const std::vector<uint8_t> andBits = PackRows(Rows(mask.rbegin(), mask.rend()), 1);
    s.bits.insert(s.bits.end(), andBits.begin(), andBits.end());
    return BuildDib(s);
}

// A square icon image of one colour with an empty mask.
std::vector<uint8_t> Solid(int size, int bits, uint32_t value) {
    std::vector<uint32_t> palette;
    if (bits <= 8) {
        palette.assign(size_t{1} << bits, 0);
        palette[1] = value;
        value = 1;
    }
    return IconDib(bits, Rows(size, std::vector<uint32_t>(size, value)),
                   Rows(size, std::vector<uint32_t>(size, 0)), palette);
}

}  // namespace

TEST(CodecIco, ChoosesTheEntryBySizeThenDepth) {
    Image big(48, 48, 0xFF123456);
    const std::vector<uint8_t> file =
        BuildIco({{16, 16, 4, 0, 0, Solid(16, 4, 0x000001)},
                  {32, 32, 8, 0, 0, Solid(32, 8, 0x000002)},
                  {32, 32, 32, 0, 0, Solid(32, 32, 0xFF000003)},
                  {0, 0, 32, 0, 0, EncodePng(big, true)},  // the directory says 256: wrong
                  {32, 32, 4, 0, 0, Solid(32, 4, 0x000004)}});
    std::vector<IconEntry> entries;
    bool cursor = true;
    std::string error;
    ASSERT_TRUE(ReadIconDirectory(file, entries, cursor, error)) << error;
    EXPECT_FALSE(cursor);
    ASSERT_EQ(entries.size(), 5u);
    EXPECT_EQ(entries[3].width, 48);  // from the PNG header, not the directory
    EXPECT_EQ(ChooseIconEntry(entries, 0, 0, 0), 2u);
    EXPECT_EQ(ChooseIconEntry(entries, 32, 32, 8), 1u);
    EXPECT_EQ(ChooseIconEntry(entries, 32, 32, 6), 4u);
    EXPECT_EQ(ChooseIconEntry(entries, 32, 32, 1), 4u);  // nothing shallower: the shallowest
    EXPECT_EQ(ChooseIconEntry(entries, 16, 16, 32), 0u);
    EXPECT_EQ(ChooseIconEntry(entries, 20, 20, 32), 2u);  // smallest that covers
    EXPECT_EQ(ChooseIconEntry(entries, 64, 64, 32), 3u);  // none covers: the largest

    const auto colourOf = [&](int w, int bits) {
        const IconResult r = DecodeIcon(file, w, w, bits);
        EXPECT_TRUE(r.Ok()) << r.error;
        return r.Ok() ? r.image.Pixel(1, 1) : 0u;
    };
    EXPECT_EQ(colourOf(16, 32), 0xFF000001u);
    EXPECT_EQ(colourOf(32, 8), 0xFF000002u);
    EXPECT_EQ(colourOf(32, 32), 0xFF000003u);
    EXPECT_EQ(colourOf(48, 32), 0xFF123456u);
    const IconResult icon = DecodeIcon(file);
    EXPECT_EQ(icon.hotspotX, 16);  // icons: the centre
    EXPECT_EQ(icon.hotspotY, 16);
}

TEST(CodecIco, MaskGivesTransparencyAndInversion) {
    // Four-bit icon: black under the mask is transparent, white under it inverts the screen.
    std::vector<uint32_t> palette(16, 0);
    palette[1] = 0xFF0000;
    palette[15] = 0xFFFFFF;
    const IconResult r = DecodeIcon(BuildIco(
        {{3, 2, 4, 0, 0, IconDib(4, {{1, 0, 15}, {1, 1, 1}}, {{0, 1, 1}, {0, 0, 0}}, palette)}}));
    ASSERT_TRUE(r.Ok()) << r.error;
    EXPECT_EQ(r.image.pixels, (std::vector<uint32_t>{0xFFFF0000, 0x00000000, 0x00FFFFFF, 0xFFFF0000,
                                                     0xFFFF0000, 0xFFFF0000}));
    EXPECT_EQ(r.image.mask, (std::vector<uint8_t>{0, 1, 1, 0, 0, 0}));
}

TEST(CodecIco, ThirtyTwoBitAlphaOrMaskAndPngEntries) {
    const Rows mask = {{1, 0}};
    IconResult r =
        DecodeIcon(BuildIco({{2, 1, 32, 0, 0, IconDib(32, {{0x00FFFFFF, 0x80102030}}, mask)}}));
    ASSERT_TRUE(r.Ok()) << r.error;
    EXPECT_EQ(r.image.pixels, (std::vector<uint32_t>{0x00FFFFFF, 0x80102030}));
    // Alpha bytes all zero: the mask decides.
    r = DecodeIcon(BuildIco({{2, 1, 32, 0, 0, IconDib(32, {{0x00FFFFFF, 0x00102030}}, mask)}}));
    ASSERT_TRUE(r.Ok()) << r.error;
    EXPECT_EQ(r.image.pixels, (std::vector<uint32_t>{0x00FFFFFF, 0xFF102030}));

    Image png(2, 1);
    png.pixels = {0x00ABCDEF, 0xC0112233};
    r = DecodeIcon(BuildIco({{2, 1, 32, 0, 0, EncodePng(png, true)}}));
    ASSERT_TRUE(r.Ok()) << r.error;
    EXPECT_EQ(r.image.pixels, (std::vector<uint32_t>{0, 0xC0112233}));
    EXPECT_EQ(r.image.mask, (std::vector<uint8_t>{1, 0}));
}

TEST(CodecIco, CursorHotspotComesFromTheDirectory) {
    const std::vector<uint8_t> file =
        BuildIco({{1, 1, 1, 5, 9, IconDib(1, {{1}}, {{0}}, {0, 0xFFFFFF})}}, true);
    const IconResult r = DecodeIcon(file);
    ASSERT_TRUE(r.Ok()) << r.error;
    EXPECT_EQ(r.hotspotX, 5);
    EXPECT_EQ(r.hotspotY, 9);
    EXPECT_EQ(r.image.pixels, std::vector<uint32_t>{0xFFFFFFFF});
}
