// Pictures of the X screen and their comparison tile by tile: what a dialog or a menu covered
// must come back as it was once it has gone.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace x11test {

struct Box {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool Empty() const { return right <= left || bottom <= top; }
    bool Contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
    int CentreX() const { return (left + right) / 2; }
    int CentreY() const { return (top + bottom) / 2; }
    bool operator==(const Box&) const = default;
};

// The smallest box holding both (an empty box adds nothing).
Box Union(const Box& a, const Box& b);
Box Intersection(const Box& a, const Box& b);

struct Picture {
    Box box;                       // where on the screen it was taken
    std::vector<uint32_t> pixels;  // 0xRRGGBB, row by row

    bool Empty() const { return pixels.empty(); }
    // The pixel at screen coordinates inside the box.
    uint32_t At(int x, int y) const {
        return pixels[static_cast<size_t>((y - box.top) * box.Width() + (x - box.left))];
    }
    // The same pixels in the part of `area` both pictures hold.
    bool SameAs(const Picture& other, const Box& area) const;
};

// The tiles (squares of `tile` pixels, screen coordinates) in which two pictures of the same box
// differ.
std::vector<Box> ChangedTiles(const Picture& a, const Picture& b, int tile = 16);
// The smallest box holding every pixel in which two pictures of the same box differ.
Box ChangedPixels(const Picture& a, const Picture& b);
// The bounds of the tiles; empty for none.
Box BoundsOf(const std::vector<Box>& tiles);

// Writes the picture as a binary PPM file, for a look at what a failing step saw.
void SavePicture(const Picture& picture, const std::string& path);

}  // namespace x11test
