// printf-style formatting that cannot be driven out of bounds: arguments travel with their types,
// so a format string that asks for more or other arguments than it got (a format read from a
// file, a resource or a sensor) produces text, never a crash. Numbers never depend on the locale.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <type_traits>

namespace kq {

struct FormatArg {
    enum class Kind { Signed, Unsigned, Double, String, Pointer };
    Kind kind;
    union {
        int64_t i;
        uint64_t u;
        double d;
        const void* p;
    };
    std::string_view s;

    FormatArg(bool v) : kind(Kind::Signed), i(v ? 1 : 0) {}
    FormatArg(char v) : kind(Kind::Signed), i(v) {}
    FormatArg(signed char v) : kind(Kind::Signed), i(v) {}
    FormatArg(unsigned char v) : kind(Kind::Unsigned), u(v) {}
    FormatArg(short v) : kind(Kind::Signed), i(v) {}
    FormatArg(unsigned short v) : kind(Kind::Unsigned), u(v) {}
    FormatArg(int v) : kind(Kind::Signed), i(v) {}
    FormatArg(unsigned v) : kind(Kind::Unsigned), u(v) {}
    FormatArg(long v) : kind(Kind::Signed), i(v) {}
    FormatArg(unsigned long v) : kind(Kind::Unsigned), u(v) {}
    FormatArg(long long v) : kind(Kind::Signed), i(v) {}
    FormatArg(unsigned long long v) : kind(Kind::Unsigned), u(v) {}
    FormatArg(float v) : kind(Kind::Double), d(v) {}
    FormatArg(double v) : kind(Kind::Double), d(v) {}
    FormatArg(long double v) : kind(Kind::Double), d(static_cast<double>(v)) {}
    FormatArg(const char* v) : kind(Kind::String), p(v), s(v ? std::string_view(v) : "(null)") {}
    FormatArg(char* v) : FormatArg(static_cast<const char*>(v)) {}
    FormatArg(std::string_view v) : kind(Kind::String), p(v.data()), s(v) {}
    FormatArg(const std::string& v) : FormatArg(std::string_view(v)) {}
    template <typename E, typename = std::enable_if_t<std::is_enum_v<E>>>
    FormatArg(E v) : FormatArg(static_cast<std::underlying_type_t<E>>(v)) {}
    template <typename T>
    FormatArg(T* v) : kind(Kind::Pointer), p(v) {}
};

// Appends the formatted text to out. Supports the flags "-+ #0", width and precision (also '*'),
// the length modifiers h, hh, l, ll, L, q, j, z, t, I64, I32, I and the conversions
// d i u o x X c C s S f F e E g G a A p %. A missing argument formats as an empty text or zero; %n is ignored.
void FormatInto(std::string& out, std::string_view format, const FormatArg* args, size_t count);

template <typename... Args>
std::string Format(std::string_view format, const Args&... args) {
    std::string out;
    if constexpr (sizeof...(Args) == 0) {
        FormatInto(out, format, nullptr, 0);
    } else {
        const FormatArg list[] = {FormatArg(args)...};
        FormatInto(out, format, list, sizeof...(Args));
    }
    return out;
}

}  // namespace kq
