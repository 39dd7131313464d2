// Raster operations: the sixteen binary mixes of a pen or brush with the destination, and the
// 256 ternary operations of pattern, source and destination, each evaluated from its code.
#pragma once

#include <cstdint>

namespace kq::gfx {

// The binary mix R2_* (1..16) of pen value p and destination d.
uint32_t Rop2(int rop2, uint32_t p, uint32_t d);
// Mixes one pen value into n destination pixels.
void Rop2Span(int rop2, uint32_t p, uint32_t* dst, int n);

// Evaluates a ternary operation over a row. src and pat may be null when the operation does
// not use them. SRCCOPY copies whole pixels (top byte included); every other operation leaves
// the top byte 0.
using Rop3RowFn = void (*)(uint32_t* dst, const uint32_t* src, const uint32_t* pat, int n);
Rop3RowFn Rop3Row(uint8_t index);

constexpr uint8_t Rop3Index(uint32_t rop) {
    return static_cast<uint8_t>((rop >> 16) & 0xFF);
}
constexpr bool Rop3UsesSource(uint8_t i) {
    return (((i >> 2) ^ i) & 0x33) != 0;
}
constexpr bool Rop3UsesPattern(uint8_t i) {
    return (((i >> 4) ^ i) & 0x0F) != 0;
}
constexpr bool Rop3UsesDest(uint8_t i) {
    return (((i >> 1) ^ i) & 0x55) != 0;
}
// Whether mixing the same pen twice gives the same as once (then overlapping parts of a shape
// may be painted more than once).
bool Rop2Idempotent(int rop2);

}  // namespace kq::gfx
