#include "platform/ui/controls/detail/ControlSupport.h"
#include "platform/ui/WinUser.h"

#include <strings.h>

#include "platform/ui/Input.h"
#include "platform/ui/Messaging.h"
#include "platform/ui/WindowClass.h"
#include "platform/ui/WindowData.h"
#include "platform/ui/WindowTree.h"

namespace kq::ui::detail {

void NotifyParent(HWND control, WORD code) {
    HWND parent = GetParent(control);
    if (!parent)
        return;
    SendMessage(parent, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(GetDlgCtrlID(control)), code),
                reinterpret_cast<LPARAM>(control));
}

LRESULT SendToParent(HWND control, UINT message, WPARAM wParam, LPARAM lParam) {
    HWND parent = GetParent(control);
    return parent ? SendMessage(parent, message, wParam, lParam) : 0;
}

DWORD StyleOf(HWND hwnd) {
    return static_cast<DWORD>(GetWindowLong(hwnd, GWL_STYLE));
}

void SetStyleBits(HWND hwnd, DWORD mask, DWORD bits) {
    const DWORD style = StyleOf(hwnd);
    const DWORD next = (style & ~mask) | (bits & mask);
    if (next != style)
        SetWindowLong(hwnd, GWL_STYLE, static_cast<LONG>(next));
}

bool IsWindowOfClass(HWND hwnd, const char* className) {
    char name[64];
    return GetClassName(hwnd, name, sizeof name) > 0 && strcasecmp(name, className) == 0;
}

bool IsKeyDown(int vk) {
    return (GetKeyState(vk) & 0x8000) != 0;
}

POINT PointFromLParam(LPARAM lParam) {
    return POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
}

HBRUSH ControlColorBrush(HWND control, UINT ctlColorMessage, HDC dc) {
    return reinterpret_cast<HBRUSH>(SendToParent(
        control, ctlColorMessage, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(control)));
}

}  // namespace kq::ui::detail
