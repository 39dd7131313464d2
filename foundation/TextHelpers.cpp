#include <cctype>
#include <cstring>

#include "foundation/TextHelpers.h"

void TextHelpers::PadWithBlanks(CString& text, int width) {
    if (text.GetLength() < width)
        text += CString(' ', width - text.GetLength());
}

CString TextHelpers::DumpBytes(const CString& bytes, int mode, bool trailingNewline) {
    CString out;
    for (int i = 0; i < bytes.GetLength(); ++i) {
        const unsigned char b = static_cast<unsigned char>(bytes.GetAt(i));
        if (mode == 0) {
            out.AppendFormat("%2x|", b);
        } else if (std::isprint(b)) {
            out.AppendFormat("%2c|", static_cast<char>(b));
        } else {
            out += "00|";
        }
    }
    if (trailingNewline)
        out += '\n';
    return out;
}

CString TextHelpers::StripTrailingZeros(const CString& numberText) {
    if (numberText.Find('.') < 0)
        return numberText;
    CString text(numberText);
    text.TrimRight('0');
    if (text.Right(1) == ".")
        text.Truncate(text.GetLength() - 1);
    return text;
}

bool TextHelpers::RemoveAllChars(CString& text, char ch) {
    return text.Remove(ch) > 0;
}
