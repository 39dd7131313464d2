#include "platform/ui/controls/detail/ControlSupport.h"
#include "platform/ui/WinUser.h"

#include <strings.h>

#include <cstring>

#include "platform/ui/Input.h"
#include "platform/ui/Messaging.h"
#include "platform/ui/WindowClass.h"
#include "platform/ui/WindowData.h"
#include "platform/ui/WindowTree.h"
#include "platform/ui/paint/Painting.h"

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
    char name[128];
    if (GetClassName(hwnd, name, sizeof name) <= 0)
        return false;
    if (strcasecmp(name, className) == 0)
        return true;
    // The framework creates its control objects' windows through classes derived from the
    // control's, named "Afx:<class>" or "Afx:<class>:<n>"; they are still that control.
    constexpr size_t kPrefix = 4;
    if (strncmp(name, "Afx:", kPrefix) != 0)
        return false;
    const size_t length = strlen(className);
    const char* rest = name + kPrefix;
    return strncasecmp(rest, className, length) == 0 &&
           (rest[length] == '\0' || rest[length] == ':');
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

bool MayChangeLook(UINT message) {
    static const UINT readers[] = {
        0x00B0, 0x00B2, 0x00B8, 0x00BA, 0x00BB, 0x00C1, 0x00C4, 0x00C6, 0x00C9, 0x00CE, 0x00D2,
        0x00D4, 0x00D5, 0x00D6, 0x00D7,  // EM_GET..., EM_LINE..., EM_CANUNDO
        0x00E1, 0x00E3, 0x00EA,          // SBM_GETPOS, GETRANGE, GETSCROLLINFO
        0x00F0, 0x00F2, 0x00F6,          // BM_GETCHECK, GETSTATE, GETIMAGE
        0x0140, 0x0146, 0x0147, 0x0148, 0x0149, 0x014C, 0x0150,  // CB_GET..., CB_FINDSTRING
        0x0152, 0x0154, 0x0156, 0x0157, 0x0158, 0x015B, 0x015F, 0x0171, 0x0173,  // STM_GETICON,
                                                                                 // GETIMAGE
        0x0187, 0x0188, 0x0189, 0x018A, 0x018B, 0x018E, 0x018F,  // LB_GET..., LB_FINDSTRING
        0x0190, 0x0191, 0x0193, 0x0198, 0x0199, 0x019D, 0x019F, 0x01A1, 0x01A2, 0x01A9};
    for (UINT r : readers) {
        if (message == r)
            return false;
    }
    // The controls' own messages: EM_, SBM_ and BM_ (0x00B0..0x00FF), CB_, STM_ and LB_
    // (0x0140..0x01AF). Between them lie window messages such as WM_CTLCOLOR*, which a
    // control's painting itself sends.
    if ((message >= 0x00B0 && message <= 0x00FF) || (message >= 0x0140 && message <= 0x01AF))
        return true;
    if (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST)
        return true;
    if (message >= WM_KEYFIRST && message <= WM_KEYLAST)
        return true;
    switch (message) {
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
        case WM_ENABLE:
        case WM_SETTEXT:
        case WM_SETFONT:
        case WM_SIZE:
        case WM_STYLECHANGED:
        case WM_CAPTURECHANGED:
        case WM_TIMER:
        case WM_HSCROLL:
        case WM_VSCROLL:
        case WM_CUT:
        case WM_PASTE:
        case WM_CLEAR:
        case WM_UNDO:
            return true;
        default:
            return false;
    }
}

void Redraw(HWND hwnd) {
    InvalidateRect(hwnd, nullptr, TRUE);
}

}  // namespace kq::ui::detail
