// UTF-8 text as the controls keep it: a sequence of code points, so that carets, selections and
// lengths count characters, not bytes. Malformed bytes become U+FFFD.
#pragma once

#include <string>
#include <string_view>

namespace kq::ui {

std::u32string DecodeText(std::string_view utf8);
std::string EncodeText(std::u32string_view text);
// Number of code points.
size_t CountCharacters(std::string_view utf8);
// Case folding for the comparisons of list boxes, combo boxes and mnemonics: ASCII and the
// Latin-1 letters, which is what the application's three languages need.
char32_t FoldCase(char32_t c);
// <0, 0, >0 comparing case-insensitively by folded code points.
int CompareNoCase(std::u32string_view a, std::u32string_view b);
bool StartsWithNoCase(std::u32string_view text, std::u32string_view prefix);

}  // namespace kq::ui
