// The default handling of the painting messages that DefWindowProc hands over: WM_PAINT
// (validates through BeginPaint/EndPaint; draws nothing into a DC given in wParam),
// WM_ERASEBKGND (fills the client area with the class background brush, returning 0 without
// one), WM_SETREDRAW, WM_PRINT and WM_PRINTCLIENT (PrintWindow.h).
//
// WM_SETREDRAW FALSE stops all drawing of the window and its children, and their WM_PAINT, and
// makes invalidation pass them by, as if they were hidden (but they stay visible and take
// input). WM_SETREDRAW TRUE ends that without painting: the caller invalidates what changed.
#pragma once

#include <optional>

#include "platform/ui/UiTypes.h"

namespace kq::ui::detail {

// A result for the messages handled here, nullopt for the others.
std::optional<LRESULT> DefPaintMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace kq::ui::detail
