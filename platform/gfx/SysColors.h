// The system colour table in the classic Windows look (button face 0xC0C0C0), behind
// GetSysColor and GetSysColorBrush.
#pragma once

#include "platform/base/WinTypes.h"
#include "platform/gfx/UserDrawConstants.h"

DWORD GetSysColor(int index);
// A permanent brush of the system colour; it follows later SetSysColors calls.
HBRUSH GetSysColorBrush(int index);
BOOL SetSysColors(int count, const INT* indices, const COLORREF* colors);
