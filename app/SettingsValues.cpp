#include "app/SettingsValues.h"

#include <cstring>

#include "foundation/Environment.h"
#include "foundation/Language.h"

void ViewStateRecord::Seal() {
    CEnvironment::StructChecksum(this, sizeof(*this), &size, &byteSum, &runningSum, 1);
}

std::array<uint8_t, 72> ViewStateRecord::ToBytes() const {
    std::array<uint8_t, 72> bytes{};
    uint32_t values[18];
    for (int i = 0; i < 7; ++i)
        values[i] = static_cast<uint32_t>(folderState[i]);
    for (int i = 0; i < 8; ++i)
        values[7 + i] = static_cast<uint32_t>(checkState[i]);
    values[15] = size;
    values[16] = byteSum;
    values[17] = runningSum;
    for (size_t i = 0; i < 18; ++i) {
        for (size_t b = 0; b < 4; ++b)
            bytes[i * 4 + b] = static_cast<uint8_t>(values[i] >> (8 * b));
    }
    return bytes;
}

CString PortEntryName(int index, const char* stem) {
    CString name;
    name.Format("%3d_", index);
    name.Replace(" ", "0");
    return name + stem;
}

int MapLanguageOffset(int requested) {
    if (requested == LANGUAGE_GERMAN || requested == LANGUAGE_ENGLISH)
        return requested;
    if (requested == LANGUAGE_FRENCH_OLD)
        return LANGUAGE_FRENCH;
    return LANGUAGE_ENGLISH;
}

int StoredLanguageOffset(int offset) {
    return offset == LANGUAGE_FRENCH ? LANGUAGE_FRENCH_OLD : offset;
}

CString SettingsVersionText(const char* version) {
    CString text(version);
    text.Trim();
    return text.SpanIncluding(".0123456789");
}

void DecodeViewUseShowWindow(int value, BOOL& first, BOOL& second) {
    first = (value & 1) != 0;
    second = value > 1;
}

int EncodeViewUseShowWindow(BOOL first, BOOL second) {
    return (second ? 2 : 0) + (first ? 1 : 0);
}
