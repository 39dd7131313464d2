#include <cstddef>
#include <cstdint>
#include <span>

#include "platform/gfx/codec/Gif.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    kq::gfx::DecodeGif(std::span<const uint8_t>(data, size));
    return 0;
}
