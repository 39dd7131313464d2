#include "platform/base/StringFormat.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstring>

namespace kq {
namespace {

struct FieldFormat {
    bool left = false;
    bool plus = false;
    bool space = false;
    bool alt = false;
    bool zero = false;
    int width = 0;
    int precision = -1;
    int lengthBits = 0;  // 0: default (int), 8, 16, 32, 64
    char conv = 0;
};

// Widest field we honour; a larger width or precision from hostile data is capped.
constexpr int kMaxField = 4096;

class ArgCursor {
  public:
    ArgCursor(const FormatArg* args, size_t count) : args_(args), count_(count) {}
    const FormatArg* Next() { return index_ < count_ ? &args_[index_++] : nullptr; }
    int NextInt() {
        const FormatArg* a = Next();
        if (!a)
            return 0;
        switch (a->kind) {
            case FormatArg::Kind::Signed:
                return static_cast<int>(std::clamp<int64_t>(a->i, -kMaxField, kMaxField));
            case FormatArg::Kind::Unsigned:
                return static_cast<int>(std::min<uint64_t>(a->u, kMaxField));
            default:
                return 0;
        }
    }

  private:
    const FormatArg* args_;
    size_t count_;
    size_t index_ = 0;
};

void Pad(std::string& out, std::string_view prefix, std::string_view body,
         const FieldFormat& fieldFormat, bool numeric) {
    const size_t len = prefix.size() + body.size();
    const size_t width = static_cast<size_t>(fieldFormat.width);
    if (len >= width) {
        out.append(prefix);
        out.append(body);
    } else if (fieldFormat.left) {
        out.append(prefix);
        out.append(body);
        out.append(width - len, ' ');
    } else if (fieldFormat.zero && numeric) {
        out.append(prefix);
        out.append(width - len, '0');
        out.append(body);
    } else {
        out.append(width - len, ' ');
        out.append(prefix);
        out.append(body);
    }
}

uint64_t Truncate(uint64_t v, int bits) {
    switch (bits) {
        case 8:
            return static_cast<uint8_t>(v);
        case 16:
            return static_cast<uint16_t>(v);
        case 32:
            return static_cast<uint32_t>(v);
        default:
            return v;
    }
}

int64_t TruncateSigned(int64_t v, int bits) {
    switch (bits) {
        case 8:
            return static_cast<int8_t>(v);
        case 16:
            return static_cast<int16_t>(v);
        case 32:
            return static_cast<int32_t>(v);
        default:
            return v;
    }
}

void FormatInteger(std::string& out, const FieldFormat& fieldFormat, const FormatArg* a) {
    const bool isSigned = fieldFormat.conv == 'd' || fieldFormat.conv == 'i';
    const int bits = fieldFormat.lengthBits == 0 ? 32 : fieldFormat.lengthBits;
    int64_t sv = 0;
    uint64_t uv = 0;
    if (a) {
        switch (a->kind) {
            case FormatArg::Kind::Signed:
                sv = a->i;
                uv = static_cast<uint64_t>(a->i);
                break;
            case FormatArg::Kind::Unsigned:
                sv = static_cast<int64_t>(a->u);
                uv = a->u;
                break;
            case FormatArg::Kind::Double:
                sv = std::isfinite(a->d) && std::fabs(a->d) < 9.2e18 ? static_cast<int64_t>(a->d)
                                                                     : 0;
                uv = static_cast<uint64_t>(sv);
                break;
            case FormatArg::Kind::String:
            case FormatArg::Kind::Pointer:
                sv = static_cast<int64_t>(reinterpret_cast<uintptr_t>(a->p));
                uv = static_cast<uint64_t>(sv);
                break;
        }
    }
    std::string prefix;
    bool negative = false;
    uint64_t magnitude;
    if (isSigned) {
        sv = TruncateSigned(sv, bits);
        negative = sv < 0;
        magnitude = negative ? 0 - static_cast<uint64_t>(sv) : static_cast<uint64_t>(sv);
    } else {
        magnitude = Truncate(uv, bits);
    }
    int base = 10;
    if (fieldFormat.conv == 'x' || fieldFormat.conv == 'X' || fieldFormat.conv == 'p')
        base = 16;
    if (fieldFormat.conv == 'o')
        base = 8;
    char digits[72];
    auto res = std::to_chars(digits, digits + sizeof(digits), magnitude, base);
    std::string body(digits, res.ptr);
    if (fieldFormat.conv == 'X') {
        for (auto& c : body)
            c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    if (fieldFormat.precision >= 0) {
        if (fieldFormat.precision == 0 && magnitude == 0)
            body.clear();
        if (static_cast<int>(body.size()) < fieldFormat.precision) {
            body.insert(0, static_cast<size_t>(fieldFormat.precision) - body.size(), '0');
        }
    }
    if (negative) {
        prefix = "-";
    } else if (isSigned && fieldFormat.plus) {
        prefix = "+";
    } else if (isSigned && fieldFormat.space) {
        prefix = " ";
    }
    if (fieldFormat.alt && magnitude != 0) {
        if (fieldFormat.conv == 'x')
            prefix += "0x";
        if (fieldFormat.conv == 'X')
            prefix += "0X";
        if (fieldFormat.conv == 'o' && body[0] != '0')
            body.insert(0, "0");
    }
    FieldFormat padSpec = fieldFormat;
    if (fieldFormat.precision >= 0)
        padSpec.zero = false;
    Pad(out, prefix, body, padSpec, true);
}

void FormatFloating(std::string& out, const FieldFormat& fieldFormat, const FormatArg* a) {
    double v = 0.0;
    if (a) {
        switch (a->kind) {
            case FormatArg::Kind::Double:
                v = a->d;
                break;
            case FormatArg::Kind::Signed:
                v = static_cast<double>(a->i);
                break;
            case FormatArg::Kind::Unsigned:
                v = static_cast<double>(a->u);
                break;
            default:
                break;
        }
    }
    const char conv = fieldFormat.conv;
    const bool upper = std::isupper(static_cast<unsigned char>(conv)) != 0;
    std::string prefix;
    if (std::signbit(v)) {
        prefix = "-";
        v = -v;
    } else if (fieldFormat.plus) {
        prefix = "+";
    } else if (fieldFormat.space) {
        prefix = " ";
    }
    std::string body;
    if (std::isnan(v) || std::isinf(v)) {
        body = std::isnan(v) ? "nan" : "inf";
        if (upper)
            body = std::isnan(v) ? "NAN" : "INF";
        FieldFormat padSpec = fieldFormat;
        padSpec.zero = false;
        Pad(out, prefix, body, padSpec, true);
        return;
    }
    int precision = fieldFormat.precision < 0 ? 6 : std::min(fieldFormat.precision, 400);
    std::chars_format fmt = std::chars_format::fixed;
    switch (std::tolower(static_cast<unsigned char>(conv))) {
        case 'e':
            fmt = std::chars_format::scientific;
            break;
        case 'g':
            fmt = std::chars_format::general;
            break;
        case 'a':
            fmt = std::chars_format::hex;
            break;
        default:
            break;
    }
    if (fmt == std::chars_format::general && precision == 0)
        precision = 1;
    std::string buffer(512 + static_cast<size_t>(precision), '\0');
    std::to_chars_result res;
    if (fmt == std::chars_format::hex && fieldFormat.precision < 0) {
        res = std::to_chars(buffer.data(), buffer.data() + buffer.size(), v, fmt);
    } else {
        res = std::to_chars(buffer.data(), buffer.data() + buffer.size(), v, fmt, precision);
    }
    body.assign(buffer.data(), res.ptr);
    if (fmt == std::chars_format::general && fieldFormat.alt &&
        body.find('.') == std::string::npos) {
        const size_t e = body.find('e');
        body.insert(e == std::string::npos ? body.size() : e, ".");
    }
    if (fmt == std::chars_format::fixed && fieldFormat.alt && precision == 0)
        body += '.';
    if (fmt == std::chars_format::scientific || fmt == std::chars_format::general) {
        // printf writes at least two exponent digits.
        const size_t e = body.find('e');
        if (e != std::string::npos && e + 2 < body.size() + 1) {
            size_t digitsAt = e + 2;
            if (body.size() - digitsAt == 1)
                body.insert(digitsAt, "0");
        }
    }
    if (fmt == std::chars_format::hex) {
        prefix += upper ? "0X" : "0x";
    }
    if (upper) {
        for (auto& c : body)
            c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    Pad(out, prefix, body, fieldFormat, true);
}

void FormatText(std::string& out, const FieldFormat& fieldFormat, const FormatArg* a) {
    std::string_view text;
    std::string scratch;
    if (a) {
        switch (a->kind) {
            case FormatArg::Kind::String:
                text = a->s;
                break;
            case FormatArg::Kind::Pointer:
                text = "(pointer)";
                break;
            case FormatArg::Kind::Double: {
                FieldFormat fs;
                fs.conv = 'g';
                FormatFloating(scratch, fs, a);
                text = scratch;
                break;
            }
            default: {
                FieldFormat is;
                is.conv = a->kind == FormatArg::Kind::Signed ? 'd' : 'u';
                is.lengthBits = 64;
                FormatInteger(scratch, is, a);
                text = scratch;
                break;
            }
        }
    }
    if (fieldFormat.precision >= 0 && static_cast<size_t>(fieldFormat.precision) < text.size()) {
        text = text.substr(0, static_cast<size_t>(fieldFormat.precision));
    }
    FieldFormat padSpec = fieldFormat;
    padSpec.zero = false;
    Pad(out, {}, text, padSpec, false);
}

void FormatChar(std::string& out, const FieldFormat& fieldFormat, const FormatArg* a) {
    char c = 0;
    if (a) {
        switch (a->kind) {
            case FormatArg::Kind::Signed:
                c = static_cast<char>(a->i);
                break;
            case FormatArg::Kind::Unsigned:
                c = static_cast<char>(a->u);
                break;
            case FormatArg::Kind::String:
                c = a->s.empty() ? '\0' : a->s[0];
                break;
            default:
                break;
        }
    }
    FieldFormat padSpec = fieldFormat;
    padSpec.zero = false;
    Pad(out, {}, std::string_view(&c, 1), padSpec, false);
}

}  // namespace

void FormatInto(std::string& out, std::string_view format, const FormatArg* args, size_t count) {
    ArgCursor cursor(args, count);
    size_t i = 0;
    const size_t n = format.size();
    while (i < n) {
        const char ch = format[i];
        if (ch != '%') {
            const size_t next = format.find('%', i);
            const size_t end = next == std::string_view::npos ? n : next;
            out.append(format.substr(i, end - i));
            i = end;
            continue;
        }
        ++i;
        if (i >= n) {
            out += '%';
            break;
        }
        if (format[i] == '%') {
            out += '%';
            ++i;
            continue;
        }
        const size_t specStart = i - 1;
        FieldFormat fieldFormat;
        for (bool more = true; more && i < n;) {
            switch (format[i]) {
                case '-':
                    fieldFormat.left = true;
                    ++i;
                    break;
                case '+':
                    fieldFormat.plus = true;
                    ++i;
                    break;
                case ' ':
                    fieldFormat.space = true;
                    ++i;
                    break;
                case '#':
                    fieldFormat.alt = true;
                    ++i;
                    break;
                case '0':
                    fieldFormat.zero = true;
                    ++i;
                    break;
                default:
                    more = false;
                    break;
            }
        }
        if (i < n && format[i] == '*') {
            int w = cursor.NextInt();
            if (w < 0) {
                fieldFormat.left = true;
                w = -w;
            }
            fieldFormat.width = w;
            ++i;
        } else {
            while (i < n && std::isdigit(static_cast<unsigned char>(format[i]))) {
                fieldFormat.width = std::min(kMaxField, fieldFormat.width * 10 + (format[i] - '0'));
                ++i;
            }
        }
        if (i < n && format[i] == '.') {
            ++i;
            fieldFormat.precision = 0;
            if (i < n && format[i] == '*') {
                const int p = cursor.NextInt();
                fieldFormat.precision = p < 0 ? -1 : p;
                ++i;
            } else {
                while (i < n && std::isdigit(static_cast<unsigned char>(format[i]))) {
                    fieldFormat.precision =
                        std::min(kMaxField, fieldFormat.precision * 10 + (format[i] - '0'));
                    ++i;
                }
            }
        }
        // Length modifiers.
        while (i < n) {
            const char m = format[i];
            if (m == 'h') {
                fieldFormat.lengthBits = fieldFormat.lengthBits == 16 ? 8 : 16;
                ++i;
            } else if (m == 'l' || m == 'q' || m == 'j' || m == 'z' || m == 't' || m == 'L') {
                fieldFormat.lengthBits = 64;
                ++i;
            } else if (m == 'I') {
                if (format.substr(i, 3) == "I64") {
                    fieldFormat.lengthBits = 64;
                    i += 3;
                } else if (format.substr(i, 3) == "I32") {
                    fieldFormat.lengthBits = 32;
                    i += 3;
                } else {
                    fieldFormat.lengthBits = 64;
                    ++i;
                }
            } else {
                break;
            }
        }
        if (i >= n) {
            out.append(format.substr(specStart));
            break;
        }
        fieldFormat.conv = format[i++];
        switch (fieldFormat.conv) {
            case 'd':
            case 'i':
            case 'u':
            case 'o':
            case 'x':
            case 'X':
                FormatInteger(out, fieldFormat, cursor.Next());
                break;
            case 'p': {
                FieldFormat ps = fieldFormat;
                ps.lengthBits = 64;
                ps.precision = 8;
                FormatInteger(out, ps, cursor.Next());
                break;
            }
            case 'f':
            case 'F':
            case 'e':
            case 'E':
            case 'g':
            case 'G':
            case 'a':
            case 'A':
                FormatFloating(out, fieldFormat, cursor.Next());
                break;
            case 's':
            case 'S':
                FormatText(out, fieldFormat, cursor.Next());
                break;
            case 'c':
            case 'C':
                FormatChar(out, fieldFormat, cursor.Next());
                break;
            case 'n':
                cursor.Next();
                break;
            default:
                // Unknown conversion: keep the text as written.
                out.append(format.substr(specStart, i - specStart));
                break;
        }
    }
}

}  // namespace kq
