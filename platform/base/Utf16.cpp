#include "platform/base/Utf16.h"

#include <cstdint>

#include "platform/base/Utf8.h"

namespace kq {
namespace {

constexpr char32_t kReplacement = kReplacementCharacter;

void AppendUtf16(std::string& out, char32_t c) {
    auto unit = [&out](uint32_t u) {
        out += static_cast<char>(u & 0xFF);
        out += static_cast<char>(u >> 8);
    };
    if (c < 0x10000) {
        unit(c);
    } else {
        c -= 0x10000;
        unit(0xD800 | (c >> 10));
        unit(0xDC00 | (c & 0x3FF));
    }
}

}  // namespace

std::string Utf16LeToUtf8(std::string_view utf16le) {
    std::string out;
    out.reserve(utf16le.size());
    auto unitAt = [&utf16le](size_t i) {
        return static_cast<uint32_t>(static_cast<unsigned char>(utf16le[i])) |
               (static_cast<uint32_t>(static_cast<unsigned char>(utf16le[i + 1])) << 8);
    };
    size_t i = 0;
    for (; i + 1 < utf16le.size(); i += 2) {
        const uint32_t unit = unitAt(i);
        if (unit >= 0xD800 && unit <= 0xDBFF && i + 3 < utf16le.size()) {
            const uint32_t low = unitAt(i + 2);
            if (low >= 0xDC00 && low <= 0xDFFF) {
                AppendUtf8(out, 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00));
                i += 2;
                continue;
            }
        }
        AppendUtf8(out, (unit >= 0xD800 && unit <= 0xDFFF) ? kReplacement : unit);
    }
    if (i < utf16le.size())
        AppendUtf8(out, kReplacement);
    return out;
}

std::string Utf8ToUtf16Le(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size() * 2);
    for (const CodePoint& cp : DecodeUtf8(utf8))
        AppendUtf16(out, cp.value);
    return out;
}

}  // namespace kq
