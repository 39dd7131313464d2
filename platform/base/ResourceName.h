// How resources are named: by a 16-bit number or by a text. Windows passes both through one
// LPCTSTR, a number travelling in the pointer's low word (MAKEINTRESOURCE); ResourceName is the
// plain form of that, used by the resource tables and the lookups.
#pragma once

#include <string_view>

#include "platform/base/WinTypes.h"

inline LPSTR MAKEINTRESOURCE(int id) {
    return reinterpret_cast<LPSTR>(static_cast<ULONG_PTR>(static_cast<WORD>(id)));
}
inline bool IS_INTRESOURCE(LPCSTR name) {
    return (reinterpret_cast<ULONG_PTR>(name) >> 16) == 0;
}

namespace kq {

struct ResourceName {
    constexpr ResourceName() = default;
    constexpr ResourceName(int number) : id(static_cast<WORD>(number)) {}
    constexpr ResourceName(std::string_view text) : name(text) {}
    // A Windows-style name: a MAKEINTRESOURCE number or a text (nullptr: empty). The text is
    // viewed, not copied, so the name lives only as long as the caller's string.
    ResourceName(LPCSTR name);

    // Neither a number nor a text: "no resource" (a dialog without a menu).
    constexpr bool IsEmpty() const { return id == 0 && name.empty(); }
    constexpr bool IsNumber() const { return name.empty(); }

    WORD id = 0;            // the number, when name is empty
    std::string_view name;  // the text; compared without regard to ASCII case, and "#123"
                            // means the number 123, as Windows reads such names
};

}  // namespace kq
