#include "tools/sensorsim/SignalShape.h"

#include <charconv>
#include <cmath>
#include <numbers>
#include <vector>

#include "platform/base/StringFormat.h"

namespace sensorsim {
namespace {

bool ParseNumber(std::string_view text, double& value) {
    const char* end = text.data() + text.size();
    auto [ptr, ec] = std::from_chars(text.data(), end, value);
    return ec == std::errc() && ptr == end && std::isfinite(value);
}

std::vector<std::string_view> Split(std::string_view text, char separator) {
    std::vector<std::string_view> parts;
    size_t start = 0;
    for (;;) {
        const size_t next = text.find(separator, start);
        parts.push_back(text.substr(start, next - start));
        if (next == std::string_view::npos) {
            return parts;
        }
        start = next + 1;
    }
}

struct KindName {
    SignalShape::Kind kind;
    const char* name;
    size_t numbers;
};

constexpr KindName kKinds[] = {{SignalShape::Kind::Constant, "const", 1},
                               {SignalShape::Kind::Ramp, "ramp", 3},
                               {SignalShape::Kind::Sine, "sine", 3},
                               {SignalShape::Kind::Step, "step", 3},
                               {SignalShape::Kind::Noise, "noise", 2}};

}  // namespace

bool SignalShape::Parse(std::string_view text, SignalShape& shape) {
    const std::vector<std::string_view> parts = Split(text, ':');
    for (const KindName& k : kKinds) {
        if (parts[0] != k.name || parts.size() != k.numbers + 1) {
            continue;
        }
        double numbers[3] = {0.0, 0.0, 1.0};
        for (size_t i = 0; i < k.numbers; ++i) {
            if (!ParseNumber(parts[i + 1], numbers[i])) {
                return false;
            }
        }
        if ((k.kind == Kind::Ramp || k.kind == Kind::Sine) && numbers[2] <= 0.0) {
            return false;
        }
        shape = SignalShape{k.kind, numbers[0], numbers[1], numbers[2]};
        return true;
    }
    return false;
}

std::string SignalShape::ToText() const {
    for (const KindName& k : kKinds) {
        if (k.kind != kind) {
            continue;
        }
        if (k.numbers == 1) {
            return kq::Format("%s:%g", k.name, a);
        }
        if (k.numbers == 2) {
            return kq::Format("%s:%g:%g", k.name, a, b);
        }
        return kq::Format("%s:%g:%g:%g", k.name, a, b, c);
    }
    return "";
}

double SignalShape::ValueAt(double seconds, uint32_t& state) const {
    switch (kind) {
        case Kind::Constant:
            return a;
        case Kind::Ramp:
            return a + (b - a) * (std::fmod(seconds, c) / c);
        case Kind::Sine:
            return a + b * std::sin(2.0 * std::numbers::pi * seconds / c);
        case Kind::Step:
            return seconds < c ? a : b;
        case Kind::Noise: {
            state = state * 1664525u + 1013904223u;
            const double unit = (state >> 8) / double(1u << 24);  // 0 .. 1
            return a + b * (2.0 * unit - 1.0);
        }
    }
    return 0.0;
}

}  // namespace sensorsim
