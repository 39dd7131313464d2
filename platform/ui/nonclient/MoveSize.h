// Moving and sizing a window with the mouse (WM_SYSCOMMAND SC_MOVE / SC_SIZE after a press on
// the caption or the sizing border). WM_ENTERSIZEMOVE is sent and an input tracker
// (InputTracker.h) takes the mouse: each move sends WM_MOVING or WM_SIZING (whose rectangle, in
// screen coordinates, the window may change) and places the window there with SetWindowPos;
// releasing the button ends it with WM_EXITSIZEMOVE. Sizes stay within the WM_GETMINMAXINFO
// tracking limits, the edges not being dragged staying in place. ESC puts the window back where
// it was. Maximised and minimised windows do not move. Without the left button down (a
// keyboard SC_MOVE) there is nothing to track and nothing happens.
#pragma once

#include "platform/ui/UiTypes.h"

// WM_SIZING edges
constexpr WPARAM WMSZ_LEFT = 1;
constexpr WPARAM WMSZ_RIGHT = 2;
constexpr WPARAM WMSZ_TOP = 3;
constexpr WPARAM WMSZ_TOPLEFT = 4;
constexpr WPARAM WMSZ_TOPRIGHT = 5;
constexpr WPARAM WMSZ_BOTTOM = 6;
constexpr WPARAM WMSZ_BOTTOMLEFT = 7;
constexpr WPARAM WMSZ_BOTTOMRIGHT = 8;

namespace kq::ui::detail {

// command: SC_MOVE or SC_SIZE plus the WMSZ_ edge in the low four bits; pt: where the mouse
// went down, in screen coordinates. Returns at once; the tracking goes on from the thread's
// message retrieval.
void StartMoveSize(HWND hwnd, WPARAM command, POINT pt);

}  // namespace kq::ui::detail
