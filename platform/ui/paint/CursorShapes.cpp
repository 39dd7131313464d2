#include "platform/ui/paint/CursorShapes.h"

#include <cstring>

#include "platform/ui/Cursor.h"

namespace kq::ui::detail {
namespace {

// 'B' black, 'W' white, anything else lets the screen show.
constexpr const char* kArrow[] = {
    "B",         "BB",        "BWB",        "BWWB",        "BWWWB",        "BWWWWB",   "BWWWWWB",
    "BWWWWWWB",  "BWWWWWWWB", "BWWWWWWWWB", "BWWWWWWWWWB", "BWWWWWWBBBBB", "BWWWBWWB", "BWWBBWWB",
    "BWB..BWWB", "BB...BWWB", "B.....BWWB", "......BWWB",  ".......BB",
};
constexpr const char* kIBeam[] = {
    "BBB.BBB", "...B...", "...B...", "...B...", "...B...", "...B...", "...B...", "...B...",
    "...B...", "...B...", "...B...", "...B...", "...B...", "...B...", "...B...", "BBB.BBB",
};

struct Shape {
    const char* const* rows;
    int count;
    POINT hotspot;
};

Shape ShapeOf(HCURSOR cursor) {
    const int id = kq::ui::StandardCursorId(cursor);
    if (id == 32513)  // IDC_IBEAM
        return Shape{kIBeam, static_cast<int>(std::size(kIBeam)), POINT{3, 8}};
    return Shape{kArrow, static_cast<int>(std::size(kArrow)), POINT{0, 0}};
}

}  // namespace

void OverlayCursor(kq::gfx::Image& image, const RECT& area) {
    POINT pt{};
    GetCursorPos(&pt);
    const Shape shape = ShapeOf(GetCursor());
    for (int row = 0; row < shape.count; ++row) {
        const char* line = shape.rows[row];
        const int y = pt.y - shape.hotspot.y + row - area.top;
        if (y < 0 || y >= image.height)
            continue;
        const int length = static_cast<int>(std::strlen(line));
        for (int col = 0; col < length; ++col) {
            const int x = pt.x - shape.hotspot.x + col - area.left;
            if (x < 0 || x >= image.width)
                continue;
            if (line[col] == 'B')
                image.SetPixel(x, y, 0xFF000000u);
            else if (line[col] == 'W')
                image.SetPixel(x, y, 0xFFFFFFFFu);
        }
    }
}

}  // namespace kq::ui::detail
