#include "platform/gfx/ImageOps.h"

namespace kq::gfx {

Image ScaleImage(const Image& image, int width, int height) {
    if (image.Empty() || !ImageSizeAllowed(width, height)) {
        return Image();
    }
    if (width == image.width && height == image.height) {
        return image;
    }
    Image out(width, height);
    if (image.HasMask()) {
        out.mask.resize(out.pixels.size());
    }
    for (int y = 0; y < height; ++y) {
        const int sy = static_cast<int>(static_cast<int64_t>(y) * image.height / height);
        for (int x = 0; x < width; ++x) {
            const int sx = static_cast<int>(static_cast<int64_t>(x) * image.width / width);
            out.SetPixel(x, y, image.Pixel(sx, sy));
            if (image.HasMask()) {
                out.mask[static_cast<size_t>(y) * width + x] = image.MaskBit(sx, sy) ? 1 : 0;
            }
        }
    }
    return out;
}

Image FlattenImage(const Image& image, uint32_t background) {
    Image out(image.width, image.height);
    for (size_t i = 0; i < image.pixels.size(); ++i) {
        const uint32_t p = image.pixels[i];
        const uint32_t a = AlphaOf(p);
        const auto mix = [a](uint32_t fg, uint32_t bg) {
            return (fg * a + bg * (255 - a) + 127) / 255;
        };
        out.pixels[i] =
            MakeArgb(0xFF, mix(RedOf(p), (background >> 16) & 0xFF),
                     mix(GreenOf(p), (background >> 8) & 0xFF), mix(BlueOf(p), background & 0xFF));
    }
    return out;
}

}  // namespace kq::gfx
