// Loading bitmaps, icons and cursors from the program's resources or from files: LoadImage,
// LoadBitmap, LoadIcon and ImageList_LoadImage. Resources are found by number or name in the
// installed resource bundles (the module handle only tells standard icons from resources, see
// LoadImage); files are named by UTF-8 paths. Damaged or hostile data gives a null handle.
#pragma once

#include "platform/base/ResourceName.h"
#include "platform/base/WinTypes.h"
#include "platform/gfx/ImageList.h"

#ifndef KQ_IMAGE_TYPES
#define KQ_IMAGE_TYPES
constexpr UINT IMAGE_BITMAP = 0;
constexpr UINT IMAGE_ICON = 1;
constexpr UINT IMAGE_CURSOR = 2;
constexpr UINT IMAGE_ENHMETAFILE = 3;
#endif

constexpr UINT LR_DEFAULTCOLOR = 0x0000;
constexpr UINT LR_MONOCHROME = 0x0001;
constexpr UINT LR_LOADFROMFILE = 0x0010;
constexpr UINT LR_LOADTRANSPARENT = 0x0020;
constexpr UINT LR_DEFAULTSIZE = 0x0040;
constexpr UINT LR_VGACOLOR = 0x0080;
constexpr UINT LR_LOADMAP3DCOLORS = 0x1000;
constexpr UINT LR_CREATEDIBSECTION = 0x2000;
constexpr UINT LR_SHARED = 0x8000;

#define IDI_APPLICATION MAKEINTRESOURCE(32512)
#define IDI_HAND MAKEINTRESOURCE(32513)
#define IDI_QUESTION MAKEINTRESOURCE(32514)
#define IDI_EXCLAMATION MAKEINTRESOURCE(32515)
#define IDI_ASTERISK MAKEINTRESOURCE(32516)
#define IDI_WINLOGO MAKEINTRESOURCE(32517)
#define IDI_WARNING IDI_EXCLAMATION
#define IDI_ERROR IDI_HAND
#define IDI_INFORMATION IDI_ASTERISK

// type IMAGE_BITMAP (a BMP file or bitmap resource, as a 32-bit bitmap), IMAGE_ICON or
// IMAGE_CURSOR (an .ico/.cur file or icon/cursor resource).
// Size of icons and cursors: cx/cy when given (the closest entry, stretched to that size);
// when 0, 32 with LR_DEFAULTSIZE, else the natural size of the entry chosen for 32. Bitmaps are
// stretched only when both cx and cy are given.
// With module null a standard id (IDI_*) loads the standard icon; otherwise, and for every other
// id, the installed resources are searched.
// Flags: LR_LOADFROMFILE, LR_DEFAULTSIZE, LR_SHARED (the same handle for the same request,
// which its users must not destroy), LR_DEFAULTCOLOR and LR_VGACOLOR. Other flags are not
// supported: the call fails with ERROR_INVALID_PARAMETER. Failures set the last error.
HANDLE LoadImage(HINSTANCE module, LPCSTR name, UINT type, int cx, int cy, UINT flags);
// A bitmap resource; the caller deletes the bitmap.
HBITMAP LoadBitmap(HINSTANCE module, LPCSTR name);
// An icon resource or standard icon at the default size, shared: it is not destroyed.
HICON LoadIcon(HINSTANCE module, LPCSTR name);
// An image list of the images side by side in a bitmap, each cx pixels wide and as high as
// the bitmap; with a mask colour other than CLR_NONE its pixels are transparent. IMAGE_BITMAP
// only; flags as for LoadImage.
HIMAGELIST ImageList_LoadImage(HINSTANCE module, LPCSTR name, int cx, int grow, COLORREF mask,
                               UINT type, UINT flags);
