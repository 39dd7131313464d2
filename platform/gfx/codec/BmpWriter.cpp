#include "platform/gfx/codec/AtomicFile.h"
#include "platform/gfx/codec/Bmp.h"
#include "platform/gfx/codec/DibLayout.h"
#include "platform/gfx/codec/LittleEndian.h"

namespace kq::gfx {

namespace {

constexpr uint32_t kFileHeaderSize = 14;

}  // namespace

std::vector<uint8_t> EncodeDib(const Image& image, int bitsPerPixel) {
    if (image.Empty() || (bitsPerPixel != 24 && bitsPerPixel != 32)) {
        return {};
    }
    const uint64_t stride = DibRowBytes(image.width, bitsPerPixel);
    const uint64_t imageBytes = stride * static_cast<uint64_t>(image.height);
    if (imageBytes > 0xFFFFFFFFull - kInfoHeaderSize - kFileHeaderSize) {
        return {};
    }
    std::vector<uint8_t> out;
    out.reserve(kInfoHeaderSize + imageBytes);
    PutLe32(out, kInfoHeaderSize);
    PutLe32(out, static_cast<uint32_t>(image.width));
    PutLe32(out, static_cast<uint32_t>(image.height));  // positive: rows bottom-up
    PutLe16(out, 1);
    PutLe16(out, static_cast<uint32_t>(bitsPerPixel));
    PutLe32(out, kBiRgb);
    PutLe32(out, static_cast<uint32_t>(imageBytes));
    PutLe32(out, 0);  // resolutions and colour counts: not given
    PutLe32(out, 0);
    PutLe32(out, 0);
    PutLe32(out, 0);
    const size_t bytesPerPixel = static_cast<size_t>(bitsPerPixel) / 8;
    for (int y = image.height - 1; y >= 0; --y) {
        const uint32_t* row = image.Row(y);
        const size_t rowStart = out.size();
        for (int x = 0; x < image.width; ++x) {
            out.push_back(BlueOf(row[x]));
            out.push_back(GreenOf(row[x]));
            out.push_back(RedOf(row[x]));
            if (bytesPerPixel == 4) {
                out.push_back(0);
            }
        }
        out.resize(rowStart + stride, 0);
    }
    return out;
}

std::vector<uint8_t> EncodeBmp(const Image& image, int bitsPerPixel) {
    std::vector<uint8_t> dib = EncodeDib(image, bitsPerPixel);
    if (dib.empty()) {
        return {};
    }
    std::vector<uint8_t> out;
    out.reserve(kFileHeaderSize + dib.size());
    out.push_back('B');
    out.push_back('M');
    PutLe32(out, static_cast<uint32_t>(kFileHeaderSize + dib.size()));
    PutLe32(out, 0);
    PutLe32(out, kFileHeaderSize + kInfoHeaderSize);
    out.insert(out.end(), dib.begin(), dib.end());
    return out;
}

bool SaveBmpFile(const std::string& path, const Image& image, int bitsPerPixel,
                 std::string* error) {
    const std::vector<uint8_t> bytes = EncodeBmp(image, bitsPerPixel);
    std::string text;
    if (bytes.empty()) {
        text = "image cannot be written as a BMP file of this depth";
    } else if (WriteFileAtomically(path, bytes, text)) {
        return true;
    }
    if (error) {
        *error = text;
    }
    return false;
}

}  // namespace kq::gfx
