#include "platform/base/WideText.h"

#include <cstring>
#include <string>
#include <string_view>

#include "platform/base/LastError.h"
#include "platform/base/Utf16.h"

namespace {

bool IsUtf8CodePage(UINT codePage) {
    return codePage == CP_ACP || codePage == CP_THREAD_ACP || codePage == CP_UTF8;
}

// The common argument checks; false (with the last error set) when the call must fail.
bool ValidArguments(UINT codePage, DWORD flags, const void* in, int length, const void* out,
                    int outSize) {
    if (!IsUtf8CodePage(codePage) || !in || length == 0 || length < -1 || outSize < 0 ||
        (outSize > 0 && !out)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return false;
    }
    if (flags != 0) {
        SetLastError(ERROR_INVALID_FLAGS);
        return false;
    }
    return true;
}

size_t WideLength(LPCWSTR wide) {
    size_t n = 0;
    while (wide[n] != 0)
        ++n;
    return n;
}

// UTF-16 units as the little-endian byte string the UTF-16 conversions take.
std::string ToUtf16Le(LPCWSTR wide, size_t count) {
    std::string bytes;
    bytes.reserve(count * 2);
    for (size_t i = 0; i < count; ++i) {
        bytes += static_cast<char>(wide[i] & 0xFF);
        bytes += static_cast<char>(wide[i] >> 8);
    }
    return bytes;
}

// The size needed, or 0 with ERROR_INSUFFICIENT_BUFFER; the caller copies when it fits.
int CheckedSize(size_t needed, int outSize) {
    if (outSize != 0 && needed > static_cast<size_t>(outSize)) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return 0;
    }
    return static_cast<int>(needed);
}

}  // namespace

namespace kq {

std::string WideToUtf8(std::u16string_view wide) {
    return Utf16LeToUtf8(ToUtf16Le(wide.data(), wide.size()));
}

std::u16string Utf8ToWide(std::string_view text) {
    const std::string utf16 = Utf8ToUtf16Le(text);
    std::u16string wide(utf16.size() / 2, u'\0');
    for (size_t i = 0; i < wide.size(); ++i) {
        wide[i] = static_cast<char16_t>(static_cast<unsigned char>(utf16[2 * i]) |
                                        (static_cast<unsigned char>(utf16[2 * i + 1]) << 8));
    }
    return wide;
}

}  // namespace kq

int MultiByteToWideChar(UINT codePage, DWORD flags, LPCSTR text, int length, LPWSTR wide,
                        int wideSize) {
    if (!ValidArguments(codePage, flags, text, length, wide, wideSize))
        return 0;
    // With -1 the terminator is part of the input and so comes out converted as well.
    const size_t bytes = length == -1 ? std::strlen(text) + 1 : static_cast<size_t>(length);
    const std::u16string converted = kq::Utf8ToWide(std::string_view(text, bytes));
    const int result = CheckedSize(converted.size(), wideSize);
    if (result == 0 || wideSize == 0)
        return result;
    std::memcpy(wide, converted.data(), converted.size() * sizeof(WCHAR));
    return result;
}

int WideCharToMultiByte(UINT codePage, DWORD flags, LPCWSTR wide, int length, LPSTR text,
                        int textSize, LPCSTR defaultChar, LPBOOL usedDefaultChar) {
    if (!ValidArguments(codePage, flags, wide, length, text, textSize))
        return 0;
    if (codePage == CP_UTF8 && (defaultChar || usedDefaultChar)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    const size_t units = length == -1 ? WideLength(wide) + 1 : static_cast<size_t>(length);
    const std::string utf8 = kq::WideToUtf8(std::u16string_view(wide, units));
    const int result = CheckedSize(utf8.size(), textSize);
    if (usedDefaultChar)
        *usedDefaultChar = FALSE;
    if (result == 0 || textSize == 0)
        return result;
    std::memcpy(text, utf8.data(), utf8.size());
    return result;
}
