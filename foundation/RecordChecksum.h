// The size and check sums that guard a settings record stored as one binary value. The
// environment record offers them under its own name (CEnvironment::StructChecksum).
#pragma once

#include <cstddef>

#include "platform/base/WinTypes.h"

class RecordChecksum {
  public:
    // Size and check sums of a settings record. The record holds three 4-byte fields (size, byte
    // sum, sum of the running sums) that the sums skip. Mode 1 stores them; mode 0 compares and
    // returns whether they match.
    static BOOL StructChecksum(void* record, size_t length, DWORD* sizeField, DWORD* sumField,
                               DWORD* weightedSumField, int mode);
};
