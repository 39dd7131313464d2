#include <algorithm>

#include "foundation/Environment.h"
#include "platform/ui/Screen.h"

bool CEnvironment::GetMonitorWorkArea(int monitor, CRect& workArea) {
    const auto monitors = kq::ui::GetMonitors();
    if (monitor < 0 || monitor >= static_cast<int>(monitors.size()) || monitor > 1)
        return false;
    workArea = monitors[static_cast<size_t>(monitor)].work;
    return true;
}

int CEnvironment::GetMonitorOverlapping(const RECT& rect) {
    int best = -1;
    long long bestArea = 0;
    for (int monitor = 0; monitor < 2; ++monitor) {
        CRect work;
        if (!GetMonitorWorkArea(monitor, work))
            break;
        CRect overlap;
        if (!overlap.IntersectRect(&work, &rect))
            continue;
        const long long area = static_cast<long long>(overlap.Width()) * overlap.Height();
        if (area > bestArea) {
            bestArea = area;
            best = monitor;
        }
    }
    return best;
}

CRect CEnvironment::GetUnionOfRects(const RECT& a, const RECT& b) {
    CRect result;
    result.UnionRect(&a, &b);
    return result;
}

CRect CEnvironment::GetScreenRect() {
    return CRect(kq::ui::PrimaryMonitorRect());
}
