#include "platform/ui/Cursor.h"

#include "platform/ui/Input.h"
#include "platform/ui/detail/Delivery.h"
#include "platform/ui/detail/InputState.h"

using namespace kq::ui::detail;

namespace {

constexpr ULONG_PTR kCursorBase = 0x7C000000;

bool IsStandardId(ULONG_PTR id) {
    return (id >= 32512 && id <= 32516) || (id >= 32640 && id <= 32646) ||
           (id >= 32648 && id <= 32651);
}

}  // namespace

HCURSOR LoadCursor(HINSTANCE instance, LPCSTR name) {
    const auto id = reinterpret_cast<ULONG_PTR>(name);
    if (instance || !IsStandardId(id))
        return nullptr;
    return reinterpret_cast<HCURSOR>(kCursorBase + id);
}

HCURSOR SetCursor(HCURSOR cursor) {
    InputState& in = Input();
    std::lock_guard lock(in.mutex);
    HCURSOR old = in.cursorShape;
    in.cursorShape = cursor;
    return old;
}

HCURSOR GetCursor() {
    InputState& in = Input();
    std::lock_guard lock(in.mutex);
    return in.cursorShape;
}

BOOL GetCursorPos(LPPOINT pt) {
    if (!pt)
        return FALSE;
    *pt = CursorPosition();
    return TRUE;
}

BOOL SetCursorPos(int x, int y) {
    kq::ui::InjectMouseMove(POINT{x, y});
    return TRUE;
}

namespace kq::ui {

int StandardCursorId(HCURSOR cursor) {
    const auto v = reinterpret_cast<ULONG_PTR>(cursor);
    if (v <= kCursorBase || !IsStandardId(v - kCursorBase))
        return 0;
    return static_cast<int>(v - kCursorBase);
}

}  // namespace kq::ui
