// The CSV body: exact numbers without a locale, every row with the same columns whatever the
// curves, unit texts and separators hold, and rows that parse back to the curves.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>
#include <random>
#include <sstream>

#include "app/flow/CsvBody.h"
#include "flow_Fakes.h"

namespace {

using flowtest::FakeDiagram;

CsvLayout TwoColumns(const char* separator, const char* lineEnd, bool comma) {
    CsvLayout layout;
    layout.columns = {0, 1};
    layout.separator = separator;
    layout.lineEnd = lineEnd;
    layout.decimalComma = comma;
    layout.decimals[0] = 3;
    layout.decimals[1] = 1;
    return layout;
}

std::string Rows(CsvLayout layout, const FakeDiagram& diagram) {
    layout.rowCount = CsvRowCount(layout, diagram, false, 0, false);
    std::string out;
    WriteCsvRows(layout, diagram, out);
    return out;
}

TEST(CsvBody, SeparatorsLineEndsAndDecimalsAsChosen) {
    FakeDiagram diagram;
    diagram.Fill(0, {1.5, -0.0004});
    diagram.Fill(1, {12.25, 3});
    EXPECT_EQ(Rows(TwoColumns(";", "\r\n", true), diagram), "0;1,500;12,2;\r\n1;0,000;3,0;\r\n");
    EXPECT_EQ(Rows(TwoColumns("\t", "\n", false), diagram), "0\t1.500\t12.2\t\n1\t0.000\t3.0\t\n");
    EXPECT_EQ(Rows(TwoColumns(",", "\n\r", false), diagram), "0,1.500,12.2,\n\r1,0.000,3.0,\n\r");
    // A separator equal to the decimal separator quotes the numbers.
    EXPECT_EQ(Rows(TwoColumns(",", "\r", true), diagram),
              "0,\"1,500\",\"12,2\",\r1,\"0,000\",\"3,0\",\r");
}

TEST(CsvBody, HugeValuesLongUnitsAndNonFiniteValuesStayInTheirFields) {
    FakeDiagram diagram;
    diagram.Fill(0, {1e15, std::nan(""), 2});
    diagram.Fill(1, {1});  // shorter curve: empty cells after its end
    CsvLayout layout = TwoColumns(";", "\n", true);
    layout.decimals[0] = 7;
    layout.unitText[0] = std::string(" ") + std::string(200, 'u');
    layout.unitText[1] = CsvUnitText(" a;b\"c\nd");
    EXPECT_EQ(layout.unitText[1], " a;b\"c d");
    const std::string rows = Rows(layout, diagram);
    std::istringstream lines(rows);
    std::string line;
    std::getline(lines, line);
    EXPECT_EQ(line.substr(0, 26), "0;1000000000000000,0000000");
    std::getline(lines, line);
    // A field whose unit holds the separator or a quote is quoted whole.
    EXPECT_EQ(line, "1;" + layout.unitText[0] + ";\" a;b\"\"c d\";");
}

TEST(CsvBody, RowCountLimitsAndDropsNeverGoBelowZero) {
    FakeDiagram diagram;
    CsvLayout layout = TwoColumns(";", "\n", true);
    EXPECT_EQ(CsvRowCount(layout, diagram, false, 0, true), 0);
    diagram.Fill(0, std::vector<double>(150, 1.0));
    EXPECT_EQ(CsvRowCount(layout, diagram, true, 100.9, false), 100);
    EXPECT_EQ(CsvRowCount(layout, diagram, true, 1e300, false), 150);
    EXPECT_EQ(CsvRowCount(layout, diagram, true, -5, false), 0);
    EXPECT_EQ(CsvRowCount(layout, diagram, true, std::nan(""), true), 149);
}

TEST(CsvBody, EmptyColumnsXColumnAndRowNumberPadding) {
    FakeDiagram diagram;
    diagram.Fill(1, std::vector<double>(12, 2.0));
    CsvLayout layout = TwoColumns(";", "\n", false);
    layout.columns = {-1, 1};  // only B: the first column empty
    layout.xChannel = 1;
    layout.decimals[1] = 0;
    layout.rowCount = 12;
    layout.firstRowNumber = 0;
    std::string out;
    EXPECT_EQ(WriteCsvRows(layout, diagram, out), 12);
    EXPECT_EQ(out.substr(0, 12), " 0;0;;2;\n 1;");
}

TEST(CsvBody, ProgressOnlyAboveFiveThousandRowsAndAtMostAHundredTimes) {
    FakeDiagram diagram;
    CsvLayout layout = TwoColumns(";", "\n", true);
    int updates = 0;
    auto count = [&updates](int, uint64_t) { ++updates; };
    diagram.Fill(0, std::vector<double>(1234, 1.0));
    layout.rowCount = 1234;
    std::string out;
    WriteCsvRows(layout, diagram, out, count);
    EXPECT_EQ(updates, 0);
    diagram.Fill(0, std::vector<double>(20000, 1.0));
    layout.rowCount = 20000;
    WriteCsvRows(layout, diagram, out, count);
    EXPECT_EQ(updates, 100);

    // A progress that takes the text so far away (the save writing ahead) still learns the
    // bytes produced, and nothing is lost or doubled.
    std::string reference;
    WriteCsvRows(layout, diagram, reference);
    std::string taken;
    std::string rest;
    uint64_t produced = 0;
    WriteCsvRows(layout, diagram, rest, [&](int, uint64_t bytes) {
        taken += rest;
        rest.clear();
        produced = bytes;
    });
    EXPECT_EQ(taken + rest, reference);
    EXPECT_EQ(produced, reference.size());
}

// Every separator, line end and decimal choice parses back to the curves at their decimals.
TEST(CsvBody, RoundTripForEveryChoice) {
    FakeDiagram diagram;
    diagram.Fill(0, {0.125, -3.5, 1234.5678, -0.0001});
    diagram.Fill(1, {7, -8, 9.25, 10});
    for (const char* separator : {"\t", ";", ",", ".", " "}) {
        for (const char* lineEnd : {"\r\n", "\n\r", "\r", "\n"}) {
            for (bool comma : {true, false}) {
                CsvLayout layout = TwoColumns(separator, lineEnd, comma);
                const std::string rows = Rows(layout, diagram);
                size_t at = 0;
                for (int row = 0; row < 4; ++row) {
                    const size_t end = rows.find(lineEnd, at);
                    ASSERT_NE(end, std::string::npos);
                    std::string line = rows.substr(at, end - at);
                    at = end + std::string(lineEnd).size();
                    // Split outside quotes.
                    std::vector<std::string> fields(1);
                    bool quoted = false;
                    for (char c : line) {
                        if (c == '"')
                            quoted = !quoted;
                        else if (!quoted && c == separator[0])
                            fields.emplace_back();
                        else
                            fields.back() += c == ',' ? '.' : c;
                    }
                    ASSERT_EQ(fields.size(), 4u) << separator << "|" << line;
                    EXPECT_EQ(std::stoi(fields[0]), row);
                    EXPECT_NEAR(std::stod(fields[1]), diagram.y[0][row], 0.0005);
                    EXPECT_NEAR(std::stod(fields[2]), diagram.y[1][row], 0.0501);
                }
            }
        }
    }
}

// The numbers are the same text as "%0.*f" gives (in the C locale), whatever the value.
TEST(CsvBody, NumbersAreExactlyThoseOfFixedPointFormatting) {
    std::mt19937_64 random(7);
    std::uniform_real_distribution<double> magnitude(-12, 16);
    const double halves[] = {0.125, 2.5, -0.5, 0.0005, 1e-9, 999999999.5, 0.045, -1.005};
    for (int i = 0; i < 200000; ++i) {
        double value = std::pow(10.0, magnitude(random)) * ((random() & 1) ? 1 : -1);
        if (i < 8)
            value = halves[i];
        const int decimals = static_cast<int>(random() % 9);
        char expected[512];
        std::snprintf(expected, sizeof expected, "%.*f", decimals, value);
        std::string text = expected;
        if (text[0] == '-' && text.find_first_not_of("-0.") == std::string::npos)
            text.erase(0, 1);
        std::string out;
        AppendCsvNumber(out, value, decimals, false, ";");
        ASSERT_EQ(out, text) << value << " with " << decimals;
    }
}

// "%.*f" of the clamped decimals without the minus of a zero, the decimal comma put in, quoted
// when asked: the text every number of the file must have; nothing for a non-finite value.
std::string FixedPointText(double value, int decimals, bool comma, bool quote) {
    if (!std::isfinite(value))
        return "";
    char text[512];
    std::snprintf(text, sizeof text, "%.*f", std::clamp(decimals, 0, 8), value);
    std::string out = text;
    if (out[0] == '-' && out.find_first_not_of("-0.") == std::string::npos)
        out.erase(0, 1);
    if (comma)
        std::replace(out.begin(), out.end(), '.', ',');
    return quote ? '"' + out + '"' : out;
}

// Values on both sides of every rounding half and of the limits where the digits are written by
// other means (eight digits, 32 bits, exact conversion): each the fixed-point text, signs, zeros,
// out-of-range decimals, the comma and the quotes included.
TEST(CsvBody, NumbersAtRoundingEdgesAndLimitsAreThoseOfFixedPointFormatting) {
    struct Case {
        double value;
        int decimals;
    };
    std::vector<Case> cases;
    const double specials[] = {0.0,
                               -0.0,
                               1e-300,
                               std::nan(""),
                               INFINITY,
                               std::numeric_limits<double>::max(),
                               std::numeric_limits<double>::denorm_min()};
    for (double value : specials) {
        for (int decimals = -1; decimals <= 9; ++decimals)  // -1 and 9 are clamped
            cases.push_back({value, decimals});
    }
    const double wholes[] = {
        0,        1,         4,         5,         9,          10,           99,           12345,
        99999999, 100000000, 123456789, 999999999, 1000000000, 4294967295.0, 4294967296.0, 1e15,
        9e15};
    for (int decimals = 0; decimals <= 8; ++decimals) {
        const double unit = std::pow(10.0, decimals);
        for (double whole : wholes) {
            for (double at : {whole / unit, (whole + 0.5) / unit}) {
                double below = at;
                double above = at;
                for (int step = 0; step < 3; ++step) {
                    cases.push_back({below, decimals});
                    cases.push_back({above, decimals});
                    below = std::nextafter(below, -INFINITY);
                    above = std::nextafter(above, INFINITY);
                }
            }
        }
    }
    // Near the margin from a half within which the digits are left to the exact conversion.
    std::mt19937_64 random(11);
    std::uniform_real_distribution<double> margin(-3e-6, 3e-6);
    for (int i = 0; i < 100000; ++i) {
        const int decimals = static_cast<int>(random() % 9);
        const double whole = static_cast<double>(random() % 2000000000);
        cases.push_back({(whole + 0.5 + margin(random)) / std::pow(10.0, decimals), decimals});
    }
    const size_t count = cases.size();
    for (size_t i = 0; i < count; ++i)
        cases.push_back({-cases[i].value, cases[i].decimals});
    for (const Case& c : cases) {
        for (bool comma : {false, true}) {
            for (bool quote : {false, true}) {
                std::string out = "x";
                AppendCsvNumber(out, c.value, c.decimals, comma, quote ? (comma ? "," : ".") : ";");
                ASSERT_EQ(out, "x" + FixedPointText(c.value, c.decimals, comma, quote))
                    << c.value << " with " << c.decimals;
            }
        }
    }
}

}  // namespace
