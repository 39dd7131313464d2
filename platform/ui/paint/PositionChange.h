// What moving, sizing, showing, hiding and restacking a window does to the screen. Nothing is
// copied: the window is invalidated where it now shows and whatever it uncovered is invalidated
// below it (the desktop repaints at once), so every pixel comes from a WM_PAINT. Only a window
// that kept its client area in place and grew, without CS_HREDRAW/CS_VREDRAW, keeps the pixels
// of the part it already had.
#pragma once

#include <vector>

#include "platform/ui/UiTypes.h"

namespace kq::ui::detail {

struct PositionSnapshot {
    bool valid = false;
    bool shown = false;  // visible all the way up
    RECT window{};       // screen coordinates
    RECT client{};
    std::vector<HWND> above;  // siblings above it
};

// Called by SetWindowPos around its change; neither with TreeMutex() held.
PositionSnapshot SnapshotPosition(HWND hwnd);
void RedrawAfterPositionChange(HWND hwnd, const PositionSnapshot& before, UINT swpFlags);

}  // namespace kq::ui::detail
