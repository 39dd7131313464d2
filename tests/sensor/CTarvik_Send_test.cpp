#include "sensor/CTarvik_Send.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "protocol/CFloat32.h"

#include "FrameTestHelpers.h"
#include "protocol/BlockLayouts.h"
#include "protocol/Messages.h"
#include "sensor/SensorRecord.h"

using namespace tarvik;

namespace {

Frame Cut(const CString& bytes) {
    FrameCutter cutter;
    const auto frames = sensortest::CutAll(bytes.Str(), cutter);
    EXPECT_EQ(frames.size(), 1u);
    return frames.empty() ? Frame() : frames[0];
}

Frame BlockReply(int number, const BlockImage& image) {
    BlockContentReply reply;
    reply.number = number;
    reply.image = image;
    return Cut(BuildMessage(1, 0xFF, reply));
}

}  // namespace

TEST(CTarvik_Send, RequestsCarryTheAddressButIdentificationGoesToAnySensor) {
    CTarvik_Send codec;
    codec.TarSend_SetAddress(1, 255);
    const Frame status = Cut(codec.TarSend_RequestStatusLong());
    EXPECT_EQ(status.address1, 1);
    EXPECT_EQ(status.address2, 255);
    EXPECT_EQ(status.code, kRequestStatusLong);
    const Frame id = Cut(codec.TarSend_RequestIdentification());
    EXPECT_EQ(id.address1, kAnyAddress);
    EXPECT_EQ(id.address2, kAnyIndex);

    ReadBlockRequest read;
    ASSERT_TRUE(ParseMessage(Cut(codec.TarSend_RequestReadBlock(kBlockUserCalib)), read));
    EXPECT_EQ(read.number, 130);

    // Values the protocol does not know give no frame at all.
    EXPECT_TRUE(codec.TarSend_RequestReadBlock(8).IsEmpty());
    EXPECT_TRUE(codec.TarSend_RequestStartMeasure(16, 0).IsEmpty());
    EXPECT_TRUE(codec.TarSend_RequestValues(5).IsEmpty());
    EXPECT_TRUE(codec.TarSend_RequestRole(-1).IsEmpty());
}

TEST(CTarvik_Send, BlockRecordsRememberWhatWasReadAndWritten) {
    CTarvik_Send codec;
    EXPECT_STREQ(codec.TarSend_GetBlockRecord(7).pszName, "Rotor Operation");
    EXPECT_EQ(codec.TarSend_GetBlockRecord(7).iNumber, 131);
    EXPECT_TRUE(codec.TarSend_GetBlockRecord(7).strLastRead.IsEmpty());

    BlockImage op;
    ASSERT_TRUE(RotorOperationBlock({"S1", "S2"}).Encode(op));
    SensorRecord record;
    SensorRecord_Reset(record);
    ASSERT_TRUE(codec.TarSend_ReadBlockGetContent(BlockReply(131, op), 7, record));
    EXPECT_STREQ(record.szSerialText[1], "S2");
    EXPECT_EQ(codec.TarSend_GetBlockRecord(7).strLastRead.Str(), std::string(op.View()));

    // The reply must carry the block that was asked for.
    SensorRecord untouched = record;
    EXPECT_FALSE(codec.TarSend_ReadBlockGetContent(BlockReply(131, op), 6, record));
    BlockImage other = op;
    other.bytes[0] = 130;
    EXPECT_FALSE(codec.TarSend_ReadBlockGetContent(BlockReply(131, other), 7, record));
    EXPECT_FALSE(codec.TarSend_ReadBlockGetContent(Cut(BuildMessage(1, 1, AckReply())), 7, record));
    EXPECT_EQ(std::memcmp(&untouched, &record, sizeof(record)), 0);

    const CString write = codec.TarSend_RequestWriteBlock(7, op);
    EXPECT_EQ(write.GetLength(), 66 + kFrameOverhead);
    EXPECT_EQ(codec.TarSend_GetBlockRecord(7).strLastWritten.Str(), std::string(op.View()));
    EXPECT_TRUE(codec.TarSend_RequestWriteBlock(6, op).IsEmpty());  // image of another block
    EXPECT_TRUE(codec.TarSend_GetBlockRecord(6).strLastWritten.IsEmpty());
    EXPECT_TRUE(codec.TarSend_GetBlockRecord(-1).strLastWritten.IsEmpty());

    codec.TarSend_ClearBlockRecords();
    EXPECT_TRUE(codec.TarSend_GetBlockRecord(7).strLastRead.IsEmpty());
}

TEST(CTarvik_Send, VersionTextPlacesThePointByTheFirstDigit) {
    EXPECT_EQ(CTarvik_Send::TarSend_GetVersionText(0x3500), "500");
    EXPECT_EQ(CTarvik_Send::TarSend_GetVersionText(0x1250), "2.5");
    EXPECT_EQ(CTarvik_Send::TarSend_GetVersionText(0x2123), "12.3");
    EXPECT_EQ(CTarvik_Send::TarSend_GetVersionText(0x0050), "0.05");
    EXPECT_EQ(CTarvik_Send::TarSend_GetVersionText(0x5500), "50000");
    EXPECT_EQ(CTarvik_Send::TarSend_GetVersionText(0x0000), "0");
    EXPECT_EQ(CTarvik_Send::TarSend_GetVersionText(0x1000), "0");
    EXPECT_EQ(CTarvik_Send::TarSend_GetVersionText(0x3007), "7");
    EXPECT_EQ(CTarvik_Send::TarSend_GetVersionText(0x1A00), "");  // not a decimal digit
    EXPECT_EQ(CTarvik_Send::TarSend_GetVersionText(0xFFFE), "");
    EXPECT_EQ(CTarvik_Send::TarSend_GetVersionText(65535), "");
    EXPECT_EQ(CTarvik_Send::TarSend_GetVersionText(70000), "");
    EXPECT_EQ(CTarvik_Send::TarSend_GetVersionText(0x9999), "999000000");
}

TEST(CTarvik_Send, RangeOfAChannelAsTextAndNumber) {
    SensorRecord r;
    SensorRecord_Reset(r);
    r.wRange[0] = 0x2123;
    r.wRange[1] = 0x0050;
    EXPECT_EQ(CTarvik_Send::TarSend_GetRangeText(r, 0), "12.3");
    EXPECT_DOUBLE_EQ(CTarvik_Send::TarSend_GetRangeValue(r, 0), 12.3);
    EXPECT_DOUBLE_EQ(CTarvik_Send::TarSend_GetRangeValue(r, 1), 0.05);
    EXPECT_DOUBLE_EQ(CTarvik_Send::TarSend_GetValuePerCount(r, 0), 12.3e-6);
    EXPECT_EQ(CTarvik_Send::TarSend_GetRangeText(r, 2), "");
    r.wRange[0] = 0xFFFF;
    EXPECT_EQ(CTarvik_Send::TarSend_GetRangeValue(r, 0), 0.0);
}

TEST(CTarvik_Send, AccuracyClassesAndTheirDefault) {
    const char* expected[] = {"3.0",  "2.0", "1.0",  "0.5", "0.3",
                              "0.25", "0.2", "0.15", "0.1", "0.05"};
    for (int i = 0; i < 10; ++i) {
        int index = -2;
        double value = 0;
        EXPECT_EQ(CTarvik_Send::TarSend_GetAccuracyClass(40 + 20 * i, &index, &value), expected[i]);
        EXPECT_EQ(index, i);
        EXPECT_GT(value, 0.0);
    }
    int index = 0;
    double value = 0;
    EXPECT_EQ(CTarvik_Send::TarSend_GetAccuracyClass(50, &index, &value), "(def) 3.0");
    EXPECT_EQ(index, -1);
    EXPECT_EQ(value, 3.0);
    EXPECT_EQ(CTarvik_Send::TarSend_GetAccuracyClass(0), "(def) 3.0");
    EXPECT_EQ(CTarvik_Send::TarSend_GetAccuracyClass(240), "(def) 3.0");
}

TEST(CTarvik_Send, UnitCodesAndStatorTypeNames) {
    const std::pair<char, int> codes[] = {{'A', 1},  {'D', 3},   {'K', 4}, {'P', 100}, {'S', 2},
                                          {'T', 7},  {'W', 5},   {'X', 6}, {'Y', 8},   {'d', 0},
                                          {'a', -1}, {'\0', -1}, {'p', -1}};
    for (const auto& [letter, code] : codes) {
        EXPECT_EQ(CTarvik_Send::TarSend_GetUnitCode(letter), code) << letter;
    }
    EXPECT_EQ(CTarvik_Send::TarSend_GetStatorTypeName(9, 0, 0, 0, 0), "Quadraturencoder");
    EXPECT_EQ(CTarvik_Send::TarSend_GetStatorTypeName(9, 0, 0, 0, 2000), "Quadraturencoder");
    EXPECT_EQ(CTarvik_Send::TarSend_GetStatorTypeName(9, 0, 0, 0, 1000), "Quadrature encoder");
    EXPECT_EQ(CTarvik_Send::TarSend_GetStatorTypeName(9, 0, 0, 0, 4000), "Quadrature encoder");
    EXPECT_EQ(CTarvik_Send::TarSend_GetStatorTypeName(5, 0, 0, 0, 0), "NX-USB");
    EXPECT_EQ(CTarvik_Send::TarSend_GetStatorTypeName(5, 0, 1, 0, 0), "PKR-USB");
    EXPECT_EQ(CTarvik_Send::TarSend_GetStatorTypeName(5, 0, 1, 1, 0), "PKR-USB DI");
    EXPECT_EQ(CTarvik_Send::TarSend_GetStatorTypeName(4, 0, 0, 0, 1000), "HBT-Box");
    EXPECT_EQ(CTarvik_Send::TarSend_GetStatorTypeName(6, 0, 0, 0, 1000), "NX-ZID3");
    EXPECT_EQ(CTarvik_Send::TarSend_GetStatorTypeName(7, 0, 0, 0, 1000), "PKR-USB 1K");
    EXPECT_EQ(CTarvik_Send::TarSend_GetStatorTypeName(1, 0, 0, 0, 3000), "unbekannt");
    EXPECT_EQ(CTarvik_Send::TarSend_GetStatorTypeName(1, 0, 0, 0, 1000), "unknown");
}

TEST(CFloat32, BytesAreBigEndianSingles) {
    uint8_t bytes[4];
    CFloat32(1.0f).ToBytes(bytes);
    EXPECT_EQ(sensortest::Bytes({bytes[0], bytes[1], bytes[2], bytes[3]}),
              sensortest::Bytes({0x3F, 0x80, 0x00, 0x00}));
    const uint8_t minusTwo[] = {0xC0, 0x00, 0x00, 0x00};
    EXPECT_EQ(CFloat32::FromBytes(minusTwo).GetValue(), -2.0f);
    CFloat32 f(5.0f);
    EXPECT_FALSE(f.SetValue(1e300));
    EXPECT_FALSE(f.SetValue(std::nan("")));
    EXPECT_EQ(f.GetValue(), 5.0f);
    EXPECT_TRUE(f.SetValue(-3.4e38));
}
