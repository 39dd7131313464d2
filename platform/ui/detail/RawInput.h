// Input events as the back end or a test injects them, before they become window messages.
#pragma once

#include <string>

#include "platform/ui/UiTypes.h"

namespace kq::ui::detail {

struct RawInput {
    enum class Kind { MouseMove, ButtonDown, ButtonUp, Wheel, KeyDown, KeyUp, Char };
    Kind kind = Kind::MouseMove;
    POINT pt{};       // screen position of the cursor
    int button = 0;   // VK_LBUTTON, VK_RBUTTON or VK_MBUTTON
    int wheel = 0;    // wheel delta, multiples of WHEEL_DELTA
    WPARAM keys = 0;  // MK_ flags after the event
    UINT vk = 0;      // virtual key
    UINT scan = 0;    // scan code
    bool extended = false;
    bool repeat = false;  // key was already down
    bool alt = false;     // ALT held (without CTRL)
    std::string text;     // UTF-8 text the key produces, or the characters of a Char event
    DWORD time = 0;
};

// The last button press, for double-click detection.
struct LastClick {
    HWND window = nullptr;
    int button = 0;
    bool nonClient = false;
    POINT point{};
    DWORD time = 0;
    bool wasDouble = false;
};

}  // namespace kq::ui::detail
