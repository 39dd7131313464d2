#include "platform/ui/menu/PopupLayout.h"

namespace kq::ui::menu {
namespace {

// The code point starting at text[i] (UTF-8); 0 for malformed or truncated input.
char32_t DecodeAt(const std::string& text, size_t i) {
    const auto b = static_cast<unsigned char>(text[i]);
    if (b < 0x80)
        return b;
    const int extra = b >= 0xF0 ? 3 : b >= 0xE0 ? 2 : b >= 0xC0 ? 1 : -1;
    if (extra < 0 || i + static_cast<size_t>(extra) >= text.size())
        return 0;
    char32_t c = b & (0x3F >> extra);
    for (int k = 1; k <= extra; ++k) {
        const auto cont = static_cast<unsigned char>(text[i + static_cast<size_t>(k)]);
        if ((cont & 0xC0) != 0x80)
            return 0;
        c = (c << 6) | (cont & 0x3F);
    }
    return c;
}

}  // namespace

ItemLabel SplitLabel(const std::string& text) {
    ItemLabel out;
    const size_t tab = text.find('\t');
    out.label = text.substr(0, tab);
    if (tab != std::string::npos)
        out.shortcut = text.substr(tab + 1);
    for (size_t i = 0; i + 1 < out.label.size(); ++i) {
        if (out.label[i] != '&')
            continue;
        if (out.label[i + 1] == '&') {  // "&&" is a literal ampersand
            ++i;
            continue;
        }
        char32_t c = DecodeAt(out.label, i + 1);
        if (c >= 'A' && c <= 'Z')
            c += 'a' - 'A';
        out.mnemonic = c;
        break;
    }
    return out;
}

std::string ShownLabel(const std::string& label) {
    std::string out;
    for (size_t i = 0; i < label.size(); ++i) {
        if (label[i] == '&' && i + 1 < label.size())
            ++i;
        out += label[i];
    }
    return out;
}

}  // namespace kq::ui::menu
