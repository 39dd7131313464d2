// UTF-8 text, code point by code point. A byte that does not start a valid sequence (bad lead
// or continuation bytes, overlong forms, surrogates, values past U+10FFFF, a cut-off end)
// becomes U+FFFD and is passed over on its own, so any byte string can be measured, drawn
// and converted without losing the text that follows.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kq {

constexpr char32_t kReplacementCharacter = 0xFFFD;

struct CodePoint {
    char32_t value;
    int offset;  // first byte in the text
    int length;  // bytes
};

// The code point that starts at text[offset] (offset < text.size()).
CodePoint DecodeUtf8At(std::string_view text, size_t offset);
std::vector<CodePoint> DecodeUtf8(std::string_view text);
// Appends the UTF-8 form of a code point; surrogates and values past U+10FFFF as U+FFFD.
void AppendUtf8(std::string& out, char32_t cp);

}  // namespace kq
