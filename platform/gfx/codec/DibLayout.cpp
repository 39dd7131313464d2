#include "platform/gfx/codec/DibLayout.h"

#include <bit>

#include "platform/gfx/codec/LittleEndian.h"

namespace kq::gfx {

namespace {

bool IsKnownHeaderSize(uint32_t size) {
    // Info header, its extensions with masks (52, 56), OS/2 2.x (64), version 4 and 5.
    return size == kInfoHeaderSize || size == 52 || size == 56 || size == 64 || size == 108 ||
           size == 124;
}

bool MaskIsContiguous(uint32_t mask) {
    if (mask == 0) {
        return true;
    }
    const uint32_t shifted = mask >> std::countr_zero(mask);
    return (shifted & (shifted + 1)) == 0;
}

bool CheckMasks(const DibFileLayout& layout, std::string& error) {
    const uint64_t limit = layout.bitCount >= 32 ? 0xFFFFFFFFull : (1ull << layout.bitCount) - 1;
    uint32_t seen = 0;
    for (uint32_t mask : layout.masks) {
        if (!MaskIsContiguous(mask) || mask > limit || (mask & seen) != 0) {
            error = "invalid bit-field masks";
            return false;
        }
        seen |= mask;
    }
    if ((layout.masks[0] | layout.masks[1] | layout.masks[2]) == 0) {
        error = "bit-field masks select no colour";
        return false;
    }
    return true;
}

void SetDefaultMasks(DibFileLayout& layout, DibKind kind) {
    if (layout.bitCount == 16) {
        layout.masks[0] = 0x7C00;
        layout.masks[1] = 0x03E0;
        layout.masks[2] = 0x001F;
    } else if (layout.bitCount == 32) {
        layout.masks[0] = 0x00FF0000;
        layout.masks[1] = 0x0000FF00;
        layout.masks[2] = 0x000000FF;
        layout.masks[3] = kind == DibKind::Icon ? 0xFF000000 : 0;
    }
}

bool CheckDepthAndCompression(const DibFileLayout& layout, DibKind kind, std::string& error) {
    const int bits = layout.bitCount;
    if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32) {
        error = "unsupported bits per pixel";
        return false;
    }
    switch (layout.compression) {
        case kBiRgb:
            return true;
        case kBiRle8:
        case kBiRle4:
            if (kind == DibKind::Icon || layout.topDown ||
                bits != (layout.compression == kBiRle8 ? 8 : 4)) {
                error = "run-length compression does not fit this bitmap";
                return false;
            }
            return true;
        case kBiBitfields:
        case kBiAlphaBitfields:
            if (bits != 16 && bits != 32) {
                error = "bit fields need 16 or 32 bits per pixel";
                return false;
            }
            return true;
        default:
            error = "unsupported compression";
            return false;
    }
}

// Colour table: palette entries for indexed depths; a table given for deeper images is skipped.
bool ReadColourTable(std::span<const uint8_t> dib, size_t offset, uint64_t declared,
                     size_t entryBytes, DibFileLayout& out, std::string& error) {
    uint64_t entries = declared;
    if (out.bitCount <= 8) {
        const uint64_t full = 1ull << out.bitCount;
        if (entries == 0 || entries > full) {
            entries = full;
        }
    }
    if (!RangeFits(dib.size(), offset, entries * entryBytes)) {
        error = "colour table runs past the end of the data";
        return false;
    }
    if (out.bitCount <= 8) {
        out.palette.reserve(entries);
        for (uint64_t i = 0; i < entries; ++i) {
            const uint8_t* e = dib.data() + offset + i * entryBytes;
            out.palette.push_back(MakeArgb(0xFF, e[2], e[1], e[0]));
        }
    }
    out.bitsOffset = offset + entries * entryBytes;
    return true;
}

bool ParseCoreHeader(std::span<const uint8_t> dib, DibKind kind, DibFileLayout& out,
                     std::string& error) {
    if (dib.size() < kCoreHeaderSize) {
        error = "bitmap header is truncated";
        return false;
    }
    out.width = Le16(dib.data() + 4);
    int height = Le16(dib.data() + 6);
    out.bitCount = Le16(dib.data() + 10);
    out.compression = kBiRgb;
    if (out.bitCount == 16 || out.bitCount == 32) {
        error = "unsupported bits per pixel";
        return false;
    }
    if (kind == DibKind::Icon) {
        height /= 2;
    }
    out.height = height;
    if (!CheckDepthAndCompression(out, kind, error)) {
        return false;
    }
    return ReadColourTable(dib, kCoreHeaderSize, 0, 3, out, error);
}

bool ParseInfoHeader(std::span<const uint8_t> dib, uint32_t headerSize, DibKind kind,
                     DibFileLayout& out, std::string& error) {
    if (!IsKnownHeaderSize(headerSize)) {
        error = "unknown bitmap header size";
        return false;
    }
    if (dib.size() < headerSize) {
        error = "bitmap header is truncated";
        return false;
    }
    const uint8_t* h = dib.data();
    const int32_t width = LeI32(h + 4);
    int64_t height = LeI32(h + 8);
    out.bitCount = Le16(h + 14);
    out.compression = Le32(h + 16);
    out.imageSize = Le32(h + 20);
    const uint32_t coloursUsed = Le32(h + 32);
    if (height < 0) {
        out.topDown = true;
        height = -height;
    }
    if (kind == DibKind::Icon) {
        if (out.topDown) {
            error = "icon image with a top-down header";
            return false;
        }
        height /= 2;
    }
    if (width <= 0 || height <= 0 || height > INT32_MAX) {
        error = "bitmap has no pixels";
        return false;
    }
    out.width = width;
    out.height = static_cast<int>(height);
    if (!CheckDepthAndCompression(out, kind, error)) {
        return false;
    }

    size_t tableOffset = headerSize;
    const bool bitfields = out.compression == kBiBitfields || out.compression == kBiAlphaBitfields;
    if (bitfields) {
        if (headerSize == kInfoHeaderSize) {
            // The masks follow a plain info header: three, or four with an alpha mask.
            const size_t count = out.compression == kBiAlphaBitfields ? 4 : 3;
            if (!RangeFits(dib.size(), headerSize, count * 4)) {
                error = "bit-field masks run past the end of the data";
                return false;
            }
            for (size_t i = 0; i < count; ++i) {
                out.masks[i] = Le32(h + headerSize + 4 * i);
            }
            tableOffset += count * 4;
        } else if (headerSize == 64) {
            error = "unsupported compression";
            return false;
        } else {
            for (size_t i = 0; i < (headerSize >= 56 ? 4u : 3u); ++i) {
                out.masks[i] = Le32(h + 40 + 4 * i);
            }
        }
        if (!CheckMasks(out, error)) {
            return false;
        }
    } else {
        SetDefaultMasks(out, kind);
    }
    return ReadColourTable(dib, tableOffset, coloursUsed, 4, out, error);
}

}  // namespace

bool ParseDibLayout(std::span<const uint8_t> dib, DibKind kind, DibFileLayout& out,
                    std::string& error) {
    out = DibFileLayout{};
    if (dib.size() < 4) {
        error = "bitmap header is truncated";
        return false;
    }
    const uint32_t headerSize = Le32(dib.data());
    const bool ok = headerSize == kCoreHeaderSize
                        ? ParseCoreHeader(dib, kind, out, error)
                        : ParseInfoHeader(dib, headerSize, kind, out, error);
    if (!ok) {
        return false;
    }
    if (!ImageSizeAllowed(out.width, out.height)) {
        error = "bitmap is too large";
        return false;
    }
    return true;
}

uint64_t DibRowBytes(int width, int bitCount) {
    return (static_cast<uint64_t>(width) * static_cast<uint64_t>(bitCount) + 31) / 32 * 4;
}

uint64_t DibBitsNeeded(const DibFileLayout& layout) {
    const uint64_t lastRow =
        (static_cast<uint64_t>(layout.width) * static_cast<uint64_t>(layout.bitCount) + 7) / 8;
    return DibRowBytes(layout.width, layout.bitCount) * static_cast<uint64_t>(layout.height - 1) +
           lastRow;
}

}  // namespace kq::gfx
