// Icons and cursors: ARGB colour images with AND masks, made from bitmaps and drawn with their
// transparency (alpha when the image has it, else the mask).
#pragma once

#include "platform/base/WinTypes.h"
#include "platform/gfx/GdiStructs.h"
#include "platform/gfx/UserDrawConstants.h"

HICON CreateIconIndirect(PICONINFO info);
// Copies of the icon's bitmaps, which the caller deletes.
BOOL GetIconInfo(HICON icon, PICONINFO info);
BOOL DestroyIcon(HICON icon);
BOOL DestroyCursor(HCURSOR cursor);
HICON CopyIcon(HICON icon);
BOOL DrawIcon(HDC hdc, int x, int y, HICON icon);
BOOL DrawIconEx(HDC hdc, int x, int y, HICON icon, int cx, int cy, UINT step,
                HBRUSH flickerFreeBrush, UINT flags);

namespace kq::gfx {
// The default icon size.
constexpr int kIconSize = 32;
}  // namespace kq::gfx
