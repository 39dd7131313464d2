// Update regions: invalidating and validating windows and whatever lies under a screen area.
// Everything here expects TreeMutex() to be held and sends no message.
#pragma once

#include <unordered_set>
#include <vector>

#include "platform/gfx/Region.h"
#include "platform/ui/detail/Window.h"

namespace kq::ui::detail {

// Visible up to the desktop with drawing switched on (WM_SETREDRAW) all the way.
bool IsDrawable(const Window& w);
// {0, 0, width, height} of the client area.
RECT ClientArea(const Window& w);
// The whole window in its own client coordinates (the frame lies at negative or larger values).
RECT WindowAreaInClient(const Window& w);

// RedrawWindow's invalidating and validating part (RDW_ flags) for one window and, as the
// flags and the WS_CLIPCHILDREN style say, its descendants. `region` is in the window's client
// coordinates; null means the whole window. Windows that are not drawable are left alone.
void RedrawLocked(Window& w, const kq::gfx::Region* region, UINT flags);

// Invalidates what shows in a screen area inside `scope` (a window or the desktop): the visible
// children of scope, in z-order, each take the part over them (with their frames and all their
// descendants) and hide it from those below; scope takes what is left. The desktop repaints its
// part at once. Children in `unchanged` were above the change and still are: they keep their
// pixels but still hide what lies below them.
void InvalidateAreaLocked(Window& scope, kq::gfx::Region screenArea,
                          const std::unordered_set<const Window*>& unchanged = {});
// Every window and the desktop.
void InvalidateEverythingLocked();

// Keeps the set of windows that owe a WM_PAINT or WM_NCPAINT current (AnyPaintPending lets
// the queue skip looking when none does); wakes the owning thread when a window starts to owe
// one.
void NotePaintStateLocked(Window& w);
bool AnyPaintPending();
// Drops destroyed windows and those that owe nothing from the set.
void PrunePaintCandidatesLocked();
void ForgetPaintCandidatesLocked();

}  // namespace kq::ui::detail
