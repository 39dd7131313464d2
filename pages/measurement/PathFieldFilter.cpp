#include "pages/measurement/PathFieldFilter.h"

#include <algorithm>

#include "platform/base/CodePage1252.h"

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
    bool removed = RemoveWhere(text, [](char c) { return IsControl(c) || c == '/'; });
    std::string& s = text.Str();
    const size_t dots = s.find_first_not_of('.');
    if (dots != 0 && !s.empty()) {
        s.erase(0, dots == std::string::npos ? s.size() : dots);
        removed = true;
    }
    return removed;
}

bool FilterFileText(CString& text) {
    return kq::KeepCp1252Characters(text.Str());
}
