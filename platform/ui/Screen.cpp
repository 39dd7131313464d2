#include "platform/ui/Screen.h"

#include <climits>
#include <cstdio>
#include <mutex>

#include "platform/ui/detail/Window.h"

namespace kq::ui {
namespace {

constexpr int kDefaultWidth = 1920;
constexpr int kDefaultHeight = 1080;
constexpr uintptr_t kHandleBase = 0x4D000000;
constexpr int kMaxMonitors = 15;

struct ScreenState {
    std::mutex mutex;
    std::vector<MonitorConfig> monitors{
        {{0, 0, kDefaultWidth, kDefaultHeight}, {0, 0, kDefaultWidth, kDefaultHeight}}};
    uintptr_t generation = 1;
};

ScreenState& State() {
    static ScreenState* state = new ScreenState;
    return *state;
}

long long Area(const RECT& r) {
    if (IsRectEmpty(&r))
        return 0;
    return static_cast<long long>(r.right - r.left) * (r.bottom - r.top);
}

HMONITOR HandleOf(const ScreenState& s, size_t index) {
    return reinterpret_cast<HMONITOR>(kHandleBase + (s.generation << 4) + index + 1);
}

// Index of the monitor behind a handle, or -1 when the handle is stale or foreign.
int IndexOf(const ScreenState& s, HMONITOR monitor) {
    uintptr_t v = reinterpret_cast<uintptr_t>(monitor);
    if (v <= kHandleBase)
        return -1;
    v -= kHandleBase;
    if ((v >> 4) != s.generation)
        return -1;
    int index = static_cast<int>(v & 0xF) - 1;
    return index >= 0 && index < static_cast<int>(s.monitors.size()) ? index : -1;
}

long long DistanceSquared(const RECT& r, POINT p) {
    long long dx = p.x < r.left ? r.left - p.x : (p.x >= r.right ? p.x - r.right + 1 : 0);
    long long dy = p.y < r.top ? r.top - p.y : (p.y >= r.bottom ? p.y - r.bottom + 1 : 0);
    return dx * dx + dy * dy;
}

HMONITOR Fallback(const ScreenState& s, const RECT& r, DWORD flags) {
    if (flags == MONITOR_DEFAULTTOPRIMARY)
        return HandleOf(s, 0);
    if (flags != MONITOR_DEFAULTTONEAREST)
        return nullptr;
    POINT center{r.left + (r.right - r.left) / 2, r.top + (r.bottom - r.top) / 2};
    size_t best = 0;
    long long bestDistance = LLONG_MAX;
    for (size_t i = 0; i < s.monitors.size(); ++i) {
        long long d = DistanceSquared(s.monitors[i].monitor, center);
        if (d < bestDistance) {
            bestDistance = d;
            best = i;
        }
    }
    return HandleOf(s, best);
}

HMONITOR FromRect(const RECT& r, DWORD flags) {
    ScreenState& s = State();
    std::lock_guard lock(s.mutex);
    size_t best = 0;
    long long bestArea = 0;
    RECT probe = r;
    if (IsRectEmpty(&probe))  // a point or a degenerate rectangle still has a position
        probe = RECT{r.left, r.top, r.left + 1, r.top + 1};
    for (size_t i = 0; i < s.monitors.size(); ++i) {
        RECT overlap;
        if (IntersectRect(&overlap, &probe, &s.monitors[i].monitor) && Area(overlap) > bestArea) {
            bestArea = Area(overlap);
            best = i;
        }
    }
    return bestArea > 0 ? HandleOf(s, best) : Fallback(s, probe, flags);
}

}  // namespace

void SetScreenSize(int cx, int cy) {
    SetMonitors({{{0, 0, cx, cy}, {0, 0, cx, cy}}});
}

void SetMonitors(const std::vector<MonitorConfig>& monitors) {
    std::vector<MonitorConfig> accepted;
    for (const MonitorConfig& m : monitors) {
        if (Area(m.monitor) == 0 || static_cast<int>(accepted.size()) == kMaxMonitors)
            continue;
        MonitorConfig c = m;
        if (!IntersectRect(&c.work, &m.work, &m.monitor))
            c.work = m.monitor;
        accepted.push_back(c);
    }
    if (accepted.empty())
        accepted.push_back(
            {{0, 0, kDefaultWidth, kDefaultHeight}, {0, 0, kDefaultWidth, kDefaultHeight}});
    ScreenState& s = State();
    std::lock_guard lock(s.mutex);
    s.monitors = std::move(accepted);
    ++s.generation;
}

std::vector<MonitorConfig> GetMonitors() {
    ScreenState& s = State();
    std::lock_guard lock(s.mutex);
    return s.monitors;
}

RECT VirtualScreenRect() {
    ScreenState& s = State();
    std::lock_guard lock(s.mutex);
    RECT r = s.monitors[0].monitor;
    for (const MonitorConfig& m : s.monitors)
        UnionRect(&r, &r, &m.monitor);
    return r;
}

RECT PrimaryMonitorRect() {
    ScreenState& s = State();
    std::lock_guard lock(s.mutex);
    return s.monitors[0].monitor;
}

RECT PrimaryWorkArea() {
    ScreenState& s = State();
    std::lock_guard lock(s.mutex);
    return s.monitors[0].work;
}

}  // namespace kq::ui

using kq::ui::MonitorConfig;

HMONITOR MonitorFromPoint(POINT pt, DWORD flags) {
    return kq::ui::FromRect(RECT{pt.x, pt.y, pt.x + 1, pt.y + 1}, flags);
}

HMONITOR MonitorFromRect(LPCRECT rc, DWORD flags) {
    if (!rc)
        return nullptr;
    return kq::ui::FromRect(*rc, flags);
}

HMONITOR MonitorFromWindow(HWND hwnd, DWORD flags) {
    RECT r{};
    {
        std::lock_guard lock(kq::ui::detail::TreeMutex());
        kq::ui::detail::Window* w = kq::ui::detail::Lookup(hwnd);
        if (!w)
            return flags == MONITOR_DEFAULTTONULL ? nullptr : MonitorFromPoint({0, 0}, flags);
        // A minimised window belongs to the monitor of its restored place.
        r = (w->style & WS_MINIMIZE) && w->parent ? w->normalRect
                                                  : kq::ui::detail::WindowRectOnScreen(*w);
    }
    return kq::ui::FromRect(r, flags);
}

BOOL GetMonitorInfo(HMONITOR monitor, LPMONITORINFO info) {
    if (!info || info->cbSize < sizeof(MONITORINFO))
        return FALSE;
    auto& s = kq::ui::State();
    std::lock_guard lock(s.mutex);
    int index = kq::ui::IndexOf(s, monitor);
    if (index < 0)
        return FALSE;
    const MonitorConfig& m = s.monitors[static_cast<size_t>(index)];
    info->rcMonitor = m.monitor;
    info->rcWork = m.work;
    info->dwFlags = index == 0 ? MONITORINFOF_PRIMARY : 0;
    if (info->cbSize >= sizeof(MONITORINFOEX)) {
        auto* ex = static_cast<MONITORINFOEX*>(info);
        std::snprintf(ex->szDevice, sizeof ex->szDevice, "\\\\.\\DISPLAY%d", index + 1);
    }
    return TRUE;
}

BOOL EnumDisplayMonitors(HDC, LPCRECT clip, MONITORENUMPROC proc, LPARAM data) {
    if (!proc)
        return FALSE;
    std::vector<std::pair<HMONITOR, RECT>> list;
    {
        auto& s = kq::ui::State();
        std::lock_guard lock(s.mutex);
        for (size_t i = 0; i < s.monitors.size(); ++i) {
            RECT r = s.monitors[i].monitor;
            if (clip && !IntersectRect(&r, &r, clip))
                continue;
            list.emplace_back(kq::ui::HandleOf(s, i), r);
        }
    }
    for (auto& [handle, rect] : list) {
        if (!proc(handle, nullptr, &rect, data))
            break;
    }
    return TRUE;
}
