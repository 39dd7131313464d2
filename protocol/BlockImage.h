// The 64-byte image of one memory block as the sensor keeps it: bytes 0..61 carry the block
// number, the layout byte and the fields; bytes 62 and 63 are the block's check bytes.
#pragma once

#include <cstdint>
#include <string_view>

#include "protocol/Frame.h"
#include "protocol/Protocol.h"

namespace tarvik {

struct BlockImage {
    uint8_t bytes[kBlockSize] = {};

    // Copies exactly one block's bytes; false for any other length.
    static bool FromBytes(std::string_view data, BlockImage& image);
    std::string_view View() const { return {reinterpret_cast<const char*>(bytes), kBlockSize}; }

    int Number() const { return bytes[0]; }

    CheckBytes ComputedCheckBytes() const;
    CheckBytes StoredCheckBytes() const { return {bytes[62], bytes[63]}; }
    // Fresh check bytes over the current content.
    void SetCheckBytes();
    // Check bytes that the sensor must reject: each computed byte minus 0x33. Writing a
    // calibration block this way makes the sensor fall back to the calibration below it.
    void InvalidateCheckBytes();
    bool HasCorrectCheckBytes() const { return StoredCheckBytes() == ComputedCheckBytes(); }
    bool IsInvalidated() const;

    // The validity rule: the block carries its own number, a layout byte and correct check
    // bytes. An erased block (all 0x00 or all 0xFF) is therefore never valid.
    bool IsValidFor(int number) const;

    friend bool operator==(const BlockImage&, const BlockImage&) = default;
};

// Name of a block by index 0..7 ("" for any other index).
const char* BlockName(int index);

}  // namespace tarvik
