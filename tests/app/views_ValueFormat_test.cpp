// The value formatter: the unit rows of every auto-ranging quantity on both sides of their
// bounds, the outputs, the three languages, hostile texts and the channel records' units.
#include <gtest/gtest.h>

#include <clocale>
#include <string>
#include <vector>

#include "foundation/Language.h"
#include "kq_res.h"
#include "pages/common/DisplayHelper.h"
#include "platform/base/Resource.h"

namespace {

class FakeUnits : public IChannelUnitSource {
  public:
    int GetRecordOfChannel(int channel) const override { return recordOf[channel]; }
    char GetChannelUnitLetter(int channel) const override { return letters[channel]; }
    int GetChannelUnitIndex(int) const override { return unitIndex; }
    bool GetChannelUnitText(int, int index, CString& text) const override {
        if (index < 0 || index >= static_cast<int>(units.size()))
            return false;
        text = units[static_cast<size_t>(index)];
        return true;
    }
    std::string letters = "DYKWPP";
    std::vector<CString> units{"N·m", "cN·m"};
    int unitIndex = 0;
    int recordOf[6] = {0, 1, 2, 3, 4, 5};
};

class ValueFormat : public ::testing::Test {
  protected:
    void SetUp() override {
        kq::InstallResources(kq_res_bundle());
        SetLanguageOffset(LANGUAGE_GERMAN);
        helper_.SetChannelUnits(&units_);
    }
    void TearDown() override {
        SetLanguageOffset(LANGUAGE_GERMAN);
        kq::UninstallResources(kq_res_bundle());
    }
    CString Best(char letter, const char* text) const {
        return helper_.FormatValue(0, text, letter, CDisplayHelper::MODE_BEST_UNIT);
    }

    FakeUnits units_;
    CDisplayHelper helper_;
};

TEST_F(ValueFormat, TheTableOfResultsInThreeLanguages) {
    struct Row {
        char letter;
        const char* text;
        const char* german;
    };
    const Row rows[] = {
        {'D', "0.01", "0,10 mN·m"},    {'D', "1", "10,0 mN·m"},     {'D', "1.5", "1,50 cN·m"},
        {'D', "99.99", "100,0 cN·m"},  {'D', "500", "5,00 N·m"},    {'D', "5e4", "500,0 N·m"},
        {'D', "1e9", "10000 kN·m"},    {'D', "1e10", "100,0 MN·m"}, {'K', "1", "1000,0 mN"},
        {'K', "1000", "1,00 kN"},      {'W', "2.5e6", "2,50 t"},    {'P', "1e10", "n.a."},
        {'Y', "1500", "1500 1/min"},   {'Y', "1e6", "n.a."},        {'T', "25", "25,00 °C"},
        {'d', "1.2346", "1,235 mV/V"}, {'A', "3", "3,00 V"},        {'S', "20", "20,00 mA"},
        {'X', "7.6", "8 UKN"},         {'?', "7.6", "8 UKN"},
    };
    for (const Row& row : rows) {
        SetLanguageOffset(LANGUAGE_GERMAN);
        EXPECT_EQ(Best(row.letter, row.text), row.german) << row.letter << ' ' << row.text;
        const CString german(row.german);
        CString english(german);
        english.Replace(',', '.');
        SetLanguageOffset(LANGUAGE_ENGLISH);
        const CString inEnglish = Best(row.letter, row.text);
        // English unit texts may differ; the number and its point must not.
        EXPECT_EQ(inEnglish.Left(english.Find(' ') + 1), english.Left(english.Find(' ') + 1))
            << row.letter << ' ' << row.text;
        SetLanguageOffset(LANGUAGE_FRENCH);
        const CString inFrench = Best(row.letter, row.text);
        EXPECT_EQ(inFrench.Left(german.Find(' ') + 1), german.Left(german.Find(' ') + 1));
    }
}

TEST_F(ValueFormat, BothSidesOfEveryDecadeBound) {
    struct Bound {
        char letter;
        const char* below;
        const char* at;
        const char* resultBelow;
        const char* resultAt;
    };
    const Bound bounds[] = {
        {'D', "0.1", "0.1000001", "1,00 mN·m", "1,0 mN·m"},
        {'D', "1", "1.0000001", "10,0 mN·m", "1,00 cN·m"},
        {'D', "9.999", "10", "10,00 cN·m", "10,0 cN·m"},
        {'D', "99.9", "100", "99,9 cN·m", "1,00 N·m"},
        {'D', "999", "1000", "9,99 N·m", "10,0 N·m"},
        {'D', "99999", "1e5", "1000,0 N·m", "1,00 kN·m"},
        {'D', "999999", "1e6", "10,00 kN·m", "10,0 kN·m"},
        {'D', "999999999", "1e9", "10000,0 kN·m", "10000 kN·m"},
        {'D', "9999999999", "1e10", "100000 kN·m", "100,0 MN·m"},
        {'D', "999999999999", "1e12", "10000,0 MN·m", "10000 MN·m"},
        {'D', "9.99e15", "9.9900001e15", "99900000 MN·m", "n.a."},
        {'K', "1", "1.001", "1000,0 mN", "1,00 N"},
        {'K', "9.99", "10", "9,99 N", "10,0 N"},
        {'K', "999", "1000", "999,0 N", "1,00 kN"},
        {'K', "9999", "1e4", "10,00 kN", "10,0 kN"},
        {'K', "999999", "1e6", "1000,0 kN", "1,00 MN"},
        {'K', "9999999", "1e7", "10,00 MN", "10,0 MN"},
        {'K', "9999999999", "1e10", "10000,0 MN", "10000 MN"},
        {'W', "1", "1.001", "1000,0 mg", "1,00 g"},
        {'W', "999", "1000", "999,0 g", "1,00 kg"},
        {'W', "999999", "1e6", "1000,0 kg", "1,00 t"},
        {'P', "0.1", "0.11", "0,10 W", "0,1 W"},
        {'P', "1", "1.01", "1,0 W", "1,01 W"},
        {'P', "9.99", "10", "9,99 W", "10,0 W"},
        {'P', "999", "1000", "999,0 W", "1,00 kW"},
        {'P', "9999", "1e4", "10,00 kW", "10,0 kW"},
        {'P', "999999", "1e6", "1000,0 kW", "1,00 MW"},
        {'P', "9999999", "1e7", "10,00 MW", "10,0 MW"},
        {'P', "999999999", "1e9", "1000,0 MW", "1000 MW"},
        {'P', "9999999999", "1e10", "10000 MW", "n.a."},
        {'Y', "9.96", "10", "0,166 1/sek", "10,0 1/min"},
        {'Y', "999.9", "1000", "999,9 1/min", "1000 1/min"},
        {'Y', "999999", "1e6", "999999 1/min", "n.a."},
    };
    for (const Bound& b : bounds) {
        EXPECT_EQ(Best(b.letter, b.below), b.resultBelow) << b.letter << ' ' << b.below;
        EXPECT_EQ(Best(b.letter, b.at), b.resultAt) << b.letter << ' ' << b.at;
    }
}

TEST_F(ValueFormat, OutputsCarryUnitIndexFactorAndDecimals) {
    CString number, unit;
    int id = 0, index = 0, decimals = 0;
    double factor = 0;
    EXPECT_EQ(
        helper_.FormatValue(0, "2.5e6", 'W', 1, &number, &unit, &id, &index, &decimals, &factor),
        "2,50 t");
    EXPECT_EQ(number, "2,50");
    EXPECT_EQ(unit, "t");
    EXPECT_EQ(id, 5533);
    EXPECT_EQ(index, 3);
    EXPECT_DOUBLE_EQ(factor, 1e-6);
    EXPECT_EQ(decimals, 2);
    // A number alone keeps its point, for a caller that computes with it.
    helper_.FormatValue(0, "5e4", 'D', 1, &number, nullptr, &id, &index, &decimals, &factor);
    EXPECT_EQ(number, "500.0");
    EXPECT_EQ(index, 1);
    EXPECT_DOUBLE_EQ(factor, 0.01);
    // MN·m lies outside the torque list.
    helper_.FormatValue(0, "1e10", 'D', 1, nullptr, nullptr, &id, &index, &decimals, &factor);
    EXPECT_EQ(id, 5367);
    EXPECT_EQ(index, -1);
    EXPECT_EQ(factor, 0.0);
    // Every power unit reports index 0 and factor 1.
    helper_.FormatValue(0, "5e6", 'P', 1, nullptr, nullptr, &id, &index, &decimals, &factor);
    EXPECT_EQ(id, 5105);
    EXPECT_EQ(index, 0);
    EXPECT_EQ(factor, 1.0);
    // Fast speeds show no decimals but report one.
    EXPECT_EQ(helper_.FormatValue(0, "1500", 'Y', 1, nullptr, nullptr, nullptr, nullptr, &decimals),
              "1500 1/min");
    EXPECT_EQ(decimals, 1);
    // Slow speeds in 1/sek: three significant digits, the 1/sek list entry.
    EXPECT_EQ(
        helper_.FormatValue(0, "0.01", 'Y', 1, nullptr, nullptr, &id, &index, &decimals, &factor),
        "0,000167 1/sek");
    EXPECT_EQ(id, 5103);
    EXPECT_EQ(index, 2);
    EXPECT_DOUBLE_EQ(factor, 1.0 / 60.0);
    EXPECT_EQ(decimals, 2);
    EXPECT_EQ(Best('Y', "3"), "0,0500 1/sek");
}

TEST_F(ValueFormat, ValuesBeyondATableGiveNotAvailableWithTheirOwnOutputs) {
    CString number = "x", unit = "x";
    int id = 99, index = 99, decimals = 99;
    double factor = 99;
    EXPECT_EQ(
        helper_.FormatValue(0, "2e10", 'P', 1, &number, &unit, &id, &index, &decimals, &factor),
        "n.a.");
    EXPECT_EQ(number, "2e10");
    EXPECT_EQ(unit, "x");
    EXPECT_EQ(id, 99);
    EXPECT_EQ(index, 0);
    EXPECT_EQ(factor, 1.0);
    EXPECT_EQ(decimals, 0);
    helper_.FormatValue(0, "2e6", 'Y', 1, &number, &unit, &id, &index, &decimals, &factor);
    EXPECT_EQ(index, -1);
    EXPECT_EQ(factor, 0.0);
}

TEST_F(ValueFormat, TemperatureInBestUnitAndRangeMode) {
    EXPECT_EQ(Best('T', "25"), "25,00 °C");
    for (int mode : {2, 3, -1}) {
        int decimals = 77;
        EXPECT_EQ(
            helper_.FormatValue(0, "25", 'T', mode, nullptr, nullptr, nullptr, nullptr, &decimals),
            "[-200 °C; 860 °C]");
        EXPECT_EQ(decimals, 77);
    }
    // Other quantities read alike in range mode.
    EXPECT_EQ(helper_.FormatValue(0, "5e4", 'D', 2), "500,0 N·m");
}

TEST_F(ValueFormat, TheRecordsLetterUnlessOneIsGiven) {
    units_.letters = "KD";
    EXPECT_EQ(helper_.FormatValue(1, "500", 0, 1), "5,00 N·m");
    EXPECT_EQ(helper_.FormatValue(0, "500", 0, 1), "500,0 N");
    EXPECT_EQ(helper_.FormatValue(1, "500", 'W', 1), "500,0 g");
    CDisplayHelper alone;
    EXPECT_EQ(alone.FormatValue(1, "500", 0, 1), "500 UKN");
}

TEST_F(ValueFormat, AppendUnitModeNeverReadsOutsideTheUnitList) {
    EXPECT_EQ(helper_.FormatValue(0, "---", 'D', 0), "---");
    EXPECT_EQ(helper_.FormatValue(0, "12,34", 'D', 0), "12,34 N·m");
    units_.unitIndex = 1;
    EXPECT_EQ(helper_.FormatValue(0, "12.34", 0, 0), "12.34 cN·m");
    for (int index : {-1, 2, 32, 1000}) {
        units_.unitIndex = index;
        EXPECT_EQ(helper_.FormatValue(0, "12,34", 0, 0), "12,34");
    }
    CDisplayHelper alone;
    EXPECT_EQ(alone.FormatValue(0, "12,34", 0, 0), "12,34");
}

TEST_F(ValueFormat, HostileTextsLeaveTheOutputsUntouched) {
    std::string manyDigits(5000, '7');
    std::string embedded(
        "12\0"
        "5",
        4);
    const std::vector<std::string> texts{"nan",    "inf", "-inf", "infinity", "0x10",    "1e400",
                                         "",       "-5",  "0",    "abc",      "0.009",   "1e16",
                                         "1e-400", ".",   "-",    "e5",       manyDigits};
    for (const std::string& text : texts) {
        CString number = "keep";
        int decimals = 42;
        const CString in(text.data(), static_cast<int>(text.size()));
        EXPECT_EQ(helper_.FormatValue(0, in, 'D', 1, &number, nullptr, nullptr, nullptr, &decimals),
                  "n.a.")
            << text.substr(0, 20);
        EXPECT_EQ(number, "keep");
        EXPECT_EQ(decimals, 42);
    }
    // A leading number is read as far as it goes.
    EXPECT_EQ(Best('D', "12,5"), "12,0 cN·m");
    EXPECT_EQ(Best('D', " +12.5xyz"), "12,5 cN·m");
    EXPECT_EQ(Best('D', "5e"), "5,00 cN·m");
    EXPECT_EQ(Best('D', ".5"), "5,0 mN·m");
    const CString withZero(embedded.data(), static_cast<int>(embedded.size()));
    EXPECT_EQ(Best('D', withZero), "12,0 cN·m");
}

TEST_F(ValueFormat, TheProcessLocaleChangesNothing) {
    // Where no German locale is installed this runs under "C", which proves less.
    if (std::setlocale(LC_NUMERIC, "de_DE.UTF-8") == nullptr)
        std::setlocale(LC_NUMERIC, "de_DE");
    SetLanguageOffset(LANGUAGE_ENGLISH);
    EXPECT_EQ(ReadLeadingDecimal("1.5"), 1.5);
    const CString result = Best('D', "1.5");
    std::setlocale(LC_NUMERIC, "C");
    EXPECT_EQ(result, "1.50 cN·m");
}

}  // namespace
