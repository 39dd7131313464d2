// Whether a text can be kept in the western code page 1252 (CodePage1252.h), in which the
// program's stored texts live: input that could not is refused rather than stored as '?'.
#pragma once

#include <string_view>

namespace kq {

// Whether 1252 holds every character of the UTF-8 text (and the text is well formed).
bool FitsCp1252(std::string_view utf8);

}  // namespace kq
