// Small services every control uses: notifying the parent, the control's font, key state.
#pragma once

#include "platform/ui/UiTypes.h"

namespace kq::ui::detail {

// WM_COMMAND(id, code) with the control in lParam, to the control's parent.
void NotifyParent(HWND control, WORD code);
// Sends to the parent; 0 without one.
LRESULT SendToParent(HWND control, UINT message, WPARAM wParam, LPARAM lParam);
DWORD StyleOf(HWND hwnd);
// Whether the window belongs to the class (names compared without regard to case).
bool IsWindowOfClass(HWND hwnd, const char* className);
// Replaces the window style without WM_STYLECHANGING/CHANGED going elsewhere than the control.
void SetStyleBits(HWND hwnd, DWORD mask, DWORD bits);
bool IsKeyDown(int vk);
// Client coordinates of a mouse message.
POINT PointFromLParam(LPARAM lParam);
// Asks the parent for the brush a control paints its background with (WM_CTLCOLOR*); the
// parent may set colours in the device context. Null when the parent leaves it to the system.
HBRUSH ControlColorBrush(HWND control, UINT ctlColorMessage, HDC dc);

// Whether handling a message may change what a control shows: input, focus, enabling, text,
// font, size, the clipboard messages and the controls' own messages except those that only
// read (EM_GETSEL, LB_GETTEXT, ...).
bool MayChangeLook(UINT message);
// Asks for the control to be painted again (all of its client area).
void Redraw(HWND hwnd);

}  // namespace kq::ui::detail
