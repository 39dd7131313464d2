// Picture objects loaded from image files through the OLE picture shape (OleLoadPicturePath,
// IPicture): the JPEG, GIF, BMP and icon decoders behind a reference-counted object that
// reports its size in HIMETRIC units (0.01 mm) and renders any part of itself into a DC.
#pragma once

#include "platform/base/Guid.h"
#include "platform/base/HResult.h"
#include "platform/base/WideText.h"
#include "platform/base/WinTypes.h"

using OLE_XSIZE_HIMETRIC = LONG;
using OLE_YSIZE_HIMETRIC = LONG;
using OLE_XPOS_HIMETRIC = LONG;
using OLE_YPOS_HIMETRIC = LONG;
using OLE_COLOR = DWORD;
using LPCOLESTR = LPCWSTR;

// The picture loader's errors: a file that cannot be found, and one that holds no readable
// picture.
#define CTL_E_FILENOTFOUND (static_cast<HRESULT>(0x800A0035u))
#define CTL_E_PATHNOTFOUND (static_cast<HRESULT>(0x800A004Cu))
#define CTL_E_INVALIDPICTURE (static_cast<HRESULT>(0x800A01E1u))

struct IUnknown {
    virtual HRESULT QueryInterface(REFIID iid, void** object) = 0;
    virtual ULONG AddRef() = 0;
    virtual ULONG Release() = 0;

  protected:
    ~IUnknown() = default;
};
using LPUNKNOWN = IUnknown*;

struct IPicture : IUnknown {
    // The size in HIMETRIC units, from the pixel size at the screen's resolution.
    virtual HRESULT get_Width(OLE_XSIZE_HIMETRIC* width) = 0;
    virtual HRESULT get_Height(OLE_YSIZE_HIMETRIC* height) = 0;
    // Draws the source part (in HIMETRIC, y counted upwards from the bottom edge, so the whole
    // picture upright is 0, height, width, -height) stretched to the destination rectangle.
    // Transparent parts (GIF transparency, icon masks) leave the destination as it was.
    // bounds is for metafiles and is not used.
    virtual HRESULT Render(HDC dc, LONG x, LONG y, LONG cx, LONG cy, OLE_XPOS_HIMETRIC xSrc,
                           OLE_YPOS_HIMETRIC ySrc, OLE_XSIZE_HIMETRIC cxSrc,
                           OLE_YSIZE_HIMETRIC cySrc, const RECT* bounds) = 0;

  protected:
    ~IPicture() = default;
};
using LPPICTURE = IPicture*;

// {7BF80980-BF32-101A-8BBB-00AA00300CAB} and {00000000-0000-0000-C000-000000000046}.
inline constexpr IID IID_IPicture = {
    0x7BF80980, 0xBF32, 0x101A, {0x8B, 0xBB, 0x00, 0xAA, 0x00, 0x30, 0x0C, 0xAB}};
inline constexpr IID IID_IUnknown = {
    0x00000000, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};

// Loads a BMP, JPEG, GIF (first frame) or icon file named by a path (UTF-16) into a new
// picture with one reference, returned as IPicture or IUnknown. The caller, reserved and
// colour arguments are not used. Errors: E_POINTER, E_INVALIDARG (no path), E_NOINTERFACE,
// CTL_E_FILENOTFOUND (a file that cannot be read), CTL_E_INVALIDPICTURE (not a picture, or a
// damaged one); *object is null then.
HRESULT OleLoadPicturePath(LPCOLESTR path, LPUNKNOWN caller, DWORD reserved, OLE_COLOR colour,
                           REFIID iid, LPVOID* object);
