// The environment record of the application: who and where it runs, the screen, the separators
// of the user's language, and the settings helpers around them. The main frame derives from it.
#pragma once

#include <cstddef>

#include "platform/base/CString.h"
#include "platform/base/WinTypes.h"

class CEnvironment {
  public:
    CEnvironment() = default;
    virtual ~CEnvironment() = default;

    // Text helpers.
    // Appends blanks until the text is width characters long.
    static void PadWithBlanks(CString& text, int width);
    // Each byte as "%2x|" (mode 0) or, in mode 1, as "%2c|" when printable and "00|" otherwise;
    // a newline at the end when asked.
    static CString DumpBytes(const CString& bytes, int mode, bool trailingNewline);
    // Drops trailing '0' after a '.', and the '.' when nothing follows it. Texts without '.' stay.
    static CString StripTrailingZeros(const CString& numberText);
    // Removes every occurrence of ch; whether there was one.
    static bool RemoveAllChars(CString& text, char ch);

    // Size and check sums of a settings record. The record holds three 4-byte fields (size, byte
    // sum, sum of the running sums) that the sums skip. Mode 1 stores them; mode 0 compares and
    // returns whether they match.
    static BOOL StructChecksum(void* record, size_t length, DWORD* sizeField, DWORD* sumField,
                               DWORD* weightedSumField, int mode);
};
