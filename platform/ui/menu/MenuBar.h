// The menu bar of a top-level window: a row of items below the caption, in the non-client
// area. Presses on it reach the tracking through the non-client hooks (installed with the
// first menu); the keyboard's way in is MenuBarDefaultHandling, which a default window
// procedure calls.
#pragma once

#include <vector>

#include "platform/ui/UiTypes.h"

namespace kq::ui {

// The bar on the screen; empty when the window has no menu.
RECT MenuBarRect(HWND hwnd);
// The bar's items on the screen, by position.
std::vector<RECT> MenuBarItemRects(HWND hwnd);
// Paints the bar into a DC whose origin is the window's top-left corner, the item being
// tracked highlighted.
void PaintMenuBar(HWND hwnd, HDC hdc);
// Handles the keys that open the bar: WM_SYSCOMMAND with SC_KEYMENU (lParam: 0 to highlight
// the first item, else the mnemonic typed), Alt pressed and released alone, F10, and Alt with
// a letter (WM_SYSCHAR). True when handled, with the result.
bool MenuBarDefaultHandling(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);

}  // namespace kq::ui
