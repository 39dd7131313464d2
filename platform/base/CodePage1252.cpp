// Code page 1252 is Latin-1 but for the row 0x80–0x9F, which holds typographic marks instead of
// control characters; that row is the one table here.
#include "platform/base/CodePage1252.h"
#include "platform/base/Cp1252Fit.h"

#include <array>

#include "platform/base/Utf8.h"

namespace kq {

namespace {

constexpr char32_t kUnassigned = 0;

// 0x80 to 0x9F.
constexpr std::array<char32_t, 32> kHighRow = {
    0x20AC,      kUnassigned, 0x201A, 0x0192, 0x201E, 0x2026,      0x2020, 0x2021,
    0x02C6,      0x2030,      0x0160, 0x2039, 0x0152, kUnassigned, 0x017D, kUnassigned,
    kUnassigned, 0x2018,      0x2019, 0x201C, 0x201D, 0x2022,      0x2013, 0x2014,
    0x02DC,      0x2122,      0x0161, 0x203A, 0x0153, kUnassigned, 0x017E, 0x0178};

char32_t CharacterOf(unsigned char byte) {
    if (byte >= 0x80 && byte <= 0x9F) {
        const char32_t cp = kHighRow[byte - 0x80];
        return cp == kUnassigned ? kReplacementCharacter : cp;
    }
    return byte;
}

char ByteOf(char32_t cp) {
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) {
        return static_cast<char>(cp);
    }
    for (size_t i = 0; i < kHighRow.size(); ++i) {
        if (kHighRow[i] == cp && cp != kUnassigned) {
            return static_cast<char>(0x80 + i);
        }
    }
    return '?';
}

}  // namespace

std::string Utf8ToCp1252(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    for (size_t offset = 0; offset < utf8.size();) {
        const unsigned char lead = static_cast<unsigned char>(utf8[offset]);
        if (lead < 0x80) {
            out.push_back(static_cast<char>(lead));
            ++offset;
            continue;
        }
        const CodePoint cp = DecodeUtf8At(utf8, offset);
        out.push_back(ByteOf(cp.value));
        offset += static_cast<size_t>(cp.length);
    }
    return out;
}

bool KeepCp1252Characters(std::string& utf8) {
    std::string kept;
    kept.reserve(utf8.size());
    for (size_t offset = 0; offset < utf8.size();) {
        const CodePoint cp = DecodeUtf8At(utf8, offset);
        const bool held =
            cp.value != kReplacementCharacter && (cp.value == '?' || ByteOf(cp.value) != '?');
        if (held)
            kept.append(utf8, offset, static_cast<size_t>(cp.length));
        offset += static_cast<size_t>(cp.length);
    }
    const bool removed = kept.size() != utf8.size();
    utf8.swap(kept);
    return removed;
}

std::string Cp1252ToUtf8(std::string_view cp1252) {
    std::string out;
    out.reserve(cp1252.size() + cp1252.size() / 8);
    for (const char c : cp1252) {
        const unsigned char byte = static_cast<unsigned char>(c);
        if (byte < 0x80) {
            out.push_back(c);
        } else {
            AppendUtf8(out, CharacterOf(byte));
        }
    }
    return out;
}

bool FitsCp1252(std::string_view utf8) {
    for (const CodePoint& cp : DecodeUtf8(utf8)) {
        if (cp.value == kReplacementCharacter || (cp.value != '?' && ByteOf(cp.value) == '?'))
            return false;
    }
    return true;
}

}  // namespace kq
