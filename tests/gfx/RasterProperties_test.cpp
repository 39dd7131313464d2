// Randomised checks of the raster core against plain per-pixel definitions.
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "GfxTestUtil.h"
#include "platform/gfx/LineRaster.h"
#include "platform/gfx/PolygonRaster.h"
#include "platform/gfx/Region.h"

using kq::gfx::Region;

namespace {

constexpr int kSize = 24;

struct Grid {
    std::vector<bool> on = std::vector<bool>(kSize * kSize, false);
    bool At(int x, int y) const { return on[static_cast<size_t>(y * kSize + x)]; }
    void Set(int x, int y, bool v) { on[static_cast<size_t>(y * kSize + x)] = v; }
};

RECT RandomRect(std::mt19937& rng) {
    std::uniform_int_distribution<int> d(-2, kSize + 2);
    int a = d(rng), b = d(rng), c = d(rng), e = d(rng);
    return RECT{std::min(a, b), std::min(c, e), std::max(a, b), std::max(c, e)};
}

}  // namespace

TEST(RasterProperties, RegionAlgebraMatchesPixelSets) {
    std::mt19937 rng(7);
    for (int round = 0; round < 200; ++round) {
        Region a, b;
        Grid ga, gb;
        for (int k = 0; k < 4; ++k) {
            const RECT ra = RandomRect(rng);
            const RECT rb = RandomRect(rng);
            a = Region::Combine(a, Region(ra), Region::Op::Or);
            b = Region::Combine(b, Region(rb), k % 2 ? Region::Op::Xor : Region::Op::Or);
            for (int y = 0; y < kSize; ++y)
                for (int x = 0; x < kSize; ++x) {
                    const bool inA = x >= ra.left && x < ra.right && y >= ra.top && y < ra.bottom;
                    const bool inB = x >= rb.left && x < rb.right && y >= rb.top && y < rb.bottom;
                    ga.Set(x, y, ga.At(x, y) || inA);
                    gb.Set(x, y, k % 2 ? gb.At(x, y) != inB : gb.At(x, y) || inB);
                }
        }
        const Region ops[4] = {
            Region::Combine(a, b, Region::Op::And), Region::Combine(a, b, Region::Op::Or),
            Region::Combine(a, b, Region::Op::Xor), Region::Combine(a, b, Region::Op::Diff)};
        for (int y = 0; y < kSize; ++y)
            for (int x = 0; x < kSize; ++x) {
                const bool pa = ga.At(x, y), pb = gb.At(x, y);
                ASSERT_EQ(ops[0].Contains(x, y), pa && pb);
                ASSERT_EQ(ops[1].Contains(x, y), pa || pb);
                ASSERT_EQ(ops[2].Contains(x, y), pa != pb);
                ASSERT_EQ(ops[3].Contains(x, y), pa && !pb);
            }
        // The banded form is canonical: the same pixels give equal regions.
        const Region again = Region::Combine(Region::Combine(ops[3], ops[0], Region::Op::Or),
                                             Region(), Region::Op::Or);
        EXPECT_TRUE(again == a);
    }
}

TEST(RasterProperties, PolygonFillMatchesPointInPolygon) {
    std::mt19937 rng(11);
    std::uniform_int_distribution<int> d(0, kSize);
    for (int round = 0; round < 200; ++round) {
        kq::gfx::Contour poly;
        const int n = 3 + round % 6;
        for (int i = 0; i < n; ++i)
            poly.push_back(kq::gfx::FixedPoint{d(rng), d(rng)});
        for (bool winding : {false, true}) {
            Grid filled;
            kq::gfx::ScanPolygons({poly}, 1, winding, 0, kSize, 0, kSize,
                                  [&](int y, int x0, int x1) {
                                      for (int x = x0; x < x1; ++x) {
                                          ASSERT_FALSE(filled.At(x, y));  // spans are disjoint
                                          filled.Set(x, y, true);
                                      }
                                  });
            for (int y = 0; y < kSize; ++y)
                for (int x = 0; x < kSize; ++x) {
                    // Crossing rule at the point (x, y): edges cover [top, bottom) rows and a
                    // crossing at exactly x counts as left of the point.
                    int wind = 0;
                    int crossings = 0;
                    for (int i = 0; i < n; ++i) {
                        auto p = poly[static_cast<size_t>(i)];
                        auto q = poly[static_cast<size_t>((i + 1) % n)];
                        if (p.y == q.y)
                            continue;
                        const int dir = p.y < q.y ? 1 : -1;
                        if (p.y > q.y)
                            std::swap(p, q);
                        if (y < p.y || y >= q.y)
                            continue;
                        // x <= crossing  <=>  x * dy <= p.x * dy + (y - p.y) * dx
                        const int64_t lhs = int64_t{x} * (q.y - p.y);
                        const int64_t rhs = p.x * (q.y - p.y) + (y - p.y) * (q.x - p.x);
                        if (lhs >= rhs) {
                            ++crossings;
                            wind += dir;
                        }
                    }
                    const bool inside = winding ? wind != 0 : (crossings & 1) != 0;
                    ASSERT_EQ(filled.At(x, y), inside)
                        << "round " << round << " at " << x << "," << y << " winding " << winding;
                }
        }
    }
}

TEST(RasterProperties, ClippedLinesPaintTheSamePixelsAsUnclippedOnes) {
    std::mt19937 rng(5);
    std::uniform_int_distribution<int> far(-4000, 4000);
    std::uniform_int_distribution<int> near(-4, kSize + 4);
    for (int round = 0; round < 300; ++round) {
        const bool farAway = round % 3 == 0;
        const int x0 = farAway ? far(rng) : near(rng), y0 = farAway ? far(rng) : near(rng);
        const int x1 = near(rng), y1 = near(rng);
        for (bool dotted : {false, true}) {
            kq::gfx::test::Canvas clipped(kSize, kSize);
            kq::gfx::test::Canvas big(kSize, kSize);
            CPen pen(dotted ? PS_DOT : PS_SOLID, 1, RGB(0, 0, 0));
            for (auto* c : {&clipped, &big}) {
                c->dc.SelectObject(&pen);
                c->dc.SetBkMode(TRANSPARENT);
            }
            // The clip region cuts the line into parts that must join seamlessly.
            CRgn rgn;
            rgn.CreateRectRgn(3, 2, 17, 21);
            CRgn hole;
            hole.CreateRectRgn(8, 8, 12, 12);
            rgn.CombineRgn(&rgn, &hole, RGN_DIFF);
            clipped.dc.SelectClipRgn(&rgn);
            clipped.dc.MoveTo(x0, y0);
            clipped.dc.LineTo(x1, y1);
            big.dc.MoveTo(x0, y0);
            big.dc.LineTo(x1, y1);
            for (int y = 0; y < kSize; ++y)
                for (int x = 0; x < kSize; ++x) {
                    const bool visible = rgn.PtInRegion(x, y);
                    ASSERT_EQ(clipped.At(x, y), visible ? big.At(x, y) : RGB(255, 255, 255))
                        << "round " << round << " dotted " << dotted << " at " << x << "," << y;
                }
        }
    }
}
