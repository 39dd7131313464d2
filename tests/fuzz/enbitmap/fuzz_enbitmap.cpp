// Image files as CEnBitmap loads them for printing: the input's first two bytes are an angle,
// the rest the file, written under each of the five extensions the loader knows, loaded and
// rotated. Images whose turn could need more than four million pixels (the turned picture fits
// in a square of the width plus the height) are loaded but not rotated, to keep memory bounded.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

#include "controls/EnBitmap.h"

namespace {

constexpr int64_t kMaxRotatedPixels = 1 << 22;

std::string TempPath(const char* extension) {
    return "/tmp/kq_fuzz_enbitmap_" + std::to_string(::getpid()) + extension;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2)
        return 0;
    const int angle = static_cast<int16_t>(data[0] | (data[1] << 8));
    for (const char* extension : {".bmp", ".ico", ".jpg", ".jpeg", ".gif"}) {
        const std::string path = TempPath(extension);
        if (FILE* f = std::fopen(path.c_str(), "wb")) {
            std::fwrite(data + 2, 1, size - 2, f);
            std::fclose(f);
        }
        CEnBitmap bitmap(0x00FFFFFF);
        if (bitmap.LoadImageFile(path.c_str())) {
            BITMAP bm{};
            bitmap.GetBitmap(&bm);
            const int64_t side = int64_t{bm.bmWidth} + bm.bmHeight;
            if (side * side <= kMaxRotatedPixels) {
                bitmap.RotateImage(angle, false);
                bitmap.RotateImage(angle, true);
            }
        }
        std::remove(path.c_str());
    }
    return 0;
}
