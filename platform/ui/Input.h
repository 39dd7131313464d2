// Injecting user input: the back ends feed what the user does through these functions, and
// tests use them to click and type. They are safe from any thread; the resulting window
// messages are made when the target thread takes them from its queue, as the user's input
// would be (hit-testing with WM_NCHITTEST, WM_SETCURSOR, WM_MOUSEACTIVATE and activation,
// capture, double-clicks for CS_DBLCLKS classes, key state). Disabled windows get no input.
#pragma once

#include "platform/ui/UiTypes.h"

namespace kq::ui {

// Screen coordinates. button: VK_LBUTTON, VK_RBUTTON or VK_MBUTTON.
void InjectMouseMove(POINT pt);
void InjectMouseButton(POINT pt, int button, bool down);
// delta in multiples of WHEEL_DELTA; goes to the focus window.
void InjectMouseWheel(POINT pt, int delta);
// A key going down or up. `text` is the UTF-8 text the key produces (from the back end's
// keyboard layout); TranslateMessage turns it into WM_CHAR. With null, the text follows a US
// layout from the virtual key and the SHIFT/CTRL/CAPS LOCK state; pass "" for none.
void InjectKey(UINT vk, bool down, const char* text = nullptr, UINT scanCode = 0,
               bool extended = false);
// Text that arrives without a key (an input method): WM_CHAR for each character.
void InjectText(const char* utf8);
// The program's display window gained or lost the keyboard focus. Losing it deactivates the
// active window (WM_ACTIVATEAPP FALSE), drops the focus and the capture and releases all keys;
// gaining it activates the window that was active before. Call on the GUI thread.
void InjectAppFocus(bool focused);

}  // namespace kq::ui

// Key state as of the messages the thread has taken so far: bit 15 set while down, bit 0
// toggled by each press (CAPS LOCK).
SHORT GetKeyState(int vk);
// Key state as of the input injected so far.
SHORT GetAsyncKeyState(int vk);
