// Parts of the non-client area that other code draws and tracks: the window scroll bars
// (WS_HSCROLL/WS_VSCROLL) and the menu bar. The default non-client painting leaves their space
// to these hooks; without a hook the space is filled with the button face colour.
#pragma once

#include "platform/ui/UiTypes.h"

namespace kq::ui {

struct NonClientHooks {
    // Draws a window scroll bar into a whole-window DC; bar is 0 (SB_HORZ) or 1 (SB_VERT), rect
    // is in window coordinates (0, 0 is the window's top-left corner). Called from WM_NCPAINT
    // and WM_PRINT (PRF_NONCLIENT), so the DC may also be a printing one.
    void (*drawScrollBar)(HWND hwnd, HDC windowDc, int bar, const RECT& rect) = nullptr;
    // A press on a window scroll bar (WM_SYSCOMMAND SC_HSCROLL/SC_VSCROLL): tracks the mouse
    // and sends WM_HSCROLL/WM_VSCROLL until the button is released. pt is in screen coordinates.
    void (*trackScrollBar)(HWND hwnd, int bar, POINT pt) = nullptr;
    // Draws the menu bar of a top-level window that has a menu, rect in window coordinates.
    void (*drawMenuBar)(HWND hwnd, HDC windowDc, const RECT& rect) = nullptr;
    // A press on the menu bar (WM_SYSCOMMAND SC_MOUSEMENU): opens the menu there and tracks it.
    // pt is in screen coordinates.
    void (*trackMenuBar)(HWND hwnd, POINT pt) = nullptr;
};

// Installs the hooks (a copy is kept); the default value removes them.
void SetNonClientHooks(const NonClientHooks& hooks);
NonClientHooks GetNonClientHooks();

}  // namespace kq::ui
