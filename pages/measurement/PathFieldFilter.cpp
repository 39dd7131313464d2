#include "pages/measurement/PathFieldFilter.h"

#include <algorithm>

namespace {

bool IsControl(char c) {
    const auto byte = static_cast<unsigned char>(c);
    return byte < 0x20 || byte == 0x7F;
}

bool RemoveWhere(CString& text, bool (*refused)(char)) {
    std::string& s = text.Str();
    const auto end = std::remove_if(s.begin(), s.end(), refused);
    const bool removed = end != s.end();
    s.erase(end, s.end());
    return removed;
}

}  // namespace

bool FilterDirectoryText(CString& text) {
    return RemoveWhere(text, IsControl);
}

bool FilterPrefixText(CString& text) {
    return RemoveWhere(text, [](char c) { return IsControl(c) || c == '/'; });
}
