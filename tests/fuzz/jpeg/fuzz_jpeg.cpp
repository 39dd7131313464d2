// Hostile JPEG data (pictures the operator loads): decoding never crashes, and a picture it
// accepts has the size it claims.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

#include "platform/gfx/codec/Jpeg.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const kq::gfx::ImageResult result = kq::gfx::DecodeJpeg(std::span<const uint8_t>(data, size));
    const kq::gfx::Image& image = result.image;
    if (!image.Empty() && image.pixels.size() != static_cast<size_t>(image.width) * image.height)
        std::abort();
    return 0;
}
