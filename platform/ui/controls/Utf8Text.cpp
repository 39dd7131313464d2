#include "platform/ui/controls/Utf8Text.h"

#include <algorithm>

#include "platform/base/Utf8.h"

namespace kq::ui {

std::u32string DecodeText(std::string_view utf8) {
    std::u32string out;
    for (const kq::CodePoint& cp : kq::DecodeUtf8(utf8))
        out.push_back(cp.value);
    return out;
}

std::string EncodeText(std::u32string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char32_t c : text)
        AppendUtf8(out, c);
    return out;
}

size_t CountCharacters(std::string_view utf8) {
    return kq::DecodeUtf8(utf8).size();
}

char32_t FoldCase(char32_t c) {
    if (c >= U'A' && c <= U'Z')
        return c + 32;
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7)
        return c + 32;
    return c;
}

int CompareNoCase(std::u32string_view a, std::u32string_view b) {
    const size_t n = std::min(a.size(), b.size());
    for (size_t i = 0; i < n; ++i) {
        char32_t x = FoldCase(a[i]);
        char32_t y = FoldCase(b[i]);
        if (x != y)
            return x < y ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : a.size() < b.size() ? -1 : 1;
}

bool StartsWithNoCase(std::u32string_view text, std::u32string_view prefix) {
    return text.size() >= prefix.size() &&
           CompareNoCase(text.substr(0, prefix.size()), prefix) == 0;
}

}  // namespace kq::ui
