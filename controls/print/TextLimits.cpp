#include "controls/print/TextLimits.h"

#include <cstdio>
#include <vector>

namespace kq::print {

namespace {

bool IsContinuationByte(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

}  // namespace

void CutAtCharacter(std::string& text, size_t maxBytes) {
    if (text.size() <= maxBytes)
        return;
    size_t cut = maxBytes;
    while (cut > 0 && IsContinuationByte(text[cut]))
        --cut;
    text.resize(cut);
}

std::string BoundedCopy(const char* text, size_t maxBytes) {
    std::string copy = text != nullptr ? text : "";
    CutAtCharacter(copy, maxBytes);
    return copy;
}

std::string FormatLimited(size_t maxBytes, const char* format, va_list args) {
    if (format == nullptr)
        return {};
    // One byte more than allowed, so that a cut inside a character can be seen and undone.
    std::vector<char> buffer(maxBytes + 2);
    va_list copy;
    va_copy(copy, args);
    const int written = std::vsnprintf(buffer.data(), buffer.size(), format, copy);
    va_end(copy);
    if (written < 0)
        return {};
    std::string text(buffer.data());
    CutAtCharacter(text, maxBytes);
    return text;
}

std::string LiteralLabel(const char* label) {
    std::string text;
    for (const char* p = label != nullptr ? label : ""; *p != '\0'; ++p) {
        text += *p;
        if (p[0] == '%' && p[1] == '%')
            ++p;
    }
    return text;
}

}  // namespace kq::print
