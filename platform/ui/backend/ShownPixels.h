// What a back end last put on its display, pixel by pixel, so that a repaint which left pixels
// as they were sends nothing and one that changed a few sends only the rows and columns around
// them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/gfx/Image.h"
#include "platform/ui/UiTypes.h"

namespace kq::ui {

// Pixels in rows `stride` pixels apart, read where they are.
struct PixelBlock {
    const uint32_t* first = nullptr;
    ptrdiff_t stride = 0;
    int width = 0;
    int height = 0;
    static PixelBlock Of(const kq::gfx::Image& image) {
        return PixelBlock{image.pixels.data(), image.width, image.width, image.height};
    }
};

class ShownPixels {
  public:
    // A display of this size whose content is not known (everything counts as changed). The
    // pixels are kept in `storage`, rows `width` apart, which the caller keeps for as long as
    // this size holds (the image the display reads them from); null: in memory of its own.
    void Resize(int width, int height, uint32_t* storage = nullptr);
    // The parts of the block, placed with its top-left pixel at `at` on the display, whose
    // pixels differ from what was shown there, as rectangles of block coordinates; the block
    // counts as shown afterwards (its changed pixels are in the storage).
    std::vector<RECT> Changes(const PixelBlock& block, POINT at);
    // The block counts as shown (it was put on the display whole).
    void Remember(const PixelBlock& block, POINT at);
    // What the display shows in the rows of this rectangle is no longer known (something else
    // was drawn over them).
    void Forget(const RECT& rect);

  private:
    // The part of the block on the display, in block coordinates; false when none is.
    bool Clip(const PixelBlock& block, POINT at, RECT& part) const;

    int width_ = 0;
    int height_ = 0;
    std::vector<uint32_t> own_;
    uint32_t* pixels_ = nullptr;
    std::vector<uint8_t> knownRows_;  // rows whose every pixel is known
};

}  // namespace kq::ui
