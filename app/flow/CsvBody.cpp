// The body is formatted into one growing buffer (to_chars, no locale); the caller writes it out
// durably. The minus of a value that rounds to zero is dropped on the '.' text, before any comma.
#include "app/flow/CsvBody.h"

#include <algorithm>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstring>
#include <string>
#include <utility>

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

// The eight decimal digits of n < 1e8, leading zeros included, as byte values 0..9 with the
// most significant first in memory (on a little-endian machine): the four-digit halves, then
// their two-digit and one-digit parts, split in all lanes at once by multiplications.
uint64_t EightDigits(uint32_t n) {
    uint64_t x = (n / 10000) | (static_cast<uint64_t>(n % 10000) << 32);
    const uint64_t hundreds = ((x * 10486) >> 20) & 0x0000007F0000007FULL;
    x = hundreds | ((x - hundreds * 100) << 16);
    const uint64_t tens = ((x * 103) >> 10) & 0x000F000F000F000FULL;
    return tens | ((x - tens * 10) << 8);
}

// n as fixed-point text with decimals (below 8) of its digits after the point, at least one
// before it: two fixed-size stores shifted out of the eight digits in a register (read back from
// memory at an offset, they would wait for the stores to complete). p needs room for 17 characters.
char* WriteEightDigitsFixed(char* p, uint32_t n, int decimals, char point) {
    const uint64_t digits = EightDigits(n);
    // countr_zero of 0 is 64: a zero has eight leading zeros.
    const int leadingZeros = std::countr_zero(digits) / 8;
    const int count = std::max(8 - leadingZeros, decimals + 1);
    const uint64_t ascii = digits + 0x3030303030303030ULL;
    const int whole = count - decimals;
    const uint64_t wholeText = ascii >> (8 * (8 - count));
    std::memcpy(p, &wholeText, 8);
    if (decimals == 0)
        return p + whole;
    p[whole] = point;
    const uint64_t decimalText = ascii >> (8 * (8 - decimals));
    std::memcpy(p + whole + 1, &decimalText, 8);
    return p + count + 1;
}

// Writes the digits of a value whose scaled magnitude is small enough to round in double
// precision without doubt (not near a half) straight to p: the same text as to_chars with the
// minus of a zero result dropped, at a fraction of its cost. Null where the rounding could
// differ from the exact decimal one (and for a non-finite value). p needs room for 25 characters
// whatever is written.
inline char* WriteFixedFast(char* p, double value, int decimals, char point) {
    static constexpr double kPow10[] = {1, 10, 100, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8};
    const double scaled = std::fabs(value) * kPow10[decimals];
    if (!(scaled < 1e9))
        return nullptr;
    // Added to 2^52 the magnitude is rounded to an integer in the low bits of the sum (to nearest
    // in the default rounding mode; a tie never passes the check below). Below 1e9 the digits fit
    // 32 bits, whose divisions by constants cost less.
    constexpr double kIntegerUnit = 0x1p52;
    const double rounded = scaled + kIntegerUnit;
    uint32_t n = static_cast<uint32_t>(std::bit_cast<uint64_t>(rounded));
    // The product is within 1e-7 of the exact one: a value this far from a half rounds alike.
    if (std::fabs((rounded - kIntegerUnit) - scaled) >= 0.5 - 1e-6)
        return nullptr;
    *p = '-';
    p += value < 0 && n != 0;
    if constexpr (std::endian::native == std::endian::little) {
        if (n < 100000000 && decimals < 8)
            return WriteEightDigitsFixed(p, n, decimals, point);
    }
    // Written backwards into a scratch buffer, two digits at a time (divisions by constants
    // only), at least one digit before the point; then moved as one fixed-size block, which
    // costs less than counting the digits first. 10 digits, a point and 8 decimals fit in 24.
    char scratch[48];
    char* const last = scratch + 24;
    char* q = last;
    auto twoDigits = [&q](uint32_t pair) {
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
    for (; n >= 100; n /= 100)
        twoDigits(n % 100);
    if (n >= 10)
        twoDigits(n);
    else
        *--q = static_cast<char>('0' + n);
    std::memcpy(p, q, 24);
    return p + (last - q);
}

}  // namespace

namespace {

// Longest number text: 309 digits, a point, 8 decimals, a sign and two quotes.
constexpr size_t kMaxNumberText = 330;

// The exact text by to_chars, for what the fast path leaves (large magnitudes, values near a
// half). Kept out of line so that the fast path needs no buffer.
[[gnu::noinline]] char* WriteFixedExact(char* p, double value, int decimals, char point) {
    char buffer[kMaxNumberText];
    const char* last =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals)
            .ptr;
    const char* begin = buffer;
    if (IsNegativeZeroText(begin, last))
        ++begin;
    for (; begin != last; ++begin)
        *p++ = *begin == '.' ? point : *begin;
    return p;
}

// Writes the number at p (nothing for a non-finite value); the end of what was written.
inline char* WriteCsvNumber(char* p, double value, int decimals, bool decimalComma, bool quote) {
    decimals = std::clamp(decimals, 0, 8);
    const char point = decimalComma ? ',' : '.';
    char* const start = p;
    *p = '"';
    p += quote;
    if (char* end = WriteFixedFast(p, value, decimals, point)) {
        p = end;
    } else {
        if (!std::isfinite(value))
            return start;
        p = WriteFixedExact(p, value, decimals, point);
    }
    *p = '"';
    return p + quote;
}

bool QuotesNumbers(const std::string& separator, bool decimalComma) {
    return separator.size() == 1 && separator[0] == (decimalComma ? ',' : '.');
}

// The rest of a quoted field after its number: the unit with its quotes doubled, the closing quote.
std::string QuotedTail(const std::string& unit) {
    std::string tail;
    for (char c : unit) {
        tail += c;
        if (c == '"')
            tail += '"';
    }
    return tail + '"';
}

// A text put after a field again and again: a short one is copied as one fixed-size block, which
// costs less than a copy of its length. The row buffer has room past every field for the block.
class RowPiece {
  public:
    static constexpr size_t kBlock = 16;
    RowPiece() = default;
    explicit RowPiece(std::string text) : text_(std::move(text)) {
        std::memcpy(block_, text_.data(), std::min(text_.size(), kBlock));
    }
    char* Put(char* p) const {
        if (text_.size() <= kBlock)
            std::memcpy(p, block_, kBlock);
        else
            std::memcpy(p, text_.data(), text_.size());
        return p + text_.size();
    }
    size_t size() const { return text_.size(); }

  private:
    char block_[kBlock] = {};
    std::string text_;
};

}  // namespace

void AppendCsvNumber(std::string& out, double value, int decimals, bool decimalComma,
                     const std::string& separator) {
    char buffer[kMaxNumberText];
    const char* end = WriteCsvNumber(buffer, value, decimals, decimalComma,
                                     QuotesNumbers(separator, decimalComma));
    out.append(buffer, static_cast<size_t>(end - buffer));
}

std::string CsvUnitText(const std::string& text) {
    std::string clean = text;
    std::replace(clean.begin(), clean.end(), '\r', ' ');
    std::replace(clean.begin(), clean.end(), '\n', ' ');
    return clean;
}

int64_t CsvRowCount(const CsvLayout& layout, const IRecordedCurves& curves, bool limited,
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

int64_t WriteCsvRows(const CsvLayout& layout, const IRecordedCurves& curves, std::string& out,
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
    int64_t untilProgress = step;
    const bool numbersQuoted = QuotesNumbers(layout.separator, layout.decimalComma);
    const bool xColumn = layout.xChannel >= 0 && layout.xChannel < 6;
    // Each field's unit text and separator written as one suffix; a field whose number or unit
    // holds the separator or a quote is quoted whole, its closing quote in the suffix.
    RowPiece suffix[6];
    bool quoted[6] = {};
    const RowPiece separator(layout.separator);
    const RowPiece lineEnd(layout.lineEnd);
    size_t rowBound = 32 + RowPiece::kBlock + layout.lineEnd.size() + layout.separator.size();
    for (int c = 0; c < 6; ++c) {
        const std::string& unit = layout.unitText[c];
        quoted[c] = numbersQuoted || unit.find('"') != std::string::npos ||
                    (!layout.separator.empty() && unit.find(layout.separator) != std::string::npos);
        suffix[c] =
            RowPiece(quoted[c] ? QuotedTail(unit) + layout.separator : unit + layout.separator);
        rowBound += kMaxNumberText + suffix[c].size();
    }
    rowBound +=
        layout.columns.size() * (kMaxNumberText + RowPiece::kBlock + 2 * layout.separator.size());
    for (const RowPiece& piece : suffix)
        rowBound += piece.size() * layout.columns.size();
    std::vector<char> row(rowBound);
    int64_t number = layout.firstRowNumber;
    uint64_t appended = 0;
    // The curves' lengths, read again after each progress report (which may let points in).
    std::vector<int64_t> countOf(curveOf.size());
    int64_t xCount = 0;
    auto readCounts = [&] {
        for (size_t c = 0; c < curveOf.size(); ++c)
            countOf[c] = curveOf[c] >= 0 ? curves.GetPointCount(curveOf[c]) : 0;
        xCount = xCurve >= 0 ? curves.GetPointCount(xCurve) : 0;
    };
    readCounts();
    auto field = [&](char* p, int curve, int64_t count, int channel, int64_t i, bool x) {
        *p = '"';
        p += quoted[channel];
        if (i < count) {
            const double v = x ? curves.GetPointX(curve, static_cast<int>(i))
                               : curves.GetPointY(curve, static_cast<int>(i));
            p = WriteCsvNumber(p, v, layout.decimals[channel], layout.decimalComma, false);
        }
        return suffix[channel].Put(p);
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
            p = field(p, xCurve, xCount, layout.xChannel, i, true);
        for (size_t c = 0; c < layout.columns.size(); ++c) {
            if (layout.columns[c] < 0 || layout.columns[c] >= 6)
                p = separator.Put(p);
            else
                p = field(p, curveOf[c], countOf[c], layout.columns[c], i, false);
        }
        p = lineEnd.Put(p);
        out.append(row.data(), static_cast<size_t>(p - row.data()));
        appended += static_cast<uint64_t>(p - row.data());
        if (i == 0)  // the first row tells about what the others need
            out.reserve(out.size() + static_cast<size_t>((out.size() - start + 16) * (n - 1)));
        // Counted down rather than divided for every row; without a step it never reaches 0.
        if (--untilProgress == 0 && progress) {
            untilProgress = step;
            // Counted here: the progress may take what gathered out of the text.
            progress(static_cast<int>((i + 1) * 100 / n), appended);
            readCounts();
        }
    }
    return number;
}
