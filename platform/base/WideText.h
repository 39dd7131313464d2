// UTF-16 text as the wide-character functions take it, and the conversions between it and the
// program's UTF-8 text. Every narrow code page a caller can name (the ANSI page, the thread's
// page, UTF-8) is UTF-8 here, so conversions never lose a character of valid text.
#pragma once

#include <string>
#include <string_view>

#include "platform/base/WinTypes.h"

using WCHAR = char16_t;
using LPWSTR = WCHAR*;
using LPCWSTR = const WCHAR*;
using LPBOOL = BOOL*;

constexpr UINT CP_ACP = 0;
constexpr UINT CP_THREAD_ACP = 3;
constexpr UINT CP_UTF8 = 65001;

// Length -1: the text up to and including its terminator, which is converted too. An output
// size of 0: nothing is written and the size needed is returned. Otherwise the number of units
// (bytes) written, or 0 with ERROR_INSUFFICIENT_BUFFER when they do not fit (the buffer's
// contents are then unspecified). Other failures give 0 with ERROR_INVALID_PARAMETER (null
// text, length 0 or below -1, negative output size, an output size without a buffer, a code
// page other than the three above) or ERROR_INVALID_FLAGS (flags other than 0). Malformed input
// becomes U+FFFD.
int MultiByteToWideChar(UINT codePage, DWORD flags, LPCSTR text, int length, LPWSTR wide,
                        int wideSize);
// As above in the other direction. With CP_UTF8 the default-character arguments must be null,
// as Windows requires; with the ANSI pages a given *usedDefaultChar is set to FALSE, since
// UTF-8 can write every character.
int WideCharToMultiByte(UINT codePage, DWORD flags, LPCWSTR wide, int length, LPSTR text,
                        int textSize, LPCSTR defaultChar, LPBOOL usedDefaultChar);

namespace kq {

// The same conversions for code that holds the text itself; malformed input becomes U+FFFD.
std::string WideToUtf8(std::u16string_view wide);
std::u16string Utf8ToWide(std::string_view text);

}  // namespace kq
