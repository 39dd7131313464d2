// Cursor shapes and position. The standard cursors are known by their IDC_ ids; the back end
// draws the current shape (kq::ui::StandardCursorId tells which one).
#pragma once

#include "platform/ui/UiTypes.h"

#define KQ_IDC(id) (reinterpret_cast<LPCSTR>(static_cast<ULONG_PTR>(id)))
#define IDC_ARROW KQ_IDC(32512)
#define IDC_IBEAM KQ_IDC(32513)
#define IDC_WAIT KQ_IDC(32514)
#define IDC_CROSS KQ_IDC(32515)
#define IDC_UPARROW KQ_IDC(32516)
#define IDC_SIZE KQ_IDC(32640)
#define IDC_ICON KQ_IDC(32641)
#define IDC_SIZENWSE KQ_IDC(32642)
#define IDC_SIZENESW KQ_IDC(32643)
#define IDC_SIZEWE KQ_IDC(32644)
#define IDC_SIZENS KQ_IDC(32645)
#define IDC_SIZEALL KQ_IDC(32646)
#define IDC_NO KQ_IDC(32648)
#define IDC_HAND KQ_IDC(32649)
#define IDC_APPSTARTING KQ_IDC(32650)
#define IDC_HELP KQ_IDC(32651)

// The standard cursors (instance null, an IDC_ id). Null for anything else.
HCURSOR LoadCursor(HINSTANCE instance, LPCSTR name);
// Returns the previous shape.
HCURSOR SetCursor(HCURSOR cursor);
HCURSOR GetCursor();
BOOL GetCursorPos(LPPOINT pt);
// Moves the cursor as the user would: the window below gets WM_MOUSEMOVE.
BOOL SetCursorPos(int x, int y);

namespace kq::ui {

// The IDC_ number of a standard cursor handle, 0 for other handles.
int StandardCursorId(HCURSOR cursor);

}  // namespace kq::ui
