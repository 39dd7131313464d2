#include "platform/ui/detail/InputState.h"

#include "platform/ui/detail/Delivery.h"

namespace kq::ui::detail {

InputState& Input() {
    static InputState* state = new InputState;
    return *state;
}

HWND FocusWindow() {
    std::lock_guard lock(Input().mutex);
    return Input().focus;
}

HWND ActiveWindowHandle() {
    std::lock_guard lock(Input().mutex);
    return Input().active;
}

HWND CaptureWindow() {
    std::lock_guard lock(Input().mutex);
    return Input().capture;
}

POINT CursorPosition() {
    std::lock_guard lock(Input().mutex);
    return Input().cursor;
}

}  // namespace kq::ui::detail
