#include "platform/ui/backend/ShownPixels.h"

#include <algorithm>
#include <cstring>

namespace kq::ui {
namespace {

// Never a shown pixel: the screen's pixels are opaque.
constexpr uint32_t kUnknown = 0;
// Changed rows this close together go out as one rectangle (fewer, larger requests).
constexpr int kRowGap = 8;

}  // namespace

void ShownPixels::Resize(int width, int height) {
    width_ = std::max(width, 0);
    height_ = std::max(height, 0);
    pixels_.assign(static_cast<size_t>(width_) * static_cast<size_t>(height_), kUnknown);
}

bool ShownPixels::Clip(const kq::gfx::Image& image, POINT at, int& left, int& top, int& right,
                       int& bottom) const {
    left = std::max(0, -at.x);
    top = std::max(0, -at.y);
    right = std::min(image.width, width_ - at.x);
    bottom = std::min(image.height, height_ - at.y);
    return left < right && top < bottom;
}

std::vector<RECT> ShownPixels::Changes(const kq::gfx::Image& image, POINT at) {
    std::vector<RECT> changes;
    int left = 0, top = 0, right = 0, bottom = 0;
    if (image.Empty())
        return changes;
    if (!Clip(image, at, left, top, right, bottom)) {
        changes.push_back(RECT{0, 0, image.width, image.height});
        return changes;
    }
    const size_t rowBytes = static_cast<size_t>(right - left) * sizeof(uint32_t);
    RECT band{};
    bool open = false;
    for (int y = top; y < bottom; ++y) {
        const uint32_t* now = image.Row(y) + left;
        uint32_t* shown = pixels_.data() + static_cast<size_t>(y + at.y) * width_ + at.x + left;
        if (std::memcmp(now, shown, rowBytes) == 0)
            continue;
        int first = 0;
        while (now[first] == shown[first])
            ++first;
        int last = right - left - 1;
        while (now[last] == shown[last])
            --last;
        std::memcpy(shown + first, now + first,
                    static_cast<size_t>(last - first + 1) * sizeof(uint32_t));
        const RECT row{left + first, y, left + last + 1, y + 1};
        if (open && y - band.bottom <= kRowGap) {
            band.left = std::min(band.left, row.left);
            band.right = std::max(band.right, row.right);
            band.bottom = row.bottom;
            continue;
        }
        if (open)
            changes.push_back(band);
        band = row;
        open = true;
    }
    if (open)
        changes.push_back(band);
    return changes;
}

void ShownPixels::Remember(const kq::gfx::Image& image, POINT at) {
    int left = 0, top = 0, right = 0, bottom = 0;
    if (image.Empty() || !Clip(image, at, left, top, right, bottom))
        return;
    const size_t rowBytes = static_cast<size_t>(right - left) * sizeof(uint32_t);
    for (int y = top; y < bottom; ++y)
        std::memcpy(pixels_.data() + static_cast<size_t>(y + at.y) * width_ + at.x + left,
                    image.Row(y) + left, rowBytes);
}

}  // namespace kq::ui
