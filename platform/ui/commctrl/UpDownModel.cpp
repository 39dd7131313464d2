#include "platform/ui/commctrl/UpDownModel.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <utility>

#include "platform/ui/commctrl/ControlLanguage.h"

namespace kq::ui::commctrl {

namespace {

// The digit-group separator of the controls' language.
std::string_view GroupSeparator() {
    switch (GetControlLanguage()) {
        case ControlLanguage::German:
            return ".";
        case ControlLanguage::French:
            return "\xC2\xA0";  // no-break space
        case ControlLanguage::English:
            break;
    }
    return ",";
}

// Removes digit-group separators (any language's) that stand between two digits.
std::string WithoutGroups(std::string_view text) {
    static constexpr std::string_view kSeparators[] = {"\xC2\xA0", "\xE2\x80\xAF", ".", ",", " ",
                                                       "'"};
    std::string out;
    for (size_t i = 0; i < text.size();) {
        bool skipped = false;
        if (!out.empty() && isdigit(static_cast<unsigned char>(out.back()))) {
            for (std::string_view sep : kSeparators) {
                const size_t next = i + sep.size();
                if (text.substr(i, sep.size()) == sep && next < text.size() &&
                    isdigit(static_cast<unsigned char>(text[next]))) {
                    i = next;
                    skipped = true;
                    break;
                }
            }
        }
        if (!skipped)
            out += text[i++];
    }
    return out;
}

}  // namespace

void UpDownModel::SetRange(int lower, int upper) {
    lower_ = lower;
    upper_ = upper;
    pos_ = Clamp(pos_);
}

int UpDownModel::Clamp(int64_t pos) const {
    return static_cast<int>(
        std::clamp<int64_t>(pos, std::min(lower_, upper_), std::max(lower_, upper_)));
}

int UpDownModel::SetPos(int pos) {
    return std::exchange(pos_, Clamp(pos));
}

int UpDownModel::DeltaFor(bool up, int increment) const {
    const int towardsUpper = upper_ >= lower_ ? increment : -increment;
    return up ? towardsUpper : -towardsUpper;
}

int UpDownModel::Target(int delta, bool wrap) const {
    const int64_t low = std::min(lower_, upper_);
    const int64_t high = std::max(lower_, upper_);
    const int64_t target = static_cast<int64_t>(pos_) + delta;
    if (target > high)
        return static_cast<int>(wrap && pos_ == high ? low : high);
    if (target < low)
        return static_cast<int>(wrap && pos_ == low ? high : low);
    return static_cast<int>(target);
}

int UpDownModel::IncrementAfter(int64_t heldMs) const {
    int increment = 1;
    for (const UDACCEL& a : accels_) {
        if (static_cast<int64_t>(a.nSec) * 1000 <= heldMs)
            increment = static_cast<int>(a.nInc);
    }
    return increment;
}

void UpDownModel::SetAccel(const UDACCEL* accels, int count) {
    accels_.assign(accels, accels + std::max(0, count));
    std::stable_sort(accels_.begin(), accels_.end(),
                     [](const UDACCEL& a, const UDACCEL& b) { return a.nSec < b.nSec; });
}

int UpDownModel::SetBase(int base) {
    if (base != 10 && base != 16)
        return 0;
    return std::exchange(base_, base);
}

std::string UpDownModel::Format(int pos, bool noThousands) const {
    if (base_ == 16) {
        static const char kHex[] = "0123456789ABCDEF";
        uint32_t v = static_cast<uint32_t>(pos);
        std::string digits;
        do {
            digits.insert(digits.begin(), kHex[v & 0xF]);
            v >>= 4;
        } while (v);
        return "0x" + digits;
    }
    const bool negative = pos < 0;
    uint64_t v =
        negative ? static_cast<uint64_t>(-static_cast<int64_t>(pos)) : static_cast<uint64_t>(pos);
    const std::string digits = std::to_string(v);
    std::string out = negative ? "-" : "";
    for (size_t i = 0; i < digits.size(); ++i) {
        if (!noThousands && i > 0 && (digits.size() - i) % 3 == 0)
            out += GroupSeparator();
        out += digits[i];
    }
    return out;
}

std::optional<int> UpDownModel::Parse(std::string_view text) const {
    std::string s = WithoutGroups(text);
    while (!s.empty() && isspace(static_cast<unsigned char>(s.front())))
        s.erase(s.begin());
    while (!s.empty() && isspace(static_cast<unsigned char>(s.back())))
        s.pop_back();
    if (s.empty())
        return std::nullopt;
    if (base_ == 16) {
        if (s.size() > 2 && s[0] == '0' && (s[1] == 'x' || s[1] == 'X'))
            s.erase(0, 2);
        if (s.empty() || s.size() > 8)
            return std::nullopt;
        uint32_t v = 0;
        for (char c : s) {
            if (!isxdigit(static_cast<unsigned char>(c)))
                return std::nullopt;
            v = v * 16 + static_cast<uint32_t>(isdigit(static_cast<unsigned char>(c))
                                                   ? c - '0'
                                                   : (tolower(c) - 'a' + 10));
        }
        return static_cast<int>(v);
    }
    size_t i = 0;
    const bool negative = s[0] == '-';
    if (s[0] == '-' || s[0] == '+')
        i = 1;
    if (i == s.size())
        return std::nullopt;
    int64_t v = 0;
    for (; i < s.size(); ++i) {
        if (!isdigit(static_cast<unsigned char>(s[i])))
            return std::nullopt;
        v = v * 10 + (s[i] - '0');
        if (v > static_cast<int64_t>(INT32_MAX) + 1)
            return std::nullopt;
    }
    v = negative ? -v : v;
    if (v > INT32_MAX || v < INT32_MIN)
        return std::nullopt;
    return static_cast<int>(v);
}

}  // namespace kq::ui::commctrl
