// Unpacking of uncompressed DIB rows at every depth.
#include <bit>

#include "platform/gfx/codec/DibLayout.h"
#include "platform/gfx/codec/LittleEndian.h"

namespace kq::gfx {

namespace {

// One colour channel of a bit-field pixel, scaled to eight bits.
class Channel {
  public:
    explicit Channel(uint32_t mask)
        : mask_(mask),
          shift_(mask ? std::countr_zero(mask) : 0),
          bits_(std::popcount(mask)),
          max_(bits_ > 0 && bits_ < 32 ? (1u << bits_) - 1 : 0xFFFFFFFFu) {}

    bool Present() const { return bits_ > 0; }

    uint32_t Extract(uint32_t pixel) const {
        if (bits_ == 0) {
            return 0;
        }
        const uint32_t value = (pixel & mask_) >> shift_;
        if (bits_ >= 8) {
            return value >> (bits_ - 8);
        }
        return (value * 255 + max_ / 2) / max_;
    }

  private:
    uint32_t mask_;
    int shift_;
    int bits_;
    uint32_t max_;
};

bool UnpackIndexed(const DibFileLayout& layout, const uint8_t* row, uint32_t* out,
                   std::string& error) {
    const int bits = layout.bitCount;
    const uint32_t perByte = 8 / bits;
    const uint32_t valueMask = (1u << bits) - 1;
    const size_t paletteSize = layout.palette.size();
    for (int x = 0; x < layout.width; ++x) {
        const uint8_t byte = row[x / perByte];
        const int shift = 8 - bits * static_cast<int>(x % perByte + 1);
        const uint32_t index = (byte >> shift) & valueMask;
        if (index >= paletteSize) {
            error = "pixel refers to a colour the palette does not have";
            return false;
        }
        out[x] = layout.palette[index];
    }
    return true;
}

void UnpackMasked(const DibFileLayout& layout, const uint8_t* row, uint32_t* out) {
    const Channel red(layout.masks[0]);
    const Channel green(layout.masks[1]);
    const Channel blue(layout.masks[2]);
    const Channel alpha(layout.masks[3]);
    const int bytes = layout.bitCount / 8;
    for (int x = 0; x < layout.width; ++x) {
        const uint8_t* p = row + static_cast<size_t>(x) * bytes;
        const uint32_t v = bytes == 2 ? Le16(p) : Le32(p);
        out[x] = MakeArgb(alpha.Present() ? alpha.Extract(v) : 0xFF, red.Extract(v),
                          green.Extract(v), blue.Extract(v));
    }
}

void Unpack24(const DibFileLayout& layout, const uint8_t* row, uint32_t* out) {
    for (int x = 0; x < layout.width; ++x) {
        const uint8_t* p = row + static_cast<size_t>(x) * 3;
        out[x] = MakeArgb(0xFF, p[2], p[1], p[0]);
    }
}

}  // namespace

bool DecodeDibBits(const DibFileLayout& layout, std::span<const uint8_t> bits, Image& out,
                   std::string& error) {
    if (layout.compression == kBiRle8 || layout.compression == kBiRle4) {
        return DecodeDibRle(layout, bits, out, error);
    }
    if (DibBitsNeeded(layout) > bits.size()) {
        error = "pixel data runs past the end of the data";
        return false;
    }
    out = Image(layout.width, layout.height);
    const uint64_t stride = DibRowBytes(layout.width, layout.bitCount);
    for (int fileRow = 0; fileRow < layout.height; ++fileRow) {
        const uint8_t* row = bits.data() + stride * static_cast<uint64_t>(fileRow);
        const int y = layout.topDown ? fileRow : layout.height - 1 - fileRow;
        uint32_t* dest = out.Row(y);
        if (layout.bitCount <= 8) {
            if (!UnpackIndexed(layout, row, dest, error)) {
                return false;
            }
        } else if (layout.bitCount == 24) {
            Unpack24(layout, row, dest);
        } else {
            UnpackMasked(layout, row, dest);
        }
    }
    return true;
}

}  // namespace kq::gfx
