// Which screen pixels a window may draw on: its area, inside every ancestor's client area, less
// the top-level windows above its own, the siblings above it where WS_CLIPSIBLINGS asks for it
// and, on request, its children. TreeMutex() held.
#pragma once

#include "platform/gfx/Region.h"
#include "platform/ui/detail/Window.h"

namespace kq::ui::detail {

struct VisibleRegionRequest {
    bool wholeWindow = false;   // the frame too, not only the client area
    bool clipChildren = false;  // leave out the visible children
    bool clipSiblings = false;  // leave out the siblings above (always so for top-level windows)
};

// Screen coordinates; empty for a window that is not drawable.
kq::gfx::Region VisibleRegionLocked(const Window& w, const VisibleRegionRequest& request);

}  // namespace kq::ui::detail
