// Process-wide input state: cursor, focus, activation, capture, key states, double-click
// tracking. Windows are held by handle, so a destroyed window simply stops matching.
#pragma once

#include <mutex>

#include "platform/ui/UiTypes.h"
#include "platform/ui/detail/RawInput.h"

namespace kq::ui::detail {

struct InputState {
    std::mutex mutex;
    POINT cursor{};
    HCURSOR cursorShape = nullptr;
    HWND focus = nullptr;
    HWND active = nullptr;
    HWND capture = nullptr;
    HWND lastActive = nullptr;  // re-activated when the application gets the focus back
    bool appActive = false;
    BYTE asyncKeys[256] = {};  // 0x80: down now, as injected
    BYTE keys[256] = {};       // 0x80: down, 0x01: toggled, as of the messages taken so far
    UINT doubleClickTime = 500;
    LastClick click;
};

InputState& Input();

// Small accessors that take the lock themselves.
HWND FocusWindow();
HWND ActiveWindowHandle();
HWND CaptureWindow();

}  // namespace kq::ui::detail
