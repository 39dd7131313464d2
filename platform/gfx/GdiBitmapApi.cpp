// Bitmaps: device-dependent (monochrome or 32-bit), DIB sections, and the DIB transfer
// functions.
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "platform/gfx/Blit.h"
#include "platform/gfx/DeviceContext.h"
#include "platform/gfx/DibFormat.h"
#include "platform/gfx/DibSampling.h"
#include "platform/gfx/HandleTable.h"
#include "platform/gfx/PixelColor.h"
#include "platform/gfx/SurfaceDc.h"
#include "platform/gfx/WinGdi.h"

using namespace kq::gfx;

namespace kq::gfx {

void BitmapObject::SyncFromDib() {
    if (dibShadow && surface && dibBits)
        DibToSurface(dib, dibBits, *surface, 0, dib.height);
}

void BitmapObject::SyncToDib() {
    if (dibShadow && surface && dibBits)
        SurfaceToDib(*surface, dib, dibBits, 0, dib.height);
}

std::shared_ptr<Surface> BitmapSurface(HBITMAP bitmap) {
    auto bmp = LookupObject<BitmapObject>(bitmap);
    if (!bmp)
        return nullptr;
    bmp->SyncFromDib();
    return bmp->surface;
}

HBITMAP CreateBitmapFromSurface(const Surface& surface) {
    auto s = Surface::Create(surface.Width(), surface.Height());
    if (!s)
        return nullptr;
    s->CopyFrom(surface);
    s->SetMonochrome(surface.IsMonochrome());
    auto bmp = std::make_shared<BitmapObject>();
    bmp->surface = s;
    bmp->bitsPixel = surface.IsMonochrome() ? 1 : 32;
    return AddObject<HBITMAP>(bmp);
}

}  // namespace kq::gfx

namespace {

HBITMAP NewBitmap(int width, int height, bool mono) {
    auto s = Surface::Create(width, height);
    if (!s)
        return nullptr;
    s->SetMonochrome(mono);
    if (mono)
        s->Fill(kBlackPixel);
    auto bmp = std::make_shared<BitmapObject>();
    bmp->surface = s;
    bmp->bitsPixel = mono ? 1 : 32;
    return AddObject<HBITMAP>(bmp);
}

// Whether a DC draws in black and white (a memory DC with a monochrome bitmap).
bool MonoDc(HDC hdc) {
    auto dc = LookupDc(hdc);
    return !dc || dc->TargetIsMono();
}

const std::vector<PALETTEENTRY>* PaletteOf(HDC hdc) {
    static thread_local std::vector<PALETTEENTRY> entries;
    auto dc = LookupDc(hdc);
    if (!dc || !dc->State().palette)
        return nullptr;
    entries = dc->State().palette->entries;
    return &entries;
}

// Row size of device-dependent bitmap bits: rows are padded to 16 bits.
size_t DdbStride(int width, int bitsPixel) {
    return ((static_cast<size_t>(width) * bitsPixel + 15) / 16) * 2;
}

}  // namespace

HBITMAP CreateCompatibleBitmap(HDC hdc, int width, int height) {
    auto dc = LookupDc(hdc);
    if (!dc || width < 0 || height < 0)
        return nullptr;
    if (width == 0 || height == 0)
        return NewBitmap(1, 1, true);
    return NewBitmap(width, height, dc->TargetIsMono());
}

HBITMAP CreateBitmap(int width, int height, UINT planes, UINT bitsPerPixel, const void* bits) {
    if (width < 0 || height < 0 || planes != 1 || bitsPerPixel > 32)
        return nullptr;
    if (width == 0 || height == 0)
        return NewBitmap(1, 1, true);
    const bool mono = bitsPerPixel <= 1;
    HBITMAP h = NewBitmap(width, height, mono);
    if (h && bits)
        SetBitmapBits(h, static_cast<DWORD>(DdbStride(width, mono ? 1 : 32) * height), bits);
    return h;
}

LONG GetBitmapBits(HBITMAP bitmap, LONG size, LPVOID bits) {
    auto bmp = LookupObject<BitmapObject>(bitmap);
    if (!bmp || !bmp->surface || size < 0)
        return 0;
    bmp->SyncFromDib();
    const Surface& s = *bmp->surface;
    const bool mono = s.IsMonochrome();
    const size_t stride = DdbStride(s.Width(), mono ? 1 : 32);
    const size_t total = stride * static_cast<size_t>(s.Height());
    if (!bits)
        return static_cast<LONG>(total);
    auto* out = static_cast<uint8_t*>(bits);
    const size_t limit = std::min(total, static_cast<size_t>(size));
    std::memset(out, 0, limit);
    for (int y = 0; y < s.Height(); ++y) {
        const size_t rowStart = static_cast<size_t>(y) * stride;
        if (rowStart >= limit)
            break;
        const uint32_t* row = s.Row(y);
        if (mono) {
            for (int x = 0; x < s.Width(); ++x)
                if (row[x] & 0xFFFFFF) {
                    const size_t at = rowStart + static_cast<size_t>(x >> 3);
                    if (at < limit)
                        out[at] |= static_cast<uint8_t>(0x80 >> (x & 7));
                }
        } else {
            std::memcpy(out + rowStart, row, std::min(stride, limit - rowStart));
        }
    }
    return static_cast<LONG>(limit);
}

LONG SetBitmapBits(HBITMAP bitmap, DWORD size, const void* bits) {
    auto bmp = LookupObject<BitmapObject>(bitmap);
    if (!bmp || !bmp->surface || !bits)
        return 0;
    Surface& s = *bmp->surface;
    const bool mono = s.IsMonochrome();
    const size_t stride = DdbStride(s.Width(), mono ? 1 : 32);
    const size_t limit = std::min<size_t>(size, stride * static_cast<size_t>(s.Height()));
    const auto* in = static_cast<const uint8_t*>(bits);
    for (int y = 0; y < s.Height(); ++y) {
        const size_t rowStart = static_cast<size_t>(y) * stride;
        if (rowStart + stride > limit)
            break;
        uint32_t* row = s.Row(y);
        if (mono) {
            for (int x = 0; x < s.Width(); ++x)
                row[x] = (in[rowStart + static_cast<size_t>(x >> 3)] & (0x80 >> (x & 7)))
                             ? kWhitePixel
                             : kBlackPixel;
        } else {
            std::memcpy(row, in + rowStart, stride);
        }
    }
    bmp->SyncToDib();
    return static_cast<LONG>(limit);
}

HBITMAP CreateDIBSection(HDC hdc, const BITMAPINFO* info, UINT usage, void** bits, HANDLE section,
                         DWORD) {
    if (bits)
        *bits = nullptr;
    DibLayout dib;
    if (section || !ParseDib(info, usage, PaletteOf(hdc), dib))
        return nullptr;
    if (dib.compression != BI_RGB && dib.compression != BI_BITFIELDS)
        return nullptr;
    auto bmp = std::make_shared<BitmapObject>();
    bmp->dibSection = true;
    bmp->bitsPixel = dib.bitCount;
    bmp->dibStorage.assign(dib.imageSize, 0);
    bmp->dibBits = bmp->dibStorage.data();
    bmp->dib = dib;
    bmp->dibHeader = BITMAPINFOHEADER{};
    std::memcpy(&bmp->dibHeader, info, std::min<size_t>(sizeof(BITMAPINFOHEADER), dib.headerSize));
    if (dib.headerSize < 40) {
        bmp->dibHeader.biSize = 40;
        bmp->dibHeader.biWidth = dib.width;
        bmp->dibHeader.biHeight = dib.height;
        bmp->dibHeader.biPlanes = 1;
        bmp->dibHeader.biBitCount = static_cast<WORD>(dib.bitCount);
    }
    bmp->dibHeader.biSizeImage = static_cast<DWORD>(dib.imageSize);
    const bool direct =
        dib.bitCount == 32 &&
        (dib.compression == BI_RGB ||
         (dib.masks[0] == 0xFF0000 && dib.masks[1] == 0xFF00 && dib.masks[2] == 0xFF));
    if (direct) {
        // The surface is the DIB memory itself; a bottom-up DIB is walked upwards.
        auto* base = reinterpret_cast<uint8_t*>(bmp->dibBits);
        const ptrdiff_t stride = static_cast<ptrdiff_t>(dib.stride);
        if (dib.topDown)
            bmp->surface = std::make_shared<Surface>(dib.width, dib.height,
                                                     reinterpret_cast<uint32_t*>(base), stride);
        else
            bmp->surface = std::make_shared<Surface>(
                dib.width, dib.height,
                reinterpret_cast<uint32_t*>(base + stride * (dib.height - 1)), -stride);
    } else {
        bmp->surface = Surface::Create(dib.width, dib.height);
        bmp->dibShadow = true;
    }
    if (!bmp->surface || !bmp->surface->Valid())
        return nullptr;
    bmp->SyncFromDib();
    HBITMAP h = AddObject<HBITMAP>(bmp);
    if (h && bits)
        *bits = bmp->dibBits;
    return h;
}

int GetDIBits(HDC hdc, HBITMAP bitmap, UINT start, UINT lines, LPVOID bits, LPBITMAPINFO info,
              UINT usage) {
    auto dc = LookupDc(hdc);
    auto bmp = LookupObject<BitmapObject>(bitmap);
    if (!dc || !bmp || !bmp->surface || !info || info->bmiHeader.biSize < 40)
        return 0;
    bmp->SyncFromDib();
    const Surface& s = *bmp->surface;
    BITMAPINFOHEADER& h = info->bmiHeader;
    if (h.biBitCount == 0) {
        // Describe the bitmap itself.
        h.biWidth = s.Width();
        h.biHeight = s.Height();
        h.biPlanes = 1;
        h.biBitCount = static_cast<WORD>(s.IsMonochrome() ? 1 : 32);
        h.biCompression = BI_RGB;
        h.biSizeImage = static_cast<DWORD>(
            ((static_cast<size_t>(s.Width()) * h.biBitCount + 31) / 32) * 4 * s.Height());
        h.biClrUsed = 0;
        h.biClrImportant = 0;
        return 1;
    }
    if (h.biWidth != s.Width() && bits)
        return 0;
    if (h.biWidth == 0)
        h.biWidth = s.Width();
    if (h.biHeight == 0)
        h.biHeight = s.Height();
    if (h.biCompression != BI_RGB && h.biCompression != BI_BITFIELDS)
        return 0;
    if (h.biCompression == BI_BITFIELDS && h.biBitCount != 16 && h.biBitCount != 32)
        return 0;
    const int rows = std::abs(h.biHeight);
    if (rows != s.Height())
        return 0;
    // Fill the colour table (and default masks) before parsing the layout.
    auto* masks = reinterpret_cast<DWORD*>(reinterpret_cast<uint8_t*>(info) + 40);
    if (h.biCompression == BI_BITFIELDS && !masks[0] && !masks[1] && !masks[2]) {
        if (h.biBitCount == 16) {
            masks[0] = 0xF800;
            masks[1] = 0x07E0;
            masks[2] = 0x001F;
        } else {
            masks[0] = 0xFF0000;
            masks[1] = 0xFF00;
            masks[2] = 0xFF;
        }
    }
    if (h.biBitCount <= 8 && usage == DIB_RGB_COLORS) {
        const std::vector<RGBQUAD> table = StandardColorTable(h.biBitCount);
        std::copy(table.begin(), table.end(), info->bmiColors);
        h.biClrUsed = 0;
    }
    DibLayout dib;
    if (!ParseDib(info, usage, PaletteOf(hdc), dib))
        return 0;
    h.biSizeImage = static_cast<DWORD>(dib.imageSize);
    if (!bits)
        return 1;
    if (start >= static_cast<UINT>(rows))
        return 0;
    const int count = static_cast<int>(std::min<UINT>(lines, static_cast<UINT>(rows) - start));
    SurfaceToDib(s, dib, bits, static_cast<int>(start), count);
    return count;
}

int SetDIBits(HDC hdc, HBITMAP bitmap, UINT start, UINT lines, const void* bits,
              const BITMAPINFO* info, UINT usage) {
    auto bmp = LookupObject<BitmapObject>(bitmap);
    if (!bmp || !bmp->surface || !bits)
        return 0;
    DibLayout dib;
    if (!ParseDib(info, usage, PaletteOf(hdc), dib))
        return 0;
    Surface& s = *bmp->surface;
    if (dib.width != s.Width() || dib.height != s.Height())
        return 0;
    bmp->SyncFromDib();
    int count;
    if (dib.compression == BI_RLE8 || dib.compression == BI_RLE4) {
        if (!DibToSurface(dib, bits, s, 0, dib.height))
            return 0;
        count = dib.height;
    } else {
        if (start >= static_cast<UINT>(dib.height))
            return 0;
        count = static_cast<int>(std::min<UINT>(lines, static_cast<UINT>(dib.height) - start));
        DibToSurface(dib, bits, s, static_cast<int>(start), count);
    }
    bmp->SyncToDib();
    return count;
}

HBITMAP CreateDIBitmap(HDC hdc, const BITMAPINFOHEADER* header, DWORD init, const void* bits,
                       const BITMAPINFO* info, UINT usage) {
    if (!header)
        return nullptr;
    const int width = header->biWidth;
    const int height = std::abs(header->biHeight);
    if (width <= 0 || height <= 0)
        return nullptr;
    HBITMAP h = NewBitmap(width, height, MonoDc(hdc));
    if (h && (init & CBM_INIT) && bits && info)
        SetDIBits(hdc, h, 0, static_cast<UINT>(height), bits, info, usage);
    return h;
}

namespace {

// Decodes a whole DIB into a new top-down surface.
std::unique_ptr<Surface> DecodeWhole(const DibLayout& dib, const void* bits, int firstScan,
                                     int scans) {
    auto s = std::make_unique<Surface>(dib.width, dib.height);
    if (!s->Valid() || !DibToSurface(dib, bits, *s, firstScan, scans))
        return nullptr;
    return s;
}

}  // namespace

namespace {

// The source rectangle of a stretch read at no more points than its destination samples, or
// null when the stretch reads too few source pixels for that to pay (or cannot be sampled).
std::unique_ptr<Surface> SampleForStretch(const DeviceContext& dc, const DibLayout& dib,
                                          const void* bits, int w, int h, int64_t left, int64_t top,
                                          int64_t width, int64_t height) {
    const int64_t columns =
        std::clamp<int64_t>(kMaxStretchTaps * dc.WidthToDevice(w), 1, std::max<int64_t>(width, 1));
    const int64_t rows = std::clamp<int64_t>(kMaxStretchTaps * dc.HeightToDevice(h), 1,
                                             std::max<int64_t>(height, 1));
    if (columns == width && rows == height)
        return nullptr;
    return SampleDib(dib, bits, left, top, width, height, columns, rows);
}

}  // namespace

int StretchDIBits(HDC hdc, int x, int y, int w, int h, int sx, int sy, int sw, int sh,
                  const void* bits, const BITMAPINFO* info, UINT usage, DWORD rop) {
    auto dc = LookupDc(hdc);
    DibLayout dib;
    if (!dc || !bits || !ParseDib(info, usage, PaletteOf(hdc), dib))
        return 0;
    // Source y counts from the bottom row in a bottom-up DIB.
    const int srcY = dib.topDown ? sy : dib.height - sy - sh;
    // A source much larger than its destination is read only where the stretch samples it;
    // the samples stand for the source rectangle, in its direction.
    const int64_t left = std::min<int64_t>(sx, int64_t{sx} + sw);
    const int64_t top = std::min<int64_t>(srcY, int64_t{srcY} + sh);
    if (auto sampled =
            SampleForStretch(*dc, dib, bits, w, h, left, top, std::llabs(sw), std::llabs(sh))) {
        const int columns = sampled->Width(), rows = sampled->Height();
        if (!dc->StretchSurface(x, y, w, h, *sampled, sw < 0 ? columns : 0, sh < 0 ? rows : 0,
                                sw < 0 ? -columns : columns, sh < 0 ? -rows : rows, rop))
            return 0;
        return dib.height;
    }
    auto src = DecodeWhole(dib, bits, 0, dib.height);
    if (!src)
        return 0;
    if (!dc->StretchSurface(x, y, w, h, *src, sx, srcY, sw, sh, rop))
        return 0;
    return dib.height;
}

int SetDIBitsToDevice(HDC hdc, int x, int y, DWORD w, DWORD h, int sx, int sy, UINT start,
                      UINT lines, const void* bits, const BITMAPINFO* info, UINT usage) {
    auto dc = LookupDc(hdc);
    DibLayout dib;
    if (!dc || !bits || !ParseDib(info, usage, PaletteOf(hdc), dib) || w > 0x7FFFFFFF ||
        h > 0x7FFFFFFF)
        return 0;
    if (dib.compression == BI_RLE8 || dib.compression == BI_RLE4) {
        start = 0;
        lines = static_cast<UINT>(dib.height);
    }
    if (start >= static_cast<UINT>(dib.height))
        return 0;
    const int count =
        static_cast<int>(std::min<UINT>(lines, static_cast<UINT>(dib.height) - start));
    auto src = DecodeWhole(dib, bits, static_cast<int>(start), count);
    if (!src)
        return 0;
    // Image rows holding the given scan lines, and the source rectangle in image rows.
    const int rowA = dib.RowOfScan(static_cast<int>(start));
    const int rowB = dib.RowOfScan(static_cast<int>(start) + count - 1);
    const int validTop = std::min(rowA, rowB);
    const int validBottom = std::max(rowA, rowB) + 1;
    const int srcTop = dib.topDown ? sy : dib.height - sy - static_cast<int>(h);
    const int from = std::max(srcTop, validTop);
    const int to = std::min(srcTop + static_cast<int>(h), validBottom);
    if (from < to) {
        const int dy = y + (from - srcTop);
        dc->StretchSurface(x, dy, static_cast<int>(w), to - from, *src, sx, from,
                           static_cast<int>(w), to - from, SRCCOPY);
    }
    return count;
}
