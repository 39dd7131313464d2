// Device-independent bitmaps in memory: the header and colour table of a BITMAPINFO, and the
// conversion of their rows (1, 4, 8, 16, 24 and 32 bits, bit fields, RLE8/RLE4) to and from
// 32-bit surfaces. Headers are checked before any size is trusted.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/gfx/GdiStructs.h"
#include "platform/gfx/Surface.h"

namespace kq::gfx {

struct DibLayout {
    int width = 0;
    int height = 0;  // rows, always positive
    bool topDown = false;
    int bitCount = 0;
    DWORD compression = 0;
    DWORD masks[3] = {0, 0, 0};
    std::vector<uint32_t> colors;  // colour table as surface pixels
    size_t stride = 0;             // bytes per row of uncompressed bits
    size_t imageSize = 0;          // bytes of all rows (compressed: biSizeImage)
    int headerSize = 0;

    // The image row (0 = top) of a scan line (0 = first row in the bits).
    int RowOfScan(int scan) const { return topDown ? scan : height - 1 - scan; }
};

// Reads a header; palette gives the colours of DIB_PAL_COLORS tables (may be null).
bool ParseDib(const BITMAPINFO* info, UINT usage, const std::vector<PALETTEENTRY>* palette,
              DibLayout& out);

// Converts `scans` scan lines starting at `firstScan` from bits (which hold exactly those scan
// lines) into the surface's rows. Compressed bits are decoded whole (firstScan 0, all scans).
bool DibToSurface(const DibLayout& dib, const void* bits, Surface& dst, int firstScan, int scans);
// Converts surface rows into uncompressed DIB bits of the layout.
void SurfaceToDib(const Surface& src, const DibLayout& dib, void* bits, int firstScan, int scans);
// The colour table GetDIBits writes for a depth of 8 bits or less.
std::vector<RGBQUAD> StandardColorTable(int bitCount);

}  // namespace kq::gfx
