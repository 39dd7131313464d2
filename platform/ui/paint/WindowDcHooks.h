// Connects the graphics library's window DC classes (CPaintDC, CClientDC, CWindowDC) to this
// window system: their DCs come from BeginPaint/EndPaint, GetDC/GetWindowDC and ReleaseDC.
#pragma once

#include "platform/ui/UiTypes.h"

class CWnd;

namespace kq::ui {

// windowHandle maps the framework's window object to its HWND; a null CWnd stands for the
// screen. The framework calls this once before it creates windows. Null removes the hooks.
void InstallWindowDcHooks(HWND (*windowHandle)(CWnd* wnd));

}  // namespace kq::ui
