// The window system's side of the virtual screen.
#pragma once

#include <memory>

#include "platform/gfx/Region.h"
#include "platform/gfx/Surface.h"
#include "platform/ui/UiTypes.h"

namespace kq::ui::detail {

// TreeMutex() held. Makes the surface match the configured screen; a new surface starts with
// the desktop colour and every window invalidated. Never null.
std::shared_ptr<kq::gfx::Surface> SyncScreenLocked();
// The configured screen no longer matches the surface (a cheap check without TreeMutex()).
bool ScreenOutOfDate();
// Screen rectangle the surface stands for.
RECT ScreenRectLocked();
// Changed pixels, in surface coordinates, for the presenter.
void MarkScreenChanged(const kq::gfx::Region& surfaceArea);
// TreeMutex() held. Fills the part of a screen area that no visible top-level window covers
// with the desktop colour.
void PaintDesktopLocked(const kq::gfx::Region& screenArea);
// Runs the presenter when called on its thread and pixels changed.
void PresentScreenChanges();
// The default desktop colour, no presenter, no pending changes.
void ResetScreen();

}  // namespace kq::ui::detail
