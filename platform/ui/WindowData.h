// Data stored with a window: styles, id, user data, window procedure, extra bytes, text.
#pragma once

#include "platform/ui/UiTypes.h"

// GWL_STYLE, GWL_EXSTYLE, GWL_ID, GWL_USERDATA (low 32 bits) or an offset into the extra
// bytes (cbWndExtra) that leaves room for a LONG. 0 when out of range.
LONG GetWindowLong(HWND hwnd, int index);
// Changing GWL_STYLE or GWL_EXSTYLE sends WM_STYLECHANGING (which may adjust the new value)
// and WM_STYLECHANGED. Frame changes take effect with SetWindowPos(SWP_FRAMECHANGED).
LONG SetWindowLong(HWND hwnd, int index, LONG value);
// Adds GWLP_WNDPROC (subclassing: keep the returned procedure and call it through
// CallWindowProc), GWLP_HINSTANCE, GWLP_HWNDPARENT (the owner of a top-level window) and
// pointer-sized extra bytes.
LONG_PTR GetWindowLongPtr(HWND hwnd, int index);
LONG_PTR SetWindowLongPtr(HWND hwnd, int index, LONG_PTR value);

// Through WM_SETTEXT / WM_GETTEXT / WM_GETTEXTLENGTH, so windows may answer for themselves.
BOOL SetWindowText(HWND hwnd, LPCSTR text);
// Copies at most size-1 bytes (never half a UTF-8 character) and terminates.
int GetWindowText(HWND hwnd, LPSTR buffer, int size);
int GetWindowTextLength(HWND hwnd);
