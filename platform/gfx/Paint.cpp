#include "platform/gfx/Paint.h"

#include <algorithm>

#include "platform/gfx/Rop.h"

namespace kq::gfx {

namespace {

int PositiveMod(int64_t v, int m) {
    const int r = static_cast<int>(v % m);
    return r < 0 ? r + m : r;
}

}  // namespace

void PaintSpan(Surface& surface, int y, int x0, int x1, const Paint& paint) {
    if (paint.none || x0 >= x1)
        return;
    uint32_t* row = surface.Row(y) + x0;
    const int n = x1 - x0;
    if (!paint.tiled) {
        if (paint.rop2 == 13)
            std::fill_n(row, n, paint.color);
        else
            Rop2Span(paint.rop2, paint.color, row, n);
        return;
    }
    const int ty = PositiveMod(static_cast<int64_t>(y) - paint.originY, paint.tileHeight);
    const uint32_t* tileRow = paint.tile.data() + static_cast<size_t>(ty) * paint.tileWidth;
    const uint8_t* maskRow =
        paint.tileMask.empty() ? nullptr
                               : paint.tileMask.data() + static_cast<size_t>(ty) * paint.tileWidth;
    int tx = PositiveMod(static_cast<int64_t>(x0) - paint.originX, paint.tileWidth);
    for (int i = 0; i < n; ++i) {
        if (!maskRow || maskRow[tx])
            row[i] = paint.rop2 == 13 ? tileRow[tx] : Rop2(paint.rop2, tileRow[tx], row[i]);
        if (++tx == paint.tileWidth)
            tx = 0;
    }
}

void FillSpanClipped(const RasterTarget& target, int64_t y, int64_t x0, int64_t x1,
                     const Paint& paint) {
    if (paint.none)
        return;
    const auto& bands = target.clip->Bands();
    if (bands.size() == 1 && bands[0].spans.size() == 2) {
        // One clip rectangle: no search.
        const Region::Band& b = bands[0];
        if (y < b.top || y >= b.bottom)
            return;
        const int64_t a = std::max<int64_t>(x0, b.spans[0]);
        const int64_t e = std::min<int64_t>(x1, b.spans[1]);
        if (a < e)
            PaintSpan(*target.surface, static_cast<int>(y), static_cast<int>(a),
                      static_cast<int>(e), paint);
        return;
    }
    ForEachClippedSpan(*target.clip, y, x0, x1,
                       [&](int yy, int a, int b) { PaintSpan(*target.surface, yy, a, b, paint); });
}

void FillRectClipped(const RasterTarget& target, int64_t left, int64_t top, int64_t right,
                     int64_t bottom, const Paint& paint) {
    if (paint.none || left >= right || top >= bottom)
        return;
    for (const Region::Band& band : target.clip->Bands()) {
        if (band.bottom <= top)
            continue;
        if (band.top >= bottom)
            break;
        const int y0 = static_cast<int>(std::max<int64_t>(band.top, top));
        const int y1 = static_cast<int>(std::min<int64_t>(band.bottom, bottom));
        for (size_t i = 0; i < band.spans.size(); i += 2) {
            const int64_t a = std::max<int64_t>(band.spans[i], left);
            const int64_t b = std::min<int64_t>(band.spans[i + 1], right);
            if (a >= b)
                continue;
            for (int y = y0; y < y1; ++y)
                PaintSpan(*target.surface, y, static_cast<int>(a), static_cast<int>(b), paint);
        }
    }
}

}  // namespace kq::gfx
