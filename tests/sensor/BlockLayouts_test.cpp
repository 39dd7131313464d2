#include "protocol/BlockLayouts.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace tarvik;

namespace {

template <typename Layout>
Layout RoundTrip(const Layout& layout, BlockImage& image) {
    EXPECT_TRUE(layout.Encode(image));
    Layout back;
    EXPECT_TRUE(back.Decode(image));
    return back;
}

CalibrationBlock SampleCalibration(int number) {
    CalibrationBlock c;
    c.number = number;
    c.day = 28;
    c.month = 2;
    c.year = 2024;
    c.hour = 23;
    c.minute = 59;
    c.second = 30;
    c.channel[0] = {-150, 16384, 20480, 500000000, 0.125};
    c.channel[1] = {32768, 65536, 0, 4294967295LL, 4.5};
    return c;
}

}  // namespace

TEST(BlockLayouts, EveryBlockRoundTripsWithValidCheckBytes) {
    BlockImage image;
    StatorHeaderBlock header{5, 3, 1, 2, 0xFFFFFFFFLL, 0x1234};
    const StatorHeaderBlock headerBack = RoundTrip(header, image);
    EXPECT_EQ(headerBack.statorSerialNumber, 0xFFFFFFFFLL);
    EXPECT_EQ(headerBack.firmwareVersion, 0x1234);
    EXPECT_TRUE(image.IsValidFor(0));

    image = BlockImage();
    StatorHardwareBlock hardware{9, 1, 3, {10, 20, 30, 40}, 1, 1};
    const StatorHardwareBlock hardwareBack = RoundTrip(hardware, image);
    EXPECT_EQ(hardwareBack.lightValue[3], 40);
    EXPECT_EQ(hardwareBack.multiportModule, 1);

    image = BlockImage();
    const StatorOperationBlock operation =
        RoundTrip(StatorOperationBlock{254, kBaudCode230400, 9}, image);
    EXPECT_EQ(operation.busAddress, 254);
    EXPECT_EQ(operation.baudCode, kBaudCode230400);

    image = BlockImage();
    SoftwareConfigBlock config;
    config.present = config.written = 1;
    config.rateIndex = 15;
    config.frameSetting = 9999;
    config.channel[1] = {7, 3, 5, 1, 3, 'D', 200, 1, 2.5, -1e-3, "kp ~Nm"};
    const SoftwareConfigBlock configBack = RoundTrip(config, image);
    EXPECT_EQ(image.bytes[1], kSoftwareConfigVersion);
    EXPECT_EQ(configBack.channel[1].scalingName, "kp ~Nm");
    EXPECT_EQ(configBack.channel[1].scalingFactor, 2.5);
    EXPECT_FLOAT_EQ(configBack.channel[1].configValue, -1e-3f);
    EXPECT_EQ(configBack.channel[1].quantityLetter, 'D');
    EXPECT_EQ(configBack.frameSetting, 9999);

    image = BlockImage();
    RotorHeaderBlock rotor;
    rotor.typeNumber = 4503;
    rotor.serialNumber = 123456789;
    rotor.sensorIndex = 3;
    rotor.sensorTypeLetter = 'T';
    rotor.channel[0] = {'D', 0x5500, 100};
    rotor.channel[1] = {'Y', 0x5100, 220};
    rotor.pulsesPerRevolution = 1000000;
    const RotorHeaderBlock rotorBack = RoundTrip(rotor, image);
    EXPECT_EQ(image.Number(), 128);
    EXPECT_EQ(rotorBack.channel[1].rangeWord, 0x5100);
    EXPECT_EQ(rotorBack.pulsesPerRevolution, 1000000);

    for (int number : {129, 130}) {
        image = BlockImage();
        const CalibrationBlock calib = RoundTrip(SampleCalibration(number), image);
        EXPECT_EQ(calib.number, number);
        EXPECT_EQ(calib.channel[0].offset, -150);
        EXPECT_EQ(calib.channel[1].digits, 4294967295LL);  // digits keep all 32 bits
        EXPECT_EQ(calib.channel[1].uncertainty, 4.5);
        EXPECT_EQ(calib.second, 30);
        EXPECT_TRUE(calib.SameCharacteristic(SampleCalibration(number)));
    }

    image = BlockImage();
    RotorOperationBlock op;
    op.serialText[0] = "Ab 9?z";
    op.serialText[1] = "";
    const RotorOperationBlock opBack = RoundTrip(op, image);
    EXPECT_EQ(opBack.serialText[0], "Ab 9?z");
    EXPECT_EQ(opBack.serialText[1], "");
    EXPECT_TRUE(image.IsValidFor(131));
}

TEST(BlockLayouts, EncodersRefuseOutOfRangeFieldsAndLeaveTheImageAlone) {
    BlockImage image;
    image.bytes[50] = 0xAB;
    const BlockImage before = image;

    EXPECT_FALSE((StatorOperationBlock{255, kBaudCode115200, 0}).Encode(image));
    EXPECT_FALSE((StatorOperationBlock{1, 10, 0}).Encode(image));
    EXPECT_FALSE((StatorOperationBlock{1, kBaudCode115200, 10}).Encode(image));
    EXPECT_FALSE((StatorHeaderBlock{256, 0, 0, 0, 0, 0}).Encode(image));
    EXPECT_FALSE((StatorHeaderBlock{0, 0, 0, 0, 0x100000000LL, 0}).Encode(image));
    EXPECT_FALSE((StatorHardwareBlock{0, 0, 4, {}, 2, 0}).Encode(image));

    SoftwareConfigBlock config;
    config.channel[0].scalingName = "ninechars";
    EXPECT_FALSE(config.Encode(image));
    config.channel[0].scalingName = "tab\there";
    EXPECT_FALSE(config.Encode(image));
    config.channel[0].scalingName = "ok";
    config.channel[0].scalingFactor = 1e39;  // beyond single precision
    EXPECT_FALSE(config.Encode(image));
    config.channel[0].scalingFactor = 1.0;
    config.channel[1].decimals = 256;
    EXPECT_FALSE(config.Encode(image));

    RotorHeaderBlock rotor;
    rotor.sensorIndex = 4;
    EXPECT_FALSE(rotor.Encode(image));
    rotor.sensorIndex = 0;
    rotor.channel[0].rangeWord = 0x10000;
    EXPECT_FALSE(rotor.Encode(image));

    const CalibrationBlock good = SampleCalibration(130);
    auto refused = [&](auto change) {
        CalibrationBlock c = good;
        change(c);
        return !c.Encode(image);
    };
    EXPECT_TRUE(refused([](CalibrationBlock& c) { c.channel[0].gain = 0; }));
    EXPECT_TRUE(refused([](CalibrationBlock& c) { c.channel[0].gain = 65537; }));
    EXPECT_TRUE(refused([](CalibrationBlock& c) { c.channel[1].control = 65537; }));
    EXPECT_TRUE(refused([](CalibrationBlock& c) { c.channel[0].digits = 0; }));
    EXPECT_TRUE(refused([](CalibrationBlock& c) { c.channel[0].digits = 0x100000000LL; }));
    EXPECT_TRUE(refused([](CalibrationBlock& c) { c.channel[0].offset = 40000; }));
    EXPECT_TRUE(refused([](CalibrationBlock& c) { c.channel[0].uncertainty = NAN; }));
    EXPECT_TRUE(refused([](CalibrationBlock& c) { c.month = 13; }));
    EXPECT_TRUE(refused([](CalibrationBlock& c) { c.number = 131; }));

    RotorOperationBlock op;
    op.serialText[0] = "1234567";
    EXPECT_FALSE(op.Encode(image));
    op.serialText[0] = "a-b";
    EXPECT_FALSE(op.Encode(image));

    EXPECT_EQ(image, before);
}

TEST(BlockLayouts, EncodingKeepsBytesItDoesNotKnow) {
    BlockImage image;
    image.bytes[0] = 2;
    image.bytes[1] = 1;
    image.bytes[20] = 0x5A;  // a field of a later firmware
    image.bytes[61] = 0xA5;
    ASSERT_TRUE((StatorOperationBlock{3, kBaudCode230400, 2}).Encode(image));
    EXPECT_EQ(image.bytes[20], 0x5A);
    EXPECT_EQ(image.bytes[61], 0xA5);
    EXPECT_TRUE(image.IsValidFor(2));
}

TEST(BlockLayouts, DecodersRefuseAnotherBlockAndSanitiseTexts) {
    BlockImage image;
    image.bytes[0] = 130;
    EXPECT_FALSE(RotorOperationBlock().Decode(image));
    EXPECT_FALSE(StatorHeaderBlock().Decode(image));
    CalibrationBlock calib;
    EXPECT_TRUE(calib.Decode(image));
    image.bytes[0] = 131;
    EXPECT_FALSE(calib.Decode(image));

    // Texts stop at the first 0; characters outside the alphabet show as '?'.
    image.bytes[2] = 'A';
    image.bytes[3] = 0x07;
    image.bytes[4] = 0xC3;
    image.bytes[5] = 'b';
    image.bytes[6] = 0;
    image.bytes[7] = 'x';
    for (int i = 8; i < 14; ++i) {
        image.bytes[i] = 'z';
    }
    RotorOperationBlock op;
    ASSERT_TRUE(op.Decode(image));
    EXPECT_EQ(op.serialText[0], "A??b");
    EXPECT_EQ(op.serialText[1], "zzzzzz");

    // Floats that are no number read as 0.0.
    BlockImage config;
    config.bytes[0] = 3;
    for (int i = 20; i < 28; ++i) {
        config.bytes[i] = 0xFF;
    }
    SoftwareConfigBlock decoded;
    ASSERT_TRUE(decoded.Decode(config));
    EXPECT_EQ(decoded.channel[0].scalingFactor, 0.0);
    EXPECT_EQ(decoded.channel[0].configValue, 0.0);
}
