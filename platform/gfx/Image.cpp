#include "platform/gfx/Image.h"

namespace kq::gfx {

Image::Image(int w, int h, uint32_t fill)
    : width(w > 0 && h > 0 ? w : 0),
      height(w > 0 && h > 0 ? h : 0),
      pixels(static_cast<size_t>(width) * static_cast<size_t>(height), fill) {}

bool ImageSizeAllowed(int64_t width, int64_t height) {
    if (width <= 0 || height <= 0 || width > kMaxImagePixels || height > kMaxImagePixels) {
        return false;
    }
    return width * height <= kMaxImagePixels;
}

}  // namespace kq::gfx
