// Little-endian field access and bounds arithmetic shared by the image codecs. Every offset a
// file declares goes through RangeFits before anything is read there.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace kq::gfx {

// Whether [offset, offset + count) lies inside a buffer of total bytes, without overflow.
constexpr bool RangeFits(uint64_t total, uint64_t offset, uint64_t count) {
    return offset <= total && count <= total - offset;
}

inline uint16_t Le16(const uint8_t* p) {
    return static_cast<uint16_t>(p[0] | (p[1] << 8));
}
inline uint32_t Le32(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
           (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
}
inline int32_t LeI32(const uint8_t* p) {
    return static_cast<int32_t>(Le32(p));
}
inline int16_t LeI16(const uint8_t* p) {
    return static_cast<int16_t>(Le16(p));
}

inline void PutLe16(std::vector<uint8_t>& out, uint32_t v) {
    out.push_back(static_cast<uint8_t>(v));
    out.push_back(static_cast<uint8_t>(v >> 8));
}
inline void PutLe32(std::vector<uint8_t>& out, uint32_t v) {
    PutLe16(out, v & 0xFFFF);
    PutLe16(out, v >> 16);
}

}  // namespace kq::gfx
