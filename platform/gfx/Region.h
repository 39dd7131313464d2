// A region: a set of pixels kept as horizontal bands, each with sorted, disjoint, non-touching
// spans [x0, x1). Bands are sorted, do not overlap and neighbouring bands with equal spans are
// merged, so two regions covering the same pixels compare equal. Right and bottom are outside,
// as for RECT.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/base/WinTypes.h"

namespace kq::gfx {

class Region {
  public:
    struct Band {
        int top;
        int bottom;
        std::vector<int> spans;  // x0, x1, x0, x1, ...
        bool operator==(const Band&) const = default;
    };
    enum class Op { And, Or, Xor, Diff };

    // Coordinates are kept within this range, so that offsets and sizes never overflow.
    static constexpr int kLimit = 1 << 30;

    Region() = default;
    explicit Region(const RECT& rc);
    static Region FromRect(int64_t left, int64_t top, int64_t right, int64_t bottom);
    // Builds a region from one sorted span list per row starting at row `top`.
    static Region FromRows(int top, const std::vector<std::vector<int>>& rowSpans);

    bool IsEmpty() const { return bands_.empty(); }
    // NULLREGION, SIMPLEREGION or COMPLEXREGION.
    int Complexity() const;
    RECT Bounds() const;
    bool Contains(int x, int y) const;
    bool Intersects(const RECT& rc) const;
    bool operator==(const Region& o) const { return bands_ == o.bands_; }

    void Offset(int64_t dx, int64_t dy);
    void IntersectRect(const RECT& rc);
    static Region Combine(const Region& a, const Region& b, Op op);

    const std::vector<Band>& Bands() const { return bands_; }
    // The band that holds row y, or null.
    const Band* BandAt(int y) const;
    std::vector<RECT> Rects() const;

  private:
    void Coalesce();
    std::vector<Band> bands_;
};

}  // namespace kq::gfx
