#include "platform/base/Utf8.h"

namespace kq {

CodePoint DecodeUtf8At(std::string_view text, size_t offset) {
    const auto* s = reinterpret_cast<const unsigned char*>(text.data());
    const unsigned char lead = s[offset];
    const CodePoint bad{kReplacementCharacter, static_cast<int>(offset), 1};
    int length = 0;
    char32_t cp = 0;
    char32_t minimum = 0;
    if (lead < 0x80)
        return CodePoint{lead, static_cast<int>(offset), 1};
    if ((lead & 0xE0) == 0xC0)
        length = 2, cp = lead & 0x1F, minimum = 0x80;
    else if ((lead & 0xF0) == 0xE0)
        length = 3, cp = lead & 0x0F, minimum = 0x800;
    else if ((lead & 0xF8) == 0xF0)
        length = 4, cp = lead & 0x07, minimum = 0x10000;
    else
        return bad;
    if (offset + static_cast<size_t>(length) > text.size())
        return bad;
    for (int k = 1; k < length; ++k) {
        const unsigned char next = s[offset + static_cast<size_t>(k)];
        if ((next & 0xC0) != 0x80)
            return bad;
        cp = (cp << 6) | (next & 0x3F);
    }
    if (cp < minimum || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
        return bad;
    return CodePoint{cp, static_cast<int>(offset), length};
}

std::vector<CodePoint> DecodeUtf8(std::string_view text) {
    std::vector<CodePoint> out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size();) {
        const CodePoint cp = DecodeUtf8At(text, i);
        out.push_back(cp);
        i += static_cast<size_t>(cp.length);
    }
    return out;
}

void AppendUtf8(std::string& out, char32_t cp) {
    if (cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
        cp = kReplacementCharacter;
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

}  // namespace kq
