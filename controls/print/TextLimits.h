// Texts of the page-layout printing classes that must fit a fixed size: formatted output, face
// names, tick-box labels. Cuts fall on whole UTF-8 characters, so a shortened text stays valid.
#pragma once

#include <cstdarg>
#include <cstddef>
#include <string>

namespace kq::print {

// Shortens text to at most maxBytes bytes without splitting a character.
void CutAtCharacter(std::string& text, size_t maxBytes);
// A copy of text (null: empty) of at most maxBytes bytes.
std::string BoundedCopy(const char* text, size_t maxBytes);
// printf-style output of at most maxBytes bytes; a null format gives an empty text.
std::string FormatLimited(size_t maxBytes, const char* format, va_list args);
// A label printed as it stands, except that "%%" becomes "%" (labels were once formats).
std::string LiteralLabel(const char* label);

}  // namespace kq::print
