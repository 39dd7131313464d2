// Decoding one icon or cursor image: colour bits, then the 1-bit AND mask, both bottom-up.
#include "platform/gfx/codec/DibLayout.h"
#include "platform/gfx/codec/Ico.h"
#include "platform/gfx/codec/Png.h"

namespace kq::gfx {

namespace {

// An image without alpha takes it from the mask; a 32-bit image whose alpha bytes are all zero
// was made for a system that ignored them and does the same.
void DeriveAlpha(Image& image, int bitCount) {
    bool hasAlpha = false;
    if (bitCount == 32) {
        for (uint32_t p : image.pixels) {
            if (AlphaOf(p) != 0) {
                hasAlpha = true;
                break;
            }
        }
    }
    if (hasAlpha) {
        return;
    }
    for (size_t i = 0; i < image.pixels.size(); ++i) {
        const uint32_t rgb = image.pixels[i] & 0x00FFFFFFu;
        image.pixels[i] = image.mask[i] ? rgb : (0xFF000000u | rgb);
    }
}

ImageResult DecodePngIcon(std::span<const uint8_t> data) {
    ImageResult result = DecodePng(data);
    if (!result) {
        return result;
    }
    Image& image = result.image;
    image.mask.assign(image.pixels.size(), 0);
    for (size_t i = 0; i < image.pixels.size(); ++i) {
        if (AlphaOf(image.pixels[i]) == 0) {
            image.pixels[i] = 0;
            image.mask[i] = 1;
        }
    }
    return result;
}

}  // namespace

ImageResult DecodeIconImage(std::span<const uint8_t> data) {
    if (HasPngSignature(data)) {
        return DecodePngIcon(data);
    }
    DibFileLayout layout;
    std::string error;
    if (!ParseDibLayout(data, DibKind::Icon, layout, error)) {
        return ImageResult::Failure(error);
    }
    const std::span<const uint8_t> bits = data.subspan(layout.bitsOffset);
    const uint64_t colourBytes =
        DibRowBytes(layout.width, layout.bitCount) * static_cast<uint64_t>(layout.height);
    const uint64_t maskStride = DibRowBytes(layout.width, 1);
    const uint64_t maskBytes = maskStride * static_cast<uint64_t>(layout.height - 1) +
                               (static_cast<uint64_t>(layout.width) + 7) / 8;
    if (colourBytes > bits.size() || maskBytes > bits.size() - colourBytes) {
        return ImageResult::Failure("icon image runs past the end of the data");
    }
    ImageResult result;
    Image& image = result.image;
    if (!DecodeDibBits(layout, bits.first(colourBytes), image, error)) {
        return ImageResult::Failure(error);
    }
    image.mask.assign(image.pixels.size(), 0);
    const uint8_t* mask = bits.data() + colourBytes;
    for (int fileRow = 0; fileRow < layout.height; ++fileRow) {
        const uint8_t* row = mask + maskStride * static_cast<uint64_t>(fileRow);
        const int y = layout.height - 1 - fileRow;
        for (int x = 0; x < layout.width; ++x) {
            image.mask[static_cast<size_t>(y) * image.width + x] = (row[x / 8] >> (7 - x % 8)) & 1;
        }
    }
    DeriveAlpha(image, layout.bitCount);
    return result;
}

}  // namespace kq::gfx
