// The body is formatted into one growing buffer (to_chars, no locale); the caller writes it out
// durably. The minus of a value that rounds to zero is dropped on the '.' text, before any comma.
#include "app/flow/CsvBody.h"

#include <algorithm>
#include <charconv>
#include <cmath>

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

}  // namespace

void AppendCsvNumber(std::string& out, double value, int decimals, bool decimalComma,
                     const std::string& separator) {
    if (!std::isfinite(value))
        return;
    char buffer[400];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value,
                                      std::chars_format::fixed, std::clamp(decimals, 0, 8));
    const char* begin = buffer;
    if (IsNegativeZeroText(begin, result.ptr))
        ++begin;
    const char decimal = decimalComma ? ',' : '.';
    const bool quote = separator.size() == 1 && separator[0] == decimal;
    if (quote)
        out += '"';
    for (const char* p = begin; p != result.ptr; ++p)
        out += *p == '.' ? decimal : *p;
    if (quote)
        out += '"';
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
    int64_t number = layout.firstRowNumber;
    auto field = [&](int curve, int channel, int64_t i, bool x) {
        if (curve >= 0 && i < curves.GetPointCount(curve)) {
            const double v = x ? curves.GetPointX(curve, static_cast<int>(i))
                               : curves.GetPointY(curve, static_cast<int>(i));
            AppendCsvNumber(out, v, layout.decimals[channel], layout.decimalComma,
                            layout.separator);
        }
        out += layout.unitText[channel];
        out += layout.separator;
    };
    for (int64_t i = 0; i < n; ++i, ++number) {
        char digits[24];
        const auto end = std::to_chars(digits, digits + sizeof digits, number).ptr;
        out.append(static_cast<size_t>(std::max<int64_t>(0, width - (end - digits))), ' ');
        out.append(digits, end);
        out += firstSeparator;
        if (layout.xChannel >= 0 && layout.xChannel < 6)
            field(xCurve, layout.xChannel, i, true);
        for (size_t c = 0; c < layout.columns.size(); ++c) {
            if (layout.columns[c] < 0 || layout.columns[c] >= 6)
                out += layout.separator;
            else
                field(curveOf[c], layout.columns[c], i, false);
        }
        out += layout.lineEnd;
        if (step > 0 && progress && (i + 1) % step == 0)
            progress(static_cast<int>((i + 1) * 100 / n), out.size() - start);
    }
    return number;
}
