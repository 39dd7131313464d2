#include "platform/gfx/codec/Bmp.h"
#include "platform/gfx/codec/DibLayout.h"
#include "platform/gfx/codec/FileBytes.h"
#include "platform/gfx/codec/LittleEndian.h"

namespace kq::gfx {

namespace {

constexpr size_t kFileHeaderSize = 14;

ImageResult DecodeDibAt(std::span<const uint8_t> dib, size_t bitsOffset) {
    DibFileLayout layout;
    std::string error;
    if (!ParseDibLayout(dib, DibKind::Bitmap, layout, error)) {
        return ImageResult::Failure(error);
    }
    const size_t start = bitsOffset != 0 ? bitsOffset : layout.bitsOffset;
    if (start > dib.size()) {
        return ImageResult::Failure("pixel data starts past the end of the data");
    }
    ImageResult result;
    if (!DecodeDibBits(layout, dib.subspan(start), result.image, error)) {
        return ImageResult::Failure(error);
    }
    return result;
}

}  // namespace

ImageResult DecodeBmp(std::span<const uint8_t> file) {
    if (file.size() < kFileHeaderSize || file[0] != 'B' || file[1] != 'M') {
        return ImageResult::Failure("not a BMP file");
    }
    const uint32_t bitsOffset = Le32(file.data() + 10);
    if (bitsOffset != 0 && bitsOffset < kFileHeaderSize) {
        return ImageResult::Failure("pixel data offset points into the file header");
    }
    return DecodeDibAt(file.subspan(kFileHeaderSize),
                       bitsOffset == 0 ? 0 : bitsOffset - kFileHeaderSize);
}

ImageResult DecodeDib(std::span<const uint8_t> dib, size_t bitsOffset) {
    return DecodeDibAt(dib, bitsOffset);
}

ImageResult LoadBmpFile(const std::string& path) {
    std::vector<uint8_t> bytes;
    std::string error;
    if (!ReadFileBytes(path, bytes, error)) {
        return ImageResult::Failure(error);
    }
    return DecodeBmp(bytes);
}

}  // namespace kq::gfx
