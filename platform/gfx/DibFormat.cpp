#include "platform/gfx/DibFormat.h"

#include <algorithm>
#include <cstring>

#include "platform/gfx/PixelColor.h"

namespace kq::gfx {

namespace {

int MaskShift(DWORD mask) {
    int s = 0;
    while (mask && !(mask & 1)) {
        mask >>= 1;
        ++s;
    }
    return s;
}

int MaskBits(DWORD mask) {
    mask >>= MaskShift(mask);
    int n = 0;
    while (mask & 1) {
        mask >>= 1;
        ++n;
    }
    return n;
}

uint32_t Channel(uint32_t v, DWORD mask) {
    if (!mask)
        return 0;
    const int bits = MaskBits(mask);
    uint32_t c = (v & mask) >> MaskShift(mask);
    if (bits >= 8)
        return c >> (bits - 8);
    // Scale up, repeating the high bits into the low ones.
    uint32_t out = 0;
    int filled = 0;
    while (filled < 8) {
        out = (out << bits) | c;
        filled += bits;
    }
    return out >> (filled - 8);
}

uint32_t Pack(uint32_t pixel, DWORD mask) {
    if (!mask)
        return 0;
    const int bits = MaskBits(mask);
    const uint32_t c = bits >= 8 ? pixel << (bits - 8) : pixel >> (8 - bits);
    return (c << MaskShift(mask)) & mask;
}

size_t NearestIndex(const std::vector<uint32_t>& colors, uint32_t p) {
    size_t best = 0;
    int bestDist = INT32_MAX;
    const int r = (p >> 16) & 0xFF, g = (p >> 8) & 0xFF, b = p & 0xFF;
    for (size_t i = 0; i < colors.size(); ++i) {
        const uint32_t c = colors[i];
        const int dr = r - static_cast<int>((c >> 16) & 0xFF);
        const int dg = g - static_cast<int>((c >> 8) & 0xFF);
        const int db = b - static_cast<int>(c & 0xFF);
        const int d = dr * dr + dg * dg + db * db;
        if (d < bestDist) {
            bestDist = d;
            best = i;
            if (d == 0)
                break;
        }
    }
    return best;
}

// Decodes RLE8 or RLE4 data into palette indices, within the bits' declared size.
bool DecodeRle(const DibLayout& dib, const uint8_t* bits, std::vector<uint8_t>& indices) {
    const bool four = dib.compression == BI_RLE4;
    indices.assign(static_cast<size_t>(dib.width) * dib.height, 0);
    size_t i = 0;
    const size_t n = dib.imageSize;
    int x = 0;
    int y = 0;  // scan line, 0 = first in the bits
    auto put = [&](uint8_t v) {
        if (x < dib.width && y < dib.height)
            indices[static_cast<size_t>(dib.RowOfScan(y)) * dib.width + x] = v;
        ++x;
    };
    while (i + 1 < n) {
        const uint8_t count = bits[i];
        const uint8_t value = bits[i + 1];
        i += 2;
        if (count > 0) {
            for (int k = 0; k < count; ++k)
                put(four ? ((k & 1) ? (value & 0x0F) : (value >> 4)) : value);
            continue;
        }
        if (value == 0) {  // end of line
            x = 0;
            ++y;
        } else if (value == 1) {  // end of bitmap
            return true;
        } else if (value == 2) {  // delta
            if (i + 1 >= n)
                return false;
            x += bits[i];
            y += bits[i + 1];
            i += 2;
        } else {  // absolute run of `value` pixels
            const size_t bytes = four ? (value + 1u) / 2 : value;
            if (i + bytes > n)
                return false;
            for (int k = 0; k < value; ++k)
                put(four ? ((k & 1) ? (bits[i + k / 2] & 0x0F) : (bits[i + k / 2] >> 4))
                         : bits[i + k]);
            i += (bytes + 1) & ~size_t{1};
        }
        if (y >= dib.height)
            return true;
    }
    return true;
}

}  // namespace

bool ParseDib(const BITMAPINFO* info, UINT usage, const std::vector<PALETTEENTRY>* palette,
              DibLayout& out) {
    if (!info)
        return false;
    const auto* raw = reinterpret_cast<const uint8_t*>(info);
    DWORD size;
    std::memcpy(&size, raw, 4);
    int64_t width, height;
    int bitCount;
    DWORD compression = BI_RGB;
    DWORD clrUsed = 0;
    size_t sizeImage = 0;
    bool core = false;
    if (size == sizeof(BITMAPCOREHEADER)) {
        BITMAPCOREHEADER h;
        std::memcpy(&h, raw, sizeof(h));
        width = h.bcWidth;
        height = h.bcHeight;
        bitCount = h.bcBitCount;
        core = true;
    } else if (size == 40 || size == 52 || size == 56 || size == 64 || size == 108 || size == 124) {
        const BITMAPINFOHEADER& h = info->bmiHeader;
        width = h.biWidth;
        height = h.biHeight;
        bitCount = h.biBitCount;
        compression = h.biCompression;
        clrUsed = h.biClrUsed;
        sizeImage = h.biSizeImage;
    } else {
        return false;
    }
    out = DibLayout();
    out.headerSize = static_cast<int>(size);
    out.topDown = height < 0;
    out.width = static_cast<int>(width);
    out.height = static_cast<int>(height < 0 ? -height : height);
    out.bitCount = bitCount;
    out.compression = compression;
    if (!Surface::SizeAllowed(out.width, out.height))
        return false;
    switch (bitCount) {
        case 1:
        case 4:
        case 8:
        case 16:
        case 24:
        case 32:
            break;
        default:
            return false;
    }
    switch (compression) {
        case BI_RGB:
            break;
        case BI_BITFIELDS:
            if (bitCount != 16 && bitCount != 32)
                return false;
            break;
        case BI_RLE8:
            if (bitCount != 8 || out.topDown || sizeImage == 0)
                return false;
            break;
        case BI_RLE4:
            if (bitCount != 4 || out.topDown || sizeImage == 0)
                return false;
            break;
        default:
            return false;
    }
    out.stride = ((static_cast<size_t>(out.width) * bitCount + 31) / 32) * 4;
    if (compression == BI_RLE8 || compression == BI_RLE4) {
        // No meaningful run data is longer than two bytes per pixel plus the line ends and
        // padding; beyond that the declared size is not read.
        const size_t pixels = static_cast<size_t>(out.width) * static_cast<size_t>(out.height);
        out.imageSize = std::min(sizeImage, 3 * pixels + 4 * static_cast<size_t>(out.height) + 16);
    } else {
        out.imageSize = out.stride * static_cast<size_t>(out.height);
    }
    size_t tableOffset = size;
    if (compression == BI_BITFIELDS) {
        std::memcpy(out.masks, raw + 40, 12);
        if (size == 40)
            tableOffset += 12;
        if (!out.masks[0] && !out.masks[1] && !out.masks[2])
            return false;
    } else if (bitCount == 16) {
        out.masks[0] = 0x7C00;
        out.masks[1] = 0x03E0;
        out.masks[2] = 0x001F;
    } else if (bitCount == 32 || bitCount == 24) {
        out.masks[0] = 0xFF0000;
        out.masks[1] = 0x00FF00;
        out.masks[2] = 0x0000FF;
    }
    if (bitCount <= 8) {
        const size_t maxColors = size_t{1} << bitCount;
        const size_t count = clrUsed && clrUsed < maxColors ? clrUsed : maxColors;
        out.colors.resize(maxColors, 0);
        for (size_t i = 0; i < count; ++i) {
            if (usage == DIB_PAL_COLORS) {
                WORD index;
                std::memcpy(&index, raw + tableOffset + i * 2, 2);
                if (palette && index < palette->size()) {
                    const PALETTEENTRY& e = (*palette)[index];
                    out.colors[i] =
                        (uint32_t{e.peRed} << 16) | (uint32_t{e.peGreen} << 8) | e.peBlue;
                }
            } else if (core) {
                const uint8_t* t = raw + tableOffset + i * 3;
                out.colors[i] = (uint32_t{t[2]} << 16) | (uint32_t{t[1]} << 8) | t[0];
            } else {
                const uint8_t* t = raw + tableOffset + i * 4;
                out.colors[i] = (uint32_t{t[2]} << 16) | (uint32_t{t[1]} << 8) | t[0];
            }
        }
    }
    return true;
}

bool DibToSurface(const DibLayout& dib, const void* bitsPtr, Surface& dst, int firstScan,
                  int scans) {
    if (!bitsPtr || dst.Width() != dib.width || dst.Height() != dib.height)
        return false;
    const auto* bits = static_cast<const uint8_t*>(bitsPtr);
    const bool mono = dst.IsMonochrome();
    auto store = [&](int row, int x, uint32_t v) { dst.Row(row)[x] = mono ? MonoPixel(v) : v; };
    if (dib.compression == BI_RLE8 || dib.compression == BI_RLE4) {
        std::vector<uint8_t> indices;
        if (!DecodeRle(dib, bits, indices))
            return false;
        for (int y = 0; y < dib.height; ++y)
            for (int x = 0; x < dib.width; ++x)
                store(y, x, dib.colors[indices[static_cast<size_t>(y) * dib.width + x]]);
        return true;
    }
    // 32-bit pixels without masks are the surface's own: rows are copied whole.
    const bool straight = dib.bitCount == 32 && dib.compression == BI_RGB && !mono;
    for (int k = 0; k < scans; ++k) {
        const int scan = firstScan + k;
        if (scan < 0 || scan >= dib.height)
            continue;
        const int row = dib.RowOfScan(scan);
        const uint8_t* src = bits + static_cast<size_t>(k) * dib.stride;
        if (straight) {
            std::memcpy(dst.Row(row), src, static_cast<size_t>(dib.width) * 4);
            continue;
        }
        for (int x = 0; x < dib.width; ++x) {
            uint32_t v = 0;
            switch (dib.bitCount) {
                case 1:
                    v = dib.colors[(src[x >> 3] >> (7 - (x & 7))) & 1];
                    break;
                case 4:
                    v = dib.colors[(src[x >> 1] >> ((x & 1) ? 0 : 4)) & 0x0F];
                    break;
                case 8:
                    v = dib.colors[src[x]];
                    break;
                case 16: {
                    const uint32_t w = src[2 * x] | (uint32_t{src[2 * x + 1]} << 8);
                    v = (Channel(w, dib.masks[0]) << 16) | (Channel(w, dib.masks[1]) << 8) |
                        Channel(w, dib.masks[2]);
                    break;
                }
                case 24:
                    v = (uint32_t{src[3 * x + 2]} << 16) | (uint32_t{src[3 * x + 1]} << 8) |
                        src[3 * x];
                    break;
                case 32: {
                    uint32_t w;
                    std::memcpy(&w, src + 4 * x, 4);
                    if (dib.compression == BI_BITFIELDS)
                        v = (Channel(w, dib.masks[0]) << 16) | (Channel(w, dib.masks[1]) << 8) |
                            Channel(w, dib.masks[2]);
                    else
                        v = w;  // keeps the alpha byte
                    break;
                }
            }
            store(row, x, v);
        }
    }
    return true;
}

void SurfaceToDib(const Surface& src, const DibLayout& dib, void* bitsPtr, int firstScan,
                  int scans) {
    if (!bitsPtr || src.Width() != dib.width || src.Height() != dib.height)
        return;
    auto* bits = static_cast<uint8_t*>(bitsPtr);
    const bool straight = dib.bitCount == 32 && dib.compression == BI_RGB;
    for (int k = 0; k < scans; ++k) {
        const int scan = firstScan + k;
        if (scan < 0 || scan >= dib.height)
            continue;
        const uint32_t* row = src.Row(dib.RowOfScan(scan));
        uint8_t* out = bits + static_cast<size_t>(k) * dib.stride;
        if (straight) {
            std::memcpy(out, row, static_cast<size_t>(dib.width) * 4);
            continue;
        }
        std::memset(out, 0, dib.stride);
        for (int x = 0; x < dib.width; ++x) {
            const uint32_t p = row[x];
            switch (dib.bitCount) {
                case 1:
                    if (NearestIndex(dib.colors, p))
                        out[x >> 3] |= static_cast<uint8_t>(0x80 >> (x & 7));
                    break;
                case 4:
                    out[x >> 1] |=
                        static_cast<uint8_t>(NearestIndex(dib.colors, p) << ((x & 1) ? 0 : 4));
                    break;
                case 8:
                    out[x] = static_cast<uint8_t>(NearestIndex(dib.colors, p));
                    break;
                case 16: {
                    const uint32_t w = Pack((p >> 16) & 0xFF, dib.masks[0]) |
                                       Pack((p >> 8) & 0xFF, dib.masks[1]) |
                                       Pack(p & 0xFF, dib.masks[2]);
                    out[2 * x] = static_cast<uint8_t>(w);
                    out[2 * x + 1] = static_cast<uint8_t>(w >> 8);
                    break;
                }
                case 24:
                    out[3 * x] = static_cast<uint8_t>(p);
                    out[3 * x + 1] = static_cast<uint8_t>(p >> 8);
                    out[3 * x + 2] = static_cast<uint8_t>(p >> 16);
                    break;
                case 32: {
                    uint32_t w = p;
                    if (dib.compression == BI_BITFIELDS)
                        w = Pack((p >> 16) & 0xFF, dib.masks[0]) |
                            Pack((p >> 8) & 0xFF, dib.masks[1]) | Pack(p & 0xFF, dib.masks[2]);
                    std::memcpy(out + 4 * x, &w, 4);
                    break;
                }
            }
        }
    }
}

std::vector<RGBQUAD> StandardColorTable(int bitCount) {
    std::vector<RGBQUAD> t;
    auto add = [&](int r, int g, int b) {
        t.push_back(RGBQUAD{static_cast<BYTE>(b), static_cast<BYTE>(g), static_cast<BYTE>(r), 0});
    };
    if (bitCount == 1) {
        add(0, 0, 0);
        add(255, 255, 255);
    } else if (bitCount == 4) {
        static const int k16[16][3] = {
            {0, 0, 0},       {128, 0, 0},   {0, 128, 0},   {128, 128, 0},
            {0, 0, 128},     {128, 0, 128}, {0, 128, 128}, {128, 128, 128},
            {192, 192, 192}, {255, 0, 0},   {0, 255, 0},   {255, 255, 0},
            {0, 0, 255},     {255, 0, 255}, {0, 255, 255}, {255, 255, 255}};
        for (const auto& c : k16)
            add(c[0], c[1], c[2]);
    } else if (bitCount == 8) {
        // A 6 x 6 x 6 colour cube, then a grey ramp.
        for (int r = 0; r < 6; ++r)
            for (int g = 0; g < 6; ++g)
                for (int b = 0; b < 6; ++b)
                    add(r * 51, g * 51, b * 51);
        for (int i = 0; t.size() < 256; ++i) {
            const int v = 8 + i * 10;
            add(std::min(v, 255), std::min(v, 255), std::min(v, 255));
        }
    }
    return t;
}

}  // namespace kq::gfx
