// Per quantity a table of half-open value rows in the base unit, each with its unit, scale and
// decimals. A row is chosen by comparing the value with the decimal bounds themselves, so a
// value read from "10" lands in the row that starts at 10 and never in the one below it.
#include "pages/common/ValueFormat.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <span>

#include "foundation/Language.h"
#include "foundation/NumberText.h"
#include "foundation/Units.h"
#include "res/TextIds.h"

namespace {

constexpr double kInfinity = std::numeric_limits<double>::infinity();
constexpr double kLowestValue = 0.01;
constexpr double kHighestValue = 9.99e15;
// Text decimals of the small speeds: three significant digits in 1/sek.
constexpr int kSignificantDecimals = -1;

struct RangeRow {
    double high;        // the row holds values below high ...
    bool highIncluded;  // ... or equal to it when set
    int unitId;         // 0: no unit suits, the value is shown as "n.a."
    double multiplier;  // shown number = value × multiplier ÷ divisor
    double divisor;
    int textDecimals;    // decimals in the text (kSignificantDecimals: three significant digits)
    int outputDecimals;  // decimals reported to the caller
};

constexpr RangeRow kTorqueRows[] = {
    {0.1, true, IDS_UNIT_MNM, 10, 1, 2, 2},
    {1, true, IDS_UNIT_MNM, 10, 1, 1, 1},
    {10, false, IDS_UNIT_CNM, 1, 1, 2, 2},
    {100, false, IDS_UNIT_CNM, 1, 1, 1, 1},
    {1e3, false, IDS_UNIT_NM, 1, 100, 2, 2},
    {1e5, false, IDS_UNIT_NM, 1, 100, 1, 1},
    {1e6, false, IDS_UNIT_KNM, 1, 1e5, 2, 2},
    {1e9, false, IDS_UNIT_KNM, 1, 1e5, 1, 1},
    {1e10, false, IDS_UNIT_KNM, 1, 1e5, 0, 0},
    {1e12, false, IDS_UNIT_MEGANM, 1, 1e8, 1, 1},
    {kInfinity, true, IDS_UNIT_MEGANM, 1, 1e8, 0, 0},
};

constexpr RangeRow kForceRows[] = {
    {1, true, IDS_UNIT_MN_MILLI, 1e3, 1, 1, 1},
    {10, false, IDS_UNIT_N, 1, 1, 2, 2},
    {1e3, false, IDS_UNIT_N, 1, 1, 1, 1},
    {1e4, false, IDS_UNIT_KN, 1, 1e3, 2, 2},
    {1e6, false, IDS_UNIT_KN, 1, 1e3, 1, 1},
    {1e7, false, IDS_UNIT_MN_MEGA, 1, 1e6, 2, 2},
    {1e10, false, IDS_UNIT_MN_MEGA, 1, 1e6, 1, 1},
    {kInfinity, true, IDS_UNIT_MN_MEGA, 1, 1e6, 0, 0},
};

constexpr RangeRow kMassRows[] = {
    {1, true, IDS_UNIT_MG, 1e3, 1, 1, 1},    {10, false, IDS_UNIT_G, 1, 1, 2, 2},
    {1e3, false, IDS_UNIT_G, 1, 1, 1, 1},    {1e4, false, IDS_UNIT_KG, 1, 1e3, 2, 2},
    {1e6, false, IDS_UNIT_KG, 1, 1e3, 1, 1}, {1e7, false, IDS_UNIT_T, 1, 1e6, 2, 2},
    {1e10, false, IDS_UNIT_T, 1, 1e6, 1, 1}, {kInfinity, true, IDS_UNIT_T, 1, 1e6, 0, 0},
};

constexpr RangeRow kPowerRows[] = {
    {0.1, true, IDS_UNIT_W, 1, 1, 2, 2},      {1, true, IDS_UNIT_W, 1, 1, 1, 1},
    {10, false, IDS_UNIT_W, 1, 1, 2, 2},      {1e3, false, IDS_UNIT_W, 1, 1, 1, 1},
    {1e4, false, IDS_UNIT_KW, 1, 1e3, 2, 2},  {1e6, false, IDS_UNIT_KW, 1, 1e3, 1, 1},
    {1e7, false, IDS_UNIT_MW, 1, 1e6, 2, 2},  {1e9, false, IDS_UNIT_MW, 1, 1e6, 1, 1},
    {1e10, false, IDS_UNIT_MW, 1, 1e6, 0, 0}, {kInfinity, true, 0, 1, 1, 0, 0},
};

constexpr RangeRow kSpeedRows[] = {
    {10, false, IDS_UNIT_PER_SEC, 1, 60, kSignificantDecimals, 2},
    {1e3, false, IDS_UNIT_PER_MIN, 1, 1, 1, 1},
    {1e6, false, IDS_UNIT_PER_MIN, 1, 1, 0, 1},
    {kInfinity, true, 0, 1, 1, 0, 0},
};

constexpr RangeRow kBridgeRows[] = {{kInfinity, true, IDS_UNIT_MV_PER_V, 1, 1, 3, 3}};
constexpr RangeRow kVoltageRows[] = {{kInfinity, true, IDS_UNIT_V, 1, 1, 2, 2}};
constexpr RangeRow kCurrentRows[] = {{kInfinity, true, IDS_UNIT_MA, 1, 1, 2, 2}};
constexpr RangeRow kTemperatureRows[] = {{kInfinity, true, IDS_UNIT_DEGC, 1, 1, 2, 2}};
constexpr RangeRow kOtherRows[] = {{kInfinity, true, IDS_UNIT_UKN, 1, 1, 0, 0}};

struct QuantityTable {
    std::span<const RangeRow> rows;
    int (*indexOf)(int unitId);
    double (*factorOf)(int index);
};

int PowerIndexOf(int) {
    return 0;
}
double PowerFactorOf(int) {
    return 1.0;
}

QuantityTable TableOf(Quantity quantity) {
    switch (quantity) {
        case Quantity::Torque:
            return {kTorqueRows, GetTorqueUnitIndex, GetTorqueUnitFactor};
        case Quantity::Force:
            return {kForceRows, GetForceUnitIndex, GetForceUnitFactor};
        case Quantity::Mass:
            return {kMassRows, GetMassUnitIndex, GetMassUnitFactor};
        case Quantity::Power:
            return {kPowerRows, PowerIndexOf, PowerFactorOf};
        case Quantity::Speed:
            return {kSpeedRows, GetSpeedUnitIndex, GetSpeedUnitFactor};
        case Quantity::Bridge:
            return {kBridgeRows, GetBridgeUnitIndex, GetSingleUnitFactor};
        case Quantity::Voltage:
            return {kVoltageRows, GetVoltageUnitIndex, GetSingleUnitFactor};
        case Quantity::Current:
            return {kCurrentRows, GetCurrentUnitIndex, GetSingleUnitFactor};
        case Quantity::Temperature:
            return {kTemperatureRows, GetTemperatureUnitIndex, GetSingleUnitFactor};
        case Quantity::Other:
            break;
    }
    return {kOtherRows, GetOtherUnitIndex, GetSingleUnitFactor};
}

const RangeRow& RowOf(std::span<const RangeRow> rows, double value) {
    for (const RangeRow& row : rows) {
        if (value < row.high || (row.highIncluded && value == row.high))
            return row;
    }
    return rows.back();
}

// Decimals for three significant digits of a value below 1, at most six.
int SignificantDecimals(double shown) {
    int decimals = 2;
    for (double bound = 1.0; shown < bound && decimals < 6; bound /= 10.0)
        ++decimals;
    return decimals;
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

size_t SkipDigits(std::string_view text, size_t pos) {
    while (pos < text.size() && IsDigit(text[pos]))
        ++pos;
    return pos;
}

}  // namespace

Quantity QuantityOfLetter(char letter) {
    switch (letter) {
        case 'D':
            return Quantity::Torque;
        case 'K':
            return Quantity::Force;
        case 'W':
            return Quantity::Mass;
        case 'P':
            return Quantity::Power;
        case 'Y':
            return Quantity::Speed;
        case 'd':
            return Quantity::Bridge;
        case 'A':
            return Quantity::Voltage;
        case 'S':
            return Quantity::Current;
        case 'T':
            return Quantity::Temperature;
        default:
            return Quantity::Other;
    }
}

double ReadLeadingDecimal(const CString& text) {
    const std::string_view all(text.GetString(), static_cast<size_t>(text.GetLength()));
    size_t pos = 0;
    while (pos < all.size() && (all[pos] == ' ' || all[pos] == '\t'))
        ++pos;
    bool negative = false;
    if (pos < all.size() && (all[pos] == '+' || all[pos] == '-'))
        negative = all[pos++] == '-';
    const size_t start = pos;
    size_t end = SkipDigits(all, pos);
    bool anyDigit = end > start;
    if (end < all.size() && all[end] == '.') {
        const size_t fractionEnd = SkipDigits(all, end + 1);
        anyDigit = anyDigit || fractionEnd > end + 1;
        end = fractionEnd;
    }
    if (!anyDigit)
        return 0.0;
    // An exponent counts only when digits follow it; "5e" is the number 5.
    if (end < all.size() && (all[end] == 'e' || all[end] == 'E')) {
        size_t exponent = end + 1;
        if (exponent < all.size() && (all[exponent] == '+' || all[exponent] == '-'))
            ++exponent;
        const size_t exponentEnd = SkipDigits(all, exponent);
        if (exponentEnd > exponent)
            end = exponentEnd;
    }
    double value = 0.0;
    const auto error =
        std::from_chars(all.data() + start, all.data() + end, value, std::chars_format::general).ec;
    // Beyond double in either direction lies outside every table: read it as infinity.
    if (error == std::errc::result_out_of_range)
        value = kInfinity;
    else if (error != std::errc())
        value = 0.0;
    return negative ? -value : value;
}

CString FormatQuantityValue(Quantity quantity, const CString& text, const ValueFormatOutputs& out) {
    const double value = ReadLeadingDecimal(text);
    if (!std::isfinite(value) || value < kLowestValue || value > kHighestValue)
        return kNotAvailableText;

    const QuantityTable table = TableOf(quantity);
    const RangeRow& row = RowOf(table.rows, value);
    if (row.unitId == 0) {
        const int index = table.indexOf(0);
        if (out.pNumberText != nullptr)
            *out.pNumberText = text;
        if (out.pDecimals != nullptr)
            *out.pDecimals = 0;
        if (out.pUnitIndex != nullptr)
            *out.pUnitIndex = index;
        if (out.pFactor != nullptr)
            *out.pFactor = table.factorOf(index);
        return kNotAvailableText;
    }

    const double shown = value * row.multiplier / row.divisor;
    const int decimals =
        row.textDecimals == kSignificantDecimals ? SignificantDecimals(shown) : row.textDecimals;
    const CString number = FormatDecimal(shown, decimals, LANGUAGE_ENGLISH);
    const CString unit = GetLanguageString(row.unitId);

    if (out.pUnitId != nullptr)
        *out.pUnitId = row.unitId;
    const int index = table.indexOf(row.unitId);
    if (out.pUnitIndex != nullptr)
        *out.pUnitIndex = index;
    if (out.pFactor != nullptr)
        *out.pFactor = table.factorOf(index);
    if (out.pDecimals != nullptr)
        *out.pDecimals = row.outputDecimals;
    // Number and unit for a caller that shows them apart carry the language's separator; one
    // that takes the number alone gets it with the point, to compute with.
    const bool both = out.pNumberText != nullptr && out.pUnitText != nullptr;
    if (out.pNumberText != nullptr)
        *out.pNumberText = both ? SetDecimalSeparator(number) : number;
    if (out.pUnitText != nullptr)
        *out.pUnitText = both ? SetDecimalSeparator(unit) : unit;

    return SetDecimalSeparator(number) + " " + unit;
}
