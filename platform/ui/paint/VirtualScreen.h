// The virtual screen: one 32-bit surface the size of the configured screen (Screen.h) that every
// top-level window paints into directly, each clipped by the windows above it, as a display
// without composition works. What no window covers shows the desktop colour. The back end shows
// the surface; tests read it through Screenshot.h.
//
// The surface follows the screen configuration: after SetScreenSize or SetMonitors the next
// painting makes a new surface and invalidates every window.
#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "platform/gfx/Surface.h"
#include "platform/ui/UiTypes.h"

namespace kq::ui {

std::shared_ptr<kq::gfx::Surface> ScreenSurface();
// Screen coordinates of the surface's top-left pixel (the corner of the virtual screen).
POINT ScreenSurfaceOrigin();

// The desktop colour, COLOR_BACKGROUND until set; setting it repaints the desktop.
void SetDesktopColor(COLORREF color);
COLORREF GetDesktopColor();

// Repaints the whole screen: every window is invalidated and the desktop filled again.
void RedrawScreen();

// The presenter shows changed pixels somewhere (the x11 back end's window). It runs on the
// thread that installed it, from that thread's message retrieval, once nothing is left to paint
// and pixels changed since its last run. An empty function removes it.
void SetScreenPresenter(std::function<void()> presenter);
// The rectangles (surface coordinates) changed since the last call, and forgets them.
std::vector<RECT> TakeScreenChanges();

}  // namespace kq::ui
