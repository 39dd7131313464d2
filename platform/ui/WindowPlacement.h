// Where a top-level window stands when it is neither minimised nor maximised, for saving and
// restoring its placement.
#pragma once

#include "platform/ui/UiTypes.h"

struct WINDOWPLACEMENT {
    UINT length;
    UINT flags;
    UINT showCmd;  // SW_SHOWNORMAL, SW_SHOWMINIMIZED or SW_SHOWMAXIMIZED
    POINT ptMinPosition;
    POINT ptMaxPosition;
    RECT rcNormalPosition;  // in screen coordinates for top-level windows
};
using LPWINDOWPLACEMENT = WINDOWPLACEMENT*;

BOOL GetWindowPlacement(HWND hwnd, LPWINDOWPLACEMENT placement);
