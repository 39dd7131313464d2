// BMP files, and the same bytes as a packed DIB (with and without the file header in front).
#include <cstddef>
#include <cstdint>
#include <span>

#include "platform/gfx/codec/Bmp.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::span<const uint8_t> bytes(data, size);
    kq::gfx::DecodeBmp(bytes);
    kq::gfx::DecodeDib(bytes);
    if (size > 14) {
        kq::gfx::DecodeDib(bytes.subspan(14));
        kq::gfx::DecodeDib(bytes.subspan(14), data[0]);
    }
    return 0;
}
