// The adjustment's arithmetic and texts: the parsers of typed and pasted numbers, the scale and
// zero windows, the factors in counts at their limits, the computation's refusals, and the
// replacements in the dialogs' texts.
#include <gtest/gtest.h>

#include <clocale>
#include <cmath>

#include "pages/sensor/CalibrationMath.h"
#include "protocol/BlockImage.h"
#include "protocol/BlockLayouts.h"

namespace {

using namespace calib;

ChannelInput Loaded() {
    ChannelInput in;
    in.zero = kElectricalZero - 100;
    in.scale = in.zero + 20000;
    in.control = in.zero + 15000;
    in.digits = 10000;
    in.loadRatio = 0.5;  // 2,5 typed on a range shown as 5 N·m
    in.range = 500.0;    // cN·m
    return in;
}

TEST(CalibrationMathTest, TypedNumbersParseWholeOrNotAtAll) {
    double value = 0.0;
    ASSERT_TRUE(ParseDecimalText("12,5", value));
    EXPECT_EQ(value, 12.5);
    ASSERT_TRUE(ParseDecimalText(" 12.5 ", value));
    EXPECT_EQ(value, 12.5);
    for (const char* bad : {"", "1,2,3", "12x", "inf", "nan", "1e999", ","})
        EXPECT_FALSE(ParseDecimalText(bad, value)) << bad;
    // A process locale with a decimal comma changes nothing.
    if (const char* old = setlocale(LC_NUMERIC, "de_DE.UTF-8")) {
        ASSERT_TRUE(ParseDecimalText("0,4", value));
        EXPECT_EQ(value, 0.4);
        setlocale(LC_NUMERIC, "C");
        (void)old;
    }

    uint32_t digits = 0;
    ASSERT_TRUE(ParseDigitsText("4294967295", digits));
    EXPECT_EQ(digits, 4294967295U);
    for (const char* bad : {"0", "4294967296", "99999999999999999999", "-5", "1.0", ""})
        EXPECT_FALSE(ParseDigitsText(bad, digits)) << bad;
}

TEST(CalibrationMathTest, WindowsKeepTheirEndsWhereTheyBelong) {
    EXPECT_EQ(CheckZeroWindow(28768, 36768), 0);
    EXPECT_EQ(CheckZeroWindow(28767, 36768), 1);
    EXPECT_EQ(CheckZeroWindow(28768, 36769), 2);
    EXPECT_EQ(CheckZeroWindow(28767, 36769), 3);
    EXPECT_FALSE(IsScaleAccepted(10.0, 2.5));
    EXPECT_FALSE(IsScaleAccepted(10.0, 80.0));
    EXPECT_TRUE(IsScaleAccepted(10.0, 2.5000001));
    EXPECT_TRUE(IsScaleAccepted(10.0, 79.999));
    EXPECT_TRUE(IsControlNearZero(32768 + 2500, 32768));
    EXPECT_FALSE(IsControlNearZero(32768 - 2501, 32768));
    EXPECT_FALSE(IsUncertaintyValid(0.0));
    EXPECT_FALSE(IsUncertaintyValid(5.0));
    EXPECT_TRUE(IsUncertaintyValid(0.01));
    EXPECT_TRUE(IsUncertaintyValid(4.99));
}

TEST(CalibrationMathTest, FactorsConvertOnlyInsideTheirField) {
    int32_t counts = -1;
    EXPECT_TRUE(FactorToCounts(2.0, counts));
    EXPECT_EQ(counts, 65536);
    EXPECT_TRUE(FactorToCounts(1.0, counts));
    EXPECT_EQ(counts, 32768);
    for (double bad : {2.0000001, 0.0, -0.5, std::nan("")}) {
        EXPECT_FALSE(FactorToCounts(bad, counts)) << bad;
        EXPECT_EQ(counts, 0);
    }
}

TEST(CalibrationMathTest, ALoadedSensorGivesFactorsAndDigitsTheBlockTakes) {
    const ChannelResult result = ComputeChannel(Loaded(), 0);
    ASSERT_TRUE(result.ok);
    EXPECT_EQ(result.offset, 100);
    EXPECT_EQ(result.gain, 16384);     // 10000 / 20000
    EXPECT_EQ(result.control, 21845);  // 10000 / 15000
    EXPECT_EQ(result.digits, 10000000U);

    tarvik::CalibrationBlock block;
    block.day = 7;
    block.month = 12;
    block.year = 2026;
    for (auto& channel : block.channel) {
        channel.offset = result.offset;
        channel.gain = result.gain;
        channel.control = result.control;
        channel.digits = result.digits;
    }
    tarvik::BlockImage image;
    EXPECT_TRUE(block.Encode(image));

    // Without built-in control the control factor comes from the scale reading.
    ChannelInput without = Loaded();
    without.withoutControl = true;
    without.control = 0;
    EXPECT_EQ(ComputeChannel(without, 1).control, 16384);
}

TEST(CalibrationMathTest, WhatTheSensorCouldNotUseIsRefusedPerChannel) {
    ChannelInput unloaded = Loaded();
    unloaded.scale = unloaded.zero + 4000;  // not above zero + 0.4 x digits
    EXPECT_EQ(ComputeChannel(unloaded, 1).errors, kNotLoaded[1]);

    ChannelInput noRange = Loaded();
    noRange.range = 0.0;
    EXPECT_EQ(ComputeChannel(noRange, 0).errors, kGainFailed[0]);
    ChannelInput noRatio = Loaded();
    noRatio.loadRatio = 0.0;
    EXPECT_EQ(ComputeChannel(noRatio, 0).errors, kGainFailed[0]);
    ChannelInput noDigits = Loaded();
    noDigits.digits = 0;
    EXPECT_EQ(ComputeChannel(noDigits, 1).errors, kGainFailed[1] | kControlFailed[1]);
    ChannelInput controlAtZero = Loaded();
    controlAtZero.control = controlAtZero.zero;
    EXPECT_EQ(ComputeChannel(controlAtZero, 0).errors, kControlFailed[0]);
    ChannelInput tooSteep = Loaded();
    tooSteep.scale = tooSteep.zero + 4999;  // 10000 / 4999 > 2.0
    EXPECT_EQ(ComputeChannel(tooSteep, 0).errors, kGainFailed[0]);
    ChannelInput notAReading = Loaded();
    notAReading.zero = -40000;
    EXPECT_FALSE(ComputeChannel(notAReading, 0).ok);

    // Digits that land on the "not set" marker would make the sensor use its default.
    ChannelInput marker;
    marker.zero = 16000;
    marker.scale = 60000;
    marker.control = 60000;
    marker.digits = 65535;
    marker.loadRatio = 1.0;
    marker.range = 1.0;
    const ChannelResult result = ComputeChannel(marker, 0);
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.digits, 0U);
}

TEST(CalibrationMathTest, TextsAreReplacedAsTextNeverUsedAsFormats) {
    EXPECT_EQ(WrongScaleText("[ Messbereichsendwert · 1,3 ] > [ Justierwert ] > "
                             "[ Messbereichsendwert / 2 ] 2",
                             ','),
              "[ Messbereichsendwert · 8,0 ] > [ Justierwert ] > [ Messbereichsendwert / 4,0 ] 2");
    EXPECT_EQ(WrongScaleText("[ Upper range value · 1.3 ] > [ / 2 ]", '.'),
              "[ Upper range value · 8.0 ] > [ / 4.0 ]");
    EXPECT_EQ(ReplaceHashes("[ # % ] > [ Messunsicherheit ] > [ # % ] #", "5", "0"),
              "[ 5 % ] > [ Messunsicherheit ] > [ 0 % ] #");
    EXPECT_EQ(ReplaceChannelLetter("Kanal %s: %d %s", 'B'), "Kanal B: %d B");
}

}  // namespace
