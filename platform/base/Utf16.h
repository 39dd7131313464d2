// Conversions between UTF-8 and UTF-16LE byte strings. Malformed input (a lone surrogate, an
// odd trailing byte, an invalid UTF-8 sequence) becomes U+FFFD; nothing is dropped silently.
#pragma once

#include <string>
#include <string_view>

namespace kq {

std::string Utf16LeToUtf8(std::string_view utf16le);
std::string Utf8ToUtf16Le(std::string_view utf8);

}  // namespace kq
