// The values the main frame keeps in the settings store, and how they are named and coded there:
// pure functions, free of windows and of the store itself.
#pragma once

#include <array>
#include <cstdint>

#include "platform/base/CString.h"

// The view-state record: folder states 0-6 of the navigation tree, the display choices 0-7
// (channels A-D, light view, diagram, navigation bar, status bar), then size, byte sum and sum
// of the running sums. Stored as 18 little-endian 32-bit values.
struct ViewStateRecord {
    int32_t folderState[7] = {1, 1, 1, 1, 1, 1, 1};
    int32_t checkState[8] = {3, 3, 3, 3, 3, 1, 1, 1};
    uint32_t size = 0;
    uint32_t byteSum = 0;
    uint32_t runningSum = 0;

    // Fills size and sums.
    void Seal();
    std::array<uint8_t, 72> ToBytes() const;
};
static_assert(sizeof(ViewStateRecord) == 72, "the stored record is 18 32-bit values");

// Entry names of the port list: "%3d_" with leading zeros, then the stem ("Name", "Disabled",
// "Baudrate", "State  ID").
CString PortEntryName(int index, const char* stem);

// A stored or requested language becomes the offset held in memory: 0 and 1000 stay, 2000 is
// held as the revised French block 4000, anything else becomes English.
int MapLanguageOffset(int requested);
// The offset as stored: 4000 is written as 2000.
int StoredLanguageOffset(int offset);

// The settings version to write and compare: trimmed and cut to its leading run of
// ".0123456789".
CString SettingsVersionText(const char* version);

// "ViewUseShowWindow": bit 0 the first flag, a value above 1 the second.
void DecodeViewUseShowWindow(int value, BOOL& first, BOOL& second);
int EncodeViewUseShowWindow(BOOL first, BOOL second);
