// Accelerator tables of the resources and their translation into commands: a key that matches
// an entry becomes WM_COMMAND with the entry's command (1 in the high word of wParam) sent to
// the window, and is not handled further.
#pragma once

#include "platform/ui/UiTypes.h"

namespace kq::fw {

// The table of that resource name; null when the resources have none. Tables are resource
// data: nothing needs to be freed.
HACCEL LoadAcceleratorTable(LPCSTR name);
// TRUE when the key message matched an entry (the command was sent to hWnd).
BOOL TranslateAcceleratorKey(HWND hWnd, HACCEL table, const MSG* msg);

}  // namespace kq::fw
