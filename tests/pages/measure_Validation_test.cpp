// The pass/fail judgement: inclusive bounds, empty limits, bad texts and missing values.
#include <gtest/gtest.h>

#include "pages/measurement/CValidation_IO_NIO.h"

namespace {

struct Judgement {
    int mode = 1;
    int measurand[2] = {0, 1};
    CString limits[4] = {"1", "2", "10", "20"};
    double maxima[6] = {1.0, 15.0, 0.0, 0.0, 0.0, 0.0};

    CValidation_IO_NIO Run() {
        CValidation_IO_NIO v;
        v.Evaluate(mode, measurand, limits, maxima);
        return v;
    }
};

}  // namespace

TEST(MeasureValidation, BoundsAreInclusiveAndEmptyLimitsAreOpen) {
    Judgement j;
    EXPECT_TRUE(j.Run().m_bPassed);  // maximum equals the lower limit
    j.maxima[0] = 2.0;
    EXPECT_TRUE(j.Run().m_bPassed);
    j.maxima[0] = 2.0001;
    CValidation_IO_NIO v = j.Run();
    EXPECT_FALSE(v.m_bPassed);
    EXPECT_EQ(v.m_aucResult[0], 0);
    j.limits[1] = "";
    j.limits[0] = "  ";
    j.maxima[0] = 1e30;
    EXPECT_TRUE(j.Run().m_bPassed);
    j.maxima[0] = -1e30;
    EXPECT_TRUE(j.Run().m_bPassed);
}

TEST(MeasureValidation, BadInputNeverPasses) {
    Judgement j;
    j.limits[1] = "2x";
    CValidation_IO_NIO v = j.Run();
    EXPECT_FALSE(v.m_bPassed);
    EXPECT_TRUE(v.m_abLimitInvalid[1]);
    EXPECT_FALSE(v.m_abLimitInvalid[0]);

    Judgement none;
    none.maxima[0] = CValidation_IO_NIO::kNoValue;
    EXPECT_FALSE(none.Run().m_bPassed);

    Judgement outside;
    outside.measurand[0] = 7;
    v = outside.Run();
    EXPECT_FALSE(v.m_bPassed);
    EXPECT_EQ(v.m_aiMeasurand[0], -1);

    Judgement negative;
    negative.measurand[0] = -1;
    EXPECT_FALSE(negative.Run().m_bPassed);
}

TEST(MeasureValidation, ModeSelectsTheCriteria) {
    Judgement j;
    j.mode = 0;
    CValidation_IO_NIO v = j.Run();
    EXPECT_FALSE(v.m_abJudged[0]);
    EXPECT_FALSE(v.m_bPassed);

    j.mode = 2;
    v = j.Run();
    EXPECT_TRUE(v.m_bPassed);
    EXPECT_EQ(v.m_aucResult[1], 1);
    EXPECT_DOUBLE_EQ(v.m_adMaximum[1], 15.0);

    // Criterion 2 failing alone fails the whole.
    j.maxima[1] = 25.0;
    v = j.Run();
    EXPECT_EQ(v.m_aucResult[0], 1);
    EXPECT_EQ(v.m_aucResult[1], 0);
    EXPECT_FALSE(v.m_bPassed);

    // Mode 1 ignores criterion 2.
    j.mode = 1;
    EXPECT_TRUE(j.Run().m_bPassed);
}

TEST(MeasureValidation, LimitTextsTakeEitherDecimalSeparator) {
    double value = 0;
    EXPECT_TRUE(CValidation_IO_NIO::ParseLimit("1,5", 0, value));
    EXPECT_DOUBLE_EQ(value, 1.5);
    EXPECT_TRUE(CValidation_IO_NIO::ParseLimit(" -2.25 ", 0, value));
    EXPECT_DOUBLE_EQ(value, -2.25);
    EXPECT_TRUE(CValidation_IO_NIO::ParseLimit("+3e2", 0, value));
    EXPECT_DOUBLE_EQ(value, 300.0);
    EXPECT_FALSE(CValidation_IO_NIO::ParseLimit("1,5,5", 0, value));
    EXPECT_FALSE(CValidation_IO_NIO::ParseLimit("abc", 0, value));
    EXPECT_FALSE(CValidation_IO_NIO::ParseLimit("inf", 0, value));
    EXPECT_FALSE(CValidation_IO_NIO::ParseLimit("1e999", 0, value));
}
