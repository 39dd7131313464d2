// Builders for hand-made DIB, BMP and ICO data in the codec tests.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace kq::gfx::codec_test {

inline void Put16(std::vector<uint8_t>& v, uint32_t x) {
    v.push_back(static_cast<uint8_t>(x));
    v.push_back(static_cast<uint8_t>(x >> 8));
}
inline void Put32(std::vector<uint8_t>& v, uint32_t x) {
    Put16(v, x & 0xFFFF);
    Put16(v, x >> 16);
}

struct DibSpec {
    uint32_t headerSize = 40;  // 12, 40, 56, 108 or 124
    int32_t width = 1;
    int32_t height = 1;
    uint16_t bitCount = 24;
    uint32_t compression = 0;
    uint32_t coloursUsed = 0;
    uint32_t imageSize = 0;
    std::vector<uint32_t> palette;  // 0xRRGGBB
    std::vector<uint32_t> masks;    // after a 40-byte header, else inside the header
    std::vector<uint8_t> bits;
};

inline std::vector<uint8_t> BuildDib(const DibSpec& s) {
    std::vector<uint8_t> v;
    Put32(v, s.headerSize);
    if (s.headerSize == 12) {
        Put16(v, static_cast<uint32_t>(s.width));
        Put16(v, static_cast<uint32_t>(s.height));
        Put16(v, 1);
        Put16(v, s.bitCount);
    } else {
        Put32(v, static_cast<uint32_t>(s.width));
        Put32(v, static_cast<uint32_t>(s.height));
        Put16(v, 1);
        Put16(v, s.bitCount);
        Put32(v, s.compression);
        Put32(v, s.imageSize);
        Put32(v, 2835);
        Put32(v, 2835);
        Put32(v, s.coloursUsed);
        Put32(v, 0);
        if (s.headerSize > 40) {
            for (size_t i = 0; i < 4; ++i) {
                Put32(v, i < s.masks.size() ? s.masks[i] : 0);
            }
            v.resize(s.headerSize, 0);
        } else {
            for (uint32_t m : s.masks) {
                Put32(v, m);
            }
        }
    }
    for (uint32_t c : s.palette) {
        v.push_back(static_cast<uint8_t>(c));
        v.push_back(static_cast<uint8_t>(c >> 8));
        v.push_back(static_cast<uint8_t>(c >> 16));
        if (s.headerSize != 12) {
            v.push_back(0);
        }
    }
    v.insert(v.end(), s.bits.begin(), s.bits.end());
    return v;
}

// A file header in front of the DIB; bitsOffset 0 puts the bits right after the colour table.
inline std::vector<uint8_t> BuildBmp(const DibSpec& s, uint32_t bitsOffset = 0) {
    const std::vector<uint8_t> dib = BuildDib(s);
    std::vector<uint8_t> v = {'B', 'M'};
    Put32(v, static_cast<uint32_t>(14 + dib.size()));
    Put32(v, 0);
    Put32(v, bitsOffset != 0 ? bitsOffset : static_cast<uint32_t>(14 + dib.size() - s.bits.size()));
    v.insert(v.end(), dib.begin(), dib.end());
    return v;
}

// Packs rows of pixel values (first row first, as stored) at 1, 4, 8, 16, 24 or 32 bits,
// padding each row to four bytes.
inline std::vector<uint8_t> PackRows(const std::vector<std::vector<uint32_t>>& rows, int bits) {
    std::vector<uint8_t> out;
    for (const auto& row : rows) {
        std::vector<uint8_t> packed;
        if (bits < 8) {
            packed.assign((row.size() * bits + 7) / 8, 0);
            for (size_t x = 0; x < row.size(); ++x) {
                const size_t bit = x * bits;
                packed[bit / 8] |= static_cast<uint8_t>(row[x] << (8 - bits - bit % 8));
            }
        } else {
            for (uint32_t value : row) {
                for (int b = 0; b < bits / 8; ++b) {
                    packed.push_back(static_cast<uint8_t>(value >> (8 * b)));
                }
            }
        }
        packed.resize((packed.size() + 3) / 4 * 4, 0);
        out.insert(out.end(), packed.begin(), packed.end());
    }
    return out;
}

struct IcoEntrySpec {
    int width;  // as written in the directory
    int height;
    int bitCount;
    uint16_t hotspotX = 0;  // cursors
    uint16_t hotspotY = 0;
    std::vector<uint8_t> data;
};

inline std::vector<uint8_t> BuildIco(const std::vector<IcoEntrySpec>& entries,
                                     bool cursor = false) {
    std::vector<uint8_t> v;
    Put16(v, 0);
    Put16(v, cursor ? 2 : 1);
    Put16(v, static_cast<uint32_t>(entries.size()));
    uint32_t offset = static_cast<uint32_t>(6 + 16 * entries.size());
    for (const auto& e : entries) {
        v.push_back(static_cast<uint8_t>(e.width));
        v.push_back(static_cast<uint8_t>(e.height));
        v.push_back(0);
        v.push_back(0);
        Put16(v, cursor ? e.hotspotX : 1);
        Put16(v, cursor ? e.hotspotY : static_cast<uint32_t>(e.bitCount));
        Put32(v, static_cast<uint32_t>(e.data.size()));
        Put32(v, offset);
        offset += static_cast<uint32_t>(e.data.size());
    }
    for (const auto& e : entries) {
        v.insert(v.end(), e.data.begin(), e.data.end());
    }
    return v;
}

}  // namespace kq::gfx::codec_test
