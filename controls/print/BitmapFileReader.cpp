// The reading rules of a BMP file for printing: the optional file header, a 40- or 12-byte
// info header, the colour table, and the bits at the file's bits offset or right after the
// table. A header that could make a size wrap, or that the drawing code would read past, is
// refused here.
#include "controls/print/BitmapFileReader.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <new>

#include "platform/gfx/GdiConstants.h"

namespace kq::print {

namespace {

constexpr uint16_t kBmType = 0x4D42;  // "BM"
constexpr size_t kFileHeaderBytes = 14;
constexpr size_t kInfoHeaderBytes = 40;
constexpr uint32_t kCoreHeaderBytes = 12;
constexpr uint32_t kMaskBytes = 12;
constexpr size_t kChunkBytes = 32768;
constexpr uint32_t kMaxColoursAbove8Bits = 256;
constexpr uint64_t kMaxRunPixelsPerByte = 128;

uint16_t Le16(const uint8_t* p) {
    return static_cast<uint16_t>(p[0] | (p[1] << 8));
}

uint32_t Le32(const uint8_t* p) {
    return uint32_t{p[0]} | (uint32_t{p[1]} << 8) | (uint32_t{p[2]} << 16) | (uint32_t{p[3]} << 24);
}

bool IsCore(const uint8_t* header) {
    return Le32(header) == kCoreHeaderBytes;
}

int BitsPerPixel(const uint8_t* header) {
    return IsCore(header) ? Le16(header + 10) : Le16(header + 14);
}

bool DepthAllowed(int bits) {
    return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
}

// The checks every size computed later relies on.
bool HeaderAcceptable(const BITMAPINFOHEADER& h) {
    if (h.biWidth <= 0 || h.biHeight == 0 || h.biHeight == INT_MIN || h.biPlanes != 1 ||
        !DepthAllowed(h.biBitCount))
        return false;
    const uint32_t maxColours = h.biBitCount <= 8 ? 1u << h.biBitCount : kMaxColoursAbove8Bits;
    if (h.biClrUsed > maxColours)
        return false;
    switch (h.biCompression) {
        case BI_RGB:
            return true;
        case BI_BITFIELDS:
            return h.biBitCount == 16 || h.biBitCount == 32;
        case BI_RLE8:
            return h.biBitCount == 8 && h.biHeight > 0;
        case BI_RLE4:
            return h.biBitCount == 4 && h.biHeight > 0;
        default:
            return false;
    }
}

// The 40-byte header for a core header's fields.
BITMAPINFOHEADER WidenedCoreHeader(const uint8_t* raw, uint32_t colours) {
    BITMAPINFOHEADER h{};
    h.biSize = kInfoHeaderBytes;
    h.biWidth = Le16(raw + 4);
    h.biHeight = Le16(raw + 6);
    h.biPlanes = Le16(raw + 8);
    h.biBitCount = Le16(raw + 10);
    h.biClrUsed = colours;
    h.biClrImportant = colours;
    return h;
}

// Three-byte table entries (blue, green, red) widened in place to four, last entry first.
void WidenCoreTable(uint8_t* table, uint32_t colours) {
    for (uint32_t i = colours; i-- > 0;) {
        const uint8_t blue = table[i * 3], green = table[i * 3 + 1], red = table[i * 3 + 2];
        table[i * 4] = blue;
        table[i * 4 + 1] = green;
        table[i * 4 + 2] = red;
        table[i * 4 + 3] = 0;
    }
}

}  // namespace

LegacyFileSource::LegacyFileSource(const char* path) {
    OFSTRUCT info{};
    if (path != nullptr && *path != '\0')
        m_file = ::OpenFile(path, &info, OF_READ);
}

LegacyFileSource::~LegacyFileSource() {
    if (m_file != HFILE_ERROR)
        ::_lclose(m_file);
}

size_t LegacyFileSource::Read(void* dest, size_t count) {
    const UINT read = ::_lread(m_file, dest, static_cast<UINT>(std::min<size_t>(count, INT_MAX)));
    return read == static_cast<UINT>(HFILE_ERROR) ? 0 : read;
}

bool LegacyFileSource::SeekTo(int64_t position) {
    if (position < 0 || position > LONG_MAX)
        return false;
    return ::_llseek(m_file, static_cast<LONG>(position), 0) != HFILE_ERROR;
}

int64_t LegacyFileSource::Position() {
    return ::_llseek(m_file, 0, 1);
}

int64_t LegacyFileSource::Size() {
    const LONG here = ::_llseek(m_file, 0, 1);
    const LONG end = ::_llseek(m_file, 0, 2);
    ::_llseek(m_file, here, 0);
    return end;
}

size_t MemorySource::Read(void* dest, size_t count) {
    const size_t n = std::min(count, m_bytes.size() - m_position);
    if (n > 0)
        std::memcpy(dest, m_bytes.data() + m_position, n);
    m_position += n;
    return n;
}

bool MemorySource::SeekTo(int64_t position) {
    if (position < 0)
        return false;
    m_position = static_cast<size_t>(std::min<uint64_t>(position, m_bytes.size()));
    return true;
}

uint32_t ColorCount(const uint8_t* header) {
    if (!IsCore(header)) {
        const uint32_t used = Le32(header + 32);
        if (used != 0)
            return used;
    }
    switch (BitsPerPixel(header)) {
        case 1:
            return 2;
        case 4:
            return 16;
        case 8:
            return 256;
        default:
            return 0;
    }
}

uint32_t ColorTableBytes(const uint8_t* header) {
    // Colour counts are checked (at most 256) before a table is read.
    const uint32_t colours = std::min<uint32_t>(ColorCount(header), kMaxColoursAbove8Bits);
    if (IsCore(header))
        return colours * 3;
    const bool bitFields = Le32(header + 16) == BI_BITFIELDS;
    return colours * 4 + (bitFields ? kMaskBytes : 0);
}

std::optional<std::vector<uint8_t>> ReadBitmapHeader(BitmapSource& source) {
    const int64_t start = source.Position();
    uint8_t fileHeader[kFileHeaderBytes];
    if (source.Read(fileHeader, sizeof(fileHeader)) < sizeof(fileHeader))
        return std::nullopt;
    uint32_t bitsOffset = 0;
    if (Le16(fileHeader) == kBmType)
        bitsOffset = Le32(fileHeader + 10);
    else if (!source.SeekTo(start))
        return std::nullopt;

    uint8_t raw[kInfoHeaderBytes];
    if (source.Read(raw, sizeof(raw)) < sizeof(raw))
        return std::nullopt;
    const uint32_t colours = ColorCount(raw);
    const bool core = IsCore(raw);
    BITMAPINFOHEADER h{};
    if (core) {
        h = WidenedCoreHeader(raw, colours);
        // Back to just after the 12-byte header, where the table starts.
        if (!source.SeekTo(source.Position() - (kInfoHeaderBytes - kCoreHeaderBytes)))
            return std::nullopt;
    } else if (Le32(raw) == kInfoHeaderBytes) {
        std::memcpy(&h, raw, sizeof(h));
    } else {
        return std::nullopt;
    }
    if (!HeaderAcceptable(h))
        return std::nullopt;

    // Uncompressed bits are always as long as the rows need, whatever the header says.
    const uint64_t rows = static_cast<uint64_t>(h.biHeight < 0 ? -int64_t{h.biHeight} : h.biHeight);
    const uint64_t stride = (uint64_t{h.biBitCount} * uint64_t(h.biWidth) + 31) / 32 * 4;
    const bool compressed = h.biCompression == BI_RLE8 || h.biCompression == BI_RLE4;
    const uint64_t imageBytes = compressed && h.biSizeImage != 0 ? h.biSizeImage : stride * rows;
    if (h.biClrUsed == 0)
        h.biClrUsed = colours;
    std::memcpy(raw, &h, sizeof(h));
    const uint32_t tableBytes = ColorTableBytes(raw);
    if (kInfoHeaderBytes + tableBytes + imageBytes > kMaxBitmapBlock)
        return std::nullopt;
    h.biSizeImage = static_cast<DWORD>(imageBytes);

    std::vector<uint8_t> block(kInfoHeaderBytes + tableBytes);
    std::memcpy(block.data(), &h, sizeof(h));
    if (core) {
        source.Read(block.data() + kInfoHeaderBytes, size_t{h.biClrUsed} * 3);
        WidenCoreTable(block.data() + kInfoHeaderBytes, h.biClrUsed);
    } else {
        source.Read(block.data() + kInfoHeaderBytes, tableBytes);
    }
    if (bitsOffset != 0)
        source.SeekTo(start + bitsOffset);
    return block;
}

std::optional<std::vector<uint8_t>> ReadWholeBitmap(BitmapSource& source) {
    std::optional<std::vector<uint8_t>> block = ReadBitmapHeader(source);
    if (!block)
        return std::nullopt;
    BITMAPINFOHEADER h;
    std::memcpy(&h, block->data(), sizeof(h));
    // Missing bits read as zero, but a header is not believed beyond what the file holds: a
    // few bytes declaring millions of pixels are refused.
    const int64_t held = std::max<int64_t>(source.Size() - source.Position(), 0);
    const bool compressed = h.biCompression == BI_RLE8 || h.biCompression == BI_RLE4;
    if (held < int64_t{h.biSizeImage} && (compressed || int64_t{h.biSizeImage} - held > held))
        return std::nullopt;
    // Nor are runs believed to paint more pixels than their bytes can: two bytes make a run of
    // at most 255.
    const uint64_t pixels = uint64_t(h.biWidth) * uint64_t(std::abs(int64_t{h.biHeight}));
    if (compressed && pixels > kMaxRunPixelsPerByte * h.biSizeImage)
        return std::nullopt;
    const size_t offset = block->size();
    try {
        block->resize(offset + h.biSizeImage);
    } catch (const std::bad_alloc&) {
        return std::nullopt;
    }
    // A short file leaves the missing bits zero.
    ReadInChunks(source, block->data() + offset, h.biSizeImage);
    return block;
}

bool QueryBitmapHeader(const std::vector<uint8_t>& block, BITMAPINFOHEADER& out) {
    if (block.size() < kInfoHeaderBytes)
        return false;
    std::memcpy(&out, block.data(), sizeof(out));
    return true;
}

size_t ReadInChunks(BitmapSource& source, uint8_t* dest, size_t count) {
    size_t remaining = count;
    while (remaining > kChunkBytes) {
        if (source.Read(dest, kChunkBytes) < kChunkBytes)
            return 0;
        dest += kChunkBytes;
        remaining -= kChunkBytes;
    }
    if (source.Read(dest, remaining) < remaining)
        return 0;
    return count;
}

}  // namespace kq::print
