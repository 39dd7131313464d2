// BMP files printed into a box: every header form the reader takes, and the files it refuses.
#include <filesystem>
#include <string>

#include "base/ScopedTempFolder.h"
#include "controls/print/BitmapFileReader.h"
#include "print_PageTestSupport.h"

namespace kq::print::test {
namespace {

// The box: 400 x 400 pixels at (100, 100); the quadrant centres lie 100 pixels in.
constexpr RECT kBox{100, 100, 500, 500};

class PrintBitmap : public ::testing::Test {
  protected:
    // Draws the file into the box of a fresh page; the page is 8.5 inches wide, so texts
    // would be moved by a centring offset of 150 pixels, but bitmaps are not.
    bool Draw(const std::vector<uint8_t>& bytes) {
        const std::string path = folder_ / "picture.bmp";
        WriteBytes(path, bytes);
        return DrawPath(path);
    }
    bool DrawPath(const std::string& path) {
        sheet_.surface->Fill(kWhite);
        CPage page(RECT{0, 0, 5100, 6600}, &sheet_.dc, MM_TEXT);
        EXPECT_EQ(page.State().hOffset, 150);
        const bool drawn = page.DrawBitmapFile(int(kBox.top), int(kBox.left), int(kBox.bottom),
                                               int(kBox.right), path.c_str());
        EXPECT_EQ(page.StateDepth(), 0u);
        return drawn;
    }
    // The colours at the centres of the four quadrants.
    std::vector<uint32_t> Quadrants() const {
        return {sheet_.Pixel(200, 200), sheet_.Pixel(400, 200), sheet_.Pixel(200, 400),
                sheet_.Pixel(400, 400)};
    }
    bool Blank() const { return sheet_.Count({0, 0, 600, 600}, kWhite) == 600 * 600; }

    kq::test::ScopedTempFolder folder_;
    PrinterSheet sheet_{600, 600, 600};
    const std::vector<uint32_t> quadrants_{kRed, kGreen, kBlue, kWhite};
};

TEST_F(PrintBitmap, EveryDepthAndHeaderFormShowsItsColours) {
    struct Case {
        const char* name;
        BmpRecipe recipe;
    };
    const Case cases[] = {
        {"24 bits with a bits offset", {.bits = 24, .gap = 16}},
        {"8 bits, colours used 0", {.bits = 8}},
        {"8 bits, four colours used", {.bits = 8, .colorsUsed = 4, .tableEntries = 4}},
        {"4 bits", {.bits = 4}},
        {"header-less", {.bits = 24, .fileHeader = false}},
        {"header-less 8 bits", {.bits = 8, .fileHeader = false}},
        {"16-bit 5-6-5 bit fields", {.bits = 16, .bitFields = true}},
        {"32 bits", {.bits = 32}},
        {"32-bit bit fields", {.bits = 32, .bitFields = true}},
        {"top-down", {.bits = 24, .topDown = true}},
        {"image size smaller than the bits", {.bits = 24, .imageSizeField = 8}},
        {"image size 0", {.bits = 24, .imageSizeField = 0}},
        {"core header, 8 bits", {.bits = 8, .headerSize = 12}},
        {"core header, 24 bits", {.bits = 24, .headerSize = 12}},
    };
    for (const Case& c : cases) {
        EXPECT_TRUE(Draw(MakeBmp(c.recipe))) << c.name;
        EXPECT_EQ(Quadrants(), quadrants_) << c.name;
        EXPECT_EQ(sheet_.Pixel(101, 101), kRed) << c.name;  // corners of the box
        EXPECT_EQ(sheet_.Pixel(498, 498), kWhite) << c.name;
        EXPECT_EQ(sheet_.Pixel(99, 99), kWhite) << c.name;  // nothing outside
        EXPECT_EQ(sheet_.Pixel(501, 300), kWhite) << c.name;
    }
    // Two colours in a core header: three-byte entries widened to four.
    // (A file needs 54 bytes for its headers, so this one is 16 x 16.)
    EXPECT_TRUE(Draw(MakeBmp({.bits = 1, .headerSize = 12, .width = 16, .height = 16})));
    EXPECT_EQ(Quadrants(), (std::vector<uint32_t>{kRed, kBlue, kBlue, kRed}));
}

TEST_F(PrintBitmap, BlocksHaveTheSizeTheRowsNeed) {
    // A 10 x 10 24-bit header with image size 0 reads 320 bytes of bits (32 per row).
    const std::vector<uint8_t> bytes = MakeBmp({.imageSizeField = 0, .width = 10, .height = 10});
    MemorySource source(bytes);
    const auto block = ReadWholeBitmap(source);
    ASSERT_TRUE(block.has_value());
    EXPECT_EQ(block->size(), 40u + 320u);
    // A core header's table entries are widened in the block.
    const std::vector<uint8_t> core =
        MakeBmp({.bits = 1, .headerSize = 12, .width = 16, .height = 16});
    MemorySource coreSource(core);
    const auto widened = ReadWholeBitmap(coreSource);
    ASSERT_TRUE(widened.has_value());
    EXPECT_EQ(widened->size(), 40u + 2 * 4 + 16 * 4);
    EXPECT_EQ((*widened)[40 + 2], 0xFF);  // red of entry 0
    EXPECT_EQ((*widened)[40 + 4], 0xFF);  // blue of entry 1
}

TEST_F(PrintBitmap, ShortFilesLeaveTheMissingRowsBlack) {
    const std::vector<uint8_t> whole = MakeBmp({.bits = 24});
    // Bottom-up rows: the bottom half is in the file, the top half is missing.
    ASSERT_TRUE(Draw(MakeBmp({.bits = 24, .keepBytes = whole.size() - 2 * 12})));
    EXPECT_EQ(Quadrants(), (std::vector<uint32_t>{kBlack, kBlack, kBlue, kWhite}));
    // Missing more bits than it holds, or a compressed file cut short: refused, as are a
    // few bytes declaring millions of pixels.
    EXPECT_FALSE(Draw(MakeBmp({.bits = 24, .keepBytes = whole.size() - 2 * 12 - 1})));
    EXPECT_FALSE(Draw(MakeBmp({.bits = 24, .width = 2097155, .height = 2, .noBits = true})));
    EXPECT_FALSE(Draw(MakeBmp({.bits = 1, .width = 33554432, .height = 3, .noBits = true})));
    std::vector<uint8_t> rle = MakeBmp({.bits = 8, .imageSizeField = 64, .noBits = true});
    rle[14 + 16] = 1;  // BI_RLE8
    rle.insert(rle.end(), {0, 1, 0, 0});
    EXPECT_FALSE(Draw(rle));
    // Runs held whole but declaring more pixels than runs of 255 in their bytes can paint.
    std::vector<uint8_t> tallRle = MakeBmp({.bits = 8, .imageSizeField = 4, .noBits = true});
    tallRle[14 + 16] = 1;     // BI_RLE8
    tallRle[14 + 8 + 2] = 1;  // 65540 rows of 4 pixels
    tallRle.insert(tallRle.end(), {4, 1, 0, 1});
    EXPECT_FALSE(Draw(tallRle));
    // Too short for its headers: nothing.
    EXPECT_FALSE(Draw(MakeBmp({.bits = 24, .keepBytes = 50})));
    EXPECT_TRUE(Blank());
}

TEST_F(PrintBitmap, HostileHeadersAreRefused) {
    struct Case {
        const char* name;
        BmpRecipe recipe;
    };
    const Case cases[] = {
        {"colours used above 2^bits", {.bits = 4, .colorsUsed = 17}},
        {"colours used 70000", {.bits = 8, .colorsUsed = 70000}},
        {"colours used 300 at 24 bits", {.bits = 24, .colorsUsed = 300}},
        {"width x height beyond 32 bits",
         {.bits = 32, .width = 70000, .height = 70000, .noBits = true}},
        {"beyond the block limit", {.bits = 32, .width = 10000, .height = 7000, .noBits = true}},
        {"version-5 header", {.bits = 24, .headerSize = 124}},
        {"bit fields at 24 bits", {.bits = 24, .bitFields = true}},
    };
    for (const Case& c : cases) {
        EXPECT_FALSE(Draw(MakeBmp(c.recipe))) << c.name;
        EXPECT_TRUE(Blank()) << c.name;
    }
    std::vector<uint8_t> zeroWidth = MakeBmp({});
    zeroWidth[14 + 4] = 0;
    EXPECT_FALSE(Draw(zeroWidth));
    std::vector<uint8_t> twoPlanes = MakeBmp({});
    twoPlanes[14 + 12] = 2;
    EXPECT_FALSE(Draw(twoPlanes));
    std::vector<uint8_t> rleTopDown = MakeBmp({.bits = 8, .topDown = true});
    rleTopDown[14 + 16] = 1;  // BI_RLE8
    EXPECT_FALSE(Draw(rleTopDown));
}

TEST_F(PrintBitmap, PathsAreOpenedWhateverTheirLength) {
    EXPECT_FALSE(DrawPath(folder_ / "missing.bmp"));
    EXPECT_FALSE(DrawPath(""));
    CPage page(RECT{0, 0, 600, 600}, &sheet_.dc, MM_TEXT);
    EXPECT_FALSE(page.DrawBitmapFile(0, 0, 10, 10, nullptr));

    std::string dir = folder_.Path();
    while (dir.size() < 260)
        dir += "/" + std::string(60, 'd');
    std::filesystem::create_directories(dir);
    const std::string path = dir + "/picture.bmp";
    ASSERT_GT(path.size(), 270u);
    WriteBytes(path, MakeBmp({}));
    EXPECT_TRUE(DrawPath(path));
    EXPECT_EQ(Quadrants(), quadrants_);
}

TEST_F(PrintBitmap, EachCallShowsOnlyItsOwnBitmap) {
    const std::string first = folder_ / "first.bmp";
    const std::string second = folder_ / "second.bmp";
    WriteBytes(first, MakeBmp({.bits = 24}));
    WriteBytes(second, MakeBmp({.bits = 8, .headerSize = 12}));
    CPage page(RECT{0, 0, 600, 600}, &sheet_.dc, MM_TEXT);
    EXPECT_TRUE(page.DrawBitmapFile(0, 0, 200, 200, first.c_str()));
    EXPECT_TRUE(page.DrawBitmapFile(0.5, 0.5, 0.8333, 0.8333, second.c_str()));
    EXPECT_EQ(sheet_.Pixel(50, 50), kRed);
    EXPECT_EQ(sheet_.Pixel(150, 150), kWhite);
    EXPECT_EQ(sheet_.Pixel(350, 350), kRed);
    EXPECT_EQ(sheet_.Pixel(450, 450), kWhite);
    EXPECT_EQ(sheet_.Pixel(450, 350), kGreen);
}

}  // namespace
}  // namespace kq::print::test
