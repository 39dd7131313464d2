#include "platform/ui/paint/CaretBlink.h"

#include <mutex>

#include "platform/base/Clock.h"
#include "platform/gfx/SurfaceDc.h"
#include "platform/ui/Caret.h"
#include "platform/ui/WindowPos.h"
#include "platform/ui/paint/VisibleRegion.h"

namespace kq::ui {
namespace {

constexpr int64_t kNanosPerMilli = 1000000;
constexpr UINT kNoBlink = 0xFFFFFFFFu;

struct Blink {
    std::mutex mutex;
    bool known = false;
    CaretState last;
    int64_t since = 0;
};

Blink& TheBlink() {
    static Blink* blink = new Blink;
    return *blink;
}

bool Same(const CaretState& a, const CaretState& b) {
    return a.owner == b.owner && a.bitmap == b.bitmap && a.size.cx == b.size.cx &&
           a.size.cy == b.size.cy && a.pos.x == b.pos.x && a.pos.y == b.pos.y &&
           a.visible == b.visible;
}

// The caret now and how long (nanoseconds) it has been as it is.
CaretState Observe(int64_t* elapsed) {
    const CaretState s = GetCaretState();
    const int64_t now = kq::CurrentClock().MonotonicNanos();
    Blink& b = TheBlink();
    std::lock_guard lock(b.mutex);
    if (!b.known || !Same(s, b.last)) {
        b.known = true;
        b.last = s;
        b.since = now;
    }
    *elapsed = now - b.since;
    return s;
}

int64_t BlinkPeriod() {
    const UINT ms = GetCaretBlinkTime();
    return ms == 0 || ms == kNoBlink ? 0 : static_cast<int64_t>(ms) * kNanosPerMilli;
}

}  // namespace

bool CaretShownNow() {
    int64_t elapsed = 0;
    const CaretState s = Observe(&elapsed);
    if (!s.visible || !s.owner)
        return false;
    const int64_t period = BlinkPeriod();
    return period == 0 || (elapsed / period) % 2 == 0;
}

RECT CaretScreenRect() {
    int64_t elapsed = 0;
    const CaretState s = Observe(&elapsed);
    if (!s.visible || !s.owner)
        return RECT{0, 0, 0, 0};
    POINT origin{0, 0};
    if (!ClientToScreen(s.owner, &origin))
        return RECT{0, 0, 0, 0};
    return RECT{origin.x + s.pos.x, origin.y + s.pos.y, origin.x + s.pos.x + s.size.cx,
                origin.y + s.pos.y + s.size.cy};
}

int64_t MillisUntilCaretBlink() {
    int64_t elapsed = 0;
    const CaretState s = Observe(&elapsed);
    const int64_t period = BlinkPeriod();
    if (!s.visible || !s.owner || period == 0)
        return -1;
    const int64_t left = period - elapsed % period;
    return (left + kNanosPerMilli - 1) / kNanosPerMilli;
}

}  // namespace kq::ui

namespace kq::ui::detail {

void OverlayCaret(uint32_t* pixels, int stride, const RECT& area) {
    if (!CaretShownNow())
        return;
    const CaretState s = GetCaretState();
    RECT caret = CaretScreenRect();
    kq::gfx::Region visible;
    {
        std::lock_guard lock(TreeMutex());
        Window* w = Lookup(s.owner);
        if (!w)
            return;
        VisibleRegionRequest request;
        request.clipChildren = (w->style & WS_CLIPCHILDREN) != 0;
        request.clipSiblings = (w->style & WS_CLIPSIBLINGS) != 0;
        visible = VisibleRegionLocked(*w, request);
    }
    visible.IntersectRect(caret);
    visible.IntersectRect(area);
    // A caret bitmap gives the colours to invert with; handle 1 is the grey caret.
    std::shared_ptr<kq::gfx::Surface> bitmap;
    uint32_t mask = 0xFFFFFF;
    if (s.bitmap == reinterpret_cast<HBITMAP>(1))
        mask = 0x808080;
    else if (s.bitmap)
        bitmap = kq::gfx::BitmapSurface(s.bitmap);
    for (const RECT& r : visible.Rects()) {
        for (int y = r.top; y < r.bottom; ++y) {
            uint32_t* row = pixels + static_cast<ptrdiff_t>(y - area.top) * stride;
            for (int x = r.left; x < r.right; ++x) {
                uint32_t m = mask;
                if (bitmap) {
                    const int bx = x - caret.left;
                    const int by = y - caret.top;
                    m = bx < bitmap->Width() && by < bitmap->Height()
                            ? bitmap->Pixel(bx, by) & 0xFFFFFF
                            : 0;
                }
                row[x - area.left] ^= m;
            }
        }
    }
}

}  // namespace kq::ui::detail
