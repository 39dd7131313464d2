// A plain 32-bit image: what the codecs produce and consume and what the printer output takes.
// Pixels are 0xAARRGGBB values, rows top-down without gaps.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace kq::gfx {

// The largest image any decoder will allocate. Hostile files can declare any size; this keeps an
// allocation bounded (a 64 Mpixel image is 256 MB).
constexpr int64_t kMaxImagePixels = 64LL * 1024 * 1024;

struct Image {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;
    // Icons and cursors: empty, or one entry per pixel, 1 where the AND mask is set (the screen
    // shows through, inverted where the colour is not black).
    std::vector<uint8_t> mask;

    Image() = default;
    Image(int w, int h, uint32_t fill = 0xFF000000u);

    bool Empty() const { return width <= 0 || height <= 0; }
    bool HasMask() const { return !mask.empty(); }
    uint32_t Pixel(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
    void SetPixel(int x, int y, uint32_t argb) {
        pixels[static_cast<size_t>(y) * width + x] = argb;
    }
    uint32_t* Row(int y) { return pixels.data() + static_cast<size_t>(y) * width; }
    const uint32_t* Row(int y) const { return pixels.data() + static_cast<size_t>(y) * width; }
    bool MaskBit(int x, int y) const { return mask[static_cast<size_t>(y) * width + x] != 0; }
};

// Whether a decoder may allocate an image of this size: both sides positive and the pixel count
// within kMaxImagePixels.
bool ImageSizeAllowed(int64_t width, int64_t height);

constexpr uint32_t MakeArgb(uint32_t a, uint32_t r, uint32_t g, uint32_t b) {
    return (a << 24) | (r << 16) | (g << 8) | b;
}
constexpr uint8_t AlphaOf(uint32_t argb) {
    return static_cast<uint8_t>(argb >> 24);
}
constexpr uint8_t RedOf(uint32_t argb) {
    return static_cast<uint8_t>(argb >> 16);
}
constexpr uint8_t GreenOf(uint32_t argb) {
    return static_cast<uint8_t>(argb >> 8);
}
constexpr uint8_t BlueOf(uint32_t argb) {
    return static_cast<uint8_t>(argb);
}

// The outcome of decoding: an image, or an error text saying what was wrong with the data.
struct ImageResult {
    Image image;
    std::string error;

    bool Ok() const { return error.empty(); }
    explicit operator bool() const { return Ok(); }

    static ImageResult Failure(std::string text) {
        ImageResult r;
        r.error = std::move(text);
        return r;
    }
};

}  // namespace kq::gfx
