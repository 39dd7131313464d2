#include "platform/gfx/Rop.h"

#include <array>
#include <cstring>
#include <utility>

namespace kq::gfx {

namespace {

constexpr uint32_t kColorMask = 0x00FFFFFFu;

template <int R>
inline uint32_t Rop2T(uint32_t p, uint32_t d) {
    if constexpr (R == 1)
        return 0;
    else if constexpr (R == 2)
        return ~(p | d);
    else if constexpr (R == 3)
        return d & ~p;
    else if constexpr (R == 4)
        return ~p;
    else if constexpr (R == 5)
        return p & ~d;
    else if constexpr (R == 6)
        return ~d;
    else if constexpr (R == 7)
        return p ^ d;
    else if constexpr (R == 8)
        return ~(p & d);
    else if constexpr (R == 9)
        return p & d;
    else if constexpr (R == 10)
        return ~(p ^ d);
    else if constexpr (R == 11)
        return d;
    else if constexpr (R == 12)
        return d | ~p;
    else if constexpr (R == 13)
        return p;
    else if constexpr (R == 14)
        return p | ~d;
    else if constexpr (R == 15)
        return p | d;
    else
        return 0xFFFFFFFFu;
}

template <int R>
void Rop2SpanT(uint32_t p, uint32_t* dst, int n) {
    for (int i = 0; i < n; ++i)
        dst[i] = Rop2T<R>(p, dst[i]) & kColorMask;
}

template <uint8_t C>
inline uint32_t Rop3T(uint32_t p, uint32_t s, uint32_t d) {
    uint32_t r = 0;
    if constexpr ((C & 0x01) != 0)
        r |= ~p & ~s & ~d;
    if constexpr ((C & 0x02) != 0)
        r |= ~p & ~s & d;
    if constexpr ((C & 0x04) != 0)
        r |= ~p & s & ~d;
    if constexpr ((C & 0x08) != 0)
        r |= ~p & s & d;
    if constexpr ((C & 0x10) != 0)
        r |= p & ~s & ~d;
    if constexpr ((C & 0x20) != 0)
        r |= p & ~s & d;
    if constexpr ((C & 0x40) != 0)
        r |= p & s & ~d;
    if constexpr ((C & 0x80) != 0)
        r |= p & s & d;
    return r;
}

template <uint8_t C>
void Rop3RowT(uint32_t* dst, const uint32_t* src, const uint32_t* pat, int n) {
    for (int i = 0; i < n; ++i) {
        const uint32_t p = pat ? pat[i] : 0;
        const uint32_t s = src ? src[i] : 0;
        dst[i] = Rop3T<C>(p, s, dst[i]) & kColorMask;
    }
}

void CopySourceRow(uint32_t* dst, const uint32_t* src, const uint32_t*, int n) {
    std::memmove(dst, src, static_cast<size_t>(n) * 4);
}

void CopyPatternRow(uint32_t* dst, const uint32_t*, const uint32_t* pat, int n) {
    for (int i = 0; i < n; ++i)
        dst[i] = pat[i] & kColorMask;
}

void SrcPaintRow(uint32_t* dst, const uint32_t* src, const uint32_t*, int n) {
    for (int i = 0; i < n; ++i)
        dst[i] = (dst[i] | src[i]) & kColorMask;
}

void SrcAndRow(uint32_t* dst, const uint32_t* src, const uint32_t*, int n) {
    for (int i = 0; i < n; ++i)
        dst[i] = (dst[i] & src[i]) & kColorMask;
}

void SrcInvertRow(uint32_t* dst, const uint32_t* src, const uint32_t*, int n) {
    for (int i = 0; i < n; ++i)
        dst[i] = (dst[i] ^ src[i]) & kColorMask;
}

template <size_t... I>
constexpr std::array<Rop3RowFn, 256> MakeRowTable(std::index_sequence<I...>) {
    return {&Rop3RowT<static_cast<uint8_t>(I)>...};
}

template <size_t... I>
constexpr std::array<uint32_t (*)(uint32_t, uint32_t, uint32_t), 256> MakeEvalTable(
    std::index_sequence<I...>) {
    return {&Rop3T<static_cast<uint8_t>(I)>...};
}

std::array<Rop3RowFn, 256> BuildRowTable() {
    auto t = MakeRowTable(std::make_index_sequence<256>());
    t[0xCC] = &CopySourceRow;
    t[0xF0] = &CopyPatternRow;
    t[0xEE] = &SrcPaintRow;
    t[0x88] = &SrcAndRow;
    t[0x66] = &SrcInvertRow;
    return t;
}

}  // namespace

uint32_t Rop2(int rop2, uint32_t p, uint32_t d) {
    uint32_t v = d;
    Rop2Span(rop2, p, &v, 1);
    return v;
}

void Rop2Span(int rop2, uint32_t p, uint32_t* dst, int n) {
    switch (rop2) {
        case 1:
            return Rop2SpanT<1>(p, dst, n);
        case 2:
            return Rop2SpanT<2>(p, dst, n);
        case 3:
            return Rop2SpanT<3>(p, dst, n);
        case 4:
            return Rop2SpanT<4>(p, dst, n);
        case 5:
            return Rop2SpanT<5>(p, dst, n);
        case 6:
            return Rop2SpanT<6>(p, dst, n);
        case 7:
            return Rop2SpanT<7>(p, dst, n);
        case 8:
            return Rop2SpanT<8>(p, dst, n);
        case 9:
            return Rop2SpanT<9>(p, dst, n);
        case 10:
            return Rop2SpanT<10>(p, dst, n);
        case 11:
            return;
        case 12:
            return Rop2SpanT<12>(p, dst, n);
        case 14:
            return Rop2SpanT<14>(p, dst, n);
        case 15:
            return Rop2SpanT<15>(p, dst, n);
        case 16:
            return Rop2SpanT<16>(p, dst, n);
        default:
            for (int i = 0; i < n; ++i)
                dst[i] = p & kColorMask;
            return;
    }
}

bool Rop2Idempotent(int rop2) {
    switch (rop2) {
        case 1:   // black
        case 4:   // not pen
        case 9:   // pen and dest
        case 11:  // nop
        case 13:  // pen
        case 15:  // pen or dest
        case 16:  // white
            return true;
        default:
            return false;
    }
}

Rop3RowFn Rop3Row(uint8_t index) {
    static const std::array<Rop3RowFn, 256> table = BuildRowTable();
    return table[index];
}

}  // namespace kq::gfx
