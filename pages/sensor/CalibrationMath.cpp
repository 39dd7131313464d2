#include "pages/sensor/CalibrationMath.h"

#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <limits>

namespace calib {

namespace {

constexpr double kNotLoadedShare = 0.4;

CString Trimmed(const CString& text) {
    CString copy = text;
    copy.Trim();
    return copy;
}

CString FactorText(double factor, char decimalSeparator) {
    CString text;
    text.Format("%0.1f", factor);
    text.Replace('.', decimalSeparator);
    return text;
}

}  // namespace

bool ParseDecimalText(const CString& text, double& value) {
    CString number = Trimmed(text);
    number.Replace(',', '.');
    if (number.IsEmpty())
        return false;
    // Whatever the process locale: the decimal mark is the one typed, taken as '.'.
    const char* begin = number.GetString();
    const char* end = begin + number.GetLength();
    if (*begin == '+')
        ++begin;
    double parsed = 0.0;
    const auto [stop, error] = std::from_chars(begin, end, parsed);
    if (error != std::errc() || stop != end || !std::isfinite(parsed))
        return false;
    value = parsed;
    return true;
}

bool ParseDigitsText(const CString& text, uint32_t& digits) {
    const CString number = Trimmed(text);
    if (number.IsEmpty())
        return false;
    uint64_t value = 0;
    for (int i = 0; i < number.GetLength(); ++i) {
        const char c = number[i];
        if (c < '0' || c > '9')
            return false;
        value = value * 10 + static_cast<uint64_t>(c - '0');
        if (value > std::numeric_limits<uint32_t>::max())
            return false;
    }
    if (value == 0)
        return false;
    digits = static_cast<uint32_t>(value);
    return true;
}

uint32_t ProposedDigits(uint32_t stored, double range, uint32_t maxDigits, uint32_t fallback) {
    if (!std::isfinite(range) || range <= 0.0)
        return fallback;
    const double digits = std::round(static_cast<double>(stored) / range);
    return digits >= 1.0 && digits <= static_cast<double>(maxDigits) ? static_cast<uint32_t>(digits)
                                                                     : fallback;
}

bool IsScaleAccepted(double fullScale, double scale) {
    if (!std::isfinite(fullScale) || !std::isfinite(scale))
        return false;
    return fullScale * kScaleUpperFactor > scale && scale > fullScale / kScaleLowerDivisor;
}

int CheckZeroWindow(int32_t zeroA, int32_t zeroB) {
    const auto inside = [](int32_t zero) {
        return zero >= kElectricalZero - kZeroTolerance && zero <= kElectricalZero + kZeroTolerance;
    };
    const bool a = inside(zeroA);
    const bool b = inside(zeroB);
    if (a && b)
        return 0;
    if (b)
        return 1;
    if (a)
        return 2;
    return 3;
}

bool IsControlNearZero(int32_t control, int32_t zero) {
    const int64_t difference = static_cast<int64_t>(control) - zero;
    return difference >= -kControlNearZero && difference <= kControlNearZero;
}

bool IsUncertaintyValid(double percent) {
    return std::isfinite(percent) && percent > 0.0 && percent < 5.0;
}

bool FactorToCounts(double value, int32_t& counts) {
    if (!std::isfinite(value) || value <= 0.0 || value > kMaximumFactor) {
        counts = 0;
        return false;
    }
    counts = static_cast<int32_t>(value / kFactorPerCount);
    return counts > 0;
}

ChannelResult ComputeChannel(const ChannelInput& input, int channel) {
    ChannelResult result;
    const int ch = channel == 1 ? 1 : 0;
    // Offset-coded readings are 16-bit counts; anything else is no reading the sensor gave, and
    // its offset would not fit the block.
    const auto isReading = [](int32_t value) { return value >= 0 && value <= 2 * kElectricalZero; };
    if (!isReading(input.zero) || !isReading(input.scale) ||
        (!input.withoutControl && !isReading(input.control))) {
        result.errors = kGainFailed[ch] | kControlFailed[ch];
        return result;
    }
    const double z = input.zero;
    const double e = input.scale;
    const double c = input.withoutControl ? e : static_cast<double>(input.control);
    const double s = input.digits;
    const double threshold = std::trunc(s * kNotLoadedShare);
    if (e <= z + threshold) {
        result.errors = kNotLoaded[ch];
        return result;
    }
    result.offset = kElectricalZero - input.zero;
    const bool rangeUsable = std::isfinite(input.range) && input.range > 0.0;
    const bool ratioUsable = std::isfinite(input.loadRatio) && input.loadRatio > 0.0;

    const double controlDifference = c - z;
    const double controlValue = controlDifference != 0.0 ? s / controlDifference : 0.0;
    if (input.digits == 0 || !FactorToCounts(controlValue, result.control))
        result.errors |= kControlFailed[ch];

    const double k = rangeUsable ? input.loadRatio / input.range : 0.0;
    const double gainDifference = e - z;
    double gainValue = 0.0;
    if (ratioUsable && rangeUsable && gainDifference * k != 0.0)
        gainValue = ((s / input.loadRatio) / gainDifference) * k * input.range;
    if (input.digits == 0 || !FactorToCounts(gainValue, result.gain))
        result.errors |= kGainFailed[ch];

    if (result.errors == 0) {
        const double digits = std::trunc((s / input.loadRatio) * input.range);
        if (!std::isfinite(digits) || digits < 1.0 ||
            digits > static_cast<double>(std::numeric_limits<uint32_t>::max()) ||
            digits == static_cast<double>(kDigitsNotSet)) {
            result.errors |= kGainFailed[ch];
        } else {
            result.digits = static_cast<uint32_t>(digits);
        }
    }
    result.ok = result.errors == 0;
    return result;
}

CString WrongScaleText(const CString& text, char decimalSeparator) {
    const CString upper = FactorText(kScaleUpperFactor, decimalSeparator);
    const CString lower = FactorText(kScaleLowerDivisor, decimalSeparator);
    CString result = text;
    result.Replace("1,3", upper);
    result.Replace("1.3", upper);
    result.Replace("/ 2", "/ " + lower);
    return result;
}

CString ReplaceHashes(const CString& text, const CString& first, const CString& second) {
    CString result;
    int used = 0;
    for (int i = 0; i < text.GetLength(); ++i) {
        if (text[i] == '#' && used < 2) {
            result += used == 0 ? first : second;
            ++used;
        } else {
            result += text[i];
        }
    }
    return result;
}

CString ReplaceChannelLetter(const CString& text, char letter) {
    CString result = text;
    result.Replace("%s", CString(letter, 1));
    return result;
}

}  // namespace calib
