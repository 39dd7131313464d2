#include "sensor/SensorRecord.h"

#include <gtest/gtest.h>

#include <cstring>

#include "protocol/BlockLayouts.h"

using namespace tarvik;

namespace {

CalibrationBlock Calibration(int number, int64_t digitsA) {
    CalibrationBlock c;
    c.number = number;
    c.day = 12;
    c.month = 3;
    c.year = 2021;
    c.channel[0].digits = digitsA;
    c.channel[1].digits = 10000;
    c.channel[0].uncertainty = 0.1;
    return c;
}

BlockImage Encoded(const auto& layout) {
    BlockImage image;
    EXPECT_TRUE(layout.Encode(image));
    return image;
}

}  // namespace

TEST(SensorRecord, ResetMarksDigitsNotSetAndNoIndex) {
    SensorRecord r;
    std::memset(static_cast<void*>(&r), 0x5A, sizeof(r));
    SensorRecord_Reset(r);
    EXPECT_EQ(r.dwUserDigits[1], kDigitsNotSet);
    EXPECT_EQ(r.dwFactoryDigits[0], kDigitsNotSet);
    EXPECT_EQ(r.ucSensorIndex, kNoSensorIndex);
    EXPECT_EQ(r.dwSerialNumber, 0u);
    EXPECT_EQ(r.aBlock[3].bytes[10], 0);
}

TEST(SensorRecord, TakesOverEveryBlocksFields) {
    SensorRecord r;
    SensorRecord_Reset(r);
    ASSERT_TRUE(
        SensorRecord_TakeOverBlock(r, 0, Encoded(StatorHeaderBlock{6, 2, 0, 1, 777, 0x1210})));
    ASSERT_TRUE(SensorRecord_TakeOverBlock(
        r, 1, Encoded(StatorHardwareBlock{5, 1, 2, {1, 2, 3, 4}, 2, 1})));
    ASSERT_TRUE(
        SensorRecord_TakeOverBlock(r, 2, Encoded(StatorOperationBlock{4, kBaudCode230400, 3})));
    SoftwareConfigBlock config;
    config.present = 1;
    config.rateIndex = 9;
    config.channel[0].scalingName = "kp";
    config.channel[0].scalingFactor = 2.5;
    config.channel[1].viewState = 3;
    ASSERT_TRUE(SensorRecord_TakeOverBlock(r, 3, Encoded(config)));
    RotorHeaderBlock rotor;
    rotor.serialNumber = 4711;
    rotor.sensorIndex = 1;
    rotor.channel[0] = {'D', 0x1250, 100};
    rotor.channel[1] = {'Y', 0x5100, 60};
    ASSERT_TRUE(SensorRecord_TakeOverBlock(r, 4, Encoded(rotor)));
    ASSERT_TRUE(SensorRecord_TakeOverBlock(r, 5, Encoded(Calibration(129, 400000))));
    ASSERT_TRUE(SensorRecord_TakeOverBlock(r, 6, Encoded(Calibration(130, 123))));
    RotorOperationBlock op;
    op.serialText[0] = "ABC123";
    ASSERT_TRUE(SensorRecord_TakeOverBlock(r, 7, Encoded(op)));

    EXPECT_EQ(r.ucStatorId, 6);
    EXPECT_EQ(r.dwStatorSerialNumber, 777u);
    EXPECT_EQ(r.ucKindByte, 5);
    EXPECT_EQ(r.ucLightValue[3], 4);
    EXPECT_EQ(r.ucMultiportModule, 1);
    EXPECT_EQ(r.ucBaudCode, kBaudCode230400);
    EXPECT_EQ(r.ucLowPassCode, 3);
    EXPECT_EQ(r.ucRateIndex, 9);
    EXPECT_STREQ(r.szScalingName[0], "kp");
    EXPECT_EQ(r.dScalingFactor[0], 2.5);
    EXPECT_EQ(r.ucViewState[1], 3);
    EXPECT_EQ(r.ucConfigVersion, kSoftwareConfigVersion);
    EXPECT_EQ(r.dwSerialNumber, 4711u);
    EXPECT_EQ(r.ucSensorIndex, 1);
    EXPECT_EQ(r.wRange[0], 0x1250);
    EXPECT_DOUBLE_EQ(r.dRange[0], 2.5);
    EXPECT_DOUBLE_EQ(r.dRange[1], 10000.0);
    EXPECT_EQ(r.dwFactoryDigits[0], 400000u);
    EXPECT_EQ(r.dwUserDigits[0], 123u);
    EXPECT_EQ(r.userDate.iYear, 2021);
    EXPECT_EQ(r.factoryDate.iMonth, 3);
    EXPECT_STREQ(r.szSerialText[0], "ABC123");
    EXPECT_EQ(r.ucBlockReadMask, 0xFF);
    EXPECT_EQ(r.ucBlockValidMask, 0xFF);
}

TEST(SensorRecord, InvalidBlockIsDecodedAndMarkedInvalid) {
    SensorRecord r;
    SensorRecord_Reset(r);
    BlockImage user = Encoded(Calibration(130, 5555));
    ASSERT_TRUE(SensorRecord_TakeOverBlock(r, 6, user));
    EXPECT_EQ(r.ucBlockValidMask, 1 << 6);
    user.InvalidateCheckBytes();
    ASSERT_TRUE(SensorRecord_TakeOverBlock(r, 6, user));
    EXPECT_EQ(r.dwUserDigits[0], 5555u);
    EXPECT_EQ(r.userDate.iYear, 2021);
    EXPECT_EQ(r.aBlock[6], user);
    EXPECT_EQ(r.ucBlockReadMask, 1 << 6);
    EXPECT_EQ(r.ucBlockValidMask, 0);

    // An image of another block is refused outright.
    EXPECT_FALSE(SensorRecord_TakeOverBlock(r, 7, user));
    EXPECT_FALSE(SensorRecord_TakeOverBlock(r, 8, user));
    EXPECT_EQ(r.ucBlockReadMask, 1 << 6);
}

TEST(SensorRecord, StoringFieldsIsReadModifyWrite) {
    SensorRecord r;
    SensorRecord_Reset(r);
    BlockImage op = Encoded(RotorOperationBlock{{"old", "B1"}});
    op.bytes[40] = 0x77;  // unknown to this program
    op.SetCheckBytes();
    ASSERT_TRUE(SensorRecord_TakeOverBlock(r, 7, op));
    std::strcpy(r.szSerialText[0], "new1");
    ASSERT_TRUE(SensorRecord_StoreFieldsInBlock(r, 7));
    RotorOperationBlock back;
    ASSERT_TRUE(back.Decode(r.aBlock[7]));
    EXPECT_EQ(back.serialText[0], "new1");
    EXPECT_EQ(back.serialText[1], "B1");
    EXPECT_EQ(r.aBlock[7].bytes[40], 0x77);
    EXPECT_TRUE(r.aBlock[7].IsValidFor(131));

    // Out of range: refused, image untouched.
    const BlockImage before = r.aBlock[7];
    std::strcpy(r.szSerialText[1], "bad-!");
    EXPECT_FALSE(SensorRecord_StoreFieldsInBlock(r, 7));
    EXPECT_EQ(r.aBlock[7], before);

    // A software configuration never read starts from its defaults and becomes valid.
    r.ucConfigVersion = kSoftwareConfigVersion;
    r.ucRateIndex = 4;
    r.dwFrameSetting = 12;
    ASSERT_TRUE(SensorRecord_StoreFieldsInBlock(r, 3));
    EXPECT_TRUE(r.aBlock[3].IsValidFor(3));
    r.ucRateIndex = 16;
    EXPECT_FALSE(SensorRecord_StoreFieldsInBlock(r, 3));
}

TEST(SensorRecord, DeliberateInvalidationSurvivesAFieldChange) {
    SensorRecord r;
    SensorRecord_Reset(r);
    BlockImage user = Encoded(Calibration(130, 5555));
    user.InvalidateCheckBytes();
    ASSERT_TRUE(SensorRecord_TakeOverBlock(r, 6, user));

    r.userDate = {1, 1, 2030};
    ASSERT_TRUE(SensorRecord_StoreFieldsInBlock(r, 6));
    EXPECT_TRUE(r.aBlock[6].IsInvalidated());
    CalibrationBlock back;
    ASSERT_TRUE(back.Decode(r.aBlock[6]));
    EXPECT_EQ(back.year, 2030);
    EXPECT_EQ(back.channel[0].digits, 5555);
    EXPECT_EQ(back.channel[0].uncertainty, 0.1f);  // not held by the record, kept from the image

    ASSERT_TRUE(SensorRecord_StoreFieldsInBlock(r, 6, false));
    EXPECT_TRUE(r.aBlock[6].IsValidFor(130));
}

TEST(SensorRecord, CalibrationNeverReadIsNotInvented) {
    SensorRecord r;
    SensorRecord_Reset(r);
    r.dwUserDigits[0] = 1000;
    EXPECT_FALSE(SensorRecord_StoreFieldsInBlock(r, 6));  // no gain to keep
    BlockImage erased;
    erased.bytes[0] = 130;
    ASSERT_TRUE(SensorRecord_TakeOverBlock(r, 6, erased));
    EXPECT_FALSE(SensorRecord_StoreFieldsInBlock(r, 6));  // a zero gain is refused
}
