#include "foundation/NumberText.h"

#include <gtest/gtest.h>

#include "foundation/Language.h"

TEST(FormatDecimal, SeparatorFollowsTheLanguage) {
    EXPECT_EQ(FormatDecimal(1.25, 3, LANGUAGE_ENGLISH), "1.250");
    EXPECT_EQ(FormatDecimal(1.25, 3, LANGUAGE_GERMAN), "1,250");
    EXPECT_EQ(FormatDecimal(1.25, 3, LANGUAGE_FRENCH), "1,250");
    EXPECT_EQ(FormatDecimal(1.25, 3, LANGUAGE_FRENCH_OLD), "1,250");
    SetLanguageOffset(LANGUAGE_GERMAN);
    EXPECT_EQ(FormatDecimal(-2.5, 1), "-2,5");
    SetLanguageOffset(LANGUAGE_ENGLISH);
    EXPECT_EQ(FormatDecimal(-2.5, 1), "-2.5");
}

TEST(FormatDecimal, NoMinusBeforeATextOfZerosAndDecimalsCapped) {
    EXPECT_EQ(FormatDecimal(-0.0, 2, LANGUAGE_ENGLISH), "0.00");
    EXPECT_EQ(FormatDecimal(-0.004, 2, LANGUAGE_GERMAN), "0,00");
    EXPECT_EQ(FormatDecimal(-0.4, 0, LANGUAGE_ENGLISH), "0");
    EXPECT_EQ(FormatDecimal(-0.006, 2, LANGUAGE_ENGLISH), "-0.01");
    EXPECT_EQ(FormatDecimal(1.0 / 3.0, 12, LANGUAGE_ENGLISH), "0.3333333");
    EXPECT_EQ(FormatDecimal(2.5, -3, LANGUAGE_ENGLISH), "2");
    // Halves round as the C library does (to even for exactly representable values).
    EXPECT_EQ(FormatDecimal(0.125, 2, LANGUAGE_ENGLISH), "0.12");
    EXPECT_EQ(FormatDecimal(0.375, 2, LANGUAGE_ENGLISH), "0.38");
}

TEST(SetDecimalSeparator, EachOffset) {
    EXPECT_EQ(SetDecimalSeparator("1,5", LANGUAGE_ENGLISH), "1.5");
    EXPECT_EQ(SetDecimalSeparator("1.5", LANGUAGE_GERMAN), "1,5");
    EXPECT_EQ(SetDecimalSeparator("1.5", LANGUAGE_SPANISH), "1,5");
    EXPECT_EQ(SetDecimalSeparator("1.5", 5000), "1.5");
    SetLanguageOffset(LANGUAGE_FRENCH);
    EXPECT_EQ(SetDecimalSeparator("3.25"), "3,25");
    SetLanguageOffset(LANGUAGE_ENGLISH);
}

TEST(RoundToDecimals, RoundsHalfUpAndLeavesOtherCountsAlone) {
    EXPECT_DOUBLE_EQ(RoundToDecimals(2.345, 2), 2.35);
    EXPECT_DOUBLE_EQ(RoundToDecimals(-2.5, 0), -2.0);
    EXPECT_DOUBLE_EQ(RoundToDecimals(1.23456, 16), 1.23456);
    EXPECT_DOUBLE_EQ(RoundToDecimals(1.23456, -1), 1.23456);
    EXPECT_DOUBLE_EQ(RoundToDecimals(1e300, 15), 1e300);
}
