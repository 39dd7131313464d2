#include "protocol/VersionWord.h"

namespace tarvik {

std::string VersionWordText(uint32_t word) {
    if (word >= 0xFFFF) {
        return "";
    }
    const int places = static_cast<int>(word >> 12);
    std::string digits;
    for (int shift = 8; shift >= 0; shift -= 4) {
        const int d = static_cast<int>((word >> shift) & 0xF);
        if (d > 9) {
            return "";
        }
        digits.push_back(static_cast<char>('0' + d));
    }
    std::string whole;
    std::string fraction;
    if (places <= 3) {
        whole = digits.substr(0, static_cast<size_t>(places));
        fraction = digits.substr(static_cast<size_t>(places));
    } else {
        whole = digits + std::string(static_cast<size_t>(places - 3), '0');
    }
    const size_t firstNonZero = whole.find_first_not_of('0');
    whole = firstNonZero == std::string::npos ? "0" : whole.substr(firstNonZero);
    const size_t lastNonZero = fraction.find_last_not_of('0');
    fraction = lastNonZero == std::string::npos ? "" : fraction.substr(0, lastNonZero + 1);
    return fraction.empty() ? whole : whole + "." + fraction;
}

double VersionWordValue(uint32_t word) {
    const std::string text = VersionWordText(word);
    if (text.empty()) {
        return 0.0;
    }
    // Built from the digits so that the result does not depend on the process locale; one
    // division by a power of ten gives the nearest double of the decimal text.
    double digits = 0.0;
    double divisor = 1.0;
    bool afterPoint = false;
    for (char c : text) {
        if (c == '.') {
            afterPoint = true;
            continue;
        }
        digits = digits * 10.0 + (c - '0');
        if (afterPoint) {
            divisor *= 10.0;
        }
    }
    return digits / divisor;
}

}  // namespace tarvik
