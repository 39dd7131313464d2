#include "pages/common/PageTable.h"

#include <algorithm>
#include <iterator>

int PageIndexOf(UINT id) {
    for (int i = 0; i < kPageCount; ++i) {
        if (kPageIds[i] == id)
            return i;
    }
    return -1;
}

UINT StepPageId(UINT current, int direction) {
    static constexpr UINT kCycle[] = {PAGE_CONNECTION,    PAGE_INFORMATION, PAGE_MEASURE_ADJUST,
                                      PAGE_DOCUMENTATION, PAGE_CALIBRATION, PAGE_MEASURE_DIAGRAM};
    constexpr int n = static_cast<int>(std::size(kCycle));
    for (int i = 0; i < n; ++i) {
        if (kCycle[i] == current)
            return kCycle[(i + (direction == 1 ? 1 : n - 1)) % n];
    }
    return PAGE_CONNECTION;
}

LogoPlacement ComputeLogoPlacement(int cx, int cy) {
    struct Row {
        int above;
        double zoom;
    };
    static constexpr Row kRows[] = {{1200, 1.5}, {1000, 1.1}, {800, 1.0}, {600, 0.9},
                                    {400, 0.8},  {200, 0.7},  {150, 0.6}, {100, 0.5},
                                    {75, 0.25},  {50, 0.125}, {25, 0.08}};
    const int m = std::min(cx, cy);
    double zoom = 0.0005;
    for (const Row& row : kRows) {
        if (m > row.above) {
            zoom = row.zoom;
            break;
        }
    }
    zoom *= 1.3;
    const int t = static_cast<int>(161.0 * zoom / 2);
    return LogoPlacement{cx / 2 - t, cy / 2 - t, zoom};
}

int AveragingLengthFromCode(int code) {
    return code >= 1 && code <= 9 ? 1 << (code - 1) : 1;
}
