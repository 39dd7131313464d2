#include "platform/ui/backend/ShownPixels.h"

#include <algorithm>
#include <cstring>

namespace kq::ui {
namespace {

// Changed rows this close together go out as one rectangle (fewer, larger requests).
constexpr int kRowGap = 8;
// Pixels compared at once where a changed row is searched for its first and last change.
constexpr int kBlock = 16;

}  // namespace

void ShownPixels::Resize(int width, int height, uint32_t* storage) {
    width_ = std::max(width, 0);
    height_ = std::max(height, 0);
    if (storage) {
        own_ = {};
        pixels_ = storage;
    } else {
        own_.assign(static_cast<size_t>(width_) * static_cast<size_t>(height_), 0);
        pixels_ = own_.data();
    }
    knownRows_.assign(static_cast<size_t>(height_), 0);
}

bool ShownPixels::Clip(const PixelBlock& block, POINT at, RECT& part) const {
    part.left = std::max(0, -at.x);
    part.top = std::max(0, -at.y);
    part.right = std::min(block.width, width_ - at.x);
    part.bottom = std::min(block.height, height_ - at.y);
    return part.left < part.right && part.top < part.bottom;
}

std::vector<RECT> ShownPixels::Changes(const PixelBlock& block, POINT at) {
    std::vector<RECT> changes;
    if (block.width <= 0 || block.height <= 0)
        return changes;
    RECT part{};
    if (!Clip(block, at, part)) {
        changes.push_back(RECT{0, 0, block.width, block.height});
        return changes;
    }
    const int span = part.right - part.left;
    const bool wholeRow = at.x + part.left == 0 && span == width_;
    RECT band{};
    bool open = false;
    for (int y = part.top; y < part.bottom; ++y) {
        const uint32_t* now = block.first + static_cast<ptrdiff_t>(y) * block.stride + part.left;
        const size_t row = static_cast<size_t>(y + at.y);
        uint32_t* shown = pixels_ + row * width_ + at.x + part.left;
        int first = 0;
        int last = span - 1;
        if (knownRows_[row]) {
            if (std::memcmp(now, shown, static_cast<size_t>(span) * sizeof(uint32_t)) == 0)
                continue;
            // Equal blocks are passed by memcmp, the last few pixel by pixel.
            while (first + kBlock <= span &&
                   std::memcmp(now + first, shown + first, kBlock * sizeof(uint32_t)) == 0)
                first += kBlock;
            while (now[first] == shown[first])
                ++first;
            while (last + 1 - kBlock > first &&
                   std::memcmp(now + last + 1 - kBlock, shown + last + 1 - kBlock,
                               kBlock * sizeof(uint32_t)) == 0)
                last -= kBlock;
            while (now[last] == shown[last])
                --last;
        } else if (wholeRow) {
            knownRows_[row] = 1;
        }
        std::memcpy(shown + first, now + first,
                    static_cast<size_t>(last - first + 1) * sizeof(uint32_t));
        const RECT changed{part.left + first, y, part.left + last + 1, y + 1};
        if (open && y - band.bottom <= kRowGap) {
            band.left = std::min(band.left, changed.left);
            band.right = std::max(band.right, changed.right);
            band.bottom = changed.bottom;
            continue;
        }
        if (open)
            changes.push_back(band);
        band = changed;
        open = true;
    }
    if (open)
        changes.push_back(band);
    return changes;
}

void ShownPixels::Remember(const PixelBlock& block, POINT at) {
    RECT part{};
    if (block.width <= 0 || block.height <= 0 || !Clip(block, at, part))
        return;
    const int span = part.right - part.left;
    const bool wholeRow = at.x + part.left == 0 && span == width_;
    for (int y = part.top; y < part.bottom; ++y) {
        const size_t row = static_cast<size_t>(y + at.y);
        std::memcpy(pixels_ + row * width_ + at.x + part.left,
                    block.first + static_cast<ptrdiff_t>(y) * block.stride + part.left,
                    static_cast<size_t>(span) * sizeof(uint32_t));
        if (wholeRow)
            knownRows_[row] = 1;
    }
}

void ShownPixels::Forget(const RECT& rect) {
    const int top = std::max<int>(rect.top, 0);
    const int bottom = std::min<int>(rect.bottom, height_);
    for (int y = top; y < bottom; ++y)
        knownRows_[static_cast<size_t>(y)] = 0;
}

}  // namespace kq::ui
