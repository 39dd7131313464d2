#include <cctype>
#include <cstring>

#include "foundation/Environment.h"

void CEnvironment::PadWithBlanks(CString& text, int width) {
    if (text.GetLength() < width)
        text += CString(' ', width - text.GetLength());
}

CString CEnvironment::DumpBytes(const CString& bytes, int mode, bool trailingNewline) {
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

CString CEnvironment::StripTrailingZeros(const CString& numberText) {
    if (numberText.Find('.') < 0)
        return numberText;
    CString text(numberText);
    text.TrimRight('0');
    if (text.Right(1) == ".")
        text.Truncate(text.GetLength() - 1);
    return text;
}

bool CEnvironment::RemoveAllChars(CString& text, char ch) {
    return text.Remove(ch) > 0;
}

BOOL CEnvironment::StructChecksum(void* record, size_t length, DWORD* sizeField, DWORD* sumField,
                                  DWORD* weightedSumField, int mode) {
    if (!record || !sizeField || !sumField || !weightedSumField)
        return FALSE;
    const auto* bytes = static_cast<const unsigned char*>(record);
    auto inField = [bytes](size_t i, const DWORD* field) {
        const auto* f = reinterpret_cast<const unsigned char*>(field);
        return bytes + i >= f && bytes + i < f + sizeof(DWORD);
    };
    DWORD sum = 0;
    DWORD weighted = 0;
    for (size_t i = 0; i < length; ++i) {
        if (inField(i, sizeField) || inField(i, sumField) || inField(i, weightedSumField))
            continue;
        sum += bytes[i];
        weighted += sum;
    }
    if (mode == 1) {
        *sizeField = static_cast<DWORD>(length);
        *sumField = sum;
        *weightedSumField = weighted;
        return TRUE;
    }
    return *sizeField == length && *sumField == sum && *weightedSumField == weighted;
}
