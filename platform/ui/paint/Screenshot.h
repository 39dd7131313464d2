// Reading the screen: what a user would see of the virtual screen, as an image or a PNG file.
#pragma once

#include <string>

#include "platform/gfx/Image.h"
#include "platform/ui/UiTypes.h"

namespace kq::ui {

struct ScreenshotOptions {
    bool caret = true;    // the caret, if it shows at this moment of its blink
    bool cursor = false;  // the mouse cursor at its position, in its current shape
};

// The whole screen; opaque pixels (alpha 0xFF).
kq::gfx::Image CaptureScreen(const ScreenshotOptions& options = {});
// A part of it, in screen coordinates, clipped to the screen.
kq::gfx::Image CaptureScreenRect(const RECT& rect, const ScreenshotOptions& options = {});
// Writes a PNG of the screen, or of a part of it when rect is given.
bool SaveScreenshot(const std::string& path, const RECT* rect = nullptr,
                    const ScreenshotOptions& options = {}, std::string* error = nullptr);
// The colour windows painted at a screen point, without caret or cursor; CLR_INVALID outside.
COLORREF GetScreenPixel(int x, int y);

}  // namespace kq::ui
