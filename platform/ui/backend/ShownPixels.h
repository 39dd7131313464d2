// What a back end last put on its display, pixel by pixel, so that a repaint which left pixels
// as they were sends nothing and one that changed a few sends only the rows and columns around
// them.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/gfx/Image.h"
#include "platform/ui/UiTypes.h"

namespace kq::ui {

class ShownPixels {
  public:
    // A display of this size whose content is not known (everything counts as changed).
    void Resize(int width, int height);
    // The parts of `image`, placed with its top-left pixel at `at` on the display, whose pixels
    // differ from what was shown there, as rectangles of image coordinates; the image counts as
    // shown afterwards.
    std::vector<RECT> Changes(const kq::gfx::Image& image, POINT at);
    // The image counts as shown (it was put on the display whole).
    void Remember(const kq::gfx::Image& image, POINT at);

  private:
    // The part of the image on the display, in image coordinates; false when none is.
    bool Clip(const kq::gfx::Image& image, POINT at, int& left, int& top, int& right,
              int& bottom) const;

    int width_ = 0;
    int height_ = 0;
    std::vector<uint32_t> pixels_;
};

}  // namespace kq::ui
