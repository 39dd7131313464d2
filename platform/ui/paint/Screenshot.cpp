#include "platform/ui/paint/Screenshot.h"

#include "platform/gfx/GdiConstants.h"
#include "platform/gfx/PixelColor.h"
#include "platform/gfx/codec/Png.h"
#include "platform/ui/Screen.h"
#include "platform/ui/detail/Window.h"
#include "platform/ui/paint/CaretBlink.h"
#include "platform/ui/paint/CursorShapes.h"
#include "platform/ui/paint/ScreenSurface.h"

namespace kq::ui {

using namespace kq::ui::detail;

kq::gfx::Image CaptureScreenRect(const RECT& rect, const ScreenshotOptions& options) {
    kq::gfx::Image image;
    RECT area{};
    {
        std::lock_guard lock(TreeMutex());
        auto surface = SyncScreenLocked();
        const RECT screen = ScreenRectLocked();
        if (!IntersectRect(&area, &rect, &screen))
            return image;
        image = kq::gfx::Image(area.right - area.left, area.bottom - area.top);
        for (int y = area.top; y < area.bottom; ++y) {
            const uint32_t* from = surface->Row(y - screen.top) + (area.left - screen.left);
            uint32_t* to = image.Row(y - area.top);
            for (int x = 0; x < image.width; ++x)
                to[x] = from[x] | 0xFF000000u;
        }
    }
    if (options.caret)
        OverlayCaret(image.pixels.data(), image.width, area);
    if (options.cursor)
        OverlayCursor(image, area);
    return image;
}

kq::gfx::Image CaptureScreen(const ScreenshotOptions& options) {
    return CaptureScreenRect(VirtualScreenRect(), options);
}

bool SaveScreenshot(const std::string& path, const RECT* rect, const ScreenshotOptions& options,
                    std::string* error) {
    kq::gfx::Image image = rect ? CaptureScreenRect(*rect, options) : CaptureScreen(options);
    if (image.Empty()) {
        if (error)
            *error = "nothing of the screen lies in the rectangle";
        return false;
    }
    return kq::gfx::SavePngFile(path, image, false, error);
}

COLORREF GetScreenPixel(int x, int y) {
    std::lock_guard lock(TreeMutex());
    auto surface = SyncScreenLocked();
    const RECT screen = ScreenRectLocked();
    const POINT pt{x, y};
    if (!PtInRect(&screen, pt))
        return CLR_INVALID;
    return kq::gfx::ColorRefFromPixel(surface->Pixel(x - screen.left, y - screen.top));
}

}  // namespace kq::ui
