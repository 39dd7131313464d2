// Icon and cursor files at a few wanted sizes and depths, and the bytes as one icon image.
#include <cstddef>
#include <cstdint>
#include <span>

#include "platform/gfx/codec/Ico.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::span<const uint8_t> bytes(data, size);
    kq::gfx::DecodeIcon(bytes);
    kq::gfx::DecodeIcon(bytes, 16, 16, 4);
    kq::gfx::DecodeIcon(bytes, 256, 256, 32);
    kq::gfx::DecodeIconImage(bytes);
    return 0;
}
