// One pass over the pattern: the first integer conversion takes the number, a doubled percent
// sign becomes one, and every other character, a lone percent sign included, is copied.
#include "controls/list/XListProgressCaption.h"

#include <string>

namespace kq::xlist {

CString FormatProgressCaption(const CString& pattern, int percent) {
    const std::string number = std::to_string(percent);
    if (pattern.IsEmpty())
        return CString((number + "%").c_str());
    const std::string in(pattern.GetString(), static_cast<size_t>(pattern.GetLength()));
    std::string out;
    bool placed = false;
    for (size_t i = 0; i < in.size(); ++i) {
        if (in[i] == '%' && i + 1 < in.size()) {
            const char next = in[i + 1];
            if (next == '%') {
                out += '%';
                ++i;
                continue;
            }
            if (!placed && (next == 'd' || next == 'i')) {
                out += number;
                placed = true;
                ++i;
                continue;
            }
        }
        out += in[i];
    }
    return CString(out.c_str());
}

}  // namespace kq::xlist
