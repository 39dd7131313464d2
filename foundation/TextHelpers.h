// Small text helpers of the log and the diagnostic texts: padding, byte dumps, number texts
// without trailing zeros and removing a character. The environment record offers them under its
// own name (CEnvironment::DumpBytes).
#pragma once

#include "platform/base/CString.h"

class TextHelpers {
  public:
    // Appends blanks until the text is width characters long.
    static void PadWithBlanks(CString& text, int width);
    // Each byte as "%2x|" (mode 0) or, in mode 1, as "%2c|" when printable and "00|" otherwise;
    // a newline at the end when asked.
    static CString DumpBytes(const CString& bytes, int mode, bool trailingNewline);
    // Drops trailing '0' after a '.', and the '.' when nothing follows it. Texts without '.' stay.
    static CString StripTrailingZeros(const CString& numberText);
    // Removes every occurrence of ch; whether there was one.
    static bool RemoveAllChars(CString& text, char ch);
};
