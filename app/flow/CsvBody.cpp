// The body is formatted into one growing buffer (to_chars, no locale); the caller writes it out
// durably. The minus of a value that rounds to zero is dropped on the '.' text, before any comma.
#include "app/flow/CsvBody.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>

namespace {

bool IsNegativeZeroText(const char* begin, const char* end) {
    if (begin == end || *begin != '-')
        return false;
    return std::all_of(begin + 1, end, [](char c) { return c == '0' || c == '.'; });
}

int DigitsOf(int64_t n) {
    int digits = 1;
    while (n >= 10) {
        n /= 10;
        ++digits;
    }
    return digits;
}

constexpr char kDigitPairs[] =
    "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
    "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
    "8081828384858687888990919293949596979899";

// Writes the digits of a value whose scaled magnitude is small enough to round in double
// precision without doubt (not near a half) straight to p: the same text as to_chars with the
// minus of a zero result dropped, at a fraction of its cost. Null where the rounding could
// differ from the exact decimal one.
char* WriteFixedFast(char* p, double value, int decimals, char point) {
    static constexpr double kPow10[] = {1, 10, 100, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8};
    const double scaled = std::fabs(value) * kPow10[decimals];
    if (!(scaled < 1e9))
        return nullptr;
    const double whole = std::floor(scaled);
    const double fraction = scaled - whole;
    // The product is within 1e-7 of the exact one: a fraction this far from a half rounds alike.
    if (std::fabs(fraction - 0.5) <= 1e-6)
        return nullptr;
    uint64_t n = static_cast<uint64_t>(whole) + (fraction > 0.5 ? 1 : 0);
    if (value < 0 && n != 0)
        *p++ = '-';
    // Written from the last digit backwards, two at a time (divisions by constants only), at
    // least one digit before the point.
    int digits = 1;
    for (uint64_t bound = 10; digits < 20 && n >= bound; bound *= 10)
        ++digits;
    char* const end = p + std::max(digits - decimals, 1) + decimals + (decimals > 0 ? 1 : 0);
    char* q = end;
    auto twoDigits = [&q](uint64_t pair) {
        q -= 2;
        std::memcpy(q, kDigitPairs + 2 * pair, 2);
    };
    int left = decimals;
    for (; left >= 2; left -= 2, n /= 100)
        twoDigits(n % 100);
    if (left == 1) {
        *--q = static_cast<char>('0' + n % 10);
        n /= 10;
    }
    if (decimals > 0)
        *--q = point;
    for (; q - p >= 2; n /= 100)
        twoDigits(n % 100);
    if (q != p)
        *--q = static_cast<char>('0' + n % 10);
    p = end;
    return p;
}

}  // namespace

namespace {

// Longest number text: 309 digits, a point, 8 decimals, a sign and two quotes.
constexpr size_t kMaxNumberText = 330;

// Writes the number at p (nothing for a non-finite value); the end of what was written.
char* WriteCsvNumber(char* p, double value, int decimals, bool decimalComma, bool quote) {
    if (!std::isfinite(value))
        return p;
    decimals = std::clamp(decimals, 0, 8);
    if (quote)
        *p++ = '"';
    if (char* end = WriteFixedFast(p, value, decimals, decimalComma ? ',' : '.')) {
        p = end;
    } else {
        char buffer[kMaxNumberText];
        const char* last =
            std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals)
                .ptr;
        const char* begin = buffer;
        if (IsNegativeZeroText(begin, last))
            ++begin;
        for (; begin != last; ++begin)
            *p++ = decimalComma && *begin == '.' ? ',' : *begin;
    }
    if (quote)
        *p++ = '"';
    return p;
}

bool QuotesNumbers(const std::string& separator, bool decimalComma) {
    return separator.size() == 1 && separator[0] == (decimalComma ? ',' : '.');
}

char* Put(char* p, const std::string& text) {
    std::memcpy(p, text.data(), text.size());
    return p + text.size();
}

}  // namespace

void AppendCsvNumber(std::string& out, double value, int decimals, bool decimalComma,
                     const std::string& separator) {
    char buffer[kMaxNumberText];
    const char* end = WriteCsvNumber(buffer, value, decimals, decimalComma,
                                     QuotesNumbers(separator, decimalComma));
    out.append(buffer, static_cast<size_t>(end - buffer));
}

std::string CsvUnitText(const std::string& text, const std::string& separator) {
    std::string clean = text;
    std::replace(clean.begin(), clean.end(), '\r', ' ');
    std::replace(clean.begin(), clean.end(), '\n', ' ');
    const bool quote = clean.find('"') != std::string::npos ||
                       (!separator.empty() && clean.find(separator) != std::string::npos);
    if (!quote)
        return clean;
    std::string quoted = "\"";
    for (char c : clean) {
        quoted += c;
        if (c == '"')
            quoted += '"';
    }
    return quoted + '"';
}

int64_t CsvRowCount(const CsvLayout& layout, const IDiagramSeam& curves, bool limited,
                    double stopCount, bool dropLastRow) {
    int64_t n = 0;
    for (int channel : layout.columns) {
        const int curve = channel >= 0 ? curves.GetCurveOfChannel(channel) : -1;
        if (curve >= 0)
            n = std::max<int64_t>(n, curves.GetPointCount(curve));
    }
    if (limited && !std::isnan(stopCount))
        n = std::clamp<double>(std::floor(stopCount), 0.0, static_cast<double>(n));
    if (dropLastRow)
        n = std::max<int64_t>(0, n - 1);
    return n;
}

int64_t WriteCsvRows(const CsvLayout& layout, const IDiagramSeam& curves, std::string& out,
                     const CsvProgress& progress) {
    const int64_t n = layout.rowCount;
    const int width = DigitsOf(n);
    const size_t start = out.size();
    std::vector<int> curveOf;
    for (int channel : layout.columns)
        curveOf.push_back(channel >= 0 && channel < 6 ? curves.GetCurveOfChannel(channel) : -1);
    // Every curve holds the x of its points: the first column with a curve gives them.
    int xCurve = -1;
    for (int curve : curveOf) {
        if (xCurve < 0)
            xCurve = curve;
    }
    const char firstSeparator = layout.separator.empty() ? ';' : layout.separator[0];
    const int64_t step = n > 5000 ? std::max<int64_t>(1, std::llround(n / 100.0)) : 0;
    const bool quote = QuotesNumbers(layout.separator, layout.decimalComma);
    const bool xColumn = layout.xChannel >= 0 && layout.xChannel < 6;
    // Each field's unit text and separator written as one suffix.
    std::string suffix[6];
    size_t rowBound = 32 + layout.lineEnd.size() + layout.separator.size();
    for (int c = 0; c < 6; ++c) {
        suffix[c] = layout.unitText[c] + layout.separator;
        rowBound += kMaxNumberText + suffix[c].size();
    }
    rowBound += layout.columns.size() * (kMaxNumberText + 2 * layout.separator.size());
    for (const std::string& text : suffix)
        rowBound += text.size() * layout.columns.size();
    std::vector<char> row(rowBound);
    int64_t number = layout.firstRowNumber;
    auto field = [&](char* p, int curve, int channel, int64_t i, bool x) {
        if (curve >= 0 && i < curves.GetPointCount(curve)) {
            const double v = x ? curves.GetPointX(curve, static_cast<int>(i))
                               : curves.GetPointY(curve, static_cast<int>(i));
            p = WriteCsvNumber(p, v, layout.decimals[channel], layout.decimalComma, quote);
        }
        return Put(p, suffix[channel]);
    };
    for (int64_t i = 0; i < n; ++i, ++number) {
        char digits[24];
        const auto end = std::to_chars(digits, digits + sizeof digits, number).ptr;
        char* p = row.data();
        for (int64_t pad = width - (end - digits); pad > 0; --pad)
            *p++ = ' ';
        p = std::copy(digits, end, p);
        *p++ = firstSeparator;
        if (xColumn)
            p = field(p, xCurve, layout.xChannel, i, true);
        for (size_t c = 0; c < layout.columns.size(); ++c) {
            if (layout.columns[c] < 0 || layout.columns[c] >= 6)
                p = Put(p, layout.separator);
            else
                p = field(p, curveOf[c], layout.columns[c], i, false);
        }
        p = Put(p, layout.lineEnd);
        out.append(row.data(), static_cast<size_t>(p - row.data()));
        if (i == 0)  // the first row tells about what the others need
            out.reserve(out.size() + static_cast<size_t>((out.size() - start + 16) * (n - 1)));
        if (step > 0 && progress && (i + 1) % step == 0)
            progress(static_cast<int>((i + 1) * 100 / n), out.size() - start);
    }
    return number;
}
