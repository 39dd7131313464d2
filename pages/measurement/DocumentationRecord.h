// The documentation record: how measured values, results and diagrams are stored and how the
// exported text is laid out. Stored as 60 little-endian bytes whose last three fields seal it; a
// stored blob is taken only when it has that size, valid sums and values in range.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "platform/base/CString.h"

struct DocumentationRecord {
    static constexpr size_t kSize = 60;
    enum StorageMode : int32_t { kNone = 0, kIndexedName = 1, kConstantName = 2 };

    int32_t measuredValueMode = kNone;
    int32_t resultMode = kNone;
    int32_t diagramMode = kNone;
    int32_t storageSelection = 0;  // -1 not set up, else the measured-value mode
    uint8_t showUnits = 1;
    uint8_t padding[3] = {};
    int32_t columnSeparator = 1;  // 0 tab, 1 ';', 2 ',', 3 '.', 4 blank
    int32_t lineEnd = 0;          // 0 "\r\n", 1 "\n\r", 2 "\r", 3 "\n"
    int32_t decimalSeparator = ',';
    int32_t exportSize = 2;  // 0-4
    uint8_t reserved[12] = {};
    uint32_t size = 0;
    uint32_t byteSum = 0;
    uint32_t runningSum = 0;

    // The defaults of a language (decimal '.' in English, ',' otherwise), sealed.
    static DocumentationRecord Defaults(int languageOffset);
    // Takes a stored blob when it is exactly 60 bytes with valid sums and every value in range;
    // otherwise the defaults. Says whether the blob was taken.
    static bool FromBytes(const uint8_t* bytes, size_t length, int languageOffset,
                          DocumentationRecord& out);
    std::array<uint8_t, kSize> ToBytes() const;
    void Seal();
    bool IsInRange() const;

    // The texts the codes stand for.
    CString ColumnSeparatorText() const;
    CString LineEndText() const;
    char DecimalSeparatorChar() const { return static_cast<char>(decimalSeparator); }
    // The separator clash that would make the exported numbers unreadable.
    bool SeparatorsClash() const;
};
static_assert(sizeof(DocumentationRecord) == DocumentationRecord::kSize);
static_assert(offsetof(DocumentationRecord, storageSelection) == 12);
static_assert(offsetof(DocumentationRecord, showUnits) == 16);
static_assert(offsetof(DocumentationRecord, columnSeparator) == 20);
static_assert(offsetof(DocumentationRecord, decimalSeparator) == 28);
static_assert(offsetof(DocumentationRecord, exportSize) == 32);
static_assert(offsetof(DocumentationRecord, size) == 48);
static_assert(offsetof(DocumentationRecord, runningSum) == 56);
