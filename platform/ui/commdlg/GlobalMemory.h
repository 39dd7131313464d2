// Memory blocks handed between a program and the system by handle, as the print dialogs do
// with their device modes and names. Handles are checked: a handle that GlobalAlloc did not
// give (or that was freed) makes the calls fail instead of touching memory.
#pragma once

#include "platform/base/WinTypes.h"

constexpr UINT GMEM_FIXED = 0x0000;
constexpr UINT GMEM_MOVEABLE = 0x0002;
constexpr UINT GMEM_ZEROINIT = 0x0040;
constexpr UINT GHND = GMEM_MOVEABLE | GMEM_ZEROINIT;
constexpr UINT GPTR = GMEM_FIXED | GMEM_ZEROINIT;

// Null when the size cannot be had. Blocks are always zeroed.
HGLOBAL GlobalAlloc(UINT flags, size_t bytes);
HGLOBAL GlobalReAlloc(HGLOBAL block, size_t bytes, UINT flags);
// The block's memory; null for a handle that is no live block.
LPVOID GlobalLock(HGLOBAL block);
BOOL GlobalUnlock(HGLOBAL block);
size_t GlobalSize(HGLOBAL block);
// Null on success, the handle when it is no live block.
HGLOBAL GlobalFree(HGLOBAL block);
