// Decoding of UTF-8 text into code points. Bytes that do not form valid UTF-8 each become
// U+FFFD, so any byte string can be measured and drawn.
#pragma once

#include <string_view>
#include <vector>

namespace kq::gfx {

struct CodePoint {
    char32_t value;
    int offset;  // first byte in the text
    int length;  // bytes
};

std::vector<CodePoint> DecodeUtf8(std::string_view text);

}  // namespace kq::gfx
