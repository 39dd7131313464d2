// The description of a device-independent bitmap read from its headers: size, depth,
// compression, bit-field masks and colour table, each checked against the bytes that hold it.
// Shared by the BMP reader (files and packed DIBs) and the icon reader.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "platform/gfx/Image.h"

namespace kq::gfx {

constexpr uint32_t kBiRgb = 0;
constexpr uint32_t kBiRle8 = 1;
constexpr uint32_t kBiRle4 = 2;
constexpr uint32_t kBiBitfields = 3;
constexpr uint32_t kBiAlphaBitfields = 6;

constexpr uint32_t kCoreHeaderSize = 12;
constexpr uint32_t kInfoHeaderSize = 40;

enum class DibKind {
    Bitmap,  // a bitmap: the fourth byte of a 32-bit BI_RGB pixel is unused
    Icon,    // an icon or cursor image: header height covers colour and AND mask, 32-bit alpha
};

struct DibFileLayout {
    int width = 0;
    int height = 0;  // rows of the colour image (for icons half the header's height)
    bool topDown = false;
    int bitCount = 0;
    uint32_t compression = kBiRgb;
    uint32_t masks[4] = {};         // red, green, blue, alpha for 16 and 32 bits; alpha 0 = opaque
    std::vector<uint32_t> palette;  // opaque 0xFFRRGGBB entries for 1, 4 and 8 bits
    size_t bitsOffset = 0;          // where the bits follow the headers and the colour table
    uint32_t imageSize = 0;         // the header's image size (0 when not given)
};

// Reads the headers of the DIB that starts at dib[0]; false with an error text when they are
// inconsistent, unsupported or do not fit in the data.
bool ParseDibLayout(std::span<const uint8_t> dib, DibKind kind, DibFileLayout& out,
                    std::string& error);

// Bytes of one uncompressed row (padded to four bytes), computed in 64 bits.
uint64_t DibRowBytes(int width, int bitCount);

// Bytes an uncompressed image needs: every row padded except that the last may end unpadded.
uint64_t DibBitsNeeded(const DibFileLayout& layout);

// Decodes the pixel bits of a parsed DIB (uncompressed or RLE) into an image of its size.
bool DecodeDibBits(const DibFileLayout& layout, std::span<const uint8_t> bits, Image& out,
                   std::string& error);

// Decodes RLE8/RLE4 data. Pixels the data skips (deltas, early ends of line or bitmap) stay
// transparent black.
bool DecodeDibRle(const DibFileLayout& layout, std::span<const uint8_t> bits, Image& out,
                  std::string& error);

}  // namespace kq::gfx
