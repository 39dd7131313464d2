// Window classes. Names compare without regard to ASCII case; a class name may also be given
// as the atom RegisterClass returned (MAKEINTATOM). The instance handle is stored but does not
// separate classes: one program, one name space.
#pragma once

#include "platform/ui/UiTypes.h"

ATOM RegisterClass(const WNDCLASS* wc);
ATOM RegisterClassEx(const WNDCLASSEX* wc);
// Fails while windows of the class exist.
BOOL UnregisterClass(LPCSTR className, HINSTANCE instance);
BOOL GetClassInfo(HINSTANCE instance, LPCSTR className, LPWNDCLASS wc);
int GetClassName(HWND hwnd, LPSTR buffer, int size);
