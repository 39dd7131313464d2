#include "protocol/Frame.h"

#include <gtest/gtest.h>

#include "FrameTestHelpers.h"

using namespace tarvik;
using sensortest::Bytes;

TEST(Frame, CheckBytesAreTheSumAndTheSumOfRunningSums) {
    const uint8_t data[] = {1, 2, 3, 0xFF};
    // Running sums 1, 3, 6, 5 (mod 256); their sum is 15.
    EXPECT_EQ(ComputeCheckBytes(data, 4), (CheckBytes{5, 15}));
    EXPECT_EQ(ComputeCheckBytes(data, 0), (CheckBytes{0, 0}));
    // The second byte sees the order of the bytes, the first does not.
    const uint8_t swapped[] = {2, 1, 3, 0xFF};
    EXPECT_EQ(ComputeCheckBytes(swapped, 4).first, 5);
    EXPECT_NE(ComputeCheckBytes(swapped, 4).second, 15);
}

TEST(Frame, LayoutCarriesAddressesLengthCodeDataAndChecks) {
    const CString frame = BuildFrame(0x01, 0xFF, 'D', Bytes({0x82}));
    ASSERT_EQ(frame.GetLength(), 8);
    const std::string& b = frame.Str();
    EXPECT_EQ(b.substr(0, 6), Bytes({0x02, 0x01, 0xFF, 0x02, 'D', 0x82}));
    const CheckBytes check = ComputeCheckBytes(reinterpret_cast<const uint8_t*>(b.data()) + 1, 5);
    EXPECT_EQ(static_cast<uint8_t>(b[6]), check.first);
    EXPECT_EQ(static_cast<uint8_t>(b[7]), check.second);
}

TEST(Frame, DataMayHoldZeroBytesAndIsLimitedInLength) {
    const std::string zeros(10, '\0');
    EXPECT_EQ(BuildFrame(1, 2, 'W', zeros).GetLength(), 10 + 1 + kFrameOverhead);
    EXPECT_EQ(BuildFrame(1, 2, 'W', std::string(kMaxData, 'x')).GetLength(), kMaxFrameSize);
    EXPECT_TRUE(BuildFrame(1, 2, 'W', std::string(kMaxData + 1, 'x')).IsEmpty());

    Frame frame;
    EXPECT_TRUE(frame.SetData(zeros));
    EXPECT_EQ(frame.Data(), zeros);
    EXPECT_FALSE(frame.SetData(std::string(kMaxData + 1, 'x')));
    EXPECT_EQ(frame.Data(), zeros);
}
