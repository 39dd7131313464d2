#include "platform/gfx/Utf8.h"

namespace kq::gfx {

std::vector<CodePoint> DecodeUtf8(std::string_view text) {
    std::vector<CodePoint> out;
    out.reserve(text.size());
    const auto* s = reinterpret_cast<const unsigned char*>(text.data());
    const int n = static_cast<int>(text.size());
    int i = 0;
    while (i < n) {
        const unsigned char c = s[i];
        int len = 0;
        char32_t cp = 0;
        char32_t min = 0;
        if (c < 0x80) {
            len = 1;
            cp = c;
        } else if ((c & 0xE0) == 0xC0) {
            len = 2;
            cp = c & 0x1F;
            min = 0x80;
        } else if ((c & 0xF0) == 0xE0) {
            len = 3;
            cp = c & 0x0F;
            min = 0x800;
        } else if ((c & 0xF8) == 0xF0) {
            len = 4;
            cp = c & 0x07;
            min = 0x10000;
        }
        bool ok = len > 0 && i + len <= n;
        for (int k = 1; ok && k < len; ++k) {
            if ((s[i + k] & 0xC0) != 0x80)
                ok = false;
            else
                cp = (cp << 6) | (s[i + k] & 0x3F);
        }
        if (ok && (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)))
            ok = false;
        if (!ok) {
            out.push_back(CodePoint{0xFFFD, i, 1});
            ++i;
            continue;
        }
        out.push_back(CodePoint{cp, i, len});
        i += len;
    }
    return out;
}

}  // namespace kq::gfx
