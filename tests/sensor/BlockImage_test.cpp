#include "protocol/BlockImage.h"

#include <gtest/gtest.h>

using namespace tarvik;

namespace {

BlockImage ValidImage(int number) {
    BlockImage image;
    image.bytes[0] = static_cast<uint8_t>(number);
    image.bytes[1] = kBlockLayout;
    image.bytes[10] = 0x42;
    image.SetCheckBytes();
    return image;
}

}  // namespace

TEST(BlockImage, InvalidationSubtracts0x33FromEachCheckByte) {
    BlockImage image = ValidImage(130);
    const CheckBytes good = image.StoredCheckBytes();
    image.InvalidateCheckBytes();
    EXPECT_EQ(image.bytes[62], static_cast<uint8_t>(good.first - 0x33));
    EXPECT_EQ(image.bytes[63], static_cast<uint8_t>(good.second - 0x33));
    EXPECT_TRUE(image.IsInvalidated());
    EXPECT_FALSE(image.HasCorrectCheckBytes());
    EXPECT_FALSE(image.IsValidFor(130));
    // Valid again with fresh check bytes.
    image.SetCheckBytes();
    EXPECT_TRUE(image.IsValidFor(130));
    EXPECT_FALSE(image.IsInvalidated());
}

TEST(BlockImage, InvalidationWrapsBelowZero) {
    // Find content whose check bytes are below 0x33 so the subtraction wraps.
    BlockImage image;
    image.bytes[0] = 0;
    image.bytes[1] = 1;
    image.SetCheckBytes();  // sums 1 and 61 of running sums 1
    ASSERT_LT(image.bytes[62], 0x33);
    image.InvalidateCheckBytes();
    EXPECT_EQ(image.bytes[62], static_cast<uint8_t>(1 - 0x33 + 256));
    EXPECT_TRUE(image.IsInvalidated());
}

TEST(BlockImage, ValidityRuleWantsNumberLayoutAndChecks) {
    EXPECT_TRUE(ValidImage(3).IsValidFor(3));
    EXPECT_FALSE(ValidImage(3).IsValidFor(2));  // another block's image

    BlockImage changed = ValidImage(128);
    changed.bytes[30] ^= 1;  // a bit flipped after the checks were made
    EXPECT_FALSE(changed.IsValidFor(128));
    EXPECT_FALSE(changed.IsInvalidated());

    BlockImage erased;  // all 0: check bytes 0 and 0 are "correct", yet nothing is stored
    EXPECT_TRUE(erased.HasCorrectCheckBytes());
    EXPECT_FALSE(erased.IsValidFor(0));
    BlockImage ff;
    for (auto& b : ff.bytes) {
        b = 0xFF;
    }
    EXPECT_FALSE(ff.IsValidFor(0xFF));
}

TEST(BlockImage, FromBytesChecksTheLength) {
    BlockImage image;
    EXPECT_FALSE(BlockImage::FromBytes(std::string(63, '\x01'), image));
    EXPECT_FALSE(BlockImage::FromBytes(std::string(65, '\x01'), image));
    EXPECT_TRUE(BlockImage::FromBytes(std::string(64, '\x01'), image));
    EXPECT_EQ(image.bytes[63], 1);
    EXPECT_STREQ(BlockName(6), "Rotor UserCalib");
    EXPECT_STREQ(BlockName(8), "");
    EXPECT_EQ(BlockIndexFromNumber(130), kBlockUserCalib);
    EXPECT_EQ(BlockIndexFromNumber(4), -1);
    EXPECT_EQ(BlockNumberFromIndex(7), 131);
}
