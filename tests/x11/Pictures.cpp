#include "Pictures.h"

#include <algorithm>
#include <cstdio>

namespace x11test {

Box Union(const Box& a, const Box& b) {
    if (a.Empty())
        return b;
    if (b.Empty())
        return a;
    return Box{std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
               std::max(a.bottom, b.bottom)};
}

Box Intersection(const Box& a, const Box& b) {
    Box r{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
          std::min(a.bottom, b.bottom)};
    return r.Empty() ? Box{} : r;
}

bool Picture::SameAs(const Picture& other, const Box& area) const {
    const Box common = Intersection(Intersection(box, other.box), area);
    for (int y = common.top; y < common.bottom; ++y)
        for (int x = common.left; x < common.right; ++x)
            if (At(x, y) != other.At(x, y))
                return false;
    return true;
}

std::vector<Box> ChangedTiles(const Picture& a, const Picture& b, int tile) {
    std::vector<Box> tiles;
    const Box common = Intersection(a.box, b.box);
    for (int top = common.top; top < common.bottom; top += tile) {
        for (int left = common.left; left < common.right; left += tile) {
            const Box t{left, top, std::min(left + tile, common.right),
                        std::min(top + tile, common.bottom)};
            if (!a.SameAs(b, t))
                tiles.push_back(t);
        }
    }
    return tiles;
}

Box ChangedPixels(const Picture& a, const Picture& b) {
    Box bounds;
    const Box common = Intersection(a.box, b.box);
    for (int y = common.top; y < common.bottom; ++y)
        for (int x = common.left; x < common.right; ++x)
            if (a.At(x, y) != b.At(x, y))
                bounds = Union(bounds, Box{x, y, x + 1, y + 1});
    return bounds;
}

Box BoundsOf(const std::vector<Box>& tiles) {
    Box bounds;
    for (const Box& t : tiles)
        bounds = Union(bounds, t);
    return bounds;
}

void SavePicture(const Picture& picture, const std::string& path) {
    FILE* f = std::fopen(path.c_str(), "wb");
    if (f == nullptr)
        return;
    std::fprintf(f, "P6\n%d %d\n255\n", picture.box.Width(), picture.box.Height());
    for (uint32_t p : picture.pixels) {
        const unsigned char rgb[3] = {static_cast<unsigned char>(p >> 16),
                                      static_cast<unsigned char>(p >> 8),
                                      static_cast<unsigned char>(p)};
        std::fwrite(rgb, 1, 3, f);
    }
    std::fclose(f);
}

}  // namespace x11test
