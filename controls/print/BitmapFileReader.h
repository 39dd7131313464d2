// Reading a BMP file for printing into one packed block: a 40-byte info header (a 12-byte core
// header is widened to it), the colour table with 4-byte entries (or the three bit-field masks)
// and the pixel bits. The file header is optional: without "BM" the file is read from its first
// byte as a header-less bitmap. Headers are checked before any size is trusted; sizes are
// computed in 64 bits and the block never exceeds kMaxBitmapBlock, nor twice the bits the
// file holds.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "platform/base/LegacyFile.h"
#include "platform/gfx/WinGdi.h"

namespace kq::print {

constexpr uint64_t kMaxBitmapBlock = 256ULL * 1024 * 1024;

// Where the bytes come from: a file, or memory.
class BitmapSource {
  public:
    virtual ~BitmapSource() = default;
    // Bytes read, fewer at the end.
    virtual size_t Read(void* dest, size_t count) = 0;
    virtual bool SeekTo(int64_t position) = 0;
    virtual int64_t Position() = 0;
    // Bytes from the start to the end.
    virtual int64_t Size() = 0;
};

// A file opened with OpenFile (any path length), closed with the object.
class LegacyFileSource : public BitmapSource {
  public:
    explicit LegacyFileSource(const char* path);
    ~LegacyFileSource() override;
    LegacyFileSource(const LegacyFileSource&) = delete;
    LegacyFileSource& operator=(const LegacyFileSource&) = delete;

    bool IsOpen() const { return m_file != HFILE_ERROR; }
    size_t Read(void* dest, size_t count) override;
    bool SeekTo(int64_t position) override;
    int64_t Position() override;
    int64_t Size() override;

  private:
    HFILE m_file = HFILE_ERROR;
};

class MemorySource : public BitmapSource {
  public:
    explicit MemorySource(std::span<const uint8_t> bytes) : m_bytes(bytes) {}
    size_t Read(void* dest, size_t count) override;
    bool SeekTo(int64_t position) override;
    int64_t Position() override { return static_cast<int64_t>(m_position); }
    int64_t Size() override { return static_cast<int64_t>(m_bytes.size()); }

  private:
    std::span<const uint8_t> m_bytes;
    size_t m_position = 0;
};

// Colours in the table of a header as read (core or info header): a non-zero colours-used of
// an info header, else 2, 16 or 256 by bit depth, else 0.
uint32_t ColorCount(const uint8_t* header);
// Bytes of the colour table as the file holds it (3 per entry after a core header, 4 after an
// info header, plus the 12 mask bytes of a bit-field bitmap).
uint32_t ColorTableBytes(const uint8_t* header);
// The header and colour table, with the source left at the first byte of the bits; nothing
// for a short, unknown or unacceptable header.
std::optional<std::vector<uint8_t>> ReadBitmapHeader(BitmapSource& source);
// Header, colour table and bits. Bits the source does not have stay zero, as long as it has
// at least as many as are missing; a source that holds less, or a compressed bitmap the source
// does not hold whole, gives nothing.
std::optional<std::vector<uint8_t>> ReadWholeBitmap(BitmapSource& source);
// The info header of a block; false for an empty one.
bool QueryBitmapHeader(const std::vector<uint8_t>& block, BITMAPINFOHEADER& out);
// The whole image of a block stretched into (x, y, width, height) of the DC with
// StretchDIBits; false when nothing was drawn.
bool StretchBitmap(HDC dc, int x, int y, int width, int height, const std::vector<uint8_t>& block);
// Reads count bytes in pieces of 32768; 0 when the source ran short.
size_t ReadInChunks(BitmapSource& source, uint8_t* dest, size_t count);

}  // namespace kq::print
