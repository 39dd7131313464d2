// Big-endian packing of the protocol's multi-byte fields: most significant byte first.
#pragma once

#include <cstdint>
#include <string>

namespace tarvik {

inline uint16_t GetU16(const uint8_t* p) {
    return static_cast<uint16_t>((p[0] << 8) | p[1]);
}
inline uint32_t GetU32(const uint8_t* p) {
    return (static_cast<uint32_t>(p[0]) << 24) | (static_cast<uint32_t>(p[1]) << 16) |
           (static_cast<uint32_t>(p[2]) << 8) | static_cast<uint32_t>(p[3]);
}
inline int32_t GetI32(const uint8_t* p) {
    return static_cast<int32_t>(GetU32(p));
}

inline void PutU16(uint8_t* p, uint16_t v) {
    p[0] = static_cast<uint8_t>(v >> 8);
    p[1] = static_cast<uint8_t>(v);
}
inline void PutU32(uint8_t* p, uint32_t v) {
    p[0] = static_cast<uint8_t>(v >> 24);
    p[1] = static_cast<uint8_t>(v >> 16);
    p[2] = static_cast<uint8_t>(v >> 8);
    p[3] = static_cast<uint8_t>(v);
}
inline void PutI32(uint8_t* p, int32_t v) {
    PutU32(p, static_cast<uint32_t>(v));
}

// Appending forms, for building payloads.
inline void AppendU8(std::string& out, uint8_t v) {
    out.push_back(static_cast<char>(v));
}
inline void AppendU16(std::string& out, uint16_t v) {
    uint8_t b[2];
    PutU16(b, v);
    out.append(reinterpret_cast<const char*>(b), 2);
}
inline void AppendU32(std::string& out, uint32_t v) {
    uint8_t b[4];
    PutU32(b, v);
    out.append(reinterpret_cast<const char*>(b), 4);
}
inline void AppendI32(std::string& out, int32_t v) {
    AppendU32(out, static_cast<uint32_t>(v));
}

}  // namespace tarvik
