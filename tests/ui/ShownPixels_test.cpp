#include "platform/ui/backend/ShownPixels.h"

#include <gtest/gtest.h>

namespace kq::ui {
namespace {

kq::gfx::Image Filled(int width, int height, uint32_t pixel) {
    kq::gfx::Image image;
    image.width = width;
    image.height = height;
    image.pixels.assign(static_cast<size_t>(width) * height, pixel);
    return image;
}

bool Same(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

TEST(ShownPixels, OnlyPixelsThatDifferFromTheShownOnesAreReported) {
    ShownPixels shown;
    shown.Resize(40, 40);
    const kq::gfx::Image black = Filled(40, 40, 0);
    // Before anything was shown everything counts as changed, black included.
    auto changes = shown.Changes(PixelBlock::Of(black), POINT{0, 0});
    ASSERT_EQ(changes.size(), 1u);
    EXPECT_TRUE(Same(changes[0], RECT{0, 0, 40, 40}));

    kq::gfx::Image image = Filled(10, 20, 0x102030);
    changes = shown.Changes(PixelBlock::Of(image), POINT{5, 5});
    ASSERT_EQ(changes.size(), 1u);
    EXPECT_TRUE(Same(changes[0], RECT{0, 0, 10, 20}));
    EXPECT_TRUE(shown.Changes(PixelBlock::Of(image), POINT{5, 5}).empty());  // painted again

    // Two nearby rows go out as one rectangle over both; a far row as one of its own.
    image.SetPixel(3, 1, 0xFFFFFF);
    image.SetPixel(6, 3, 0xFFFFFF);
    image.SetPixel(2, 18, 0xFFFFFF);
    changes = shown.Changes(PixelBlock::Of(image), POINT{5, 5});
    ASSERT_EQ(changes.size(), 2u);
    EXPECT_TRUE(Same(changes[0], RECT{3, 1, 7, 4}));
    EXPECT_TRUE(Same(changes[1], RECT{2, 18, 3, 19}));

    // What was drawn over some rows (the caret) is not known there until put again whole.
    shown.Forget(RECT{0, 10, 40, 12});
    changes = shown.Changes(PixelBlock::Of(image), POINT{5, 5});
    ASSERT_EQ(changes.size(), 1u);
    EXPECT_TRUE(Same(changes[0], RECT{0, 5, 10, 7}));

    // In a wide row the change is found wherever it lies, the row's ends included.
    shown.Resize(100, 4);
    kq::gfx::Image wide = Filled(100, 4, 0);
    shown.Remember(PixelBlock::Of(wide), POINT{0, 0});
    wide.SetPixel(37, 0, 1);
    wide.SetPixel(70, 0, 1);
    wide.SetPixel(0, 3, 1);
    wide.SetPixel(99, 3, 1);
    changes = shown.Changes(PixelBlock::Of(wide), POINT{0, 0});
    ASSERT_EQ(changes.size(), 1u);
    EXPECT_TRUE(Same(changes[0], RECT{0, 0, 100, 4}));
    wide.SetPixel(16, 1, 2);
    changes = shown.Changes(PixelBlock::Of(wide), POINT{0, 0});
    ASSERT_EQ(changes.size(), 1u);
    EXPECT_TRUE(Same(changes[0], RECT{16, 1, 17, 2}));
    wide.SetPixel(37, 0, 0);
    wide.SetPixel(70, 0, 0);
    changes = shown.Changes(PixelBlock::Of(wide), POINT{0, 0});
    ASSERT_EQ(changes.size(), 1u);
    EXPECT_TRUE(Same(changes[0], RECT{37, 0, 71, 1}));

    // A new size forgets everything; the part beyond the display's edge is not compared.
    shown.Resize(40, 40);
    changes = shown.Changes(PixelBlock::Of(Filled(10, 10, 0xFF00)), POINT{35, 35});
    ASSERT_EQ(changes.size(), 1u);
    EXPECT_TRUE(Same(changes[0], RECT{0, 0, 5, 5}));
}

// The X back end puts the reported rectangles straight from the storage it lent: whatever was
// reported, and everything else it shows, must hold the block's pixels.
TEST(ShownPixels, LentStorageHoldsEveryPixelShown) {
    constexpr int kSide = 48;
    std::vector<uint32_t> storage(kSide * kSide, 0xDEAD);
    ShownPixels shown;
    shown.Resize(kSide, kSide, storage.data());
    kq::gfx::Image image = Filled(kSide, kSide, 0x202020);
    uint32_t seed = 7;
    for (int round = 0; round < 20; ++round) {
        for (int k = 0; k < 5; ++k) {
            seed = seed * 1103515245u + 12345u;
            image.SetPixel(static_cast<int>(seed >> 8) % kSide,
                           static_cast<int>(seed >> 20) % kSide, seed);
        }
        if (round == 10)
            shown.Forget(RECT{0, 4, kSide, 9});
        shown.Changes(PixelBlock::Of(image), POINT{0, 0});
        ASSERT_EQ(storage, image.pixels) << "round " << round;
    }
}

}  // namespace
}  // namespace kq::ui
