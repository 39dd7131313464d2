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
    kq::gfx::Image image = Filled(10, 20, 0xFF102030);
    auto changes = shown.Changes(image, POINT{5, 5});
    ASSERT_EQ(changes.size(), 1u);
    EXPECT_TRUE(Same(changes[0], RECT{0, 0, 10, 20}));
    EXPECT_TRUE(shown.Changes(image, POINT{5, 5}).empty());  // painted again, unchanged

    // Two nearby rows go out as one rectangle over both; a far row as one of its own.
    image.SetPixel(3, 1, 0xFFFFFFFF);
    image.SetPixel(6, 3, 0xFFFFFFFF);
    image.SetPixel(2, 18, 0xFFFFFFFF);
    changes = shown.Changes(image, POINT{5, 5});
    ASSERT_EQ(changes.size(), 2u);
    EXPECT_TRUE(Same(changes[0], RECT{3, 1, 7, 4}));
    EXPECT_TRUE(Same(changes[1], RECT{2, 18, 3, 19}));

    // What was put whole (an exposed part) counts as shown; a new size forgets everything.
    const kq::gfx::Image other = Filled(10, 20, 0xFF000000);
    shown.Remember(other, POINT{5, 5});
    EXPECT_TRUE(shown.Changes(other, POINT{5, 5}).empty());
    shown.Resize(40, 40);
    EXPECT_EQ(shown.Changes(other, POINT{5, 5}).size(), 1u);

    // The part beyond the display's edge is not compared.
    changes = shown.Changes(Filled(10, 10, 0xFF00FF00), POINT{35, 35});
    ASSERT_EQ(changes.size(), 1u);
    EXPECT_TRUE(Same(changes[0], RECT{0, 0, 5, 5}));
}

}  // namespace
}  // namespace kq::ui
