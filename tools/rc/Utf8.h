// The little UTF-8 handling the resource compiler needs.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace kq::rc {

// Well-formed UTF-8: no stray continuation bytes, no overlong forms, no surrogates, nothing
// above U+10FFFF.
bool IsValidUtf8(std::string_view text);

// The code point of a text that is exactly one character; nullopt otherwise.
std::optional<uint32_t> SingleCodePoint(std::string_view text);

}  // namespace kq::rc
