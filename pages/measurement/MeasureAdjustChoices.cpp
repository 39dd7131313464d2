#include "pages/measurement/MeasureAdjustChoices.h"

#include <cfloat>
#include <cmath>
#include <cstring>

#include "foundation/NumberText.h"
#include "pages/measurement/CValidation_IO_NIO.h"
#include "protocol/Protocol.h"

namespace measure_adjust {

const char kScalingNameCharacters[] =
    "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz/!\"$%&()=+-*_ ";

CString RatePeriodText(int rateIndex, int languageOffset) {
    const int ms = tarvik::RatePeriodMs(rateIndex);
    CString text;
    if (ms < 1000)
        text.Format("%d ms", ms);
    else
        text = FormatDecimal(ms / 1000.0, ms % 1000 == 0 ? 0 : 1, languageOffset) + " s";
    return text;
}

double RateIntervalSeconds(int rateIndex) {
    return tarvik::RatePeriodMs(rateIndex) / 1000.0;
}

CString AveragingText(int code, const CString& offText) {
    if (code <= 1 || code > kMaxAveragingCode)
        return offText;
    CString text;
    text.Format("%d", 1 << (code - 1));
    return text;
}

int AveragingEntryOfCode(int code) {
    return code <= 1 || code > kMaxAveragingCode ? 0 : code - 1;
}

int AveragingCodeOfEntry(int entry) {
    return entry + 1;
}

CString LowPassText(int code, const CString& offText) {
    if (code <= 0 || code >= static_cast<int>(tarvik::kLowPassHz.size()))
        return offText;
    CString text;
    text.Format("%d Hz", tarvik::kLowPassHz[static_cast<size_t>(code)]);
    return text;
}

bool ParseNumber(const CString& text, double& value) {
    constexpr double kEmpty = HUGE_VAL;  // the parser's answer for an empty text
    double parsed = 0.0;
    if (!CValidation_IO_NIO::ParseLimit(text, kEmpty, parsed) || parsed == kEmpty)
        return false;
    value = parsed;
    return true;
}

bool ParseHysteresis(const CString& text, double& value) {
    if (text.Find('-') >= 0 || text.Find('+') >= 0)
        return false;
    return ParseNumber(text, value) && value >= 0.0;
}

bool ParseWholeNumber(const CString& text, long long low, long long high, long long& value) {
    const int length = text.GetLength();
    if (length == 0 || length > 18)
        return false;
    long long parsed = 0;
    for (int i = 0; i < length; ++i) {
        const char c = text[i];
        if (c < '0' || c > '9')
            return false;
        parsed = parsed * 10 + (c - '0');
    }
    if (parsed < low || parsed > high)
        return false;
    value = parsed;
    return true;
}

bool IsValidScalingName(const CString& name) {
    const int length = name.GetLength();
    if (length < 1 || length > kScalingNameLength)
        return false;
    for (int i = 0; i < length; ++i) {
        const char c = name[i];
        if (c == 0 || std::strchr(kScalingNameCharacters, c) == nullptr)
            return false;
    }
    return true;
}

bool IsValidScalingFactor(double factor) {
    return std::isfinite(factor) && factor > 0.0 && factor <= FLT_MAX &&
           static_cast<float>(factor) > 0.0F;
}

}  // namespace measure_adjust
