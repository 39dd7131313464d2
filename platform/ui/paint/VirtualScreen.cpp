#include "platform/ui/paint/VirtualScreen.h"

#include <algorithm>
#include <mutex>
#include <optional>
#include <thread>

#include "platform/gfx/DeviceCaps.h"
#include "platform/gfx/PixelColor.h"
#include "platform/gfx/SysColors.h"
#include "platform/ui/Screen.h"
#include "platform/ui/paint/Invalidation.h"
#include "platform/ui/paint/ScreenSurface.h"

namespace kq::ui::detail {
namespace {

using kq::gfx::Region;

// More changed rectangles than this are handed to the presenter as their bounding box.
constexpr size_t kMaxChangeRects = 32;

struct ScreenState {
    std::mutex mutex;  // after TreeMutex() in the lock order
    std::shared_ptr<kq::gfx::Surface> surface;
    RECT rect{};
    std::optional<COLORREF> desktop;
    Region changed;
    std::function<void()> presenter;
    std::thread::id presenterThread;
};

ScreenState& State() {
    static ScreenState* state = new ScreenState;  // outlives every thread's teardown
    return *state;
}

COLORREF DesktopColorLocked(const ScreenState& s) {
    return s.desktop ? *s.desktop : GetSysColor(COLOR_BACKGROUND);
}

}  // namespace

std::shared_ptr<kq::gfx::Surface> SyncScreenLocked() {
    ScreenState& s = State();
    const RECT want = kq::ui::VirtualScreenRect();
    {
        std::lock_guard lock(s.mutex);
        if (s.surface && EqualRect(&want, &s.rect))
            return s.surface;
        auto surface = kq::gfx::Surface::Create(want.right - want.left, want.bottom - want.top);
        if (!surface)
            surface = kq::gfx::Surface::Create(1, 1);
        surface->Fill(kq::gfx::PixelFromColorRef(DesktopColorLocked(s)));
        s.surface = surface;
        s.rect = want;
        s.changed = Region(RECT{0, 0, surface->Width(), surface->Height()});
        kq::gfx::DeviceCaps caps = kq::gfx::DisplayCaps();
        caps.horzRes = surface->Width();
        caps.vertRes = surface->Height();
        kq::gfx::SetDisplayCaps(caps);
    }
    InvalidateEverythingLocked();
    std::lock_guard lock(s.mutex);
    return s.surface;
}

bool ScreenOutOfDate() {
    const RECT want = kq::ui::VirtualScreenRect();
    ScreenState& s = State();
    std::lock_guard lock(s.mutex);
    return !s.surface || !EqualRect(&want, &s.rect);
}

RECT ScreenRectLocked() {
    SyncScreenLocked();
    ScreenState& s = State();
    std::lock_guard lock(s.mutex);
    return s.rect;
}

void MarkScreenChanged(const Region& surfaceArea) {
    if (surfaceArea.IsEmpty())
        return;
    ScreenState& s = State();
    std::lock_guard lock(s.mutex);
    s.changed = Region::Combine(s.changed, surfaceArea, Region::Op::Or);
}

void PaintDesktopLocked(const Region& screenArea) {
    auto surface = SyncScreenLocked();
    Region area = screenArea;
    for (Window* top : Desktop().children) {
        if (area.IsEmpty())
            return;
        if (top->style & WS_VISIBLE)
            area = Region::Combine(area, Region(WindowRectOnScreen(*top)), Region::Op::Diff);
    }
    ScreenState& s = State();
    std::lock_guard lock(s.mutex);
    area.Offset(-s.rect.left, -s.rect.top);
    area.IntersectRect(RECT{0, 0, surface->Width(), surface->Height()});
    const uint32_t pixel = kq::gfx::PixelFromColorRef(DesktopColorLocked(s));
    for (const RECT& r : area.Rects()) {
        for (int y = r.top; y < r.bottom; ++y)
            std::fill(surface->Row(y) + r.left, surface->Row(y) + r.right, pixel);
    }
    s.changed = Region::Combine(s.changed, area, Region::Op::Or);
}

void PresentScreenChanges() {
    ScreenState& s = State();
    std::function<void()> presenter;
    {
        std::lock_guard lock(s.mutex);
        if (!s.presenter || s.presenterThread != std::this_thread::get_id() || s.changed.IsEmpty())
            return;
        presenter = s.presenter;
    }
    presenter();
}

void ResetScreen() {
    ScreenState& s = State();
    std::lock_guard lock(s.mutex);
    s.desktop.reset();
    s.presenter = nullptr;
    s.changed = Region();
    if (s.surface)
        s.surface->Fill(kq::gfx::PixelFromColorRef(DesktopColorLocked(s)));
}

}  // namespace kq::ui::detail

namespace kq::ui {

using namespace kq::ui::detail;

std::shared_ptr<kq::gfx::Surface> ScreenSurface() {
    std::lock_guard lock(TreeMutex());
    return SyncScreenLocked();
}

POINT ScreenSurfaceOrigin() {
    std::lock_guard lock(TreeMutex());
    RECT r = ScreenRectLocked();
    return POINT{r.left, r.top};
}

void SetDesktopColor(COLORREF color) {
    std::lock_guard lock(TreeMutex());
    {
        ScreenState& s = State();
        std::lock_guard screenLock(s.mutex);
        s.desktop = color;
    }
    PaintDesktopLocked(kq::gfx::Region(ScreenRectLocked()));
}

COLORREF GetDesktopColor() {
    ScreenState& s = State();
    std::lock_guard lock(s.mutex);
    return DesktopColorLocked(s);
}

void RedrawScreen() {
    std::lock_guard lock(TreeMutex());
    SyncScreenLocked();
    InvalidateEverythingLocked();
}

void SetScreenPresenter(std::function<void()> presenter) {
    ScreenState& s = State();
    std::lock_guard lock(s.mutex);
    s.presenter = std::move(presenter);
    s.presenterThread = std::this_thread::get_id();
}

std::vector<RECT> TakeScreenChanges() {
    ScreenState& s = State();
    std::lock_guard lock(s.mutex);
    std::vector<RECT> rects = s.changed.Rects();
    if (rects.size() > kMaxChangeRects)
        rects = {s.changed.Bounds()};
    s.changed = kq::gfx::Region();
    return rects;
}

}  // namespace kq::ui
