// One protocol frame and the check that guards it.
//
//   STX ADR1 ADR2 LEN CODE DATA... CK1 CK2      (LEN = 1 + number of DATA bytes, 1..250)
//
// CK1 is the byte sum and CK2 the sum of the running byte sums over ADR1..last DATA byte; the
// memory blocks use the same two sums for their own check bytes.
#pragma once

#include <cstdint>
#include <string_view>

#include "platform/base/CString.h"
#include "protocol/Protocol.h"

namespace tarvik {

struct CheckBytes {
    uint8_t first = 0;
    uint8_t second = 0;
    friend bool operator==(const CheckBytes&, const CheckBytes&) = default;
};

CheckBytes ComputeCheckBytes(const uint8_t* data, size_t size);

struct Frame {
    uint8_t address1 = 0;
    uint8_t address2 = 0;
    uint8_t code = 0;
    uint8_t size = 0;  // number of DATA bytes
    uint8_t data[kMaxData] = {};

    std::string_view Data() const { return {reinterpret_cast<const char*>(data), size}; }
    // Replaces the data; false (and the frame untouched) when it does not fit.
    bool SetData(std::string_view bytes);
};

// Builds the bytes of a frame; empty when the data are longer than a frame can carry.
CString BuildFrame(uint8_t address1, uint8_t address2, uint8_t code, std::string_view data);
CString BuildFrame(const Frame& frame);

}  // namespace tarvik
